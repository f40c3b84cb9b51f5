#include "gear/uGearUtils.h"

#include "gear/uTCoordSystem.h"
#include "surface/UtilLib.h"

#include <charconv>
#include <cmath>
#include <numbers>
#include <string>

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
