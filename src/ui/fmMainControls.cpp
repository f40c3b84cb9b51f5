// Which commands the window offers for the mode, the selection, the part being drawn, the
// animation and the document.
#include "files/uFileManager.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uSlider.h"
#include "ui/fmMain.h"

#include <QToolBar>

namespace {

// The second assembly position is found for two bars or plates, or where the second link turns
// about a joint the first one slides with.
bool HasSecondAssemblyPosition(const TJoint& Joint) {
    if (Joint.Links().Count() != 2)
        return false;
    const TCustomLink* L0 = Joint.Links().Items(0);
    const TCustomLink* L1 = Joint.Links().Items(1);
    return (AsBar(L0) && AsBar(L1)) || (IsSliderOnSlideLink(L0) && AsBar(L1)) ||
           (AsSlider(L0) && IsSliderOnSlideLink(L1));
}

} // namespace

void TFormMain::UpdateControls() {
    if (FInitializing || FClosing)
        return;
    const TGearData& Data = FGear->GearData();
    const bool E = FGear->Editing();
    const bool A = FGear->Animating();
    const int nL = Data.SelectedLinks().Count();
    const int nJ = Data.SelectedJoints().Count();
    const TCustomLink* L = nL == 1 ? Data.SelectedLinks().First() : nullptr;
    const TJoint* J = nJ == 1 ? Data.SelectedJoints().First() : nullptr;
    auto Enable = [this](const char* Name, bool On) { FActions[Name]->setEnabled(On); };
    auto Check = [this](const char* Name, bool On) { FActions[Name]->setChecked(On); };

    Enable("aDelete", E && (nJ > 0 || nL > 0));
    Enable("aAddJoint", E && L && !Data.IsSlideLink(L));
    Enable("aOriginInJoint", E && J && Data.IsFrameJoint(J));
    Enable("aLinkCurves", E && L);
    Enable("aRemoveLinkCurves", E && L);
    Check("aToggleCanMove", FGear->CanMoveItems());
    const bool OneJoint = E && J;
    Enable("aAddRotDrive", OneJoint && Data.CanAddRotaryDrive(J, false));
    Enable("aSeperate", OneJoint && J->Links().Count() >= 2);
    Enable("a2ndMotionPoint", OneJoint && HasSecondAssemblyPosition(*J));
    const bool OneLink = E && L;
    Enable("aAddSlideDrive", OneLink && AsSlider(L) && Data.CanAddDriveToLink(L, true));
    if (OneLink && AsBar(L))
        Enable("aAddRotDrive", Data.CanAddDriveToLink(L, false));

    const TGearPartCreator& Creator = FGear->PartCreator();
    auto Creating = [&Creator](TGearPartType Type) {
        return Creator.IsCreating() && Creator.PartType() == Type;
    };
    Check("aCreateLink", Creating(TGearPartType::ptLink));
    Check("aCreateSlider", Creating(TGearPartType::ptSlider));
    Check("aCreateRackPoint", Creating(TGearPartType::ptRackJoint));
    FRightBar->setEnabled(E);
    for (const char* Name : {"aCreateLink", "aCreateSlider", "aCreateRackPoint"})
        Enable(Name, E);
    // The mode buttons show these checks pressed.
    Check("aEdit", E);
    Check("aAnimate", A);

    const TAnimator& Animator = FGear->Animator();
    const bool P = Animator.IsPlaying();
    const bool Z = Animator.IsPaused();
    const bool C = FGear->CanAnimate();
    Enable("aAnimStart", A && C && !P);
    Enable("aAnimStop", A && C && P);
    Enable("aAnimPause", A && (P || Z));
    Enable("aAnimNext", A && ((C && !P) || Z));
    Enable("aAnimPrev", A && ((C && !P) || Z));
    Enable("aShowFunc", FActions["aAnimate"]->isChecked());
    Enable("aFileSave", IsModified());
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
