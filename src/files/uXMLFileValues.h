// The text forms of values in mechanism files: one fixed form whatever the running program's
// locale (the German one these files have always had: "12,5", "31.12.2024 08:30:00"), and
// readers that accept what older files hold. Also the clock that stamps the files.
#pragma once

#include "platform/ServiceSlot.h"

#include <optional>
#include <string>
#include <string_view>

// General format with at most 15 significant digits and a decimal comma; exponent form
// ("1E-6", "1,5E20") below 0.00001 in magnitude or with more than 15 integer digits.
std::string FormatFileNumber(double Value);
// Accepts ',' or '.' as decimal separator, an exponent and surrounding blanks; nothing for
// non-finite values or text that is not a number.
std::optional<double> ParseFileNumber(std::string_view Text);

// Decimal digits with an optional sign; nothing outside the int range.
std::optional<int> ParseFileInteger(std::string_view Text);
// "True" and "False" in any letter case, or a whole number (0 is false).
std::optional<bool> ParseFileBoolean(std::string_view Text);
inline const char* FormatFileBoolean(bool Value) {
    return Value ? "True" : "False";
}

// Date-times are days since 30 December 1899, the fraction being the time of day; 0 is unset.
// Written as "dd.MM.yyyy HH:mm:ss", exactly midnight as the date alone.
std::string FormatFileDateTime(double Value);
// The counterpart of the writer (one- or two-digit day, month and hour, seconds optional); a
// two-digit year is the one ending in those digits within fifty years of the clock's; 0 for text
// that is no date.
double ParseFileDateTime(std::string_view Text);
// The date-time of a calendar day and time, in the file's day count.
double EncodeFileDateTime(int Year, int Month, int Day, int Hour = 0, int Minute = 0,
                          int Second = 0);

// The clock that stamps creation and modification times; tests install a fixed one.
class TFileClock {
public:
    virtual ~TFileClock() = default;
    // The local time now.
    virtual double Now() const;
};
TServiceSlot<const TFileClock>& FileClockSlot();
double FileClockNow();
