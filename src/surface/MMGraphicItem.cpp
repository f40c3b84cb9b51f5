#include "surface/MMGraphicItem.h"

#include "surface/MMSurface.h"

#include <algorithm>
#include <utility>

TMMGraphicItem::TMMGraphicItem(TComponent* AOwner) : TComponent(AOwner) {}

TMMGraphicItem::~TMMGraphicItem() {
    if (FMMSurface)
        TMMGraphicItem::SetMMSurface(nullptr);
}

void TMMGraphicItem::SetMMSurface(TMMSurface* S) {
    if (FViewLink)
        FViewLink->Follow(nullptr);
    if (FMMSurface) {
        TMMSurface* Old = FMMSurface;
        Old->UnRegisterGraphicItem(this);
        OnChange = nullptr;
    }
    FMMSurface = S;
    if (S) {
        S->RegisterGraphicItem(this);
        OnChange = [S](TObject* Sender) { S->OnWillRepaint(Sender); };
        Changed();
        if (FViewLink)
            FViewLink->Follow(S);
    }
}

void TMMGraphicItem::FollowViewChanges(TNotifyEvent OnViewChanged) {
    if (!FViewLink)
        FViewLink = std::make_unique<TNotifyChangeLink>();
    FViewLink->OnChange = std::move(OnViewChanged);
    FViewLink->Follow(FMMSurface);
}

void TMMGraphicItem::SetOrder(int Value) {
    FOrder = Value;
    Changed();
}

void TMMGraphicItem::SetVisible(bool Value) {
    FVisible = Value;
    Changed();
}

void TMMGraphicItem::Changed() {
    Raise(OnChange, this);
}

void TMMGraphicItem::GetBounds(TMMRect&) {}

void TMMGraphicItem::Paint() {}

bool TMMGraphicItemList::Remove(TMMGraphicItem* Item) {
    auto It = std::find(FItems.begin(), FItems.end(), Item);
    if (It == FItems.end())
        return false;
    FItems.erase(It);
    return true;
}

void TMMGraphicItemList::Delete(int Index) {
    FItems.erase(FItems.begin() + Index);
}

int TMMGraphicItemList::IndexOf(const TMMGraphicItem* Item) const {
    auto It = std::find(FItems.begin(), FItems.end(), Item);
    return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TMMGraphicItemList::SortByOrder() {
    auto ByOrder = [](const TMMGraphicItem* A, const TMMGraphicItem* B) {
        return A->Order() < B->Order();
    };
    // Every repaint asks, and the list is nearly always in order: the stable sort would still
    // allocate its buffer and merge. Equal orders keep their sequence.
    if (!std::is_sorted(FItems.begin(), FItems.end(), ByOrder))
        std::stable_sort(FItems.begin(), FItems.end(), ByOrder);
}

TNotifyChangeLink::~TNotifyChangeLink() {
    if (FSender)
        FSender->UnRegisterChanges(this);
}

void TNotifyChangeLink::Change() {
    Raise(OnChange, FSender);
}

void TNotifyChangeLink::Follow(TMMSurface* S) {
    if (FSender)
        FSender->UnRegisterChanges(this);
    if (S)
        S->RegisterChanges(this);
}
