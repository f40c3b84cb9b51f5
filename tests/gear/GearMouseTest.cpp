// The mechanism component's mouse: gestures (select, drag, merge, connect), hover events and the
// move cursor, and hovered parts that leave.
#include "GearRig.h"
#include "gear/uDrive.h"
#include "gear/uGear.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uSlider.h"
#include "support/QtSurfaceRig.h"

#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

// Two bars apart: J1(10, 10)-J2(30, 10) and J3(50, 60)-J4(80, 60); the asked questions and the
// hover events in a log.
struct TGestureRig : TGearRig {
    TGestureRig() {
        J1 = Joint(10, 10);
        J2 = Joint(30, 10);
        L1 = Link({J1, J2});
        J3 = Joint(50, 60);
        J4 = Joint(80, 60);
        L2 = Link({J3, J4});
        Adopt();
        Gear->OnAcceptJointConnection = [this](TObject*, TMouseButton, TShiftState, int, int,
                                               double, double, TJoint* A, TJoint* B, bool& Accept) {
            Log.push_back("merge? " + Name(A) + " " + Name(B));
            Accept = AcceptMerge;
        };
        Gear->OnAcceptLinkConnection = [this](TObject*, TCustomLink*, TCustomLink*, bool&) {
            Log.push_back("connect?");
        };
        Gear->OnMouseEnterJoint = [this](TObject*, TJoint* J, int, int, double, double) {
            Log.push_back("enter " + Name(J));
        };
        Gear->OnMouseExitJoint = [this](TObject*, TJoint* J, int, int, double, double) {
            Log.push_back("exit " + Name(J));
        };
        Gear->OnMouseEnterLink = [this](TObject*, TCustomLink* L, int, int, double, double) {
            Log.push_back("enter " + Name(L));
        };
        Gear->OnMouseExitLink = [this](TObject*, TCustomLink* L, int, int, double, double) {
            Log.push_back("exit " + Name(L));
        };
    }
    std::string Name(const TGearPart* P) const {
        const TGearPart* Named[] = {J1, J2, J3, J4, L1, L2};
        const char* Names[] = {"J1", "J2", "J3", "J4", "L1", "L2"};
        for (int I = 0; I < 6; ++I)
            if (Named[I] == P)
                return Names[I];
        return P == Gear->GearData().Rack() ? "Frame" : "?";
    }
    std::vector<std::string> Selected() const {
        std::vector<std::string> Result;
        for (const TJoint* J : Gear->GearData().SelectedJoints())
            Result.push_back(Name(J));
        for (const TCustomLink* L : Gear->GearData().SelectedLinks())
            Result.push_back(Name(L));
        return Result;
    }
    TCursor Cursor() { return Control().Cursor(); }

    TJoint *J1, *J2, *J3, *J4;
    TLink *L1, *L2;
    bool AcceptMerge = true;
    std::vector<std::string> Log;
};

using TStrings = std::vector<std::string>;

struct TGestureRow {
    const char* Name;
    std::function<void(TGestureRig&)> Act;
    TStrings Selected;
    TMMPoint J1; // where J1 ends
    TStrings Asked;
};

TEST(GearMouse, Gestures) {
    const TPoint At1 = TGearRig::Px(10, 10), Empty = TGearRig::Px(50, 30);
    const TPoint Shift{20, -10}; // 10 mm right, 5 mm up
    auto By = [](TPoint P, TPoint D) { return TPoint{P.X + D.X, P.Y + D.Y}; };
    const TGestureRow Rows[] = {
        {"click",
         [&](TGestureRig& R) {
             R.Press(At1);
             R.Release(At1);
         },
         {"J1"},
         {10, 10},
         {}},
        {"ctrl-click adds",
         [&](TGestureRig& R) {
             R.Press(At1);
             R.Release(At1);
             R.Press(TGearRig::Px(30, 10), TShiftState::ssCtrl);
             R.Release(TGearRig::Px(30, 10), TShiftState::ssCtrl);
         },
         {"J1", "J2"},
         {10, 10},
         {}},
        {"click on empty canvas keeps the selection",
         [&](TGestureRig& R) {
             R.Press(At1);
             R.Release(At1);
             R.Press(Empty);
             R.Release(Empty);
         },
         {"J1"},
         {10, 10},
         {}},
        {"left drag", [&](TGestureRig& R) { R.Drag(At1, By(At1, Shift)); }, {"J1"}, {20, 15}, {}},
        {"right drag selects only",
         [&](TGestureRig& R) { R.Drag(At1, By(At1, Shift), true); },
         {"J1"},
         {10, 10},
         {}},
        {"press on empty canvas drags the kept selection",
         [&](TGestureRig& R) {
             R.Press(At1);
             R.Release(At1);
             R.Drag(Empty, By(Empty, Shift));
         },
         {"J1"},
         {20, 15},
         {}},
        {"items that may not move",
         [&](TGestureRig& R) {
             R.Gear->SetCanMoveItems(false);
             R.Drag(At1, By(At1, Shift));
         },
         {"J1"},
         {10, 10},
         {}},
        {"link near a link",
         [&](TGestureRig& R) {
             const TPoint On = R.OnLinkOnly(R.L1);
             R.Drag(On, TPoint{On.X + 40, On.Y - 99});
         },
         {"L1"},
         {30, 59.5},
         {}},
        {"merge refused",
         [&](TGestureRig& R) {
             R.AcceptMerge = false;
             R.Drag(TGearRig::Px(30, 10), TGearRig::Px(50, 60));
         },
         {"J2"},
         {10, 10},
         {"merge? J2 J3"}},
    };
    for (const TGestureRow& Row : Rows) {
        SCOPED_TRACE(Row.Name);
        TGestureRig Rig;
        Row.Act(Rig);
        EXPECT_EQ(Rig.Selected(), Row.Selected);
        EXPECT_EQ(Rig.J1->X(), Row.J1.X);
        EXPECT_EQ(Rig.J1->Y(), Row.J1.Y);
        TStrings Asked;
        for (const std::string& Entry : Rig.Log)
            if (Entry.find('?') != std::string::npos)
                Asked.push_back(Entry);
        EXPECT_EQ(Asked, Row.Asked);
        EXPECT_EQ(Rig.G().Joints().Count(), 4);
        EXPECT_FALSE(Rig.Gear->LinkMover().Moving());
    }
}

TEST(GearMouse, AJointDroppedOnAJointIsMergedIntoIt) {
    TGestureRig Rig;
    Rig.Gear->GetCurve(Rig.J2);
    Rig.Drag(TGearRig::Px(30, 10), TGearRig::Px(50, 60));
    EXPECT_NE(std::find(Rig.Log.begin(), Rig.Log.end(), "merge? J2 J3"), Rig.Log.end());
    EXPECT_EQ(Rig.G().Joints().Count(), 3);
    EXPECT_TRUE(Rig.L1->Joints().Contains(Rig.J3));
    EXPECT_EQ(Rig.J3->X(), 50);
    EXPECT_EQ(Rig.J3->Y(), 60);
    EXPECT_EQ(Rig.Selected(), TStrings{"J3"});
    EXPECT_EQ(Rig.Gear->Curves().Count(), 0); // its joint went
}

TEST(GearMouse, TheMergeTestFollowsOnlyAMouseDownOnAPart) {
    TGestureRig Rig;
    Rig.J2->SetX(50.5); // within the snap distance of J3
    Rig.J2->SetY(60);
    Rig.G().SelectJoint(Rig.J2, false);
    Rig.Press(TGearRig::Px(50, 30));
    Rig.Release(TGearRig::Px(50, 30));
    EXPECT_EQ(Rig.G().Joints().Count(), 4);
    // A click on the joint without moving asks at once.
    Rig.Press(TGearRig::Px(50.5, 60));
    Rig.Release(TGearRig::Px(50.5, 60));
    EXPECT_EQ(Rig.G().Joints().Count(), 3);
}

TEST(GearMouse, ASliderDroppedNearALinkIsPutOnIt) {
    TGearRig Rig;
    Rig.Frame();
    TSlider* S = Rig.Slider(nullptr, 50, 60);
    TLink* Guide = Rig.Link({Rig.Joint(0, 30), Rig.Joint(100, 30)});
    Rig.Adopt();
    bool Asked = false;
    Rig.Gear->OnAcceptLinkConnection = [&](TObject*, TCustomLink* A, TCustomLink* B, bool&) {
        Asked = A == S && B == Guide;
    };
    const TPoint On = Rig.OnLinkOnly(S);
    Rig.Drag(On, TPoint{On.X, On.Y + 58}); // 29 mm down: 1 mm above the guide
    EXPECT_TRUE(Asked);
    EXPECT_EQ(Rig.G().FindSlideLink(S), Guide);
    EXPECT_NEAR(TGearRig::Virtual(S)->Y(), 30, 1e-9);
}

TEST(GearMouse, AnimationModeNeitherSelectsNorDrags) {
    TGearRig Rig;
    Rig.CrankRocker();
    Rig.TurnOnce(12);
    Rig.Adopt();
    Rig.Gear->SetAnimating(true);
    ASSERT_TRUE(Rig.Gear->Animating());
    int Downs = 0, Ups = 0;
    Rig.Gear->OnMouseDown = [&](auto...) { ++Downs; };
    Rig.Gear->OnMouseUp = [&](auto...) { ++Ups; };
    Rig.Drag(TGearRig::Px(24, 28), TGearRig::Px(40, 40));
    EXPECT_EQ(Downs, 1);
    EXPECT_EQ(Ups, 1);
    EXPECT_TRUE(Rig.G().SelectedJoints().Empty());
    EXPECT_EQ(Rig.B->X(), 24);
    EXPECT_EQ(Rig.B->Y(), 28);
}

TEST(GearMouse, EveryModeSwitchEndsADrag) {
    TGearRig Rig;
    Rig.CrankRocker();
    Rig.TurnOnce(12);
    Rig.Adopt();
    Rig.Press(TGearRig::Px(24, 28));
    ASSERT_TRUE(Rig.Gear->LinkMover().Moving());
    Rig.Gear->SetAnimating(true);
    EXPECT_FALSE(Rig.Gear->LinkMover().Moving());
    Rig.Gear->SetEditing(true);
    Rig.Move(TGearRig::Px(40, 40), TShiftState::ssLeft);
    Rig.Release(TGearRig::Px(40, 40));
    EXPECT_EQ(Rig.B->X(), 24);
    EXPECT_EQ(Rig.B->Y(), 28);
}

struct THoverRow {
    const char* Name;
    bool Animate;
    std::vector<TMMPoint> Path;
    TStrings Events;
    TCursor Cursor;
};

TEST(GearMouse, HoverEventsAndCursor) {
    const THoverRow Rows[] = {
        {"joint to empty",
         false,
         {{10, 10}, {50, 30}, {50, 35}},
         {"enter J1", "enter L1", "exit J1", "exit L1"},
         TCursor::crDefault},
        {"joint to joint",
         false,
         {{10, 10}, {30, 10}},
         {"enter J1", "enter L1", "exit J1", "enter J2"},
         TCursor::crSizeAll},
        {"joint to link",
         false,
         {{10, 10}, {20, 10}},
         {"enter J1", "enter L1", "exit J1"},
         TCursor::crSizeAll},
        {"animation mode", true, {{10, 10}}, {"enter J1", "enter Frame"}, TCursor::crDefault},
    };
    for (const THoverRow& Row : Rows) {
        SCOPED_TRACE(Row.Name);
        TGestureRig Rig;
        if (Row.Animate) {
            // A crank alone.
            Rig.G().DeleteLink(Rig.L2, true);
            Rig.G().RemoveLooseJoints();
            Rig.G().AttachJointToRack(Rig.J1);
            Rig.G().AddRotaryDrive(Rig.J1, true)->SetIntervals(4);
            Rig.Gear->SetAnimating(true);
            ASSERT_TRUE(Rig.Gear->Animating());
        }
        for (const TMMPoint& P : Row.Path)
            Rig.Move(TGearRig::Px(P.X, P.Y));
        EXPECT_EQ(Rig.Log, Row.Events);
        EXPECT_EQ(Rig.Cursor(), Row.Cursor);
    }
}

TEST(GearMouse, TheCursorFollowsTheModeAndWhetherItemsMayMove) {
    TGestureRig Rig;
    Rig.Move(TGearRig::Px(10, 10));
    EXPECT_EQ(Rig.Cursor(), TCursor::crSizeAll);
    Rig.Gear->SetCanMoveItems(false);
    EXPECT_EQ(Rig.Cursor(), TCursor::crDefault);
    Rig.Gear->SetCanMoveItems(true);
    EXPECT_EQ(Rig.Cursor(), TCursor::crSizeAll);
    Rig.Gear->SetAnimating(true); // cannot be animated: back at once
    EXPECT_EQ(Rig.Cursor(), TCursor::crSizeAll);
}

TEST(GearMouse, AHoveredJointThatIsMergedAwayIsLetGo) {
    TGestureRig Rig;
    Rig.J2->SetX(50.5);
    Rig.J2->SetY(60);
    Rig.Move(TGearRig::Px(50.5, 60));
    ASSERT_EQ(Rig.Gear->HoverJoint(), Rig.J2);
    Rig.Log.clear();
    Rig.Press(TGearRig::Px(50.5, 60));
    Rig.Release(TGearRig::Px(50.5, 60));
    ASSERT_EQ(Rig.G().Joints().Count(), 3);
    EXPECT_EQ(Rig.Gear->HoverJoint(), nullptr);
    Rig.Move(TGearRig::Px(50, 30));
    EXPECT_EQ(Rig.Log, (TStrings{"merge? J2 J3", "exit L2"}));
    EXPECT_EQ(Rig.Cursor(), TCursor::crDefault);
}

TEST(GearMouse, ClearWhileHoveringLetsGoOfTheParts) {
    TGestureRig Rig;
    Rig.Move(TGearRig::Px(10, 10));
    ASSERT_NE(Rig.Gear->HoverLink(), nullptr);
    Rig.Gear->Clear();
    EXPECT_EQ(Rig.Gear->HoverJoint(), nullptr);
    EXPECT_EQ(Rig.Gear->HoverLink(), nullptr);
    EXPECT_EQ(Rig.Cursor(), TCursor::crDefault);
    Rig.Log.clear();
    Rig.Move(TGearRig::Px(10, 10));
    EXPECT_TRUE(Rig.Log.empty());
}

// On a real offscreen widget: a drag through Qt's own mouse events, and the widget's cursor.
TEST(GearMouse, DragAndCursorOnAQtSurface) {
    TPreferencesFixture Prefs;
    TQtSurfaceRig<> View{200, 200, MMRect(0, 100, 100, 0), false};
    std::unique_ptr<TGear> Gear = TGearRig::MakeGear();
    Gear->SetMMSurface(View.Surface.get());
    Gear->Clear();
    View.Surface->SetMMRect(MMRect(0, 100, 100, 0));
    TJoint* J = Gear->GearData().CreateJoint(10, 10);
    auto Send = [&](QEvent::Type Type, TPoint P, Qt::MouseButton Button, Qt::MouseButtons Held) {
        QMouseEvent E(Type, QPointF(P.X, P.Y), View.Widget.mapToGlobal(QPointF(P.X, P.Y)), Button,
                      Held, Qt::NoModifier);
        QApplication::sendEvent(&View.Widget, &E);
    };
    const TPoint From = TGearRig::Px(10, 10), To = TGearRig::Px(25, 40);
    Send(QEvent::MouseMove, From, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(View.Widget.cursor().shape(), Qt::SizeAllCursor);
    Send(QEvent::MouseButtonPress, From, Qt::LeftButton, Qt::LeftButton);
    Send(QEvent::MouseMove, To, Qt::NoButton, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, To, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(J->X(), 25);
    EXPECT_EQ(J->Y(), 40);
    Send(QEvent::MouseMove, TGearRig::Px(80, 80), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(View.Widget.cursor().shape(), Qt::ArrowCursor);
    Gear.reset();
}

} // namespace
