// The planner's passes against a literal reading of them on random mechanisms: every slot of
// every pass tried against the rules in order, with plain searches over the whole model. Both
// must give the same plan, step by step, and leave the same joints open.
#include "AniGearRig.h"
#include "RandomMechanism.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace AniGearRig;

class TLiteralAniGear : public TAniGear {
public:
    using TAniGear::TAniGear;

    TCustomLink* FindLinkWithJoints(const TJoint* A, const TJoint* B) const override {
        if (!A)
            return nullptr;
        for (TCustomLink* L : GearData().Links())
            if (L->Joints().Contains(A) && L->Joints().Contains(B))
                return L;
        return nullptr;
    }
    const std::vector<TSlider*>& GetSlidersOnLink(const TCustomLink& Link) const override {
        FSliders.clear();
        for (TCustomLink* L : GearData().Links())
            if (auto* S = dynamic_cast<TSlider*>(L); S && S->SlideLink() == &Link)
                FSliders.push_back(S);
        return FSliders;
    }

protected:
    bool IsSolved(const TJoint* J) const override {
        return std::any_of(Solvers().begin(), Solvers().end(),
                           [J](const TStep& Step) { return &Step->Joint() == J; });
    }
    TDrive* SlidingDriveOn(const TSlider& S) const override {
        for (TDrive* D : GearData().Drives())
            if ((D->Link0() == &S || D->Link1() == &S) && D->DriveType() == dtSliding)
                return D;
        return nullptr;
    }
    TDrive* RotaryDriveAgainstFrame(const TCustomLink& L) const override {
        const auto IsFrame = [](const TCustomLink* F) { return dynamic_cast<const TRack*>(F); };
        for (TDrive* D : GearData().Drives())
            if (((D->Link0() == &L && IsFrame(D->Link1())) ||
                 (D->Link1() == &L && IsFrame(D->Link0()))) &&
                D->DriveType() == dtRotary && D->GetJoint())
                return D;
        return nullptr;
    }
    void RunPasses() override {
        int Last = 0;
        while (Open().Count() != Last) {
            Last = Open().Count();
            for (int I = 0; I < Open().Count(); ++I)
                for (int Rule = 0; Rule < RuleCount; ++Rule) {
                    if (I >= Open().Count())
                        continue;
                    if (TStep Step = TryRule(Rule, *Open().Items(I))) {
                        Adopt(std::move(Step));
                        Open().Delete(I);
                    }
                }
        }
    }

private:
    mutable std::vector<TSlider*> FSliders;
};

using TSteps = std::vector<std::pair<std::string, const TJoint*>>;

TSteps StepsOf(const TAniGear& Gear) {
    TSteps Steps;
    for (const auto& Step : Gear.Solvers())
        Steps.emplace_back(typeid(*Step).name(), &Step->Joint());
    return Steps;
}

std::vector<const TJoint*> OpenOf(const TAniGear& Gear) {
    return {Gear.OpenJoints().begin(), Gear.OpenJoints().end()};
}

TEST(AniGearPlanTest, PlanEqualsTheLiteralPassesOnRandomMechanisms) {
    int Planned = 0, Stuck = 0;
    for (unsigned Seed = 1; Seed <= 300; ++Seed) {
        SCOPED_TRACE("seed " + std::to_string(Seed));
        TAniGearRig Rig;
        TRandomMechanism(Rig, Seed).Draw(3 + static_cast<int>(Seed % 12));
        TLiteralAniGear Literal(Rig.D());
        const bool LiteralResult = Literal.BuildFrom();
        const bool Result = Rig.Gear.BuildFrom();
        ASSERT_EQ(Result, LiteralResult);
        ASSERT_EQ(StepsOf(Rig.Gear), StepsOf(Literal));
        ASSERT_EQ(OpenOf(Rig.Gear), OpenOf(Literal));
        for (std::size_t I = 0; I < Literal.Solvers().size(); ++I)
            ASSERT_EQ(Rig.Gear.Solvers()[I]->VirtualJoints(),
                      Literal.Solvers()[I]->VirtualJoints());
        (Result ? Planned : Stuck) += Literal.Solvers().empty() ? 0 : 1;
    }
    // The sample reaches both outcomes with steps made, or it would show little.
    EXPECT_GT(Planned, 30);
    EXPECT_GT(Stuck, 30);
}

} // namespace
