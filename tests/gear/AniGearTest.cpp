// The kinematic planner on mechanisms drawn by coordinates: the mobility count, which step places
// which joint and in what order, and the positions the plan computes.
#include "AniGearRig.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <map>
#include <numbers>
#include <optional>
#include <ostream>
#include <string>
#include <typeinfo>
#include <vector>

namespace {

using namespace AniGearRig;

struct TAniGearTest : ::testing::Test, TAniGearRig {};

TEST_F(TAniGearTest, CrankRockerIsPlannedCrankFirstThenTheDyad) {
    CrankRocker();
    EXPECT_EQ(Gear.Mobility(), 1);
    ASSERT_TRUE(Gear.BuildFrom());
    EXPECT_TRUE(Gear.OpenJoints().Empty());
    EXPECT_EQ(Plan(), (TPlan{By<TAniDataRackDriveConJoint>(A), By<TAniDataJointByTwoOthers>(B)}));
}

TEST_F(TAniGearTest, SecondDriveFailsTheCountAndDropsTheOldPlan) {
    CrankRocker();
    ASSERT_TRUE(Gear.BuildFrom());
    ASSERT_NE(D().AddRotaryDrive(B0, true), nullptr);
    EXPECT_FALSE(Gear.BuildFrom());
    EXPECT_TRUE(Gear.Solvers().empty());
    EXPECT_TRUE(Gear.OpenJoints().Empty());
    EXPECT_TRUE(Gear.Calculate(0)); // the empty plan solves every position
}

TEST_F(TAniGearTest, DriveBetweenTwoMovingLinksPlacesNothing) {
    A0 = FrameJoint(0, 0);
    A = Joint(0, 10);
    Crank = Link({A0, A});
    B0 = FrameJoint(45, 0);
    B = Joint(24, 28);
    Link({A, B});
    Link({B0, B});
    ASSERT_NE(D().AddRotaryDrive(A, true), nullptr); // crank against coupler
    EXPECT_EQ(Gear.Mobility(), 1);
    EXPECT_FALSE(Gear.BuildFrom());
    EXPECT_TRUE(Gear.Solvers().empty());
    ASSERT_EQ(Gear.OpenJoints().Count(), 2);
    EXPECT_EQ(Gear.OpenJoints().Items(0), A);
    EXPECT_EQ(Gear.OpenJoints().Items(1), B);
}

TEST_F(TAniGearTest, RotaryDriveWithoutJointTurnsNothing) {
    CrankRocker();
    Drive->SetJoint(nullptr);
    EXPECT_FALSE(Gear.BuildFrom());
    EXPECT_TRUE(Gear.Solvers().empty());
    EXPECT_EQ(Gear.OpenJoints().Count(), 2);
}

TEST_F(TAniGearTest, RotaryDriveNamingTheBlockDoesNotSlideIt) {
    SliderCrank(true);
    Drive->SetDriveType(dtRotary); // as a damaged file may hold it
    EXPECT_FALSE(Gear.BuildFrom());
    EXPECT_TRUE(Gear.Solvers().empty());
}

TEST_F(TAniGearTest, TriadCannotBePlacedAndStaysOpen) {
    // A crank driving one corner of a plate whose other corners hang on two frame rockers.
    A0 = FrameJoint(0, 0);
    A = Joint(0, 10);
    Crank = Link({A0, A});
    TJoint* P1 = Joint(20, 30);
    TJoint* P2 = Joint(40, 30);
    TJoint* P3 = Joint(30, 45);
    Link({P1, P2, P3});
    Link({FrameJoint(20, 0), P1});
    Link({FrameJoint(50, 0), P2});
    Link({A, P3});
    D().AddRotaryDrive(A0, true);
    RememberDrawing();

    EXPECT_EQ(Gear.Mobility(), 1);
    EXPECT_FALSE(Gear.BuildFrom());
    EXPECT_EQ(Plan(), (TPlan{By<TAniDataRackDriveConJoint>(A)}));
    ASSERT_EQ(Gear.OpenJoints().Count(), 3);
    EXPECT_EQ(Gear.OpenJoints().Items(0), P1);
    EXPECT_TRUE(AtDrawnPlaces()); // planning moves nothing
}

TEST_F(TAniGearTest, JointOnAFixedPlateCountsAsAFramePivot) {
    PlateFixedCrankRocker();
    EXPECT_EQ(Gear.Mobility(), 1);
    ASSERT_TRUE(Gear.BuildFrom());
    EXPECT_EQ(Plan(), (TPlan{By<TAniDataCrossjoint>(B0), By<TAniDataRackDriveConJoint>(A),
                             By<TAniDataJointByTwoOthers>(B)}));
}

TEST_F(TAniGearTest, JointMovingUpAfterARuleFiredWaitsForTheNextPass) {
    // Open joints B0, A, B, Z. A moves up when B0 is placed by a known base and then only meets
    // the rules after that one, so Z, also on the crank, is turned before A.
    PlateFixedCrankRocker();
    TJoint* Z = Joint(5, 5);
    Crank->AddJoint(Z);
    ASSERT_TRUE(Gear.BuildFrom());
    EXPECT_EQ(Plan(), (TPlan{By<TAniDataCrossjoint>(B0), By<TAniDataRackDriveConJoint>(Z),
                             By<TAniDataRackDriveConJoint>(A), By<TAniDataJointByTwoOthers>(B)}));
}

TEST_F(TAniGearTest, SixBarPlacesTheKneeInTheSecondPass) {
    SixBar();
    ASSERT_TRUE(Gear.BuildFrom());
    EXPECT_EQ(Plan(), (TPlan{By<TAniDataRackDriveConJoint>(A), By<TAniDataJointByTwoOthers>(B),
                             By<TAniDataCrossjoint>(C), By<TAniDataCrossjoint>(E),
                             By<TAniDataJointByTwoOthers>(Knee)}));
}

TEST_F(TAniGearTest, SixBarSolvesEveryDegreeAndKeepsItsShape) {
    SixBar();
    RememberDrawing();
    Drive->SetIntervals(359);
    for (int I = 0; I < 360; ++I)
        Drive->SetValue(I, I * Pi / 180);
    ASSERT_TRUE(Gear.BuildFrom());
    for (int I = 0; I < 360; ++I) {
        SCOPED_TRACE(I);
        ASSERT_TRUE(Gear.Calculate(I));
        EXPECT_TRUE(KeepsItsShape());
    }
    ASSERT_TRUE(Gear.Calculate(0));
    EXPECT_TRUE(AtDrawnPlaces());
    ASSERT_TRUE(Gear.Calculate(180));
    EXPECT_NEAR(Knee->X(), 179.0 / 17, Tol);
    EXPECT_NEAR(Knee->Y(), 852.0 / 17, Tol);
    ASSERT_TRUE(Gear.Calculate(90));
    EXPECT_NEAR(Knee->X(), 18.09242261314517, Tol);
    EXPECT_NEAR(Knee->Y(), 58.34902436167388, Tol);
}

TEST_F(TAniGearTest, SliderCrankOnAFixedGuidePlacesThePinOnTheGuide) {
    SliderCrank(false);
    EXPECT_EQ(Gear.Mobility(), 1);
    ASSERT_TRUE(Gear.BuildFrom());
    EXPECT_EQ(Plan(), (TPlan{By<TAniDataRackDriveConJoint>(A), By<TAniDataSliderJoint>(BlockPin)}));
    EXPECT_EQ(Gear.Solvers()[1]->VirtualJoints(), TVirtualJoints{Virtual(Block)});
}

TEST_F(TAniGearTest, SlidingDrivePlacesThePinBeforeTheCrank) {
    SliderCrank(true);
    ASSERT_TRUE(Gear.BuildFrom());
    EXPECT_EQ(Plan(),
              (TPlan{By<TAniDataSliderDriveJoint>(BlockPin), By<TAniDataJointByTwoOthers>(A)}));
}

TEST_F(TAniGearTest, FailingPositionStopsAtTheStepThatCannotPlaceItsJoint) {
    SliderCrank(true);
    TJoint* Tip = Joint(-5, 5); // on the crank, placed after its end
    Crank->AddJoint(Tip);
    SetValues(Drive, {0, 6000, 13000});
    ASSERT_TRUE(Gear.BuildFrom());
    ASSERT_EQ(Gear.Solvers().size(), 3u);
    ASSERT_TRUE(Gear.Calculate(1));
    const TMMPoint CrankEnd = A->Position(), TipAt = Tip->Position();

    EXPECT_FALSE(Gear.Calculate(2));
    EXPECT_NEAR(BlockPin->X(), 37, Tol); // placed before the crank failed
    EXPECT_NEAR(Virtual(Block)->X(), 37, Tol);
    EXPECT_EQ(A->Position(), CrankEnd);
    EXPECT_EQ(Tip->Position(), TipAt); // never reached
}

TEST_F(TAniGearTest, SearchesFollowLinksInOrder) {
    SliderCrank(false);
    ASSERT_TRUE(Gear.BuildFrom());
    EXPECT_EQ(Gear.GetVirtualJoints(*BlockPin), TVirtualJoints{Virtual(Block)});
    EXPECT_TRUE(Gear.GetVirtualJoints(*A).empty());
    EXPECT_EQ(Gear.GetSlidersOnLink(*Guide), std::vector<TSlider*>{Block});
    EXPECT_TRUE(Gear.GetSlidersOnLink(*Crank).empty());
    EXPECT_EQ(Gear.FindLinkWithJoints(A, BlockPin), Coupler);
    EXPECT_EQ(Gear.FindLinkWithJoints(nullptr, BlockPin), nullptr);
    EXPECT_EQ(Gear.FindFrameNeighbour(*A, nullptr), A0);
    EXPECT_EQ(Gear.FindFrameNeighbour(*A, A0), nullptr);
    EXPECT_EQ(Gear.FindSolvedNeighbour(*BlockPin, nullptr, nullptr), A);
    EXPECT_EQ(Gear.FindSolvedNeighbour(*BlockPin, nullptr, Coupler), nullptr);
    EXPECT_EQ(Gear.FindKnownNeighbour(*A, nullptr, Crank), A0); // frame first, link or not
    EXPECT_EQ(Gear.FindKnownNeighbour(*A, A0, nullptr), BlockPin);
}

TEST_F(TAniGearTest, VirtualJointOffThePinIsNotPassedOn) {
    SliderCrank(false);
    Virtual(Block)->SetX(25);
    EXPECT_TRUE(Gear.GetVirtualJoints(*BlockPin).empty());
}

// One mechanism per row: the drive's values and where the probe joint goes at each, none where
// the mechanism cannot be assembled.
struct TMotionRow {
    const char* Name;
    TJoint* (*Build)(TAniGearRig& R);
    std::vector<double> Values;
    std::vector<std::optional<TMMPoint>> Expected;
};

void PrintTo(const TMotionRow& Row, std::ostream* Os) {
    *Os << Row.Name;
}

struct TAniGearMotionTest : ::testing::TestWithParam<TMotionRow>, TAniGearRig {};

TEST_P(TAniGearMotionTest, DrawnAtZeroShapeKeptProbeWhereExpected) {
    const TMotionRow& Row = GetParam();
    TJoint* Probe = Row.Build(*this);
    RememberDrawing();
    Drive->SetIntervals(static_cast<int>(Row.Values.size()) - 1);
    for (std::size_t I = 0; I < Row.Values.size(); ++I)
        Drive->SetValue(static_cast<int>(I), Row.Values[I]);
    ASSERT_TRUE(Gear.BuildFrom());
    ASSERT_TRUE(Gear.Calculate(0));
    EXPECT_TRUE(AtDrawnPlaces());
    for (std::size_t I = 0; I < Row.Values.size(); ++I) {
        SCOPED_TRACE(I);
        const std::optional<TMMPoint>& Want = Row.Expected[I];
        ASSERT_EQ(Gear.Calculate(static_cast<int>(I)), Want.has_value());
        if (!Want)
            continue;
        EXPECT_NEAR(Probe->X(), Want->X, Tol);
        EXPECT_NEAR(Probe->Y(), Want->Y, Tol);
        EXPECT_TRUE(KeepsItsShape());
    }
}

// B of the crank-rocker, on the rocker circle about (45, 0) of radius 35.
TMMPoint RockerEnd(double X) {
    return {X, std::sqrt(35 * 35 - (45 - X) * (45 - X))};
}

const std::vector<double> QuarterTurns = {0, Pi / 2, Pi, 3 * Pi / 2};
const std::vector<std::optional<TMMPoint>> CrankRockerB = {TMMPoint{24, 28}, RockerEnd(160.0 / 11),
                                                           TMMPoint{240.0 / 17, 280.0 / 17},
                                                           RockerEnd(160.0 / 7)};

INSTANTIATE_TEST_SUITE_P(
    Mechanisms, TAniGearMotionTest,
    ::testing::
        Values(
            TMotionRow{"CrankRocker",
                       [](TAniGearRig& R) {
                           R.CrankRocker();
                           return R.B;
                       },
                       QuarterTurns, CrankRockerB},
            TMotionRow{"RockerPivotOnFixedPlate",
                       [](TAniGearRig& R) {
                           R.PlateFixedCrankRocker();
                           return R.B;
                       },
                       QuarterTurns, CrankRockerB},
            TMotionRow{"SliderCrank",
                       [](TAniGearRig& R) {
                           R.SliderCrank(false);
                           return R.BlockPin;
                       },
                       QuarterTurns,
                       {TMMPoint{24, 0}, TMMPoint{16, 0}, TMMPoint{24, 0}, TMMPoint{36, 0}}},
            TMotionRow{"SlidingDriveMovesPin",
                       [](TAniGearRig& R) {
                           R.SliderCrank(true);
                           return R.BlockPin;
                       },
                       {0, 6000, -3000},
                       {TMMPoint{24, 0}, TMMPoint{30, 0}, TMMPoint{21, 0}}},
            TMotionRow{"SlidingDriveCrankEnd",
                       [](TAniGearRig& R) {
                           R.SliderCrank(true);
                           return R.A;
                       },
                       {0, 6000, 13000, -9000},
                       {TMMPoint{0, 10}, TMMPoint{5.4, std::sqrt(100 - 5.4 * 5.4)}, std::nullopt,
                        std::nullopt}},
            TMotionRow{"QuickReturnLever",
                       [](TAniGearRig& R) {
                           R.QuickReturn();
                           return R.C;
                       },
                       {0, Pi / 2, Pi},
                       {TMMPoint{20, 30}, TMMPoint{0, std::sqrt(4000.0) - 30}, TMMPoint{-20, 30}}},
            TMotionRow{"HydraulicCylinderPin",
                       [](TAniGearRig& R) {
                           R.HydraulicCylinder();
                           return R.BlockPin;
                       },
                       {0, -10000, 25000},
                       {TMMPoint{40, 30}, TMMPoint{28.75, std::sqrt(773.4375)}, std::nullopt}},
            TMotionRow{"HydraulicCylinderHub",
                       [](TAniGearRig& R) {
                           R.HydraulicCylinder();
                           return R.Hub;
                       },
                       {0, -10000},
                       {TMMPoint{24, 18}, TMMPoint{21.5625, 0.75 * std::sqrt(773.4375)}}},
            TMotionRow{
                "Parallelogram",
                [](TAniGearRig& R) {
                    R.Parallelogram();
                    return R.B;
                },
                {0, Pi / 4, -Pi / 3},
                {TMMPoint{30, 10},
                 TMMPoint{30 + 10 * std::cos(3 * Pi / 4), 10 * std::sin(3 * Pi / 4)},
                 TMMPoint{30 + 10 * std::cos(Pi / 6), 10 * std::sin(Pi / 6)}}}),
    [](const ::testing::TestParamInfo<TMotionRow>& Info) { return Info.param.Name; });

} // namespace
