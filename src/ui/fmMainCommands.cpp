// What the window's commands do to the mechanism, its view and its animation.
#include "files/uFileManager.h"
#include "ui/fmMain.h"

void TFormMain::aEditExecute() {
    CancelCreation();
    FGear->SetEditing(true);
    UpdateControls();
    UpdateStatusBar(-1, -1);
    FMMSurface1->Repaint(true);
}

void TFormMain::aZoomFitExecute() {
    const TGearData& Data = FGear->GearData();
    if (Data.Links().Count() <= 1)
        return;
    if (FGear->GearCache().Filled()) {
        if (const std::optional<TMMRect> R = FGear->GearCache().GetCachedBounds())
            FMMSurface1->ZoomToMMRect(R->Left, R->Right, R->Bottom, R->Top);
        return;
    }
    FMMSurface1->ZoomToMMRect(Data.MinJointX(), Data.MaxJointX(), Data.MinJointY(),
                              Data.MaxJointY());
}

void TFormMain::aPropertiesExecute() {
    if (FGear->Animating())
        return;
    TGearData& Data = FGear->GearData();
    if (!Data.SelectedLinks().Empty()) {
        FSeams.EditLink(*Data.SelectedLinks().First());
        Data.DataChanged();
    }
    if (!Data.SelectedJoints().Empty()) {
        FSeams.EditJoint(*Data.SelectedJoints().First());
        Data.DataChanged();
    }
}

void TFormMain::CancelCreation() {
    if (FGear->PartCreator().IsCreating())
        FGear->PartCreator().CancelCreation();
}
