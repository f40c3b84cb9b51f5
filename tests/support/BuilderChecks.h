// The mechanism builder as the tests use it: a part that cannot be made fails the running test.
// Also the shared check of a joint's position.
#pragma once

#include "support/MechanismBuilder.h"

#include <string>

class TCheckedBuilder : public TMechanismBuilder {
public:
    using TMechanismBuilder::TMechanismBuilder;

protected:
    void Failed(const std::string& What) override;
};

// The tolerance for positions that come out of a computation.
inline constexpr double Eps = 1e-9;

// Expects the joint at (X, Y) within Eps.
void ExpectAt(const TJoint& J, double X, double Y);
inline void ExpectAt(const TJoint* J, double X, double Y) {
    ExpectAt(*J, X, Y);
}
