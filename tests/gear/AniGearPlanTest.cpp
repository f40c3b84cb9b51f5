// The planner's passes against a literal reading of them on random mechanisms: every slot of
// every pass tried against the rules in order, with plain searches over the whole model. Both
// must give the same plan, step by step, and leave the same joints open.
#include "AniGearRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
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

// A mechanism drawn from random groups, each keeping the count of freedoms equal to the count
// of drives, so that planning gets past the mobility count; the joints join the model in a
// shuffled order, which decides the passes.
class TRandomMechanism {
public:
    TRandomMechanism(TAniGearRig& Rig, unsigned Seed) : FRig(Rig), FRandom(Seed) {}

    void Draw(int Groups) {
        AddCrank();
        for (int G = 0; G < Groups; ++G) {
            FEarlier = static_cast<int>(FPoints.size());
            switch (Pick(7)) {
            case 0:
                AddCrank();
                break;
            case 1:
            case 2:
                AddDyad();
                break;
            case 3:
                AddCouplerPoint();
                break;
            case 4:
                AddSliderDyad();
                break;
            case 5:
                AddCylinder();
                break;
            default:
                AddDyad();
                break;
            }
        }
        Realise();
    }

private:
    struct TPoint {
        double X, Y;
        bool Frame;
    };
    struct TBlock {
        int Link, Pin;
        std::vector<int> Couplers;
        bool Driven;
    };

    int Pick(int N) { return std::uniform_int_distribution<int>(0, N - 1)(FRandom); }
    double Coordinate() { return std::uniform_real_distribution<double>(-100, 100)(FRandom); }
    int NewPoint(bool Frame) {
        FPoints.push_back({Coordinate(), Coordinate(), Frame});
        return static_cast<int>(FPoints.size()) - 1;
    }
    // A point drawn before the group being added.
    int AnyPoint() { return Pick(FEarlier); }
    int AnyLink() { return Pick(static_cast<int>(FLinks.size())); }
    // A point on the line of the link's first two joints, where a block's pin stands.
    int PointOnLink(int Link) {
        const TPoint& A = FPoints[FLinks[Link][0]];
        const TPoint& B = FPoints[FLinks[Link][1]];
        const double T = std::uniform_real_distribution<double>(-0.5, 1.5)(FRandom);
        FPoints.push_back({A.X + T * (B.X - A.X), A.Y + T * (B.Y - A.Y), false});
        return static_cast<int>(FPoints.size()) - 1;
    }

    void AddCrank() {
        const int Pivot = NewPoint(true);
        FCranks.push_back(static_cast<int>(FLinks.size()));
        FLinks.push_back({Pivot, NewPoint(false)});
    }
    void AddDyad() {
        const int P = AnyPoint();
        int Q = AnyPoint();
        if (Q == P)
            Q = NewPoint(true);
        const int N = NewPoint(false);
        FLinks.push_back({P, N});
        FLinks.push_back(Pick(2) ? std::vector<int>{Q, N} : std::vector<int>{N, Q});
    }
    void AddCouplerPoint() { FLinks[AnyLink()].push_back(NewPoint(false)); }
    void AddSliderDyad() {
        const int Link = AnyLink();
        const int Pin = PointOnLink(Link);
        FBlocks.push_back({Link, Pin, {}, false});
        FLinks.push_back({AnyPoint(), Pin});
        if (Pick(3) == 0)
            AddCouplerPointTo(FBlocks.back());
    }
    // A body about a known point with a free hub, pushed by a drive, its block hanging on a bar
    // at the pin or at a second block joint.
    void AddCylinder() {
        const int Body = static_cast<int>(FLinks.size());
        FLinks.push_back(Pick(2) ? std::vector<int>{AnyPoint(), NewPoint(false)}
                                 : std::vector<int>{NewPoint(false), AnyPoint()});
        const int Pin = PointOnLink(Body);
        FBlocks.push_back({Body, Pin, {}, true});
        int Hung = Pin;
        if (Pick(2)) {
            AddCouplerPointTo(FBlocks.back());
            Hung = FBlocks.back().Couplers.back();
        }
        FLinks.push_back({AnyPoint(), Hung});
    }
    void AddCouplerPointTo(TBlock& Block) { Block.Couplers.push_back(NewPoint(false)); }

    void Realise() {
        std::vector<int> Order(FPoints.size());
        for (std::size_t I = 0; I < Order.size(); ++I)
            Order[I] = static_cast<int>(I);
        std::shuffle(Order.begin(), Order.end(), FRandom);
        std::vector<TJoint*> Joints(FPoints.size());
        for (int I : Order)
            Joints[I] = FPoints[I].Frame ? FRig.FrameJoint(FPoints[I].X, FPoints[I].Y)
                                         : FRig.Joint(FPoints[I].X, FPoints[I].Y);
        std::vector<TLink*> Links;
        for (const std::vector<int>& L : FLinks) {
            Links.push_back(FRig.Link({Joints[L[0]], Joints[L[1]]}));
            for (std::size_t K = 2; K < L.size(); ++K)
                Links.back()->AddJoint(Joints[L[K]]);
        }
        for (const TBlock& B : FBlocks) {
            TSlider* S = FRig.SliderAt(Joints[B.Pin], Links[B.Link]);
            for (int K : B.Couplers)
                S->AddJoint(Joints[K]);
            if (B.Driven)
                FRig.D().AddSlidingDrive(S, true);
        }
        for (int Crank : FCranks)
            FRig.D().AddRotaryDrive(Links[Crank]->Joints().Items(0), true);
    }

    TAniGearRig& FRig;
    std::mt19937 FRandom;
    std::vector<TPoint> FPoints;
    std::vector<std::vector<int>> FLinks;
    std::vector<TBlock> FBlocks;
    std::vector<int> FCranks;
    int FEarlier = 0;
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
            ASSERT_EQ(Rig.Gear.Solvers()[I]->VirtualJoint(), Literal.Solvers()[I]->VirtualJoint());
        (Result ? Planned : Stuck) += Literal.Solvers().empty() ? 0 : 1;
    }
    // The sample reaches both outcomes with steps made, or it would show little.
    EXPECT_GT(Planned, 30);
    EXPECT_GT(Stuck, 30);
}

} // namespace
