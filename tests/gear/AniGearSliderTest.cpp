// Sliding drives through the planner: a block point beside the slide line, and the way a positive
// value moves the block whichever end the slide link was drawn from. Each position is checked
// against the geometry solved here, independently of the solver steps.
#include "AniGearRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using namespace AniGearRig;

struct TSliderRig : TAniGearRig {
    // Plans, then solves every value in order, checking the shape at each.
    void PlanFor(const std::vector<double>& Values) {
        RememberDrawing();
        Drive->SetIntervals(static_cast<int>(Values.size()) - 1);
        for (std::size_t I = 0; I < Values.size(); ++I)
            Drive->SetValue(static_cast<int>(I), Values[I]);
        ASSERT_TRUE(Gear.BuildFrom());
    }
    void Solve(int Position) {
        ASSERT_TRUE(Gear.Calculate(Position));
        EXPECT_TRUE(KeepsItsShape());
    }
};

struct TAniGearSliderTest : ::testing::Test, TSliderRig {};

void ExpectNear(const TJoint* J, TMMPoint P) {
    EXPECT_NEAR(J->X(), P.X, Tol) << "joint " << J->ID();
    EXPECT_NEAR(J->Y(), P.Y, Tol) << "joint " << J->ID();
}

TMMPoint Turned(double Theta, double X, double Y) {
    return {X * std::cos(Theta) - Y * std::sin(Theta), X * std::sin(Theta) + Y * std::cos(Theta)};
}

// The offset cylinder at slide value Shift (mm): the block's pin lies Along from C0 on the body,
// which turns about C0 by Theta until the bar from B0 to C is 40 long again. Newton's method on
// Theta, continued from the drawing in small steps of Along.
struct TCylinderPose {
    TMMPoint Pin, C, Hub;
};
TCylinderPose SolveOffsetCylinder(bool HubFirst, double Side, double Shift) {
    const double Along = HubFirst ? 30 - Shift : 30 + Shift; // the distance from the reference
    const double CY = 20 * Side, BX = 30, BY = 60 * Side;
    double Theta = 0;
    constexpr int Steps = 50;
    for (int I = 1; I <= Steps; ++I) {
        const double X = 30 + (Along - 30) * I / Steps;
        for (int N = 0; N < 40; ++N) {
            const TMMPoint P = Turned(Theta, X, CY);
            const TMMPoint DP = Turned(Theta + Pi / 2, X, CY);
            const double F = (P.X - BX) * (P.X - BX) + (P.Y - BY) * (P.Y - BY) - 1600;
            const double DF = 2 * (P.X - BX) * DP.X + 2 * (P.Y - BY) * DP.Y;
            Theta -= F / DF;
        }
    }
    return {Turned(Theta, Along, 0), Turned(Theta, Along, CY), Turned(Theta, 60, 0)};
}

TEST(AniGearSliderTest, BlockPointBesideTheSlideLineKeepsItsPlaceOnTheBlock) {
    struct TCase {
        const char* Name;
        bool HubFirst;
        double Side;
    } Cases[] = {{"left of a body drawn from C0", false, 1},
                 {"right of a body drawn from C0", false, -1},
                 {"left of a body drawn from the hub", true, 1},
                 {"right of a body drawn from the hub", true, -1}};
    const std::vector<double> Values = {0, 8000, -8000, 3000};
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TSliderRig Rig;
        Rig.OffsetCylinder(Case.HubFirst, Case.Side);
        Rig.PlanFor(Values);
        for (std::size_t I = 0; I < Values.size(); ++I) {
            SCOPED_TRACE(Values[I]);
            Rig.Solve(static_cast<int>(I));
            const TCylinderPose Want =
                SolveOffsetCylinder(Case.HubFirst, Case.Side, Values[I] / 1000);
            ExpectNear(Rig.BlockPin, Want.Pin);
            ExpectNear(Rig.C, Want.C);
            ExpectNear(Rig.Hub, Want.Hub);
        }
    }
}

TEST_F(TAniGearSliderTest, OffsetCylinderPushedBy20mm) {
    OffsetCylinder(false, 1);
    PlanFor({0, 20000});
    Solve(1);
    EXPECT_NEAR(C->X(), 48.054212305, 1e-8);
    EXPECT_NEAR(C->Y(), 24.306227181, 1e-8);
    EXPECT_NEAR(BlockPin->X(), 49.807502739, 1e-8);
    EXPECT_NEAR(BlockPin->Y(), 4.383226085, 1e-8);
}

// A positive value lengthens the block's distance from the slide link's reference joint, the
// first joint it was drawn from, on a turning body as on a fixed guide.
TEST(AniGearSliderTest, PositiveValueMovesTheBlockAwayFromTheReferenceJoint) {
    struct TCase {
        const char* Name;
        TMMPoint Hub;
        bool HubFirst;
        bool Fixed;
        double Sense; // how the pin's distance from C0 follows the value
        bool Against; // whether the drive's arrow turns against the slide link's direction
    } Cases[] = {
        {"turning, from a hub beyond the block", {48, 36}, true, false, -1, false},
        {"turning, from C0", {48, 36}, false, false, 1, false},
        {"turning, from a hub behind the block", {24, 18}, true, false, 1, true},
        {"turning, from C0 with the block beyond the hub", {24, 18}, false, false, 1, false},
        {"fixed, from a far end", {48, 36}, true, true, -1, false},
        {"fixed, from C0", {48, 36}, false, true, 1, false},
        {"fixed, from an end behind the block", {24, 18}, true, true, 1, true},
    };
    const std::vector<double> Values = {0, 5000, -5000};
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TSliderRig Rig;
        Rig.PushedAlongABody(Case.Hub, Case.HubFirst, Case.Fixed);
        Rig.PlanFor(Values);
        EXPECT_EQ(Rig.Drive->SlidesAgainstLinkAngle(), Case.Against);
        for (std::size_t I = 0; I < Values.size(); ++I) {
            SCOPED_TRACE(Values[I]);
            Rig.Solve(static_cast<int>(I));
            const double S = 50 + Case.Sense * Values[I] / 1000;
            if (Case.Fixed) {
                ExpectNear(Rig.BlockPin, {0.8 * S, 0.6 * S});
                continue;
            }
            // On the circles of radius S about C0 and 30 about B0(40, 0), above the frame.
            const double X = (S * S - 30 * 30 + 40 * 40) / 80;
            ExpectNear(Rig.BlockPin, {X, std::sqrt(S * S - X * X)});
        }
    }
}

TEST_F(TAniGearSliderTest, BodyDrawnFromTheHubSlidesAsOnAFixedGuide) {
    PushedAlongABody({48, 36}, true, false);
    PlanFor({0, 5000});
    Solve(1);
    EXPECT_NEAR(BlockPin->DistanceToJoint(*D().Joints().Items(0)), 45, Tol);
    EXPECT_NEAR(BlockPin->DistanceToJoint(*Hub), 15, Tol);
}

} // namespace
