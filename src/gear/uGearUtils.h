// Geometry shared by the mechanism model, the solver steps and the dialogs: distances and
// directions of points and joints, frame conversions, the solid corner mark of links, the tolerant
// number parser of the dialogs, the real-joint lookups and the second assembly position.
#pragma once

#include "platform/Canvas.h"
#include "platform/Types.h"
#include "surface/MMTypes.h"

#include <optional>
#include <string_view>

double PointSegmentDistance(double AX, double AY, double BX, double BY, double PX, double PY);
double PointDistance(double X1, double Y1, double X2, double Y2);
// Direction from point 1 to point 2 in [0, 2 pi).
double PointDirection(double X1, double Y1, double X2, double Y2);
// The angle at point 1 from the ray to point 2 to the ray to point 3, in (-2 pi, 2 pi).
double AngleBetween(double X1, double Y1, double X2, double Y2, double X3, double Y3);

// P in the frame with origin Origin whose x axis points along Angle, and back.
TMMPoint ToLocalCoords(TMMPoint P, TMMPoint Origin, double Angle);
TMMPoint ToGlobalCoords(TMMPoint P, TMMPoint Origin, double Angle);

// A decimal number typed with ',' or '.' as separator, blanks around it ignored; none for text that
// is no plain decimal number (empty, digit grouping, inf, nan, hex). Independent of the locale.
std::optional<double> StrToFloatAnySep(std::string_view S);
