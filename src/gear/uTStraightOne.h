// An infinite straight line through two points, directed from the first to the second, and the
// source of points that lets a figure follow joints while the solver moves them.
#pragma once

#include "surface/MMTypes.h"

#include <functional>

// Gives a point's current place each time a figure is used: a fixed place or a moving joint.
using TPointSource = std::function<TMMPoint()>;

TPointSource FixedPoint(TMMPoint P);

class TStraightOne {
public:
    TStraightOne(TMMPoint P1, TMMPoint P2);
    TStraightOne(TPointSource P1, TPointSource P2);

    TMMPoint P1() const { return FP1(); }
    TMMPoint P2() const { return FP2(); }

    // The line shifted by Offset to the left of its direction (right when negative), through
    // fixed points taken from the current places of P1 and P2; the direction stays.
    TStraightOne Parallel(long double Offset) const;

private:
    TPointSource FP1;
    TPointSource FP2;
};
