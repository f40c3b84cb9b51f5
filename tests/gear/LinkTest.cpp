#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "support/BuilderChecks.h"
#include "support/GearFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

namespace {

constexpr double Pi = std::numbers::pi;
// A link over freshly made joints at the given places; IsVirtual marks sliders' joints.
struct TLinkOn {
    struct TPlace {
        double X, Y;
        bool IsVirtual = false;
    };
    TMechanismBuilder Build;
    TLink* Link = Build.Link({});
    std::vector<TJoint*> Joints;

    explicit TLinkOn(std::initializer_list<TPlace> Places, int Reference = 0) {
        for (const TPlace& P : Places) {
            Joints.push_back(P.IsVirtual ? Build.VirtualJoint(P.X, P.Y) : Build.Joint(P.X, P.Y));
            Link->AddJoint(Joints.back());
        }
        Link->SetReferenceJointID(Reference);
    }
    TJoint& J(int I) { return *Joints[static_cast<std::size_t>(I)]; }
};

TEST(TLinkJoints, AddJointOnceAndFirstIsReference) {
    TJoint A, B;
    TLink L;
    EXPECT_EQ(L.Order(), 20);
    EXPECT_EQ(L.ReferenceJointID(), -1);
    EXPECT_EQ(L.ReferenceJoint(), nullptr);
    L.AddJoint(&A);
    L.AddJoint(&A);
    L.AddJoint(&B);
    EXPECT_EQ(L.Joints().Count(), 2);
    EXPECT_EQ(A.Links().Count(), 1);
    EXPECT_EQ(L.ReferenceJointID(), 0);
    EXPECT_EQ(L.OtherJoint(&A), &B);
    EXPECT_EQ(L.OtherJoint(&B), &A);

    TJoint Stranger;
    L.SetReferenceJoint(&B);
    EXPECT_EQ(L.ReferenceJointID(), 1);
    L.SetReferenceJoint(nullptr);
    EXPECT_EQ(L.ReferenceJointID(), 1);
    L.SetReferenceJoint(&Stranger);
    EXPECT_EQ(L.ReferenceJointID(), -1);
    // A lost reference is regained by the next joint added.
    TJoint C;
    L.AddJoint(&C);
    EXPECT_EQ(L.ReferenceJointID(), 0);
}

TEST(TLinkGeometry, AngleByReference) {
    struct TCase {
        double X1, Y1;
        int Reference;
        double Angle;
    } Cases[] = {
        {10, 0, 0, 0},      {10, 0, 1, Pi},         {10, 0, -1, 0},          {10, 0, 2, 0},
        {0, 10, 0, Pi / 2}, {0, 10, 1, 3 * Pi / 2}, {-5, -5, 0, 5 * Pi / 4},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(testing::Message() << Case.X1 << "," << Case.Y1 << " ref " << Case.Reference);
        TLinkOn L({{0, 0}, {Case.X1, Case.Y1}, {3, 3}}, Case.Reference);
        EXPECT_NEAR(L.Link->Angle(), Case.Angle, Eps);
    }
    TLinkOn One({{1, 1}});
    EXPECT_EQ(One.Link->Angle(), 0.0);
    EXPECT_EQ(One.Link->Length(), 0.0);
    EXPECT_EQ(One.Link->OtherJoint(&One.J(0)), nullptr);
}

TEST(TLinkGeometry, WritingAngleTurnsAboutTheReference) {
    TLinkOn L({{0, 0}, {10, 0}, {5, 5}});
    L.Link->SetAngle(Pi / 2);
    ExpectAt(L.J(0), 0, 0);
    ExpectAt(L.J(1), 0, 10);
    ExpectAt(L.J(2), -5, 5);

    TLinkOn R({{0, 0}, {10, 0}, {5, 5}}, 1);
    R.Link->SetAngle(Pi / 2); // from pi: a quarter turn clockwise about joint 1
    ExpectAt(R.J(1), 10, 0);
    ExpectAt(R.J(0), 10, 10);
    ExpectAt(R.J(2), 15, 5);

    TLinkOn None({{0, 0}, {10, 0}}, -1);
    None.Link->SetAngle(1.0);
    ExpectAt(None.J(1), 10, 0);
}

TEST(TLinkGeometry, WritingLengthKeepsTheFixedEnd) {
    struct TCase {
        int Reference;
        double X0, Y0, X1, Y1;
    } Cases[] = {
        {0, 0, 0, 0, 20},
        {1, 0, -10, 0, 10},
        // A coupler point as reference: joint 0 stays and the link keeps its direction.
        {2, 0, 0, 0, 20},
        {-1, 0, 0, 0, 20},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Reference);
        TLinkOn L({{0, 0}, {0, 10}, {4, 4}}, Case.Reference);
        L.Link->SetLength(20);
        ExpectAt(L.J(0), Case.X0, Case.Y0);
        ExpectAt(L.J(1), Case.X1, Case.Y1);
        ExpectAt(L.J(2), 4, 4);
        EXPECT_NEAR(L.Link->Length(), 20, Eps);
    }
}

// A slide link from (0, 0) to (10, 0), its sliders' joints at (20, 0) and (5, 0), a coupler
// point at (5, 5); each virtual joint has a spy standing for its slider.
struct TSlideLink : ::testing::Test {
    TLinkOn L{{{0, 0}, {10, 0}, {20, 0, true}, {5, 5}, {5, 0, true}}};
    TMoveLog Log;
    TSpyLink Far{Log, "far"}, Near{Log, "near"};
    TSlideLink() {
        Far.AddJoint(&L.J(2));
        Near.AddJoint(&L.J(4));
    }
};

TEST_F(TSlideLink, MovingJoint1TurnsTheVirtualJointsAboutJoint0) {
    L.J(1).SetPosition(nullptr, 0, 7);
    ExpectAt(L.J(0), 0, 0);
    ExpectAt(L.J(2), 0, 20);
    ExpectAt(L.J(4), 0, 5);
    ExpectAt(L.J(3), 5, 5);
    ASSERT_EQ(Log.size(), 2u);
    EXPECT_EQ(Log[0].Link, &Far);
    EXPECT_EQ(Log[0].Source, L.Link);
    EXPECT_EQ(Log[1].Link, &Near);
}

TEST_F(TSlideLink, MovingJoint0TurnsThemAboutJoint1) {
    L.J(0).SetPosition(nullptr, 10, -10);
    ExpectAt(L.J(1), 10, 0);
    // Both on the ray from joint 1 through joint 0, each at its old distance from joint 1.
    ExpectAt(L.J(2), 10, -10);
    ExpectAt(L.J(4), 10, -5);
}

TEST_F(TSlideLink, MovingACouplerPointLeavesTheSlidersAlone) {
    L.J(3).SetPosition(nullptr, 0, 9);
    ExpectAt(L.J(2), 20, 0);
    ExpectAt(L.J(4), 5, 0);
    EXPECT_TRUE(Log.empty());
}

TEST_F(TSlideLink, MovingASliderTurnsTheLinkAboutItsFixedEnd) {
    L.J(4).SetPosition(&Near, 0, 5);
    ExpectAt(L.J(0), 0, 0);
    ExpectAt(L.J(1), 0, 10);
    ExpectAt(L.J(3), -5, 5);
    ExpectAt(L.J(2), 0, 20);
    ExpectAt(L.J(4), 0, 5);
    // The other slider was carried along and told; the moving one was not.
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0].Link, &Far);
}

TEST_F(TSlideLink, ReferenceOneTurnsAboutJoint1) {
    L.Link->SetReferenceJointID(1);
    L.J(4).SetPosition(&Near, 10, -5);
    ExpectAt(L.J(1), 10, 0);
    ExpectAt(L.J(0), 10, -10);
    ExpectAt(L.J(4), 10, -5);
}

TEST_F(TSlideLink, ASliderBehindTheFixedEndTurnsTheLinkHalfWay) {
    L.J(4).SetX(-5);
    L.J(4).SetPosition(&Near, -5, 1e-6);
    EXPECT_NEAR(L.J(1).X(), -10, 1e-5);
    EXPECT_NEAR(L.Link->Angle(), Pi, 1e-5);
}

TEST(TLinkRemove, BarGivesUpBothJoints) {
    TLinkOn L({{0, 0}, {10, 0}}, 1);
    L.Link->RemoveJoint(&L.J(1));
    EXPECT_EQ(L.Link->Joints().Count(), 0);
    EXPECT_EQ(L.Link->ReferenceJointID(), -1);
    EXPECT_EQ(L.J(0).Links().Count(), 0);
    EXPECT_EQ(L.J(1).Links().Count(), 0);
}

TEST(TLinkRemove, ReferenceFollowsItsJoint) {
    struct TCase {
        int Reference;
        int Removed;
        int NewReference;
    } Cases[] = {
        {0, 0, 0},             // the reference leaves: the new joint 0 takes over
        {2, 0, 1},             // a joint in front leaves: the same joint stays the reference
        {1, 2, 1},             // one behind: nothing changes
        {3, 3, 0}, {1, -1, 1}, // a joint not on the link
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(testing::Message() << Case.Reference << " remove " << Case.Removed);
        TLinkOn L({{0, 0}, {10, 0}, {5, 5}, {5, -5}}, Case.Reference);
        TJoint Stranger;
        TJoint* Removed = Case.Removed < 0 ? &Stranger : &L.J(Case.Removed);
        TJoint* Reference = L.Link->ReferenceJoint();
        L.Link->RemoveJoint(Removed);
        EXPECT_EQ(L.Link->ReferenceJointID(), Case.NewReference);
        if (Case.Removed != Case.Reference) {
            EXPECT_EQ(L.Link->ReferenceJoint(), Reference);
        }
        EXPECT_EQ(L.Link->Joints().Contains(Removed), false);
        // The model detaches the joint's side itself.
        if (Case.Removed >= 0) {
            EXPECT_EQ(Removed->Links().Count(), 1);
        }
    }
}

TEST(TLinkRemove, NoReferenceIsSafe) {
    TLinkOn L({{0, 0}, {10, 0}}, 5);
    EXPECT_EQ(L.Link->ReferenceJoint(), nullptr);
    TMMPoint P = MMPoint(3, 4);
    EXPECT_EQ(L.Link->GlobalToLocal(P), P);
    EXPECT_EQ(L.Link->LocalToGlobal(P), P);
    L.Link->SetAngle(2.0);
    ExpectAt(L.J(1), 10, 0);
}

TEST(TLinkHit, DistanceTo) {
    TLinkOn L({{0, 0}, {10, 0}, {5, 5}, {30, 0, true}});
    struct TCase {
        double X, Y, Distance;
    } Cases[] = {
        {5, -2, 2},                 // below the bar
        {20, 0, 0},                 // on the dotted extension out to the slider
        {20, 1, 1},  {7.5, 2.5, 0}, // on the coupler line from joint 1
        {-3, -4, 5},                // beyond joint 0
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(testing::Message() << Case.X << "," << Case.Y);
        EXPECT_NEAR(L.Link->DistanceTo(Case.X, Case.Y), Case.Distance, Eps);
    }
    TLinkOn One({{0, 0}});
    EXPECT_EQ(One.Link->DistanceTo(0, 0), 1e20);
}

TEST(TLinkGeometry, LocalCoordinates) {
    TLinkOn L({{2, 1}, {2, 11}});
    TMMPoint Local = L.Link->GlobalToLocal(MMPoint(0, 6));
    EXPECT_NEAR(Local.X, 5, Eps);
    EXPECT_NEAR(Local.Y, 2, Eps);
    TMMPoint Back = L.Link->LocalToGlobal(Local);
    EXPECT_NEAR(Back.X, 0, Eps);
    EXPECT_NEAR(Back.Y, 6, Eps);
}

TEST(TLinkMove, RelativeMovesEveryJointAndTellsTheOthers) {
    TLinkOn L({{0, 0}, {10, 0}, {20, 0, true}});
    TMoveLog Log;
    TSpyLink Slider{Log, "slider"};
    Slider.AddJoint(&L.J(2));
    std::vector<bool> MovingSeen;
    L.Link->OnMove = [&](TCustomLink* Link) { MovingSeen.push_back(Link->IsMoving()); };
    L.Link->MoveUpdating(nullptr, true, 1, 2);
    ExpectAt(L.J(0), 1, 2);
    ExpectAt(L.J(1), 11, 2);
    ExpectAt(L.J(2), 21, 2);
    ASSERT_EQ(Log.size(), 1u);
    EXPECT_EQ(Log[0].Source, L.Link);
    EXPECT_EQ(MovingSeen, std::vector<bool>{true});
    EXPECT_FALSE(L.Link->IsMoving());

    L.Link->Move(nullptr, false, 50, 50);
    ExpectAt(L.J(0), 1, 2);
    EXPECT_EQ(MovingSeen.size(), 2u);
}

// A whole cascade inside MoveUpdating repaints once, at its end.
TEST(TLinkMove, MoveUpdatingRepaintsOnce) {
    TGearSurface View;
    TLinkOn L({{0, 0}, {10, 0}, {20, 0, true}});
    TMoveLog Log;
    TSpyLink Follower{Log, "follower"};
    for (TJoint* J : L.Link->Joints())
        Follower.AddJoint(J);
    L.Link->SetMMSurface(&View.Surface());
    Follower.SetMMSurface(&View.Surface());
    int Paints = 0;
    View.Surface().OnPaint = [&](TObject*) { ++Paints; };
    bool UpdatingDuringMove = false;
    L.Link->OnMove = [&](TCustomLink*) { UpdatingDuringMove = View.Surface().IsUpdating(); };

    L.Link->MoveUpdating(nullptr, true, 1, 1);
    EXPECT_EQ(Log.size(), 3u);
    EXPECT_TRUE(UpdatingDuringMove);
    EXPECT_EQ(Paints, 1);
    EXPECT_FALSE(View.Surface().IsUpdating());

    Paints = 0;
    L.Link->Move(nullptr, true, 1, 1);
    EXPECT_EQ(Paints, 3);
}

TEST(TLinkText, DisplayText) {
    TLink L;
    L.SetID(3);
    L.SetIdentifier("Koppel");
    EXPECT_EQ(L.GetDisplayText(), " 3 - \"Koppel\"");
    L.SetID(12);
    L.SetIdentifier("");
    EXPECT_EQ(L.GetDisplayText(), "12 - \"\"");
}

} // namespace
