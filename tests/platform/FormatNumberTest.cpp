#include "platform/FormatNumber.h"
#include "support/PreferencesFixture.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct TFixedCase {
    double Value;
    int Decimals;
    int Width;
    const char* Point;
    const char* Comma;
};

TEST(FormatFixed, FollowsTheLocaleSeparatorAndPadsLikePrintf) {
    const double Inf = std::numeric_limits<double>::infinity();
    const TFixedCase Cases[] = {
        {0.0, 3, 0, "0.000", "0,000"},
        {0.5, 3, 0, "0.500", "0,500"},
        {-12.3456, 3, 0, "-12.346", "-12,346"},
        {1234567.0, 3, 0, "1234567.000", "1234567,000"},
        {3.14159, 2, 5, " 3.14", " 3,14"},
        {-3.14159, 2, 5, "-3.14", "-3,14"},
        {123456.0, 2, 5, "123456.00", "123456,00"},
        {7.0, 0, 0, "7", "7"},
        {1e300, 1, 0, nullptr, nullptr}, // checked for length below
        {Inf, 3, 0, "INF", "INF"},
        {-Inf, 3, 6, "  -INF", "  -INF"},
        {std::numeric_limits<double>::quiet_NaN(), 3, 0, "NAN", "NAN"},
    };
    for (const char Separator : {'.', ','}) {
        TSeparatorGuard Guard(Separator);
        for (const TFixedCase& C : Cases) {
            const std::string Text = FormatFixed(C.Value, C.Decimals, C.Width);
            if (!C.Point) {
                EXPECT_EQ(Text.size(), 303u);
                continue;
            }
            EXPECT_EQ(Text, Separator == '.' ? C.Point : C.Comma) << C.Value;
        }
    }
}

TEST(FormatFixed, LargestValueFits) {
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::max(), 3).size(), 309u + 4u);
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::max(), 60).size(), 1u + 309u + 61u);
}

} // namespace
