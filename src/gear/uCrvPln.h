// Coupler curves and plane positions: items that draw, from the position cache, the path of a
// joint over the gear positions (TCurve) and how a link plane turns along that path (TPlane), and
// the two lists that own them. Unless set to draw everything at once, both grow with the animation
// until a full run has been shown.
#pragma once

#include "platform/Types.h"
#include "platform/Watched.h"
#include "surface/MMGraphicItem.h"

#include <memory>
#include <numbers>
#include <utility>
#include <vector>

class TAnimator;
class TCanvas;
class TCustomLink;
class TGearCache;
class TGearData;
class TJoint;

// What curves and plane positions share: the model, the cache and the animation they read, the
// joint whose path they follow and their pen. A part that is freed is let go of at once, so the
// item then draws nothing until it is removed as an orphan.
class TPathItem : public TMMGraphicItem {
public:
    TPathItem(TGearData& GearData, const TGearCache& Cache, const TAnimator& Animator);
    TPathItem(const TPathItem&) = delete;
    TPathItem& operator=(const TPathItem&) = delete;

    TJoint* Joint() const { return FJoint; }
    void SetJoint(TJoint* Value);
    int LineThickness() const { return FLineThickness; }
    void SetLineThickness(int Value) { FLineThickness = Value; }
    TColor LineColor() const { return FLineColor; }
    void SetLineColor(TColor Value) { FLineColor = Value; }

    // True while the joint is one of the model's.
    virtual bool BelongsTo(const TGearData& GearData) const;

protected:
    // The canvas with the item's pen set when the item may draw now, else nil.
    TCanvas* PenCanvas() const;
    // How many cached rows to draw: the positions shown so far, never more than the cache holds;
    // 0 while the cache is empty.
    int PositionsToDraw() const;
    // The index of the joint in the model's list and in the cached rows, -1 when the joint is
    // not in both.
    int CachedJointIndex() const;

    TGearData& FGearData;
    const TGearCache& FCache;

private:
    const TAnimator& FAnimator;
    TWatched<TJoint> FJoint;
    int FLineThickness = 1;
    TColor FLineColor = 0x0000FF; // red
};

// The path of one joint through the cached positions; invalid positions break it into pieces.
class TCurve : public TPathItem {
public:
    TCurve(TGearData& GearData, const TGearCache& Cache, const TAnimator& Animator);

    void Paint() override;

private:
    // The points of the piece being collected, kept between paints to spare allocations.
    std::vector<TPoint> FPiece;
};

// One short segment per cached position, fixed to a link at the joint: in position 0 each points
// in direction Beta, later ones have turned with the link.
class TPlane : public TPathItem {
public:
    TPlane(TGearData& GearData, const TGearCache& Cache, const TAnimator& Animator);

    TCustomLink* Link() const { return FLink; }
    void SetLink(TCustomLink* Value);
    double Beta() const { return FBeta; }
    void SetBeta(double Value) { FBeta = Value; }
    double Length() const { return FLength; }
    void SetLength(double Value) { FLength = Value; }

    bool BelongsTo(const TGearData& GearData) const override;
    void Paint() override;

private:
    // The index of the link in the model's list and in the cached rows, -1 when not in both.
    int CachedLinkIndex() const;

    TWatched<TCustomLink> FLink;
    double FBeta = std::numbers::pi / 4;
    double FLength = 20.0;
};

// An owning list of curves or plane items, searched by joint; freeing an item takes it off its
// surface.
template <class TItem> class TPathItemList {
public:
    explicit TPathItemList(TGearData& GearData) : FGearData(GearData) {}
    ~TPathItemList() { Clear(); }
    TPathItemList(const TPathItemList&) = delete;
    TPathItemList& operator=(const TPathItemList&) = delete;

    TItem* Add(std::unique_ptr<TItem> Item) {
        FItems.push_back(std::move(Item));
        return FItems.back().get();
    }
    int Count() const { return static_cast<int>(FItems.size()); }
    TItem* GetItem(int Index) const { return FItems.at(static_cast<std::size_t>(Index)).get(); }
    // The first item of the joint, or nil.
    TItem* FindByJoint(const TJoint* Joint) const {
        for (const auto& Item : FItems)
            if (Item->Joint() == Joint)
                return Item.get();
        return nullptr;
    }
    // Frees every item whose joint (or link) is no longer in the model.
    void RemoveOrphans() {
        std::erase_if(FItems, [this](const auto& Item) { return !Item->BelongsTo(FGearData); });
    }
    // Frees every item, the last first.
    void Clear() {
        while (!FItems.empty())
            FItems.pop_back();
    }

protected:
    // Frees the first item of the joint, if any.
    void RemoveFirstOf(const TJoint* Joint) {
        for (auto It = FItems.begin(); It != FItems.end(); ++It)
            if ((*It)->Joint() == Joint) {
                FItems.erase(It);
                return;
            }
    }

    const std::vector<std::unique_ptr<TItem>>& Items() const { return FItems; }

private:
    TGearData& FGearData;
    std::vector<std::unique_ptr<TItem>> FItems;
};

// The coupler curves of the mechanism; a joint has at most one.
class TCurveList : public TPathItemList<TCurve> {
public:
    using TPathItemList::TPathItemList;

    bool HasCurve(const TJoint* Joint) const { return FindByJoint(Joint) != nullptr; }
    void RemoveCurve(const TJoint* Joint) { RemoveFirstOf(Joint); }
};

// The plane-position items of the mechanism; a joint has at most one per link.
class TPlaneList : public TPathItemList<TPlane> {
public:
    using TPathItemList::TPathItemList;

    bool HasPlane(const TJoint* Joint) const { return FindByJoint(Joint) != nullptr; }
    // The item of exactly that joint and link, or nil.
    TPlane* Find(const TJoint* Joint, const TCustomLink* Link) const;
    void RemovePlane(const TJoint* Joint) { RemoveFirstOf(Joint); }
};
