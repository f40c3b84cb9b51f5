// The calculator: the checks before animation with their messages, and solving single positions.
#include "gear/uGearCalc.h"
#include "support/FakePlatform.h"
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

struct TGearCalcRig : TModelRig {
    TFakePlatform Platform;
    TGearCalculator Calculator{D()};

    const std::vector<TAskedMessage>& Asked() { return Platform.Scripted().Asked; }
};

struct TCheckRow {
    const char* Name;
    std::function<void(TGearCalcRig&)> Build;
    // The one message shown; empty when none is.
    std::string Message;
    bool CanCalculate;
};

void PrintTo(const TCheckRow& Row, std::ostream* Os) {
    *Os << Row.Name;
}

const std::string NoLinks = "Es sind keine Getriebeglieder vorhanden.";
const std::string NoDrive = "Es muss mindestens 1 Antrieb vorhanden sein!";
const std::string ZeroIntervals = "Es darf keine Antriebe mit 0 Intervallen geben!";
const std::string UnequalIntervals =
    "Die Antriebe haben eine unterschiedliche Anzahl an Intervallen.\r\nBitte korrigieren sie das!";

// A second drive with its own intervals, on the rocker's frame pivot.
void SecondDrive(TGearCalcRig& R, int First, int Second) {
    R.CrankRocker();
    R.Drive->SetIntervals(First);
    TDrive* Other = R.D().AddRotaryDrive(R.B0, true);
    ASSERT_NE(Other, nullptr);
    Other->SetIntervals(Second);
}

const std::vector<TCheckRow> CheckRows = {
    {"OnlyTheFrame", [](TGearCalcRig& R) { R.FrameJoint(0, 0); }, NoLinks, false},
    {"NoDrive",
     [](TGearCalcRig& R) {
         R.CrankRocker();
         R.D().RemoveDrive(R.Drive);
     },
     NoDrive, false},
    {"FirstDriveWithoutIntervals",
     [](TGearCalcRig& R) {
         R.CrankRocker();
         R.Drive->SetIntervals(0);
     },
     ZeroIntervals, false},
    {"TwentyAndTwentyFour", [](TGearCalcRig& R) { SecondDrive(R, 20, 24); }, UnequalIntervals,
     false},
    {"ZeroThenTwenty", [](TGearCalcRig& R) { SecondDrive(R, 0, 20); }, ZeroIntervals, false},
    {"TwentyThenZero", [](TGearCalcRig& R) { SecondDrive(R, 20, 0); }, UnequalIntervals, false},
    {"TwoDrivesAlikeFailThePlanSilently", [](TGearCalcRig& R) { SecondDrive(R, 20, 20); }, "",
     false},
    {"CrankRocker", [](TGearCalcRig& R) { R.CrankRocker(); }, "", true},
};

struct TGearCalcCheckTest : ::testing::TestWithParam<TCheckRow>, TGearCalcRig {};

TEST_P(TGearCalcCheckTest, ShowsTheFirstFailingCheckOnly) {
    const TCheckRow& Row = GetParam();
    Row.Build(*this);
    Calculator.Prepare();
    EXPECT_EQ(Calculator.CanCalculate(), Row.CanCalculate);
    if (Row.Message.empty()) {
        EXPECT_TRUE(Asked().empty());
        return;
    }
    ASSERT_EQ(Asked().size(), 1u);
    EXPECT_EQ(Asked()[0].Text, Row.Message);
    EXPECT_EQ(Asked()[0].Type, TMsgDlgType::mtInformation);
    EXPECT_EQ(Asked()[0].Buttons, TMsgDlgButtons{mbOK});
}

INSTANTIATE_TEST_SUITE_P(Checks, TGearCalcCheckTest, ::testing::ValuesIn(CheckRows),
                         [](const auto& Info) { return Info.param.Name; });

struct TGearCalcTest : ::testing::Test, TGearCalcRig {};

TEST_F(TGearCalcTest, FailedCheckTakesBackAnEarlierSuccess) {
    CrankRocker();
    Calculator.Prepare();
    ASSERT_TRUE(Calculator.CanCalculate());
    Drive->SetIntervals(0);
    Calculator.Prepare();
    EXPECT_FALSE(Calculator.CanCalculate());
    EXPECT_FALSE(Calculator.Calculate(0));
}

TEST_F(TGearCalcTest, PositionsRunFromZeroBelowTheIntervals) {
    CrankRocker();
    Drive->SetIntervals(4); // five values, four positions
    for (int I = 0; I <= 4; ++I)
        Drive->SetValue(I, I * std::numbers::pi / 2);
    EXPECT_FALSE(Calculator.Calculate(0)); // not prepared yet
    Calculator.Prepare();
    ASSERT_TRUE(Calculator.CanCalculate());
    EXPECT_FALSE(Calculator.Calculate(-1));
    EXPECT_FALSE(Calculator.Calculate(4));
    ASSERT_TRUE(Calculator.Calculate(2));
    ExpectAt(A, 0, -10);
    ASSERT_TRUE(Calculator.Calculate(3));
    ExpectAt(A, 10, 0);
}

TEST_F(TGearCalcTest, DriveRemovedAfterPrepareSolvesNothing) {
    CrankRocker();
    Calculator.Prepare();
    ASSERT_TRUE(Calculator.CanCalculate());
    D().RemoveDrive(Drive);
    EXPECT_FALSE(Calculator.Calculate(0));
}

} // namespace
