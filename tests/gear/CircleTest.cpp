#include "gear/uTCircle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <numbers>
#include <random>

namespace {
constexpr double Pi = std::numbers::pi;

void ExpectPoint(const std::optional<TMMPoint>& P, TMMPoint Expected, double Tolerance = 1e-12) {
    ASSERT_TRUE(P.has_value());
    EXPECT_NEAR(P->X, Expected.X, Tolerance);
    EXPECT_NEAR(P->Y, Expected.Y, Tolerance);
}

// Both branches of an intersection: Intersect(Which) against the expected point (none: nullopt).
template <class TIntersect>
void ExpectBranches(TIntersect Intersect, const std::optional<TMMPoint>& True,
                    const std::optional<TMMPoint>& False) {
    for (bool Which : {true, false}) {
        SCOPED_TRACE(Which);
        const auto& Expected = Which ? True : False;
        const auto P = Intersect(Which);
        if (Expected)
            ExpectPoint(P, *Expected);
        else
            EXPECT_FALSE(P.has_value());
    }
}

struct CircleCase {
    const char* Name;
    TMMPoint CA;
    double RA;
    TMMPoint CB;
    double RB;
    std::optional<TMMPoint> True, False;
};
} // namespace

TEST(Circle, IntersectsCirclesOnTheSideWhichNames) {
    const CircleCase Cases[] = {
        {"crossing", {0, 0}, 5, {8, 0}, 5, TMMPoint{4, 3}, TMMPoint{4, -3}},
        {"roles swapped", {8, 0}, 5, {0, 0}, 5, TMMPoint{4, -3}, TMMPoint{4, 3}},
        // The second circle's leftmost point lies on the first: a half-angle form loses a branch.
        {"leftmost point on A",
         {0, 0},
         5,
         {7, 4},
         4,
         TMMPoint{3, 4},
         TMMPoint{323.0 / 65, 36.0 / 65}},
        {"touch outside", {0, 0}, 3, {8, 0}, 5, TMMPoint{3, 0}, TMMPoint{3, 0}},
        {"touch inside", {0, 0}, 5, {2, 0}, 3, TMMPoint{5, 0}, TMMPoint{5, 0}},
        {"vertical centre line", {0, 0}, 5, {0, 8}, 5, TMMPoint{-3, 4}, TMMPoint{3, 4}},
        {"apart", {0, 0}, 1, {3, 0}, 1, std::nullopt, std::nullopt},
        {"inside", {0, 0}, 5, {1, 0}, 1, std::nullopt, std::nullopt},
        {"same centre", {1, 1}, 5, {1, 1 + 0.5e-10}, 5, std::nullopt, std::nullopt},
        {"point on circle", {0, 0}, 5, {3, 4}, 0, TMMPoint{3, 4}, TMMPoint{3, 4}},
        {"circle through point", {3, 4}, 0, {0, 0}, 5, TMMPoint{3, 4}, TMMPoint{3, 4}},
        {"point off circle", {0, 0}, 5, {3, 3}, 0, std::nullopt, std::nullopt},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        const TCircle A(C.CA, C.RA), B(C.CB, C.RB);
        ExpectBranches([&](bool Which) { return A.Intersect(B, Which); }, C.True, C.False);
    }
}

TEST(Circle, CentresJustBeyondTheSamePlaceToleranceStillIntersect) {
    const TCircle A(TMMPoint{0, 0}, 5), B(TMMPoint{1e-10, 0}, 5);
    EXPECT_TRUE(A.Intersect(B, true).has_value());
}

TEST(Circle, NonFiniteCentreGivesNoIntersection) {
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    const TCircle A(TMMPoint{0, 0}, 5), B(TMMPoint{NaN, 0}, 5);
    EXPECT_FALSE(A.Intersect(B, true).has_value());
    EXPECT_FALSE(B.IntersectLine(TStraightOne(TMMPoint{0, 0}, TMMPoint{1, 0}), true).has_value());
}

TEST(Circle, IntersectsLinesAlongTheirDirection) {
    struct Case {
        const char* Name;
        TMMPoint C;
        double R;
        TMMPoint P1, P2;
        std::optional<TMMPoint> True, False;
    } Cases[] = {
        {"chord", {0, 0}, 5, {-10, 3}, {10, 3}, TMMPoint{4, 3}, TMMPoint{-4, 3}},
        {"chord reversed", {0, 0}, 5, {10, 3}, {-10, 3}, TMMPoint{-4, 3}, TMMPoint{4, 3}},
        {"through centre to +x", {0, 0}, 5, {-10, 0}, {10, 0}, TMMPoint{5, 0}, TMMPoint{-5, 0}},
        // Passes the circle's leftmost point: each branch keeps its own point.
        {"through centre to -x", {0, 0}, 5, {10, 0}, {-10, 0}, TMMPoint{-5, 0}, TMMPoint{5, 0}},
        {"chord ending at leftmost point",
         {0, 0},
         5,
         {-5, 0},
         {0, 5},
         TMMPoint{0, 5},
         TMMPoint{-5, 0}},
        {"vertical", {0, 0}, 5, {0, -10}, {0, 10}, TMMPoint{0, 5}, TMMPoint{0, -5}},
        {"tangent", {0, -1}, 1, {0, 0}, {-1, 0}, TMMPoint{0, 0}, TMMPoint{0, 0}},
        {"tangent at leftmost point",
         {0, 0},
         5,
         {-5, -3},
         {-5, 7},
         TMMPoint{-5, 0},
         TMMPoint{-5, 0}},
        {"miss", {0, 0}, 5, {-10, 6}, {10, 6}, std::nullopt, std::nullopt},
        {"zero radius on line", {2, 0}, 0, {0, 0}, {4, 0}, TMMPoint{2, 0}, TMMPoint{2, 0}},
        {"zero radius off line", {2, 1}, 0, {0, 0}, {4, 0}, std::nullopt, std::nullopt},
        {"line without direction", {0, 0}, 5, {1, 1}, {1, 1}, std::nullopt, std::nullopt},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        const TCircle Circle(C.C, C.R);
        const TStraightOne Line(C.P1, C.P2);
        ExpectBranches([&](bool Which) { return Circle.IntersectLine(Line, Which); }, C.True,
                       C.False);
    }
}

TEST(Circle, HorizontalLineThroughCentreGivesExactPoints) {
    const TCircle Circle(TMMPoint{0, 0}, 5);
    const TStraightOne Line(TMMPoint{-10, 0}, TMMPoint{10, 0});
    EXPECT_EQ(Circle.IntersectLine(Line, true), (TMMPoint{5, 0}));
    EXPECT_EQ(Circle.IntersectLine(Line, false), (TMMPoint{-5, 0}));
}

TEST(Circle, FollowsItsCentreAndKeepsRadiusOnNegativeValues) {
    TMMPoint Joint{0, 0};
    TCircle Moving = TCircle::Through([&Joint] { return Joint; }, TMMPoint{3, 4});
    EXPECT_DOUBLE_EQ(static_cast<double>(Moving.Radius()), 5.0);
    const TCircle Fixed(TMMPoint{8, 0}, 5);
    ExpectPoint(Moving.Intersect(Fixed, true), {4, 3});
    Joint = TMMPoint{16, 0};
    ExpectPoint(Moving.Intersect(Fixed, true), {12, -3});

    Moving.SetRadius(-1);
    EXPECT_DOUBLE_EQ(static_cast<double>(Moving.Radius()), 5.0);
    Moving.SetRadius(std::numeric_limits<long double>::quiet_NaN());
    EXPECT_DOUBLE_EQ(static_cast<double>(Moving.Radius()), 5.0);
    Moving.SetRadius(0);
    EXPECT_EQ(Moving.Radius(), 0.0L);
}

TEST(Circle, AngleHasTheQuadrantRule) {
    EXPECT_EQ(TCircle::Angle(0, 0), std::numbers::pi_v<long double> / 2);
    EXPECT_NEAR(static_cast<double>(TCircle::Angle(-1, -1)), 5 * Pi / 4, 1e-15);
    EXPECT_NEAR(static_cast<double>(TCircle::Angle(-1, 0)), 3 * Pi / 2, 1e-15);
    EXPECT_EQ(TCircle::Angle(0, -2), std::numbers::pi_v<long double>);
}

namespace {
double Cross(TMMPoint O, TMMPoint A, TMMPoint B) {
    return (A.X - O.X) * (B.Y - O.Y) - (A.Y - O.Y) * (B.X - O.X);
}
double Distance(TMMPoint A, TMMPoint B) {
    return std::hypot(A.X - B.X, A.Y - B.Y);
}
} // namespace

TEST(Circle, RandomCirclePairsGiveTheirCrossingsOnTheNamedSide) {
    std::mt19937 Gen(20240517);
    std::uniform_real_distribution<double> Coord(-100, 100), Radius(0.01, 120);
    int Crossing = 0;
    for (int I = 0; I < 20000; ++I) {
        const TMMPoint CA{Coord(Gen), Coord(Gen)}, CB{Coord(Gen), Coord(Gen)};
        const double RA = Radius(Gen), RB = Radius(Gen);
        const TCircle A(CA, RA), B(CB, RB);
        const auto T = A.Intersect(B, true), F = A.Intersect(B, false);
        const double D = Distance(CA, CB);
        const bool Crosses = std::fabs(RA - RB) < D && D < RA + RB;
        // Away from tangency the answer is clear-cut.
        const double Margin = 1e-6 * (RA + RB);
        if (std::fabs(RA - RB) + Margin < D && D + Margin < RA + RB) {
            ASSERT_TRUE(T && F) << "case " << I;
        } else if (!Crosses && std::fabs(D - RA - RB) > Margin &&
                   std::fabs(D - std::fabs(RA - RB)) > Margin) {
            ASSERT_FALSE(T || F) << "case " << I;
        }
        ASSERT_EQ(T.has_value(), F.has_value()) << "case " << I;
        if (!T)
            continue;
        ++Crossing;
        for (const TMMPoint& P : {*T, *F}) {
            ASSERT_NEAR(Distance(P, CA), RA, 1e-9) << "case " << I;
            ASSERT_NEAR(Distance(P, CB), RB, 1e-9) << "case " << I;
        }
        ASSERT_GE(Cross(CA, CB, *T), -1e-9) << "case " << I;
        ASSERT_LE(Cross(CA, CB, *F), 1e-9) << "case " << I;
    }
    EXPECT_GT(Crossing, 5000);
}

TEST(Circle, RandomLinesGiveTheirCrossingsInLineOrder) {
    std::mt19937 Gen(77);
    std::uniform_real_distribution<double> Coord(-100, 100), Radius(0.01, 120);
    int Crossing = 0;
    for (int I = 0; I < 20000; ++I) {
        const TMMPoint C{Coord(Gen), Coord(Gen)}, P1{Coord(Gen), Coord(Gen)},
            P2{Coord(Gen), Coord(Gen)};
        const double R = Radius(Gen);
        const TCircle Circle(C, R);
        const TStraightOne Line(P1, P2);
        const auto T = Circle.IntersectLine(Line, true), F = Circle.IntersectLine(Line, false);
        const double L = Distance(P1, P2);
        const double Apart = std::fabs(Cross(P1, P2, C)) / L;
        if (Apart < R - 1e-6 * R) {
            ASSERT_TRUE(T && F) << "case " << I;
        } else if (Apart > R + 1e-6 * R) {
            ASSERT_FALSE(T || F) << "case " << I;
        }
        ASSERT_EQ(T.has_value(), F.has_value()) << "case " << I;
        if (!T)
            continue;
        ++Crossing;
        for (const TMMPoint& P : {*T, *F}) {
            ASSERT_NEAR(Distance(P, C), R, 1e-9) << "case " << I;
            ASSERT_NEAR(Cross(P1, P2, P) / L, 0.0, 1e-9) << "case " << I;
        }
        const auto Along = [&](TMMPoint P) {
            return ((P.X - P1.X) * (P2.X - P1.X) + (P.Y - P1.Y) * (P2.Y - P1.Y)) / L;
        };
        ASSERT_GE(Along(*T), Along(*F)) << "case " << I;
    }
    EXPECT_GT(Crossing, 5000);
}

namespace {
constexpr double Degree = Pi / 180;

TMMPoint Along(TMMPoint From, double Angle, double Distance) {
    return {From.X + Distance * std::cos(Angle), From.Y + Distance * std::sin(Angle)};
}

// The line through Point whose direction is Angle.
TStraightOne LineThrough(TMMPoint Point, double Angle) {
    return TStraightOne(Point, Along(Point, Angle, 1));
}
} // namespace

TEST(Circle, FiguresThatTouchInRoundedNumbersGiveTheTouchingPoint) {
    const TCircle Small({1.3, 2.7}, 30), Large(Along({1.3, 2.7}, 33 * Degree, 70), 40);
    const TCircle Outer({0, 0}, 3), Inner({std::cos(37 * Degree), std::sin(37 * Degree)}, 2);
    const TCircle Unit({0.3, 0.7}, 1);
    const TStraightOne Tangent = LineThrough(Along({0.3, 0.7}, 30 * Degree, 1), 120 * Degree);
    const struct {
        const char* Name;
        std::function<std::optional<TMMPoint>(bool)> Intersect;
        TMMPoint Touch;
    } Cases[] = {
        {"outside", [&](bool W) { return Small.Intersect(Large, W); }, {26.4601170, 19.0391711}},
        {"outside, roles swapped",
         [&](bool W) { return Large.Intersect(Small, W); },
         {26.4601170, 19.0391711}},
        {"inside", [&](bool W) { return Outer.Intersect(Inner, W); }, {2.3959065, 1.8054451}},
        {"inside, roles swapped",
         [&](bool W) { return Inner.Intersect(Outer, W); },
         {2.3959065, 1.8054451}},
        {"tangent line", [&](bool W) { return Unit.IntersectLine(Tangent, W); }, {1.1660254, 1.2}},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        for (bool Which : {true, false})
            ExpectPoint(C.Intersect(Which), C.Touch, 1e-7);
    }
}

namespace {
// A circle and a second figure built touching it, with the touch moved by Shift times the
// scale (positive: apart). Kind 0 touches outside, 1 inside, 2 is a tangent line.
struct TTouchingPair {
    TMMPoint C;
    double R;
    TMMPoint Other; // the second centre, or a point of the line
    double ROther;  // the second radius; for the line the angle of its normal
    int Kind;

    static TTouchingPair Random(std::mt19937& Gen, int Kind, double Shift) {
        std::uniform_real_distribution<double> Coord(-100, 100), Radius(0.01, 120),
            Angle(0, 2 * Pi);
        TTouchingPair P{{Coord(Gen), Coord(Gen)}, Radius(Gen), {}, Radius(Gen), Kind};
        const double Phi = Angle(Gen);
        if (Kind == 0) {
            P.Other = Along(P.C, Phi, P.R + P.ROther + Shift * (P.R + P.ROther));
        } else if (Kind == 1) {
            if (P.ROther > P.R)
                std::swap(P.R, P.ROther);
            P.Other = Along(P.C, Phi, P.R - P.ROther - Shift * P.R);
        } else {
            P.ROther = Phi;
            P.Other = Along(P.C, Phi, P.R + Shift * P.R);
        }
        return P;
    }

    std::optional<TMMPoint> Intersect(bool Which) const {
        const TCircle Circle(C, R);
        if (Kind == 2)
            return Circle.IntersectLine(LineThrough(Other, ROther + Pi / 2), Which);
        return Circle.Intersect(TCircle(Other, ROther), Which);
    }

    // The distance of P from the second figure.
    double OffOther(TMMPoint P) const {
        if (Kind == 2)
            return std::fabs((P.X - Other.X) * std::cos(ROther) +
                             (P.Y - Other.Y) * std::sin(ROther));
        return std::fabs(Distance(P, Other) - ROther);
    }
};
} // namespace

TEST(Circle, RandomTouchingFiguresCrossOnBoth) {
    std::mt19937 Gen(1009);
    std::uniform_real_distribution<double> Shift(-1e-12, 1e-12);
    for (int Kind : {0, 1, 2})
        for (int I = 0; I < 5000; ++I) {
            const TTouchingPair Pair = TTouchingPair::Random(Gen, Kind, Shift(Gen));
            for (bool Which : {true, false}) {
                const auto P = Pair.Intersect(Which);
                ASSERT_TRUE(P) << "kind " << Kind << " case " << I;
                ASSERT_NEAR(Distance(*P, Pair.C), Pair.R, 1e-9) << "kind " << Kind << " case " << I;
                ASSERT_NEAR(Pair.OffOther(*P), 0, 1e-9) << "kind " << Kind << " case " << I;
            }
        }
}

TEST(Circle, RandomFiguresClearlyApartStayApart) {
    std::mt19937 Gen(2003);
    for (int Kind : {0, 1, 2})
        for (int I = 0; I < 5000; ++I) {
            const TTouchingPair Pair = TTouchingPair::Random(Gen, Kind, 1e-7);
            for (bool Which : {true, false})
                ASSERT_FALSE(Pair.Intersect(Which)) << "kind " << Kind << " case " << I;
        }
}
