// A menu item with sub-items that portable code fills (the recent-file list). Sub-items are plain
// items; a backend derives from this class to mirror its sub-items into the toolkit's menu.
#pragma once

#include "platform/Component.h"
#include "platform/Events.h"

#include <string>
#include <vector>

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    // Leaves its parent and lets go of its sub-items (which stay with their owners).
    ~TMenuItem() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& ACaption);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool AEnabled);
    int Tag() const { return FTag; }
    void SetTag(int ATag) { FTag = ATag; }

    TNotifyEvent OnClick;
    // What choosing the item does: raises OnClick with the item as sender.
    void Click();

    TMenuItem* Parent() const { return FParent; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const { return FItems.at(Index); }
    // Appends Item as the last sub-item; the sub-item is not owned by its parent.
    void Add(TMenuItem* Item);
    // Takes the sub-item out without freeing it.
    void Delete(int Index);

protected:
    // Hooks for backends; a sub-item's caption and enabled state are final when it is inserted
    // and reported through SubItemChanged afterwards.
    virtual void SubItemInserted(int, TMenuItem&) {}
    virtual void SubItemRemoved(int, TMenuItem&) {}
    virtual void SubItemChanged(int, TMenuItem&) {}

private:
    void Changed();

    std::string FCaption;
    bool FEnabled = true;
    int FTag = 0;
    TMenuItem* FParent = nullptr;
    std::vector<TMenuItem*> FItems;
};
