// The slider's block outline and its drawing on a recording canvas.
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace {

using TCorners = TSlider::TCorners;

// A slider with its pin at world (200, 150), which the rig maps to pixel (200, 150), on a slide
// link through (100, 100) in the direction Degrees; no slide link when Degrees is negative.
struct SliderAt {
    TPartsRig Rig;
    TSlider* S;
    explicit SliderAt(double Degrees, int SizeX = 30) {
        TLink* Slide = nullptr;
        if (Degrees >= 0) {
            double A = Degrees * std::numbers::pi / 180;
            Slide = Rig.Link(
                {Rig.Joint(100, 100), Rig.Joint(100 + 50 * std::cos(A), 100 + 50 * std::sin(A))});
        }
        S = Rig.Slider(Slide, 200, 150);
        S->SetSizeX(SizeX);
        Rig.Show(S);
    }
};

} // namespace

TEST(SliderCornersTest, OutlineFollowsTheSlideLink) {
    struct Case {
        double Degrees;
        int SizeX;
        TCorners Expected;
    } Cases[] = {
        // Lower left, upper left, upper right, lower right for a link pointing right.
        {0, 30, {{{185, 158}, {185, 142}, {215, 142}, {215, 158}, {185, 158}}}},
        // An odd SizeX loses its last pixel: 31 draws 30 long.
        {0, 31, {{{185, 158}, {185, 142}, {215, 142}, {215, 158}, {185, 158}}}},
        {30, 30, {{{191, 164}, {183, 151}, {209, 136}, {217, 149}, {191, 164}}}},
        {90, 30, {{{208, 165}, {192, 165}, {192, 135}, {208, 135}, {208, 165}}}},
        // Without a slide link the block stands upright: 16 wide, 30 high.
        {-1, 30, {{{208, 165}, {192, 165}, {192, 135}, {208, 135}, {208, 165}}}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Degrees << " degrees, SizeX " << C.SizeX);
        SliderAt At(C.Degrees, C.SizeX);
        EXPECT_EQ(At.S->CalcCorners(), C.Expected);
        At.S->Paint();
        EXPECT_EQ(At.S->Corners(), C.Expected);
    }
}

TEST(SliderPaintTest, BlockInLineAndFillColoursOverItsConnectionLines) {
    for (bool Selected : {false, true}) {
        SCOPED_TRACE(Selected);
        SliderAt At(0);
        TSlider* S = At.S;
        S->AddJoint(At.Rig.Joint(200, 250)); // a coupler point, pixel (200, 50)
        S->SetLineColor(0x111111);
        S->SetLineColorSelected(0x222222);
        S->SetFillColor(0x333333);
        S->SetFillColorSelected(0x444444);
        S->SetLineThickness(3);
        S->SetThinLineThickness(1);
        S->SetShowID(false);
        S->SetSelected(Selected);
        TRecordingCanvas& C = At.Rig.Canvas();
        C.ClearCalls();
        C.Brush().Style = TBrushStyle::bsClear; // left so by an earlier painter
        S->Paint();

        ASSERT_FALSE(C.Calls.empty());
        const TCanvasCall& Connection = C.Calls.front();
        EXPECT_EQ(Connection.Op, "Line");
        // The nearer of the two upper corners with the lower index: the upper left one.
        EXPECT_EQ(Connection.Points, (std::vector<TPoint>{{185, 142}, {200, 50}}));
        EXPECT_EQ(Connection.Pen.Width, 1);
        EXPECT_EQ(Connection.Pen.Color, Selected ? 0x222222u : 0x111111u);
        // The solid mark in the corner, filled, between the line and the top edge, which meets
        // the line at the smaller angle (about 81 degrees against 171 down the left edge, where
        // the block would hide the mark), whatever SolidEdges.
        ASSERT_GE(C.Calls.size(), 2u);
        const TCanvasCall& Mark = C.Calls[1];
        EXPECT_EQ(Mark.Op, "Polygon");
        EXPECT_EQ(Mark.Points, (std::vector<TPoint>{{185, 142}, {187, 129}, {198, 142}}));
        EXPECT_EQ(Mark.Brush.Color, Connection.Pen.Color);
        EXPECT_EQ(Mark.Brush.Style, TBrushStyle::bsSolid);

        auto Block = std::find_if(C.Calls.begin(), C.Calls.end(), [](const TCanvasCall& Call) {
            return Call.Op == "Polygon" && Call.Points.size() == 5;
        });
        ASSERT_NE(Block, C.Calls.end());
        EXPECT_EQ(Block->Pen.Width, 3);
        EXPECT_EQ(Block->Pen.Color, Selected ? 0x222222u : 0x111111u);
        EXPECT_EQ(Block->Brush.Color, Selected ? 0x444444u : 0x333333u);
        EXPECT_EQ(Block->Brush.Style, TBrushStyle::bsSolid);
        // The joints come after the block: the pin's circle and the coupler point's.
        EXPECT_EQ(std::count_if(Block, C.Calls.end(),
                                [](const TCanvasCall& Call) { return Call.Op == "Ellipse"; }),
                  2);
    }
}

TEST(SliderPaintTest, ThickConnectionLinesWithoutThinCoupleLines) {
    SliderAt At(0);
    At.S->AddJoint(At.Rig.Joint(300, 150));
    At.S->SetLineThickness(4);
    At.S->SetThinCoupleLines(false);
    At.Rig.Canvas().ClearCalls();
    At.S->Paint();
    EXPECT_EQ(At.Rig.Canvas().Calls.front().Op, "Line");
    EXPECT_EQ(At.Rig.Canvas().Calls.front().Pen.Width, 4);
}

TEST(SliderPaintTest, LabelsAndCoordinateCross) {
    SliderAt At(0);
    TSlider* S = At.S;
    S->SetID(7);
    S->SetIdentifier("Kolben");
    S->SetShowID(true);
    S->SetShowIdentifier(true);
    S->SetIDTextHeight(15);
    S->SetIdentifierTextHeight(16);
    TRecordingCanvas& C = At.Rig.Canvas();
    C.ClearCalls();
    S->Paint();
    // The slider's own labels come after its joints' ones.
    auto Texts = C.Of("TextOut");
    ASSERT_GE(Texts.size(), 2u);
    Texts.erase(Texts.begin(), Texts.end() - 2);
    // Recording canvas: 7 pixels per character, 13 high.
    EXPECT_EQ(Texts[0].Text, "7");
    EXPECT_EQ(Texts[0].Points[0], (TPoint{200 + 15 + 3, 150 - 13 - 8 - 4}));
    EXPECT_EQ(Texts[0].Font.Height, 15);
    EXPECT_EQ(Texts[0].Brush.Color, clWhite);
    EXPECT_EQ(Texts[1].Text, "Kolben");
    EXPECT_EQ(Texts[1].Points[0], (TPoint{200 - 21, 150 + 8 + 4}));
    EXPECT_EQ(Texts[1].Font.Height, 16);
    EXPECT_TRUE(C.Of("Polygon").size() == 1u) << "no coordinate cross yet";

    S->SetShowLinkCoord(true);
    S->SetCoordColor(clRed);
    C.ClearCalls();
    S->Paint();
    auto Lines = C.Of("Line");
    ASSERT_GE(Lines.size(), 2u);
    EXPECT_EQ(Lines[Lines.size() - 2].Points, (std::vector<TPoint>{{200, 150}, {220, 150}}));
    EXPECT_EQ(Lines.back().Pen.Color, clRed);
}

TEST(SliderPaintTest, DrawsNothingWithoutPinOrWhenHidden) {
    TPartsRig Rig;
    TSlider* Loose = Rig.Part<TSlider>({Rig.VirtualJoint(10, 10)});
    Rig.Show(Loose);
    Loose->Paint();
    EXPECT_TRUE(Rig.Canvas().Calls.empty());

    SliderAt At(0);
    At.S->SetVisible(false);
    At.Rig.Canvas().ClearCalls();
    At.S->Paint();
    EXPECT_TRUE(At.Rig.Canvas().Calls.empty());
}

TEST(SliderDistanceTest, HitDistanceUsesTheOutlineOfTheCurrentView) {
    SliderAt At(0);
    TSlider* S = At.S;
    S->AddJoint(At.Rig.Joint(200, 250));
    // Not painted yet: the outline still comes from the view. Its left edge lies at x 185.
    EXPECT_NEAR(S->DistanceTo(173, 150), 12, 1e-9);
    EXPECT_NEAR(S->DistanceTo(230, 150), 15, 1e-9);
    // The segment out to the coupler point.
    EXPECT_NEAR(S->DistanceTo(205, 220), 5, 1e-9);
    // Zoomed in twice: the block keeps its pixel size, so it covers half the world.
    At.Rig.Surface().SetMMRect(MMRect(100, 225, 300, 75));
    EXPECT_NEAR(S->DistanceTo(173, 150), 19.5, 1e-9);
}

TEST(SliderCornersTest, HalfBuiltSlideLinkLeavesTheBlockUpright) {
    TPartsRig Rig;
    TLink* Slide = Rig.Link({}); // gets only the virtual joint
    TSlider* S = Rig.Slider(Slide, 200, 150);
    Rig.Show(S);
    EXPECT_EQ(S->SlideLink(), Slide);
    EXPECT_EQ(S->Angle(), 0.0);
    EXPECT_EQ(S->GetSlideDistance(), 0.0);
    EXPECT_EQ(S->CalcCorners(),
              (TCorners{{{208, 165}, {192, 165}, {192, 135}, {208, 135}, {208, 165}}}));
    S->Move(nullptr, true, 5, 0);
    EXPECT_EQ(S->Joints().Items(1)->Position(), MMPoint(205, 150));
}
