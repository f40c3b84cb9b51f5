// The mechanism component's handling of the surface's mouse: selecting, creating, dragging,
// merging on drop, and tracking the part under the mouse.
#include "gear/uGear.h"

#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uSlider.h"
#include "surface/MMSurface.h"

void TGear::SurfaceMouseDown(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y,
                             double MMX, double MMY) {
    Raise(OnMouseDown, this, Button, Shift, X, Y, MMX, MMY);
    if (!FEditing)
        return;
    if (FPartCreator->IsCreating()) {
        FPartCreator->MouseDown(X, Y);
        return;
    }
    const bool Add = Shift.Contains(TShiftState::ssCtrl);
    TCustomLink* Link = nullptr;
    TJoint* Joint = FGearData->FindJointAt(X, Y);
    if (Joint)
        FGearData->SelectJoint(Joint, Add);
    else {
        Link = FGearData->FindLinkAt(X, Y);
        FGearData->SelectLink(Link, Add);
    }
    if (FCanMoveItems) {
        FLinkMover->MouseDown(X, Y);
        FDownHitPart = Joint || Link;
    }
}

void TGear::SurfaceMouseMove(TObject*, TShiftState Shift, int X, int Y, double MMX, double MMY) {
    Raise(OnMouseMove, this, Shift, X, Y, MMX, MMY);
    FMousePos = TPoint{X, Y};
    TJoint* Joint = FGearData->FindJointAt(X, Y);
    TCustomLink* Link = FGearData->FindLinkAt(X, Y);
    HoverJointAt(Joint, X, Y, MMX, MMY);
    HoverLinkAt(Link, X, Y, MMX, MMY);
    UpdateCursor();
    if (!FEditing)
        return;
    if (FPartCreator->IsCreating())
        FPartCreator->MouseMove(X, Y);
    else if (FLinkMover->Moving())
        FLinkMover->MouseMove(Shift, X, Y);
}

void TGear::SurfaceMouseUp(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y,
                           double MMX, double MMY) {
    Raise(OnMouseUp, this, Button, Shift, X, Y, MMX, MMY);
    if (!FEditing || !FLinkMover->Moving())
        return;
    const bool Drop = FDownHitPart;
    EndDrag();
    if (!Drop)
        return;
    TMMUpdateBracket Batch(FMMSurface);
    const bool Changed = !FGearData->SelectedJoints().Empty()
                             ? DropJoint(Button, Shift, X, Y, MMX, MMY)
                             : DropSlider();
    if (Changed) {
        // A curve or plane position may have lost its joint or link.
        FCurves->RemoveOrphans();
        FPlanes->RemoveOrphans();
    }
}

bool TGear::DropJoint(TMouseButton Button, TShiftState Shift, int X, int Y, double MMX,
                      double MMY) {
    TJoint* Dragged = FGearData->SelectedJoints().First();
    TJoint* Target = FGearData->FindSnapJoint(Dragged);
    if (!Target)
        return false;
    bool Accept = true;
    Raise(OnAcceptJointConnection, this, Button, Shift, X, Y, MMX, MMY, Dragged, Target, Accept);
    if (!Accept)
        return false;
    FGearData->MergeJoints(Dragged, Target);
    return true;
}

bool TGear::DropSlider() {
    if (FGearData->SelectedLinks().Empty())
        return false;
    auto* Slider = AsSlider(FGearData->SelectedLinks().First());
    if (!Slider)
        return false;
    TCustomLink* Target = FGearData->FindSnapLink(Slider);
    if (!Target)
        return false;
    bool Accept = true;
    Raise(OnAcceptLinkConnection, this, Slider, Target, Accept);
    if (!Accept)
        return false;
    FGearData->ConnectSliderToLink(Slider, Target);
    return true;
}

// ---- hover ----

void TGear::HoverJointAt(TJoint* Joint, int X, int Y, double MMX, double MMY) {
    if (Joint == FHoverJoint)
        return;
    if (TJoint* Old = FHoverJoint) {
        SetHoverJoint(nullptr);
        Raise(OnMouseExitJoint, this, Old, X, Y, MMX, MMY);
    }
    if (Joint) {
        SetHoverJoint(Joint);
        Raise(OnMouseEnterJoint, this, Joint, X, Y, MMX, MMY);
    }
}

void TGear::HoverLinkAt(TCustomLink* Link, int X, int Y, double MMX, double MMY) {
    if (Link == FHoverLink)
        return;
    if (TCustomLink* Old = FHoverLink) {
        SetHoverLink(nullptr);
        Raise(OnMouseExitLink, this, Old, X, Y, MMX, MMY);
    }
    if (Link) {
        SetHoverLink(Link);
        Raise(OnMouseEnterLink, this, Link, X, Y, MMX, MMY);
    }
}

void TGear::SetHoverJoint(TJoint* Joint) {
    FHoverJoint = Joint;
}

void TGear::SetHoverLink(TCustomLink* Link) {
    FHoverLink = Link;
}

void TGear::DropHovers() {
    SetHoverJoint(nullptr);
    SetHoverLink(nullptr);
    UpdateCursor();
}

void TGear::UpdateCursor() const {
    if (!FMMSurface || !FMMSurface->Control())
        return;
    const bool Move = FEditing && FCanMoveItems && (FHoverJoint || FHoverLink);
    FMMSurface->Control()->SetCursor(Move ? TCursor::crSizeAll : TCursor::crDefault);
}
