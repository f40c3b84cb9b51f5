#include "gear/uGearUtils.h"

#include "gear/uJoint.h"
#include "gear/uTCircle.h"
#include "support/GearFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <numbers>
#include <random>
#include <string>

namespace {
constexpr double Pi = std::numbers::pi;

TJoint& Place(TJoint& J, double X, double Y) {
    J.SetX(X);
    J.SetY(Y);
    return J;
}

// Joints kept alive for a list built from a pattern: 'v' virtual, 'R' real.
struct TJointPattern {
    std::deque<TJoint> Joints;
    TJointList List;
    explicit TJointPattern(const std::string& Pattern) {
        for (char C : Pattern) {
            Joints.emplace_back();
            Joints.back().SetIsVirtual(C == 'v');
            List.Add(&Joints.back());
        }
    }
};
} // namespace

TEST(GearUtilsJoints, DistancesAndDirections) {
    TJoint A, B, C;
    Place(A, 0, 0);
    Place(B, 1, 0);
    Place(C, 0, 1);
    EXPECT_DOUBLE_EQ(JointDirection(A, B), Pi);
    EXPECT_DOUBLE_EQ(JointDirection2(A, B), 0.0);
    EXPECT_DOUBLE_EQ(JointAngleBetween(A, B, C), Pi / 2);
    EXPECT_DOUBLE_EQ(JointAngleBetween(A, C, B), -Pi / 2);
    Place(B, 3, 4);
    EXPECT_DOUBLE_EQ(JointDistance(A, B), 5.0);
}

TEST(GearUtilsJoints, FiguresFollowTheJointsTheyAreMadeOn) {
    TJoint Center, L1, L2;
    Place(Center, 0, 0);
    Place(L1, -10, 3);
    Place(L2, 10, 3);
    const TCircle Circle = TCircle::Through(JointPosition(Center), TMMPoint{3, 4});
    const TStraightOne Line(JointPosition(L1), JointPosition(L2));
    EXPECT_EQ(Circle.IntersectLine(Line, true), (TMMPoint{4, 3}));
    Place(Center, 1, 0);
    Place(L1, -10, 0);
    Place(L2, 10, 0);
    EXPECT_EQ(Circle.IntersectLine(Line, true), (TMMPoint{6, 0}));
}

TEST(GearUtilsJoints, RotateJointAboutMovesThroughSetPositionAndSkipsTheSource) {
    TMoveLog Log;
    TSpyLink Turning(Log, "turning"), Other(Log, "other");
    TJoint Center, Joint;
    Place(Center, 1, 0);
    Place(Joint, 2, 0);
    Turning.AddJoint(&Joint);
    Other.AddJoint(&Joint);
    RotateJointAbout(&Turning, Center, Joint, Pi / 2);
    EXPECT_NEAR(Joint.X(), 1.0, 1e-15);
    EXPECT_NEAR(Joint.Y(), 1.0, 1e-15);
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0].Link, &Other);
    EXPECT_EQ(Log[0].Source, &Turning);
    EXPECT_EQ(Log[0].Joint, &Joint);

    Log.clear();
    RotateJointAbout(&Turning, Center, Joint, 0.0);
    EXPECT_TRUE(Log.empty()); // no move, no notification
}

TEST(GearUtilsJoints, RealJointIndexSkipsVirtualJoints) {
    struct Case {
        const char* Pattern;
        int N, Index;
    } Cases[] = {
        {"vRvR", 1, 3}, {"vRvR", 0, 1}, {"vvR", 0, 2},  {"", 0, -1},
        {"RR", 2, -1},  {"RR", -1, -1}, {"RR", -3, -3}, {"vv", 0, -1},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Pattern << " N=" << C.N);
        TJointPattern J(C.Pattern);
        EXPECT_EQ(RealJointIndex(J.List, C.N), C.Index);
        EXPECT_EQ(GetRealJoint(J.List, C.N), C.Index >= 0 ? J.List.Items(C.Index) : nullptr);
    }
}

TEST(GearUtilsJoints, FirstRealJointExceptSkipsVirtualAndTheGivenJoint) {
    TMoveLog Log;
    TSpyLink Link(Log, "link");
    TJoint Virtual, J, K;
    Virtual.SetIsVirtual(true);
    for (TJoint* P : {&Virtual, &J, &K})
        Link.AddJoint(P);
    EXPECT_EQ(FirstRealJointExcept(Link, &J), &K);
    EXPECT_EQ(FirstRealJointExcept(Link, &K), &J);
    EXPECT_EQ(FirstRealJointExcept(Link, nullptr), &J);
    Link.RemoveJoint(&K);
    EXPECT_EQ(FirstRealJointExcept(Link, &J), nullptr);
}

namespace {
// A dyad: Joint joins a link to A and a link to B.
struct TDyad : testing::Test {
    TMoveLog Log;
    TSpyLink L0{Log, "L0"}, L1{Log, "L1"}, L2{Log, "L2"};
    TJoint A, B, Joint, Virtual;

    void Build(TMMPoint PA, TMMPoint PB, TMMPoint PJ) {
        Place(A, PA.X, PA.Y);
        Place(B, PB.X, PB.Y);
        Place(Joint, PJ.X, PJ.Y);
        Virtual.SetIsVirtual(true);
        L0.AddJoint(&A);
        L0.AddJoint(&Joint);
        L1.AddJoint(&Virtual);
        L1.AddJoint(&Joint);
        L1.AddJoint(&B);
    }
    TMMPoint Second(TMMPoint Start = {-99, -99}) {
        SecondAssemblyPosition(Joint, Start);
        return Start;
    }
};
} // namespace

TEST_F(TDyad, SecondAssemblyPositionMirrorsTheJoint) {
    Build({0, 0}, {8, 0}, {4, 3});
    const TMMPoint P = Second();
    EXPECT_NEAR(P.X, 4, 1e-12);
    EXPECT_NEAR(P.Y, -3, 1e-12);
    EXPECT_EQ(Joint.Position(), (TMMPoint{4, 3})); // the joint itself stays
    Place(Joint, 4, -3);
    const TMMPoint Back = Second();
    EXPECT_NEAR(Back.X, 4, 1e-12);
    EXPECT_NEAR(Back.Y, 3, 1e-12);
}

TEST_F(TDyad, SecondAssemblyPositionLeavesPWithoutTwoLinksOrACrossing) {
    Build({0, 0}, {8, 0}, {4, 3});
    L2.AddJoint(&Joint);
    EXPECT_EQ(Second(), (TMMPoint{-99, -99})); // three links
    L2.RemoveJoint(&Joint);
    Joint.RemoveLink(&L2);
    L1.RemoveJoint(&Joint);
    Joint.RemoveLink(&L1);
    EXPECT_EQ(Second(), (TMMPoint{-99, -99})); // one link
}

TEST_F(TDyad, SecondAssemblyPositionNeedsAnotherRealJointOnEachLink) {
    Build({0, 0}, {8, 0}, {4, 3});
    L1.RemoveJoint(&B);
    EXPECT_EQ(Second(), (TMMPoint{-99, -99}));
}

TEST_F(TDyad, SecondAssemblyPositionAtDeadCentreLeavesP) {
    const double C = std::cos(33 * std::numbers::pi / 180),
                 S = std::sin(33 * std::numbers::pi / 180);
    const struct {
        const char* Name;
        TMMPoint A, B, Joint;
    } Cases[] = {
        {"stretched", {0, 0}, {10, 0}, {5, 0}},
        {"folded", {0, 0}, {10, 0}, {15, 0}},
        {"stretched, rounded",
         {1.3, 2.7},
         {1.3 + 70 * C, 2.7 + 70 * S},
         {1.3 + 30 * C, 2.7 + 30 * S}},
        {"folded, rounded", {0, 0}, {C, S}, {3 * C, 3 * S}},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        Build(Case.A, Case.B, Case.Joint);
        EXPECT_EQ(Second(), (TMMPoint{-99, -99}));
    }
}

TEST_F(TDyad, SecondAssemblyPositionJustOffDeadCentreMirrors) {
    // Just off the line the radii round by more than the same-place tolerance; the mirror is
    // still found, not the joint's own crossing.
    Build({0, 0}, {10, 0}, {5, 1e-7});
    const TMMPoint P = Second();
    EXPECT_NEAR(P.X, 5, 1e-9);
    EXPECT_NEAR(P.Y, -1e-7, 1e-8);
}

TEST_F(TDyad, SecondAssemblyPositionOfRandomDyadsNearDeadCentre) {
    std::mt19937 Gen(31);
    std::uniform_real_distribution<double> Coord(-100, 100), Share(0.05, 0.95),
        Turn(0, 2 * std::numbers::pi);
    for (int I = 0; I < 2000; ++I) {
        const TMMPoint A{Coord(Gen), Coord(Gen)};
        const double Phi = Turn(Gen), L = 1 + std::fabs(Coord(Gen)), F = Share(Gen);
        const TMMPoint B{A.X + L * std::cos(Phi), A.Y + L * std::sin(Phi)};
        const TMMPoint OnLine{A.X + F * L * std::cos(Phi), A.Y + F * L * std::sin(Phi)};
        Build(A, B, OnLine);
        ASSERT_EQ(Second(), (TMMPoint{-99, -99})) << "case " << I;
        // 1e-6 of the length to the left: the mirror lies as far to the right.
        const double Off = 1e-6 * L;
        Place(Joint, OnLine.X - Off * std::sin(Phi), OnLine.Y + Off * std::cos(Phi));
        const TMMPoint P = Second();
        ASSERT_NEAR(P.X, OnLine.X + Off * std::sin(Phi), 1e-3 * Off) << "case " << I;
        ASSERT_NEAR(P.Y, OnLine.Y - Off * std::cos(Phi), 1e-3 * Off) << "case " << I;
    }
}
