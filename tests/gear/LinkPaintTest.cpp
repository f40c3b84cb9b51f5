#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "support/BuilderChecks.h"
#include "support/GearFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using TPoints = std::vector<TPoint>;

struct TLinkPaint : ::testing::Test {
    TGearSurface View;
    TCheckedBuilder Build{&View.Surface()};
    TLink& Link = *Build.Link({});

    TLinkPaint() { Link.SetShowID(false); }
    TJoint& Add(double X, double Y, bool IsVirtual = false) {
        TJoint* J = IsVirtual ? Build.VirtualJoint(X, Y) : Build.Joint(X, Y);
        J->SetShowID(false);
        Link.AddJoint(J);
        return *J;
    }
    std::vector<TCanvasCall> PaintNow() {
        View.Canvas().ClearCalls();
        Link.Paint();
        return View.Canvas().Calls;
    }
    std::vector<TCanvasCall> LinesNow() {
        PaintNow();
        return View.Canvas().Of("Line");
    }
};

TEST_F(TLinkPaint, OneJointDrawsNothing) {
    Add(10, 10);
    EXPECT_TRUE(PaintNow().empty());
}

TEST_F(TLinkPaint, BarThenJointsThenLabels) {
    Add(10, 10);
    Add(40, 10);
    Link.SetLineThickness(3);
    Link.SetID(2);
    Link.SetShowID(true);
    Link.SetShowIdentifier(true);
    Link.SetIdentifier("Glied");
    Link.SetIDTextHeight(9);
    auto Calls = PaintNow();
    std::vector<std::string> Ops;
    for (const TCanvasCall& C : Calls)
        Ops.push_back(C.Op);
    EXPECT_EQ(Ops, (std::vector<std::string>{"Line", "Ellipse", "Ellipse", "TextOut", "TextOut"}));
    EXPECT_EQ(Calls[0].Points, (TPoints{{20, 180}, {80, 180}}));
    EXPECT_EQ(Calls[0].Pen.Color, clBlack);
    EXPECT_EQ(Calls[0].Pen.Width, 3);
    EXPECT_EQ(Calls[0].Brush.Color, clWhite);
    EXPECT_EQ(Calls[3].Text, "2");
    EXPECT_EQ(Calls[3].Points[0], Point(50 - 3, 180 - 13 - 4));
    EXPECT_EQ(Calls[3].Font.Height, 9);
    EXPECT_EQ(Calls[4].Text, "Glied");
    EXPECT_EQ(Calls[4].Points[0], Point(50 - 17, 180 + 4));
    EXPECT_EQ(Calls[4].Font.Height, 10);
    EXPECT_EQ(Calls[4].Brush.Color, clWhite);
}

TEST_F(TLinkPaint, CouplerLines) {
    Add(10, 10);
    Add(40, 10);
    Add(25, 30); // pixel (50, 140)
    Link.SetLineThickness(3);
    struct TCase {
        const char* Name;
        bool Selected, ThinCoupleLines;
        int ThinLineThickness;
        std::vector<TPoints> Lines;
        int CouplerWidth;
    } Cases[] = {
        {"thin",
         false,
         true,
         1,
         {{{20, 180}, {80, 180}}, {{20, 180}, {50, 140}}, {{50, 140}, {80, 180}}},
         1},
        {"thick",
         false,
         false,
         1,
         {{{20, 180}, {80, 180}}, {{20, 180}, {50, 140}}, {{50, 140}, {80, 180}}},
         3},
        {"selected",
         true,
         true,
         2,
         {{{20, 180}, {80, 180}}, {{20, 180}, {50, 140}}, {{50, 140}, {80, 180}}},
         2},
        {"hidden", false, true, 0, {{{20, 180}, {80, 180}}}, 0},
        {"hidden though thick", false, false, -1, {{{20, 180}, {80, 180}}}, 0},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Link.SetSelected(Case.Selected);
        Link.SetThinCoupleLines(Case.ThinCoupleLines);
        Link.SetThinLineThickness(Case.ThinLineThickness);
        auto Lines = LinesNow();
        ASSERT_EQ(Lines.size(), Case.Lines.size());
        for (std::size_t I = 0; I < Lines.size(); ++I) {
            EXPECT_EQ(Lines[I].Points, Case.Lines[I]);
            EXPECT_EQ(Lines[I].Pen.Color, Case.Selected ? clBlue : clBlack);
            EXPECT_EQ(Lines[I].Pen.Width, I == 0 ? 3 : Case.CouplerWidth);
            EXPECT_EQ(Lines[I].Pen.Style, TPenStyle::psSolid);
        }
    }
}

TEST_F(TLinkPaint, SolidCornerMarksSitAtTheNearerEnd) {
    Add(10, 10); // pixel (20, 180)
    Add(40, 10); // pixel (80, 180)
    TJoint& C = Add(20, 30);
    Link.SetSolidEdges(true);
    Link.SetSelected(true);
    struct TCase {
        double X, Y;
        TPoint From;
        TPoints Mark; // the triangle: corner, along the bar, towards the coupler point
    } Cases[] = {
        {20, 30, {20, 180}, {{20, 180}, {33, 180}, {26, 168}}}, // nearer joint 0
        {30, 30, {80, 180}, {{80, 180}, {67, 180}, {74, 168}}}, // nearer joint 1
        {25, 30, {80, 180}, {{80, 180}, {67, 180}, {72, 170}}}, // a tie goes to joint 1
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.X);
        C.SetX(Case.X);
        C.SetY(Case.Y);
        auto Lines = LinesNow();
        ASSERT_EQ(Lines.size(), 2u);
        EXPECT_EQ(Lines[1].Points, (TPoints{Case.From, TGearSurface::Px(Case.X, Case.Y)}));
        EXPECT_EQ(Lines[1].Pen.Color, clBlue);
        auto Marks = View.Canvas().Of("Polygon");
        ASSERT_EQ(Marks.size(), 1u);
        EXPECT_EQ(Marks[0].Points, Case.Mark);
        EXPECT_EQ(Marks[0].Brush.Color, clBlue);
        EXPECT_EQ(Marks[0].Pen.Color, clBlue);
    }
}

// A corner wider than three quarters of a turn gets a pie of the joints' setting size.
TEST_F(TLinkPaint, WideCornerGetsAPie) {
    Add(10, 10);
    Add(40, 10);
    Add(0, 11);
    Link.SetSolidEdges(true);
    PaintNow();
    auto Pies = View.Canvas().Of("Pie");
    ASSERT_EQ(Pies.size(), 1u);
    int R = 5 + 3 * 1; // Joints/Radius + 3 x Joints/LineThickness
    EXPECT_EQ(Pies[0].Points[0], Point(20 - R, 180 + R));
    EXPECT_EQ(Pies[0].Points[1], Point(20 + R, 180 - R));
    EXPECT_TRUE(View.Canvas().Of("Polygon").empty());
}

TEST_F(TLinkPaint, DottedExtensionsOutToTheSliders) {
    Add(40, 10);
    Add(10, 10);
    Add(60, 10, true);
    Add(0, 20, true);
    Add(25, 10, true); // between the ends: no line
    Link.SetSelected(true);
    Link.SetLineThickness(3);
    auto Lines = LinesNow();
    ASSERT_EQ(Lines.size(), 3u);
    EXPECT_EQ(Lines[1].Points, (TPoints{{80, 180}, {120, 180}}));
    EXPECT_EQ(Lines[2].Points, (TPoints{{20, 180}, {0, 160}}));
    for (std::size_t I = 1; I < 3; ++I) {
        EXPECT_EQ(Lines[I].Pen.Style, TPenStyle::psDot);
        EXPECT_EQ(Lines[I].Pen.Width, 1);
        EXPECT_EQ(Lines[I].Pen.Color, clBlue);
    }
    // The joints are drawn with a solid pen again.
    EXPECT_EQ(View.Canvas().Of("Ellipse").front().Pen.Style, TPenStyle::psSolid);
}

TEST_F(TLinkPaint, OnlyXDecidesTheExtension) {
    Add(10, 10);
    Add(10, 40);
    Add(10, 70, true);
    EXPECT_EQ(LinesNow().size(), 1u);
}

TEST_F(TLinkPaint, CoordinateCrossAtTheReferenceJoint) {
    Add(10, 10);
    Add(40, 10);
    Link.SetReferenceJointID(1);
    Link.SetShowLinkCoord(true);
    Link.SetCoordColor(clGreen);
    auto Calls = PaintNow();
    ASSERT_GE(Calls.size(), 2u);
    // Turned by the link's angle, pi: the x axis points left.
    EXPECT_EQ(Calls[0].Op, "Line");
    EXPECT_EQ(Calls[0].Points, (TPoints{{80, 180}, {60, 180}}));
    EXPECT_EQ(Calls[0].Pen.Color, clGreen);
    auto Bar = View.Canvas().Of("Line");
    ASSERT_EQ(Bar.size(), 3u);
    EXPECT_EQ(Bar[2].Points, (TPoints{{20, 180}, {80, 180}}));
    EXPECT_EQ(Bar[2].Pen.Color, clBlack);
}

TEST_F(TLinkPaint, HiddenOrOffTheSurfaceDrawsNothing) {
    Add(10, 10);
    Add(40, 10);
    Link.SetVisible(false);
    EXPECT_TRUE(PaintNow().empty());
    Link.SetVisible(true);
    Link.SetMMSurface(nullptr);
    EXPECT_TRUE(PaintNow().empty());
}

} // namespace
