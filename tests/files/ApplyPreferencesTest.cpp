// Applying all settings at once: every target of the main window, the mechanism and the
// transfer-function frame takes the current values, missing targets are skipped, the main
// surface repaints once, and link colours that the user or a file chose stay.
#include "files/ApplyPreferences.h"
#include "files/FileReaderWriterRig.h"
#include "gear/uAnimator.h"
#include "gear/uCrvPln.h"
#include "gear/uDrive.h"
#include "gear/uGearCache.h"
#include "gear/uGearCalc.h"
#include "gear/uRack.h"
#include "support/MechanismRigs.h"
#include "surface/MMCoord.h"
#include "surface/MMDiagram.h"
#include "surface/MMGrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <numbers>
#include <stdexcept>

namespace {

constexpr TColor Background = 0x223344;
constexpr TColor GridColor = 0x00AA00;
constexpr TColor AxisColor = 0x0000AA;
constexpr TColor LinkColor = 0x222222;
constexpr TColor DriveColor = 0x333333;
constexpr TColor CurveColor = 0x444444;
constexpr TColor PlaneColor = 0x555555;
constexpr TColor UserColor = 0x00CC00;

TVariant Int(std::int32_t V) {
    return TVariant(V);
}

// Every setting that ApplyToAll reads, away from its default, each in its registered type.
void ChangeSettings(TCustomXMLPreferences& P) {
    P.SetValue("MMSurface", "BackGroundColor", Int(Background));
    P.SetValue("Order", "MMGrid", TVariant::Byte(11));
    P.SetValue("MMGrid", "Visible", true);
    P.SetValue("MMGrid", "GridColor", TVariant::LongWord(GridColor));
    P.SetValue("Order", "MMCoord", TVariant::Byte(21));
    P.SetValue("MMCoord", "Visible", false);
    P.SetValue("MMCoord", "AxisColor", Int(AxisColor));
    P.SetValue("MMCoord", "ArrowHeight", TVariant::Byte(7));
    P.SetValue("MMCoord", "ArrowWidth", TVariant::Byte(12));
    P.SetValue("Order", "Diagram", TVariant::Byte(31));
    P.SetValue("Joints", "Radius", TVariant::Byte(9));
    P.SetValue("Order", "Links", TVariant::Byte(52));
    P.SetValue("Links", "LineColor", Int(LinkColor));
    P.SetValue("Links", "LineThickness", TVariant::Byte(3));
    P.SetValue("Rack", "LineThickness", TVariant::Byte(4));
    P.SetValue("Animator", "TimerInterval", TVariant::Byte(40));
    P.SetValue("Animator", "Continuously", true);
    P.SetValue("Animator", "JumpToFirstIfStoppped", true);
    P.SetValue("Order", "Drives", TVariant::Byte(61));
    P.SetValue("Drives", "Radius", TVariant::Byte(25));
    P.SetValue("Drives", "LineColor", Int(DriveColor));
    P.SetValue("Order", "Curves", TVariant::Byte(72));
    P.SetValue("Curves", "LineThickness", TVariant::Byte(2));
    P.SetValue("Curves", "LineColor", Int(CurveColor));
    P.SetValue("Order", "Planes", TVariant::Byte(73));
    P.SetValue("Planes", "LineThickness", TVariant::Byte(3));
    P.SetValue("Planes", "LineColor", Int(PlaneColor));
    P.SetValue("Planes", "Beta", TVariant(0.5));
    P.SetValue("Planes", "Length", TVariant::Byte(30));
}

// Both views take the same values.
void ExpectView(const TViewTargets& V) {
    if (V.Surface) {
        EXPECT_EQ(V.Surface->BackGroundColor(), Background);
    }
    if (V.Grid) {
        EXPECT_EQ(V.Grid->Order(), 11);
        EXPECT_TRUE(V.Grid->Visible());
        EXPECT_EQ(V.Grid->GridColor(), GridColor);
    }
    if (V.Coord) {
        EXPECT_EQ(V.Coord->Order(), 21);
        EXPECT_FALSE(V.Coord->Visible());
        EXPECT_EQ(V.Coord->AxisColor(), AxisColor);
        EXPECT_EQ(V.Coord->ArrowHeight(), 7);
        EXPECT_EQ(V.Coord->ArrowWidth(), 12);
    }
}

// The changed settings reached every target that is given.
void ExpectApplied(const TApplyTargets& T) {
    ExpectView(T.Main);
    ExpectView(T.Func);
    if (T.Diagram) {
        EXPECT_EQ(T.Diagram->Order(), 31);
    }
    if (T.GearData) {
        for (TJoint* J : T.GearData->Joints())
            EXPECT_EQ(J->Radius(), 9);
        for (TCustomLink* L : T.GearData->Links()) {
            EXPECT_EQ(L->Order(), 52);
            EXPECT_EQ(L->LineColor(), LinkColor);
            EXPECT_EQ(L->LineThickness(), dynamic_cast<TRack*>(L) ? 4 : 3);
        }
        for (TDrive* D : T.GearData->Drives()) {
            EXPECT_EQ(D->Order(), 61);
            EXPECT_EQ(D->Radius(), 25);
            EXPECT_EQ(D->LineColor(), DriveColor);
        }
    }
    if (T.Animator) {
        EXPECT_EQ(T.Animator->TimerInterval(), 40);
        EXPECT_TRUE(T.Animator->Continuously());
        EXPECT_TRUE(T.Animator->JumpToFirstIfStoppped());
    }
    if (T.Curves)
        for (int I = 0; I < T.Curves->Count(); ++I) {
            const TCurve* C = T.Curves->GetItem(I);
            EXPECT_EQ(C->Order(), 72);
            EXPECT_EQ(C->LineThickness(), 2);
            EXPECT_EQ(C->LineColor(), CurveColor);
        }
    if (T.Planes)
        for (int I = 0; I < T.Planes->Count(); ++I) {
            const TPlane* P = T.Planes->GetItem(I);
            EXPECT_EQ(P->Order(), 73);
            EXPECT_EQ(P->LineThickness(), 3);
            EXPECT_EQ(P->LineColor(), PlaneColor);
            EXPECT_DOUBLE_EQ(P->Beta(), 0.5);
            EXPECT_DOUBLE_EQ(P->Length(), 30.0);
        }
}

// The crank-rocker with a curve and two plane items on the main surface, the main grid and axes,
// and the transfer-function frame's surface, grid, axes and diagram on a surface of their own.
struct TApplyRig : TModelRig {
    TApplyRig() {
        CrankRocker();
        MainGrid.SetMMSurface(&Surface());
        MainCoord.SetMMSurface(&Surface());
        FuncGrid.SetMMSurface(Func.Surface.get());
        FuncCoord.SetMMSurface(Func.Surface.get());
        Diagram.SetMMSurface(Func.Surface.get());
        Func.Surface->OnPaint = [this](TObject*) { ++FuncPaints; };
        AddCurve(B);
        AddPlane(B, Coupler);
        AddPlane(A, Crank);
    }
    ~TApplyRig() { Func.Surface->OnPaint = nullptr; }

    void AddCurve(TJoint* J) {
        auto Curve = std::make_unique<TCurve>(D(), Cache, Animator);
        Curve->SetJoint(J);
        Curve->SetMMSurface(&Surface());
        Curves.Add(std::move(Curve));
    }
    void AddPlane(TJoint* J, TCustomLink* L) {
        auto Plane = std::make_unique<TPlane>(D(), Cache, Animator);
        Plane->SetJoint(J);
        Plane->SetLink(L);
        Plane->SetMMSurface(&Surface());
        Planes.Add(std::move(Plane));
    }
    TApplyTargets All() {
        return {{&Surface(), &MainGrid, &MainCoord},         &D(),    &Animator, &Curves, &Planes,
                {Func.Surface.get(), &FuncGrid, &FuncCoord}, &Diagram};
    }
    // The installed settings, which new parts read as well.
    static TPreferences& P() { return Preferences(); }

    TGearCalculator Calculator{D()};
    TGearCache Cache{D(), Calculator};
    TAnimator Animator{D(), Cache};
    TCurveList Curves{D()};
    TPlaneList Planes{D()};
    TMMGrid MainGrid;
    TMMCoord MainCoord;
    TSurfaceRig Func{300, 200};
    TMMGrid FuncGrid;
    TMMCoord FuncCoord;
    TMMDiagram Diagram;
    int FuncPaints = 0;
};

struct TApplyTest : ::testing::Test, TApplyRig {};

TEST_F(TApplyTest, SettingsReachEveryTarget) {
    ChangeSettings(P());
    Planes.GetItem(0)->SetBeta(2.0);
    Planes.GetItem(1)->SetLength(5.0);
    Paints = 0;
    P().ApplyToAll(All());
    ExpectApplied(All());
    // The frame is the first link; it takes its own line thickness.
    EXPECT_EQ(D().Links().First(), D().Rack());
    // Only the main surface is batched: it repaints once.
    EXPECT_EQ(Paints, 1);
    EXPECT_EQ(Surface().UpdateCount(), 0);
}

TEST(ApplyPreferences, MissingTargetsAreSkipped) {
    struct Case {
        const char* Missing;
        std::function<void(TApplyTargets&)> Drop;
        // What the dropped target still shows.
        std::function<void(TApplyRig&)> ExpectUntouched;
    };
    const Case Cases[] = {
        {"main view", [](TApplyTargets& T) { T.Main = {}; },
         [](TApplyRig& R) {
             EXPECT_EQ(R.Surface().BackGroundColor(), clWhite);
             EXPECT_EQ(R.MainGrid.GridColor(), 0x320000u);
             EXPECT_EQ(R.MainCoord.ArrowWidth(), 10);
         }},
        {"frame's view", [](TApplyTargets& T) { T.Func = {}; },
         [](TApplyRig& R) {
             EXPECT_EQ(R.Func.Surface->BackGroundColor(), clWhite);
             EXPECT_EQ(R.FuncGrid.GridColor(), 0x320000u);
             EXPECT_EQ(R.FuncCoord.AxisColor(), clBlack);
         }},
        {"mechanism", [](TApplyTargets& T) { T.GearData = nullptr; },
         [](TApplyRig& R) {
             EXPECT_EQ(R.A->Radius(), 5);
             EXPECT_EQ(R.Coupler->LineColor(), clBlack);
             EXPECT_EQ(R.Drive->Radius(), 20);
         }},
        {"animator", [](TApplyTargets& T) { T.Animator = nullptr; },
         [](TApplyRig& R) {
             // As the animator starts.
             EXPECT_EQ(R.Animator.TimerInterval(), 10);
             EXPECT_FALSE(R.Animator.Continuously());
         }},
        {"curves and planes",
         [](TApplyTargets& T) {
             T.Curves = nullptr;
             T.Planes = nullptr;
         },
         [](TApplyRig& R) {
             EXPECT_EQ(R.Curves.GetItem(0)->Order(), 71);
             EXPECT_DOUBLE_EQ(R.Planes.GetItem(0)->Length(), 20.0);
         }},
        {"diagram", [](TApplyTargets& T) { T.Diagram = nullptr; },
         [](TApplyRig& R) { EXPECT_NE(R.Diagram.Order(), 31); }},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Missing);
        TApplyRig Rig;
        ChangeSettings(Rig.P());
        TApplyTargets Targets = Rig.All();
        C.Drop(Targets);
        Rig.P().ApplyToAll(Targets);
        ExpectApplied(Targets);
        C.ExpectUntouched(Rig);
    }
}

TEST(ApplyPreferences, NoTargetAtAllChangesNothing) {
    TPreferencesFixture Fixture;
    EXPECT_NO_THROW(Fixture.Prefs().ApplyToAll({}));
    ApplyToSurface(nullptr, Fixture.Prefs());
    ApplyToGrid(nullptr, Fixture.Prefs());
    ApplyToCoord(nullptr, Fixture.Prefs());
}

TEST_F(TApplyTest, EmptyMechanismConfiguresEverythingElse) {
    Curves.Clear();
    Planes.Clear();
    D().Clear(false);
    ASSERT_TRUE(D().Parts().Empty());
    ChangeSettings(P());
    P().ApplyToAll(All());
    ExpectApplied(All());
    EXPECT_TRUE(D().Parts().Empty());
    EXPECT_TRUE(D().Drives().Empty());
}

TEST_F(TApplyTest, ExistingJointsTakeANewRadiusOnlyWhenApplied) {
    P().SetValue("Joints", "Radius", TVariant::Byte(9));
    EXPECT_EQ(A->Radius(), 5);
    TJoint* Created = Joint(70, 70);
    EXPECT_EQ(Created->Radius(), 9);
    P().ApplyToAll(All());
    EXPECT_EQ(A->Radius(), 9);
    EXPECT_EQ(B->Radius(), 9);
}

TEST_F(TApplyTest, PlaneItemsTakeBetaAndLengthOnlyWhenApplied) {
    P().SetValue("Planes", "Beta", TVariant(0.5));
    TPlane* Plane = Planes.GetItem(0);
    Plane->SetLength(3.0);
    EXPECT_DOUBLE_EQ(Plane->Beta(), std::numbers::pi / 4);
    P().ApplyToAll(All());
    for (int I = 0; I < Planes.Count(); ++I) {
        EXPECT_DOUBLE_EQ(Planes.GetItem(I)->Beta(), 0.5);
        EXPECT_DOUBLE_EQ(Planes.GetItem(I)->Length(), 20.0);
    }
}

TEST_F(TApplyTest, MainSurfaceRepaintsOnceAndNotInsideAnOuterBatch) {
    ChangeSettings(P());
    Paints = 0;
    Surface().BeginUpdate();
    P().ApplyToAll(All());
    EXPECT_EQ(Paints, 0);
    EXPECT_EQ(Surface().UpdateCount(), 1);
    Surface().EndUpdate();
    EXPECT_EQ(Paints, 1);
    P().ApplyToAll(All());
    EXPECT_EQ(Paints, 2);
}

TEST_F(TApplyTest, FrameRepaintsAsItsObjectsAsk) {
    ChangeSettings(P());
    FuncPaints = 0;
    P().ApplyToAll(All());
    // Grid and axes change order and visibility, the grid its colour, the diagram its order:
    // each repaints the unbatched frame.
    EXPECT_GT(FuncPaints, 1);
}

TEST_F(TApplyTest, AFailureInsideStillEndsTheMainBatch) {
    // The frame's surface repaints during the run, and that repaint fails.
    Func.Surface->OnPaint = [](TObject*) { throw std::runtime_error("paint failed"); };
    ChangeSettings(P());
    for (int Outer : {0, 1}) {
        SCOPED_TRACE(Outer);
        if (Outer)
            Surface().BeginUpdate();
        Paints = 0;
        EXPECT_THROW(P().ApplyToAll(All()), std::runtime_error);
        EXPECT_EQ(Surface().UpdateCount(), Outer);
        EXPECT_EQ(Paints, Outer ? 0 : 1);
    }
    Surface().EndUpdate();
}

TEST_F(TApplyTest, LinksKeepTheColourTheUserChose) {
    Coupler->SetLineColor(UserColor);
    P().SetValue("Links", "LineColor", Int(LinkColor));
    P().ApplyToAll(All());
    EXPECT_EQ(Coupler->LineColor(), UserColor);
    for (TCustomLink* L : {static_cast<TCustomLink*>(D().Rack()), static_cast<TCustomLink*>(Crank),
                           static_cast<TCustomLink*>(Rocker)})
        EXPECT_EQ(L->LineColor(), LinkColor);
    // Every other setting still reaches the coloured link.
    EXPECT_EQ(Coupler->LineThickness(), 2);
    EXPECT_EQ(Coupler->Order(), 50);

    // Links that followed the settings keep following them, back to the default as well.
    P().SetValue("Links", "LineColor", Int(clBlack));
    P().ApplyToAll(All());
    EXPECT_EQ(Crank->LineColor(), clBlack);
    EXPECT_EQ(Coupler->LineColor(), UserColor);

    // A colour chosen again equal to the settings' one follows them from then on.
    Coupler->SetLineColor(clBlack);
    P().SetValue("Links", "LineColor", Int(LinkColor));
    P().ApplyToAll(All());
    EXPECT_EQ(Coupler->LineColor(), LinkColor);
}

TEST(ApplyPreferencesFile, OpenedLinksKeepTheirStoredColours) {
    TFileRig Rig;
    Rig.BuildSample();
    const std::string Name = Rig.Dir.File("sample.kxw");
    ASSERT_TRUE(Rig.Parser.SaveToFile(Name));
    ASSERT_TRUE(Rig.Parser.LoadFromFile(Name));
    Preferences().SetValue("Links", "LineColor", Int(LinkColor));
    TApplyTargets Targets;
    Targets.GearData = &Rig.D();
    Preferences().ApplyToAll(Targets);
    // The crank was stored red; every other link was stored in the settings' colour of then.
    int Kept = 0;
    for (TCustomLink* L : Rig.D().Links()) {
        SCOPED_TRACE(L->GetDisplayText());
        if (L->LineColor() == 0x0000FFu)
            ++Kept;
        else
            EXPECT_EQ(L->LineColor(), LinkColor);
    }
    EXPECT_EQ(Kept, 1);
    EXPECT_GE(Rig.D().Links().Count(), 5);
}

} // namespace
