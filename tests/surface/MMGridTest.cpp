// The grid: lines at the multiples of the surface's increments, and bounded work however far
// the view lies from the origin or however far it is zoomed out.
#include "surface/MMGrid.h"
#include "support/FakeControl.h"
#include "surface/MMSurface.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

class Grid : public ::testing::Test {
protected:
    Grid() {
        Item.SetVisible(true);
        Item.SetMMSurface(Rig->Surface.get());
    }
    // Rebuilds the surface on a control of the given size (Square on) showing View.
    void Show(int Width, int Height, const TMMRect& View) {
        Item.SetMMSurface(nullptr);
        Rig.reset(); // its platform goes before the next one comes
        Rig = std::make_unique<TSurfaceRig>(Width, Height);
        Rig->Surface->SetMMRect(View);
        Item.SetMMSurface(Rig->Surface.get());
    }
    TRecordingCanvas& Canvas() { return Rig->BufferCanvas(); }
    // Counts the surface's repaints from now on.
    void CountPaints() {
        Rig->Surface->OnPaint = [this](TObject*) { ++Paints; };
    }
    std::vector<TCanvasCall> Paint() {
        Canvas().ClearCalls();
        Item.Paint();
        return Canvas().Of("Line");
    }
    // The pixel columns of the vertical lines (from the top to the bottom) and the rows of the
    // horizontal ones.
    void Lines(std::vector<int>& Columns, std::vector<int>& Rows) {
        const int H = Rig->Surface->GetPixelHeight();
        for (const auto& L : Paint()) {
            const TPoint A = L.Points[0], B = L.Points[1];
            if (A.X == B.X && A.Y == 0 && B.Y == H)
                Columns.push_back(A.X);
            else
                Rows.push_back(A.Y);
        }
    }

    int Paints = 0; // outlives the surface that counts
    std::unique_ptr<TSurfaceRig> Rig = std::make_unique<TSurfaceRig>(200, 200);
    TMMGrid Item;
};

struct TGridCase {
    const char* Name;
    int Width, Height;
    TMMRect View;
    int Increment;
    std::vector<int> Columns, Rows;
};

const TGridCase GridCases[] = {
    // k from Round(-2.5) = -2 to Round(2.5) = 2: world -20, -10, 0, 10, 20.
    {"ties round to even",
     200,
     200,
     MMRect(-25, 25, 25, -25),
     10,
     {20, 60, 100, 140, 180},
     {180, 140, 100, 60, 20}},
    // Round(-1.75) = -2: the lines at -40 and 40 lie outside the view and are drawn (clipped).
    {"up to half an increment beyond the view",
     200,
     200,
     MMRect(-35, 35, 35, -35),
     20,
     {-14, 43, 100, 157, 214},
     {214, 157, 100, 43, -14}},
    {"1e12 from the origin, the same lines as near it",
     200,
     200,
     MMRect(1e12 - 25, 25, 1e12 + 25, -25),
     10,
     {20, 60, 100, 140, 180},
     {180, 140, 100, 60, 20}},
};

TEST_F(Grid, DrawsALineAtEveryMultipleOfTheIncrementsAcrossTheControl) {
    for (const TGridCase& C : GridCases) {
        SCOPED_TRACE(C.Name);
        Show(C.Width, C.Height, C.View);
        ASSERT_EQ(Rig->Surface->HorizScalaIncrement(), C.Increment);
        ASSERT_EQ(Rig->Surface->VertScalaIncrement(), C.Increment);
        std::vector<int> Columns, Rows;
        Lines(Columns, Rows);
        EXPECT_EQ(Columns, C.Columns);
        EXPECT_EQ(Rows, C.Rows);
        for (const auto& L : Canvas().Of("Line")) {
            const bool Vertical = L.Points[0].X == L.Points[1].X;
            EXPECT_EQ(L.Points[0], Vertical ? Point(L.Points[0].X, 0) : Point(0, L.Points[0].Y));
            EXPECT_EQ(L.Points[1],
                      Vertical ? Point(L.Points[0].X, C.Height) : Point(C.Width, L.Points[0].Y));
        }
    }
}

TEST_F(Grid, DrawsWithItsColourAndStyleOverTheBackground) {
    Rig->Surface->SetBackGroundColor(clYellow);
    Item.SetGridColor(clRed);
    Item.SetLineSytle(TPenStyle::psSolid);
    const auto Calls = Paint();
    ASSERT_FALSE(Calls.empty());
    for (const auto& L : Calls) {
        EXPECT_EQ(L.Pen, (TPen{clRed, 1, TPenStyle::psSolid}));
        EXPECT_EQ(L.Brush.Color, clYellow); // the gaps of a dotted line
    }
}

TEST_F(Grid, StartsHiddenDottedAndDark) {
    TMMGrid Fresh;
    EXPECT_FALSE(Fresh.Visible());
    EXPECT_EQ(Fresh.Order(), 0);
    EXPECT_EQ(Fresh.GridColor(), 0x320000u);
    EXPECT_EQ(Fresh.GridInterval(), 10.0);
    EXPECT_EQ(Fresh.LineSytle(), TPenStyle::psDot);
}

TEST_F(Grid, SettersRepaintAtOnceButTheIntervalChangesNoLine) {
    CountPaints();
    const auto Before = Paint();
    Item.SetGridColor(clBlue);
    Item.SetLineSytle(TPenStyle::psDot);
    Item.SetGridInterval(3.5);
    EXPECT_EQ(Paints, 3);
    const auto After = Paint();
    ASSERT_EQ(After.size(), Before.size());
    for (std::size_t I = 0; I < After.size(); ++I)
        EXPECT_EQ(After[I].Points, Before[I].Points);
}

TEST_F(Grid, FollowsEveryViewChange) {
    CountPaints();
    Rig->Surface->ZoomIn(0, 0, 2);
    EXPECT_EQ(Paints, 1);
    Rig->Surface->BeginUpdate();
    Rig->Surface->ScrollX(10);
    Rig->Surface->ScrollY(10);
    EXPECT_EQ(Paints, 1);
    Rig->Surface->EndUpdate();
    EXPECT_EQ(Paints, 2);
}

TEST_F(Grid, DrawsNothingHiddenOrWithoutAnIncrement) {
    Item.SetVisible(false);
    EXPECT_TRUE(Paint().empty());
    Item.SetVisible(true);
    // A control that never had an area gives the surface no increment.
    Show(0, 0, MMRect(-25, 25, 25, -25));
    ASSERT_EQ(Rig->Surface->HorizScalaIncrement(), 0);
    ASSERT_EQ(Rig->Surface->VertScalaIncrement(), 0);
    EXPECT_TRUE(Paint().empty());
}

struct TZoomedOutCase {
    const char* Name;
    int Width, Height;
    TMMRect View;
    std::size_t Columns, Rows;
};

// Past the largest increment (50000) the lines draw closer and closer; under 2 px apart they are
// left out rather than drawn by the million.
const TZoomedOutCase ZoomedOutCases[] = {
    {"2.5 px apart: still drawn", 200, 200, MMRect(-2e6, 2e6, 2e6, -2e6), 81, 81},
    {"1 px apart: left out", 200, 200, MMRect(-5e6, 5e6, 5e6, -5e6), 0, 0},
    {"1e12 wide", 200, 200, MMRect(-5e11, 5e11, 5e11, -5e11), 0, 0},
    // Square widens x to 1e15 on a 1000 x 1 control.
    {"1e15 wide", 1000, 1, MMRect(-10, 5e11, 10, -5e11), 0, 0},
};

TEST_F(Grid, LeavesOutLinesUnderTwoPixelsApart) {
    for (const TZoomedOutCase& C : ZoomedOutCases) {
        SCOPED_TRACE(C.Name);
        Show(C.Width, C.Height, C.View);
        std::vector<int> Columns, Rows;
        Lines(Columns, Rows);
        EXPECT_EQ(Columns.size(), C.Columns);
        EXPECT_EQ(Rows.size(), C.Rows);
    }
    EXPECT_DOUBLE_EQ(Rig->Surface->GetMMWidth(), 1e15);
}

TEST_F(Grid, DrawsAFewLinesOnAControlOfNoWidthHoweverWideTheView) {
    Rig->Surface->SetMMRect(MMRect(-25, 25, 25, -25));
    Rig->Control.Resize(0, 200); // the increments stay, the x scale becomes 1 px per mm
    Rig->Surface->SetMMRect(MMRect(-5e11, 25, 5e11, -25));
    ASSERT_EQ(Rig->Surface->HorizScalaIncrement(), 10);
    std::vector<int> Columns, Rows;
    Lines(Columns, Rows);
    EXPECT_LE(Columns.size(), 3u);
    EXPECT_EQ(Rows.size(), 5u);
}

TEST_F(Grid, DrawsAFewLinesForAViewOfNoSpanBeyondWhereDoublesCountIncrements) {
    Show(200, 200, MMRect(1e300, 25, 1e300, -25));
    ASSERT_EQ(Rig->Surface->GetMMWidth(), 0.0);
    std::vector<int> Columns, Rows;
    Lines(Columns, Rows);
    EXPECT_LE(Columns.size(), 3u);
}

TEST_F(Grid, LetsGoOfASurfaceFreedFirst) {
    Rig->Surface.reset();
    EXPECT_EQ(Item.MMSurface(), nullptr);
    EXPECT_NO_THROW(Item.Paint());
}

TEST(GridLifetime, AGridFreedFirstNoLongerFollowsTheView) {
    TSurfaceRig Rig{200, 200};
    auto Item = std::make_unique<TMMGrid>();
    Item->SetMMSurface(Rig.Surface.get());
    Item.reset();
    EXPECT_EQ(Rig.Surface->GraphicItems().Count(), 0);
    EXPECT_NO_THROW(Rig.Surface->ZoomIn(0, 0, 2));
}

} // namespace
