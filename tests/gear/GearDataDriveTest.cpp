// The drive checks and drive creation of the data model.
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

namespace {

struct TGearDataDriveTest : ::testing::Test, TModelRig {
    TRack* F = Frame();
    TJoint* A0 = FrameJoint(0, 0);
    TJoint* A = Joint(0, 10);
    TLink* Crank = Link({A0, A});
    TJoint* B = Joint(40, 20);
    TLink* Coupler = Link({A, B});
};

TEST_F(TGearDataDriveTest, CanAddRotaryDriveOnlyBetweenFrameAndOrdinaryLink) {
    TSlider* S = Slider(nullptr, 80, 0);
    D().AttachJointToRack(Pin(S)); // the pin's links: slider, frame
    TJoint* Reversed = Joint(90, 90);
    Link({Reversed, Joint(95, 95)});
    D().AttachJointToRack(Reversed); // links: link, frame

    EXPECT_TRUE(D().CanAddRotaryDrive(A0, false));
    EXPECT_FALSE(D().CanAddRotaryDrive(A0, true));
    EXPECT_TRUE(D().CanAddRotaryDrive(Reversed, false));
    EXPECT_FALSE(D().CanAddRotaryDrive(Pin(S), false)); // frame and slider
    EXPECT_FALSE(D().CanAddRotaryDrive(A, false));      // two ordinary links
    EXPECT_FALSE(D().CanAddRotaryDrive(B, false));      // one link

    ASSERT_NE(D().AddRotaryDrive(A0, true), nullptr);
    ASSERT_NE(D().AddRotaryDrive(Reversed, true), nullptr);
    EXPECT_FALSE(D().CanAddRotaryDrive(A0, false));
    EXPECT_FALSE(D().CanAddRotaryDrive(Reversed, false));
    EXPECT_TRUE(D().HasRotaryDrive(A0));
    EXPECT_FALSE(D().HasRotaryDrive(A));
}

TEST_F(TGearDataDriveTest, CanAddDriveToLinkNeedsTheFrameOrASlideLinkAndNoDrive) {
    TLink* Guide = Link({FrameJoint(0, -20), Joint(100, -20)});
    TSlider* OnGuide = Slider(Guide, 50, -20);
    TSlider* Alone = Slider(nullptr, 50, 50);

    EXPECT_TRUE(D().CanAddDriveToLink(Crank, false));
    EXPECT_FALSE(D().CanAddDriveToLink(Coupler, false)); // shares no joint with the frame
    EXPECT_TRUE(D().CanAddDriveToLink(OnGuide, true));
    EXPECT_FALSE(D().CanAddDriveToLink(Alone, true));
    EXPECT_FALSE(D().CanAddDriveToLink(Crank, true)); // no slider

    ASSERT_NE(D().AddRotaryDriveToLink(Crank, true), nullptr);
    EXPECT_FALSE(D().CanAddDriveToLink(Crank, false));
    EXPECT_FALSE(D().CanAddDriveToLink(F, false)); // the frame link of that drive
    EXPECT_TRUE(D().CanAddDriveToLink(Guide, false));
}

TEST_F(TGearDataDriveTest, CanAddDriveToLinkWithoutFrameIsFalse) {
    D().Clear(false);
    TLink* L = Link({Joint(0, 0), Joint(1, 0)});
    EXPECT_FALSE(D().CanAddDriveToLink(L, false));
    EXPECT_EQ(D().AddRotaryDriveToLink(L, true), nullptr);
}

TEST_F(TGearDataDriveTest, AddRotaryDriveUsesTheFirstTwoLinksOfTheJoint) {
    Link({A0, Joint(-10, 10)}); // a third link at A0
    TDrive* Drive = D().AddRotaryDrive(A0, true);
    ASSERT_NE(Drive, nullptr);
    EXPECT_EQ(Drive->DriveType(), dtRotary);
    EXPECT_EQ(Drive->Joint(), A0);
    EXPECT_EQ(Drive->Link0(), F);
    EXPECT_EQ(Drive->Link1(), Crank);
    EXPECT_EQ(Drive->MMSurface(), &Surface());
    EXPECT_EQ(Drive->Intervals(), 20);
    EXPECT_EQ(D().Drives().Count(), 1);
    EXPECT_EQ(D().AddRotaryDrive(A0, true), nullptr); // one rotary drive per joint
    EXPECT_EQ(D().AddRotaryDrive(B, true), nullptr);  // one link only
    EXPECT_TRUE(ModelIsConsistent(D()));

    TDrive* Unlisted = D().AddRotaryDrive(A, false);
    ASSERT_NE(Unlisted, nullptr);
    EXPECT_FALSE(D().Drives().Contains(Unlisted));
    EXPECT_TRUE(D().Parts().OwnsDrive(Unlisted));
    D().Parts().Remove(Unlisted);
    EXPECT_EQ(Surface().GraphicItems().IndexOf(Unlisted), -1);
}

TEST_F(TGearDataDriveTest, AddRotaryDriveToLinkTurnsItAgainstTheFrame) {
    TDrive* Drive = D().AddRotaryDriveToLink(Crank, true);
    ASSERT_NE(Drive, nullptr);
    EXPECT_EQ(Drive->Link0(), F);
    EXPECT_EQ(Drive->Link1(), Crank);
    EXPECT_EQ(Drive->Joint(), A0);
    EXPECT_EQ(D().AddRotaryDriveToLink(Coupler, true), nullptr);
}

TEST_F(TGearDataDriveTest, AddSlidingDriveNeedsASlideLink) {
    TSlider* Alone = Slider(nullptr, 50, 50);
    int ItemsBefore = Surface().GraphicItems().Count();
    EXPECT_EQ(D().AddSlidingDrive(Alone, true), nullptr);
    auto& Asked = Platform().Scripted().Asked;
    ASSERT_EQ(Asked.size(), 1u);
    EXPECT_EQ(Asked[0].Text, "Der Gleitstein befindet sich auf keiner Schubgeraden.");
    EXPECT_EQ(Asked[0].Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(Asked[0].Buttons, TMsgDlgButtons(mbOK));
    EXPECT_TRUE(D().Drives().Empty());
    EXPECT_EQ(Surface().GraphicItems().Count(), ItemsBefore);

    TLink* Guide = Link({Joint(0, -20), Joint(100, -20)});
    TSlider* S = Slider(Guide, 50, -20);
    TDrive* Drive = D().AddSlidingDrive(S, true);
    ASSERT_NE(Drive, nullptr);
    EXPECT_EQ(Drive->DriveType(), dtSliding);
    EXPECT_EQ(Drive->Link0(), S);
    EXPECT_EQ(Drive->Link1(), Guide);
    EXPECT_EQ(Drive->GetJoint(), Guide->Joints().Items(0)); // the slide link's reference
    EXPECT_EQ(Asked.size(), 1u);
    EXPECT_TRUE(ModelIsConsistent(D()));
}

TEST_F(TGearDataDriveTest, PositionCountComesFromTheFirstDrive) {
    EXPECT_EQ(D().PositionCount(), 1);
    TDrive* First = D().AddRotaryDrive(A0, true);
    First->SetIntervals(10);
    D().AddRotaryDrive(A, true)->SetIntervals(30);
    EXPECT_EQ(D().PositionCount(), 10);
    D().RemoveDrive(First);
    EXPECT_EQ(D().PositionCount(), 30);
    EXPECT_EQ(D().Drives().Count(), 1);
    EXPECT_TRUE(D().Parts().OwnsDrive(First)); // taken out, not freed
}

} // namespace
