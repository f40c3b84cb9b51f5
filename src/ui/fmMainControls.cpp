// The commands' states brought up to the mode, the selection, the part being drawn, the animation
// and the document, as the command table's rules say.
#include "files/uFileManager.h"
#include "ui/fmMain.h"

#include <QToolBar>

void TFormMain::UpdateControls() {
    if (FInitializing || FClosing)
        return;
    const TGearData& Data = FGear->GearData();
    const int nL = Data.SelectedLinks().Count();
    const int nJ = Data.SelectedJoints().Count();
    const TCommandState State{*FGear,
                              Data,
                              FGear->Editing(),
                              FGear->Animating(),
                              nL,
                              nJ,
                              nL == 1 ? Data.SelectedLinks().First() : nullptr,
                              nJ == 1 ? Data.SelectedJoints().First() : nullptr,
                              IsModified()};
    FRightBar->setEnabled(State.Editing);
    FActions.Update(State);
    UpdateCaption();
}

bool TFormMain::IsModified() {
    if (!FileManager())
        return false;
    return FGear->Animating() ? FModifiedWhenAnimated : FFileManager->IsModified();
}

void TFormMain::CountEditWhileAnimating() {
    if (FileManager() && FGear->Animating() && !FModifiedWhenAnimated)
        FModifiedWhenAnimated = FFileManager->CalcEditChecksum() != FEditsWhenAnimated;
}
