#include "support/BuilderChecks.h"

#include <gtest/gtest.h>

void TCheckedBuilder::Failed(const std::string& What) {
    TMechanismBuilder::Failed(What);
    ADD_FAILURE() << What;
}

void ExpectAt(const TJoint& J, double X, double Y) {
    EXPECT_NEAR(J.X(), X, Eps) << "joint " << J.ID();
    EXPECT_NEAR(J.Y(), Y, Eps) << "joint " << J.ID();
}
