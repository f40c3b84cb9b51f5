#include "gear/uTCircle.h"

#include "gear/uJoint.h"
#include "surface/UtilLib.h"

#include <algorithm>
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

// Figures that miss by no more than this share of their size touch: positions at dead centres
// and limit positions are rarely representable, and rounding would lose their only crossing.
constexpr Real TouchTolerance = 1e-9;

bool IsClearMiss(Real Gap, Real Scale) {
    return Gap > TouchTolerance * Scale;
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
    // Apart (first) or one inside the other (second).
    const Real Gap = std::max(D - (RA + RB), std::fabs(RA - RB) - D);
    if (IsClearMiss(Gap, std::max({RA, RB, D})))
        return std::nullopt;
    if (RA + RB == D) {
        const Real Phi = Angle(DY, DX);
        return FinitePoint(CA.X + RA * std::cos(Phi), CA.Y + RA * std::sin(Phi));
    }
    Real Along = (D2 + RA * RA - RB * RB) / (2 * D);
    Real H2 = RA * RA - Along * Along;
    if (H2 < 0) {
        // Within the tolerance this is a touch: on this circle where the centre line meets it,
        // off the other one by no more than the gap. The foot point itself can be off both by
        // far more when the centres are close.
        Along = std::copysign(RA, Along);
        H2 = 0;
    }
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
    if (IsClearMiss(std::fabs(Apart) - FRadius, std::max(FRadius, std::fabs(Apart))))
        return std::nullopt;
    // Within the tolerance a negative square is a touch at the foot point, not a miss.
    const Real H2 = std::max(FRadius * FRadius - Apart * Apart, Real{0});
    const Real T = Which ? Foot + std::sqrt(H2) : Foot - std::sqrt(H2);
    return FinitePoint(P1.X + T * UX, P1.Y + T * UY);
}
