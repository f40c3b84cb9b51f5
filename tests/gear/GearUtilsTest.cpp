#include "gear/uGearUtils.h"
#include "support/ProcessLocale.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <numbers>
#include <optional>
#include <random>
#include <string>

namespace {
constexpr double Pi = std::numbers::pi;
}

TEST(GearUtils, PointSegmentDistanceToEndsAndLine) {
    struct Case {
        double PX, PY, Distance;
    } Cases[] = {
        {5, 3, 3}, {-3, 4, 5}, {13, 4, 5}, {10, -2, 2}, {0, -7, 7}, {4, 0, 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "(" << C.PX << "," << C.PY << ")");
        EXPECT_NEAR(PointSegmentDistance(0, 0, 10, 0, C.PX, C.PY), C.Distance, 1e-12);
        // The same segment turned and shifted.
        EXPECT_NEAR(PointSegmentDistance(1, 1, 1, 11, 1 - C.PY, 1 + C.PX), C.Distance, 1e-12);
    }
    // A segment whose ends coincide measures from that point.
    EXPECT_NEAR(PointSegmentDistance(2, 2, 2, 2, 5, 6), 5.0, 1e-12);
    EXPECT_NEAR(PointSegmentDistance(2, 2, 2, 2, 2, -1), 3.0, 1e-12);
}

TEST(GearUtils, DistancesDirectionsAndAngles) {
    EXPECT_DOUBLE_EQ(PointDistance(1, 1, 4, 5), 5.0);
    EXPECT_DOUBLE_EQ(PointDirection(1, 1, 0, 2), 3 * Pi / 4);
    EXPECT_DOUBLE_EQ(PointDirection(3, 3, 3, 3), Pi / 2);
    struct Case {
        double X2, Y2, X3, Y3, Angle;
    } Cases[] = {
        {1, 0, 0, 1, Pi / 2},
        {0, 1, 1, 0, -Pi / 2},
        {0, -1, 1, 0, -3 * Pi / 2},
        {1, 0, 1, 0, 0},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Angle);
        EXPECT_DOUBLE_EQ(AngleBetween(0, 0, C.X2, C.Y2, C.X3, C.Y3), C.Angle);
    }
}

TEST(GearUtils, FrameConversionsRoundTrip) {
    const TMMPoint L = ToLocalCoords(TMMPoint{1, 3}, TMMPoint{1, 1}, Pi / 2);
    EXPECT_NEAR(L.X, 2, 1e-15);
    EXPECT_NEAR(L.Y, 0, 1e-15);
    const TMMPoint G = ToGlobalCoords(TMMPoint{0, 1}, TMMPoint{1, 1}, Pi / 2);
    EXPECT_NEAR(G.X, 0, 1e-15);
    EXPECT_NEAR(G.Y, 1, 1e-15);
    std::mt19937 Gen(11);
    std::uniform_real_distribution<double> Coord(-500, 500), Angle(-10, 10);
    for (int I = 0; I < 1000; ++I) {
        const TMMPoint P{Coord(Gen), Coord(Gen)}, O{Coord(Gen), Coord(Gen)};
        const double A = Angle(Gen);
        const TMMPoint Back = ToGlobalCoords(ToLocalCoords(P, O, A), O, A);
        ASSERT_NEAR(Back.X, P.X, 1e-11);
        ASSERT_NEAR(Back.Y, P.Y, 1e-11);
    }
}

namespace {
// Runs the parser table under one process locale and restores the locale afterwards.
class StrToFloatAnySepTest : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        const bool German = std::string(GetParam()) == "German";
        FLocale.emplace(German);
        if (German) {
            ASSERT_TRUE(FLocale->Active()) << "no German locale: the package locales is missing";
        }
        FActive = std::setlocale(LC_ALL, nullptr);
    }
    void TearDown() override { FLocale.reset(); }

    std::optional<TProcessLocale> FLocale;
    std::string FActive;
};
} // namespace

TEST_P(StrToFloatAnySepTest, AcceptsEitherSeparatorAndRefusesTheRest) {
    struct Case {
        const char* Text;
        std::optional<double> Value;
    } Cases[] = {
        {"3,75", 3.75},  {"3.75", 3.75}, {"  -1,5\t", -1.5}, {"+2", 2.0},      {"0", 0.0},
        {",5", 0.5},     {"7.", 7.0},    {"1e3", 1000.0},    {"2,5E-1", 0.25}, {"1.234,5", {}},
        {"1,234.5", {}}, {"1,2,3", {}},  {"", {}},           {"   ", {}},      {"abc", {}},
        {"inf", {}},     {"nan", {}},    {"0x1A", {}},       {"1 000", {}},    {"12abc", {}},
        {".", {}},       {"-", {}},      {"1e", {}},         {"1e400", {}},    {"--1", {}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << "\"" << C.Text << "\" under " << FActive);
        const auto Value = StrToFloatAnySep(C.Text);
        EXPECT_EQ(Value.has_value(), C.Value.has_value());
        if (Value && C.Value) {
            EXPECT_DOUBLE_EQ(*Value, *C.Value);
        }
        EXPECT_EQ(FActive, std::setlocale(LC_ALL, nullptr));
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, StrToFloatAnySepTest, testing::Values("German", "C"));
