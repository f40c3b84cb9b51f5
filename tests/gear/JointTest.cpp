#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "support/GearFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

struct TJointMoves : ::testing::Test {
    TMoveLog Log;
    TJoint Joint;
    TSpyLink A{Log, "A"};
    TSpyLink B{Log, "B"};
    TSpyLink C{Log, "C"};

    TJointMoves() {
        Joint.SetX(1.0);
        Joint.SetY(2.0);
        for (TSpyLink* L : {&A, &B, &C})
            L->AddJoint(&Joint);
    }
};

TEST_F(TJointMoves, SetPositionStoresAndNotifiesBeyondTolerance) {
    struct TCase {
        double X, Y;
        bool Moves;
    } Cases[] = {
        {1.0, 2.0, false},         {1.0 + 0.9e-9, 2.0 - 0.9e-9, false},
        {1.0 + 1.1e-9, 2.0, true}, {1.0, 2.0 - 1.1e-9, true},
        {5.0, -3.0, true},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(testing::Message() << Case.X << ", " << Case.Y);
        Joint.SetX(1.0);
        Joint.SetY(2.0);
        Log.clear();
        Joint.SetPosition(nullptr, Case.X, Case.Y);
        EXPECT_EQ(Joint.X(), Case.Moves ? Case.X : 1.0);
        EXPECT_EQ(Joint.Y(), Case.Moves ? Case.Y : 2.0);
        EXPECT_EQ(Log.size(), Case.Moves ? 3u : 0u);
    }
}

TEST_F(TJointMoves, SourceIsPassedOnAndNeverTold) {
    Joint.SetPosition(&B, 7.0, 8.0);
    ASSERT_EQ(Log.size(), 2u);
    EXPECT_EQ(Log[0].Link, &A);
    EXPECT_EQ(Log[1].Link, &C);
    for (const TMoveRecord& R : Log) {
        EXPECT_EQ(R.Source, &B);
        EXPECT_EQ(R.Joint, &Joint);
    }
    Log.clear();
    Joint.SetPosition(nullptr, 9.0, 8.0);
    ASSERT_EQ(Log.size(), 3u);
    EXPECT_EQ(Log[0].Link, &A);
    EXPECT_EQ(Log[1].Link, &B);
    EXPECT_EQ(Log[2].Link, &C);
}

TEST_F(TJointMoves, MoveByAlwaysNotifies) {
    Joint.MoveBy(&A, 0.0, 0.0);
    EXPECT_EQ(Log.size(), 2u);
    Joint.MoveBy(nullptr, 0.5, -1.0);
    EXPECT_DOUBLE_EQ(Joint.X(), 1.5);
    EXPECT_DOUBLE_EQ(Joint.Y(), 1.0);
    EXPECT_EQ(Log.size(), 5u);
}

// Moves keep the joint inside the bounds that a file can hold; plain stores are the reader's and
// the solver's, which have checked or computed their values.
TEST_F(TJointMoves, MovesStopAtTheBoundsOfAMechanism) {
    Joint.SetPosition(nullptr, 2e9, -1e300);
    EXPECT_EQ(Joint.X(), 1e9);
    EXPECT_EQ(Joint.Y(), -1e9);
    Joint.SetPosition(nullptr, 5, 6);
    Joint.MoveBy(nullptr, 1e9, -3e9);
    EXPECT_EQ(Joint.X(), 1e9);
    EXPECT_EQ(Joint.Y(), -1e9);
    Joint.MoveBy(nullptr, -1, 1);
    EXPECT_EQ(Joint.X(), 1e9 - 1);
    EXPECT_EQ(Joint.Y(), -1e9 + 1);
}

TEST_F(TJointMoves, PlainStoresTellNobody) {
    Joint.SetX(40.0);
    Joint.SetY(-4.0);
    EXPECT_TRUE(Log.empty());
}

// Two links that each push the other's joint on by a millimetre never settle; the nesting
// limit ends the cascade instead of the stack.
TEST(TJointCascade, EndlessCascadeStopsAtTheNestingLimit) {
    TMoveLog Log;
    TJoint P, Q;
    TSpyLink A{Log, "A"}, B{Log, "B"};
    A.AddJoint(&P);
    A.AddJoint(&Q);
    B.AddJoint(&P);
    B.AddJoint(&Q);
    A.OnJointMoved = [&](TJoint* Moved) {
        TJoint* Other = Moved == &P ? &Q : &P;
        Other->MoveBy(&A, 1.0, 0.0);
    };
    B.OnJointMoved = [&](TJoint* Moved) {
        TJoint* Other = Moved == &P ? &Q : &P;
        Other->MoveBy(&B, 1.0, 0.0);
    };
    P.SetPosition(nullptr, 0.5, 0.0);
    // Both links hear of the first move, and each starts a chain that runs to the limit.
    EXPECT_EQ(Log.size(), static_cast<std::size_t>(2 * TJoint::MaxNotifyDepth));
    // The limit is a nesting depth, not a budget: the next move cascades just as far.
    Log.clear();
    P.SetPosition(nullptr, 0.0, 3.0);
    EXPECT_EQ(Log.size(), static_cast<std::size_t>(2 * TJoint::MaxNotifyDepth));
}

// Three links on two joints, each pushing both joints on whenever one of them moves: every
// reaction starts two more, so within the nesting limit the cascade would double at each level.
TEST(TJointCascade, FanningCascadeStopsAtTheBudgetOfTheMove) {
    TMoveLog Log;
    TJoint P, Q;
    TSpyLink A{Log, "A"}, B{Log, "B"}, C{Log, "C"};
    for (TSpyLink* L : {&A, &B, &C}) {
        L->AddJoint(&P);
        L->AddJoint(&Q);
        L->OnJointMoved = [L, &P, &Q](TJoint*) {
            P.MoveBy(L, 1.0, 0.0);
            Q.MoveBy(L, 0.0, 1.0);
        };
    }
    // Each joint tells its other two links of at most the budget's number of moves.
    const std::size_t Bound = 2 * 2 * TJoint::MaxNotifiesPerMove;
    P.SetPosition(nullptr, 0.5, 0.0);
    EXPECT_GT(Log.size(), static_cast<std::size_t>(TJoint::MaxNotifyDepth));
    EXPECT_LE(Log.size(), Bound + 3);
    // The budget belongs to one move: the next one cascades as far again.
    const std::size_t First = Log.size();
    Log.clear();
    P.SetPosition(nullptr, 0.0, 3.0);
    EXPECT_EQ(Log.size(), First);
    EXPECT_TRUE(std::isfinite(P.X()) && std::isfinite(Q.Y()));
}

TEST(TJointGeometry, DistancesAndSamePosition) {
    TJoint A, B;
    A.SetX(1.0);
    A.SetY(1.0);
    B.SetX(4.0);
    B.SetY(5.0);
    EXPECT_DOUBLE_EQ(A.DistanceTo(4.0, 5.0), 5.0);
    EXPECT_DOUBLE_EQ(A.DistanceToJoint(B), 5.0);
    struct TCase {
        double DX, DY;
        bool Same;
    } Cases[] = {{0, 0, true}, {0.5e-10, -0.5e-10, true}, {1e-10, 0, false}, {0, -1e-10, false}};
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(testing::Message() << Case.DX << ", " << Case.DY);
        // Exactly representable offsets from 0, so the difference is what the case says.
        TJoint P, Q;
        Q.SetX(Case.DX);
        Q.SetY(Case.DY);
        EXPECT_EQ(P.IsSamePosition(Q), Case.Same);
    }
}

TEST(TJointProperties, DefaultsAndVirtual) {
    TJoint J;
    EXPECT_EQ(J.Order(), 50);
    EXPECT_TRUE(J.Visible());
    EXPECT_EQ(J.Radius(), 5);
    EXPECT_EQ(J.SmallRadius(), 3);
    EXPECT_TRUE(J.ShowMPol());
    EXPECT_FALSE(J.ShowMiddle());
    EXPECT_FALSE(J.IsVirtual());
    J.SetIsVirtual(true);
    EXPECT_FALSE(J.Visible());
    J.SetIsVirtual(false);
    EXPECT_TRUE(J.Visible());
}

TEST(TJointProperties, OnlyTheRadiusAsksForARepaint) {
    TJoint J;
    int Changes = 0;
    J.OnChange = [&](TObject*) { ++Changes; };
    J.SetShowMiddle(true);
    J.SetShowMPol(false);
    J.SetSmallRadius(2);
    J.SetX(3);
    J.SetIsVirtual(true);
    EXPECT_EQ(Changes, 0);
    J.SetRadius(5);
    EXPECT_EQ(Changes, 1);
}

// Links that only carry a number, for the pole texts.
struct TNumberedLinks {
    TMoveLog Log;
    std::vector<std::unique_ptr<TSpyLink>> Links;
    void Attach(TJoint& J, std::initializer_list<int> IDs) {
        for (int ID : IDs) {
            Links.push_back(std::make_unique<TSpyLink>(Log, "L"));
            Links.back()->SetID(ID);
            Links.back()->AddJoint(&J);
        }
    }
};

TEST(TJointTexts, PolesAndDisplayText) {
    struct TCase {
        std::vector<int> LinkIDs;
        int ID;
        std::string Identifier;
        std::string MPol;
        std::string Display;
    } Cases[] = {
        {{}, 3, "", "", "( 3) 3-"},
        {{4}, 3, "", "", "( 3) 3-"},
        {{1, 1}, 7, "", "", "( 7) 7-"},
        {{1, 2, 3}, 12, "", "12 13 23 ", "(12) 12 13 23 "},
        {{3, 1}, 5, "Kurbel", "13 ", "( 5) \"Kurbel\" 13 "},
        // Two-digit numbers: "12 " is part of "112 " yet is a pole of its own.
        {{1, 12, 2}, 1, "", "112 12 212 ", "( 1) 112 12 212 "},
        {{12, 1, 1}, 100, "", "112 ", "(100) 112 "},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Display);
        TJoint J;
        TNumberedLinks Links;
        for (int ID : Case.LinkIDs)
            Links.Attach(J, {ID});
        J.SetID(Case.ID);
        J.SetIdentifier(Case.Identifier);
        EXPECT_EQ(J.MPol(), Case.MPol);
        EXPECT_EQ(J.GetDisplayText(), Case.Display);
    }
}

TEST(TJointLinks, AddLinkOnceRemoveLink) {
    TMoveLog Log;
    TJoint J;
    TSpyLink A{Log, "A"};
    J.AddLink(&A);
    J.AddLink(&A);
    EXPECT_EQ(J.Links().Count(), 1);
    J.RemoveLink(&A);
    EXPECT_EQ(J.Links().Count(), 0);
    J.RemoveLink(&A);
    EXPECT_EQ(J.Links().Count(), 0);
}

} // namespace
