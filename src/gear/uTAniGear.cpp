#include "gear/uTAniGear.h"

#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"

#include <algorithm>

TAniGear::TAniGear(TGearData& GearData) : FGearData(GearData) {}

bool TAniGear::BuildFrom() {
    FSolvers.clear();
    FOpenJoints.Clear();
    if (Mobility() != FGearData.Drives().Count())
        return false;
    for (TJoint* J : FGearData.Joints())
        if (!J->IsVirtual() && !FGearData.IsFrameJoint(J))
            FOpenJoints.Add(J);
    RunPasses();
    return FOpenJoints.Empty();
}

bool TAniGear::Calculate(int Position) {
    for (const auto& Step : FSolvers)
        if (!Step->Calculate(Position))
            return false;
    return true;
}

int TAniGear::Mobility() const {
    int Pairs = 0;
    for (const TJoint* J : FGearData.Joints()) {
        if (J->IsVirtual())
            continue;
        const TLinkList& Links = J->Links();
        const auto Moving = std::count_if(
            Links.begin(), Links.end(), [this](const TCustomLink* L) { return !IsFixedLink(*L); });
        // Every moving link turns against the fixed body the joint sits on; without one, the
        // first moving link is the one the others turn against.
        Pairs += static_cast<int>(Moving) - (IsOnFixedLink(*J) ? 0 : 1);
    }
    const TLinkList& Links = FGearData.Links();
    const auto Sliders = std::count_if(Links.begin(), Links.end(), [](const TCustomLink* L) {
        return dynamic_cast<const TSlider*>(L) != nullptr;
    });
    const auto Fixed = std::count_if(Links.begin(), Links.end(),
                                     [this](const TCustomLink* L) { return IsFixedLink(*L); });
    return 3 * (Links.Count() - static_cast<int>(Fixed)) - 2 * (Pairs + static_cast<int>(Sliders));
}

void TAniGear::RunPasses() {
    int Last = 0;
    while (FOpenJoints.Count() != Last) {
        Last = FOpenJoints.Count();
        for (int I = 0; I < FOpenJoints.Count(); ++I) {
            // After a rule fires, the joint moving up into slot I only meets the later rules in
            // this pass; that decides which step it gets.
            for (TRule Rule : Rules) {
                if (I >= FOpenJoints.Count())
                    continue;
                TJoint& J = *FOpenJoints.Items(I);
                if (TStep Step = (this->*Rule)(J)) {
                    FSolvers.push_back(std::move(Step));
                    FOpenJoints.Delete(I);
                }
            }
        }
    }
}

bool TAniGear::IsFixedLink(const TCustomLink& Link) const {
    if (dynamic_cast<const TRack*>(&Link))
        return true;
    const TJointList& Joints = Link.Joints();
    return std::count_if(Joints.begin(), Joints.end(),
                         [this](const TJoint* J) { return FGearData.IsFrameJoint(J); }) > 1;
}

bool TAniGear::IsOnFixedLink(const TJoint& J) const {
    const TLinkList& Links = J.Links();
    return std::any_of(Links.begin(), Links.end(),
                       [this](const TCustomLink* L) { return IsFixedLink(*L); });
}

bool TAniGear::IsSolved(const TJoint* J) const {
    return std::any_of(FSolvers.begin(), FSolvers.end(),
                       [J](const TStep& Step) { return &Step->Joint() == J; });
}

bool TAniGear::IsKnown(const TJoint* J) const {
    return J && (FGearData.IsFrameJoint(J) || IsSolved(J));
}

TJoint* TAniGear::FindFrameNeighbour(const TJoint& J, const TJoint* ExcludeJoint) const {
    for (const TCustomLink* L : J.Links())
        for (TJoint* K : L->Joints())
            if (K != &J && K != ExcludeJoint && FGearData.IsFrameJoint(K))
                return K;
    return nullptr;
}

TJoint* TAniGear::FindSolvedNeighbour(const TJoint& J, const TJoint* ExcludeJoint,
                                      const TCustomLink* ExcludeLink) const {
    for (const TCustomLink* L : J.Links()) {
        if (L == ExcludeLink)
            continue;
        for (TJoint* K : L->Joints())
            if (K != &J && K != ExcludeJoint && IsSolved(K))
                return K;
    }
    return nullptr;
}

TJoint* TAniGear::FindKnownNeighbour(const TJoint& J, const TJoint* ExcludeJoint,
                                     const TCustomLink* ExcludeLink) const {
    if (TJoint* K = FindFrameNeighbour(J, ExcludeJoint))
        return K;
    return FindSolvedNeighbour(J, ExcludeJoint, ExcludeLink);
}

TCustomLink* TAniGear::FindLinkWithJoints(const TJoint* A, const TJoint* B) const {
    if (!A)
        return nullptr;
    for (TCustomLink* L : FGearData.Links())
        if (L->Joints().Contains(A) && L->Joints().Contains(B))
            return L;
    return nullptr;
}

std::vector<TSlider*> TAniGear::GetSlidersOnLink(const TCustomLink& Link) const {
    std::vector<TSlider*> Sliders;
    for (TCustomLink* L : FGearData.Links())
        if (auto* S = dynamic_cast<TSlider*>(L); S && S->SlideLink() == &Link)
            Sliders.push_back(S);
    return Sliders;
}

TJoint* TAniGear::GetVirtualJoint(const TJoint& J) const {
    const TSlider* S = FGearData.FindSliderOfJoint(&J);
    if (!S)
        return nullptr;
    for (TJoint* K : S->Joints())
        if (K->IsVirtual() && K->IsSamePosition(J))
            return K;
    return nullptr;
}
