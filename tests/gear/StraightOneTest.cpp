#include "gear/uTStraightOne.h"

#include <gtest/gtest.h>

namespace {
void ExpectNear(TMMPoint P, TMMPoint Expected) {
    EXPECT_NEAR(P.X, Expected.X, 1e-12);
    EXPECT_NEAR(P.Y, Expected.Y, 1e-12);
}
} // namespace

TEST(StraightOne, ParallelShiftsLeftForPositiveOffsets) {
    struct Case {
        TMMPoint P1, P2;
        double Offset;
        TMMPoint E1, E2;
    } Cases[] = {
        {{0, 0}, {10, 0}, 2, {0, 2}, {10, 2}},   {{0, 0}, {10, 0}, -2, {0, -2}, {10, -2}},
        {{10, 0}, {0, 0}, 2, {10, -2}, {0, -2}}, {{1, 1}, {1, 5}, 3, {-2, 1}, {-2, 5}},
        {{0, 0}, {3, 4}, 5, {-4, 3}, {-1, 7}},   {{2, 2}, {6, 2}, 0, {2, 2}, {6, 2}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message()
                     << "offset " << C.Offset << " from (" << C.P1.X << "," << C.P1.Y << ")");
        const TStraightOne Shifted = TStraightOne(C.P1, C.P2).Parallel(C.Offset);
        ExpectNear(Shifted.P1(), C.E1);
        ExpectNear(Shifted.P2(), C.E2);
    }
}

TEST(StraightOne, FollowsItsPointsButTheParallelIsFixed) {
    TMMPoint A{0, 0}, B{10, 0};
    const TStraightOne Line([&A] { return A; }, [&B] { return B; });
    const TStraightOne Shifted = Line.Parallel(1);
    A = TMMPoint{0, 5};
    EXPECT_EQ(Line.P1(), (TMMPoint{0, 5}));
    ExpectNear(Shifted.P1(), {0, 1});
}
