#include "gear/uLinkMover.h"

#include "gear/uGearData.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "surface/MMSurface.h"

#include <vector>

void TLinkMover::MouseDown(int X, int Y) {
    FX0 = X;
    FY0 = Y;
    FMoving = true;
}

void TLinkMover::MouseMove(TShiftState Shift, int X, int Y) {
    TMMSurface* Surface = FGearData.MMSurface();
    if (!Surface)
        return;
    Surface->BeginUpdate();
    if (Shift.Contains(TShiftState::ssLeft)) {
        // Pixel y grows downwards, world y upwards.
        const double DX = (X - FX0) / Surface->ScaleX();
        const double DY = (FY0 - Y) / Surface->ScaleY();
        // Copies: a move may reach handlers that change the selection.
        const std::vector<TCustomLink*> Links(FGearData.SelectedLinks().begin(),
                                              FGearData.SelectedLinks().end());
        for (TCustomLink* Link : Links)
            Link->MoveUpdating(this, true, DX, DY);
        const std::vector<TJoint*> Joints(FGearData.SelectedJoints().begin(),
                                          FGearData.SelectedJoints().end());
        for (TJoint* Joint : Joints)
            Joint->MoveBy(this, DX, DY);
        FMoving = true;
        FGearData.DataChanged();
    }
    FX0 = X;
    FY0 = Y;
    Surface->EndUpdate();
}
