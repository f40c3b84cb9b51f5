// How a slider keeps its two joints together, follows its slide link and turns it.
#include "support/GearFixture.h"
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

// A horizontal slide link from (0, 0) to (100, 0) with reference index 0.
struct SlideFixture : ::testing::Test {
    TPartsRig Rig;
    TJoint* A = Rig.Joint(0, 0);
    TJoint* B = Rig.Joint(100, 0);
    TLink* Slide = Rig.Link({A, B});
};

} // namespace

TEST(SliderTest, PinAddedPutsVirtualJointUnderItWithoutNotifying) {
    TPartsRig Rig;
    TMoveLog Log;
    TJoint* Virtual = Rig.VirtualJoint(0, 0);
    TJoint* Pin = Rig.Joint(40, 25);
    Rig.Part<TSpyLink>({Virtual}, Log, "virtual");
    Rig.Part<TSpyLink>({Pin}, Log, "pin");
    TSlider* Slider = Rig.Part<TSlider>({Virtual, Pin});
    ExpectAt(Virtual, 40, 25);
    ExpectAt(Pin, 40, 25);
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Slider->ReferenceJoint(), Virtual);
    EXPECT_EQ(Slider->Order(), 30);
}

TEST_F(SlideFixture, SlideLinkIsTheFirstTLinkOnTheVirtualJoint) {
    TSlider* S = Rig.Slider(Slide, 30, 0);
    EXPECT_EQ(S->SlideLink(), Slide);
    TSlider* Loose = Rig.Slider(nullptr, 50, 50);
    EXPECT_EQ(Loose->SlideLink(), nullptr);
    EXPECT_EQ(Loose->Angle(), 0.0);
    EXPECT_EQ(Loose->GetSlideDistance(), 0.0);
    // A frame on the virtual joint is no slide link.
    TSlider* OnFrame = Rig.Slider(nullptr, 60, 60);
    Rig.Frame({OnFrame->Joints().Items(0)});
    EXPECT_EQ(OnFrame->SlideLink(), nullptr);
}

TEST_F(SlideFixture, SlideDistanceIsUnsignedAndFollowsTheReferenceJoint) {
    TSlider* Right = Rig.Slider(Slide, 30, 0);
    TSlider* Left = Rig.Slider(Slide, -30, 0);
    EXPECT_NEAR(Right->GetSlideDistance(), 30, Eps);
    EXPECT_NEAR(Left->GetSlideDistance(), 30, Eps);
    EXPECT_NEAR(Right->Angle(), 0, Eps);
    Slide->SetReferenceJointID(1);
    EXPECT_NEAR(Right->GetSlideDistance(), 70, Eps);
    EXPECT_NEAR(Right->Angle(), std::numbers::pi, Eps);
    Slide->SetReferenceJointID(-1);
    EXPECT_EQ(Right->GetSlideDistance(), 0.0);
}

TEST_F(SlideFixture, MovingAnEndOfTheSlideLinkCarriesTheSliders) {
    TSlider* Inside = Rig.Slider(Slide, 30, 0);
    TSlider* Beyond = Rig.Slider(Slide, 150, 0);
    // Joint 1 swings up about joint 0: each virtual joint keeps its distance from joint 0.
    B->SetPosition(nullptr, 0, 100);
    for (auto [S, D] : {std::pair{Inside, 30.0}, std::pair{Beyond, 150.0}}) {
        SCOPED_TRACE(D);
        ExpectAt(S->Joints().Items(0), 0, D);
        ExpectAt(S->Joints().Items(1), 0, D);
        EXPECT_NEAR(S->GetSlideDistance(), D, Eps);
    }
    ExpectAt(A, 0, 0);
}

TEST_F(SlideFixture, MovingTheSliderTurnsTheSlideLinkWithItsCouplerPoints) {
    TJoint* Coupler = Rig.Joint(50, -20);
    Slide->AddJoint(Coupler);
    TSlider* S = Rig.Slider(Slide, 30, 0);
    S->MoveUpdating(nullptr, false, 50, 50);
    ExpectAt(S->Joints().Items(0), 50, 50);
    ExpectAt(S->Joints().Items(1), 50, 50);
    double C = std::cos(std::numbers::pi / 4), Sn = std::sin(std::numbers::pi / 4);
    ExpectAt(A, 0, 0);
    ExpectAt(B, 100 * C, 100 * Sn);
    ExpectAt(Coupler, 50 * C + 20 * Sn, 50 * Sn - 20 * C);
    EXPECT_FALSE(S->IsMoving());

    // Along the turned link it keeps its direction and the pin follows.
    S->MoveUpdating(nullptr, true, 10, 10);
    ExpectAt(B, 100 * C, 100 * Sn);
    ExpectAt(S->Joints().Items(1), 60, 60);
}

TEST_F(SlideFixture, RelativeMovesAlongAndAcrossTheSlideLink) {
    struct Case {
        double StartX;
        double DX;
        double EndBX, EndBY; // where joint 1 of the slide link ends up
    } Cases[] = {
        {30, 5, 100, 0},    // along the link: nothing turns
        {-30, -5, -100, 0}, // beyond joint 0, away from joint 1: half a turn
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.StartX);
        TPartsRig R;
        TJoint* J0 = R.Joint(0, 0);
        TJoint* J1 = R.Joint(100, 0);
        TLink* L = R.Link({J0, J1});
        TSlider* S = R.Slider(L, C.StartX, 0);
        S->Move(nullptr, true, C.DX, 0);
        ExpectAt(S->Joints().Items(1), C.StartX + C.DX, 0);
        ExpectAt(J1, C.EndBX, C.EndBY);
        ExpectAt(J0, 0, 0);
    }
}

TEST_F(SlideFixture, PinMovedByAnotherLinkDragsTheSliderAndTurnsTheSlideLink) {
    TSlider* S = Rig.Slider(Slide, 30, 0);
    TJoint* Pin = S->Joints().Items(1);
    TLink* Bar = Rig.Link({Pin, Rig.Joint(30, -40)});
    Pin->SetPosition(Bar, 0, 30);
    ExpectAt(S->Joints().Items(0), 0, 30);
    ExpectAt(B, 0, 100);
    EXPECT_NEAR(Slide->Angle(), std::numbers::pi / 2, Eps);
}

TEST_F(SlideFixture, JointMovedIgnoresItselfAndCouplerPoints) {
    TSlider* S = Rig.Slider(Slide, 30, 0);
    TJoint* Virtual = S->Joints().Items(0);
    TJoint* Pin = S->Joints().Items(1);
    TJoint* Coupler = Rig.Joint(30, 20);
    S->AddJoint(Coupler);
    Pin->SetX(60); // a plain store, as a solver writes it
    S->JointMoved(S, Pin);
    S->JointMoved(nullptr, Coupler);
    ExpectAt(Virtual, 30, 0);
    S->JointMoved(nullptr, Pin);
    ExpectAt(Virtual, 60, 0);
}

TEST_F(SlideFixture, RemovingAJointKeepsTheReferenceOnItsJoint) {
    TSlider* S = Rig.Slider(Slide, 30, 0);
    TJoint* Virtual = S->Joints().Items(0);
    TJoint* Pin = S->Joints().Items(1);
    S->SetReferenceJoint(Pin);
    S->RemoveJoint(Virtual);
    EXPECT_EQ(S->ReferenceJoint(), Pin);
    EXPECT_EQ(S->Joints().Count(), 1);
    // The other side is the model's to detach.
    EXPECT_TRUE(Virtual->Links().Contains(S));
    Virtual->RemoveLink(S);
    S->RemoveJoint(Pin);
    EXPECT_EQ(S->ReferenceJoint(), nullptr);
    // Without joints or reference nothing breaks.
    S->Move(nullptr, true, 1, 1);
    EXPECT_EQ(S->GlobalToLocal(MMPoint(3, 4)), MMPoint(3, 4));
    EXPECT_EQ(S->DistanceTo(0, 0), 1e20);
    Pin->RemoveLink(S);
}

TEST_F(SlideFixture, ConversionsUseTheVirtualJointAndTheSlideLinkDirection) {
    B->SetX(0);
    B->SetY(100); // the slide link points up
    TSlider* S = Rig.Slider(Slide, 0, 40);
    TMMPoint Local = S->GlobalToLocal(MMPoint(-10, 40));
    EXPECT_NEAR(Local.X, 0, Eps);
    EXPECT_NEAR(Local.Y, 10, Eps);
    TMMPoint Back = S->LocalToGlobal(Local);
    EXPECT_NEAR(Back.X, -10, Eps);
    EXPECT_NEAR(Back.Y, 40, Eps);
}

// Link A carries slider S1, whose pin is joint 0 of link B; B carries S2, whose pin is joint 1
// of A. Every move goes round the loop; small or large, the cascade ends and nothing becomes NaN.
TEST(SliderLoopTest, AClosedSliderLoopTerminates) {
    TPartsRig Rig;
    TJoint* A0 = Rig.Joint(0, 0);
    TSlider* S2 = Rig.Slider(nullptr, 100, 0);
    TJoint* A1 = S2->Joints().Items(1);
    TLink* LA = Rig.Link({A0, A1});
    TSlider* S1 = Rig.Slider(LA, 50, 0);
    TLink* LB = Rig.Link({S1->Joints().Items(1), Rig.Joint(50, 100)});
    LB->AddJoint(S2->Joints().Items(0));
    S2->Joints().Items(0)->SetX(50);
    S2->Joints().Items(0)->SetY(60);
    A0->SetPosition(nullptr, -20, 7);
    // The move went all the way round.
    EXPECT_GT(std::abs(S2->Joints().Items(0)->X() - 50) + std::abs(S2->Joints().Items(0)->Y() - 60),
              1e-6);
    A0->SetPosition(nullptr, 300, 400);
    LB->Joints().Items(1)->MoveBy(nullptr, 10, 10);
    for (TJoint* J : {A0, A1, S1->Joints().Items(0), S1->Joints().Items(1), S2->Joints().Items(0),
                      LB->Joints().Items(1)}) {
        EXPECT_TRUE(std::isfinite(J->X()));
        EXPECT_TRUE(std::isfinite(J->Y()));
    }
}
