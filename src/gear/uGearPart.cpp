#include "gear/uGearPart.h"

#include "gear/uDrive.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "platform/Random.h"

#include <cstdlib>
#include <cxxabi.h>
#include <iterator>
#include <memory>
#include <typeinfo>

namespace {

// The dynamic class name of a part, as the code spells it.
std::string ClassNameOf(const TGearPart& Part) {
    const char* Mangled = typeid(Part).name();
    int Status = 0;
    std::unique_ptr<char, decltype(&std::free)> Name(
        abi::__cxa_demangle(Mangled, nullptr, nullptr, &Status), &std::free);
    return Status == 0 && Name ? std::string(Name.get()) : std::string(Mangled);
}

template <class List> auto FindFirst(const List& L, auto Matches) -> decltype(L.Items(0)) {
    for (auto* Item : L)
        if (Matches(*Item))
            return Item;
    return nullptr;
}

} // namespace

TGearPart::TGearPart(TComponent* AOwner) : TMMGraphicItem(AOwner), FUID(Random(GearPartUIDRange)) {
    SetVisibleQuietly(true);
}

void TGearPart::SetUID(int Value) {
    if (FRegistry) {
        FRegistry->UncountUID(FUID);
        FRegistry->CountUID(Value);
    }
    Stored(FUID, Value);
}

void TGearPart::SetID(int Value) {
    if (Value == FID)
        return;
    if (FListing)
        FListing->Renumbered(FID, Value);
    FID = Value;
    Changed();
}

void TGearPart::SetSelected(bool Value) {
    Stored(FSelected, Value);
    Changed();
}

void TGearPart::SetVisible(bool Value) {
    Touched();
    TMMGraphicItem::SetVisible(Value);
}

void TGearPart::SetLineThickness(int Value) {
    FLineThickness = Value;
    Changed();
}

std::string TGearPart::GetDisplayText() const {
    return ClassNameOf(*this) + " ID=" + std::to_string(FID) + " Identifier=" + FIdentifier;
}

std::string TGearPart::PaddedInt(int Value, int Width) {
    std::string S = std::to_string(Value);
    if (static_cast<int>(S.size()) < Width)
        S.insert(0, static_cast<std::size_t>(Width) - S.size(), ' ');
    return S;
}

void TGearPart::SetVisibleQuietly(bool Value) {
    TNotifyEvent Listener = std::move(OnChange);
    OnChange = nullptr;
    SetVisible(Value);
    OnChange = std::move(Listener);
}

TCanvas* TGearPart::PaintCanvas() const {
    if (!Visible() || !MMSurface())
        return nullptr;
    return MMSurface()->GetCanvas();
}

void TGearPart::UseLabelBackground(TCanvas& Canvas) {
    Canvas.Brush().Color = clWhite;
    Canvas.Brush().Style = TBrushStyle::bsSolid;
    Canvas.SetTextTransparent(false);
}

// --- TGearPartlist

TGearPartlist::TGearPartlist() = default;

TGearPartlist::~TGearPartlist() {
    Clear();
}

TDrive* TGearPartlist::AdoptDrive(std::unique_ptr<TDrive> Drive) {
    assert(Drive && !OwnsDrive(Drive.get()));
    FDrives.push_back(std::move(Drive));
    return FDrives.back().get();
}

bool TGearPartlist::OwnsDrive(const TDrive* Drive) const {
    return std::any_of(FDrives.begin(), FDrives.end(),
                       [Drive](const auto& Owned) { return Owned.get() == Drive; });
}

std::unique_ptr<TGearPart> TGearPartlist::Remove(const TGearPart* Part) {
    // From the last: parts handed on to another registry leave last first.
    const auto Owned = std::find_if(FOwned.rbegin(), FOwned.rend(),
                                    [Part](const auto& P) { return P.get() == Part; });
    if (Owned == FOwned.rend())
        return nullptr;
    const auto It = std::prev(Owned.base());
    FList.Delete(static_cast<int>(It - FOwned.begin()));
    std::unique_ptr<TGearPart> Result = std::move(*It);
    FOwned.erase(It);
    UncountUID(Result->UID());
    Result->FRegistry = nullptr;
    return Result;
}

std::unique_ptr<TDrive> TGearPartlist::Remove(const TDrive* Drive) {
    const auto Owned = std::find_if(FDrives.rbegin(), FDrives.rend(),
                                    [Drive](const auto& D) { return D.get() == Drive; });
    if (Owned == FDrives.rend())
        return nullptr;
    const auto It = std::prev(Owned.base());
    std::unique_ptr<TDrive> Result = std::move(*It);
    FDrives.erase(It);
    return Result;
}

void TGearPartlist::Clear() {
    while (!FDrives.empty()) {
        std::unique_ptr<TDrive> Last = std::move(FDrives.back());
        FDrives.pop_back();
    }
    for (TGearPart* Part : FList) {
        if (auto* Joint = dynamic_cast<TJoint*>(Part))
            Joint->Links().Clear();
        else if (auto* Link = AsLink(Part))
            Link->Joints().Clear();
    }
    FUIDs.clear();
    while (!FOwned.empty()) {
        std::unique_ptr<TGearPart> Last = std::move(FOwned.back());
        FOwned.pop_back();
        FList.Delete(FList.Count() - 1);
        Last->FRegistry = nullptr;
    }
}

void TGearPartlist::CountUID(int AUID) {
    ++FUIDs[AUID];
}

void TGearPartlist::UncountUID(int AUID) {
    const auto It = FUIDs.find(AUID);
    assert(It != FUIDs.end());
    if (--It->second == 0)
        FUIDs.erase(It);
}

int TGearPartlist::NewUID() const {
    // Random draws first; a nearly full range would make them loop for ever, so after enough
    // misses the smallest free value is taken.
    constexpr int MaxDraws = 1000;
    for (int I = 0; I < MaxDraws; ++I) {
        int U = Random(GearPartUIDRange);
        if (!ContainsUID(U))
            return U;
    }
    std::vector<bool> Taken(GearPartUIDRange, false);
    for (const TGearPart* P : *this)
        if (P->UID() >= 0 && P->UID() < GearPartUIDRange)
            Taken[static_cast<std::size_t>(P->UID())] = true;
    for (int U = 0; U < GearPartUIDRange; ++U)
        if (!Taken[static_cast<std::size_t>(U)])
            return U;
    assert(!"the part registry holds a part for every UID");
    return -1;
}

void TGearPartlist::Register(std::unique_ptr<TGearPart> Part) {
    assert(Part && !Contains(Part.get()));
    if (ContainsUID(Part->UID()))
        Part->SetUID(NewUID());
    CountUID(Part->UID());
    Part->FRegistry = this;
    FList.Add(Part.get());
    FOwned.push_back(std::move(Part));
}

// --- TJointList, TLinkList

TJoint* TJointList::FindByID(int AID) const {
    return FindFirst(*this, [AID](const TJoint& J) { return J.ID() == AID; });
}

TJoint* TJointList::FindByUID(int AUID) const {
    return FindFirst(*this, [AUID](const TJoint& J) { return J.UID() == AUID; });
}

TCustomLink* TLinkList::FindByID(int AID) const {
    return FindFirst(*this, [AID](const TCustomLink& L) { return L.ID() == AID; });
}

TCustomLink* TLinkList::FindByUID(int AUID) const {
    return FindFirst(*this, [AUID](const TCustomLink& L) { return L.UID() == AUID; });
}
