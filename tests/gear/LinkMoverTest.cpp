// The link mover: an incremental drag of the selection, in millimetres, one repaint per step.
#include "gear/uLinkMover.h"
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkMover, MovesTheSelectionByTheDistanceSinceTheLastPosition) {
    TModelRig Rig; // 2 pixels per mm
    TJoint* A = Rig.Joint(10, 10);
    TJoint* B = Rig.Joint(30, 10);
    TLink* Bar = Rig.Link({A, B});
    TJoint* C = Rig.Joint(50, 50);
    Rig.D().SelectLink(Bar, false);
    int Changes = 0;
    Rig.D().OnDataChanged = [&](TObject*) { ++Changes; };
    TLinkMover Mover(Rig.D());
    Mover.MouseDown(100, 100);
    EXPECT_TRUE(Mover.Moving());
    const int Paints = Rig.Paints;

    Mover.MouseMove(TShiftState::ssLeft, 120, 90); // 10 mm right, 5 mm up
    ExpectAt(*A, 20, 15);
    ExpectAt(*B, 40, 15);
    EXPECT_EQ(Changes, 1);
    EXPECT_EQ(Rig.Paints, Paints + 1);

    Mover.MouseMove({}, 200, 200); // without the button only the position is taken
    ExpectAt(*A, 20, 15);
    EXPECT_EQ(Mover.X0(), 200);
    EXPECT_EQ(Mover.Y0(), 200);
    Mover.MouseMove(TShiftState::ssLeft, 190, 210);
    ExpectAt(*A, 15, 10);
    EXPECT_EQ(Changes, 2);
    ExpectAt(*C, 50, 50);

    Rig.D().SelectJoint(C, false);
    Mover.MouseMove(TShiftState::ssLeft, 191, 209);
    ExpectAt(*C, 50.5, 50.5);
    ExpectAt(*A, 15, 10);
    Mover.MouseUp();
    EXPECT_FALSE(Mover.Moving());
    Rig.D().OnDataChanged = nullptr;
}

TEST(LinkMover, WithoutASurfaceNothingMoves) {
    TPreferencesFixture Prefs;
    TGearData Data;
    TJoint* A = Data.CreateJointOffSurface(1, 2);
    Data.SelectJoint(A, false);
    TLinkMover Mover(Data);
    Mover.MouseDown(0, 0);
    Mover.MouseMove(TShiftState::ssLeft, 50, 50);
    ExpectAt(*A, 1, 2);
}

} // namespace
