#include "gear/uCrvPln.h"

#include "gear/uAnimator.h"
#include "gear/uGearCache.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "surface/MMSurface.h"
#include "xml/XMLPrefs.h"

#include <algorithm>

TPathItem::TPathItem(TGearData& GearData, const TGearCache& Cache, const TAnimator& Animator)
    : FGearData(GearData), FCache(Cache), FAnimator(Animator) {
    SetVisible(true);
}

void TPathItem::SetJoint(TJoint* Value) {
    FJoint = Value;
}

bool TPathItem::BelongsTo(const TGearData& GearData) const {
    return FJoint && GearData.Joints().Contains(FJoint);
}

TCanvas* TPathItem::PenCanvas() const {
    TCanvas* Canvas = MMSurface() ? MMSurface()->GetCanvas() : nullptr;
    if (!Canvas || !Visible())
        return nullptr;
    Canvas->Pen().Color = FLineColor;
    Canvas->Pen().Width = FLineThickness;
    return Canvas;
}

int TPathItem::PositionsToDraw() const {
    if (!FCache.Filled())
        return 0;
    int Count = FGearData.PositionCount();
    if (!PreferenceStore().GetBoolean("Animator", "DirectlyDrawAll") &&
        !FAnimator.FullRunFinished())
        Count = FAnimator.ActualGearPosition() + 1;
    return std::clamp(Count, 0, FCache.PositionCount());
}

int TPathItem::CachedJointIndex() const {
    const int Index = FJoint ? FGearData.Joints().IndexOf(FJoint) : -1;
    return Index < FCache.JointCount() ? Index : -1;
}

TCurve::TCurve(TGearData& GearData, const TGearCache& Cache, const TAnimator& Animator)
    : TPathItem(GearData, Cache, Animator) {
    SetOrder(71);
}

TPlane::TPlane(TGearData& GearData, const TGearCache& Cache, const TAnimator& Animator)
    : TPathItem(GearData, Cache, Animator) {
    SetLineColor(0xFF0000); // blue
    SetOrder(70);
}

void TPlane::SetLink(TCustomLink* Value) {
    FLink = Value;
}

bool TPlane::BelongsTo(const TGearData& GearData) const {
    return TPathItem::BelongsTo(GearData) && FLink && GearData.Links().Contains(FLink);
}

int TPlane::CachedLinkIndex() const {
    const int Index = FLink ? FGearData.Links().IndexOf(FLink) : -1;
    return Index < FCache.LinkCount() ? Index : -1;
}

TPlane* TPlaneList::Find(const TJoint* Joint, const TCustomLink* Link) const {
    for (const auto& Item : Items())
        if (Item->Joint() == Joint && Item->Link() == Link)
            return Item.get();
    return nullptr;
}
