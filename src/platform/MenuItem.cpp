#include "platform/MenuItem.h"

#include <algorithm>
#include <cassert>

TMenuItem::~TMenuItem() {
    if (FParent) {
        auto It = std::find(FParent->FItems.begin(), FParent->FItems.end(), this);
        FParent->Delete(static_cast<int>(It - FParent->FItems.begin()));
    }
    for (TMenuItem* Item : FItems)
        Item->FParent = nullptr;
}

void TMenuItem::SetCaption(const std::string& ACaption) {
    FCaption = ACaption;
    Changed();
}

void TMenuItem::SetEnabled(bool AEnabled) {
    FEnabled = AEnabled;
    Changed();
}

void TMenuItem::Click() {
    // The handler may free this item (a recent file reopened rebuilds the menu); run a copy.
    const TNotifyEvent Handler = OnClick;
    Raise(Handler, this);
}

void TMenuItem::Add(TMenuItem* Item) {
    assert(Item && !Item->FParent && Item != this);
    FItems.push_back(Item);
    Item->FParent = this;
    SubItemInserted(Count() - 1, *Item);
}

void TMenuItem::Delete(int Index) {
    TMenuItem* Item = FItems.at(Index);
    FItems.erase(FItems.begin() + Index);
    Item->FParent = nullptr;
    SubItemRemoved(Index, *Item);
}

void TMenuItem::Changed() {
    if (!FParent)
        return;
    auto It = std::find(FParent->FItems.begin(), FParent->FItems.end(), this);
    FParent->SubItemChanged(static_cast<int>(It - FParent->FItems.begin()), *this);
}
