// Blocks through the planner against the independent solve: a joint that two blocks carry, a
// slide link's point when the block passes the joint it is placed from, and block points in line
// with the slide link's known end. Each drawn in either order, with drives of both signs.
#include "AniGearRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>

namespace {

using namespace AniGearRig;

const std::initializer_list<double> Turns = {0, 0.35, -0.35, 1.2, -1.2, 2.5, -2.5, 3.1};

struct TBlocksRig : TAniGearRig {
    // Every row the plan solves is solved independently too, and agrees.
    ::testing::AssertionResult MovesAsDrawn() {
        TRowCount Count;
        ::testing::AssertionResult Result = RowsMoveAsDrawn(&Count);
        if (Result && Count.Compared != D().PositionCount())
            return ::testing::AssertionFailure()
                   << Count.Valid << " rows solved, " << Count.Compared << " compared";
        return Result;
    }
    TLink* Lever(TJoint* Pivot, TJoint* End, bool EndFirst) {
        return EndFirst ? Link({End, Pivot}) : Link({Pivot, End});
    }
    // Crank A0(0,0)-A(10,0); A runs in two levers turning about B0(0,-30) and F(-20,-20), each
    // block with a point of its own; the blocks are put on A one way round or the other.
    void TwoLeversOnOnePin(bool SecondFirst, bool EndsFirst) {
        A0 = FrameJoint(0, 0);
        A = Joint(10, 0);
        Crank = Link({A0, A});
        TLink* First = Lever(B0 = FrameJoint(0, -30), C = Joint(20, 30), EndsFirst);
        TLink* Second = Lever(FrameJoint(-20, -20), E = Joint(25, 10), EndsFirst);
        TSlider* OnSecond = SecondFirst ? SliderAt(A, Second) : nullptr;
        SliderAt(A, First)->AddJoint(Joint(10, 6));
        (OnSecond ? OnSecond : SliderAt(A, Second))->AddJoint(Joint(10, -6));
        Drive = D().AddRotaryDrive(A0, true);
        SetValues(Drive, Turns);
    }
    // The pin P(20,-10) pushed along a fixed slot and running in an arm about B0(0,20), whose
    // block carries a point of its own.
    void PinInASlotAndAnArm(bool FarEndFirst) {
        TLink* Slot = Link({FrameJoint(-20, -10), FrameJoint(60, -10)});
        BlockPin = Joint(20, -10);
        Block = SliderAt(BlockPin, Slot);
        Guide = Lever(B0 = FrameJoint(0, 20), Hub = Joint(30, -25), FarEndFirst);
        SliderAt(BlockPin, Guide)->AddJoint(Joint(20, -4));
        Drive = D().AddSlidingDrive(Block, true);
        SetValues(Drive, {0, 5000, -5000, 15000, -15000});
    }
    // Crank A0(0,0)-A(10,0) in a guide about B0(0,-30) whose hub lies 30 out along it, inside
    // the pin's travel of 20 to 40; the guide carries a point E(-10,-10), listed before the hub
    // when PointFirst.
    void GuidePastItsHub(bool HubFirst, bool PointFirst) {
        A0 = FrameJoint(0, 0);
        A = Joint(10, 0);
        Crank = Link({A0, A});
        B0 = FrameJoint(0, -30);
        if (PointFirst)
            E = Joint(-10, -10);
        const double Along = 30 / std::hypot(10.0, 30.0);
        Hub = Joint(10 * Along, -30 + 30 * Along);
        if (!PointFirst)
            E = Joint(-10, -10);
        Guide = Lever(B0, Hub, HubFirst);
        Guide->AddJoint(E);
        Block = SliderAt(A, Guide);
        Drive = D().AddRotaryDrive(A0, true);
        SetValues(Drive, Turns);
    }
    // A guide held by frame joints F1(30,-5) and F2(80,-5) with a point E(45,5), drawn from F2
    // when FarEndFirst; its block's pin, at 39.58 in the drawing, is pulled past F1 by a crank
    // A0(0,0)-A(10,0) and a coupler of 30, or pushed past it by a sliding drive.
    void FixedGuidePastItsEnd(bool FarEndFirst, bool Pushed) {
        TJoint* F1 = FrameJoint(30, -5);
        TJoint* F2 = FrameJoint(80, -5);
        E = Joint(45, 5);
        Guide = FarEndFirst ? Link({F2, F1}) : Link({F1, F2});
        Guide->AddJoint(E);
        Block = Slider(Guide, 10 + std::sqrt(875.0), -5);
        BlockPin = Pin(Block);
        if (Pushed) {
            Drive = D().AddSlidingDrive(Block, true);
            SetValues(Drive, {0, 5000, -5000, -15000, 15000});
            return;
        }
        A0 = FrameJoint(0, 0);
        A = Joint(10, 0);
        Crank = Link({A0, A});
        Coupler = Link({A, BlockPin});
        Drive = D().AddRotaryDrive(A0, true);
        SetValues(Drive, Turns);
    }
    // A cylinder about C0(0,0) to a hub at (100,0), drawn from the hub when HubFirst; its block's
    // pin at 40, and two block points at 60 and 80 from C0 on the ray at Degrees, the inner one
    // hanging on a bar across the ray from a frame joint. The outer point is listed after the
    // inner one and the pin, or before both.
    void InLineBlockPoints(double Degrees, bool OuterFirst, bool HubFirst) {
        const double Alpha = Degrees * Pi / 180, CX = std::cos(Alpha), CY = std::sin(Alpha);
        TJoint* C0 = FrameJoint(0, 0);
        Hub = Joint(100, 0);
        Guide = Lever(C0, Hub, HubFirst);
        TJoint* Outer = OuterFirst ? Joint(80 * CX, 80 * CY) : nullptr;
        Block = Slider(Guide, 40, 0);
        BlockPin = Pin(Block);
        C = Joint(60 * CX, 60 * CY);
        Block->AddJoint(C);
        Block->AddJoint(Outer ? Outer : Joint(80 * CX, 80 * CY));
        Link({FrameJoint(60 * CX + 40 * CY, 60 * CY - 40 * CX), C});
        Drive = D().AddSlidingDrive(Block, true);
        SetValues(Drive, {0, 10000, -10000, 5000, -5000});
    }
};

std::string Name(std::initializer_list<std::pair<const char*, bool>> Flags) {
    std::string Text;
    for (const auto& [Flag, Set] : Flags)
        Text += std::string(Set ? "" : "not ") + Flag + "; ";
    return Text;
}

TEST(AniGearBlocksTest, EveryBlockAtAJointMovesWithIt) {
    for (bool SecondFirst : {false, true})
        for (bool EndsFirst : {false, true}) {
            SCOPED_TRACE(Name({{"second block first", SecondFirst}, {"ends first", EndsFirst}}));
            TBlocksRig Rig;
            Rig.TwoLeversOnOnePin(SecondFirst, EndsFirst);
            EXPECT_TRUE(Rig.MovesAsDrawn());
        }
    for (bool FarEndFirst : {false, true}) {
        SCOPED_TRACE(Name({{"arm drawn from its far end", FarEndFirst}}));
        TBlocksRig Rig;
        Rig.PinInASlotAndAnArm(FarEndFirst);
        EXPECT_TRUE(Rig.MovesAsDrawn());
    }
}

TEST(AniGearBlocksTest, GuidePointStaysOnTheGuideWhenTheBlockPassesItsJoint) {
    for (bool HubFirst : {true, false})
        for (bool PointFirst : {true, false}) {
            SCOPED_TRACE(Name({{"hub first", HubFirst}, {"point listed first", PointFirst}}));
            TBlocksRig Rig;
            Rig.GuidePastItsHub(HubFirst, PointFirst);
            EXPECT_TRUE(Rig.MovesAsDrawn());
        }
    for (bool FarEndFirst : {false, true})
        for (bool Pushed : {false, true}) {
            SCOPED_TRACE(Name({{"far end first", FarEndFirst}, {"pushed", Pushed}}));
            TBlocksRig Rig;
            Rig.FixedGuidePastItsEnd(FarEndFirst, Pushed);
            EXPECT_TRUE(Rig.RowsMoveAsDrawn());
        }
}

TEST(AniGearBlocksTest, BlockPointsInLineWithTheSlideLinksEndStayOnTheBlock) {
    for (double Degrees : {90.0, 45.0, 30.0, 135.0, 0.0})
        for (bool OuterFirst : {false, true})
            for (bool HubFirst : {false, true}) {
                SCOPED_TRACE(std::to_string(Degrees) + " degrees; " +
                             Name({{"outer first", OuterFirst}, {"hub first", HubFirst}}));
                TBlocksRig Rig;
                Rig.InLineBlockPoints(Degrees, OuterFirst, HubFirst);
                EXPECT_TRUE(Rig.MovesAsDrawn());
            }
}

} // namespace
