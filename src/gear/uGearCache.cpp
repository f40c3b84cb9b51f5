#include "gear/uGearCache.h"

#include "gear/uGearCalc.h"
#include "gear/uGearData.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uSlider.h"
#include "surface/MMSurface.h"
#include "surface/UtilLib.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <limits>
#include <unistd.h>

namespace {

std::vector<TMMPoint> JointPlaces(const TJointList& Joints) {
    std::vector<TMMPoint> Places;
    Places.reserve(static_cast<std::size_t>(Joints.Count()));
    for (const TJoint* Joint : Joints)
        Places.push_back(Joint->Position());
    return Places;
}

} // namespace

std::size_t TGearCache::DefaultMemoryLimit() {
    const long Pages = sysconf(_SC_PHYS_PAGES);
    const long PageSize = sysconf(_SC_PAGESIZE);
    if (Pages <= 0 || PageSize <= 0)
        return std::numeric_limits<std::size_t>::max();
    return static_cast<std::size_t>(Pages) / 2 * static_cast<std::size_t>(PageSize);
}

void TGearCache::TFreeBuffer::operator()(std::byte* Buffer) const {
    std::free(Buffer);
}

TGearCache::TGearCache(TGearData& GearData, TGearCalculator& Calculator, std::size_t MemoryLimit)
    : FGearData(GearData), FCalculator(Calculator), FMemoryLimit(MemoryLimit) {}

TGearCache::~TGearCache() = default;

TCacheRow TGearCache::Row(int Index) const {
    assert(Index >= 0 && Index < FPositionCount);
    if (ValidFlags()[Index] == AnglesToMeasure) {
        MeasureLinkAngles(Index);
        ValidFlags()[Index] = Valid;
    }
    return TCacheRow(ValidFlags()[Index] != Invalid,
                     {JointsOf(Index), static_cast<std::size_t>(FJointCount)},
                     {LinksOf(Index), static_cast<std::size_t>(FLinkCount)});
}

TMMPoint* TGearCache::JointsOf(int Index) const {
    return reinterpret_cast<TMMPoint*>(FBuffer.get() + static_cast<std::size_t>(Index) * FRowBytes);
}

TLinkState* TGearCache::LinksOf(int Index) const {
    return reinterpret_cast<TLinkState*>(reinterpret_cast<std::byte*>(JointsOf(Index)) +
                                         static_cast<std::size_t>(FJointCount) * sizeof(TMMPoint));
}

std::byte* TGearCache::ValidFlags() const {
    return FBuffer.get() + static_cast<std::size_t>(FPositionCount) * FRowBytes;
}

void TGearCache::Clear() {
    FFilled = false;
    FBuffer.reset();
    FPositionCount = FJointCount = FLinkCount = 0;
    FRowBytes = 0;
    FLinkSources.clear();
}

bool TGearCache::Allocate(int Positions) {
    static_assert(sizeof(TMMPoint) == sizeof(TLinkState) &&
                  alignof(TMMPoint) == alignof(TLinkState));
    const auto Rows = static_cast<std::size_t>(std::max(Positions, 0));
    const std::size_t RowBytes =
        static_cast<std::size_t>(FGearData.Joints().Count() + FGearData.Links().Count()) *
        sizeof(TMMPoint);
    // A row's bytes and its valid flag, for every row, without overflow.
    if (Rows > (std::numeric_limits<std::size_t>::max() - 1) / (RowBytes + 1))
        return false;
    const std::size_t Bytes = Rows * (RowBytes + 1);
    if (Bytes > FMemoryLimit)
        return false;
    // Zero-filled as every new row must be; calloc gets fresh pages that are zero already.
    FBuffer.reset(static_cast<std::byte*>(std::calloc(std::max<std::size_t>(Bytes, 1), 1)));
    if (!FBuffer)
        return false;
    FPositionCount = static_cast<int>(Rows);
    FJointCount = FGearData.Joints().Count();
    FLinkCount = FGearData.Links().Count();
    FRowBytes = RowBytes;
    PlanLinkSources();
    return true;
}

void TGearCache::PlanLinkSources() {
    const TJointList& Joints = FGearData.Joints();
    FLinkSources.reserve(static_cast<std::size_t>(FLinkCount));
    for (const TCustomLink* Link : FGearData.Links()) {
        TLinkSource Source{Link, AsSlider(Link)};
        if (const auto* Bar = AsBar(Link); Bar && Bar->Joints().Count() >= 2) {
            // As the bar measures its own angle.
            const int Fixed = Bar->FixedEndIndex();
            Source.From = Joints.IndexOf(Link->Joints().Items(Fixed));
            Source.To = Joints.IndexOf(Link->Joints().Items(1 - Fixed));
        }
        FLinkSources.push_back(Source);
    }
}

bool TGearCache::Calculate() {
    Clear();
    if (!Allocate(FGearData.PositionCount()))
        return false;
    const std::vector<TMMPoint> EditPlaces = JointPlaces(FGearData.Joints());
    TMMUpdateBracket Batch(FGearData.MMSurface());
    int Next = 0;
    // Also when a step throws, the rows stored so far are completed, the joints end in a drawn
    // position and the batch is closed.
    struct TFinally {
        TGearCache& Cache;
        const int& Next;
        const std::vector<TMMPoint>& EditPlaces;
        ~TFinally() {
            if (Cache.IsValidPosition(0))
                Cache.ApplyPosition(0);
            else
                Cache.PlaceJoints(EditPlaces);
        }
    } Finally{*this, Next, EditPlaces};
    for (; Next < FPositionCount; ++Next)
        if (FCalculator.Calculate(Next))
            StoreSolvedRow(Next);
    FFilled = true;
    return true;
}

void TGearCache::StoreSolvedRow(int Index) {
    const TJointList& Joints = FGearData.Joints();
    TMMPoint* Points = JointsOf(Index);
    for (int J = 0; J < FJointCount; ++J) {
        const TJoint* Joint = Joints.Items(J);
        Points[J] = {Joint->X(), Joint->Y()};
    }
    TLinkState* States = LinksOf(Index);
    for (int L = 0; L < FLinkCount; ++L) {
        const TLinkSource& Source = FLinkSources[static_cast<std::size_t>(L)];
        if (Source.Slider)
            States[L] = {Source.Slider->Angle(), Source.Slider->GetSlideDistance()};
        else if (!Source.MeasuredInRow())
            States[L] = {Source.Link->Angle(), 0.0};
    }
    ValidFlags()[Index] = AnglesToMeasure;
}

void TGearCache::MeasureLinkAngles(int Index) const {
    const TMMPoint* Points = JointsOf(Index);
    TLinkState* States = LinksOf(Index);
    for (int L = 0; L < FLinkCount; ++L)
        if (const TLinkSource& Source = FLinkSources[static_cast<std::size_t>(L)];
            Source.MeasuredInRow())
            States[L] = {LineAngle(Points[Source.From], Points[Source.To]), 0.0};
}

void TGearCache::StorePosition(int Index) {
    if (Index < 0 || Index >= FPositionCount)
        return;
    const TJointList& Joints = FGearData.Joints();
    TMMPoint* Points = JointsOf(Index);
    const int JointCount = std::min(FJointCount, Joints.Count());
    for (int J = 0; J < JointCount; ++J)
        Points[J] = Joints.Items(J)->Position();
    const TLinkList& Links = FGearData.Links();
    TLinkState* States = LinksOf(Index);
    const int LinkCount = std::min(FLinkCount, Links.Count());
    for (int L = 0; L < LinkCount; ++L)
        States[L] = GetLinkState(*Links.Items(L));
    ValidFlags()[Index] = Valid;
}

TLinkState TGearCache::GetLinkState(const TCustomLink& Link) {
    // The frame's angle is 0 by its class.
    return {Link.Angle(), SlideDistanceOf(&Link)};
}

bool TGearCache::IsValidPosition(int Index) const {
    return Index >= 0 && Index < FPositionCount && ValidFlags()[Index] != Invalid;
}

void TGearCache::ApplyPosition(int Index) {
    if (IsValidPosition(Index))
        PlaceJoints(Row(Index).Joints());
    else
        RepaintSurface();
}

void TGearCache::SaveJointPositions() {
    FSavedJoints = JointPlaces(FGearData.Joints());
}

void TGearCache::RestoreJointPositions() {
    PlaceJoints(FSavedJoints);
}

void TGearCache::PlaceJoints(std::span<const TMMPoint> Points) {
    const TJointList& Joints = FGearData.Joints();
    const int Count = std::min(Joints.Count(), static_cast<int>(Points.size()));
    for (int J = 0; J < Count; ++J) {
        TJoint* Joint = Joints.Items(J);
        Joint->SetX(Points[static_cast<std::size_t>(J)].X);
        Joint->SetY(Points[static_cast<std::size_t>(J)].Y);
    }
    RepaintSurface();
}

void TGearCache::RepaintSurface() const {
    if (TMMSurface* Surface = FGearData.MMSurface())
        Surface->Repaint(false);
}

std::optional<TMMRect> TGearCache::GetCachedBounds() const {
    std::optional<TMMRect> Bounds;
    for (int I = 0; I < FPositionCount; ++I) {
        if (!IsValidPosition(I))
            continue;
        for (const TMMPoint& P : Row(I).Joints()) {
            if (!Bounds) {
                Bounds = MMRect(P.X, P.Y, P.X, P.Y);
                continue;
            }
            Bounds->Left = std::min(Bounds->Left, P.X);
            Bounds->Right = std::max(Bounds->Right, P.X);
            Bounds->Bottom = std::min(Bounds->Bottom, P.Y);
            Bounds->Top = std::max(Bounds->Top, P.Y);
        }
    }
    return Bounds;
}
