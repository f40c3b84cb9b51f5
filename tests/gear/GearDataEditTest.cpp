// The structural edits of the data model, as one table over small mechanisms. After every edit the
// model must be consistent and the surface must have repainted exactly once.
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <functional>

namespace {

// The parts of the small mechanisms, by role; a builder fills those it makes.
struct TScene {
    TRack* F = nullptr;
    TJoint *A0 = nullptr, *A = nullptr, *B = nullptr, *B0 = nullptr, *C = nullptr;
    TJoint *G0 = nullptr, *G1 = nullptr;
    TLink *Crank = nullptr, *Plate = nullptr, *Rocker = nullptr, *Guide = nullptr;
    TLink* Rod = nullptr;
    TSlider* S = nullptr;
    TDrive *D1 = nullptr, *D2 = nullptr;
};

using TBuild = std::function<void(TModelRig&, TScene&)>;
using TStep = std::function<void(TGearData&, TScene&)>;

// A bar A-B between two joints of nothing else, beside the frame.
void Bar(TModelRig& R, TScene& S) {
    S.F = R.Frame();
    S.A = R.Joint(10, 10);
    S.B = R.Joint(30, 10);
    S.Crank = R.Link({S.A, S.B});
}

// Four-bar A0-A-B-B0 whose coupler is a plate A, B, C; a rotary drive at A0.
void Plate(TModelRig& R, TScene& S) {
    S.F = R.Frame();
    S.A0 = R.FrameJoint(10, 10);
    S.B0 = R.FrameJoint(60, 10);
    S.A = R.Joint(10, 30);
    S.B = R.Joint(60, 40);
    S.C = R.Joint(35, 60);
    S.Crank = R.Link({S.A0, S.A});
    S.Plate = R.Link({S.A, S.B, S.C});
    S.Rocker = R.Link({S.B0, S.B});
    S.D1 = R.RotaryDrive(S.A0);
}

// Slider crank: crank A0-A, rod A to the slider's pin, the slider on the guide G0-G1 fixed at
// G0; a rotary drive at A0 and a sliding drive on the guide.
void SliderCrank(TModelRig& R, TScene& S) {
    S.F = R.Frame();
    S.A0 = R.FrameJoint(10, 10);
    S.A = R.Joint(10, 30);
    S.Crank = R.Link({S.A0, S.A});
    S.G0 = R.FrameJoint(0, 0);
    S.G1 = R.Joint(100, 0);
    S.Guide = R.Link({S.G0, S.G1});
    S.S = R.Slider(S.Guide, 50, 0);
    S.Rod = R.Link({S.A, TModelRig::Pin(S.S)});
    S.D1 = R.RotaryDrive(S.A0);
    S.D2 = R.SlidingDrive(S.S);
}

// Four-bar with drives at A0 and at A, both using the crank.
void TwoDrives(TModelRig& R, TScene& S) {
    S.F = R.Frame();
    S.A0 = R.FrameJoint(10, 10);
    S.B0 = R.FrameJoint(60, 10);
    S.A = R.Joint(10, 30);
    S.B = R.Joint(60, 40);
    S.Crank = R.Link({S.A0, S.A});
    S.Plate = R.Link({S.A, S.B});
    S.Rocker = R.Link({S.B0, S.B});
    S.D1 = R.RotaryDrive(S.A0);
    S.D2 = R.RotaryDrive(S.A);
}

// The four-bar with the frame and the crank selected.
void FrameSelected(TModelRig& R, TScene& S) {
    Plate(R, S);
    R.D().SelectLink(S.F, false);
    R.D().SelectLink(S.Crank, true);
}

// Two loose dyads to merge: A (with a drive between crank and coupler, selected) onto C of the
// rocker.
void MergeScene(TModelRig& R, TScene& S) {
    S.F = R.Frame();
    S.A0 = R.FrameJoint(10, 10);
    S.A = R.Joint(10, 30);
    S.B = R.Joint(40, 30);
    S.Crank = R.Link({S.A0, S.A});
    S.Plate = R.Link({S.A, S.B});
    S.B0 = R.FrameJoint(50, 10);
    S.C = R.Joint(12, 31);
    S.C->SetIdentifier("Koppelpunkt");
    S.Rocker = R.Link({S.B0, S.C});
    S.D1 = R.RotaryDrive(S.A);
    R.D().SelectJoint(S.A, false);
}

bool Has(const TGearData& D, const TJoint* J) {
    return D.Joints().Contains(J);
}
bool Has(const TGearData& D, const TCustomLink* L) {
    return D.Links().Contains(L);
}
bool Has(const TGearData& D, const TDrive* Drive) {
    return D.Drives().Contains(Drive);
}

struct TEditCase {
    const char* Name;
    TBuild Build;
    TStep Edit;
    TStep Check;
    int Paints = 1;
};

const TEditCase EditCases[] = {
    {"delete a bar of its own takes its joints", Bar,
     [](TGearData& D, TScene& S) { D.DeleteLink(S.Crank, false); },
     [](TGearData& D, TScene& S) {
         EXPECT_FALSE(Has(D, S.Crank));
         EXPECT_TRUE(D.Joints().Empty());
         EXPECT_EQ(D.Links().Count(), 1);
     }},
    {"delete a link keeps the joints other links hold", Plate,
     [](TGearData& D, TScene& S) { D.DeleteLink(S.Crank, false); },
     [](TGearData& D, TScene& S) {
         EXPECT_FALSE(Has(D, S.Crank));
         EXPECT_TRUE(Has(D, S.A));
         EXPECT_TRUE(Has(D, S.A0)); // a frame joint
         EXPECT_FALSE(Has(D, S.D1));
     }},
    {"delete a coupler point leaves a bar", Plate,
     [](TGearData& D, TScene& S) { D.DeleteJoint(S.C); },
     [](TGearData& D, TScene& S) {
         EXPECT_FALSE(Has(D, S.C));
         ASSERT_EQ(S.Plate->Joints().Count(), 2);
         EXPECT_EQ(S.Plate->Joints().Items(0), S.A);
         EXPECT_EQ(S.Plate->Joints().Items(1), S.B);
         EXPECT_TRUE(Has(D, S.D1));
     }},
    {"delete the first joint of a plate", Plate,
     [](TGearData& D, TScene& S) { D.DeleteJoint(S.A); },
     [](TGearData& D, TScene& S) {
         EXPECT_FALSE(Has(D, S.A));
         EXPECT_FALSE(Has(D, S.Crank)); // a bar that lost an end
         EXPECT_TRUE(Has(D, S.A0));
         ASSERT_EQ(S.Plate->Joints().Count(), 2);
         EXPECT_EQ(S.Plate->Joints().Items(0), S.B);
         EXPECT_EQ(S.Plate->Joints().Items(1), S.C);
         EXPECT_FALSE(Has(D, S.D1)); // it used the crank
     }},
    {"delete a joint of a bar of its own", Bar, [](TGearData& D, TScene& S) { D.DeleteJoint(S.A); },
     [](TGearData& D, TScene& S) {
         EXPECT_FALSE(Has(D, S.Crank));
         EXPECT_TRUE(D.Joints().Empty());
     }},
    {"delete a slider takes its joint off the guide", SliderCrank,
     [](TGearData& D, TScene& S) { D.DeleteLink(S.S, false); },
     [](TGearData& D, TScene& S) {
         EXPECT_FALSE(Has(D, S.S));
         EXPECT_TRUE(Has(D, S.Guide));
         ASSERT_EQ(S.Guide->Joints().Count(), 2);
         EXPECT_FALSE(D.IsSlideLink(S.Guide));
         EXPECT_TRUE(Has(D, S.Rod->Joints().Items(1))); // the pin stays on the rod
         EXPECT_FALSE(Has(D, S.D2));
         EXPECT_TRUE(Has(D, S.D1));
     }},
    {"delete a guide leaves the slider its own joint", SliderCrank,
     [](TGearData& D, TScene& S) { D.DeleteLink(S.Guide, false); },
     [](TGearData& D, TScene& S) {
         EXPECT_FALSE(Has(D, S.Guide));
         EXPECT_TRUE(Has(D, S.S));
         TJoint* V = S.S->Joints().Items(0);
         EXPECT_TRUE(V->IsVirtual());
         EXPECT_EQ(V->Links().Count(), 1);
         EXPECT_EQ(D.FindSlideLink(S.S), nullptr);
         EXPECT_FALSE(Has(D, S.G1));
         EXPECT_TRUE(Has(D, S.G0)); // still a frame joint
         EXPECT_FALSE(Has(D, S.D2));
     }},
    {"a guide of only the slider's joint and one more goes with the slider",
     [](TModelRig& R, TScene& S) {
         S.F = R.Frame();
         S.S = R.Slider(nullptr, 50, 0);
         S.G0 = R.Joint(0, 0);
         S.Guide = R.Link({S.G0, TModelRig::Virtual(S.S)}); // as a file may give it
     },
     [](TGearData& D, TScene& S) { D.DeleteLink(S.S, false); },
     [](TGearData& D, TScene& S) {
         EXPECT_FALSE(Has(D, S.Guide));
         EXPECT_FALSE(Has(D, S.G0));
         EXPECT_TRUE(D.Joints().Empty());
     }},
    {"two drives that both become invalid both go", TwoDrives,
     [](TGearData& D, TScene& S) { D.DeleteLink(S.Crank, false); },
     [](TGearData& D, TScene& S) {
         EXPECT_TRUE(D.Drives().Empty());
         EXPECT_TRUE(Has(D, S.Plate));
     }},
    {"a sliding drive forgets a stored joint that goes",
     [](TModelRig& R, TScene& S) {
         SliderCrank(R, S);
         S.D2->SetJoint(S.A); // as a file may give it
     },
     [](TGearData& D, TScene& S) { D.DeleteJoint(S.A); },
     [](TGearData& D, TScene& S) {
         EXPECT_FALSE(Has(D, S.D1)); // its crank went
         ASSERT_TRUE(Has(D, S.D2));  // it stands on the slider and the guide
         EXPECT_EQ(S.D2->Joint(), nullptr);
         EXPECT_EQ(S.D2->GetJoint(), S.G0);
     }},
    {"delete a selection holding the frame", FrameSelected,
     [](TGearData& D, TScene&) { D.DeleteSelection(); },
     [](TGearData& D, TScene& S) {
         EXPECT_FALSE(Has(D, S.Crank));
         EXPECT_EQ(D.Rack(), S.F);
         EXPECT_FALSE(S.F->Selected());
         EXPECT_TRUE(D.SelectedLinks().Empty());
         EXPECT_EQ(S.F->Joints().Count(), 2);
     }},
    {"delete every link of a slider crank",
     [](TModelRig& R, TScene& S) {
         SliderCrank(R, S);
         for (TCustomLink* L : R.D().Links())
             R.D().SelectLink(L, true);
     },
     [](TGearData& D, TScene&) { D.DeleteSelection(); },
     [](TGearData& D, TScene& S) {
         ASSERT_EQ(D.Links().Count(), 1);
         EXPECT_EQ(D.Rack(), S.F);
         EXPECT_EQ(D.Joints().Count(), 2); // the frame joints A0 and G0
         EXPECT_TRUE(D.Drives().Empty());
     }},
    {"delete the selected joints", Plate,
     [](TGearData& D, TScene& S) {
         D.SelectJoint(S.C, false);
         D.SelectJoint(S.B, true);
         D.DeleteSelection();
     },
     [](TGearData& D, TScene& S) {
         EXPECT_FALSE(Has(D, S.B));
         EXPECT_FALSE(Has(D, S.C));
         EXPECT_FALSE(Has(D, S.Plate));
         EXPECT_FALSE(Has(D, S.Rocker));
         EXPECT_TRUE(Has(D, S.Crank));
     },
     3}, // two selection steps and the deletion
    {"merge keeps the target joint and the drives", MergeScene,
     [](TGearData& D, TScene& S) { D.MergeJoints(S.A, S.C); },
     [](TGearData& D, TScene& S) {
         EXPECT_FALSE(Has(D, S.A));
         EXPECT_EQ(S.C->ID(), 5);
         EXPECT_EQ(S.C->Identifier(), "Koppelpunkt");
         EXPECT_EQ(S.C->X(), 12);
         EXPECT_EQ(S.C->Y(), 31);
         EXPECT_EQ(S.Crank->Joints().Items(1), S.C); // in A's slot
         EXPECT_EQ(S.Plate->Joints().Items(0), S.C);
         EXPECT_EQ(S.C->Links().Count(), 3);
         EXPECT_EQ(S.B->X(), 40); // nothing else moved
         ASSERT_TRUE(Has(D, S.D1));
         EXPECT_EQ(S.D1->Joint(), S.C);
         ASSERT_EQ(D.SelectedJoints().Count(), 1);
         EXPECT_EQ(D.SelectedJoints().Items(0), S.C);
     }},
    {"merge of a joint into itself changes nothing", MergeScene,
     [](TGearData& D, TScene& S) { D.MergeJoints(S.A, S.A); },
     [](TGearData& D, TScene& S) {
         EXPECT_TRUE(Has(D, S.A));
         EXPECT_EQ(S.A->Links().Count(), 2);
     },
     0},
    {"merge of two joints of one link changes nothing", MergeScene,
     [](TGearData& D, TScene& S) { D.MergeJoints(S.A, S.B); },
     [](TGearData& D, TScene& S) {
         EXPECT_TRUE(Has(D, S.A));
         EXPECT_EQ(S.B->Links().Count(), 1);
     },
     0},
    {"connect puts the slider's joint on the guide's line",
     [](TModelRig& R, TScene& S) {
         Bar(R, S);
         S.Guide = S.Crank; // from (10, 10) to (30, 10)
         S.S = R.Slider(nullptr, 10, 50);
     },
     [](TGearData& D, TScene& S) { D.ConnectSliderToLink(S.S, S.Guide); },
     [](TGearData& D, TScene& S) {
         TJoint* V = S.S->Joints().Items(0);
         EXPECT_NEAR(V->X(), 50, 1e-9); // turned about (10, 10) at its distance 40
         EXPECT_NEAR(V->Y(), 10, 1e-9);
         EXPECT_EQ(S.S->Joints().Items(1)->X(), 10); // the pin stays
         EXPECT_EQ(S.Guide->Joints().Items(2), V);
         EXPECT_EQ(D.FindSlideLink(S.S), S.Guide);
     }},
    {"separate two links sharing two joints",
     [](TModelRig& R, TScene& S) {
         Plate(R, S);
         S.Rod = R.Link({S.B, S.A}); // shares A and B with the plate; B is the plate's later one
     },
     [](TGearData& D, TScene& S) { D.SeparateLinks(S.Plate, S.Rod); },
     [](TGearData& D, TScene& S) {
         ASSERT_EQ(S.Rod->Joints().Count(), 2);
         TJoint* N = S.Rod->Joints().Items(0);
         EXPECT_NE(N, S.B);
         EXPECT_EQ(S.Rod->Joints().Items(1), S.A);
         EXPECT_EQ(N->X(), S.B->X());
         EXPECT_EQ(N->Y(), S.B->Y());
         EXPECT_EQ(N->ID(), 6);
         EXPECT_EQ(N->MMSurface(), D.MMSurface());
         EXPECT_FALSE(S.B->Links().Contains(S.Rod));
         EXPECT_EQ(S.Plate->Joints().Count(), 3);
     }},
    {"move the origin to a joint", Bar,
     [](TGearData& D, TScene& S) {
         S.A->SetX(10);
         S.A->SetY(5);
         S.B->SetX(12);
         S.B->SetY(9);
         D.MoveOriginToJoint(S.A);
     },
     [](TGearData&, TScene& S) {
         EXPECT_EQ(S.A->X(), 0);
         EXPECT_EQ(S.A->Y(), 0);
         EXPECT_EQ(S.B->X(), 2);
         EXPECT_EQ(S.B->Y(), 4);
     }},
    {"clear with a new frame", SliderCrank, [](TGearData& D, TScene&) { D.Clear(true); },
     [](TGearData& D, TScene&) {
         ASSERT_EQ(D.Links().Count(), 1);
         EXPECT_EQ(D.Rack()->ID(), 1);
         EXPECT_EQ(D.Rack()->Identifier(), "Gestell");
         EXPECT_TRUE(D.Rack()->Joints().Empty());
         EXPECT_TRUE(D.Joints().Empty());
         EXPECT_TRUE(D.Drives().Empty());
         EXPECT_EQ(D.Parts().Count(), 1);
     }},
    {"clear without a frame", FrameSelected, [](TGearData& D, TScene&) { D.Clear(false); },
     [](TGearData& D, TScene&) {
         EXPECT_TRUE(D.Links().Empty());
         EXPECT_TRUE(D.SelectedLinks().Empty());
         EXPECT_EQ(D.Parts().Count(), 0);
         EXPECT_EQ(D.MMSurface()->GraphicItems().Count(), 0);
     }},
};

class TGearDataEdit : public ::testing::TestWithParam<TEditCase> {};

TEST_P(TGearDataEdit, LeavesAConsistentModelAndRepaintsOnce) {
    const TEditCase& C = GetParam();
    TModelRig Rig;
    TScene S;
    C.Build(Rig, S);
    ASSERT_TRUE(ModelIsConsistent(Rig.D()));
    Rig.Paints = 0;
    C.Edit(Rig.D(), S);
    EXPECT_TRUE(ModelIsConsistent(Rig.D()));
    EXPECT_EQ(Rig.Paints, C.Paints);
    C.Check(Rig.D(), S);
}

INSTANTIATE_TEST_SUITE_P(Cases, TGearDataEdit, ::testing::ValuesIn(EditCases),
                         [](const ::testing::TestParamInfo<TEditCase>& Info) {
                             std::string Name = Info.param.Name;
                             for (char& Ch : Name)
                                 if (!std::isalnum(static_cast<unsigned char>(Ch)))
                                     Ch = '_';
                             return Name;
                         });

TEST(GearDataEditDetails, MoveOriginKeepsLengthsAndAngles) {
    TModelRig Rig;
    TScene S;
    Plate(Rig, S);
    double Length = S.Plate->Length();
    double Angle = S.Plate->Angle();
    Rig.D().MoveOriginToJoint(S.B);
    EXPECT_NEAR(S.Plate->Length(), Length, 1e-12);
    EXPECT_NEAR(S.Plate->Angle(), Angle, 1e-12);
    EXPECT_EQ(S.A0->X(), -50);
}

TEST(GearDataEditDetails, DeleteLinkOfTheFrameWithoutForceOnlyDeselects) {
    TModelRig Rig;
    TScene S;
    Plate(Rig, S);
    Rig.D().SelectLink(S.F, false);
    Rig.D().DeleteLink(S.F, false);
    EXPECT_EQ(Rig.D().Rack(), S.F);
    EXPECT_EQ(S.F->Joints().Count(), 2);
    EXPECT_TRUE(Rig.D().SelectedLinks().Empty());
    EXPECT_TRUE(ModelIsConsistent(Rig.D()));
}

TEST(GearDataEditDetails, ForcedDeletionOfTheFrameRemovesIt) {
    TModelRig Rig;
    TScene S;
    Plate(Rig, S);
    Rig.D().DeleteLink(S.F, true);
    EXPECT_EQ(Rig.D().Rack(), nullptr);
    EXPECT_FALSE(Has(Rig.D(), S.F));
    EXPECT_TRUE(Rig.D().Drives().Empty());
    EXPECT_TRUE(ModelIsConsistent(Rig.D()));
}

TEST(GearDataEditDetails, DeleteListsStopWhenNothingIsRemoved) {
    TModelRig Rig;
    TScene S;
    Plate(Rig, S);
    TLinkList Copy; // not the selection: deleting does not empty it
    Copy.Add(S.F);
    Rig.D().DeleteLinks(Copy, false);
    EXPECT_EQ(Copy.Count(), 1);
    TJointList Outside;
    std::unique_ptr<TGearPart> Stranger = Rig.D().Parts().Remove(Rig.D().CreateLooseJoint(0, 0));
    Outside.Add(static_cast<TJoint*>(Stranger.get()));
    Rig.D().DeleteJoints(Outside);
    EXPECT_EQ(Outside.Count(), 1);
    EXPECT_TRUE(ModelIsConsistent(Rig.D()));
}

// A file may leave a virtual joint alone on a link of two joints: taking it off empties the
// link, which must then go with its other joint, though the sweeps had passed both.
TEST(GearDataEditDetails, CleanUpRepeatsUntilNothingIsLeftOver) {
    TModelRig Rig;
    Rig.Frame();
    TJoint* G0 = Rig.Joint(0, 0);
    TJoint* V = Rig.VirtualJoint(5, 0);
    Rig.Link({G0, V});
    Rig.D().RemoveOrphans();
    EXPECT_TRUE(Rig.D().Joints().Empty());
    EXPECT_EQ(Rig.D().Links().Count(), 1);
    EXPECT_TRUE(ModelIsConsistent(Rig.D()));
}

TEST(GearDataEditDetails, EditsThatChangeTheStructureTellTheApplication) {
    TModelRig Rig;
    TScene S;
    SliderCrank(Rig, S);
    int Changes = 0;
    Rig.D().OnDataChanged = [&](TObject*) { ++Changes; };
    Rig.D().DeleteJoint(S.G1); // deletions leave it to their caller
    EXPECT_EQ(Changes, 0);
    Rig.D().SeparateLinks(S.Crank, S.Rod);
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(ModelIsConsistent(Rig.D()));
    Rig.D().MergeJoints(S.Rod->Joints().Items(0), S.A); // join them again
    EXPECT_EQ(Changes, 2);
    Rig.D().MoveOriginToJoint(S.A0); // a shift is no change of structure
    EXPECT_EQ(Changes, 2);
    Rig.D().ConnectSliderToLink(S.S, S.Crank);
    EXPECT_EQ(Changes, 3);
    EXPECT_TRUE(ModelIsConsistent(Rig.D()));
    Rig.D().Clear(false);
    EXPECT_EQ(Changes, 4);
}

} // namespace
