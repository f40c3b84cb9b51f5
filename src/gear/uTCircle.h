// A circle about a point that may move (a joint followed by the solver), intersected with another
// circle or with a straight line. Intersections are values; no result means no crossing.
#pragma once

#include "gear/uTStraightOne.h"
#include "surface/MMTypes.h"

#include <optional>

class TCircle {
public:
    TCircle(TMMPoint Center, long double Radius);
    TCircle(TPointSource Center, long double Radius);
    // The radius is the distance from the centre's current place to Point.
    static TCircle Through(TPointSource Center, TMMPoint Point);

    // Direction of the vector (DX, DY) in [0, 2 pi), in extended precision; y comes first.
    static long double Angle(long double DY, long double DX);

    TMMPoint Center() const { return FCenter(); }
    long double Radius() const { return FRadius; }
    // A negative (or undefined) radius is ignored: the circle keeps the radius it had.
    void SetRadius(long double R);

    // Figures that miss each other by no more than 1e-9 of their size (radii, centre distance)
    // touch; a touching point answers both values of Which.

    // Which true gives the crossing left of the directed line from this centre to Other's, false
    // the one to the right. None for coincident centres.
    std::optional<TMMPoint> Intersect(const TCircle& Other, bool Which) const;
    // Which true gives the crossing further along the line's direction, false the one further
    // back. None for a line whose two points coincide.
    std::optional<TMMPoint> IntersectLine(const TStraightOne& Line, bool Which) const;

private:
    TPointSource FCenter;
    long double FRadius;
};
