// The kinematic planner: decides whether the drawn mechanism can be animated and orders one solver
// step per moving joint, each reading only frame joints and joints placed by earlier steps; then
// solves gear positions by running the steps in that order. The construction rules live in
// uTAniGearRules.cpp.
#pragma once

#include "gear/uAniData.h"
#include "gear/uGearPart.h"

#include <array>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class TAniGear {
public:
    explicit TAniGear(TGearData& GearData);
    virtual ~TAniGear() = default;
    TAniGear(const TAniGear&) = delete;
    TAniGear& operator=(const TAniGear&) = delete;

    TGearData& GearData() const { return FGearData; }
    // The real moving joints that have no step yet.
    const TJointList& OpenJoints() const { return FOpenJoints; }
    // The plan, in solving order.
    const TAniDataList& Solvers() const { return FSolvers; }

    // Plans the mechanism anew; true when every moving joint got a step.
    bool BuildFrom();
    // Runs the plan for one gear position and stops at the first step that cannot place its
    // joint; true when all succeed (also for an empty plan).
    bool Calculate(int Position);

    // Degrees of freedom by the planar mobility count (the drives not counted in).
    int Mobility() const;

    // The searches of the rules, over the neighbours of J: the joints of J's links in their
    // order. A null exclusion excludes nothing.
    TJoint* FindFrameNeighbour(const TJoint& J, const TJoint* ExcludeJoint) const;
    TJoint* FindSolvedNeighbour(const TJoint& J, const TJoint* ExcludeJoint,
                                const TCustomLink* ExcludeLink) const;
    // A frame neighbour (ExcludeLink does not apply to it), else a solved one.
    TJoint* FindKnownNeighbour(const TJoint& J, const TJoint* ExcludeJoint,
                               const TCustomLink* ExcludeLink) const;
    // The virtual joints at J's place of every block J carries, moved along with J.
    TVirtualJoints GetVirtualJoints(const TJoint& J) const;

    // The lookups below answer for the mechanism as it was last planned, from indexes made for
    // that planning, so that a pass costs no scan of the whole model; they give what a plain
    // search over the model gives.
    // The first link of the model that holds both; nil when A is nil.
    virtual TCustomLink* FindLinkWithJoints(const TJoint* A, const TJoint* B) const;
    // The sliders whose slide link is Link, in the model's order.
    virtual const std::vector<TSlider*>& GetSlidersOnLink(const TCustomLink& Link) const;

protected:
    using TStep = std::unique_ptr<TAniData>;
    static constexpr int RuleCount = 13;

    virtual bool IsSolved(const TJoint* J) const;
    // The first sliding drive that names the slider as one of its links.
    virtual TDrive* SlidingDriveOn(const TSlider& S) const;
    // The first rotary drive, with a joint, between Link and the frame.
    virtual TDrive* RotaryDriveAgainstFrame(const TCustomLink& Link) const;
    // Places the open joints pass by pass, each joint meeting the rules in order.
    virtual void RunPasses();

    // Rule Index (0-based) applied to J: its step, or nil.
    TStep TryRule(int Index, TJoint& J) const;
    // Appends the step to the plan; its joint counts as solved from now on.
    void Adopt(TStep Step);
    TJointList& Open() { return FOpenJoints; }

private:
    // What the slider rules look at for a joint: its slider S, S's pin and slide link SL with
    // its first two joints. Every member may be nil.
    struct TSliderView {
        TSlider* Slider = nullptr;
        TJoint* Pin = nullptr;
        TLink* SlideLink = nullptr;
        TJoint* SL0 = nullptr;
        TJoint* SL1 = nullptr;
    };
    using TRule = TStep (TAniGear::*)(TJoint& J) const;

    bool IsFixedLink(const TCustomLink& Link) const;
    // A frame joint or a joint on a fixed link: it moves with the frame.
    bool IsOnFixedLink(const TJoint& J) const;
    bool IsKnown(const TJoint* J) const;
    TSliderView ViewSlider(const TJoint& J) const;
    // SL0 when known, else SL1 when known, else nil.
    TJoint* KnownEnd(const TSliderView& V) const;
    bool SlideLineKnown(const TSliderView& V) const;
    // The first known joint of the slider from index 2 on.
    TJoint* KnownCouplerPoint(const TSlider& S) const;
    // A known real joint of the link other than J and A: with A it gives the link's turn.
    const TJoint* KnownJointBesides(const TCustomLink& Link, const TJoint& J,
                                    const TJoint& A) const;
    // A solved neighbour reached through a link other than Skip, else a frame neighbour.
    TJoint* SolvedElseFrameNeighbour(const TJoint& J, const TCustomLink* Skip) const;
    void BuildIndexes();
    // The open joints whose rules may answer otherwise once J is solved: those on a link with J,
    // and those that reach J through a slider's virtual joint or a drive's joint.
    template <class TVisit> void ForEachDependent(const TJoint& J, TVisit Visit) const;

    // The construction rules, in the order they are tried.
    TStep RackDrive(TJoint& J) const;
    TStep SlidingDrive(TJoint& J) const;
    TStep PistonDriveAtPin(TJoint& J) const;
    TStep PistonDriveAtCouplerPoint(TJoint& J) const;
    TStep PistonDriveWithCouplerPoint(TJoint& J) const;
    TStep TwoKnownNeighbours(TJoint& J) const;
    TStep PinOnKnownSlideLine(TJoint& J) const;
    TStep JointOfSlideLink(TJoint& J) const;
    TStep KnownBaseOfLink(TJoint& J) const;
    TStep TwoKnownJointsOfLink(TJoint& J) const;
    TStep CouplerPointWithKnownPin(TJoint& J) const;
    TStep SliderPointFromCouplerPoint(TJoint& J) const;
    TStep CouplerPointWithKnownNeighbour(TJoint& J) const;
    static const std::array<TRule, RuleCount> Rules;

    TGearData& FGearData;
    TJointList FOpenJoints;
    TAniDataList FSolvers;
    // The indexes of one planning.
    std::unordered_set<const TJoint*> FSolved;
    std::unordered_map<const TCustomLink*, int> FLinkOrder;
    std::unordered_map<const TCustomLink*, std::vector<TSlider*>> FSlidersOnLink;
    std::unordered_map<const TCustomLink*, TDrive*> FSlidingDrives;
    std::unordered_map<const TCustomLink*, TDrive*> FFrameDrives;
    std::unordered_multimap<const TJoint*, const TDrive*> FDrivesAtJoint;
};
