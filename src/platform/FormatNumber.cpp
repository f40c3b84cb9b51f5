#include "platform/FormatNumber.h"

#include "platform/FormatSettings.h"

#include <algorithm>
#include <charconv>
#include <cmath>

std::string FormatFixed(double Value, int Decimals, int Width) {
    std::string Text;
    if (std::isnan(Value)) {
        Text = "NAN";
    } else if (std::isinf(Value)) {
        Text = Value < 0 ? "-INF" : "INF";
    } else {
        // The largest double has 309 integer digits.
        char Buffer[400];
        const int Precision = std::clamp(Decimals, 0, 60);
        const auto Result = std::to_chars(Buffer, Buffer + sizeof Buffer, Value,
                                          std::chars_format::fixed, Precision);
        Text.assign(Buffer, Result.ptr);
        if (const auto Point = Text.find('.'); Point != std::string::npos)
            Text[Point] = FormatSettings().DecimalSeparator;
    }
    if (static_cast<int>(Text.size()) < Width)
        Text.insert(0, static_cast<std::size_t>(Width) - Text.size(), ' ');
    return Text;
}
