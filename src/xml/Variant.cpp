#include "xml/Variant.h"

#include "platform/FormatSettings.h"
#include "platform/Round.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace {

constexpr std::int64_t CurrencyScale = 10000;

bool IsBlank(char C) {
    return static_cast<unsigned char>(C) <= 32;
}

std::string Trimmed(const std::string& S) {
    std::size_t B = 0, E = S.size();
    while (B < E && IsBlank(S[B]))
        ++B;
    while (E > B && IsBlank(S[E - 1]))
        --E;
    return S.substr(B, E - B);
}

// Drops one leading "+"; false when a "-" follows it: a doubled sign is no number.
bool DropPlus(std::string& S) {
    if (!S.starts_with('+'))
        return true;
    S.erase(0, 1);
    return !S.starts_with('-');
}

std::optional<std::int64_t> ParseInteger(const std::string& Text) {
    std::string S = Trimmed(Text);
    if (!DropPlus(S))
        return std::nullopt;
    std::int64_t V = 0;
    auto [End, Ec] = std::from_chars(S.data(), S.data() + S.size(), V);
    if (S.empty() || Ec != std::errc() || End != S.data() + S.size())
        return std::nullopt;
    return V;
}

// A finite number with ',' or '.' as its one decimal separator, as written under any locale.
std::optional<double> ParseFloat(const std::string& Text) {
    std::string S = Trimmed(Text);
    if (!DropPlus(S))
        return std::nullopt;
    int Separators = 0;
    for (char& C : S)
        if (C == ',' || C == '.') {
            C = '.';
            ++Separators;
        }
    double V = 0;
    auto [End, Ec] = std::from_chars(S.data(), S.data() + S.size(), V);
    if (S.empty() || Separators > 1 || Ec != std::errc() || End != S.data() + S.size() ||
        !std::isfinite(V))
        return std::nullopt;
    return V;
}

std::optional<bool> ParseBoolean(const std::string& Text) {
    auto Lower = [](std::string S) {
        for (char& C : S)
            if (C >= 'A' && C <= 'Z')
                C = static_cast<char>(C - 'A' + 'a');
        return S;
    };
    const std::string S = Lower(Trimmed(Text));
    if (S == "true")
        return true;
    if (S == "false")
        return false;
    if (auto V = ParseInteger(S))
        return *V != 0;
    return std::nullopt;
}

std::optional<TCurrency> CurrencyOf(double V) {
    const double Scaled = std::nearbyint(V * CurrencyScale);
    // 2^63 is exactly representable; everything below it fits.
    if (!(std::fabs(Scaled) < 9223372036854775808.0))
        return std::nullopt;
    return TCurrency{static_cast<std::int64_t>(Scaled)};
}

// The exact amount of a plain decimal text ("-12,3456") with ',' or '.' as separator, digits
// beyond the fourth decimal rounded with halves to even; none for any other form or beyond the
// range. Going through a double would change amounts of more than 15 digits.
std::optional<TCurrency> ParseDecimalCurrency(const std::string& Text) {
    const std::string Clean = Trimmed(Text);
    std::string_view S = Clean;
    const bool Negative = !S.empty() && S[0] == '-';
    if (!S.empty() && (S[0] == '-' || S[0] == '+'))
        S.remove_prefix(1);
    constexpr std::uint64_t Max = std::uint64_t(1) << 63; // the magnitude of the minimum
    std::uint64_t Scaled = 0;
    int Decimals = 0, FirstDropped = -1;
    bool Separator = false, Digit = false, DroppedBeyond = false;
    const auto Shift = [&](int D) {
        if (Scaled > (Max - D) / 10)
            return false;
        Scaled = Scaled * 10 + D;
        return true;
    };
    for (const char C : S) {
        if ((C == ',' || C == '.') && !Separator) {
            Separator = true;
            continue;
        }
        if (C < '0' || C > '9')
            return std::nullopt;
        Digit = true;
        if (Separator && Decimals == 4) {
            if (FirstDropped < 0)
                FirstDropped = C - '0';
            else
                DroppedBeyond = DroppedBeyond || C != '0';
            continue;
        }
        if (Separator)
            ++Decimals;
        if (!Shift(C - '0'))
            return std::nullopt;
    }
    for (; Decimals < 4; ++Decimals)
        if (!Shift(0))
            return std::nullopt;
    if (!Digit)
        return std::nullopt;
    if (FirstDropped > 5 || (FirstDropped == 5 && (DroppedBeyond || Scaled % 2 != 0)))
        ++Scaled;
    if (Scaled > (Negative ? Max : Max - 1))
        return std::nullopt;
    return TCurrency{Negative ? static_cast<std::int64_t>(0 - Scaled)
                              : static_cast<std::int64_t>(Scaled)};
}

std::int64_t RoundCurrency(std::int64_t Scaled) {
    std::int64_t Q = Scaled / CurrencyScale, R = Scaled % CurrencyScale;
    const std::int64_t Twice = 2 * (R < 0 ? -R : R);
    if (Twice > CurrencyScale || (Twice == CurrencyScale && Q % 2 != 0))
        Q += R < 0 ? -1 : 1;
    return Q;
}

std::string Digits(std::uint64_t V) {
    char Buf[24];
    auto [End, Ec] = std::to_chars(Buf, Buf + sizeof Buf, V);
    return std::string(Buf, End);
}

std::string SignedDigits(std::int64_t V) {
    const std::uint64_t Magnitude = V < 0 ? 0 - static_cast<std::uint64_t>(V) : V;
    return (V < 0 ? "-" : "") + Digits(Magnitude);
}

// General format with 15 significant digits: fixed-point while the integer part has at most 15
// digits and the magnitude is at least 0.00001, otherwise mantissa and exponent ("1,5E-7").
std::string FormatGeneral(double V) {
    if (std::isnan(V))
        return "NAN";
    if (std::isinf(V))
        return V < 0 ? "-INF" : "INF";
    if (V == 0)
        return "0";
    char Buf[40];
    auto [End, Ec] = std::to_chars(Buf, Buf + sizeof Buf, V, std::chars_format::scientific, 14);
    const std::string Sci(Buf, End); // [-]d.dddddddddddddde[+-]xx
    const bool Negative = Sci[0] == '-';
    const std::size_t First = Negative ? 1 : 0, EPos = Sci.find('e');
    std::string Mantissa = Sci.substr(First, 1) + Sci.substr(First + 2, EPos - First - 2);
    const int Exponent = static_cast<int>(*ParseInteger(Sci.substr(EPos + 1)));
    while (Mantissa.size() > 1 && Mantissa.back() == '0')
        Mantissa.pop_back();
    const std::string Sep(1, FormatSettings().DecimalSeparator);
    std::string Out = Negative ? "-" : "";
    if (Exponent >= 15 || Exponent < -5) {
        Out += Mantissa.substr(0, 1);
        if (Mantissa.size() > 1)
            Out += Sep + Mantissa.substr(1);
        return Out + "E" + std::to_string(Exponent);
    }
    if (Exponent < 0)
        return Out + "0" + Sep + std::string(-Exponent - 1, '0') + Mantissa;
    const std::size_t IntDigits = static_cast<std::size_t>(Exponent) + 1;
    if (Mantissa.size() <= IntDigits)
        return Out + Mantissa + std::string(IntDigits - Mantissa.size(), '0');
    return Out + Mantissa.substr(0, IntDigits) + Sep + Mantissa.substr(IntDigits);
}

std::string FormatCurrency(std::int64_t Scaled) {
    const std::uint64_t Magnitude =
        Scaled < 0 ? 0 - static_cast<std::uint64_t>(Scaled) : static_cast<std::uint64_t>(Scaled);
    std::string Out = (Scaled < 0 ? "-" : "") + Digits(Magnitude / CurrencyScale);
    std::string Fraction = Digits(Magnitude % CurrencyScale);
    Fraction.insert(0, 4 - Fraction.size(), '0');
    while (!Fraction.empty() && Fraction.back() == '0')
        Fraction.pop_back();
    if (!Fraction.empty())
        Out += FormatSettings().DecimalSeparator + Fraction;
    return Out;
}

} // namespace

TVariant TVariant::Byte(std::uint8_t V) {
    TVariant R;
    R.FType = varByte;
    R.FInt = V;
    return R;
}

TVariant TVariant::LongWord(std::uint32_t V) {
    TVariant R;
    R.FType = varLongWord;
    R.FInt = V;
    return R;
}

TVariant TVariant::Currency(TCurrency V) {
    TVariant R;
    R.FType = varCurrency;
    R.FInt = V.Scaled;
    return R;
}

TVariant TVariant::Currency(double V) {
    const auto C = CurrencyOf(V);
    if (C)
        return Currency(*C);
    return Currency(TCurrency{V < 0 ? std::numeric_limits<std::int64_t>::min()
                                    : std::numeric_limits<std::int64_t>::max()});
}

std::int32_t TVariant::AsInteger() const {
    switch (FType) {
    case varInteger:
    case varByte:
    case varLongWord:
        return static_cast<std::int32_t>(FInt);
    case varBoolean:
        return FInt ? -1 : 0;
    case varDouble:
        return Round(FDouble);
    case varCurrency:
        return static_cast<std::int32_t>(RoundCurrency(FInt));
    case varString:
        if (auto V = ParseInteger(FString))
            return static_cast<std::int32_t>(*V);
        return Round(ParseFloat(FString).value_or(0));
    case varEmpty:
        break;
    }
    return 0;
}

std::uint32_t TVariant::AsLongWord() const {
    if (FType == varLongWord)
        return static_cast<std::uint32_t>(FInt);
    return static_cast<std::uint32_t>(AsInteger());
}

double TVariant::AsDouble() const {
    switch (FType) {
    case varInteger:
    case varByte:
    case varLongWord:
        return static_cast<double>(FInt);
    case varBoolean:
        return FInt ? -1.0 : 0.0;
    case varDouble:
        return FDouble;
    case varCurrency:
        return static_cast<double>(FInt) / CurrencyScale;
    case varString:
        return ParseFloat(FString).value_or(0);
    case varEmpty:
        break;
    }
    return 0;
}

bool TVariant::AsBoolean() const {
    switch (FType) {
    case varDouble:
        return FDouble != 0;
    case varString:
        return ParseBoolean(FString).value_or(false);
    default:
        return FInt != 0;
    }
}

TCurrency TVariant::AsCurrency() const {
    if (FType == varCurrency)
        return TCurrency{FInt};
    return Currency(AsDouble()).AsCurrency();
}

std::string TVariant::AsString() const {
    switch (FType) {
    case varEmpty:
        return "";
    case varInteger:
    case varByte:
    case varLongWord:
        return SignedDigits(FInt);
    case varBoolean:
        return FInt ? "True" : "False";
    case varDouble:
        return FormatGeneral(FDouble);
    case varCurrency:
        return FormatCurrency(FInt);
    case varString:
        return FString;
    }
    return "";
}

std::optional<TVariant> TVariant::FromText(const std::string& Text, TVarType Type) {
    auto InRange = [](std::optional<std::int64_t> V, std::int64_t Lo,
                      std::int64_t Hi) -> std::optional<std::int64_t> {
        if (V && *V >= Lo && *V <= Hi)
            return V;
        return std::nullopt;
    };
    switch (Type) {
    case varInteger:
        if (auto V = InRange(ParseInteger(Text), INT32_MIN, INT32_MAX))
            return TVariant(static_cast<std::int32_t>(*V));
        break;
    case varByte:
        if (auto V = InRange(ParseInteger(Text), 0, UINT8_MAX))
            return Byte(static_cast<std::uint8_t>(*V));
        break;
    case varLongWord:
        if (auto V = InRange(ParseInteger(Text), 0, UINT32_MAX))
            return LongWord(static_cast<std::uint32_t>(*V));
        break;
    case varDouble:
        if (auto V = ParseFloat(Text))
            return TVariant(*V);
        break;
    case varCurrency:
        if (auto C = ParseDecimalCurrency(Text))
            return Currency(*C);
        // An exponent form, as the general number format of a double writes it.
        if (auto V = ParseFloat(Text))
            if (auto C = CurrencyOf(*V))
                return Currency(*C);
        break;
    case varBoolean:
        if (auto V = ParseBoolean(Text))
            return TVariant(*V);
        break;
    case varEmpty:
    case varString:
        break;
    }
    return std::nullopt;
}
