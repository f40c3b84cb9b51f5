// Drawing parts with the mouse on a recorded surface: what each click makes, what the handler
// receives, that a discarded part leaves nothing behind and how the rubber band is painted.
#include "gear/uPartCreator.h"

#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct TCreated {
    TObject* Sender;
    TGearPart* Part;
    TGearPartType PartType;
};

// The model rig (2 px/mm, world (x, y) at pixel (2x, 200 - 2y)) with a creator whose handler
// records the parts it is given and adds them to the model, so the model frees them.
class PartCreator : public ::testing::Test {
protected:
    PartCreator() {
        Creator->OnPartCreated = [this](TObject* Sender, TGearPart* Part, TGearPartType Type) {
            Created.push_back({Sender, Part, Type});
            if (auto* Joint = dynamic_cast<TJoint*>(Part))
                Rig.D().AddJoint(Joint);
            else if (auto* Link = dynamic_cast<TCustomLink*>(Part))
                Rig.D().AddLink(Link);
        };
    }
    ~PartCreator() override { Creator.reset(); }

    int Registered() const { return Rig.Data->Parts().Count(); }
    int OnSurface() { return Rig.Surface().GraphicItems().Count(); }
    TRecordingCanvas& Buffer() { return Rig.View.Canvas(); }
    // The lines of the last repaint that run between the two pixels.
    int LinesBetween(TPoint A, TPoint B) {
        int N = 0;
        for (const TCanvasCall& C : Buffer().Of("Line"))
            if (C.Points == std::vector<TPoint>{A, B})
                ++N;
        return N;
    }

    TModelRig Rig;
    std::unique_ptr<TGearPartCreator> Creator = std::make_unique<TGearPartCreator>(Rig.D());
    std::vector<TCreated> Created;
};

TEST_F(PartCreator, ALinkTakesTwoClicksAndIsHandedOverOnlyAfterTheSecond) {
    TJoint* Existing = Rig.Joint(10, 10);
    Creator->StartCreation(TGearPartType::ptLink, "Glied");
    EXPECT_TRUE(Creator->IsCreating());
    EXPECT_EQ(Registered(), 1); // nothing is made before the first click

    Creator->MouseDown(20, 180); // on the existing joint
    EXPECT_TRUE(Created.empty());
    EXPECT_TRUE(Creator->IsCreating());
    EXPECT_EQ(Registered(), 3);
    EXPECT_EQ(Rig.D().Joints().Count(), 1); // not in the model yet

    Creator->MouseDown(100, 100);
    ASSERT_EQ(Created.size(), 1u);
    EXPECT_EQ(Created[0].Sender, Creator.get());
    EXPECT_EQ(Created[0].PartType, TGearPartType::ptLink);
    auto* Link = dynamic_cast<TLink*>(Created[0].Part);
    ASSERT_NE(Link, nullptr);
    EXPECT_EQ(Link->Identifier(), "Glied");
    ASSERT_EQ(Link->Joints().Count(), 2);
    TJoint* First = Link->Joints().Items(0);
    EXPECT_NE(First, Existing); // a new joint on top of the old one, nothing merged
    EXPECT_EQ(First->Position(), MMPoint(10, 10));
    EXPECT_EQ(Link->Joints().Items(1)->Position(), MMPoint(50, 50));
    EXPECT_EQ(First->MMSurface(), &Rig.Surface());
    EXPECT_FALSE(Creator->IsCreating());
    EXPECT_EQ(Creator->PartType(), TGearPartType::ptNone);
    Creator->MouseDown(150, 50); // idle again: nothing more is made
    EXPECT_EQ(Created.size(), 1u);
    EXPECT_EQ(Registered(), 4);
}

TEST_F(PartCreator, ASliderIsCompleteAfterOneClickWithItsVirtualJointOnThePin) {
    Creator->StartCreation(TGearPartType::ptSlider, "Gleitstein");
    Creator->MouseDown(60, 120);
    ASSERT_EQ(Created.size(), 1u);
    EXPECT_EQ(Created[0].PartType, TGearPartType::ptSlider);
    auto* Slider = dynamic_cast<TSlider*>(Created[0].Part);
    ASSERT_NE(Slider, nullptr);
    EXPECT_EQ(Slider->Identifier(), "Gleitstein");
    ASSERT_EQ(Slider->Joints().Count(), 2);
    EXPECT_TRUE(Slider->Joints().Items(0)->IsVirtual());
    EXPECT_EQ(Slider->Joints().Items(0)->Position(), MMPoint(30, 40));
    EXPECT_EQ(Slider->Joints().Items(1)->Position(), MMPoint(30, 40));
    EXPECT_EQ(Slider->MMSurface(), &Rig.Surface());
    EXPECT_FALSE(Creator->IsCreating());
}

TEST_F(PartCreator, AFrameJointIsHandedOverAtTheClickedPoint) {
    Creator->StartCreation(TGearPartType::ptRackJoint, "");
    Creator->MouseDown(50, 150);
    ASSERT_EQ(Created.size(), 1u);
    EXPECT_EQ(Created[0].PartType, TGearPartType::ptRackJoint);
    auto* Joint = dynamic_cast<TJoint*>(Created[0].Part);
    ASSERT_NE(Joint, nullptr);
    EXPECT_EQ(Joint->Position(), MMPoint(25, 25));
    EXPECT_EQ(Joint->MMSurface(), &Rig.Surface());
    EXPECT_FALSE(Creator->IsCreating());
}

TEST_F(PartCreator, KindsThatMakeNothingKeepTheCreationRunningAndNoneResets) {
    for (TGearPartType Type : {TGearPartType::ptJoint, TGearPartType::ptSolidLink}) {
        SCOPED_TRACE(static_cast<int>(Type));
        Creator->StartCreation(Type, "");
        Creator->MouseDown(50, 50);
        EXPECT_TRUE(Creator->IsCreating());
        EXPECT_EQ(Creator->PartType(), Type);
        EXPECT_EQ(Registered(), 0);
    }
    Creator->StartCreation(TGearPartType::ptNone, "");
    Creator->MouseDown(50, 50);
    EXPECT_FALSE(Creator->IsCreating());
    EXPECT_TRUE(Created.empty());
}

// Whatever is discarded takes every joint placed for it: off the surface, out of the registry and
// freed (the sanitizer build reports a joint left behind).
TEST_F(PartCreator, WithoutHandlerTheFinishedPartIsDiscardedWithItsJoints) {
    struct TCase {
        TGearPartType Type;
        int Clicks;
    };
    const TCase Cases[] = {
        {TGearPartType::ptLink, 2}, {TGearPartType::ptSlider, 1}, {TGearPartType::ptRackJoint, 1}};
    Creator->OnPartCreated = nullptr;
    Rig.Joint(0, 0);
    const int Before = Registered(), ItemsBefore = OnSurface();
    for (const TCase& C : Cases) {
        SCOPED_TRACE(static_cast<int>(C.Type));
        Creator->StartCreation(C.Type, "Teil");
        for (int I = 0; I < C.Clicks; ++I)
            Creator->MouseDown(20 + 40 * I, 100);
        EXPECT_FALSE(Creator->IsCreating());
        EXPECT_EQ(Registered(), Before);
        EXPECT_EQ(OnSurface(), ItemsBefore);
        EXPECT_EQ(Rig.D().Joints().Count(), 1);
    }
}

TEST_F(PartCreator, CancelBetweenTheClicksLeavesRegistryAndSurfaceClean) {
    Rig.Joint(0, 0);
    const int Before = Registered(), ItemsBefore = OnSurface();
    Creator->StartCreation(TGearPartType::ptLink, "Glied");
    Creator->MouseDown(40, 160);
    Creator->MouseMove(120, 80); // the band is up
    Buffer().ClearCalls();
    const int PaintsBefore = Rig.Paints;
    Creator->CancelCreation();
    EXPECT_EQ(Rig.Paints, PaintsBefore + 1);
    EXPECT_FALSE(Creator->IsCreating());
    EXPECT_EQ(Creator->PartType(), TGearPartType::ptNone);
    EXPECT_EQ(Registered(), Before);
    EXPECT_EQ(OnSurface(), ItemsBefore);
    // The one repaint shows neither the joint nor the band.
    EXPECT_EQ(Buffer().Of("Ellipse").size(), 1u);
    EXPECT_TRUE(Buffer().Of("Line").empty());
    // The next click makes nothing.
    Creator->MouseDown(100, 100);
    EXPECT_EQ(Registered(), Before);
    EXPECT_TRUE(Created.empty());
}

// A new mechanism frees every registered part, the one under construction too: the creator and
// its band let go of it, and the next click starts the part afresh.
TEST_F(PartCreator, ANewMechanismBetweenTheClicksFreesTheLinkAndTheNextClickStartsAfresh) {
    Creator->StartCreation(TGearPartType::ptLink, "Glied");
    Creator->MouseDown(40, 160);
    Creator->MouseMove(120, 80); // the band is up
    Rig.D().Clear(true);
    Creator->MouseMove(100, 100);
    Creator->MouseDown(20, 180);
    Creator->MouseDown(100, 100);
    ASSERT_EQ(Created.size(), 1u);
    const auto* Link = dynamic_cast<TLink*>(Created[0].Part);
    ASSERT_NE(Link, nullptr);
    ASSERT_EQ(Link->Joints().Count(), 2);
    EXPECT_EQ(Link->Joints().Items(0)->Position(), MMPoint(10, 10));
    EXPECT_EQ(Link->Joints().Items(1)->Position(), MMPoint(50, 50));
}

TEST_F(PartCreator, DestroyingTheCreatorFreesTheLinkUnderConstruction) {
    Creator->StartCreation(TGearPartType::ptLink, "Glied");
    Creator->MouseDown(40, 160);
    Creator->MouseMove(120, 80);
    ASSERT_EQ(Registered(), 2);
    Creator.reset();
    EXPECT_EQ(Registered(), 0);
    EXPECT_EQ(OnSurface(), 0);
    EXPECT_TRUE(Created.empty());
}

TEST_F(PartCreator, TheBandRunsFromTheFirstJointToTheMouseUnderTheJoint) {
    Preferences().SetValue("Links", "LineColor", TVariant(std::int32_t{0x123456}));
    Creator->StartCreation(TGearPartType::ptLink, "Glied");
    const int PaintsBefore = Rig.Paints;
    Creator->MouseMove(10, 10); // no part yet: nothing to draw
    EXPECT_EQ(Rig.Paints, PaintsBefore);
    Creator->MouseDown(40, 160);
    const TPoint P0{40, 160};

    // The first move erases nothing: the repaint draws exactly one band, to the mouse.
    Buffer().ClearCalls();
    Creator->MouseMove(120, 80);
    const std::vector<TCanvasCall>& Calls = Buffer().Calls;
    auto IsBand = [&](const TCanvasCall& C) {
        return C.Op == "Line" && C.Points == std::vector<TPoint>{P0, TPoint{120, 80}};
    };
    const auto Band = std::find_if(Calls.begin(), Calls.end(), IsBand);
    ASSERT_NE(Band, Calls.end());
    EXPECT_EQ(Band->Pen, (TPen{0x123456, 1, TPenStyle::psSolid}));
    EXPECT_EQ(std::count_if(Calls.begin(), Calls.end(), IsBand), 1);
    // The joint paints itself again on top.
    EXPECT_TRUE(std::any_of(Band, Calls.end(), [&](const TCanvasCall& C) {
        return C.Op == "Ellipse" && C.Points[0].X < P0.X && P0.X < C.Points[1].X &&
               C.Points[0].Y < P0.Y && P0.Y < C.Points[1].Y;
    }));
    EXPECT_EQ(LinesBetween(P0, TPoint{-1, -1}), 0);

    // Each move shows the band at the mouse only, also after an unrelated repaint.
    Creator->MouseMove(160, 40);
    Buffer().ClearCalls();
    Rig.Surface().Repaint(false);
    EXPECT_EQ(LinesBetween(P0, TPoint{120, 80}), 0);
    EXPECT_EQ(LinesBetween(P0, TPoint{160, 40}), 1);

    // The second click ends the band: only the link and its joints are left on the surface.
    Creator->MouseDown(160, 40);
    ASSERT_EQ(Created.size(), 1u);
    EXPECT_EQ(OnSurface(), 3);
}

TEST_F(PartCreator, ASurfaceWithoutControlShowsNoBand) {
    Creator->StartCreation(TGearPartType::ptLink, "Glied");
    Creator->MouseDown(40, 160);
    Rig.Surface().SetControl(nullptr);
    Creator->MouseMove(120, 80); // no control canvas: nothing happens
    EXPECT_EQ(OnSurface(), 2);
    Creator->CancelCreation();
    EXPECT_EQ(OnSurface(), 0);
}

} // namespace
