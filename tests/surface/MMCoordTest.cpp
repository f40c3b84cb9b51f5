// The axes: lines, arrow heads and labels for the origin inside and outside the view.
#include "surface/MMCoord.h"
#include "support/FakeControl.h"
#include "surface/MMSurface.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using TPoints = std::vector<TPoint>;

// Axes on a 400 x 400 surface; the recorder measures 7 px per character and 13 px of height.
class Axes : public ::testing::Test {
protected:
    Axes() { Coord.SetMMSurface(Rig.Surface.get()); }
    // The calls of one painting of the axes at View.
    std::vector<TCanvasCall> PaintAt(const TMMRect& View) {
        Rig.Surface->SetMMRect(View);
        Canvas().ClearCalls();
        Coord.Paint();
        return Canvas().Calls;
    }
    TRecordingCanvas& Canvas() { return Rig.BufferCanvas(); }

    int Paints = 0; // outlives the surface that counts
    TSurfaceRig Rig{400, 400};
    TMMCoord Coord;
};

struct TAxesCase {
    const char* Name;
    TMMRect View;
    TPoints XLine, XArrow;
    TPoint XLabel;
    TPoints YLine, YArrow;
    TPoint YLabel;
};

// Arrow heads: base width 6, length 10; the x head's base 11 px inside the right edge, the y
// head's base 10 px below the top, so its tip touches the top.
const TAxesCase AxesCases[] = {
    {"origin in the middle: labels above and left",
     MMRect(-10, 10, 10, -10),
     {{0, 200}, {400, 200}},
     {{399, 200}, {389, 197}, {389, 203}},
     {386, 181},
     {{200, 400}, {200, 0}},
     {{200, 0}, {197, 10}, {203, 10}},
     {187, 5}},
    {"origin in the upper left quarter: labels below and right",
     MMRect(-5, 5, 15, -15),
     {{0, 100}, {400, 100}},
     {{399, 100}, {389, 97}, {389, 103}},
     {386, 106},
     {{100, 400}, {100, 0}},
     {{100, 0}, {97, 10}, {103, 10}},
     {106, 5}},
    {"origin left of the view: a y stub at the left",
     MMRect(5, 10, 25, -10),
     {{0, 200}, {400, 200}},
     {{399, 200}, {389, 197}, {389, 203}},
     {386, 181},
     {{10, 20}, {10, 0}},
     {{10, 0}, {7, 10}, {13, 10}},
     {16, 5}},
    {"origin right of the view: a y stub at the right, its label 50 px down",
     MMRect(-30, 10, -10, -10),
     {{0, 200}, {400, 200}},
     {{399, 200}, {389, 197}, {389, 203}},
     {386, 181},
     {{390, 20}, {390, 0}},
     {{390, 0}, {387, 10}, {393, 10}},
     {377, 50}},
    {"origin above the view: an x stub at row 10",
     MMRect(-10, -10, 10, -30),
     {{380, 10}, {400, 10}},
     {{399, 10}, {389, 7}, {389, 13}},
     {386, 16},
     {{200, 400}, {200, 0}},
     {{200, 0}, {197, 10}, {203, 10}},
     {187, 5}},
    {"origin below the view: an x stub 10 px above the bottom",
     MMRect(-10, 30, 10, 10),
     {{380, 390}, {400, 390}},
     {{399, 390}, {389, 387}, {389, 393}},
     {386, 371},
     {{200, 400}, {200, 0}},
     {{200, 0}, {197, 10}, {203, 10}},
     {187, 5}},
};

TEST_F(Axes, DrawLinesArrowsAndLabelsForEveryPlaceOfTheOrigin) {
    for (const TAxesCase& C : AxesCases) {
        SCOPED_TRACE(C.Name);
        const auto Calls = PaintAt(C.View);
        ASSERT_EQ(Calls.size(), 6u);
        EXPECT_EQ(Calls[0].Op, "Line");
        EXPECT_EQ(Calls[0].Points, C.XLine);
        EXPECT_EQ(Calls[1].Op, "Polygon");
        EXPECT_EQ(Calls[1].Points, C.XArrow);
        EXPECT_EQ(Calls[2].Op, "TextOut");
        EXPECT_EQ(Calls[2].Text, "x");
        EXPECT_EQ(Calls[2].Points, TPoints{C.XLabel});
        EXPECT_EQ(Calls[3].Points, C.YLine);
        EXPECT_EQ(Calls[4].Points, C.YArrow);
        EXPECT_EQ(Calls[5].Text, "y");
        EXPECT_EQ(Calls[5].Points, TPoints{C.YLabel});
    }
}

TEST_F(Axes, DrawInTheAxisColourWithFilledHeadsAndLabelsOnWhite) {
    Coord.SetAxisColor(clRed);
    Coord.SetFontSize(20);
    for (const auto& Call : PaintAt(MMRect(-10, 10, 10, -10))) {
        SCOPED_TRACE(Call.Op);
        EXPECT_EQ(Call.Pen.Color, clRed);
        EXPECT_EQ(Call.Pen.Width, 1);
        EXPECT_EQ(Call.Pen.Style, TPenStyle::psSolid);
        if (Call.Op == "Polygon") {
            EXPECT_EQ(Call.Brush, (TBrush{clRed, TBrushStyle::bsSolid}));
        } else if (Call.Op == "TextOut") {
            EXPECT_EQ(Call.Brush, (TBrush{clWhite, TBrushStyle::bsSolid}));
            EXPECT_FALSE(Call.TextTransparent);
            EXPECT_EQ(Call.Font.Color, clRed);
            EXPECT_EQ(Call.Font.Height, 20);
        }
    }
}

// Measures text with the height of the font in force: every character is as wide as it is high.
class TFontMeasuringCanvas : public TRecordingCanvas {
public:
    int TextWidth(const std::string& Text) override {
        return Font().Height * static_cast<int>(Text.size());
    }
    int TextHeight(const std::string&) override { return Font().Height; }
};

TEST(AxesLabels, AreMeasuredWithTheFontInForceBeforeTheirOwnIsApplied) {
    TFontMeasuringCanvas Page; // outlives the surface that prints on it
    TSurfaceRig Rig{400, 400};
    TMMCoord Coord;
    Coord.SetMMSurface(Rig.Surface.get());
    Rig.Surface->SetPrintRect(Rect(0, 0, 400, 400));
    Rig.Surface->SetPrintCanvas(&Page);
    Rig.Surface->SetPrinting(true);
    Rig.Surface->SetMMRect(MMRect(-10, 10, 10, -10));
    Page.Font().Height = 20;
    Page.ClearCalls();
    Coord.Paint();
    const auto Labels = Page.Of("TextOut");
    ASSERT_EQ(Labels.size(), 2u);
    // The x label with the page's 20 px font: x = 400 - 20 - 20, y = 200 - 6 - 20.
    EXPECT_EQ(Labels[0].Points, TPoints({{360, 174}}));
    // The y label with the x label's 15 px font: x = 200 - 15 - 6.
    EXPECT_EQ(Labels[1].Points, TPoints({{179, 5}}));
    EXPECT_EQ(Labels[1].Font.Height, 15);
}

TEST_F(Axes, StartVisibleAtOrderOneWithDefaults) {
    TMMCoord Fresh;
    EXPECT_TRUE(Fresh.Visible());
    EXPECT_EQ(Fresh.Order(), 1);
    EXPECT_EQ(Fresh.AxisColor(), clBlack);
    EXPECT_EQ(Fresh.ArrowHeight(), 6);
    EXPECT_EQ(Fresh.ArrowWidth(), 10);
    EXPECT_EQ(Fresh.FontSize(), 15);
    EXPECT_EQ(Fresh.XLabel(), "x");
    EXPECT_EQ(Fresh.YLabel(), "y");
}

TEST_F(Axes, SettersWaitForTheNextRepaint) {
    Rig.Surface->OnPaint = [this](TObject*) { ++Paints; };
    Coord.SetAxisColor(clBlue);
    Coord.SetXLabel("GST");
    Coord.SetArrowHeight(8);
    EXPECT_EQ(Paints, 0);
    Canvas().ClearCalls();
    Rig.Surface->Repaint(false);
    const auto Labels = Canvas().Of("TextOut");
    ASSERT_FALSE(Labels.empty());
    EXPECT_EQ(Labels.front().Text, "GST");
    EXPECT_EQ(Labels.front().Font.Color, clBlue);
}

TEST_F(Axes, AViewChangeDrawsThemAtOnceEvenInsideABatch) {
    Rig.Surface->BeginUpdate();
    Canvas().ClearCalls();
    Rig.Surface->SetMMRect(MMRect(-5, 5, 5, -5));
    EXPECT_EQ(Canvas().Of("TextOut").size(), 2u);
    EXPECT_TRUE(Canvas().Of("FillRect").empty()); // no repaint yet
    Rig.Surface->EndUpdate();
}

TEST_F(Axes, DrawNothingWhenHiddenOrWithoutSurface) {
    Coord.SetVisible(false);
    EXPECT_TRUE(PaintAt(MMRect(-10, 10, 10, -10)).empty());
    Coord.SetVisible(true);
    Coord.SetMMSurface(nullptr);
    Canvas().ClearCalls();
    Coord.Paint();
    EXPECT_TRUE(Canvas().Calls.empty());
}

TEST_F(Axes, LetGoOfASurfaceFreedFirst) {
    Rig.Surface.reset();
    EXPECT_EQ(Coord.MMSurface(), nullptr);
    EXPECT_NO_THROW(Coord.Paint());
}

TEST(AxesLifetime, AxesFreedFirstNoLongerFollowTheView) {
    TSurfaceRig Rig{400, 400};
    auto Coord = std::make_unique<TMMCoord>();
    Coord->SetMMSurface(Rig.Surface.get());
    Coord.reset();
    EXPECT_EQ(Rig.Surface->GraphicItems().Count(), 0);
    Rig.BufferCanvas().ClearCalls();
    Rig.Surface->SetMMRect(MMRect(-5, 5, 5, -5)); // would reach a freed change link
    EXPECT_TRUE(Rig.BufferCanvas().Of("TextOut").empty());
}

} // namespace
