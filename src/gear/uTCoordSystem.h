// A local frame given by an origin and a second point on its x axis: converts between world
// coordinates and frame coordinates (local y positive to the left of the x axis).
#pragma once

#include "surface/MMTypes.h"

class TCoordSystem {
public:
    // When P1 and P2 coincide the x axis points along pi / 2.
    TCoordSystem(TMMPoint P1, TMMPoint P2);

    TMMPoint Origin() const { return FOrigin; }
    long double CosA() const { return FCosA; }
    long double SinA() const { return FSinA; }

    long double ToLocalX(long double X, long double Y) const;
    long double ToLocalY(long double X, long double Y) const;
    long double ToGlobalX(long double LocalX, long double LocalY) const;
    long double ToGlobalY(long double LocalX, long double LocalY) const;

private:
    TMMPoint FOrigin;
    long double FCosA;
    long double FSinA;
};
