#include "platform/Round.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

TEST(Round, TiesGoToEvenAndExtremesSaturate) {
    struct Case {
        double In;
        int Round, Trunc;
    } Cases[] = {
        {2.5, 2, 2},
        {3.5, 4, 3},
        {-2.5, -2, -2},
        {-3.5, -4, -3},
        {0.49999, 0, 0},
        {-0.7, -1, 0},
        {1e300, INT_MAX, INT_MAX},
        {-1e300, INT_MIN, INT_MIN},
        {std::numeric_limits<double>::infinity(), INT_MAX, INT_MAX},
        {-std::numeric_limits<double>::infinity(), INT_MIN, INT_MIN},
        {std::nan(""), 0, 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.In);
        EXPECT_EQ(Round(C.In), C.Round);
        EXPECT_EQ(Trunc(C.In), C.Trunc);
    }
}
