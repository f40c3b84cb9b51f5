// What a drawing surface holds: drawable items painted in ascending Order, the list that sorts
// them, and the change links through which followers hear of every change of the view.
#pragma once

#include "platform/Component.h"
#include "platform/Events.h"
#include "platform/Watched.h"
#include "surface/MMTypes.h"

#include <memory>
#include <vector>

class TMMSurface;
class TNotifyChangeLink;

class TMMGraphicItem : public TComponent {
public:
    explicit TMMGraphicItem(TComponent* AOwner = nullptr);
    // Descendants that follow view changes or override SetMMSurface call SetMMSurface(nullptr)
    // in their own destructor, to leave the surface while whole.
    ~TMMGraphicItem() override;

    TMMSurface* MMSurface() const { return FMMSurface; }
    // Moves the item from its surface to S (either may be nullptr).
    virtual void SetMMSurface(TMMSurface* S);

    int Order() const { return FOrder; }
    void SetOrder(int Value);
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);

    // Tells the surface that the item looks different now.
    void Changed();

    // The item's world extent.
    virtual void GetBounds(TMMRect& R);
    // Draws the item with MMSurface()->GetCanvas(); draws nothing unless Visible.
    virtual void Paint();

    TNotifyEvent OnChange; // set by the surface while the item is registered

protected:
    // From now on OnViewChanged hears of every change of the view of the item's surface.
    void FollowViewChanges(TNotifyEvent OnViewChanged);

private:
    std::unique_ptr<TNotifyChangeLink> FViewLink;
    // A surface lets go of its items before it goes; this is the last resort.
    TWatched<TMMSurface> FMMSurface{[this] { OnChange = nullptr; }};
    int FOrder = 0;
    bool FVisible = false;
};

// The registered items of a surface; it does not own them.
class TMMGraphicItemList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TMMGraphicItem* Items(int Index) const { return FItems.at(Index); }
    void Add(TMMGraphicItem* Item) { FItems.push_back(Item); }
    // Removes the first occurrence; false when absent.
    bool Remove(TMMGraphicItem* Item);
    void Delete(int Index);
    int IndexOf(const TMMGraphicItem* Item) const;
    // Stable: items of equal Order keep their registration order.
    void SortByOrder();

private:
    std::vector<TMMGraphicItem*> FItems;
};

// A follower's ear on the view of one surface. The follower owns it.
class TNotifyChangeLink {
public:
    TNotifyChangeLink() = default;
    TNotifyChangeLink(const TNotifyChangeLink&) = delete;
    TNotifyChangeLink& operator=(const TNotifyChangeLink&) = delete;
    // Leaves the surface it is registered with.
    virtual ~TNotifyChangeLink();

    TMMSurface* Sender() const { return FSender; }
    void SetSender(TMMSurface* S) { FSender = S; }
    // Raises OnChange with the surface as Sender.
    virtual void Change();
    // Leaves its surface and registers with S (nullptr: none).
    void Follow(TMMSurface* S);

    TNotifyEvent OnChange;

private:
    TMMSurface* FSender = nullptr;
};
