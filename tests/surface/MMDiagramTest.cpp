// The data-series diagram: its series, their polylines broken at invalid points, the extremes,
// following the view, and fitting the view to the data.
#include "surface/MMDiagram.h"
#include "support/FakeControl.h"
#include "surface/MMDiagramFit.h"
#include "surface/MMSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct TPointSpec {
    double X;
    double Y;
    bool Valid = true;
};

std::unique_ptr<TMMDataSerie> MakeSerie(const std::vector<TPointSpec>& Points, bool Visible) {
    auto S = std::make_unique<TMMDataSerie>();
    for (const TPointSpec& P : Points) {
        TMMDataElement E(P.X, P.Y);
        E.SetValid(P.Valid);
        S->Add(E);
    }
    S->SetVisible(Visible);
    return S;
}

using TSegment = std::vector<TPoint>; // a line's two ends

std::vector<TSegment> Lines(const TRecordingCanvas& C) {
    std::vector<TSegment> Result;
    for (const TCanvasCall& Call : C.Of("Line"))
        Result.push_back(Call.Points);
    return Result;
}

// A diagram on a 100 x 100 control showing 0..10 on both axes: 10 pixels per unit, y flipped.
class Diagram : public ::testing::Test {
protected:
    Diagram() {
        Rig.Surface->SetSquare(false);
        Rig.Surface->SetMMRect(MMRect(0, 10, 10, 0));
        D.SetVisible(true);
        D.SetMMSurface(Rig.Surface.get());
    }
    TMMDataSerie* Add(const std::vector<TPointSpec>& Points, bool Visible = true) {
        return D.Series().Add(MakeSerie(Points, Visible));
    }
    std::vector<TSegment> Painted() {
        Rig.BufferCanvas().ClearCalls();
        Rig.Surface->Repaint(false);
        return Lines(Rig.BufferCanvas());
    }

    TSurfaceRig Rig{100, 100};
    TMMDiagram D;
};

TEST(DiagramParts, StartAsDesigned) {
    const TMMDataElement E(MMPoint(1.5, -2));
    EXPECT_EQ(E.X(), 1.5);
    EXPECT_EQ(E.Y(), -2);
    EXPECT_TRUE(E.Valid());

    const TMMDataSerie S;
    EXPECT_EQ(S.Count(), 0);
    EXPECT_EQ(S.Color(), TColor(255));
    EXPECT_EQ(S.Name(), "");
    EXPECT_FALSE(S.Visible());
    EXPECT_EQ(S.Width(), 1);

    const TMMDiagram D;
    EXPECT_EQ(D.Order(), 1);
    EXPECT_FALSE(D.Visible());
    EXPECT_EQ(D.Series().Count(), 0);
}

TEST(DiagramParts, ASerieKeepsItsOwnCopyOfEachElement) {
    TMMDataSerie S;
    TMMDataElement E(1, 2);
    S.Add(E);
    E.SetValid(false);
    EXPECT_TRUE(S.GetElement(0).Valid());
    S.GetElement(0).SetValid(false);
    EXPECT_FALSE(S.GetElement(0).Valid());
    EXPECT_THROW(S.GetElement(1), std::out_of_range);
}

TEST(DiagramParts, TheDiagramFreesASerieThatLeavesItsList) {
    TMMDiagram D;
    TMMDataSerie* A = D.Series().Add(MakeSerie({{0, 0}, {1, 1}}, true));
    TMMDataSerie* B = D.Series().Add(MakeSerie({{2, 2}}, true));
    EXPECT_TRUE(D.Series().Remove(A)); // freed here: ASan reports a later use or a leak
    ASSERT_EQ(D.Series().Count(), 1);
    EXPECT_EQ(D.Series().Items(0), B);
    TMMDataSerie Stranger;
    EXPECT_FALSE(D.Series().Remove(&Stranger));
    EXPECT_EQ(D.Series().Count(), 1);
    D.Series().Clear();
    EXPECT_EQ(D.Series().Count(), 0);
}

TEST_F(Diagram, AnInvalidElementSplitsTheLineInTwo) {
    TMMDataSerie* S = Add({{0, 0}, {1, 1}, {2, 5, false}, {3, 3}, {4, 4}});
    S->SetColor(clBlue);
    S->SetWidth(3);
    const auto Got = Painted();
    EXPECT_EQ(Got, (std::vector<TSegment>{{{0, 100}, {10, 90}}, {{30, 70}, {40, 60}}}));
    for (const TCanvasCall& Call : Rig.BufferCanvas().Of("Line"))
        EXPECT_EQ(Call.Pen, (TPen{clBlue, 3, TPenStyle::psSolid}));
}

TEST_F(Diagram, BreaksTheLineWhereAPointIsInvalidOrHasNoFinitePlace) {
    struct TCase {
        std::string Name;
        std::vector<TPointSpec> Points;
        std::vector<TSegment> Expected;
    };
    const std::vector<TCase> Cases = {
        {"one valid point", {{1, 1}}, {}},
        {"no two valid points in a row", {{1, 1}, {2, 2, false}, {3, 3}, {4, 4, false}}, {}},
        {"invalid first and last",
         {{0, 0, false}, {1, 1}, {2, 2}, {3, 3, false}},
         {{{10, 90}, {20, 80}}}},
        {"two invalid in a row",
         {{1, 1}, {2, 2}, {3, 3, false}, {4, 4, false}, {5, 5}, {6, 6}},
         {{{10, 90}, {20, 80}}, {{50, 50}, {60, 40}}}},
        {"not finite",
         {{1, 1}, {2, 2}, {NaN, 3}, {4, 4}, {5, Inf}, {6, 6}, {7, 7}},
         {{{10, 90}, {20, 80}}, {{60, 40}, {70, 30}}}},
        {"an unbroken line",
         {{1, 1}, {2, 2}, {3, 3}},
         {{{10, 90}, {20, 80}}, {{20, 80}, {30, 70}}}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        D.Series().Clear();
        Add(C.Points);
        EXPECT_EQ(Painted(), C.Expected);
    }
}

TEST_F(Diagram, DrawsVisibleSeriesInListOrderEachInItsOwnPen) {
    Add({{0, 0}, {1, 1}})->SetColor(clGreen);
    Add({{5, 5}, {6, 6}}, false);
    Add({{2, 2}, {3, 3}})->SetColor(clNavy);
    Painted();
    const auto Calls = Rig.BufferCanvas().Of("Line");
    ASSERT_EQ(Calls.size(), 2u);
    EXPECT_EQ(Calls[0].Points, (TSegment{{0, 100}, {10, 90}}));
    EXPECT_EQ(Calls[0].Pen.Color, clGreen);
    EXPECT_EQ(Calls[1].Points, (TSegment{{20, 80}, {30, 70}}));
    EXPECT_EQ(Calls[1].Pen.Color, clNavy);

    D.SetVisible(false);
    EXPECT_TRUE(Painted().empty());
}

TEST_F(Diagram, ExtremesCountEverySerieAndEveryElement) {
    EXPECT_EQ(D.GetMinX(), 1e20);
    EXPECT_EQ(D.GetMaxX(), -1e20);
    EXPECT_EQ(D.GetMinY(), 1e20);
    EXPECT_EQ(D.GetMaxY(), -1e20);
    Add({{1, 5}, {2, 6}});
    Add({{-3, 40}}, false);
    Add({{9, -7, false}});
    Add({});
    EXPECT_EQ(D.GetMinX(), -3);
    EXPECT_EQ(D.GetMaxX(), 9);
    EXPECT_EQ(D.GetMinY(), -7);
    EXPECT_EQ(D.GetMaxY(), 40);
}

TEST_F(Diagram, FollowsTheViewOfItsSurfaceOnly) {
    Add({{1, 1}, {2, 2}});
    int Paints = 0;
    Rig.Surface->OnPaint = [&](TObject*) { ++Paints; };
    Rig.BufferCanvas().ClearCalls();
    Rig.Surface->SetMMRect(MMRect(0, 20, 20, 0)); // 5 pixels per unit
    EXPECT_EQ(Paints, 1);
    EXPECT_EQ(Lines(Rig.BufferCanvas()), (std::vector<TSegment>{{{5, 95}, {10, 90}}}));

    TSurfaceRig Other{100, 100};
    D.SetMMSurface(Other.Surface.get());
    int OtherPaints = 0;
    Other.Surface->OnPaint = [&](TObject*) { ++OtherPaints; };
    Paints = 0;
    Rig.Surface->SetMMRect(MMRect(0, 10, 10, 0));
    EXPECT_EQ(OtherPaints, 0); // the former surface's view no longer reaches the diagram
    Other.Surface->SetMMRect(MMRect(0, 10, 10, 0));
    EXPECT_EQ(OtherPaints, 1);
    D.SetMMSurface(nullptr);
}

TEST_F(Diagram, LetsGoOfASurfaceThatIsFreedFirst) {
    Add({{1, 1}, {2, 2}});
    Rig.Surface.reset();
    EXPECT_EQ(D.MMSurface(), nullptr);
    D.Paint(); // draws nothing and touches no freed surface
}

TEST(DiagramLifetime, ADiagramFreedFirstLeavesItsSurface) {
    TSurfaceRig Rig{100, 100};
    {
        TMMDiagram D;
        D.SetMMSurface(Rig.Surface.get());
    }
    EXPECT_EQ(Rig.Surface->GraphicItems().Count(), 0);
    Rig.Surface->SetMMRect(MMRect(0, 10, 10, 0)); // no link of the freed diagram is called
}

// ---- fitting ----

struct TSerieSpec {
    std::vector<TPointSpec> Points;
    bool Visible = true;
};

struct TFitCase {
    std::string Name;
    std::vector<TSerieSpec> Series;
    TMMRect Expected; // XMin, YMax, XMax, YMin
};

std::vector<TPointSpec> Rising(double XFrom, double XTo, double YFrom, double YTo, int N) {
    std::vector<TPointSpec> P;
    for (int I = 0; I < N; ++I)
        P.push_back({XFrom + (XTo - XFrom) * I / (N - 1), YFrom + (YTo - YFrom) * I / (N - 1)});
    return P;
}

TEST(DiagramFit, FitsTheViewToTheData) {
    // Y 10..50 over X 1..20 shows x -7.5..22.5 and y 6..54.
    const auto Line = Rising(1, 20, 10, 50, 20);
    const TMMRect LineView = MMRect(-7.5, 54, 22.5, 6);
    auto Falling = Line;
    std::reverse(Falling.begin(), Falling.end());
    auto WithFaults = Line;
    WithFaults.insert(WithFaults.begin() + 5, {{1000, -500, false}, {Inf, 30}, {40, NaN}});
    WithFaults.push_back({500, 900, false});

    const std::vector<TFitCase> Cases = {
        {"one visible series", {{Line}}, LineView},
        {"X falling", {{Falling}}, LineView},
        {"invalid and not finite points left out", {{WithFaults}}, LineView},
        {"an empty last series", {{Line}, {{}}}, LineView},
        {"all hidden: y 0..360", {{Line, false}}, MMRect(-7.5, 396, 22.5, -36)},
        {"x from hidden series too, y from visible only",
         {{Rising(1, 10, 10, 50, 10)}, {Rising(1, 20, 1000, 2000, 5), false}},
         LineView},
        {"data wholly left of -5", {{Rising(-30, -10, 10, 50, 5)}}, MMRect(-32, 54, -8, 6)},
        {"a single point", {{{{3, 7}}}}, MMRect(-5.8, 8.2, 3.8, 5.8)},
    };
    for (const TFitCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TSurfaceRig Rig{400, 300};
        Rig.Surface->SetSquare(false);
        TMMDiagram D;
        for (const TSerieSpec& S : C.Series)
            D.Series().Add(MakeSerie(S.Points, S.Visible));
        FitDiagram(*Rig.Surface, D);
        EXPECT_NEAR(Rig.Surface->XMin(), C.Expected.Left, 1e-9);
        EXPECT_NEAR(Rig.Surface->YMax(), C.Expected.Top, 1e-9);
        EXPECT_NEAR(Rig.Surface->XMax(), C.Expected.Right, 1e-9);
        EXPECT_NEAR(Rig.Surface->YMin(), C.Expected.Bottom, 1e-9);
    }
}

TEST(DiagramFit, LeavesWhatItHasNoDataFor) {
    TSurfaceRig Rig{400, 300};
    Rig.Surface->SetSquare(false);
    const TMMRect View = MMRect(-10, 400, 400, -20);
    Rig.Surface->SetMMRect(View);
    TMMDiagram D;

    FitDiagram(*Rig.Surface, D); // no series: the view stays
    EXPECT_EQ(Rig.Surface->ViewRect(), View);

    // Series without a usable point: x stays, y shows 0..360 with its margins.
    D.Series().Add(MakeSerie({{5, 5, false}, {NaN, 1}}, true));
    D.Series().Add(MakeSerie({}, true));
    FitDiagram(*Rig.Surface, D);
    EXPECT_EQ(Rig.Surface->XMin(), -10);
    EXPECT_EQ(Rig.Surface->XMax(), 400);
    EXPECT_DOUBLE_EQ(Rig.Surface->YMin(), -36);
    EXPECT_DOUBLE_EQ(Rig.Surface->YMax(), 396);
}

} // namespace
