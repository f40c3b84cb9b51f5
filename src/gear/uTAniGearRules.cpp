// The construction rules of the planner. Each looks at one open joint J and, when it can place J
// from known joints, returns the step that does; the first rule that applies wins.
#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uGearUtils.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uSlider.h"
#include "gear/uTAniGear.h"

const std::array<TAniGear::TRule, TAniGear::RuleCount> TAniGear::Rules = {
    &TAniGear::RackDrive,
    &TAniGear::SlidingDrive,
    &TAniGear::PistonDriveAtPin,
    &TAniGear::PistonDriveAtCouplerPoint,
    &TAniGear::PistonDriveWithCouplerPoint,
    &TAniGear::TwoKnownNeighbours,
    &TAniGear::PinOnKnownSlideLine,
    &TAniGear::JointOfSlideLink,
    &TAniGear::KnownBaseOfLink,
    &TAniGear::TwoKnownJointsOfLink,
    &TAniGear::CouplerPointWithKnownPin,
    &TAniGear::SliderPointFromCouplerPoint,
    &TAniGear::CouplerPointWithKnownNeighbour,
};

namespace {

TJoint* JointAt(const TCustomLink& Link, int Index) {
    return Index < Link.Joints().Count() ? Link.Joints().Items(Index) : nullptr;
}

} // namespace

TAniGear::TSliderView TAniGear::ViewSlider(const TJoint& J) const {
    TSliderView V;
    V.Slider = FGearData.FindSliderOfJoint(&J);
    if (!V.Slider)
        return V;
    V.Pin = JointAt(*V.Slider, 1);
    V.SlideLink = V.Slider->SlideLink();
    if (V.SlideLink) {
        V.SL0 = JointAt(*V.SlideLink, 0);
        V.SL1 = JointAt(*V.SlideLink, 1);
    }
    return V;
}

TJoint* TAniGear::KnownEnd(const TSliderView& V) const {
    if (IsKnown(V.SL0))
        return V.SL0;
    return IsKnown(V.SL1) ? V.SL1 : nullptr;
}

bool TAniGear::SlideLineKnown(const TSliderView& V) const {
    return V.SlideLink && IsKnown(V.SL0) && IsKnown(V.SL1);
}

TJoint* TAniGear::KnownCouplerPoint(const TSlider& S) const {
    for (int I = 2; I < S.Joints().Count(); ++I)
        if (IsKnown(S.Joints().Items(I)))
            return S.Joints().Items(I);
    return nullptr;
}

const TJoint* TAniGear::KnownJointBesides(const TCustomLink& Link, const TJoint& J,
                                          const TJoint& A) const {
    for (const TJoint* K : Link.Joints())
        if (K != &J && K != &A && !K->IsVirtual() && IsKnown(K))
            return K;
    return nullptr;
}

TJoint* TAniGear::SolvedElseFrameNeighbour(const TJoint& J, const TCustomLink* Skip) const {
    if (TJoint* K = FindSolvedNeighbour(J, nullptr, Skip))
        return K;
    return FindFrameNeighbour(J, nullptr);
}

TAniGear::TStep TAniGear::RackDrive(TJoint& J) const {
    // The step turns J about the drive's joint.
    for (const TCustomLink* L : J.Links())
        if (const TDrive* D = RotaryDriveAgainstFrame(*L))
            return std::make_unique<TAniDataRackDriveConJoint>(J, *D, GetVirtualJoints(J));
    return nullptr;
}

TAniGear::TStep TAniGear::SlidingDrive(TJoint& J) const {
    const TSliderView V = ViewSlider(J);
    if (!V.Slider || &J != V.Pin || !SlideLineKnown(V))
        return nullptr;
    const TDrive* D = SlidingDriveOn(*V.Slider);
    // The step measures the slide distance from the drive's joint, which must be in place.
    if (!D || !IsKnown(D->GetJoint()))
        return nullptr;
    return std::make_unique<TAniDataSliderDriveJoint>(J, *D, FGearData, GetVirtualJoints(J));
}

TAniGear::TStep TAniGear::PistonDriveAtPin(TJoint& J) const {
    const TSliderView V = ViewSlider(J);
    if (!V.Slider || &J != V.Pin || !V.SlideLink)
        return nullptr;
    const TDrive* D = SlidingDriveOn(*V.Slider);
    const TJoint* A = KnownEnd(V);
    const TJoint* B = SolvedElseFrameNeighbour(J, V.Slider);
    if (!D || !A || !B)
        return nullptr;
    return std::make_unique<TAniDataPistonDrive>(J, *D, *A, *B, GetVirtualJoints(J));
}

TAniGear::TStep TAniGear::PistonDriveAtCouplerPoint(TJoint& J) const {
    const TSliderView V = ViewSlider(J);
    if (!V.Slider || IsSolved(V.Pin) || V.Slider->Joints().IndexOf(&J) < 2 || !V.SlideLink)
        return nullptr;
    const TDrive* D = SlidingDriveOn(*V.Slider);
    const TJoint* A = KnownEnd(V);
    const TJoint* B = SolvedElseFrameNeighbour(J, nullptr);
    if (!D || !A || !B)
        return nullptr;
    return std::make_unique<TAniDataPistonDrive>(J, *D, *A, *B, GetVirtualJoints(J));
}

TAniGear::TStep TAniGear::PistonDriveWithCouplerPoint(TJoint& J) const {
    const TSliderView V = ViewSlider(J);
    if (!V.Slider || !V.SlideLink)
        return nullptr;
    const TJoint* B = KnownCouplerPoint(*V.Slider);
    const TDrive* D = SlidingDriveOn(*V.Slider);
    const TJoint* A = KnownEnd(V);
    if (!B || !D || !A)
        return nullptr;
    return std::make_unique<TAniDataPistonDriveSliderJointCrossJoint>(J, *D, *A, *B,
                                                                      GetVirtualJoints(J));
}

TAniGear::TStep TAniGear::TwoKnownNeighbours(TJoint& J) const {
    const TJoint* A = FindFrameNeighbour(J, nullptr);
    const TJoint* B = FindSolvedNeighbour(J, nullptr, FindLinkWithJoints(A, &J));
    if (!A || !B) {
        // No frame neighbour besides a solved one: two solved neighbours on different links.
        A = B;
        if (!A)
            return nullptr;
        B = FindSolvedNeighbour(J, A, FindLinkWithJoints(A, &J));
        if (!B)
            return nullptr;
    }
    return std::make_unique<TAniDataJointByTwoOthers>(J, *A, *B, GetVirtualJoints(J));
}

TAniGear::TStep TAniGear::PinOnKnownSlideLine(TJoint& J) const {
    const TSliderView V = ViewSlider(J);
    if (!V.Slider || &J != V.Pin || !V.SlideLink)
        return nullptr;
    const TJoint* C = SolvedElseFrameNeighbour(J, V.Slider);
    if (!C || !SlideLineKnown(V))
        return nullptr;
    return std::make_unique<TAniDataSliderJoint>(J, *C, *V.SL0, *V.SL1, GetVirtualJoints(J));
}

TAniGear::TStep TAniGear::JointOfSlideLink(TJoint& J) const {
    for (const TCustomLink* L : J.Links())
        for (const TSlider* T : GetSlidersOnLink(*L)) {
            const TJoint* A = FirstRealJointExcept(*L, &J);
            const TJoint* Pin = JointAt(*T, 1);
            if (IsKnown(Pin) && IsKnown(A))
                return std::make_unique<TAniDataJointBySlider>(
                    J, *A, *Pin, KnownJointBesides(*L, J, *A), GetVirtualJoints(J));
        }
    return nullptr;
}

TAniGear::TStep TAniGear::KnownBaseOfLink(TJoint& J) const {
    for (const TCustomLink* L : J.Links()) {
        if (AsSlider(L))
            continue;
        const TJoint* A = JointAt(*L, 0);
        const TJoint* B = JointAt(*L, 1);
        if (IsKnown(A) && IsKnown(B))
            return std::make_unique<TAniDataCrossjoint>(J, *A, *B, GetVirtualJoints(J));
    }
    return nullptr;
}

TAniGear::TStep TAniGear::TwoKnownJointsOfLink(TJoint& J) const {
    for (const TCustomLink* L : J.Links()) {
        const TJoint* Known[2] = {nullptr, nullptr};
        int Found = 0;
        for (const TJoint* K : L->Joints())
            if (K != &J && Found < 2 && IsKnown(K))
                Known[Found++] = K;
        if (Found == 2)
            return std::make_unique<TAniDataCrossjoint>(J, *Known[0], *Known[1],
                                                        GetVirtualJoints(J));
    }
    return nullptr;
}

TAniGear::TStep TAniGear::CouplerPointWithKnownPin(TJoint& J) const {
    const TSliderView V = ViewSlider(J);
    if (!V.Slider || !SlideLineKnown(V) || !IsKnown(V.Pin))
        return nullptr;
    return std::make_unique<TAniDataCrossjointSlider>(J, *V.Slider->Joints().Items(0), *V.SL0,
                                                      *V.SL1, GetVirtualJoints(J));
}

TAniGear::TStep TAniGear::SliderPointFromCouplerPoint(TJoint& J) const {
    const TSliderView V = ViewSlider(J);
    if (!V.Slider || !SlideLineKnown(V))
        return nullptr;
    const TJoint* A = KnownCouplerPoint(*V.Slider);
    if (!A)
        return nullptr;
    return std::make_unique<TAniDataSliderByCrosspointStraightOne>(J, *A, *V.SL0, *V.SL1,
                                                                   GetVirtualJoints(J));
}

TAniGear::TStep TAniGear::CouplerPointWithKnownNeighbour(TJoint& J) const {
    const TSliderView V = ViewSlider(J);
    if (!V.Slider || &J == JointAt(*V.Slider, 0) || &J == V.Pin || !SlideLineKnown(V))
        return nullptr;
    const TJoint* N = FindKnownNeighbour(J, nullptr, V.Slider);
    if (!N)
        return nullptr;
    return std::make_unique<TAniDataCrosspointSliderByStraightOne>(J, *N, *V.SL0, *V.SL1,
                                                                   GetVirtualJoints(J));
}
