// The mechanism builder reports a part it cannot make by its result; the tests' builder also
// fails the running test.
#include "gear/uGearData.h"
#include "support/BuilderChecks.h"
#include "support/PreferencesFixture.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

TEST(TMechanismBuilderFailures, ADriveThatCannotBeMadeIsNullAndKeepsItsReason) {
    TPreferencesFixture Prefs;
    TGearData Model;
    TMechanismBuilder Loose;
    TMechanismBuilder Modelled(Model);
    for (TMechanismBuilder* Build : {&Loose, &Modelled}) {
        SCOPED_TRACE(Build == &Loose ? "loose parts" : "through the model");
        TJoint* J = Build->Joint(0, 0);
        Build->Link({J, Build->Joint(10, 0)});
        EXPECT_EQ(Build->RotaryDrive(J), nullptr);
        ASSERT_EQ(Build->Failures().size(), 1u);
        EXPECT_NE(Build->Failures().front().find("rotary drive"), std::string::npos);
    }
    EXPECT_EQ(Model.Drives().Count(), 0);
}

TEST(TMechanismBuilderFailures, TheTestsBuilderFailsTheTest) {
    EXPECT_NONFATAL_FAILURE(
        {
            TCheckedBuilder Build;
            TJoint* J = Build.Joint(0, 0);
            Build.RotaryDrive(J);
        },
        "a rotary drive needs two links");
}

} // namespace
