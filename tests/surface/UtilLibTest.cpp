#include "surface/UtilLib.h"

#include "support/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {
constexpr double Pi = std::numbers::pi;
}

TEST(UtilLib, VectorAngleCoversAxesQuadrantsAndZero) {
    struct Case {
        double Y, X, Angle;
    } Cases[] = {
        {0, 0, Pi / 2},      {1, 0, Pi / 2},    {-1, 0, 3 * Pi / 2},          {0, 1, 0},
        {0, -1, Pi},         {1, 1, Pi / 4},    {1, -1, 3 * Pi / 4},          {-1, -1, 5 * Pi / 4},
        {-1, 1, 7 * Pi / 4}, {-0.0, 0, Pi / 2}, {2, std::sqrt(12.0), Pi / 6},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "Y=" << C.Y << " X=" << C.X);
        EXPECT_DOUBLE_EQ(VectorAngle(C.Y, C.X), C.Angle);
        EXPECT_DOUBLE_EQ(VectorAngleXY(C.X, C.Y), C.Angle);
    }
}

TEST(UtilLib, VectorAngleJustBelowTheXAxisWrapsToTwoPi) {
    // The tiny arctangent vanishes against 2 pi: the documented upper edge of the range.
    EXPECT_EQ(VectorAngle(-1e-300, 1.0), 2 * Pi);
    const double A = VectorAngle(-1e-6, 1.0);
    EXPECT_LT(A, 2 * Pi);
    EXPECT_NEAR(A, 2 * Pi - 1e-6, 1e-15);
}

TEST(UtilLib, LineAndVertexAngles) {
    EXPECT_DOUBLE_EQ(LineAngle(MMPoint(0, 0), MMPoint(-1, 1)), 3 * Pi / 4);
    EXPECT_DOUBLE_EQ(LineAngle(MMPoint(2, 3), MMPoint(2, 3)), Pi / 2);
    EXPECT_DOUBLE_EQ(VertexAngle(MMPoint(0, 0), MMPoint(0, -1), MMPoint(1, 0)), 3 * Pi / 2);
    EXPECT_DOUBLE_EQ(VertexAngle(MMPoint(0, 0), MMPoint(1, 0), MMPoint(0, -1)), -3 * Pi / 2);
    EXPECT_DOUBLE_EQ(VertexAnglePts(Point(1, 1), Point(1, 0), Point(2, 1)), 3 * Pi / 2);
}

TEST(UtilLib, RotationsTurnAnticlockwise) {
    struct Case {
        double X, Y, CX, CY, Angle, EX, EY;
    } Cases[] = {
        {2, 0, 1, 0, Pi / 2, 1, 1}, {2, 0, 1, 0, -Pi / 2, 1, -1}, {1, 1, 0, 0, Pi, -1, -1},
        {3, 4, 3, 4, 1.0, 3, 4},    {0, 5, 0, 0, 2 * Pi, 0, 5},   {-2, 0, 0, 0, Pi / 2, 0, -2},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "(" << C.X << "," << C.Y << ") by " << C.Angle);
        double X = C.X, Y = C.Y;
        RotatePoint(X, Y, C.CX, C.CY, C.Angle);
        EXPECT_NEAR(X, C.EX, 1e-14);
        EXPECT_NEAR(Y, C.EY, 1e-14);
        TMMPoint P = MMPoint(C.X, C.Y);
        RotateMMPoint(MMPoint(C.CX, C.CY), P, C.Angle);
        EXPECT_EQ(P.X, X);
        EXPECT_EQ(P.Y, Y);
        double VX = C.X - C.CX, VY = C.Y - C.CY;
        RotateVector(VX, VY, C.Angle);
        EXPECT_NEAR(VX, C.EX - C.CX, 1e-14);
        EXPECT_NEAR(VY, C.EY - C.CY, 1e-14);
    }
    double X = 0, Y = 0;
    RotateVector(X, Y, 1.3);
    EXPECT_EQ(X, 0.0);
    EXPECT_EQ(Y, 0.0);
}

TEST(UtilLib, IsSameValueIsStrictAtItsBound) {
    struct Case {
        double A, B;
        bool Same;
    } Cases[] = {
        {1, 1 + 0.5e-9, true}, {0, 2e-9, false}, {0, 0.999e-9, true},
        {0, 1e-9, false},      {-3, -3, true},   {5, 5 - 1.5e-9, false},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.A << " vs " << C.B);
        EXPECT_EQ(IsSameValue(C.A, C.B), C.Same);
        EXPECT_EQ(IsSameValue(C.B, C.A), C.Same);
    }
}

TEST(UtilLib, ArrowHeadCornersRoundToEvenAndFlipY) {
    struct Case {
        double Angle;
        std::vector<TPoint> Corners;
    } Cases[] = {
        {0, {{110, 100}, {100, 98}, {100, 102}}},
        {Pi / 2, {{100, 90}, {98, 100}, {102, 100}}},
        {Pi, {{90, 100}, {100, 102}, {100, 98}}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Angle);
        TRecordingCanvas Canvas;
        Canvas.Pen().Width = 3;
        Canvas.Brush().Style = TBrushStyle::bsClear;
        DrawArrowHead(Canvas, 100, 100, 5, 10, C.Angle, clRed);
        ASSERT_EQ(Canvas.Calls.size(), 1u);
        const TCanvasCall& Call = Canvas.Calls[0];
        EXPECT_EQ(Call.Op, "Polygon");
        EXPECT_EQ(Call.Points, C.Corners);
        EXPECT_EQ(Call.Pen.Color, clRed);
        EXPECT_EQ(Call.Brush.Color, clRed);
        EXPECT_EQ(Call.Pen.Width, 3);
        EXPECT_EQ(Call.Brush.Style, TBrushStyle::bsClear);
    }
}

TEST(UtilLib, CoordCrossDrawsTwoAxesWithHeads) {
    TRecordingCanvas Canvas;
    Canvas.Pen().Width = 4;
    DrawCoordCross(Canvas, 100, 100, 0.0, clBlue);
    ASSERT_EQ(Canvas.Calls.size(), 4u);
    EXPECT_EQ(Canvas.Calls[0].Op, "Line");
    EXPECT_EQ(Canvas.Calls[0].Points, (std::vector<TPoint>{{100, 100}, {120, 100}}));
    EXPECT_EQ(Canvas.Calls[0].Pen.Width, 1);
    EXPECT_EQ(Canvas.Calls[0].Pen.Color, clBlue);
    EXPECT_EQ(Canvas.Calls[1].Points, (std::vector<TPoint>{{100, 100}, {100, 80}}));
    EXPECT_EQ(Canvas.Calls[2].Op, "Polygon");
    EXPECT_EQ(Canvas.Calls[2].Points, (std::vector<TPoint>{{130, 100}, {120, 98}, {120, 102}}));
    EXPECT_EQ(Canvas.Calls[3].Points, (std::vector<TPoint>{{100, 70}, {98, 80}, {102, 80}}));
}

TEST(UtilLib, CoordCrossTruncatesTheAxisEnds) {
    // At 45 degrees the ends are 114.14 and 85.86: truncated, not rounded, to 114 and 85.
    TRecordingCanvas Canvas;
    DrawCoordCross(Canvas, 100, 100, Pi / 4, clBlack);
    const auto Lines = Canvas.Of("Line");
    ASSERT_EQ(Lines.size(), 2u);
    EXPECT_EQ(Lines[0].Points[1], (TPoint{114, 85}));
    EXPECT_EQ(Lines[1].Points[1], (TPoint{85, 85}));
}
