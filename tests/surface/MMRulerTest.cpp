// Rulers: tick geometry, labels from both passes, alignment with the surface's control, bounded
// work far from the origin or far zoomed out, and the panel's window procedure.
#include "surface/MMRuler.h"
#include "support/FakeControl.h"
#include "surface/MMSurface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using TPoints = std::vector<TPoint>;

constexpr TColor PanelColor = 0xF0F0F0;

// A 280 x 280 surface showing -35..35 both ways (4 px per mm, increment 10) and a horizontal
// ruler on a 280 x 30 panel at the same screen column. The recorder's text is 13 px high, so the
// labels of a 30 px ruler start 17 px from the ticks' edge.
class Ruler : public ::testing::Test {
protected:
    Ruler() {
        Rig.Surface->SetMMRect(MMRect(-35, 35, 35, -35));
        Item.SetControl(&Panel);
        Item.SetRulerOrientation(TRulerOrientation::roHorizontal);
        Item.SetMMSurface(Rig.Surface.get());
    }
    TRecordingCanvas& Canvas() { return dynamic_cast<TRecordingCanvas&>(Item.Canvas()); }
    const std::vector<TCanvasCall>& Draw() {
        Canvas().ClearCalls();
        Item.DrawRuler();
        return Canvas().Calls;
    }
    // Shows View on a surface control of the given size (Square on) and a panel as long.
    void Show(int Width, int Height, const TMMRect& View) {
        Rig.Control.Resize(Width, Height);
        Rig.Surface->SetMMRect(View);
        const bool Vertical = Item.RulerOrientation() == TRulerOrientation::roVertical;
        Panel.SetClientRect(Vertical ? Rect(0, 0, 30, Height) : Rect(0, 0, Width, 30));
    }
    std::vector<std::string> Labels() {
        std::vector<std::string> R;
        for (const auto& C : Canvas().Of("TextOut"))
            R.push_back(C.Text);
        return R;
    }
    static bool Has(const std::vector<TCanvasCall>& Calls, const std::string& Op,
                    const TPoints& Points, const std::string& Text = "") {
        return std::any_of(Calls.begin(), Calls.end(), [&](const TCanvasCall& C) {
            return C.Op == Op && C.Points == Points && C.Text == Text;
        });
    }

    int Paints = 0; // outlives the ruler that counts
    TSurfaceRig Rig{280, 280};
    TFakeControl Panel{Rect(0, 0, 280, 30)};
    TMMRuler Item;
};

struct TGeometryCase {
    const char* Name;
    TRulerOrientation Orientation;
    TScalaOrientation Scala;
    TRect Panel;
    int ZeroHeight; // of the text "0"
    int Start, MajorEnd, FifthEnd, MinorEnd, LabelBand;
};

const TGeometryCase GeometryCases[] = {
    {"horizontal from the top", TRulerOrientation::roHorizontal, TScalaOrientation::soTopLeft,
     Rect(0, 0, 280, 30), 14, 0, 16, 9, 5, 16},
    {"horizontal from the bottom", TRulerOrientation::roHorizontal,
     TScalaOrientation::soBottomRight, Rect(0, 0, 280, 30), 14, 30, 14, 21, 25, 0},
    // The text is higher than half the width: th = 10.
    {"vertical from the left", TRulerOrientation::roVertical, TScalaOrientation::soTopLeft,
     Rect(0, 0, 20, 280), 14, 0, 10, 6, 3, 10},
    {"vertical from the right", TRulerOrientation::roVertical, TScalaOrientation::soBottomRight,
     Rect(0, 0, 20, 280), 14, 20, 10, 14, 17, 0},
};

TEST_F(Ruler, TicksGrowFromTheirEdgeAndLabelsSitAlongTheOther) {
    for (const TGeometryCase& C : GeometryCases) {
        SCOPED_TRACE(C.Name);
        Panel.SetClientRect(C.Panel);
        Item.SetRulerOrientation(C.Orientation);
        Item.SetScalaOrientation(C.Scala);
        Canvas().CharHeight = C.ZeroHeight;
        const auto& Calls = Draw();
        // World 0 at pixel 140 both ways, 1 at 144 (x) or 136 (y), 5 at 160 or 120.
        if (C.Orientation == TRulerOrientation::roHorizontal) {
            EXPECT_TRUE(Has(Calls, "Line", {{140, C.Start}, {140, C.MajorEnd}}));
            EXPECT_TRUE(Has(Calls, "Line", {{144, C.Start}, {144, C.MinorEnd}}));
            EXPECT_TRUE(Has(Calls, "Line", {{160, C.Start}, {160, C.FifthEnd}}));
            EXPECT_TRUE(Has(Calls, "TextOut", {{140, C.LabelBand}}, "0"));
        } else {
            EXPECT_TRUE(Has(Calls, "Line", {{C.Start, 140}, {C.MajorEnd, 140}}));
            EXPECT_TRUE(Has(Calls, "Line", {{C.Start, 136}, {C.MinorEnd, 136}}));
            EXPECT_TRUE(Has(Calls, "Line", {{C.Start, 120}, {C.FifthEnd, 120}}));
            EXPECT_TRUE(Has(Calls, "TextOut", {{C.LabelBand, 140}}, "0"));
        }
    }
}

TEST_F(Ruler, LabelsTheUpwardPassFromZeroThenTheDownwardOneWithoutZeroAgain) {
    Draw();
    EXPECT_EQ(Labels(), (std::vector<std::string>{"0", "10", "20", "30", "-10", "-20", "-30"}));
    const auto Texts = Canvas().Of("TextOut");
    const std::vector<int> Columns = {140, 180, 220, 260, 100, 60, 20};
    for (std::size_t I = 0; I < Texts.size(); ++I)
        EXPECT_EQ(Texts[I].Points, TPoints({{Columns[I], 17}}));
    // Nine minor ticks beyond each major one, away from zero, and zero's on both sides.
    EXPECT_EQ(Canvas().Of("Line").size(), 7u + 8 * 9);
    EXPECT_TRUE(Has(Canvas().Calls, "Line", {{296, 0}, {296, 5}})); // 39, beyond the panel
    EXPECT_TRUE(Has(Canvas().Calls, "Line", {{-16, 0}, {-16, 5}})); // -39
    EXPECT_TRUE(Has(Canvas().Calls, "Line", {{136, 0}, {136, 5}})); // -1
}

TEST_F(Ruler, DrawsInBlackWithArialEightPointLabelsOnThePanelColour) {
    for (const auto& C : Draw()) {
        SCOPED_TRACE(C.Op);
        if (C.Op == "FillRect") {
            EXPECT_EQ(C.Brush, (TBrush{PanelColor, TBrushStyle::bsSolid}));
            EXPECT_EQ(C.Points, TPoints({{0, 0}, {280, 30}}));
        } else if (C.Op == "Line") {
            EXPECT_EQ(C.Pen.Color, clBlack);
        } else {
            EXPECT_EQ(C.Font.Name, "arial");
            EXPECT_EQ(C.Font.Height, 11); // 8 points at 96 dpi
            EXPECT_EQ(C.Font.Escapement, 0);
            EXPECT_FALSE(C.TextTransparent);
            EXPECT_EQ(C.Brush, (TBrush{PanelColor, TBrushStyle::bsSolid}));
        }
    }
}

TEST_F(Ruler, VerticalLabelsReadUpwardsOnATransparentBackgroundAndTheFontIsRestored) {
    Panel.SetClientRect(Rect(0, 0, 30, 280));
    Item.SetRulerOrientation(TRulerOrientation::roVertical);
    const auto Texts = (Draw(), Canvas().Of("TextOut"));
    ASSERT_EQ(Texts.size(), 7u);
    for (const auto& T : Texts) {
        EXPECT_EQ(T.Font.Escapement, 900);
        EXPECT_EQ(T.Font.Name, "arial");
        EXPECT_TRUE(T.TextTransparent);
    }
    // Zero at row 140, ten at row 100 (y up), the label starting at the tick.
    EXPECT_EQ(Texts[0].Points, TPoints({{17, 140}}));
    EXPECT_EQ(Texts[1].Points, TPoints({{17, 100}}));
    EXPECT_EQ(Item.Canvas().Font().Escapement, 0);
    EXPECT_FALSE(Item.Canvas().TextTransparent());
}

TEST_F(Ruler, TicksLineUpWithTheSurfacesControlOnTheScreen) {
    Rig.Control.Origin = Point(50, 10);
    Panel.Origin = Point(30, 300);
    Draw();
    EXPECT_TRUE(Has(Canvas().Calls, "TextOut", {{160, 17}}, "0"));
    Panel.SetClientRect(Rect(0, 0, 30, 280));
    Panel.Origin = Point(20, 0);
    Item.SetRulerOrientation(TRulerOrientation::roVertical);
    Draw();
    EXPECT_TRUE(Has(Canvas().Calls, "TextOut", {{17, 150}}, "0"));
}

TEST_F(Ruler, FarFromTheOriginStillStartsAtZeroButVisitsOnlyWhatReachesThePanel) {
    struct TCase {
        const char* Name;
        double From;
        std::vector<std::string> Shown; // the labels starting on the panel
    };
    const TCase Cases[] = {
        {"100..200", 100, {"100", "110", "120", "130", "140", "150", "160", "170", "180", "190"}},
        {"1e12 away",
         1e12 - 50,
         {"999999999950", "999999999960", "999999999970", "999999999980", "999999999990",
          "1000000000000", "1000000000010", "1000000000020", "1000000000030", "1000000000040"}}};
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        Show(400, 400, MMRect(C.From, 50, C.From + 100, -50));
        ASSERT_EQ(Rig.Surface->HorizScalaIncrement(), 10);
        Draw();
        std::vector<std::string> Shown;
        for (const auto& T : Canvas().Of("TextOut")) {
            EXPECT_NE(T.Text.front(), '-'); // the downward pass has nothing to draw
            if (T.Points[0].X >= 0 && T.Points[0].X < 400)
                Shown.push_back(T.Text);
        }
        EXPECT_EQ(Shown, C.Shown);
        EXPECT_LT(Canvas().Calls.size(), 300u);
    }
    // A view of no span beyond where doubles count increments: a few ticks at most.
    Show(400, 400, MMRect(1e300, 50, 1e300, -50));
    ASSERT_EQ(Rig.Surface->GetMMWidth(), 0.0);
    EXPECT_LT(Draw().size(), 40u);
}

TEST_F(Ruler, LeavesOutTicksUnderTwoPixelsApart) {
    struct TCase {
        const char* Name;
        int Width, Height;
        TMMRect View;
        std::size_t Ticks, Labels;
    };
    const TCase Cases[] = {
        // Majors 10 px apart, minors 1 px: only the majors of -950000..950000.
        {"past the largest increment", 400, 400, MMRect(-1e6, 1e6, 1e6, -1e6), 39, 39},
        {"1e12 wide", 400, 400, MMRect(-5e11, 5e11, 5e11, -5e11), 0, 0},
        // Square widens x to 1e15 on a 1000 x 1 control.
        {"1e15 wide", 1000, 1, MMRect(-10, 5e11, 10, -5e11), 0, 0},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        Show(C.Width, C.Height, C.View);
        Draw();
        EXPECT_EQ(Canvas().Of("Line").size(), C.Ticks);
        EXPECT_EQ(Canvas().Of("TextOut").size(), C.Labels);
        EXPECT_EQ(Canvas().Of("FillRect").size(), 1u);
    }
    EXPECT_DOUBLE_EQ(Rig.Surface->GetMMWidth(), 1e15);
}

TEST_F(Ruler, ShowsOnlyItsBackgroundWithoutSurfaceOrIncrement) {
    Item.SetMMSurface(nullptr);
    EXPECT_EQ(Draw().size(), 1u);
    // A surface that never had a control has no increment yet.
    TMMSurface Bare;
    ASSERT_EQ(Bare.HorizScalaIncrement(), 0);
    Item.SetMMSurface(&Bare);
    const auto& Calls = Draw();
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].Op, "FillRect");
    Item.SetMMSurface(nullptr);
}

TEST_F(Ruler, RepaintsAndPresentsOnEveryViewChange) {
    Item.OnPaint = [this](TObject* Sender) {
        EXPECT_EQ(Sender, &Item);
        ++Paints;
    };
    const std::size_t Before = Panel.Screen.Of("Draw").size();
    Rig.Surface->ZoomIn(0, 0, 2);
    EXPECT_EQ(Paints, 1);
    EXPECT_EQ(Panel.Screen.Of("Draw").size(), Before + 1);
    EXPECT_EQ(Labels().front(), "0");
    // An orientation redraws and presents without OnPaint.
    Item.SetScalaOrientation(TScalaOrientation::soBottomRight);
    EXPECT_EQ(Paints, 1);
    EXPECT_EQ(Panel.Screen.Of("Draw").size(), Before + 2);
}

TEST_F(Ruler, PaintsOnThePanelsPaintAndSizeMessagesAndPassesInputOn) {
    Item.OnPaint = [this](TObject*) { ++Paints; };
    EXPECT_FALSE(Panel.Send(TMessageId::WM_PAINT));
    EXPECT_EQ(Paints, 1);
    EXPECT_EQ(Panel.Screen.Calls.back().Op, "Draw");
    EXPECT_FALSE(Panel.Send(TMessageId::WM_ERASEBKGND));
    EXPECT_TRUE(Panel.Send(TMessageId::WM_LBUTTONDOWN, 5, 5));
    // A resize repaints the whole panel, and the panel still hears of it.
    Panel.Screen.Calls.clear();
    EXPECT_TRUE(Panel.Send(TMessageId::WM_SIZE));
    EXPECT_EQ(Paints, 2);
    ASSERT_FALSE(Panel.Screen.Calls.empty());
    EXPECT_EQ(Panel.Screen.Calls.back().Op, "Draw");
    Item.SetControl(nullptr);
    EXPECT_TRUE(Panel.Send(TMessageId::WM_PAINT)); // the panel's own procedure again
    EXPECT_EQ(Paints, 2);
}

TEST_F(Ruler, LetsGoOfASurfaceOrPanelFreedFirst) {
    Rig.Surface.reset();
    EXPECT_EQ(Item.MMSurface(), nullptr);
    EXPECT_EQ(Draw().size(), 1u);
    auto Own = std::make_unique<TFakeControl>(Rect(0, 0, 100, 30));
    Item.SetControl(Own.get());
    Own.reset();
    EXPECT_EQ(Item.Control(), nullptr);
    EXPECT_NO_THROW(Item.Paint());
}

TEST(RulerLifetime, ARulerFreedFirstNoLongerFollowsTheViewNorHooksThePanel) {
    TSurfaceRig Rig{280, 280};
    TFakeControl Panel{Rect(0, 0, 280, 30)};
    auto Item = std::make_unique<TMMRuler>();
    Item->SetControl(&Panel);
    Item->SetMMSurface(Rig.Surface.get());
    Item.reset();
    EXPECT_NO_THROW(Rig.Surface->ZoomIn(0, 0, 2)); // would reach a freed change link
    EXPECT_TRUE(Panel.Send(TMessageId::WM_PAINT));
}

TEST(RulerDefaults, AVerticalScaleFromTheLeftOnTheButtonFaceColour) {
    TFakePlatform Platform;
    TMMRuler Item;
    EXPECT_EQ(Item.RulerOrientation(), TRulerOrientation::roVertical);
    EXPECT_EQ(Item.ScalaOrientation(), TScalaOrientation::soTopLeft);
    EXPECT_EQ(Item.Color(), PanelColor);
    EXPECT_EQ(Item.MMSurface(), nullptr);
    EXPECT_EQ(Item.Control(), nullptr);
}

} // namespace
