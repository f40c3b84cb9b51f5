#include "files/ApplyPreferences.h"

#include "files/Preferences.h"
#include "gear/uAnimator.h"
#include "gear/uCrvPln.h"
#include "gear/uCrvPlnPrefs.h"
#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "surface/MMCoord.h"
#include "surface/MMDiagram.h"
#include "surface/MMGrid.h"
#include "surface/MMSurface.h"

namespace {

// A colour the user or the mechanism file gave the link stays; the others follow the settings.
void ApplyToLinkKeepingOwnColor(TCustomLink& Link, const TCustomXMLPreferences& P) {
    const bool Own = Link.HasOwnLineColor();
    const TColor Color = Link.LineColor();
    ApplyToLink(Link, P);
    if (Own)
        Link.SetLineColor(Color);
}

void ApplyToAnimator(TAnimator& Animator, const TCustomXMLPreferences& P) {
    Animator.SetTimerInterval(P.GetInteger("Animator", "TimerInterval"));
    Animator.SetContinuously(P.GetBoolean("Animator", "Continuously"));
    Animator.SetJumpToFirstIfStoppped(P.GetBoolean("Animator", "JumpToFirstIfStoppped"));
}

} // namespace

void ApplyToSurface(TMMSurface* Surface, const TCustomXMLPreferences& P) {
    if (Surface)
        Surface->SetBackGroundColor(P.GetColor("MMSurface", "BackGroundColor"));
}

void ApplyToGrid(TMMGrid* Grid, const TCustomXMLPreferences& P) {
    if (!Grid)
        return;
    Grid->SetOrder(P.GetInteger("Order", "MMGrid"));
    Grid->SetVisible(P.GetBoolean("MMGrid", "Visible"));
    Grid->SetGridColor(P.GetColor("MMGrid", "GridColor"));
}

void ApplyToCoord(TMMCoord* Coord, const TCustomXMLPreferences& P) {
    if (!Coord)
        return;
    Coord->SetOrder(P.GetInteger("Order", "MMCoord"));
    Coord->SetVisible(P.GetBoolean("MMCoord", "Visible"));
    Coord->SetAxisColor(P.GetColor("MMCoord", "AxisColor"));
    Coord->SetArrowHeight(P.GetInteger("MMCoord", "ArrowHeight"));
    Coord->SetArrowWidth(P.GetInteger("MMCoord", "ArrowWidth"));
}

void TPreferences::ApplyToAll(const TApplyTargets& T) const {
    // Only the main window is batched, so it repaints once at the end.
    TMMUpdateBracket MainBatch(T.Main.Surface);
    ApplyToSurface(T.Main.Surface, *this);
    ApplyToSurface(T.Func.Surface, *this);
    ApplyToGrid(T.Main.Grid, *this);
    ApplyToGrid(T.Func.Grid, *this);
    ApplyToCoord(T.Main.Coord, *this);
    ApplyToCoord(T.Func.Coord, *this);
    if (T.Diagram)
        T.Diagram->SetOrder(GetInteger("Order", "Diagram"));
    if (T.GearData) {
        for (TJoint* Joint : T.GearData->Joints())
            ApplyToJoint(*Joint, *this);
        for (TCustomLink* Link : T.GearData->Links())
            ApplyToLinkKeepingOwnColor(*Link, *this);
    }
    if (T.Animator)
        ApplyToAnimator(*T.Animator, *this);
    if (T.GearData)
        for (TDrive* Drive : T.GearData->Drives())
            ApplyToDrive(*Drive, *this);
    if (T.Curves)
        for (int I = 0; I < T.Curves->Count(); ++I)
            ApplyToCurve(*T.Curves->GetItem(I), *this);
    if (T.Planes)
        for (int I = 0; I < T.Planes->Count(); ++I)
            ApplyToPlane(*T.Planes->GetItem(I), *this);
}
