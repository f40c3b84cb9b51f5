// Coupler curves and plane positions drawn from the position cache of a crank-rocker: pieces
// between unsolvable positions, growth with the animation, segment directions, the lists that
// own the items, and the settings new items take.
#include "gear/uAnimator.h"
#include "gear/uCrvPln.h"
#include "gear/uCrvPlnPrefs.h"
#include "gear/uGearCache.h"
#include "gear/uGearCalc.h"
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;
constexpr int Positions = 36;
constexpr TColor CurveColor = 0x00AA00;

struct TCrvPlnTest : ::testing::Test, TModelRig {
    TGearCalculator Calculator{D()};
    TGearCache Cache{D(), Calculator};
    TAnimator Animator{D(), Cache};
    TCurveList Curves{D()};
    TPlaneList Planes{D()};

    // The crank-rocker turned in steps of 10 degrees. Lowered to (24,12), B leaves coupler and
    // rocker too short for the crank turned by 20 to 160 degrees.
    void CrankRocker(double BY = 28) {
        TModelRig::CrankRocker();
        B->SetY(BY);
        TurnOnce(Positions);
    }
    void Fill() {
        Calculator.Prepare();
        ASSERT_TRUE(Calculator.CanCalculate());
        ASSERT_TRUE(Cache.Calculate());
    }
    TCurve* NewCurve(TJoint* J) {
        auto Curve = std::make_unique<TCurve>(D(), Cache, Animator);
        Curve->SetJoint(J);
        Curve->SetLineColor(CurveColor);
        Curve->SetMMSurface(&Surface());
        return Curves.Add(std::move(Curve));
    }
    TPlane* NewPlane(TJoint* J, TCustomLink* L) {
        auto Plane = std::make_unique<TPlane>(D(), Cache, Animator);
        Plane->SetJoint(J);
        Plane->SetLink(L);
        Plane->SetMMSurface(&Surface());
        return Planes.Add(std::move(Plane));
    }
    // What the item draws on its own.
    std::vector<TCanvasCall> Drawn(TMMGraphicItem* Item) {
        View.Canvas().ClearCalls();
        Item->Paint();
        return View.Canvas().Calls;
    }
    // The points of the one line the curve draws; none when it draws nothing.
    std::vector<TPoint> Path(TCurve* Curve) {
        const std::vector<TCanvasCall> Calls = Drawn(Curve);
        EXPECT_LE(Calls.size(), 1u);
        return Calls.empty() ? std::vector<TPoint>{} : Calls[0].Points;
    }
    // The pixels of the joint in the cached rows From..To.
    std::vector<TPoint> CachedPath(const TJoint* J, int From, int To) const {
        const int Index = Data->Joints().IndexOf(J);
        std::vector<TPoint> Path;
        for (int K = From; K <= To; ++K)
            Path.push_back(Px(Cache.Row(K).Joints()[Index].X, Cache.Row(K).Joints()[Index].Y));
        return Path;
    }
    static void DrawAllDirectly(bool On) {
        PreferenceStore().SetValue("Animator", "DirectlyDrawAll", On);
    }
};

TEST_F(TCrvPlnTest, CurveBreaksAtUnsolvablePositionsIntoTwoPieces) {
    CrankRocker(12);
    Fill();
    for (int K = 0; K < Positions; ++K)
        EXPECT_EQ(Cache.IsValidPosition(K), K < 2 || K > 16) << K;
    TCurve* Curve = NewCurve(B);

    const std::vector<TCanvasCall> Calls = Drawn(Curve);
    ASSERT_EQ(Calls.size(), 2u);
    EXPECT_EQ(Calls[0].Op, "Polyline");
    EXPECT_EQ(Calls[0].Points, CachedPath(B, 0, 1));
    EXPECT_EQ(Calls[1].Points, CachedPath(B, 17, Positions - 1));
    EXPECT_EQ(Calls[1].Pen.Color, CurveColor);
    EXPECT_EQ(Calls[1].Pen.Width, 1);
}

TEST_F(TCrvPlnTest, LoneSolvablePositionDrawsNothing) {
    CrankRocker(12);
    // 0 and 180 degrees assemble, 90 degrees does not.
    Drive->SetIntervals(4);
    const double Values[] = {0, Pi / 2, Pi, Pi / 2};
    for (int K = 0; K < 4; ++K)
        Drive->SetValue(K, Values[K]);
    Fill();
    ASSERT_TRUE(Cache.IsValidPosition(2));
    ASSERT_FALSE(Cache.IsValidPosition(3));
    EXPECT_TRUE(Drawn(NewCurve(B)).empty());
}

TEST_F(TCrvPlnTest, CurveGrowsWithTheAnimationUntilAFullRun) {
    CrankRocker();
    Fill();
    TCurve* Curve = NewCurve(B);
    DrawAllDirectly(false);
    Animator.Play();
    EXPECT_TRUE(Path(Curve).empty()); // position 0 alone is no line
    for (int K = 0; K < 3; ++K)
        Animator.Next();
    EXPECT_EQ(Path(Curve), CachedPath(B, 0, 3));
    DrawAllDirectly(true);
    EXPECT_EQ(Path(Curve), CachedPath(B, 0, Positions - 1));

    DrawAllDirectly(false);
    for (int K = 3; K < Positions; ++K)
        Animator.Next();
    ASSERT_EQ(Animator.ActualGearPosition(), 0);
    ASSERT_TRUE(Animator.FullRunFinished());
    EXPECT_EQ(Path(Curve), CachedPath(B, 0, Positions - 1));
    Animator.Play(); // a new run grows the curve again
    EXPECT_TRUE(Path(Curve).empty());
}

TEST_F(TCrvPlnTest, ItemsDrawNothingWithoutAFilledCacheOrWhenHidden) {
    CrankRocker();
    TCurve* Curve = NewCurve(B);
    TPlane* Plane = NewPlane(A, Crank);
    EXPECT_TRUE(Drawn(Curve).empty());
    EXPECT_TRUE(Drawn(Plane).empty());
    Fill();
    Curve->SetVisible(false);
    Plane->SetVisible(false);
    EXPECT_TRUE(Drawn(Curve).empty());
    EXPECT_TRUE(Drawn(Plane).empty());
}

TEST_F(TCrvPlnTest, NeverReadsMoreRowsOrIndexesThanTheCacheHolds) {
    CrankRocker();
    Fill();
    TCurve* Curve = NewCurve(B);
    // The model has more positions and a joint and link more than the cache was filled with.
    Drive->SetIntervals(4 * Positions);
    TJoint* Late = Joint(80, 80);
    TLink* LateLink = Link({B, Late});
    EXPECT_EQ(Path(Curve).size(), std::size_t{Positions});
    EXPECT_TRUE(Drawn(NewCurve(Late)).empty());
    EXPECT_TRUE(Drawn(NewPlane(B, LateLink)).empty());
    EXPECT_TRUE(Drawn(NewPlane(Late, Rocker)).empty());
}

TEST_F(TCrvPlnTest, PlaneSegmentsStartAtBetaAndTurnWithTheLink) {
    CrankRocker();
    Drive->SetIntervals(2);
    Drive->SetValue(1, Pi / 6); // the crank turned by 30 degrees
    Fill();
    TPlane* Plane = NewPlane(A, Crank);
    Plane->SetLineColor(CurveColor);
    Plane->SetLineThickness(3);
    ASSERT_DOUBLE_EQ(Plane->Beta(), Pi / 4);
    ASSERT_DOUBLE_EQ(Plane->Length(), 20);

    const std::vector<TCanvasCall> Calls = Drawn(Plane);
    ASSERT_EQ(Calls.size(), 2u);
    const double Degrees[] = {45, 75};
    for (int K = 0; K < 2; ++K) {
        SCOPED_TRACE(K);
        const TMMPoint P = Cache.Row(K).Joints()[Data->Joints().IndexOf(A)];
        const double Angle = Degrees[K] * Pi / 180;
        EXPECT_EQ(Calls[K].Op, "Line");
        EXPECT_EQ(Calls[K].Points,
                  (std::vector<TPoint>{
                      Px(P.X, P.Y), Px(P.X + 20 * std::cos(Angle), P.Y + 20 * std::sin(Angle))}));
        EXPECT_EQ(Calls[K].Pen.Color, CurveColor);
        EXPECT_EQ(Calls[K].Pen.Width, 3);
    }
}

TEST_F(TCrvPlnTest, PlaneSkipsUnsolvablePositions) {
    CrankRocker(12);
    Fill();
    EXPECT_EQ(Drawn(NewPlane(B, Coupler)).size(), std::size_t{2 + Positions - 17});
}

TEST_F(TCrvPlnTest, CurveOrphansGoAndDrawNothingBefore) {
    CrankRocker();
    TCurve* OfA = NewCurve(A);
    TCurve* OfB = NewCurve(B);
    D().DeleteJoint(B);
    EXPECT_EQ(OfB->Joint(), nullptr); // let go of when the joint was freed
    Fill();
    EXPECT_TRUE(Drawn(OfB).empty());
    EXPECT_FALSE(Drawn(OfA).empty());

    Curves.RemoveOrphans();
    ASSERT_EQ(Curves.Count(), 1);
    EXPECT_EQ(Curves.GetItem(0), OfA);
    EXPECT_TRUE(Curves.HasCurve(A));
    EXPECT_GE(Surface().GraphicItems().IndexOf(OfA), 0);
}

TEST_F(TCrvPlnTest, PlaneOrphansGoWithTheirLinkOrJoint) {
    CrankRocker();
    TPlane* OnCrank = NewPlane(A, Crank);
    NewPlane(B, Coupler);
    TPlane* OnRocker = NewPlane(B, Rocker);
    NewPlane(Joint(70, 70), Rocker); // a joint on no link: the sweep of loose joints takes it
    D().DeleteLink(Coupler, true);
    D().RemoveLooseJoints();
    ASSERT_TRUE(D().Joints().Contains(B));

    Planes.RemoveOrphans();
    ASSERT_EQ(Planes.Count(), 2);
    EXPECT_EQ(Planes.GetItem(0), OnCrank);
    EXPECT_EQ(Planes.GetItem(1), OnRocker);
    EXPECT_EQ(Planes.Find(B, Rocker), OnRocker);
    EXPECT_EQ(Planes.Find(B, Coupler), nullptr);
}

TEST_F(TCrvPlnTest, ListsFindAndRemoveTheFirstItemOfAJoint) {
    CrankRocker();
    TPlane* First = NewPlane(B, Coupler);
    TPlane* Second = NewPlane(B, Rocker);
    NewCurve(B);
    const int Registered = Surface().GraphicItems().Count();
    EXPECT_EQ(Planes.FindByJoint(B), First);
    EXPECT_FALSE(Planes.HasPlane(A));
    EXPECT_EQ(Curves.FindByJoint(A), nullptr);

    Planes.RemovePlane(B);
    ASSERT_EQ(Planes.Count(), 1);
    EXPECT_EQ(Planes.GetItem(0), Second);
    Planes.RemovePlane(A); // none: nothing happens
    EXPECT_EQ(Planes.Count(), 1);
    Curves.RemoveCurve(B);
    EXPECT_FALSE(Curves.HasCurve(B));
    EXPECT_EQ(Surface().GraphicItems().Count(), Registered - 2); // freed items leave the surface
    Planes.Clear();
    EXPECT_EQ(Planes.Count(), 0);
}

TEST_F(TCrvPlnTest, NewItemsTakeTheDefaultSettings) {
    CrankRocker();
    Fill();
    TPlane Plane(D(), Cache, Animator);
    TCurve Curve(D(), Cache, Animator);
    ApplyToPlane(Plane);
    ApplyToCurve(Curve);
    EXPECT_EQ(Curve.Order(), 71);
    EXPECT_EQ(Curve.LineColor(), clRed);
    EXPECT_EQ(Curve.LineThickness(), 1);
    EXPECT_EQ(Plane.Order(), 70);
    EXPECT_DOUBLE_EQ(Plane.Length(), 20);
    EXPECT_EQ(Plane.LineThickness(), 1);
    EXPECT_EQ(Plane.LineColor(), clBlue);
    EXPECT_DOUBLE_EQ(Plane.Beta(), Pi / 4);

    // Registered in the opposite order, the curve still paints over the plane positions.
    Curve.SetJoint(B);
    Plane.SetJoint(B);
    Plane.SetLink(Rocker);
    Curve.SetMMSurface(&Surface());
    Plane.SetMMSurface(&Surface());
    View.Canvas().ClearCalls();
    Surface().Repaint(false);
    const std::vector<TCanvasCall> Calls = View.Canvas().Calls;
    int LastPlaneLine = -1, CurveLine = -1;
    for (int I = 0; I < static_cast<int>(Calls.size()); ++I) {
        if (Calls[I].Op == "Line" && Calls[I].Pen.Color == clBlue)
            LastPlaneLine = I;
        if (Calls[I].Op == "Polyline" && Calls[I].Pen.Color == clRed)
            CurveLine = I;
    }
    ASSERT_GE(LastPlaneLine, 0);
    EXPECT_GT(CurveLine, LastPlaneLine);
}

TEST_F(TCrvPlnTest, ChangedSettingsReachOnlyItemsAppliedAfterwards) {
    CrankRocker();
    TPlane Before(D(), Cache, Animator);
    ApplyToPlane(Before);
    TCustomXMLPreferences& P = PreferenceStore();
    P.SetValue("Order", "Curves", 5);
    P.SetValue("Curves", "LineColor", 0x123456);
    P.SetValue("Curves", "LineThickness", 4);
    P.SetValue("Order", "Planes", 6);
    P.SetValue("Planes", "Length", 12.5);
    P.SetValue("Planes", "LineThickness", 3);
    P.SetValue("Planes", "LineColor", 0x654321);
    P.SetValue("Planes", "Beta", 1.25);

    TCurve Curve(D(), Cache, Animator);
    TPlane Plane(D(), Cache, Animator);
    ApplyToCurve(Curve);
    ApplyToPlane(Plane);
    EXPECT_EQ(Curve.Order(), 5);
    EXPECT_EQ(Curve.LineColor(), 0x123456u);
    EXPECT_EQ(Curve.LineThickness(), 4);
    EXPECT_EQ(Plane.Order(), 6);
    EXPECT_DOUBLE_EQ(Plane.Length(), 12.5);
    EXPECT_EQ(Plane.LineThickness(), 3);
    EXPECT_EQ(Plane.LineColor(), 0x654321u);
    EXPECT_DOUBLE_EQ(Plane.Beta(), 1.25);
    EXPECT_DOUBLE_EQ(Before.Beta(), Pi / 4);
}

} // namespace
