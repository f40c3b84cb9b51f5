#include "gear/uTCoordSystem.h"

#include <gtest/gtest.h>

#include <random>

TEST(CoordSystem, ConvertsToAndFromTheFrame) {
    const TCoordSystem Frame(TMMPoint{1, 1}, TMMPoint{1, 5});
    EXPECT_NEAR(static_cast<double>(Frame.ToLocalX(1, 3)), 2.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(Frame.ToLocalY(0, 1)), 1.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(Frame.ToGlobalX(2, 1)), 0.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(Frame.ToGlobalY(2, 1)), 3.0, 1e-15);
}

TEST(CoordSystem, CoincidentPointsGiveAnUpwardAxis) {
    const TCoordSystem Frame(TMMPoint{2, 3}, TMMPoint{2, 3});
    EXPECT_NEAR(static_cast<double>(Frame.CosA()), 0.0, 1e-18);
    EXPECT_EQ(Frame.SinA(), 1.0L);
    EXPECT_EQ(Frame.Origin(), (TMMPoint{2, 3}));
}

TEST(CoordSystem, RoundTripReturnsThePoint) {
    std::mt19937 Gen(5);
    std::uniform_real_distribution<double> Coord(-1000, 1000);
    for (int I = 0; I < 1000; ++I) {
        const TCoordSystem Frame(TMMPoint{Coord(Gen), Coord(Gen)},
                                 TMMPoint{Coord(Gen), Coord(Gen)});
        const double X = Coord(Gen), Y = Coord(Gen);
        const long double LX = Frame.ToLocalX(X, Y), LY = Frame.ToLocalY(X, Y);
        ASSERT_NEAR(static_cast<double>(Frame.ToGlobalX(LX, LY)), X, 1e-12);
        ASSERT_NEAR(static_cast<double>(Frame.ToGlobalY(LX, LY)), Y, 1e-12);
    }
}
