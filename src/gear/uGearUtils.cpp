#include "gear/uGearUtils.h"

#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uTCircle.h"
#include "gear/uTCoordSystem.h"
#include "platform/Round.h"
#include "surface/UtilLib.h"
#include "xml/XMLPrefs.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

namespace {
// The pie radius of the solid corner mark from the joint settings. The settings file may carry any
// 32-bit value, so the sum is kept within a drawable range instead of overflowing.
int SolidEdgePieRadius() {
    const long long R = static_cast<long long>(PreferenceStore().GetInteger("Joints", "Radius")) +
                        3LL * PreferenceStore().GetInteger("Joints", "LineThickness");
    return static_cast<int>(std::clamp(R, 0LL, 100000LL));
}

// The most, relative to the distance of the centres, by which rounding splits the crossing of two
// circles that touch at a dead centre.
constexpr double DeadCentreSpread = 5e-9;

long double PreciseDistance(const TJoint& A, const TJoint& B) {
    return std::hypot(static_cast<long double>(A.X()) - B.X(),
                      static_cast<long double>(A.Y()) - B.Y());
}
} // namespace

void DrawSolidEdge(TCanvas& Canvas, TPoint Corner, TPoint P1, TPoint P2, double MaxAngle,
                   TColor Color, int Size) {
    Canvas.Pen().Color = Color;
    Canvas.Brush().Color = Color;
    const TMMPoint C = PointToMMPoint(Corner);
    const double A1 = LineAngle(C, PointToMMPoint(P1));
    const double A2 = LineAngle(C, PointToMMPoint(P2));
    const TPoint B{Round(C.X + Size * std::cos(A1)), Round(C.Y + Size * std::sin(A1))};
    const TPoint A{Round(C.X + Size * std::cos(A2)), Round(C.Y + Size * std::sin(A2))};
    // Normalised, so the wrap of the direction angles never turns a corner into its reflex side.
    double V = VertexAnglePts(Corner, B, A);
    if (V > std::numbers::pi)
        V -= 2 * std::numbers::pi;
    else if (V <= -std::numbers::pi)
        V += 2 * std::numbers::pi;
    if (V <= MaxAngle) {
        Canvas.Polygon({Corner, B, A});
        return;
    }
    const int R = SolidEdgePieRadius();
    Canvas.Pie(Corner.X - R, Corner.Y + R, Corner.X + R, Corner.Y - R, B.X, B.Y, A.X, A.Y);
}

double PointSegmentDistance(double AX, double AY, double BX, double BY, double PX, double PY) {
    const TCoordSystem Frame(TMMPoint{AX, AY}, TMMPoint{BX, BY});
    const long double X = Frame.ToLocalX(PX, PY);
    const long double Y = Frame.ToLocalY(PX, PY);
    const long double XB = Frame.ToLocalX(BX, BY);
    if (X < 0)
        return static_cast<double>(std::sqrt(X * X + Y * Y));
    if (XB >= X)
        return static_cast<double>(std::fabs(Y));
    return static_cast<double>(std::sqrt((X - XB) * (X - XB) + Y * Y));
}

double PointDistance(double X1, double Y1, double X2, double Y2) {
    return std::sqrt((X2 - X1) * (X2 - X1) + (Y2 - Y1) * (Y2 - Y1));
}

double PointDirection(double X1, double Y1, double X2, double Y2) {
    return VectorAngle(Y2 - Y1, X2 - X1);
}

double AngleBetween(double X1, double Y1, double X2, double Y2, double X3, double Y3) {
    return PointDirection(X1, Y1, X3, Y3) - PointDirection(X1, Y1, X2, Y2);
}

TMMPoint ToLocalCoords(TMMPoint P, TMMPoint Origin, double Angle) {
    const double DX = P.X - Origin.X;
    const double DY = P.Y - Origin.Y;
    return TMMPoint{std::cos(Angle) * DX + std::sin(Angle) * DY,
                    std::cos(Angle) * DY - std::sin(Angle) * DX};
}

TMMPoint ToGlobalCoords(TMMPoint P, TMMPoint Origin, double Angle) {
    return TMMPoint{std::cos(Angle) * P.X - std::sin(Angle) * P.Y + Origin.X,
                    std::sin(Angle) * P.X + std::cos(Angle) * P.Y + Origin.Y};
}

namespace {
bool IsBlank(char C) {
    return C == ' ' || C == '\t' || C == '\n' || C == '\r' || C == '\v' || C == '\f';
}
bool IsDigit(char C) {
    return C >= '0' && C <= '9';
}

// Converts S when it is [sign] digits [Separator digits] [e [sign] digits] with at least one
// mantissa digit; the separator becomes '.' for from_chars, which knows no locale.
std::optional<double> ConvertWithSeparator(std::string_view S, char Separator) {
    std::string Plain;
    std::size_t I = 0;
    if (I < S.size() && (S[I] == '+' || S[I] == '-')) {
        if (S[I] == '-')
            Plain += '-';
        ++I;
    }
    int MantissaDigits = 0;
    for (; I < S.size() && IsDigit(S[I]); ++I, ++MantissaDigits)
        Plain += S[I];
    if (I < S.size() && S[I] == Separator) {
        Plain += '.';
        for (++I; I < S.size() && IsDigit(S[I]); ++I, ++MantissaDigits)
            Plain += S[I];
    }
    if (MantissaDigits == 0)
        return std::nullopt;
    if (I < S.size() && (S[I] == 'e' || S[I] == 'E')) {
        Plain += 'e';
        ++I;
        if (I < S.size() && (S[I] == '+' || S[I] == '-'))
            Plain += S[I++];
        int ExponentDigits = 0;
        for (; I < S.size() && IsDigit(S[I]); ++I, ++ExponentDigits)
            Plain += S[I];
        if (ExponentDigits == 0)
            return std::nullopt;
    }
    if (I != S.size())
        return std::nullopt;
    double Value = 0;
    const char* End = Plain.data() + Plain.size();
    const auto [Ptr, Error] = std::from_chars(Plain.data(), End, Value);
    if (Error != std::errc() || Ptr != End || !std::isfinite(Value))
        return std::nullopt;
    return Value;
}
} // namespace

std::optional<double> StrToFloatAnySep(std::string_view S) {
    while (!S.empty() && IsBlank(S.front()))
        S.remove_prefix(1);
    while (!S.empty() && IsBlank(S.back()))
        S.remove_suffix(1);
    if (const auto Value = ConvertWithSeparator(S, ','))
        return Value;
    return ConvertWithSeparator(S, '.');
}

TPointSource JointPosition(const TJoint& Joint) {
    return [&Joint] { return Joint.Position(); };
}

double JointDirection2(const TJoint& A, const TJoint& B) {
    return PointDirection(A.X(), A.Y(), B.X(), B.Y());
}

double JointDirection(const TJoint& A, const TJoint& B) {
    return VectorAngleXY(A.X() - B.X(), A.Y() - B.Y());
}

double JointDistance(const TJoint& J1, const TJoint& J2) {
    return PointDistance(J1.X(), J1.Y(), J2.X(), J2.Y());
}

double JointAngleBetween(const TJoint& A, const TJoint& B, const TJoint& C) {
    return AngleBetween(A.X(), A.Y(), B.X(), B.Y(), C.X(), C.Y());
}

void RotateJointAbout(TObject* Source, const TJoint& Center, TJoint& Joint, double Angle) {
    double X = Joint.X();
    double Y = Joint.Y();
    RotatePoint(X, Y, Center.X(), Center.Y(), Angle);
    Joint.SetPosition(Source, X, Y);
}

int RealJointIndex(const TJointList& Joints, int N) {
    if (N < 0)
        return N;
    int Real = 0;
    for (int I = 0; I < Joints.Count(); ++I) {
        if (Joints.Items(I)->IsVirtual())
            continue;
        if (Real == N)
            return I;
        ++Real;
    }
    return -1;
}

TJoint* GetRealJoint(const TJointList& Joints, int N) {
    const int I = RealJointIndex(Joints, N);
    return I >= 0 && I < Joints.Count() ? Joints.Items(I) : nullptr;
}

TJoint* FirstRealJointExcept(const TCustomLink& Link, const TJoint* Joint) {
    for (TJoint* J : Link.Joints())
        if (!J->IsVirtual() && J != Joint)
            return J;
    return nullptr;
}

void SecondAssemblyPosition(const TJoint& Joint, TMMPoint& P) {
    const TLinkList& Links = Joint.Links();
    if (Links.Count() != 2)
        return;
    const TJoint* C0 = FirstRealJointExcept(*Links.Items(0), &Joint);
    const TJoint* C1 = FirstRealJointExcept(*Links.Items(1), &Joint);
    if (!C0 || !C1)
        return;
    // Radii in extended precision: rounded to double they split a dead centre's single crossing
    // by far more than the crossings of a joint just off the centre line lie apart.
    const TCircle First(C0->Position(), PreciseDistance(*C0, Joint));
    const TCircle Second(C1->Position(), PreciseDistance(*C1, Joint));
    // Of the two crossings the one further from the joint: the same choice as discarding the one
    // at the joint's place, but it still holds near a dead centre, where rounding the radii moves
    // the joint's own crossing more than the same-place tolerance.
    const std::optional<TMMPoint> Left = First.Intersect(Second, true);
    const std::optional<TMMPoint> Right = First.Intersect(Second, false);
    if (!Left || !Right)
        return;
    // Circles that only touch (a dead centre) have no second position; rounding may still split
    // their touching point a little.
    const double Spread = PointDistance(Left->X, Left->Y, Right->X, Right->Y);
    if (Spread <= DeadCentreSpread * JointDistance(*C0, *C1))
        return;
    const TMMPoint J = Joint.Position();
    P = PointDistance(J.X, J.Y, Left->X, Left->Y) > PointDistance(J.X, J.Y, Right->X, Right->Y)
            ? *Left
            : *Right;
}
