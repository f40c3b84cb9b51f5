#include "gear/uTCircle.h"

#include "surface/UtilLib.h"

#include <cassert>
#include <cmath>
#include <utility>

namespace {
using Real = long double;

std::optional<TMMPoint> FinitePoint(Real X, Real Y) {
    const TMMPoint P{static_cast<double>(X), static_cast<double>(Y)};
    if (!std::isfinite(P.X) || !std::isfinite(P.Y))
        return std::nullopt;
    return P;
}

// The joints' same-place rule: both differences below 1e-10.
bool IsSamePlace(TMMPoint A, TMMPoint B) {
    return std::fabs(A.X - B.X) < 1e-10 && std::fabs(A.Y - B.Y) < 1e-10;
}
} // namespace

TCircle::TCircle(TMMPoint Center, long double Radius) : TCircle(FixedPoint(Center), Radius) {}

TCircle::TCircle(TPointSource Center, long double Radius)
    : FCenter(std::move(Center)), FRadius(Radius) {
    assert(FCenter);
    assert(!(Radius < 0));
}

TCircle TCircle::Through(TPointSource Center, TMMPoint Point) {
    const TMMPoint C = Center();
    const double DX = Point.X - C.X;
    const double DY = Point.Y - C.Y;
    return TCircle(std::move(Center), std::sqrt(DX * DX + DY * DY));
}

long double TCircle::Angle(long double DY, long double DX) {
    return QuadrantAngle(DY, DX);
}

void TCircle::SetRadius(long double R) {
    if (R >= 0)
        FRadius = R;
}

// Foot point on the centre line plus the half chord: unlike a half-angle form it has no direction
// in which both branches collapse onto one point.
std::optional<TMMPoint> TCircle::Intersect(const TCircle& Other, bool Which) const {
    const TMMPoint CA = Center();
    const TMMPoint CB = Other.Center();
    if (IsSamePlace(CA, CB))
        return std::nullopt;
    const Real DX = static_cast<Real>(CB.X) - CA.X;
    const Real DY = static_cast<Real>(CB.Y) - CA.Y;
    const Real D2 = DX * DX + DY * DY;
    const Real D = std::sqrt(D2);
    const Real RA = FRadius;
    const Real RB = Other.FRadius;
    if (RA + RB < D)
        return std::nullopt;
    if (RA + RB == D) {
        const Real Phi = Angle(DY, DX);
        return FinitePoint(CA.X + RA * std::cos(Phi), CA.Y + RA * std::sin(Phi));
    }
    const Real Along = (D2 + RA * RA - RB * RB) / (2 * D);
    const Real H2 = RA * RA - Along * Along;
    if (H2 < 0)
        return std::nullopt; // one circle inside the other, or rounding left no crossing
    const Real Side = Which ? std::sqrt(H2) : -std::sqrt(H2);
    // (-DY, DX) points to the left of the centre line.
    return FinitePoint(CA.X + (Along * DX - Side * DY) / D, CA.Y + (Along * DY + Side * DX) / D);
}

std::optional<TMMPoint> TCircle::IntersectLine(const TStraightOne& Line, bool Which) const {
    const TMMPoint C = Center();
    const TMMPoint P1 = Line.P1();
    const TMMPoint P2 = Line.P2();
    const Real LX = static_cast<Real>(P2.X) - P1.X;
    const Real LY = static_cast<Real>(P2.Y) - P1.Y;
    const Real Length = std::sqrt(LX * LX + LY * LY);
    if (!(Length > 0))
        return std::nullopt;
    const Real UX = LX / Length;
    const Real UY = LY / Length;
    const Real CX = static_cast<Real>(C.X) - P1.X;
    const Real CY = static_cast<Real>(C.Y) - P1.Y;
    const Real Foot = CX * UX + CY * UY;  // along the line from P1
    const Real Apart = UX * CY - UY * CX; // signed distance of the centre from the line
    const Real H2 = FRadius * FRadius - Apart * Apart;
    if (H2 < 0)
        return std::nullopt;
    const Real T = Which ? Foot + std::sqrt(H2) : Foot - std::sqrt(H2);
    return FinitePoint(P1.X + T * UX, P1.Y + T * UY);
}
