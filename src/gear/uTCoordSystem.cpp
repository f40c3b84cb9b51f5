#include "gear/uTCoordSystem.h"

#include "gear/uTCircle.h"

#include <cmath>

TCoordSystem::TCoordSystem(TMMPoint P1, TMMPoint P2) : FOrigin(P1) {
    const long double A = TCircle::Angle(static_cast<long double>(P2.Y) - P1.Y,
                                         static_cast<long double>(P2.X) - P1.X);
    FCosA = std::cos(A);
    FSinA = std::sin(A);
}

long double TCoordSystem::ToLocalX(long double X, long double Y) const {
    return (X - FOrigin.X) * FCosA + (Y - FOrigin.Y) * FSinA;
}

long double TCoordSystem::ToLocalY(long double X, long double Y) const {
    return (Y - FOrigin.Y) * FCosA - (X - FOrigin.X) * FSinA;
}

long double TCoordSystem::ToGlobalX(long double LocalX, long double LocalY) const {
    return LocalX * FCosA - LocalY * FSinA + FOrigin.X;
}

long double TCoordSystem::ToGlobalY(long double LocalX, long double LocalY) const {
    return LocalX * FSinA + LocalY * FCosA + FOrigin.Y;
}
