// World values of the drawing surface: points and rectangles in millimetres (y up), and the
// mouse events that report a position both in pixels and in millimetres.
#pragma once

#include "platform/Object.h"
#include "platform/Types.h"

#include <functional>

struct TMMPoint {
    double X = 0.0;
    double Y = 0.0;
    friend bool operator==(const TMMPoint&, const TMMPoint&) = default;
};

// As a world rectangle: Left = XMin, Top = YMax, Right = XMax, Bottom = YMin.
struct TMMRect {
    double Left = 0.0;
    double Top = 0.0;
    double Right = 0.0;
    double Bottom = 0.0;
    friend bool operator==(const TMMRect&, const TMMRect&) = default;
};

inline TMMPoint MMPoint(double X, double Y) {
    return TMMPoint{X, Y};
}
inline TMMRect MMRect(double Left, double Top, double Right, double Bottom) {
    return TMMRect{Left, Top, Right, Bottom};
}
inline TMMPoint PointToMMPoint(TPoint P) {
    return TMMPoint{static_cast<double>(P.X), static_cast<double>(P.Y)};
}

using TMMMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift,
                                         int X, int Y, double MMX, double MMY)>;
using TMMMouseMoveEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int X, int Y, double MMX, double MMY)>;
