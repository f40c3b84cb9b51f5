// Hit tests at pixel positions and the selection rules of the data model.
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

struct TGearDataHitTest : ::testing::Test, TModelRig {
    // The pixel (100, 100) is the world point (50, 50); 8 pixels select within 4 mm, 15 pixels
    // snap within 7.5 mm.
    TJoint* At50() { return D().FindJointAt(100, 100); }
};

TEST_F(TGearDataHitTest, FindJointAtAcceptsUpToTheSelectDistance) {
    struct TCase {
        const char* Name;
        double X;
        bool Found;
    };
    const TCase Cases[] = {{"4 mm away", 46, true}, {"4.01 mm away", 45.99, false}};
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        D().Clear(false);
        TJoint* Near = Joint(C.X, 50);
        Link({Near, Joint(C.X, 90)});
        EXPECT_EQ(At50(), C.Found ? Near : nullptr);
    }
}

TEST_F(TGearDataHitTest, FindJointAtTakesTheFirstOfEquallyNearAndNeverAVirtualJoint) {
    TJoint* Left = Joint(48, 50);
    TJoint* Right = Joint(52, 50);
    Link({Left, Right});
    EXPECT_EQ(At50(), Left);

    D().Clear(false);
    TSlider* S = Slider(nullptr, 50, 50);
    TJoint* Real = Joint(52, 50);
    Link({Real, Joint(52, 90)});
    // The pin lies under the virtual joint; make the virtual joint the only near joint.
    Pin(S)->SetX(70);
    EXPECT_EQ(At50(), Real);
}

TEST_F(TGearDataHitTest, FindLinkAtFindsTheFrameByItsNearestJoint) {
    Frame();
    FrameJoint(51, 50);
    TLink* Bar = Link({Joint(30, 30), Joint(30, 70)});
    EXPECT_EQ(D().FindLinkAt(100, 100), D().Rack());
    EXPECT_EQ(D().FindLinkAt(2 * 31, 100), Bar);
    EXPECT_EQ(D().FindLinkAt(2 * 40, 100), nullptr); // 10 and 11 mm away
}

TEST_F(TGearDataHitTest, FindSnapJointSkipsItselfAndVirtualJoints) {
    TJoint* Dragged = Joint(50, 50);
    TSlider* S = Slider(nullptr, 50, 50);
    Link({Dragged, Joint(50, 90)});
    EXPECT_EQ(D().FindSnapJoint(Dragged), Pin(S)); // not itself, not the virtual joint
    Pin(S)->SetX(58);                              // 8 mm > 7.5 mm
    EXPECT_EQ(D().FindSnapJoint(Dragged), nullptr);
    Pin(S)->SetX(57);
    EXPECT_EQ(D().FindSnapJoint(Dragged), Pin(S));
}

TEST_F(TGearDataHitTest, FindSnapLinkTakesOnlyOrdinaryLinksThePinIsNotOn) {
    Frame();
    FrameJoint(50, 51);
    TSlider* S = Slider(nullptr, 50, 50);
    TLink* OnPin = Link({Pin(S), Joint(90, 50)});        // distance 0, but the pin is on it
    Slider(nullptr, 50, 52);                             // a slider is never a slide link
    TLink* Guide = Link({Joint(0, 45), Joint(100, 45)}); // 5 mm = 10 pixels
    EXPECT_EQ(D().FindSnapLink(S), Guide);
    Guide->Joints().Items(0)->SetY(42);
    Guide->Joints().Items(1)->SetY(42); // 8 mm = 16 pixels
    EXPECT_EQ(D().FindSnapLink(S), nullptr);
    EXPECT_EQ(D().FindSnapLinkForLink(OnPin), nullptr);
}

TEST(GearDataHitTestUnbound, HitTestsNeedASurface) {
    TPreferencesFixture Prefs;
    TGearData Data;
    TJoint* A = Data.CreateJointOffSurface(0, 0);
    EXPECT_EQ(Data.FindJointAt(0, 0), nullptr);
    EXPECT_EQ(Data.FindLinkAt(0, 0), nullptr);
    EXPECT_EQ(Data.FindSnapJoint(A), nullptr);
}

// What a selection step leaves: the selected joints and links by index, in order, the events and
// the repaints.
struct TSelectionWant {
    std::vector<int> Joints, Links;
    int JointEvents, LinkEvents, Paints;
};

struct TSelectionCase {
    const char* Name;
    std::function<void(TGearData&, TJoint**, TCustomLink**)> Before, Act;
    TSelectionWant Want;
};

TEST(GearDataSelection, Rules) {
    using TJ = TJoint**;
    using TL = TCustomLink**;
    const TSelectionCase Cases[] = {
        {"add a joint keeps joints",
         [](TGearData& D, TJ J, TL) { D.SelectJoint(J[0], false); },
         [](TGearData& D, TJ J, TL) { D.SelectJoint(J[1], true); },
         {{0, 1}, {}, 1, 0, 1}},
        {"add a joint clears links",
         [](TGearData& D, TJ, TL L) { D.SelectLink(L[0], false); },
         [](TGearData& D, TJ J, TL) { D.SelectJoint(J[1], true); },
         {{1}, {}, 1, 0, 1}},
        {"select a joint alone",
         [](TGearData& D, TJ J, TL) { D.SelectJoint(J[0], false); },
         [](TGearData& D, TJ J, TL) { D.SelectJoint(J[2], false); },
         {{2}, {}, 1, 0, 1}},
        {"an already selected joint keeps the selection",
         [](TGearData& D, TJ J, TL) {
             D.SelectJoint(J[0], false);
             D.SelectJoint(J[1], true);
         },
         [](TGearData& D, TJ J, TL) { D.SelectJoint(J[0], false); },
         {{0, 1}, {}, 1, 0, 1}},
        {"nil joint clears and still tells",
         [](TGearData& D, TJ J, TL) { D.SelectJoint(J[0], false); },
         [](TGearData& D, TJ, TL) { D.SelectJoint(nullptr, false); },
         {{}, {}, 1, 0, 1}},
        {"nil joint with add keeps",
         [](TGearData& D, TJ J, TL) { D.SelectJoint(J[0], false); },
         [](TGearData& D, TJ, TL) { D.SelectJoint(nullptr, true); },
         {{0}, {}, 1, 0, 1}},
        {"joint outside the model clears joints",
         [](TGearData& D, TJ J, TL) { D.SelectJoint(J[0], false); },
         [](TGearData& D, TJ J, TL) { D.SelectJoint(J[3], false); },
         {{}, {}, 1, 0, 1}},
        {"nil link changes and tells nothing",
         [](TGearData& D, TJ, TL L) { D.SelectLink(L[0], false); },
         [](TGearData& D, TJ, TL) { D.SelectLink(nullptr, false); },
         {{}, {0}, 0, 0, 0}},
        {"a link clears joints",
         [](TGearData& D, TJ J, TL) { D.SelectJoint(J[0], false); },
         [](TGearData& D, TJ, TL L) { D.SelectLink(L[1], false); },
         {{}, {1}, 0, 1, 1}},
        {"add a link keeps links",
         [](TGearData& D, TJ, TL L) { D.SelectLink(L[0], false); },
         [](TGearData& D, TJ, TL L) { D.SelectLink(L[1], true); },
         {{}, {0, 1}, 0, 1, 1}},
        {"deselect links",
         [](TGearData& D, TJ, TL L) { D.SelectLink(L[0], false); },
         [](TGearData& D, TJ, TL) { D.DeselectLinks(); },
         {{}, {}, 0, 0, 1}},
    };
    for (const TSelectionCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TModelRig Rig;
        TJoint* J[4] = {Rig.Joint(10, 10), Rig.Joint(20, 10), Rig.Joint(30, 10),
                        Rig.D().CreateLooseJoint(0, 0)};
        // An object the model does not know.
        std::unique_ptr<TGearPart> Stranger = Rig.D().Parts().Remove(J[3]);
        TCustomLink* L[2] = {Rig.Link({J[0], J[1]}), Rig.Link({J[1], J[2]})};
        C.Before(Rig.D(), J, L);
        int JointEvents = 0, LinkEvents = 0;
        Rig.D().OnJointSelected = [&](TObject* S) {
            EXPECT_EQ(S, Rig.Data.get());
            ++JointEvents;
        };
        Rig.D().OnLinkSelected = [&](TObject*) { ++LinkEvents; };
        Rig.Paints = 0;
        C.Act(Rig.D(), J, L);
        std::vector<TJoint*> WantJ;
        for (int I : C.Want.Joints)
            WantJ.push_back(J[I]);
        std::vector<TCustomLink*> WantL;
        for (int I : C.Want.Links)
            WantL.push_back(L[I]);
        const TJointList& SJ = Rig.D().SelectedJoints();
        const TLinkList& SL = Rig.D().SelectedLinks();
        EXPECT_EQ(std::vector<TJoint*>(SJ.begin(), SJ.end()), WantJ);
        EXPECT_EQ(std::vector<TCustomLink*>(SL.begin(), SL.end()), WantL);
        EXPECT_EQ(JointEvents, C.Want.JointEvents);
        EXPECT_EQ(LinkEvents, C.Want.LinkEvents);
        EXPECT_EQ(Rig.Paints, C.Want.Paints);
        EXPECT_FALSE(J[3]->Selected());
        EXPECT_TRUE(ModelIsConsistent(Rig.D()));
    }
}

} // namespace
