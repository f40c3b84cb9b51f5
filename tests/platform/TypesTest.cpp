#include "platform/Types.h"

#include <gtest/gtest.h>

#include <climits>

TEST(TRect, ExtentsSaturateForSaturatedCorners) {
    EXPECT_EQ(Rect(2, 3, 10, 7).Width(), 8);
    EXPECT_EQ(Rect(2, 3, 10, 7).Height(), 4);
    EXPECT_EQ(Rect(INT_MIN, 0, INT_MAX, 0).Width(), INT_MAX);
    EXPECT_EQ(Rect(0, INT_MAX, 0, INT_MIN).Height(), INT_MIN);
}

TEST(TColor, ComponentsAreInBlueGreenRedOrder) {
    EXPECT_EQ(RGBColor(255, 0, 0), clRed);
    EXPECT_EQ(GetBValue(clBlue), 255);
    EXPECT_EQ(GetRValue(0x123456), 0x56);
}
