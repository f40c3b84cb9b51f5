// The calculator of the mechanism component: checks whether the mechanism can be animated at all,
// telling the user each reason it cannot, has the planner build its solving plan, and solves one
// gear position on request.
#pragma once

#include "gear/uTAniGear.h"

class TGearData;

class TGearCalculator {
public:
    explicit TGearCalculator(TGearData& GearData);
    TGearCalculator(const TGearCalculator&) = delete;
    TGearCalculator& operator=(const TGearCalculator&) = delete;

    TGearData& GearData() const { return FGearData; }
    const TAniGear& Planner() const { return FPlanner; }
    // The last Prepare succeeded.
    bool CanCalculate() const { return FCanCalculate; }

    // Runs the checks in order; the first that fails shows its message and leaves CanCalculate
    // false. When all pass the planner plans, silently: its owner reports a failed plan.
    void Prepare();
    // Solves gear position Position (0 to the first drive's Intervals - 1) into the joints.
    bool Calculate(int Position);

private:
    // The message of the first check that fails; empty when all pass.
    const char* FailedCheck() const;

    TGearData& FGearData;
    TAniGear FPlanner;
    bool FCanCalculate = false;
};
