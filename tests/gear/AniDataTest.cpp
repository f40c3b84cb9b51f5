// The solver steps: each kind reproduces its drawn place at gear position 0, follows its inputs,
// fails without moving anything, and keeps the branch it was drawn on.
#include "gear/uAniData.h"
#include "gear/uGearUtils.h"
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <numbers>
#include <vector>

namespace {
constexpr double Pi = std::numbers::pi;
constexpr double Tolerance = 1e-9;

void ExpectAt(const TJoint& J, TMMPoint Expected) {
    EXPECT_NEAR(J.X(), Expected.X, Tolerance);
    EXPECT_NEAR(J.Y(), Expected.Y, Tolerance);
}

void MoveTo(TJoint& J, TMMPoint P) {
    J.SetX(P.X);
    J.SetY(P.Y);
}

// Loose joints and one drive; the model is made only for the step that looks up a slider in it.
struct TStepRig {
    std::vector<std::unique_ptr<TJoint>> Joints;
    TDrive Drive;
    std::unique_ptr<TModelRig> ModelRig;
    // Where the joints of the step's inputs begin, in the order the step's factory made them.
    std::size_t FirstInput = 0;

    TJoint& At(double X, double Y) {
        Joints.push_back(std::make_unique<TJoint>());
        MoveTo(*Joints.back(), {X, Y});
        return *Joints.back();
    }
    // Input joints, made in this order.
    std::vector<TJoint*> Inputs(std::initializer_list<TMMPoint> Places) {
        std::vector<TJoint*> Made;
        for (TMMPoint P : Places)
            Made.push_back(&At(P.X, P.Y));
        return Made;
    }
    TDrive& Sliding() {
        Drive.SetDriveType(dtSliding);
        return Drive;
    }
    TDrive& Rotary(TJoint& Center) {
        Drive.SetJoint(&Center);
        return Drive;
    }
    TModelRig& Model() {
        if (!ModelRig)
            ModelRig = std::make_unique<TModelRig>();
        return *ModelRig;
    }
    // A slide link (L0, L1) of the model with a slider whose pin is at Pin, moved by the sliding
    // drive that measures from L0; gives the pin.
    TJoint& SlidingPin(TMMPoint L0, TMMPoint L1, TMMPoint Pin) {
        TModelRig& M = Model();
        TLink* SlideLink = M.Link({M.Joint(L0.X, L0.Y), M.Joint(L1.X, L1.Y)});
        SlideLink->SetReferenceJointID(0);
        TSlider* Slider = M.Slider(nullptr, Pin.X, Pin.Y);
        M.PutOn(Slider, SlideLink);
        Sliding().SetLink0(Slider);
        Drive.SetLink1(SlideLink);
        return *TModelRig::Pin(Slider);
    }
};

// The virtual joints a step moves: V, or none.
TVirtualJoints Virtuals(TJoint* V) {
    return V ? TVirtualJoints{V} : TVirtualJoints{};
}

// Makes a step for the joint J (already placed at its drawn position) with virtual joint V.
using TMakeStep = std::function<std::unique_ptr<TAniData>(TStepRig&, TJoint& J, TJoint* V)>;

// A step built on a drawing; Setup (optional) gives the joint placed by the step, else a joint
// at Drawn is made.
struct TStepCase {
    const char* Name;
    TMMPoint Drawn;
    TMakeStep Make;
    std::function<TJoint&(TStepRig&)> Setup = nullptr;
};

// Factories of every kind on a small drawing (joint inputs by coordinates).
std::unique_ptr<TAniData> MakeRackDrive(TStepRig& R, TJoint& J, TJoint* V) {
    return std::make_unique<TAniDataRackDriveConJoint>(J, R.Rotary(R.At(0, 0)), Virtuals(V));
}
std::unique_ptr<TAniData> MakeTwoOthers(TStepRig& R, TJoint& J, TJoint* V) {
    const auto In = R.Inputs({{0, 0}, {8, 0}});
    return std::make_unique<TAniDataJointByTwoOthers>(J, *In[0], *In[1], Virtuals(V));
}
std::unique_ptr<TAniData> MakeSliderJoint(TStepRig& R, TJoint& J, TJoint* V) {
    const auto In = R.Inputs({{0, 0}, {-10, 3}, {10, 3}});
    return std::make_unique<TAniDataSliderJoint>(J, *In[0], *In[1], *In[2], Virtuals(V));
}
std::unique_ptr<TAniData> MakeJointBySlider(TStepRig& R, TJoint& J, TJoint* V) {
    const auto In = R.Inputs({{0, 0}, {0, 10}});
    return std::make_unique<TAniDataJointBySlider>(J, *In[0], *In[1], nullptr, Virtuals(V));
}
std::unique_ptr<TAniData> MakeCrossjoint(TStepRig& R, TJoint& J, TJoint* V) {
    const auto In = R.Inputs({{0, 0}, {10, 0}});
    return std::make_unique<TAniDataCrossjoint>(J, *In[0], *In[1], Virtuals(V));
}
// The slider's virtual joint at (24, 0) lies beyond the slide line's joint 1.
std::unique_ptr<TAniData> MakeCrossjointSlider(TStepRig& R, TJoint& J, TJoint* V) {
    const auto In = R.Inputs({{24, 0}, {10, 0}, {20, 0}});
    return std::make_unique<TAniDataCrossjointSlider>(J, *In[0], *In[1], *In[2], Virtuals(V));
}
std::unique_ptr<TAniData> MakeSliderByCrosspoint(TStepRig& R, TJoint& J, TJoint* V) {
    const auto In = R.Inputs({{24, 5}, {10, 0}, {20, 0}});
    return std::make_unique<TAniDataSliderByCrosspointStraightOne>(J, *In[0], *In[1], *In[2],
                                                                   Virtuals(V));
}
std::unique_ptr<TAniData> MakeCrosspointSlider(TStepRig& R, TJoint& J, TJoint* V) {
    const auto In = R.Inputs({{0, 0}, {-10, 0}, {10, 0}});
    return std::make_unique<TAniDataCrosspointSliderByStraightOne>(J, *In[0], *In[1], *In[2],
                                                                   Virtuals(V));
}
std::unique_ptr<TAniData> MakeSliderDrive(TStepRig& R, TJoint& J, TJoint* V) {
    return std::make_unique<TAniDataSliderDriveJoint>(J, R.Drive, R.Model().D(), Virtuals(V));
}
std::unique_ptr<TAniData> MakePistonDrive(TStepRig& R, TJoint& J, TJoint* V) {
    const auto In = R.Inputs({{0, 0}, {8, 0}});
    return std::make_unique<TAniDataPistonDrive>(J, R.Sliding(), *In[0], *In[1], Virtuals(V));
}
std::unique_ptr<TAniData> MakePistonCircles(TStepRig& R, TJoint& J, TJoint* V) {
    const auto In = R.Inputs({{0, 0}, {8, 0}});
    return std::make_unique<TAniDataPistonDriveSliderJointCrossJoint>(J, R.Sliding(), *In[0],
                                                                      *In[1], Virtuals(V));
}
std::unique_ptr<TAniData> MakePistonLine(TStepRig& R, TJoint& J, TJoint* V) {
    const auto In = R.Inputs({{0, 0}, {20, 0}});
    return std::make_unique<TAniDataPistonDriveSliderJointCrossJoint>(J, R.Sliding(), *In[0],
                                                                      *In[1], Virtuals(V));
}

TJoint& SlidingPinAt30(TStepRig& R) {
    return R.SlidingPin({0, 0}, {100, 0}, {30, 0});
}

const TStepCase DrawnCases[] = {
    {"rack drive", {6, 8}, MakeRackDrive},
    {"two others, left", {4, 3}, MakeTwoOthers},
    {"two others, right", {4, -3}, MakeTwoOthers},
    {"slider joint, ahead", {4, 3}, MakeSliderJoint},
    {"slider joint, behind", {-4, 3}, MakeSliderJoint},
    {"joint by slider, on the ray", {0, 20}, MakeJointBySlider},
    {"joint by slider, off the ray", {5, 20}, MakeJointBySlider},
    {"crossjoint", {5, 5}, MakeCrossjoint},
    {"crossjoint slider beyond joint 1", {24, 5}, MakeCrossjointSlider},
    {"slider by crosspoint beyond joint 1", {24, 0}, MakeSliderByCrosspoint},
    {"crosspoint slider, left", {4, 3}, MakeCrosspointSlider},
    {"crosspoint slider, right behind", {-4, -3}, MakeCrosspointSlider},
    {"slider drive", {30, 0}, MakeSliderDrive, SlidingPinAt30},
    {"piston drive, right", {4, -3}, MakePistonDrive},
    {"piston, circle form", {4, 3}, MakePistonCircles},
    {"piston, line form", {10, 0}, MakePistonLine},
};

// The step is made in the drawing; the joint and its virtual joint are then put elsewhere so that
// the calculation has to write them.
struct TMadeStep {
    TStepRig Rig;
    TJoint* J = nullptr;
    TJoint* V = nullptr;
    std::unique_ptr<TAniData> Step;

    explicit TMadeStep(const TStepCase& Case) {
        J = Case.Setup ? &Case.Setup(Rig) : &Rig.At(Case.Drawn.X, Case.Drawn.Y);
        V = &Rig.At(Case.Drawn.X, Case.Drawn.Y);
        Rig.FirstInput = Rig.Joints.size();
        Step = Case.Make(Rig, *J, V);
    }
    void Scatter() {
        MoveTo(*J, {-77, 99});
        MoveTo(*V, {55, -66});
    }
};

TEST(AniDataTest, PositionZeroReproducesTheDrawing) {
    for (const TStepCase& Case : DrawnCases) {
        SCOPED_TRACE(Case.Name);
        TMadeStep S(Case);
        EXPECT_EQ(&S.Step->Joint(), S.J);
        EXPECT_EQ(S.Step->VirtualJoints(), TVirtualJoints{S.V});
        S.Scatter();
        ASSERT_TRUE(S.Step->Calculate(0));
        ExpectAt(*S.J, Case.Drawn);
        EXPECT_EQ(S.V->Position(), S.J->Position());
    }
}

TEST(AniDataTest, NoVirtualJointIsNoProblem) {
    TStepRig R;
    TJoint& J = R.At(5, 5);
    TAniDataCrossjoint Step(J, R.At(0, 0), R.At(10, 0), {});
    MoveTo(J, {0, 0});
    ASSERT_TRUE(Step.Calculate(0));
    ExpectAt(J, {5, 5});
}

// One case: the drawing, then inputs moved and drive values set for position 1.
struct TMoveCase {
    const char* Name;
    TStepCase Drawing;
    std::function<void(TStepRig&)> Move;
    TMMPoint Expected;
};

// The step's input joint N.
TJoint& Input(TStepRig& R, std::size_t N) {
    return *R.Joints[R.FirstInput + N];
}

const TMoveCase MoveCases[] = {
    {"crank of 10 turned by pi/2",
     {"", {10, 0}, MakeRackDrive},
     [](TStepRig& R) { R.Drive.SetValue(1, Pi / 2); },
     {0, 10}},
    {"crossjoint follows B to (0, 10)",
     {"", {5, 5}, MakeCrossjoint},
     [](TStepRig& R) {
         MoveTo(Input(R, 1), {0, 10});
     },
     {-5, 5}},
    {"joint by slider on the ray, pin to (10, 0)",
     {"", {0, 20}, MakeJointBySlider},
     [](TStepRig& R) {
         MoveTo(Input(R, 1), {10, 0});
     },
     {20, 0}},
    {"joint by slider off the ray keeps its angle",
     {"", {5, 20}, MakeJointBySlider},
     [](TStepRig& R) {
         MoveTo(Input(R, 1), {10, 0});
     },
     {20, -5}},
    {"crossjoint slider moves along the slide line",
     {"", {24, 5}, MakeCrossjointSlider},
     [](TStepRig& R) {
         MoveTo(Input(R, 0), {16, 0});
     },
     {16, 5}},
    {"crossjoint slider turns with the slide line",
     {"", {24, 5}, MakeCrossjointSlider},
     [](TStepRig& R) {
         MoveTo(Input(R, 0), {10, 14});
         MoveTo(Input(R, 2), {10, 10});
     },
     {5, 14}},
    {"slider by crosspoint follows its coupler point",
     {"", {24, 0}, MakeSliderByCrosspoint},
     [](TStepRig& R) {
         MoveTo(Input(R, 0), {16, 5});
     },
     {16, 0}},
    {"slider by crosspoint turns with the slide line",
     {"", {24, 0}, MakeSliderByCrosspoint},
     [](TStepRig& R) {
         MoveTo(Input(R, 0), {5, 14});
         MoveTo(Input(R, 2), {10, 10});
     },
     {10, 14}},
    {"two others, left, B to (6, 0)",
     {"", {4, 3}, MakeTwoOthers},
     [](TStepRig& R) {
         MoveTo(Input(R, 1), {6, 0});
     },
     {3, 4}},
    {"two others, right, B to (6, 0)",
     {"", {4, -3}, MakeTwoOthers},
     [](TStepRig& R) {
         MoveTo(Input(R, 1), {6, 0});
     },
     {3, -4}},
    {"slider joint ahead, line to y = 4",
     {"", {4, 3}, MakeSliderJoint},
     [](TStepRig& R) {
         MoveTo(Input(R, 1), {-10, 4});
         MoveTo(Input(R, 2), {10, 4});
     },
     {3, 4}},
    {"slider joint behind, line to y = 4",
     {"", {-4, 3}, MakeSliderJoint},
     [](TStepRig& R) {
         MoveTo(Input(R, 1), {-10, 4});
         MoveTo(Input(R, 2), {10, 4});
     },
     {-3, 4}},
    {"crosspoint slider keeps 3 left of a line moved to y = 1",
     {"", {4, 3}, MakeCrosspointSlider},
     [](TStepRig& R) {
         MoveTo(Input(R, 1), {-10, 1});
         MoveTo(Input(R, 2), {10, 1});
     },
     {3, 4}},
    {"crosspoint slider keeps 3 right of a line turned upwards",
     {"", {-4, -3}, MakeCrosspointSlider},
     [](TStepRig& R) {
         MoveTo(Input(R, 1), {0, -10});
         MoveTo(Input(R, 2), {0, 10});
     },
     {3, -4}},
    {"slider drive of 5000 from 30",
     {"", {30, 0}, MakeSliderDrive, SlidingPinAt30},
     [](TStepRig& R) { R.Drive.SetValue(1, 5000); },
     {35, 0}},
    {"piston drive lengthened to sqrt 41",
     {"", {4, -3}, MakePistonDrive},
     [](TStepRig& R) { R.Drive.SetValue(1, (std::sqrt(41.0) - 5) * 1000); },
     {5, -4}},
    {"piston, circle form, lengthened to sqrt 41",
     {"", {4, 3}, MakePistonCircles},
     [](TStepRig& R) { R.Drive.SetValue(1, (std::sqrt(41.0) - 5) * 1000); },
     {5, 4}},
    {"piston, line form, keeps its distance from B",
     {"", {10, 0}, MakePistonLine},
     [](TStepRig& R) {
         R.Drive.SetValue(1, 3000);
         MoveTo(Input(R, 1), {25, 0});
     },
     {15, 0}},
};

TEST(AniDataTest, StepsFollowTheirInputs) {
    for (const TMoveCase& Case : MoveCases) {
        SCOPED_TRACE(Case.Name);
        TMadeStep S(Case.Drawing);
        Case.Move(S.Rig);
        ASSERT_TRUE(S.Step->Calculate(1));
        ExpectAt(*S.J, Case.Expected);
        EXPECT_EQ(S.V->Position(), S.J->Position());
    }
}

// Where the construction has no solution the position fails and nothing moves, neither the
// joint nor its virtual joint; the step solves again once the inputs allow it.
struct TFailCase {
    const char* Name;
    TStepCase Drawing;
    std::function<void(TStepRig&)> Move;
};

const TFailCase FailCases[] = {
    {"two circles apart",
     {"", {4, 3}, MakeTwoOthers},
     [](TStepRig& R) {
         MoveTo(Input(R, 1), {20, 0});
     }},
    {"slide line misses the circle",
     {"", {4, 3}, MakeSliderJoint},
     [](TStepRig& R) {
         MoveTo(Input(R, 1), {-10, 6});
         MoveTo(Input(R, 2), {10, 6});
     }},
    {"shifted line misses the circle",
     {"", {4, 3}, MakeCrosspointSlider},
     [](TStepRig& R) {
         MoveTo(Input(R, 1), {-10, 3});
         MoveTo(Input(R, 2), {10, 3});
     }},
    {"piston too short to reach",
     {"", {4, 3}, MakePistonDrive},
     [](TStepRig& R) { R.Drive.SetValue(1, -3500); }},
    {"piston radius below zero",
     {"", {4, 3}, MakePistonDrive},
     [](TStepRig& R) { R.Drive.SetValue(1, -6000); }},
    {"piston circle form radius below zero",
     {"", {4, 3}, MakePistonCircles},
     [](TStepRig& R) { R.Drive.SetValue(1, -5001); }},
    {"slider drive radius below zero",
     {"", {30, 0}, MakeSliderDrive, SlidingPinAt30},
     [](TStepRig& R) { R.Drive.SetValue(1, -30001); }},
};

TEST(AniDataTest, FailureMovesNothing) {
    for (const TFailCase& Case : FailCases) {
        SCOPED_TRACE(Case.Name);
        TMadeStep S(Case.Drawing);
        S.Scatter();
        const TMMPoint J = S.J->Position();
        const TMMPoint V = S.V->Position();
        Case.Move(S.Rig);
        EXPECT_FALSE(S.Step->Calculate(1));
        EXPECT_EQ(S.J->Position(), J);
        EXPECT_EQ(S.V->Position(), V);
    }
}

// A radius below zero is no length of the piston: the position fails instead of reusing the
// radius of the position before, and the next valid position solves with its own radius.
TEST(AniDataTest, NegativeDrivenRadiusFailsInsteadOfKeepingTheLastOne) {
    const TStepCase Cases[] = {
        {"piston drive", {4, 3}, MakePistonDrive},
        {"piston, circle form", {4, 3}, MakePistonCircles},
    };
    for (const TStepCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TMadeStep S(Case);
        S.Rig.Drive.SetValue(1, (std::sqrt(41.0) - 5) * 1000);
        S.Rig.Drive.SetValue(2, -6000);
        ASSERT_TRUE(S.Step->Calculate(1));
        ExpectAt(*S.J, {5, 4});
        EXPECT_FALSE(S.Step->Calculate(2));
        ExpectAt(*S.J, {5, 4});
        ASSERT_TRUE(S.Step->Calculate(3)); // beyond the table: value 0
        ExpectAt(*S.J, {4, 3});
    }
}

TEST(AniDataTest, TwoOthersKeepsItsSideWhereverItSolves) {
    for (double Side : {1.0, -1.0}) {
        SCOPED_TRACE(Side);
        TStepRig R;
        TJoint& J = R.At(4, 3 * Side);
        TJoint& A = R.At(0, 0);
        TJoint& B = R.At(8, 0);
        TAniDataJointByTwoOthers Step(J, A, B, {});
        for (int Degrees = 0; Degrees < 360; Degrees += 5) {
            const double Angle = Degrees * Pi / 180;
            MoveTo(B, {6 * std::cos(Angle), 6 * std::sin(Angle)});
            ASSERT_TRUE(Step.Calculate(0)) << Degrees;
            EXPECT_GT((B.X() * J.Y() - B.Y() * J.X()) * Side, 0) << Degrees;
            EXPECT_NEAR(JointDistance(A, J), 5, Tolerance);
            EXPECT_NEAR(JointDistance(B, J), 5, Tolerance);
            MoveTo(B, {12 * std::cos(Angle), 12 * std::sin(Angle)});
            EXPECT_FALSE(Step.Calculate(0)) << Degrees; // two circles of 5, 12 apart
        }
    }
}

// Circles about (0, 0) and (8, 0) drawn touching at J = (3, 0): both probes are the touching
// point, and the false branch wins, which shows once B comes closer.
TEST(AniDataTest, TwoOthersDrawnTouchingTakesTheFalseBranch) {
    TStepRig R;
    TJoint& J = R.At(3, 0);
    TJoint& B = R.At(8, 0);
    TAniDataJointByTwoOthers Step(J, R.At(0, 0), B, {});
    MoveTo(B, {6, 0});
    ASSERT_TRUE(Step.Calculate(0));
    EXPECT_LT(J.Y(), 0);
}

// A joint drawn a little off its slide line (no probe within 1e-10) takes the nearer crossing;
// one whose circle misses the line takes the true branch.
TEST(AniDataTest, ProbesMissingTheDrawingTakeTheNearerOne) {
    struct TCase {
        const char* Name;
        TMMPoint Drawn;
        double LineY; // where the line goes before calculating
        TMMPoint Expected;
    } Cases[] = {
        {"nearer ahead", {3, 4.000001}, 4, {std::sqrt(9.000008000001), 4}},
        {"nearer behind", {-3, 4.000001}, 4, {-std::sqrt(9.000008000001), 4}},
        {"no crossing at all", {0, 1}, 0.5, {std::sqrt(0.75), 0.5}},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TStepRig R;
        TJoint& J = R.At(Case.Drawn.X, Case.Drawn.Y);
        TJoint& L1 = R.At(-10, 4);
        TJoint& L2 = R.At(10, 4);
        TAniDataSliderJoint Step(J, R.At(0, 0), L1, L2, {});
        MoveTo(L1, {-10, Case.LineY});
        MoveTo(L2, {10, Case.LineY});
        ASSERT_TRUE(Step.Calculate(0));
        ExpectAt(J, Case.Expected);
    }
}

// A, J and B in one line within rounding give the line form, which ignores the drive; otherwise
// the drive lengthens the circle about A.
TEST(AniDataTest, PistonOnOneLineSlidesAlongIt) {
    struct TCase {
        const char* Name;
        TMMPoint A, J, B;
        bool InLine;
    } Cases[] = {
        {"exactly in line", {0, 0}, {10, 0}, {20, 0}, true},
        {"B behind A", {0, 0}, {10, 0}, {-20, 0}, true},
        {"in line with rounding", {0.1, 0.2}, {0.4, 0.8}, {0.7, 1.4}, true},
        {"B off the line", {0, 0}, {10, 0}, {20, 5}, false},
        {"barely off the line", {0, 0}, {10, 0}, {20, 1e-6}, false},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        TStepRig R;
        TJoint& J = R.At(Case.J.X, Case.J.Y);
        TJoint& A = R.At(Case.A.X, Case.A.Y);
        const double Base = JointDistance(A, J);
        TAniDataPistonDriveSliderJointCrossJoint Step(J, R.Sliding(), A, R.At(Case.B.X, Case.B.Y),
                                                      {});
        R.Drive.SetValue(1, 100);
        ASSERT_TRUE(Step.Calculate(1));
        if (Case.InLine)
            ExpectAt(J, Case.J);
        else
            EXPECT_NEAR(JointDistance(A, J), Base + 0.1, Tolerance);
    }
}

// The slider mechanism: crank A0 (0, 0) to A (0, 10) turned by a rotary drive, coupler A to the
// pin (24, 0) on the slide line (10, 0) -> (20, 0), and a coupler point K (24, 5) of the slider.
// The steps run in plan order; K is where it was drawn at drive value 0.
TEST(AniDataTest, SliderCouplerPointBeyondTheSlideLine) {
    TStepRig R;
    TJoint& A0 = R.At(0, 0);
    TJoint& A = R.At(0, 10);
    TJoint& Pin = R.At(24, 0);
    TJoint& Virtual = R.At(24, 0);
    TJoint& K = R.At(24, 5);
    TJoint& B = R.At(10, 0);
    TJoint& C = R.At(20, 0);
    R.Rotary(A0).SetValue(1, Pi / 2);
    TAniDataList Plan;
    Plan.push_back(std::make_unique<TAniDataRackDriveConJoint>(A, R.Drive, TVirtualJoints{}));
    Plan.push_back(std::make_unique<TAniDataSliderJoint>(Pin, A, B, C, TVirtualJoints{&Virtual}));
    Plan.push_back(std::make_unique<TAniDataCrossjointSlider>(K, Virtual, B, C, TVirtualJoints{}));
    const struct {
        int Position;
        TMMPoint A, Pin, K;
    } Expected[] = {{1, {-10, 0}, {16, 0}, {16, 5}}, {0, {0, 10}, {24, 0}, {24, 5}}};
    for (const auto& E : Expected) {
        SCOPED_TRACE(E.Position);
        for (const auto& Step : Plan)
            ASSERT_TRUE(Step->Calculate(E.Position));
        ExpectAt(A, E.A);
        ExpectAt(Pin, E.Pin);
        ExpectAt(Virtual, E.Pin);
        ExpectAt(K, E.K);
    }
}
} // namespace
