#include "gear/uTAniGear.h"

#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"

#include <algorithm>
#include <set>

TAniGear::TAniGear(TGearData& GearData) : FGearData(GearData) {}

bool TAniGear::BuildFrom() {
    FSolvers.clear();
    FOpenJoints.Clear();
    FSolved.clear();
    if (Mobility() != FGearData.Drives().Count())
        return false;
    for (TJoint* J : FGearData.Joints())
        if (!J->IsVirtual() && !FGearData.IsFrameJoint(J))
            FOpenJoints.Add(J);
    BuildIndexes();
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
    const auto Sliders = std::count_if(Links.begin(), Links.end(),
                                       [](const TCustomLink* L) { return AsSlider(L) != nullptr; });
    const auto Fixed = std::count_if(Links.begin(), Links.end(),
                                     [this](const TCustomLink* L) { return IsFixedLink(*L); });
    return 3 * (Links.Count() - static_cast<int>(Fixed)) - 2 * (Pairs + static_cast<int>(Sliders));
}

TAniGear::TStep TAniGear::TryRule(int Index, TJoint& J) const {
    return (this->*Rules[static_cast<std::size_t>(Index)])(J);
}

void TAniGear::Adopt(TStep Step) {
    FSolved.insert(&Step->Joint());
    FSolvers.push_back(std::move(Step));
}

// The passes as the rules define them: slot by slot through the open joints, a joint that moves
// up into a slot after a rule fired meeting only the later rules. A joint whose every rule
// failed fails again until a joint it depends on is solved, so only the joints marked since
// (dirty) are tried; the plan comes out the same, at a cost that follows the joints placed.
void TAniGear::RunPasses() {
    const int Count = FOpenJoints.Count();
    const std::vector<TJoint*> Joints(FOpenJoints.begin(), FOpenJoints.end());
    std::unordered_map<const TJoint*, int> KeyOf;
    for (int K = 0; K < Count; ++K)
        KeyOf.emplace(Joints[K], K);
    // The open joints in their order as a ring over their keys, Count being the head.
    std::vector<int> Next(Count + 1), Prev(Count + 1);
    for (int K = 0; K <= Count; ++K) {
        Next[K] = (K + 1) % (Count + 1);
        Prev[K] = (K + Count) % (Count + 1);
    }
    std::set<int> Dirty;
    for (int K = 0; K < Count; ++K)
        Dirty.insert(Dirty.end(), K);

    int Remaining = Count, Last = 0;
    while (Remaining != Last) {
        Last = Remaining;
        int Key = Count;
        int FirstRule = 0;
        for (auto Pick = Dirty.begin(); Pick != Dirty.end(); Pick = Dirty.upper_bound(Key)) {
            // A joint that moved up after a rule fired meets only the later rules; when a clean
            // joint took that place instead, it met them and failed.
            int Rule = Next[Key] == *Pick ? FirstRule : 0;
            const bool Whole = Rule == 0;
            FirstRule = 0;
            Key = *Pick;
            TJoint& J = *Joints[Key];
            for (; Rule < RuleCount; ++Rule)
                if (TStep Step = TryRule(Rule, J)) {
                    Adopt(std::move(Step));
                    Next[Prev[Key]] = Next[Key];
                    Prev[Next[Key]] = Prev[Key];
                    KeyOf.erase(&J);
                    Dirty.erase(Key);
                    --Remaining;
                    ForEachDependent(J, [&](const TJoint* Dependent) {
                        if (auto Found = KeyOf.find(Dependent); Found != KeyOf.end())
                            Dirty.insert(Found->second);
                    });
                    FirstRule = Rule + 1;
                    break;
                }
            if (Rule == RuleCount && Whole)
                Dirty.erase(Key);
        }
    }
    FOpenJoints.Clear();
    for (int K = Next[Count]; K != Count; K = Next[K])
        FOpenJoints.Add(Joints[K]);
}

template <class TVisit> void TAniGear::ForEachDependent(const TJoint& J, TVisit Visit) const {
    for (const TCustomLink* L : J.Links())
        for (const TJoint* K : L->Joints()) {
            Visit(K);
            // A slider's joint 0 leads on to its slide link, and a slide link's to its sliders.
            if (!K->IsVirtual() && !FGearData.FindSliderOfJoint(K))
                continue;
            for (const TCustomLink* Beyond : K->Links())
                if (Beyond != L && !AsRack(Beyond))
                    for (const TJoint* M : Beyond->Joints())
                        Visit(M);
        }
    auto [From, To] = FDrivesAtJoint.equal_range(&J);
    for (; From != To; ++From)
        for (const TCustomLink* L : {From->second->Link0(), From->second->Link1()})
            if (L)
                for (const TJoint* K : L->Joints())
                    Visit(K);
}

bool TAniGear::IsFixedLink(const TCustomLink& Link) const {
    if (AsRack(&Link))
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
    return FSolved.count(J) != 0;
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
    // The links that hold A are A's own; the first of them in the model's order wins.
    TCustomLink* First = nullptr;
    int FirstOrder = 0;
    for (TCustomLink* L : A->Links()) {
        const auto Order = FLinkOrder.find(L);
        if (Order == FLinkOrder.end() || !L->Joints().Contains(B))
            continue;
        if (!First || Order->second < FirstOrder) {
            First = L;
            FirstOrder = Order->second;
        }
    }
    return First;
}

const std::vector<TSlider*>& TAniGear::GetSlidersOnLink(const TCustomLink& Link) const {
    static const std::vector<TSlider*> None;
    const auto Found = FSlidersOnLink.find(&Link);
    return Found == FSlidersOnLink.end() ? None : Found->second;
}

TDrive* TAniGear::SlidingDriveOn(const TSlider& S) const {
    const auto Found = FSlidingDrives.find(&S);
    return Found == FSlidingDrives.end() ? nullptr : Found->second;
}

TDrive* TAniGear::RotaryDriveAgainstFrame(const TCustomLink& Link) const {
    const auto Found = FFrameDrives.find(&Link);
    return Found == FFrameDrives.end() ? nullptr : Found->second;
}

void TAniGear::BuildIndexes() {
    FLinkOrder.clear();
    FSlidersOnLink.clear();
    FSlidingDrives.clear();
    FFrameDrives.clear();
    FDrivesAtJoint.clear();
    const TLinkList& Links = FGearData.Links();
    for (int I = 0; I < Links.Count(); ++I) {
        TCustomLink* L = Links.Items(I);
        FLinkOrder.emplace(L, I);
        if (auto* S = AsSlider(L))
            FSlidersOnLink[S->SlideLink()].push_back(S);
    }
    const auto IsFrame = [](const TCustomLink* L) { return AsRack(L) != nullptr; };
    // Only a sliding drive can set a slide distance, and only a rotary drive with a joint can
    // turn a link about it; the first drive in the model's order counts.
    for (TDrive* D : FGearData.Drives()) {
        if (D->DriveType() == dtSliding) {
            for (const TCustomLink* L : {D->Link0(), D->Link1()})
                if (L)
                    FSlidingDrives.emplace(L, D);
            if (const TJoint* J = D->GetJoint())
                FDrivesAtJoint.emplace(J, D);
        } else if (D->DriveType() == dtRotary && D->GetJoint()) {
            if (D->Link0() && IsFrame(D->Link1()))
                FFrameDrives.emplace(D->Link0(), D);
            if (D->Link1() && IsFrame(D->Link0()))
                FFrameDrives.emplace(D->Link1(), D);
        }
    }
}

// Every block at the joint moves with it, not only the first among its links: a pin may run in
// two slots, or be the pin of one block and a point of another.
TVirtualJoints TAniGear::GetVirtualJoints(const TJoint& J) const {
    TVirtualJoints Found;
    for (const TCustomLink* L : J.Links())
        if (const TSlider* S = AsSlider(L))
            for (TJoint* K : S->Joints())
                if (K->IsVirtual() && K->IsSamePosition(J) &&
                    std::find(Found.begin(), Found.end(), K) == Found.end())
                    Found.push_back(K);
    return Found;
}
