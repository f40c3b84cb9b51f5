// Direction angles, rotations and two small drawing primitives (arrow head, coordinate cross)
// shared by the plot items and the mechanism parts. Angles are radians, anticlockwise, y up.
#pragma once

#include "platform/Canvas.h"
#include "platform/Types.h"
#include "surface/MMTypes.h"

#include <cmath>
#include <numbers>

// Direction of the vector (X, Y) in [0, 2 pi), in the precision of T; y comes first. The zero
// vector gives pi / 2. A quadrant arctangent rather than atan2: the solvers were tuned on its last
// bits. Comparisons with zero are exact.
template <class T> T QuadrantAngle(T Y, T X) {
    constexpr T Pi = std::numbers::pi_v<T>;
    if (X == 0)
        return Y >= 0 ? Pi / 2 : 3 * Pi / 2;
    if (Y == 0)
        return X > 0 ? T(0) : Pi;
    const T Tan = std::atan(std::fabs(Y / X));
    if (X > 0)
        return Y > 0 ? Tan : 2 * Pi - Tan;
    return Y > 0 ? Pi - Tan : Pi + Tan;
}

double VectorAngle(double Y, double X);
double VectorAngleXY(double X, double Y);
// Direction from A to B.
double LineAngle(const TMMPoint& A, const TMMPoint& B);
// LineAngle(A, B) - LineAngle(A, C), not normalised: the result lies in (-2 pi, 2 pi).
double VertexAngle(const TMMPoint& A, const TMMPoint& B, const TMMPoint& C);
double VertexAnglePts(TPoint A, TPoint B, TPoint C);

// Rotations by Angle, anticlockwise in world coordinates, in polar form.
void RotateVector(double& X, double& Y, double Angle);
void RotatePoint(double& X, double& Y, double CX, double CY, double Angle);
void RotateMMPoint(const TMMPoint& Center, TMMPoint& P, double Angle);

// A filled triangle in pixels whose base of Width is centred on (X, Y) and whose tip lies Length
// pixels away along Angle (y-up sense). Sets the pen and brush colour; widths and styles stay.
void DrawArrowHead(TCanvas& Canvas, int X, int Y, int Width, int Length, double Angle,
                   TColor Color);
// Two 20-pixel axes from (X, Y) turned by Angle, each with an arrow head beyond its end.
void DrawCoordCross(TCanvas& Canvas, int X, int Y, double Angle, TColor Color);

// True when A and B differ by strictly less than 1e-9.
bool IsSameValue(double A, double B);
