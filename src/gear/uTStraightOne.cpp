#include "gear/uTStraightOne.h"

#include "gear/uTCoordSystem.h"

#include <cassert>
#include <cmath>
#include <utility>

TPointSource FixedPoint(TMMPoint P) {
    return [P] { return P; };
}

TStraightOne::TStraightOne(TMMPoint P1, TMMPoint P2) : FP1(FixedPoint(P1)), FP2(FixedPoint(P2)) {}

TStraightOne::TStraightOne(TPointSource P1, TPointSource P2)
    : FP1(std::move(P1)), FP2(std::move(P2)) {
    assert(FP1 && FP2);
}

TStraightOne TStraightOne::Parallel(long double Offset) const {
    const TMMPoint A = P1();
    const TMMPoint B = P2();
    const TCoordSystem Frame(A, B);
    const double DX = B.X - A.X;
    const double DY = B.Y - A.Y;
    const long double Length = std::sqrt(DX * DX + DY * DY);
    const TMMPoint First{static_cast<double>(Frame.ToGlobalX(0, Offset)),
                         static_cast<double>(Frame.ToGlobalY(0, Offset))};
    const TMMPoint Second{static_cast<double>(Frame.ToGlobalX(Length, Offset)),
                          static_cast<double>(Frame.ToGlobalY(Length, Offset))};
    return TStraightOne(First, Second);
}
