#include "gear/uJoint.h"
#include "support/GearFixture.h"

#include <gtest/gtest.h>

namespace {

struct TJointPaint : ::testing::Test {
    TGearSurface View;
    TMoveLog Log;
    TSpyLink A{Log, "A"}, B{Log, "B"};
    TJoint Joint;

    TJointPaint() {
        Joint.SetX(20);
        Joint.SetY(30); // pixel (40, 140)
        Joint.SetID(4);
        Joint.SetShowID(false);
        Joint.SetShowMPol(false);
        Joint.SetMMSurface(&View.Surface());
        A.AddJoint(&Joint);
    }
    std::vector<TCanvasCall> PaintNow() {
        View.Canvas().ClearCalls();
        Joint.Paint();
        return View.Canvas().Calls;
    }
};

TEST_F(TJointPaint, CircleGrowsWithTheSecondLink) {
    Joint.SetLineThickness(2);
    auto Calls = PaintNow();
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].Op, "Ellipse");
    EXPECT_EQ(Calls[0].Points, (std::vector<TPoint>{{37, 137}, {44, 144}}));
    EXPECT_EQ(Calls[0].Pen.Color, clBlack);
    EXPECT_EQ(Calls[0].Pen.Width, 2);
    EXPECT_EQ(Calls[0].Brush.Color, clWhite);
    EXPECT_EQ(Calls[0].Brush.Style, TBrushStyle::bsSolid);

    B.AddJoint(&Joint);
    Calls = PaintNow();
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].Points, (std::vector<TPoint>{{35, 135}, {46, 146}}));
}

TEST_F(TJointPaint, SelectedColoursAndTheMiddlePixel) {
    Joint.SetSelected(true);
    Joint.SetShowMiddle(true);
    Joint.SetLineColor(clRed);
    auto Calls = PaintNow();
    ASSERT_EQ(Calls.size(), 2u);
    EXPECT_EQ(Calls[0].Pen.Color, clBlue);
    EXPECT_EQ(Calls[0].Brush.Color, clYellow);
    EXPECT_EQ(Calls[1].Op, "SetPixel");
    EXPECT_EQ(Calls[1].Points[0], Point(40, 140));
    EXPECT_EQ(Calls[1].Color, clRed); // the plain line colour even when selected
}

// The recording canvas measures 7 pixels per character and 13 pixels of height.
TEST_F(TJointPaint, Labels) {
    B.SetID(1);
    A.SetID(3);
    B.AddJoint(&Joint);
    Joint.SetShowID(true);
    Joint.SetShowMPol(true);
    Joint.SetShowIdentifier(true);
    Joint.SetIdentifier("Lager");
    Joint.SetIDTextHeight(9);
    Joint.SetIdentifierTextHeight(11);
    auto Texts = [&] {
        PaintNow();
        return View.Canvas().Of("TextOut");
    }();
    ASSERT_EQ(Texts.size(), 3u);
    struct TExpected {
        std::string Text;
        TPoint At;
        int FontHeight;
    } Expected[] = {
        {"(4)", Point(40 + 5 + 7, 140 - 6 - 7), 9},
        {"Lager", Point(40 - 17, 140 + 5 + 7), 11},
        {"13 ", Point(40 - 10, 140 - 13 - 5 - 7), 11},
    };
    for (std::size_t I = 0; I < Texts.size(); ++I) {
        SCOPED_TRACE(Expected[I].Text);
        EXPECT_EQ(Texts[I].Text, Expected[I].Text);
        EXPECT_EQ(Texts[I].Points[0], Expected[I].At);
        EXPECT_EQ(Texts[I].Font.Height, Expected[I].FontHeight);
        EXPECT_EQ(Texts[I].Brush.Color, clWhite);
        EXPECT_FALSE(Texts[I].TextTransparent);
    }
}

TEST_F(TJointPaint, NameAndPolesKeepClearOfTheFullRadiusOnASmallJoint) {
    Joint.SetShowIdentifier(true);
    Joint.SetIdentifier("P");
    PaintNow();
    auto Texts = View.Canvas().Of("TextOut");
    ASSERT_EQ(Texts.size(), 1u);
    EXPECT_EQ(Texts[0].Points[0], Point(40 - 3, 140 + 5 + 7));
}

TEST_F(TJointPaint, VirtualJointsAndJointsOffTheSurfaceDrawNothing) {
    Joint.SetIsVirtual(true);
    EXPECT_TRUE(PaintNow().empty());
    // Something made it visible: drawn with the wide pen.
    Joint.SetVisible(true);
    auto Calls = PaintNow();
    ASSERT_EQ(Calls.size(), 1u);
    EXPECT_EQ(Calls[0].Pen.Width, 10);

    Joint.SetIsVirtual(false);
    Joint.SetMMSurface(nullptr);
    Joint.Paint();
}

} // namespace
