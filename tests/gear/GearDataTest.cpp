// Building, numbering, the frame, lookups, lifetime and change events of the data model.
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>
#include <vector>

namespace {

struct TGearDataTest : ::testing::Test, TModelRig {};

TEST_F(TGearDataTest, NewModelIsEmptyWithoutFrame) {
    EXPECT_TRUE(D().IsEmpty());
    EXPECT_EQ(D().Rack(), nullptr);
    EXPECT_EQ(D().PositionCount(), 1);
    EXPECT_EQ(D().MaxJointX(), -1e20);
    EXPECT_EQ(D().MinJointY(), 1e20);
    EXPECT_EQ(D().GearInfo().Author(), "");
}

TEST_F(TGearDataTest, CreatedPartsTakeSettingsAndRegisterAsAsked) {
    TJoint* Loose = D().CreateLooseJoint(3, 4);
    EXPECT_EQ(Loose->MMSurface(), nullptr);
    EXPECT_FALSE(D().Joints().Contains(Loose));
    EXPECT_TRUE(D().Parts().Contains(Loose));
    EXPECT_EQ(Loose->Order(), 80); // Order/Joints
    EXPECT_EQ(Loose->X(), 3);
    D().Parts().Remove(Loose);

    TRack* F = D().CreateRack("Gestell");
    EXPECT_EQ(F->ID(), 1);
    EXPECT_EQ(F->MMSurface(), &Surface());
    EXPECT_EQ(F->Order(), 50); // Order/Links, also for the frame
    TSlider* S = D().CreateSlider("S", true);
    EXPECT_EQ(S->ID(), 2);
    ASSERT_EQ(S->Joints().Count(), 1);
    S->AddJoint(D().CreateJoint(5, 6));
    EXPECT_EQ(Virtual(S)->X(), 5); // put under the pin
    EXPECT_TRUE(Virtual(S)->IsVirtual());
    EXPECT_FALSE(Virtual(S)->Visible());
    EXPECT_TRUE(D().Joints().Contains(Virtual(S)));
    TDrive* Drive = D().CreateDriveOnSurface();
    EXPECT_FALSE(D().Drives().Contains(Drive));
    EXPECT_EQ(Drive->Order(), 60); // Order/Drives
    D().Parts().Remove(Drive);
    EXPECT_TRUE(ModelIsConsistent(D()));
}

// The joints of a link drawn with the mouse are numbered when the finished link is added.
TEST_F(TGearDataTest, DrawnPartsAreNumberedWhenAdded) {
    struct TCase {
        const char* Name;
        int JointsBefore;
        int First, Second;
    };
    const TCase Cases[] = {{"empty mechanism", 0, 2, 3}, {"joints 1 to 5 present", 5, 7, 8}};
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        D().Clear(true);
        for (int I = 0; I < C.JointsBefore; ++I)
            FrameJoint(I, I);
        TJoint* A = D().CreateJointOnSurface(10, 10);
        TJoint* B = D().CreateJointOnSurface(20, 10);
        EXPECT_EQ(A->ID(), B->ID()); // both provisional
        TLink* L = D().CreateLinkOnSurface("Glied");
        L->AddJoint(A);
        L->AddJoint(B);
        D().AddLink(L);
        EXPECT_EQ(A->ID(), C.First);
        EXPECT_EQ(B->ID(), C.Second);
        EXPECT_EQ(L->ID(), 2);
        EXPECT_TRUE(ModelIsConsistent(D()));
    }
    // A frame joint drawn next takes the smallest free number, here 1.
    D().Clear(true);
    TJoint* A = D().CreateJointOnSurface(10, 10);
    TJoint* B = D().CreateJointOnSurface(20, 10);
    TLink* L = D().CreateLinkOnSurface("Glied");
    L->AddJoint(A);
    L->AddJoint(B);
    D().AddLink(L);
    TJoint* F = D().CreateJointOnSurface(0, 0);
    D().AttachJointToRack(F);
    EXPECT_EQ(F->ID(), 1);
    EXPECT_TRUE(D().IsFrameJoint(F));
    EXPECT_EQ(D().NextFreeJointID(), 4);
    EXPECT_TRUE(D().JointIDExists(3));
    EXPECT_FALSE(D().LinkIDExists(3));
}

TEST_F(TGearDataTest, AddRackKeepsTheFrameFirstWithIdOne) {
    // A file may list a link before its frame: the link stays, the frame goes in front of it.
    TJoint* A = Joint(0, 0);
    TJoint* B = Joint(10, 0);
    TLink* L = Link({A, B});
    L->SetID(1);
    EXPECT_EQ(D().Rack(), nullptr); // the first link is no frame
    TRack* F = D().CreateRackOnSurface("Gestell");
    F->SetID(7);
    D().AddLink(F); // as the file reader adds every link
    ASSERT_EQ(D().Links().Count(), 2);
    EXPECT_EQ(D().Rack(), F);
    EXPECT_EQ(D().Links().Items(1), L);
    EXPECT_EQ(F->ID(), 1);
    EXPECT_EQ(L->ID(), 2); // the first free number while both still held their own
    EXPECT_TRUE(ModelIsConsistent(D()));
}

// The smallest number that no listed link but Ignored has and that is not Taken, searched the
// plain way.
int SmallestFreeLinkNumber(const TGearData& Data, int Taken = 0,
                           const TCustomLink* Ignored = nullptr) {
    const auto Has = [&](int ID) {
        const TLinkList& Links = Data.Links();
        return ID == Taken || std::any_of(Links.begin(), Links.end(), [&](const TCustomLink* L) {
                   return L != Ignored && L->ID() == ID;
               });
    };
    int ID = 1;
    while (Has(ID))
        ++ID;
    return ID;
}

// The model keeps its link numbers indexed; after every kind of change the next free number is
// the one a search of the links gives.
TEST_F(TGearDataTest, NextFreeLinkNumberFollowsEveryChangeOfTheLinks) {
    Frame();
    std::vector<TLink*> Bars;
    for (int I = 0; I < 6; ++I)
        Bars.push_back(Link({Joint(I, 0), Joint(I, 10)}));
    TGearData Other;
    const struct {
        const char* Name;
        std::function<void()> Edit;
    } Steps[] = {
        {"links 2 to 7", [] {}},
        {"a number given away", [&] { Bars[1]->SetID(40); }},
        {"a number taken twice", [&] { Bars[2]->SetID(4); }},
        {"the double let go once", [&] { Bars[2]->SetID(-3); }},
        {"the largest number taken", [&] { Bars[3]->SetID(std::numeric_limits<int>::max()); }},
        {"the one below it taken", [&] { Bars[4]->SetID(std::numeric_limits<int>::max() - 1); }},
        {"the largest number let go", [&] { Bars[3]->SetID(8); }},
        {"a link deleted", [&] { D().DeleteLink(Bars[0], true); }},
        {"a slider created", [&] { D().CreateSlider("S", true); }},
        {"a link out of the model renumbered", [&] { D().CreateLinkOnSurface("L")->SetID(2); }},
        {"a frame of number 5 put first",
         [&] {
             TRack* F = D().CreateRackOnSurface("Gestell");
             F->SetID(5);
             D().AddLink(F);
         }},
        {"the frame joints moved to a fixed bar", [&] { D().UpdateFrameLink(); }},
        {"another model's parts taken over",
         [&] {
             TCheckedBuilder Builder(Other);
             Other.Clear(true);
             for (int I = 0; I < 3; ++I)
                 Builder.Link({Builder.Joint(I, 0), Builder.Joint(I, 5)});
             Other.Links().Items(2)->SetID(9);
             D().TakeOver(Other);
         }},
        {"a link of the taken parts renumbered", [&] { D().Links().Items(1)->SetID(3); }},
        {"cleared", [&] { D().Clear(false); }},
        {"cleared with a frame", [&] { D().Clear(true); }},
    };
    for (const auto& Step : Steps) {
        SCOPED_TRACE(Step.Name);
        Step.Edit();
        EXPECT_EQ(D().NextFreeLinkID(), SmallestFreeLinkNumber(D()));
        EXPECT_EQ(Other.NextFreeLinkID(), SmallestFreeLinkNumber(Other));
    }
}

// A file of many frames, each put in front of links numbered 1: every frame takes the place of
// the one before and renumbers the link holding 1 to the smallest number free besides its own.
TEST_F(TGearDataTest, ManyFramesRenumberTheHolderOfOneInTurn) {
    for (int I = 0; I < 50; ++I) {
        Link({Joint(I, 0), Joint(I, 10)})->SetID(1);
        TRack* F = D().CreateRackOnSurface("Gestell");
        F->SetID(2 + I % 3);
        const int Expected = SmallestFreeLinkNumber(D(), F->ID(), D().Rack());
        D().AddLink(F);
        EXPECT_EQ(D().Links().Items(D().Links().Count() - 1)->ID(), Expected) << I;
        EXPECT_EQ(F->ID(), 1);
    }
    EXPECT_TRUE(ModelIsConsistent(D()));
}

TEST_F(TGearDataTest, AddRackReplacesAnEarlierFrameCleanly) {
    TRack* Old = Frame();
    TJoint* A = FrameJoint(0, 0);
    TJoint* B = Joint(0, 10);
    TLink* Crank = Link({A, B});
    ASSERT_NE(D().AddRotaryDrive(A, true), nullptr);
    D().SelectLink(Old, false);
    TRack* New = D().CreateRack("Gestell");
    EXPECT_EQ(D().Rack(), New);
    EXPECT_EQ(D().Links().Count(), 2);
    EXPECT_EQ(D().Links().Items(1), Crank);
    EXPECT_FALSE(A->Links().Contains(Old));
    EXPECT_TRUE(D().SelectedLinks().Empty());
    EXPECT_TRUE(D().Drives().Empty()); // it was held by the old frame
    EXPECT_TRUE(ModelIsConsistent(D()));
}

TEST_F(TGearDataTest, UpdateFrameLinkFollowsTheFrameJoints) {
    Frame();
    TJoint* A = FrameJoint(0, 0);
    TJoint* B = Joint(20, 0);
    TLink* L = Link({A, B});
    TLink* Other = Link({Joint(50, 50), Joint(60, 50)});
    ASSERT_EQ(L->ID(), 2);
    ASSERT_EQ(Other->ID(), 3);
    D().AttachJointToRack(B);
    EXPECT_EQ(L->ID(), 2); // only at the next change
    D().DataChanged();
    EXPECT_EQ(L->ID(), 1);
    EXPECT_EQ(L->Identifier(), "Gestell");
    L->SetIdentifier("Steg"); // kept while it stays fixed
    D().DataChanged();
    EXPECT_EQ(L->Identifier(), "Steg");
    D().DetachJoint(D().Rack(), B);
    D().DataChanged();
    EXPECT_EQ(L->ID(), 2);
    EXPECT_EQ(L->Identifier(), "Glied");
    EXPECT_EQ(D().Rack()->ID(), 1);
}

TEST_F(TGearDataTest, DataChangedRaisesItsEventWithTheModel) {
    TObject* Sender = nullptr;
    int Calls = 0;
    D().OnDataChanged = [&](TObject* S) {
        Sender = S;
        ++Calls;
    };
    D().DataChanged();
    D().Clear(true);
    EXPECT_EQ(Calls, 2);
    EXPECT_EQ(Sender, &D());
}

TEST_F(TGearDataTest, EditsInAChangeScopeRaiseOneChangeAtItsEnd) {
    Frame();
    TJoint* A = FrameJoint(0, 0);
    TLink* Bar = Link({A, Joint(40, 0)});
    TLink* Other = Link({Bar->Joints().Last(), Joint(60, 0)});
    int Calls = 0;
    D().OnDataChanged = [&](TObject*) { ++Calls; };
    {
        const TGearData::TChangeScope Outer(D());
        {
            const TGearData::TChangeScope Inner(D());
            D().SelectLink(Bar, false);
            D().SelectLink(Other, true);
            D().SeparateSelection();
            D().RenamePart(*A, "Lager");
        }
        EXPECT_EQ(Calls, 0);
    }
    EXPECT_EQ(Calls, 1);
    EXPECT_TRUE(D().SelectedLinks().Empty());
    EXPECT_EQ(D().FindCommonJoint(Bar, Other), nullptr);

    // A scope without an edit raises nothing; an edit reported as not made raises nothing either.
    { const TGearData::TChangeScope Empty(D()); }
    EXPECT_FALSE(D().Edit([] { return false; }));
    EXPECT_EQ(Calls, 1);
    EXPECT_TRUE(D().Edit([] { return true; }));
    EXPECT_EQ(Calls, 2);
}

TEST_F(TGearDataTest, AnErrorLeavingAChangeScopeRaisesNothing) {
    int Calls = 0;
    D().OnDataChanged = [&](TObject*) { ++Calls; };
    EXPECT_THROW(D().Edit([this]() -> bool {
        D().DataChanged();
        throw std::runtime_error("refused");
    }),
                 std::runtime_error);
    EXPECT_EQ(Calls, 0);
    D().DataChanged();
    EXPECT_EQ(Calls, 1);
}

TEST_F(TGearDataTest, ClearForgetsAuthorAndDescription) {
    D().GearInfo().SetAuthor("Anna");
    D().GearInfo().SetDescription("Zeile 1\\nZeile 2");
    D().Clear(true);
    EXPECT_EQ(D().GearInfo().Author(), "");
    EXPECT_EQ(D().GearInfo().Description(), "");
}

TEST(GearDataLifetime, DestroyingRaisesNoEventAndLeavesTheSurfaceClean) {
    TModelRig Rig;
    Rig.Frame();
    Rig.Link({Rig.FrameJoint(0, 0), Rig.Joint(10, 0)});
    int Calls = 0;
    Rig.D().OnDataChanged = [&](TObject*) { ++Calls; };
    Rig.Data.reset();
    EXPECT_EQ(Calls, 0);
    EXPECT_EQ(Rig.Surface().GraphicItems().Count(), 0);
}

TEST(GearDataLifetime, SurfaceFreedFirstIsForgotten) {
    TPreferencesFixture Prefs;
    TFakePlatform Platform;
    auto Surface = std::make_unique<TMMSurface>();
    TGearData Data;
    Data.SetMMSurface(Surface.get());
    Surface.reset();
    EXPECT_EQ(Data.MMSurface(), nullptr);
    EXPECT_EQ(Data.FindJointAt(0, 0), nullptr);
    EXPECT_EQ(Data.CreateJoint(1, 1)->MMSurface(), nullptr);
}

TEST_F(TGearDataTest, StructureLookups) {
    TRack* F = Frame();
    TJoint* A = FrameJoint(0, 0);
    TJoint* B = Joint(0, 10);
    TJoint* C = Joint(30, 10);
    TLink* Crank = Link({A, B});
    TLink* Plate = Link({B, C, A}); // shares B and A with the crank
    TLink* Guide = Link({Joint(0, -20), Joint(80, -20)});
    TSlider* S = Slider(Guide, 40, -20);

    EXPECT_EQ(D().FindCommonJoint(Crank, Plate), B); // the last of the crank's joints
    EXPECT_EQ(D().FindCommonJoint(Plate, Crank), A);
    EXPECT_EQ(D().FindCommonJoint(Crank, Guide), nullptr);
    EXPECT_EQ(D().FindCommonLink(A, B), Crank); // the first of A's links
    EXPECT_EQ(D().FindCommonLink(C, Pin(S)), nullptr);
    EXPECT_EQ(D().FindSlideLink(S), Guide);
    EXPECT_EQ(D().FindSliderOfJoint(Pin(S)), S);
    EXPECT_EQ(D().FindSliderOfJoint(B), nullptr);
    EXPECT_TRUE(D().IsSlideLink(Guide));
    EXPECT_FALSE(D().IsSlideLink(S));
    EXPECT_FALSE(D().IsSlideLink(Crank));
    EXPECT_TRUE(D().IsFrameJoint(A));
    EXPECT_FALSE(D().IsFrameJoint(B));
    EXPECT_EQ(D().Rack(), F);
    EXPECT_EQ(D().MaxJointX(), 80);
    EXPECT_EQ(D().MinJointX(), 0);
    EXPECT_EQ(D().MaxJointY(), 10);
    EXPECT_EQ(D().MinJointY(), -20);
    EXPECT_EQ(D().Links().FindByID(Plate->ID()), Plate);
    EXPECT_TRUE(ModelIsConsistent(D()));
}

TEST_F(TGearDataTest, SliderWithoutSlideLinkHasNone) {
    TSlider* S = Slider(nullptr, 10, 10);
    EXPECT_EQ(D().FindSlideLink(S), nullptr);
    TSlider* Bare = D().CreateSlider("S", false);
    Bare->AddJoint(Joint(0, 0));
    Bare->AddJoint(Joint(5, 0));
    EXPECT_EQ(D().FindSlideLink(Bare), nullptr);
}

} // namespace
