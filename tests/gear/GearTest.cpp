// The mechanism component: its services, both mode switches and their failures, Clear, curves and
// planes, and the surface binding.
#include "GearRig.h"
#include "gear/uDrive.h"
#include "gear/uGear.h"
#include "gear/uJoint.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

const std::string NotAnimatable = "Dieses Getriebe ist nicht animierbar.";

std::vector<TMMPoint> Places(const TGearData& D) {
    std::vector<TMMPoint> Result;
    for (const TJoint* J : D.Joints())
        Result.push_back({J->X(), J->Y()});
    return Result;
}

TEST(Gear, StartsInEditModeWithTheFrameAfterClear) {
    TGearRig Rig;
    TGear& Gear = *Rig.Gear;
    EXPECT_TRUE(Gear.Editing());
    EXPECT_FALSE(Gear.Animating());
    EXPECT_FALSE(Gear.CanAnimate());
    EXPECT_TRUE(Gear.CanMoveItems());
    ASSERT_EQ(Rig.G().Links().Count(), 1);
    EXPECT_EQ(Rig.G().Links().First()->Identifier(), "Gestell");
    EXPECT_EQ(Rig.G().MMSurface(), &Rig.Surface());
    Gear.Clear();
    // From -50 to 100 mm with the surface's margin.
    EXPECT_DOUBLE_EQ(Rig.Surface().XMin(), -65);
    EXPECT_DOUBLE_EQ(Rig.Surface().XMax(), 115);
    EXPECT_DOUBLE_EQ(Rig.Surface().YMin(), -65);
    EXPECT_DOUBLE_EQ(Rig.Surface().YMax(), 115);
}

TEST(Gear, ModeSwitchRoundTripRestoresTheJointsExactly) {
    TGearRig Rig;
    Rig.CrankRocker();
    Rig.TurnOnce(36);
    Rig.Adopt();
    Rig.G().SelectJoint(Rig.B, false);
    const std::vector<TMMPoint> Before = Places(Rig.G());

    Rig.Gear->SetAnimating(true);
    ASSERT_TRUE(Rig.Gear->Animating());
    EXPECT_TRUE(Rig.Gear->CanAnimate());
    EXPECT_TRUE(Rig.Gear->GearCache().Filled());
    EXPECT_TRUE(Rig.G().SelectedJoints().Empty());
    EXPECT_TRUE(Rig.Asked().empty());
    Rig.Gear->Animator().Next();
    Rig.Gear->Animator().Next();
    EXPECT_NE(Places(Rig.G()), Before);

    Rig.Gear->SetEditing(true);
    EXPECT_TRUE(Rig.Gear->Editing());
    EXPECT_FALSE(Rig.Gear->GearCache().Filled());
    EXPECT_EQ(Rig.Gear->Animator().ActualGearPosition(), 0);
    EXPECT_TRUE(Rig.G().SelectedJoints().Empty());
    EXPECT_TRUE(Rig.G().SelectedLinks().Empty());
    const std::vector<TMMPoint> After = Places(Rig.G());
    ASSERT_EQ(After.size(), Before.size());
    for (std::size_t I = 0; I < After.size(); ++I) {
        EXPECT_EQ(After[I].X, Before[I].X) << I;
        EXPECT_EQ(After[I].Y, Before[I].Y) << I;
    }
    // Writing the mode it has does nothing.
    Rig.Gear->SetEditing(true);
    EXPECT_EQ(Places(Rig.G()), Before);
}

struct TFailingRow {
    const char* Name;
    std::function<void(TGearRig&)> Build;
    std::vector<std::string> Messages;
};

TEST(Gear, MechanismsThatCannotBeAnimatedStayInEditMode) {
    const std::string NoLinks = "Es sind keine Getriebeglieder vorhanden.";
    const std::string NoDrive = "Es muss mindestens 1 Antrieb vorhanden sein!";
    const std::string Unequal = "Die Antriebe haben eine unterschiedliche Anzahl an "
                                "Intervallen.\r\nBitte korrigieren sie das!";
    const TFailingRow Rows[] = {
        {"frame only", [](TGearRig&) {}, {NoLinks, NotAnimatable}},
        {"no drive",
         [](TGearRig& R) {
             R.CrankRocker();
             R.D().RemoveDrive(R.Drive);
             R.D().Parts().Remove(R.Drive);
         },
         {NoDrive, NotAnimatable}},
        {"20 and 24 intervals",
         [](TGearRig& R) {
             R.CrankRocker();
             R.Drive->SetIntervals(20);
             R.D().AddRotaryDrive(R.B0, true)->SetIntervals(24);
         },
         {Unequal, NotAnimatable}},
    };
    for (const TFailingRow& Row : Rows) {
        SCOPED_TRACE(Row.Name);
        TGearRig Rig;
        Row.Build(Rig);
        Rig.Adopt();
        const std::vector<TMMPoint> Before = Places(Rig.G());
        Rig.Gear->SetEditing(false);
        EXPECT_TRUE(Rig.Gear->Editing());
        EXPECT_FALSE(Rig.Gear->CanAnimate());
        EXPECT_FALSE(Rig.Gear->GearCache().Filled());
        EXPECT_EQ(Places(Rig.G()), Before);
        std::vector<std::string> Shown;
        for (const TAskedMessage& M : Rig.Asked()) {
            Shown.push_back(M.Text);
            EXPECT_EQ(M.Type, TMsgDlgType::mtInformation);
            EXPECT_EQ(M.Buttons, unsigned(mbOK));
        }
        EXPECT_EQ(Shown, Row.Messages);
    }
}

TEST(Gear, ACacheThatDoesNotFitReturnsToEditModeSilently) {
    TGearRig Rig;
    Rig.CrankRocker();
    // Enough fixed joints and positions that the rows would take more than the cache may use.
    Rig.Surface().BeginUpdate();
    for (int I = 0; I < 1000; ++I)
        Rig.FrameJoint(-10 - I * 0.001, -10);
    Rig.Surface().EndUpdate();
    const std::size_t RowBytes = (Rig.D().Joints().Count() + Rig.D().Links().Count()) * 16 + 1;
    Rig.TurnOnce(static_cast<int>(TGearCache::DefaultMemoryLimit() / RowBytes + 1));
    Rig.Adopt();
    const std::vector<TMMPoint> Before = Places(Rig.G());
    Rig.Gear->SetEditing(false);
    EXPECT_TRUE(Rig.Gear->Editing());
    EXPECT_FALSE(Rig.Gear->CanAnimate());
    EXPECT_TRUE(Rig.Asked().empty());
    EXPECT_EQ(Places(Rig.G()), Before);
}

// Message boxes that fail, as a window system out of resources would.
class TThrowingMessages : public TMessageService {
public:
    TModalResult MessageDlg(const std::string&, TMsgDlgType, TMsgDlgButtons) override {
        throw std::runtime_error("no message box");
    }
};
class TThrowingPlatform : public TFakePlatform {
public:
    TMessageService& Messages() override { return FThrowing; }

private:
    TThrowingMessages FThrowing;
};

TEST(Gear, AnExceptionWhileLeavingEditModeReturnsToEditMode) {
    TGearRig Rig;
    Rig.CrankRocker();
    Rig.D().RemoveDrive(Rig.Drive);
    Rig.D().Parts().Remove(Rig.Drive);
    Rig.Adopt();
    const std::vector<TMMPoint> Before = Places(Rig.G());
    {
        TThrowingPlatform Throwing;
        EXPECT_THROW(Rig.Gear->SetEditing(false), std::runtime_error);
    }
    EXPECT_TRUE(Rig.Gear->Editing());
    EXPECT_FALSE(Rig.Gear->CanAnimate());
    EXPECT_EQ(Places(Rig.G()), Before);
}

TEST(Gear, ClearInAnimationModeReturnsToEditModeWithANewDocument) {
    TGearRig Rig;
    Rig.CrankRocker();
    Rig.TurnOnce(12);
    Rig.Adopt();
    Rig.Gear->GetCurve(Rig.B);
    Rig.Gear->GetPlane(Rig.B, Rig.Coupler);
    Rig.Gear->SetAnimating(true);
    ASSERT_TRUE(Rig.Gear->Animating());
    Rig.Move(TGearRig::Px(24, 28));
    ASSERT_EQ(Rig.Gear->HoverJoint(), Rig.B);
    const int Paints = Rig.Paints;
    auto& Document = static_cast<TFileManager&>(Rig.Gear->FileManager());
    const std::string Name = Document.UntitledName();

    Rig.Gear->Clear();
    EXPECT_EQ(Rig.Paints, Paints + 1); // one bracket
    EXPECT_TRUE(Rig.Gear->Editing());
    EXPECT_FALSE(Rig.Gear->GearCache().Filled());
    EXPECT_EQ(Rig.Gear->Curves().Count(), 0);
    EXPECT_EQ(Rig.Gear->Planes().Count(), 0);
    EXPECT_EQ(Rig.Gear->HoverJoint(), nullptr);
    EXPECT_EQ(Rig.Gear->HoverLink(), nullptr);
    EXPECT_EQ(Rig.G().Joints().Count(), 0);
    EXPECT_EQ(Rig.G().Links().Count(), 1);
    EXPECT_NE(Document.UntitledName(), Name);
    Rig.Move(TGearRig::Px(50, 50)); // nothing hovered names a freed part
}

TEST(Gear, DeleteSelectionTakesTheLinksOrElseTheJointsAndThenThePlanesAndCurvesLeftWithoutThem) {
    TGearRig Rig;
    Rig.CrankRocker();
    Rig.Adopt();
    TGearData& G = Rig.G();
    Rig.Gear->GetCurve(Rig.B);
    Rig.Gear->GetPlane(Rig.B, Rig.Coupler);
    Rig.Gear->GetPlane(Rig.B, Rig.Rocker);
    G.SelectLink(Rig.Coupler, false);
    int Changes = 0;
    G.OnDataChanged = [&](TObject*) { ++Changes; };

    // The selected link goes, its joints stay with the other links.
    Rig.Gear->DeleteSelection();
    EXPECT_EQ(Changes, 1);
    EXPECT_FALSE(G.Links().Contains(Rig.Coupler));
    EXPECT_TRUE(G.Joints().Contains(Rig.A));
    EXPECT_EQ(Rig.Gear->Planes().Count(), 1);
    EXPECT_TRUE(Rig.Gear->Curves().HasCurve(Rig.B));

    // Without a selected link the selected joints go.
    G.SelectJoint(Rig.B, false);
    Rig.Gear->DeleteSelection();
    EXPECT_EQ(Changes, 2);
    EXPECT_FALSE(G.Joints().Contains(Rig.B));
    EXPECT_EQ(Rig.Gear->Planes().Count(), 0);
    EXPECT_EQ(Rig.Gear->Curves().Count(), 0);
    G.OnDataChanged = nullptr;
}

TEST(Gear, ClearCancelsACreation) {
    TGearRig Rig;
    Rig.Gear->PartCreator().StartCreation(TGearPartType::ptLink, "Glied");
    Rig.Press(TGearRig::Px(10, 10)); // the link's first joint
    ASSERT_TRUE(Rig.Gear->PartCreator().IsCreating());
    Rig.Gear->Clear();
    EXPECT_FALSE(Rig.Gear->PartCreator().IsCreating());
    EXPECT_EQ(Rig.G().Parts().Count(), 1); // the new frame only
}

TEST(Gear, CurvesAndPlanesAreMadeOnceAndOnlyForParts) {
    TGearRig Rig;
    Rig.CrankRocker();
    Rig.Adopt();
    TGear& Gear = *Rig.Gear;
    EXPECT_EQ(Gear.GetCurve(nullptr), nullptr);
    EXPECT_EQ(Gear.GetPlane(nullptr, Rig.Coupler), nullptr);
    EXPECT_EQ(Gear.GetPlane(Rig.B, nullptr), nullptr);
    EXPECT_EQ(Gear.Curves().Count(), 0);
    EXPECT_EQ(Gear.Planes().Count(), 0);

    TCurve* Curve = Gear.GetCurve(Rig.B);
    ASSERT_NE(Curve, nullptr);
    EXPECT_EQ(Curve->Joint(), Rig.B);
    EXPECT_EQ(Curve->MMSurface(), &Rig.Surface());
    EXPECT_EQ(Gear.GetCurve(Rig.B), Curve);
    EXPECT_EQ(Gear.Curves().Count(), 1);

    TPlane* Plane = Gear.GetPlane(Rig.B, Rig.Coupler);
    ASSERT_NE(Plane, nullptr);
    EXPECT_EQ(Plane->Link(), Rig.Coupler);
    EXPECT_EQ(Gear.GetPlane(Rig.B, Rig.Coupler), Plane);
    EXPECT_NE(Gear.GetPlane(Rig.B, Rig.Rocker), Plane);
    EXPECT_EQ(Gear.Planes().Count(), 2);
}

TEST(Gear, ASurfaceChangeUnbindsOnlyTheComponentsEvents) {
    TGearRig Rig;
    int Downs = 0;
    Rig.Gear->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int, double, double) {
        ++Downs;
    };
    Rig.Press(TGearRig::Px(50, 50));
    EXPECT_EQ(Downs, 1);
    int OtherMoves = 0;
    Rig.Surface().OnMouseMove = [&](TObject*, TShiftState, int, int, double, double) {
        ++OtherMoves;
    };
    Rig.Gear->SetMMSurface(nullptr);
    EXPECT_FALSE(Rig.Surface().OnMouseDown);
    EXPECT_FALSE(Rig.Surface().OnMouseUp);
    ASSERT_TRUE(Rig.Surface().OnMouseMove); // another listener's handler stays
    Rig.Press(TGearRig::Px(50, 50));
    Rig.Move(TGearRig::Px(50, 50));
    EXPECT_EQ(Downs, 1);
    EXPECT_EQ(OtherMoves, 1);
}

TEST(Gear, NoSurfaceCallsAFreedComponent) {
    TGearRig Rig;
    Rig.CrankRocker();
    Rig.Adopt();
    Rig.Move(TGearRig::Px(24, 28));
    Rig.Gear.reset();
    EXPECT_FALSE(Rig.Surface().OnMouseDown);
    EXPECT_FALSE(Rig.Surface().OnMouseMove);
    EXPECT_FALSE(Rig.Surface().OnMouseUp);
    Rig.Press(TGearRig::Px(24, 28));
    Rig.Move(TGearRig::Px(30, 30), TShiftState::ssLeft);
    Rig.Release(TGearRig::Px(30, 30));
}

TEST(Gear, AFreedSurfaceIsLetGo) {
    TGearRig Rig;
    auto Other = std::make_unique<TSurfaceRig>(200, 200);
    Rig.Gear->SetMMSurface(Other->Surface.get());
    Other.reset();
    EXPECT_EQ(Rig.Gear->MMSurface(), nullptr);
    Rig.Gear->Clear(); // without a surface
    EXPECT_EQ(Rig.G().Links().Count(), 1);
}

} // namespace
