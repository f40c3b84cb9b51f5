#include "files/uXMLFileValues.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>
#include <limits>
#include <system_error>

namespace {

constexpr int SignificantDigits = 15;
constexpr double SecondsPerDay = 86400.0;
// 30 December 1899 counted from 1 January 1970.
constexpr long long FileEpochDays = -25569;

std::string_view Trimmed(std::string_view S) {
    const char* Blanks = " \t\r\n";
    std::size_t First = S.find_first_not_of(Blanks);
    if (First == std::string_view::npos)
        return {};
    return S.substr(First, S.find_last_not_of(Blanks) - First + 1);
}

// A leading "+" is allowed; a sign after it is not, so the result is empty.
std::string_view WithoutPlus(std::string_view S) {
    if (S.empty() || S.front() != '+')
        return S;
    S.remove_prefix(1);
    return !S.empty() && (S.front() == '+' || S.front() == '-') ? std::string_view() : S;
}

// Days since 1 January 1970 of a proleptic Gregorian date.
long long DaysFromCivil(long long Y, unsigned M, unsigned D) {
    Y -= M <= 2;
    const long long Era = (Y >= 0 ? Y : Y - 399) / 400;
    const unsigned YoE = static_cast<unsigned>(Y - Era * 400);
    const unsigned DoY = (153 * (M > 2 ? M - 3 : M + 9) + 2) / 5 + D - 1;
    const unsigned DoE = YoE * 365 + YoE / 4 - YoE / 100 + DoY;
    return Era * 146097 + static_cast<long long>(DoE) - 719468;
}

struct TCivil {
    long long Year;
    unsigned Month;
    unsigned Day;
};

TCivil CivilFromDays(long long Z) {
    Z += 719468;
    const long long Era = (Z >= 0 ? Z : Z - 146096) / 146097;
    const unsigned DoE = static_cast<unsigned>(Z - Era * 146097);
    const unsigned YoE = (DoE - DoE / 1460 + DoE / 36524 - DoE / 146096) / 365;
    const unsigned DoY = DoE - (365 * YoE + YoE / 4 - YoE / 100);
    const unsigned MP = (5 * DoY + 2) / 153;
    const unsigned D = DoY - (153 * MP + 2) / 5 + 1;
    const unsigned M = MP < 10 ? MP + 3 : MP - 9;
    return {static_cast<long long>(YoE) + Era * 400 + (M <= 2), M, D};
}

bool IsLeap(int Y) {
    return (Y % 4 == 0 && Y % 100 != 0) || Y % 400 == 0;
}

int DaysInMonth(int Y, int M) {
    static const int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return M == 2 && IsLeap(Y) ? 29 : Days[M - 1];
}

std::string TwoDigits(long long V) {
    return (V < 10 ? "0" : "") + std::to_string(V);
}

// Reads an unsigned number of 1 to MaxDigits digits at Pos.
bool ReadDigits(std::string_view S, std::size_t& Pos, int MaxDigits, int& Value) {
    std::size_t Start = Pos;
    Value = 0;
    while (Pos < S.size() && S[Pos] >= '0' && S[Pos] <= '9' &&
           Pos - Start < static_cast<std::size_t>(MaxDigits))
        Value = Value * 10 + (S[Pos++] - '0');
    return Pos > Start;
}

bool Expect(std::string_view S, std::size_t& Pos, char C) {
    if (Pos >= S.size() || S[Pos] != C)
        return false;
    ++Pos;
    return true;
}

// At the top of the range the nearest 15 digits can lie beyond the largest double, which no
// reader takes back.
bool RoundsPastLargest(const char* First, const char* Last) {
    double Value = 0;
    return std::from_chars(First, Last, Value).ec == std::errc::result_out_of_range;
}

// Rounding went up, so one less in the last digit is the value rounded toward zero.
void RoundTowardZero(char* Digits, int Count) {
    for (int I = Count - 1; I >= 0; --I) {
        if (Digits[I] != '0') {
            --Digits[I];
            return;
        }
        Digits[I] = '9';
    }
}

const TFileClock SystemClock;

// The year within fifty years of the clock's that ends in the two digits.
int NearestYearEndingIn(int TwoDigits) {
    const int Now = static_cast<int>(
        CivilFromDays(static_cast<long long>(std::floor(FileClockNow())) + FileEpochDays).Year);
    const int Year = Now - (Now % 100) + TwoDigits;
    if (Year < Now - 50)
        return Year + 100;
    return Year >= Now + 50 ? Year - 100 : Year;
}

} // namespace

std::string FormatFileNumber(double Value) {
    if (Value == 0 || !std::isfinite(Value))
        return "0";
    // Scientific with 15 significant digits: rounding once fixes digits and exponent together.
    char Sci[40];
    char* End = std::to_chars(Sci, Sci + sizeof Sci, std::fabs(Value),
                              std::chars_format::scientific, SignificantDigits - 1)
                    .ptr;
    const char* E = std::find(Sci, End, 'e');
    char Digits[SignificantDigits];
    int Count = 0;
    for (const char* P = Sci; P != E; ++P)
        if (*P != '.')
            Digits[Count++] = *P;
    int Exponent = 0;
    std::from_chars(E + (E[1] == '+' ? 2 : 1), End, Exponent);
    if (Exponent == std::numeric_limits<double>::max_exponent10 && RoundsPastLargest(Sci, End))
        RoundTowardZero(Digits, Count);
    while (Count > 1 && Digits[Count - 1] == '0')
        --Count;

    char Out[48];
    char* O = Out;
    if (Value < 0)
        *O++ = '-';
    auto Put = [&O](const char* From, int N) { O = std::copy(From, From + N, O); };
    if (Exponent >= SignificantDigits || Exponent < -5) {
        *O++ = Digits[0];
        if (Count > 1) {
            *O++ = ',';
            Put(Digits + 1, Count - 1);
        }
        *O++ = 'E';
        O = std::to_chars(O, Out + sizeof Out, Exponent).ptr;
    } else if (Exponent >= 0) {
        const int IntDigits = Exponent + 1;
        Put(Digits, std::min(Count, IntDigits));
        O = std::fill_n(O, std::max(0, IntDigits - Count), '0');
        if (Count > IntDigits) {
            *O++ = ',';
            Put(Digits + IntDigits, Count - IntDigits);
        }
    } else {
        *O++ = '0';
        *O++ = ',';
        O = std::fill_n(O, -Exponent - 1, '0');
        Put(Digits, Count);
    }
    return std::string(Out, O);
}

std::optional<double> ParseFileNumber(std::string_view Text) {
    std::string_view T = WithoutPlus(Trimmed(Text));
    if (T.empty() || T.size() > 400)
        return std::nullopt;
    std::string S(T);
    bool Separator = false;
    for (char& C : S)
        if (C == ',' || C == '.') {
            if (Separator)
                return std::nullopt;
            Separator = true;
            C = '.';
        } else if (!((C >= '0' && C <= '9') || C == '-' || C == '+' || C == 'e' || C == 'E')) {
            // Only plain numbers: from_chars would also take "inf", "nan" and hexadecimal.
            return std::nullopt;
        }
    double Value = 0;
    auto [Ptr, Ec] = std::from_chars(S.data(), S.data() + S.size(), Value);
    if (Ec != std::errc() || Ptr != S.data() + S.size() || !std::isfinite(Value))
        return std::nullopt;
    return Value;
}

std::optional<int> ParseFileInteger(std::string_view Text) {
    std::string_view T = WithoutPlus(Trimmed(Text));
    if (T.empty())
        return std::nullopt;
    int Value = 0;
    auto [Ptr, Ec] = std::from_chars(T.data(), T.data() + T.size(), Value);
    if (Ec != std::errc() || Ptr != T.data() + T.size())
        return std::nullopt;
    return Value;
}

std::optional<bool> ParseFileBoolean(std::string_view Text) {
    std::string_view T = Trimmed(Text);
    auto Is = [T](std::string_view Word) {
        if (T.size() != Word.size())
            return false;
        for (std::size_t I = 0; I < T.size(); ++I)
            if ((T[I] | 0x20) != Word[I])
                return false;
        return true;
    };
    if (Is("true"))
        return true;
    if (Is("false"))
        return false;
    if (std::optional<int> Number = ParseFileInteger(T))
        return *Number != 0;
    return std::nullopt;
}

double EncodeFileDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second) {
    const double Days = static_cast<double>(
        DaysFromCivil(Year, static_cast<unsigned>(Month), static_cast<unsigned>(Day)) -
        FileEpochDays);
    const double Time = (Hour * 3600.0 + Minute * 60.0 + Second) / SecondsPerDay;
    // Before the epoch the time of day still counts forward from the day's start.
    return Days < 0 ? Days - Time : Days + Time;
}

std::string FormatFileDateTime(double Value) {
    // Years 1 to 9999; anything else is no time this program wrote. Before the epoch the time
    // of day counts away from zero, so the first day reaches down to one below its date.
    constexpr double FirstDay = -693593;     // 01.01.0001
    constexpr double DayAfterLast = 2958466; // 01.01.10000
    if (!std::isfinite(Value) || Value <= FirstDay - 1 || Value >= DayAfterLast)
        Value = 0;
    double Days = std::trunc(Value);
    long long Seconds = std::llround(std::fabs(Value - Days) * SecondsPerDay);
    if (Seconds >= 86400) {
        Seconds -= 86400;
        Days += Value < 0 ? -1 : 1;
    }
    const TCivil C = CivilFromDays(static_cast<long long>(Days) + FileEpochDays);
    std::string Out = TwoDigits(C.Day) + "." + TwoDigits(C.Month) + ".";
    std::string Year = std::to_string(C.Year);
    Out += std::string(Year.size() < 4 ? 4 - Year.size() : 0, '0') + Year;
    if (Seconds != 0)
        Out += " " + TwoDigits(Seconds / 3600) + ":" + TwoDigits(Seconds / 60 % 60) + ":" +
               TwoDigits(Seconds % 60);
    return Out;
}

double ParseFileDateTime(std::string_view Text) {
    std::string_view T = Trimmed(Text);
    std::size_t Pos = 0;
    int Day = 0, Month = 0, Year = 0, Hour = 0, Minute = 0, Second = 0;
    if (!ReadDigits(T, Pos, 2, Day) || !Expect(T, Pos, '.') || !ReadDigits(T, Pos, 2, Month) ||
        !Expect(T, Pos, '.'))
        return 0;
    const std::size_t YearStart = Pos;
    if (!ReadDigits(T, Pos, 4, Year))
        return 0;
    if (Pos - YearStart == 2)
        Year = NearestYearEndingIn(Year);
    else if (Pos - YearStart != 4)
        return 0;
    if (Pos < T.size()) {
        if (!Expect(T, Pos, ' '))
            return 0;
        while (Pos < T.size() && T[Pos] == ' ')
            ++Pos;
        if (!ReadDigits(T, Pos, 2, Hour) || !Expect(T, Pos, ':') || !ReadDigits(T, Pos, 2, Minute))
            return 0;
        if (Pos < T.size() && (!Expect(T, Pos, ':') || !ReadDigits(T, Pos, 2, Second)))
            return 0;
        if (Pos != T.size())
            return 0;
    }
    if (Year < 1 || Month < 1 || Month > 12 || Day < 1 || Day > DaysInMonth(Year, Month) ||
        Hour > 23 || Minute > 59 || Second > 59)
        return 0;
    return EncodeFileDateTime(Year, Month, Day, Hour, Minute, Second);
}

double TFileClock::Now() const {
    const std::time_t T = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm Local{};
    localtime_r(&T, &Local);
    return EncodeFileDateTime(Local.tm_year + 1900, Local.tm_mon + 1, Local.tm_mday, Local.tm_hour,
                              Local.tm_min, Local.tm_sec);
}

TServiceSlot<const TFileClock>& FileClockSlot() {
    static TServiceSlot<const TFileClock> Slot("Uhr", &SystemClock);
    return Slot;
}

double FileClockNow() {
    return FileClockSlot().Get().Now();
}
