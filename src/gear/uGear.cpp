#include "gear/uGear.h"

#include "gear/uCrvPlnPrefs.h"
#include "gear/uDrive.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "platform/Platform.h"
#include "surface/MMSurface.h"

#include <cassert>

template <auto Method> struct TGear::TBound {
    TGear* Gear;
    template <class... TArgs> void operator()(TArgs... Args) const { (Gear->*Method)(Args...); }
};

TGear::TGear(TComponent* AOwner, const TGearDocumentFactory& MakeDocument)
    : TComponent(AOwner), FGearData(std::make_unique<TGearData>()),
      FCalculator(std::make_unique<TGearCalculator>(*FGearData)),
      FGearCache(std::make_unique<TGearCache>(*FGearData, *FCalculator)),
      FAnimator(std::make_unique<TAnimator>(*FGearData, *FGearCache)),
      FFileManager(MakeDocument(*FGearData)),
      FPartCreator(std::make_unique<TGearPartCreator>(*FGearData)),
      FLinkMover(std::make_unique<TLinkMover>(*FGearData)),
      FPlanes(std::make_unique<TPlaneList>(*FGearData)),
      FCurves(std::make_unique<TCurveList>(*FGearData)) {
    assert(FFileManager);
}

TGear::~TGear() {
    Destroying();
    SetMMSurface(nullptr);
    SetHoverJoint(nullptr);
    SetHoverLink(nullptr);
    // The members go in reverse order: the curves and planes first, the model last.
}

// ---- the surface ----

void TGear::SetMMSurface(TMMSurface* Surface) {
    if (Surface == FMMSurface)
        return;
    if (FMMSurface)
        UnbindSurface();
    FMMSurface = Surface;
    if (FMMSurface) {
        FGearData->SetMMSurface(FMMSurface);
        BindSurface();
    }
}

template <auto Method, class TEvent> void TGear::UnbindIfMine(TEvent& Event) const {
    const auto* Handler = Event.template target<TBound<Method>>();
    if (Handler && Handler->Gear == this)
        Event = nullptr;
}

void TGear::BindSurface() {
    FMMSurface->OnMouseDown = TBound<&TGear::SurfaceMouseDown>{this};
    FMMSurface->OnMouseMove = TBound<&TGear::SurfaceMouseMove>{this};
    FMMSurface->OnMouseUp = TBound<&TGear::SurfaceMouseUp>{this};
}

void TGear::UnbindSurface() {
    // Only what is still the component's: another listener may have taken an event over.
    UnbindIfMine<&TGear::SurfaceMouseDown>(FMMSurface->OnMouseDown);
    UnbindIfMine<&TGear::SurfaceMouseMove>(FMMSurface->OnMouseMove);
    UnbindIfMine<&TGear::SurfaceMouseUp>(FMMSurface->OnMouseUp);
}

void TGear::HoverFreed() {
    if (!IsDestroying())
        UpdateCursor();
}

// ---- modes ----

void TGear::SetEditing(bool Value) {
    if (Value == FEditing)
        return;
    EndDrag();
    if (Value)
        ReturnToEditing();
    else
        LeaveEditing();
    UpdateCursor();
}

void TGear::SetCanMoveItems(bool Value) {
    FCanMoveItems = Value;
    UpdateCursor();
}

void TGear::LeaveEditing() {
    FEditing = false;
    FGearCache->SaveJointPositions();
    FGearData->DeselectLinks();
    FGearData->DeselectJoints();
    FAnimator->Reset();
    FCanAnimate = false;
    try {
        FCalculator->Prepare();
        if (!FCalculator->CanCalculate())
            MessageDlg("Dieses Getriebe ist nicht animierbar.", TMsgDlgType::mtInformation, mbOK);
        else
            FCanAnimate = FGearCache->Calculate();
    } catch (...) {
        FCanAnimate = false;
        ReturnToEditing();
        throw;
    }
    if (!FCanAnimate)
        ReturnToEditing();
}

void TGear::ReturnToEditing() {
    FEditing = true;
    FAnimator->Stop(true);
    FGearCache->Clear();
    FGearCache->RestoreJointPositions();
}

void TGear::EndDrag() {
    FLinkMover->MouseUp();
    FDownHitPart = false;
}

// ---- the mechanism ----

void TGear::Clear() {
    TMMSurface* Surface = FMMSurface;
    TMMUpdateBracket Batch(Surface);
    SetEditing(true);
    EndDrag();
    // Nothing may name a part when the model frees them all.
    FCurves->Clear();
    FPlanes->Clear();
    DropHovers();
    FPartCreator->CancelCreation();
    FGearData->Clear(true);
    FGearCache->Clear();
    FFileManager->NewFile();
    if (Surface)
        Surface->ZoomToPoints(TPoint{-50, -50}, TPoint{100, 100});
}

void TGear::DeleteSelection() {
    Delete([this] { FGearData->DeleteSelection(); });
}

void TGear::DeleteLink(TCustomLink& Link) {
    Delete([&] { FGearData->DeleteLink(&Link, false); });
}

void TGear::DeleteJoint(TJoint& Joint) {
    Delete([&] { FGearData->DeleteJoint(&Joint); });
}

void TGear::DeleteDrive(TDrive& Drive) {
    Delete([&] {
        FGearData->RemoveDrive(&Drive);
        FGearData->Parts().Remove(&Drive);
    });
}

void TGear::Delete(const std::function<void()>& Deletion) {
    // No repaint may see a curve, plane position or drive that still names a freed part.
    const TMMUpdateBracket Bracket(FGearData->MMSurface());
    const TGearData::TChangeScope Scope(*FGearData);
    Deletion();
    FPlanes->RemoveOrphans();
    FCurves->RemoveOrphans();
    FGearData->DataChanged();
}

TCurve* TGear::GetCurve(TJoint* Joint) {
    if (!Joint)
        return nullptr;
    if (TCurve* Curve = FCurves->FindByJoint(Joint))
        return Curve;
    auto Curve = std::make_unique<TCurve>(*FGearData, *FGearCache, *FAnimator);
    ApplyToCurve(*Curve);
    Curve->SetMMSurface(FMMSurface);
    Curve->SetJoint(Joint);
    return FCurves->Add(std::move(Curve));
}

TPlane* TGear::GetPlane(TJoint* Joint, TCustomLink* Link) {
    if (!Joint || !Link)
        return nullptr;
    if (TPlane* Plane = FPlanes->Find(Joint, Link))
        return Plane;
    auto Plane = std::make_unique<TPlane>(*FGearData, *FGearCache, *FAnimator);
    ApplyToPlane(*Plane);
    Plane->SetMMSurface(FMMSurface);
    Plane->SetJoint(Joint);
    Plane->SetLink(Link);
    return FPlanes->Add(std::move(Plane));
}
