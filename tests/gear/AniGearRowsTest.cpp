// The planner's rows against the independent solve on random mechanisms with blocks: every row
// the plan solves must put every joint where the rigid bodies, the pins and the blocks on their
// slide lines put it, whatever order the joints and blocks were drawn in.
#include "AniGearRig.h"
#include "RandomMechanism.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace AniGearRig;

// Small values of both signs, so that most positions stay within reach of the drawing.
void SetSmallValues(TGearData& Data) {
    for (TDrive* Drive : Data.Drives())
        if (Drive->DriveType() == dtSliding)
            TAniGearRig::SetValues(Drive, {0, 3000, -3000, 9000, -9000, 16000});
        else
            TAniGearRig::SetValues(Drive, {0, 0.15, -0.15, 0.5, -0.5, 0.9});
}

TEST(AniGearRowsTest, RowsAgreeWithTheIndependentSolveOnRandomMechanisms) {
    int Compared = 0, OnTwoBlocks = 0;
    for (unsigned Seed = 1; Seed <= 400; ++Seed) {
        SCOPED_TRACE("seed " + std::to_string(Seed));
        TAniGearRig Rig;
        TRandomMechanism(Rig, Seed).Draw(2 + static_cast<int>(Seed % 9));
        SetSmallValues(Rig.D());
        if (!TAniGear(Rig.D()).BuildFrom())
            continue;
        TAniGearRig::TRowCount Count;
        ASSERT_TRUE(Rig.RowsMoveAsDrawn(&Count, 1e-8));
        if (Count.Compared == 0)
            continue;
        ++Compared;
        for (const auto& Step : Rig.Gear.Solvers())
            OnTwoBlocks += Step->VirtualJoints().size() > 1 ? 1 : 0;
    }
    // The sample reaches many planned mechanisms that the independent solve can follow, joints
    // on two blocks among them.
    EXPECT_GT(Compared, 100);
    EXPECT_GT(OnTwoBlocks, 5);
}

} // namespace
