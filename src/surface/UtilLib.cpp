#include "surface/UtilLib.h"

#include "platform/Round.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double Pi = std::numbers::pi;

TPoint ScreenPoint(int X, int Y, double VX, double VY) {
    return TPoint{X + Round(VX), Y - Round(VY)};
}
} // namespace

double VectorAngle(double Y, double X) {
    return QuadrantAngle(Y, X);
}

double VectorAngleXY(double X, double Y) {
    return VectorAngle(Y, X);
}

double LineAngle(const TMMPoint& A, const TMMPoint& B) {
    return VectorAngleXY(B.X - A.X, B.Y - A.Y);
}

double VertexAngle(const TMMPoint& A, const TMMPoint& B, const TMMPoint& C) {
    return LineAngle(A, B) - LineAngle(A, C);
}

double VertexAnglePts(TPoint A, TPoint B, TPoint C) {
    return VertexAngle(PointToMMPoint(A), PointToMMPoint(B), PointToMMPoint(C));
}

void RotateVector(double& X, double& Y, double Angle) {
    const double R = std::sqrt(X * X + Y * Y);
    const double A = VectorAngleXY(X, Y) + Angle;
    Y = std::sin(A) * R;
    X = std::cos(A) * R;
}

void RotatePoint(double& X, double& Y, double CX, double CY, double Angle) {
    const double DX = X - CX;
    const double DY = Y - CY;
    const double R = std::sqrt(DX * DX + DY * DY);
    const double A = VectorAngle(DY, DX) + Angle;
    X = CX + std::cos(A) * R;
    Y = CY + std::sin(A) * R;
}

void RotateMMPoint(const TMMPoint& Center, TMMPoint& P, double Angle) {
    RotatePoint(P.X, P.Y, Center.X, Center.Y, Angle);
}

void DrawArrowHead(TCanvas& Canvas, int X, int Y, int Width, int Length, double Angle,
                   TColor Color) {
    Canvas.Pen().Color = Color;
    Canvas.Brush().Color = Color;
    const double Half = Width / 2.0;
    double TipX = Length, TipY = 0.0;
    double C1X = 0.0, C1Y = Half;
    double C2X = 0.0, C2Y = -Half;
    RotateVector(TipX, TipY, Angle);
    RotateVector(C1X, C1Y, Angle);
    RotateVector(C2X, C2Y, Angle);
    Canvas.Polygon(
        {ScreenPoint(X, Y, TipX, TipY), ScreenPoint(X, Y, C1X, C1Y), ScreenPoint(X, Y, C2X, C2Y)});
}

void DrawCoordCross(TCanvas& Canvas, int X, int Y, double Angle, TColor Color) {
    constexpr double AxisLength = 20.0;
    constexpr int HeadWidth = 5;
    constexpr int HeadLength = 10;
    double A1X = AxisLength, A1Y = 0.0;
    double A2X = 0.0, A2Y = AxisLength;
    RotateVector(A1X, A1Y, Angle);
    RotateVector(A2X, A2Y, Angle);
    Canvas.Pen().Color = Color;
    Canvas.Pen().Width = 1;
    // The axis ends truncate, unlike the arrow corners, which round.
    const TPoint E1{Trunc(X + A1X), Trunc(Y - A1Y)};
    const TPoint E2{Trunc(X + A2X), Trunc(Y - A2Y)};
    Canvas.MoveTo(X, Y);
    Canvas.LineTo(E1.X, E1.Y);
    Canvas.MoveTo(X, Y);
    Canvas.LineTo(E2.X, E2.Y);
    DrawArrowHead(Canvas, E1.X, E1.Y, HeadWidth, HeadLength, Angle, Color);
    DrawArrowHead(Canvas, E2.X, E2.Y, HeadWidth, HeadLength, Angle + Pi / 2.0, Color);
}

bool IsSameValue(double A, double B) {
    return std::fabs(A - B) < 1e-9;
}
