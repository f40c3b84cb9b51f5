// The solver steps: each places one moving joint of the mechanism for one gear position from
// joints that are known by then. A step measures its constants (distances, angle offsets, the
// branch of a two-point construction) in the drawn position when it is made.
#pragma once

#include "gear/uTCircle.h"
#include "gear/uTStraightOne.h"
#include "surface/MMTypes.h"

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class TJoint;
class TDrive;
class TGearData;

// The virtual joints that lie at a joint's place, one for each block the joint carries.
using TVirtualJoints = std::vector<TJoint*>;

class TAniData {
public:
    TAniData(TJoint& Joint, TVirtualJoints VirtualJoints)
        : FJoint(Joint), FVirtualJoints(std::move(VirtualJoints)) {}
    virtual ~TAniData() = default;
    TAniData(const TAniData&) = delete;
    TAniData& operator=(const TAniData&) = delete;

    TJoint& Joint() const { return FJoint; }
    // The virtual joints of the joint's blocks that lie at the joint's place; they move along.
    const TVirtualJoints& VirtualJoints() const { return FVirtualJoints; }

    // Places the joint for gear position Position (0-based) with plain stores. False when the
    // construction has no solution there; the joint and its virtual joints then stay unchanged.
    virtual bool Calculate(int Position) = 0;

protected:
    void UpdateVirtualJoint();
    // J := P with plain stores and the virtual joints along; false (nothing moved) without P.
    bool Place(const std::optional<TMMPoint>& P);
    // The branch of a two-point construction that reproduces the drawn place of the joint.
    // Probe(Which) is the construction's point for that branch. A probe matches within 1e-10;
    // with FalseWins the false branch is preferred when both match. When neither matches (a
    // dead-centre drawing) the nearer probe is taken, and true when there is none.
    using TProbe = std::function<std::optional<TMMPoint>(bool Which)>;
    bool ChooseWhich(const TProbe& Probe, bool FalseWins = false) const;

private:
    TJoint& FJoint;
    TVirtualJoints FVirtualJoints;
};

// The plan, in solving order; it owns its steps.
using TAniDataList = std::vector<std::unique_ptr<TAniData>>;

// A point held rigidly in the frame with origin A whose x axis points from From to To: its drawn
// distance from A and its drawn angle against that direction stay. Kept as frame coordinates, so
// placing it needs no trigonometry.
class TRigidPlacement {
public:
    TRigidPlacement(const TJoint& Joint, const TJoint& A, const TJoint& From, const TJoint& To);
    TMMPoint Place() const;

private:
    const TJoint& FA;
    const TJoint& FFrom;
    const TJoint& FTo;
    long double FAlong;
    long double FLeft;
};

// Turned by a rotary drive about the drive's joint.
class TAniDataRackDriveConJoint : public TAniData {
public:
    TAniDataRackDriveConJoint(TJoint& Joint, const TDrive& Drive, TVirtualJoints VirtualJoints);
    bool Calculate(int Position) override;

private:
    const TDrive& FDrive;
    const TJoint* FCenter;
    // The drawn vector from the centre to the joint, which the drive value turns.
    long double FStartX = 0;
    long double FStartY = 0;
};

// The crossing of the circles about A and B through the joint.
class TAniDataJointByTwoOthers : public TAniData {
public:
    TAniDataJointByTwoOthers(TJoint& Joint, const TJoint& A, const TJoint& B,
                             TVirtualJoints VirtualJoints);
    bool Calculate(int Position) override;

private:
    TCircle FCircleA;
    TCircle FCircleB;
    bool FWhich;
};

// The crossing of the circle about C with the slide line L1 -> L2.
class TAniDataSliderJoint : public TAniData {
public:
    TAniDataSliderJoint(TJoint& Joint, const TJoint& C, const TJoint& L1, const TJoint& L2,
                        TVirtualJoints VirtualJoints);
    bool Calculate(int Position) override;

private:
    TStraightOne FLine;
    TCircle FCircle;
    bool FWhich;
};

// A joint of a slide link, kept at its drawn place relative to the ray from A through the slider
// pin B; or, when the link has a second known joint Guide, rigidly against the line A -> Guide,
// since the ray turns round when the block passes A.
class TAniDataJointBySlider : public TAniData {
public:
    TAniDataJointBySlider(TJoint& Joint, const TJoint& A, const TJoint& B, const TJoint* Guide,
                          TVirtualJoints VirtualJoints);
    bool Calculate(int Position) override;

private:
    TRigidPlacement FPlacement;
};

// Rigidly fixed to the line A -> B.
class TAniDataCrossjoint : public TAniData {
public:
    TAniDataCrossjoint(TJoint& Joint, const TJoint& A, const TJoint& B,
                       TVirtualJoints VirtualJoints);
    bool Calculate(int Position) override;

private:
    TRigidPlacement FPlacement;
};

// Turns about the slider's virtual joint A with the slide line B -> C.
class TAniDataCrossjointSlider : public TAniData {
public:
    TAniDataCrossjointSlider(TJoint& Joint, const TJoint& A, const TJoint& B, const TJoint& C,
                             TVirtualJoints VirtualJoints);
    bool Calculate(int Position) override;

private:
    TRigidPlacement FPlacement;
};

// Kept at its distance from the known coupler point A, turning with the slide line B -> C.
class TAniDataSliderByCrosspointStraightOne : public TAniData {
public:
    TAniDataSliderByCrosspointStraightOne(TJoint& Joint, const TJoint& A, const TJoint& B,
                                          const TJoint& C, TVirtualJoints VirtualJoints);
    bool Calculate(int Position) override;

private:
    TRigidPlacement FPlacement;
};

// Keeps its sideways offset from the slide line L1 -> L2 and its distance from N.
class TAniDataCrosspointSliderByStraightOne : public TAniData {
public:
    TAniDataCrosspointSliderByStraightOne(TJoint& Joint, const TJoint& N, const TJoint& L1,
                                          const TJoint& L2, TVirtualJoints VirtualJoints);
    bool Calculate(int Position) override;

private:
    TCircle FCircle;
    TStraightOne FLine;
    long double FOffset;
    bool FWhich;
};

// A slider pin moved by a sliding drive along the slide line of its slider (found in GearData).
class TAniDataSliderDriveJoint : public TAniData {
public:
    TAniDataSliderDriveJoint(TJoint& Joint, const TDrive& Drive, const TGearData& GearData,
                             TVirtualJoints VirtualJoints);
    bool Calculate(int Position) override;

private:
    const TDrive& FDrive;
    // Both missing when the joint's slider, its slide link or the drive joint is missing.
    std::optional<TCircle> FCircle;
    std::optional<TStraightOne> FLine;
    long double FBase = 0;
    bool FWhich = true;
};

// The axis along which a sliding drive moves a block, the way a positive value moves it, and the
// block's drawn distance from the drive joint. Without the drive's slider and slide link the axis
// points from the known end A of the slide line to the joint, which then counts as lying on the
// line, away from A.
struct TDrivenAxis {
    struct TSeen {
        long double Along, Across;
    };
    TDrivenAxis(const TJoint& Joint, const TJoint& A, const TDrive& Drive);
    // P - From in the axis frame, as drawn.
    TSeen Seen(const TJoint& P, const TJoint& From) const;
    long double UX = 1, UY = 0;
    long double SlideDistance = 0;
};

// The distance from the known end A of the slide line to a point of the block that a sliding
// drive moves: the point's foot on the line moves by the drive value, the way that lengthens the
// block's distance from the drive joint, and its sideways offset stays.
class TDrivenSlideRadius {
public:
    TDrivenSlideRadius(const TJoint& Joint, const TJoint& A, const TDrive& Drive);
    // None where the block would have to pass the drive joint.
    std::optional<long double> At(int Position) const;

private:
    const TDrive& FDrive;
    TDrivenAxis FAxis;
    TDrivenAxis::TSeen FSeen;
};

// A point of a block that a sliding drive moves, kept on the block from another point B of it
// that is placed already: A, the known end of the slide line, lies where the drive value puts it
// in the block's frame, and the block turns so that A and B stand where they are. Unlike two
// circles this has one answer, also when A, the point and B are in line.
class TDrivenBlockPlacement {
public:
    TDrivenBlockPlacement(const TJoint& Joint, const TJoint& A, const TJoint& B,
                          const TDrive& Drive);
    // None where the block would have to pass the drive joint, or A would stand on B.
    std::optional<TMMPoint> Place(int Position) const;

private:
    const TJoint& FA;
    const TJoint& FB;
    const TDrive& FDrive;
    TDrivenAxis FAxis;
    TDrivenAxis::TSeen FBSeen;     // B - A in the axis frame, as drawn
    TDrivenAxis::TSeen FJointSeen; // the joint - B in the axis frame
};

// The crossing of a driven circle about A with the circle about B; or, when B is a point of the
// joint's own block, the joint kept on the block.
class TAniDataPistonDrive : public TAniData {
public:
    TAniDataPistonDrive(TJoint& Joint, const TDrive& Drive, const TJoint& A, const TJoint& B,
                        TVirtualJoints VirtualJoints);
    bool Calculate(int Position) override;

private:
    TCircle FCircleA;
    TCircle FCircleB;
    TDrivenSlideRadius FRadius;
    std::optional<TDrivenBlockPlacement> FOnBlock;
    bool FWhich;
};

// As TAniDataPistonDrive; A, the joint and B in line, the joint is kept on the block as well,
// where the circles would only touch.
class TAniDataPistonDriveSliderJointCrossJoint : public TAniData {
public:
    TAniDataPistonDriveSliderJointCrossJoint(TJoint& Joint, const TDrive& Drive, const TJoint& A,
                                             const TJoint& B, TVirtualJoints VirtualJoints);
    bool Calculate(int Position) override;

private:
    TCircle FCircleB;
    // Exactly one of the two: the driven circle, or the place on the block.
    std::optional<TCircle> FCircleA;
    std::optional<TDrivenBlockPlacement> FOnBlock;
    TDrivenSlideRadius FRadius;
    bool FWhich;
};
