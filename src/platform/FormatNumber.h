// Numbers as the user reads them: fixed point with the locale's decimal separator, independent of
// the C library's locale (which the toolkit changes).
#pragma once

#include <string>

// Like "%*.*f": Decimals digits after the separator, at least one before it, padded with blanks on
// the left to Width characters. Values that are not finite come out as "NAN", "INF" or "-INF".
std::string FormatFixed(double Value, int Decimals, int Width = 0);
