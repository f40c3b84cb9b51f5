// The plot cursor: a black dash-dot-dot line at its whole world x, over the surface's full height,
// drawn only while visible.
#include "surface/MMIntervalLine.h"
#include "support/FakeControl.h"
#include "surface/MMSurface.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 100 x 80 control showing x from 0 to 10: 10 pixels per unit.
class IntervalLine : public ::testing::Test {
protected:
    IntervalLine() {
        Rig.Surface->SetSquare(false);
        Rig.Surface->SetMMRect(MMRect(0, 10, 10, 0));
        Line.SetMMSurface(Rig.Surface.get());
    }
    std::vector<TCanvasCall> Painted() {
        Rig.BufferCanvas().ClearCalls();
        Rig.Surface->Repaint(false);
        return Rig.BufferCanvas().Of("Line");
    }

    TSurfaceRig Rig{100, 80};
    TMMIntervalLine Line;
};

TEST_F(IntervalLine, StartsHiddenAtZero) {
    EXPECT_EQ(Line.Position(), 0);
    EXPECT_FALSE(Line.Visible());
    EXPECT_TRUE(Painted().empty());
}

TEST_F(IntervalLine, DrawsAtItsPositionOverTheFullHeight) {
    Line.SetVisible(true);
    int Paints = 0;
    Rig.Surface->OnPaint = [&](TObject*) { ++Paints; };
    Line.SetPosition(3);
    EXPECT_EQ(Paints, 1) << "a new position repaints";
    Rig.Surface->OnPaint = nullptr;
    const std::vector<TCanvasCall> Lines = Painted();
    ASSERT_EQ(Lines.size(), 1u);
    EXPECT_EQ(Lines[0].Points, (std::vector<TPoint>{{30, 0}, {30, 80}}));
    EXPECT_EQ(Lines[0].Pen, (TPen{clBlack, 1, TPenStyle::psDashDotDot}));
}

TEST(IntervalLineAlone, WithoutASurfaceDrawsNothing) {
    TMMIntervalLine Line;
    Line.SetVisible(true);
    Line.SetPosition(4);
    Line.Paint();
    EXPECT_EQ(Line.Position(), 4);
}

} // namespace
