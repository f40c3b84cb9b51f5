// What the window's commands do to the mechanism, its view and its animation.
#include "files/uFileManager.h"
#include "gear/uCouplerPoints.h"
#include "gear/uDrive.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uSlider.h"
#include "platform/Platform.h"
#include "platform/qt/QtGuard.h"
#include "ui/BusyIndicator.h"
#include "ui/fmMain.h"

#include <QEvent>

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr double ZoomFactor = 1.25;

// Runs a command when the canvas is double clicked.
class TDoubleClickFilter : public QObject {
public:
    TDoubleClickFilter(QWidget* Canvas, std::function<void()> OnDoubleClick)
        : QObject(Canvas), FOnDoubleClick(std::move(OnDoubleClick)) {
        Canvas->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* Event) override {
        if (Event->type() == QEvent::MouseButtonDblClick)
            RunGuarded(FOnDoubleClick);
        return false;
    }

private:
    std::function<void()> FOnDoubleClick;
};

} // namespace

void TFormMain::ConnectCommands() {
    FActions.Connect(*this);
    new TDoubleClickFilter(FDrawArea, [this] { aPropertiesExecute(); });
}

// ---- modes ----

void TFormMain::aEditExecute() {
    CancelCreation();
    FGear->SetEditing(true);
    UpdateControls();
    UpdateStatusBar(-1, -1);
    FMMSurface1->Repaint(true);
}

void TFormMain::aAnimateExecute() {
    CancelCreation();
    if (FGear->Editing()) {
        FModifiedWhenAnimated = FFileManager->IsModified();
        FEditsWhenAnimated = FFileManager->CalcEditChecksum();
    }
    {
        const TBusyIndicator Busy(*StatusPanel(4), "Animation wird vorbereitet …");
        FGear->SetAnimating(true);
    }
    // Leaving edit mode dropped the selection without a selection event.
    if (FDataViewer)
        FDataViewer->Refresh();
    UpdateControls();
    UpdateStatusBar(-1, -1);
}

void TFormMain::aToggleCanMoveExecute() {
    FGear->SetCanMoveItems(!FGear->CanMoveItems());
    UpdateControls();
}

void TFormMain::CancelCreation() {
    if (FGear->PartCreator().IsCreating())
        FGear->PartCreator().CancelCreation();
}

// ---- creating parts ----

void TFormMain::StartCreation(TGearPartType Type, const std::string& Identifier) {
    CancelCreation();
    FGear->PartCreator().StartCreation(Type, Identifier);
    UpdateControls();
}

void TFormMain::aCreateLinkExecute() {
    StartCreation(TGearPartType::ptLink, "Glied");
}
void TFormMain::aCreateSliderExecute() {
    StartCreation(TGearPartType::ptSlider, "Gleitstein");
}
void TFormMain::aCreateRackPointExecute() {
    StartCreation(TGearPartType::ptRackJoint, "");
}

// ---- editing the selection ----

void TFormMain::aDeleteExecute() {
    FGear->DeleteSelection();
    if (FDataViewer)
        FDataViewer->SyncSelection();
}

void TFormMain::aAddJointExecute() {
    TGearData& Data = FGear->GearData();
    if (Data.SelectedLinks().Count() != 1)
        return;
    if (AddCouplerPoint(Data, *Data.SelectedLinks().First()))
        FMMSurface1->Update();
}

void TFormMain::aSeperateExecute() {
    FGear->GearData().SeparateSelection();
}

void TFormMain::a2ndMotionPointExecute() {
    TGearData& Data = FGear->GearData();
    if (Data.SelectedJoints().Count() != 1)
        return;
    TJoint* Joint = Data.SelectedJoints().First();
    if (Joint->Links().Count() != 2)
        return;
    if (SecondAssemblyKeepsSharedPoints(*Joint) &&
        MessageDlg("Steuerpunkte Q=A, K() oder S() für nachgeschaltete DGB behalten ihre "
                   "Absolutkoordinaten.\n\nBewegungsbereich ändern?",
                   TMsgDlgType::mtConfirmation, mbYes | mbNo) != TModalResult::mrYes)
        return;
    MoveToSecondAssemblyPosition(Data, *Joint);
}

void TFormMain::aOriginInJointExecute() {
    TGearData& Data = FGear->GearData();
    if (Data.SelectedJoints().Count() == 1 &&
        !Data.MoveOriginToJoint(Data.SelectedJoints().First()))
        MessageDlg("Der Ursprung kann nicht in dieses Gelenk gelegt werden: andere Gelenke lägen "
                   "dann außerhalb des zulässigen Bereichs.",
                   TMsgDlgType::mtInformation, mbOK);
}

void TFormMain::aPropertiesExecute() {
    // The dialogs edit the mechanism, which stands in a computed position while animating.
    if (FGear->Animating())
        return;
    TGearData& Data = FGear->GearData();
    // The dialogs write into the part themselves: "Übernehmen" raises its change at once, so
    // the window follows while the dialog is open, and its closing raises the change here.
    if (!Data.SelectedLinks().Empty()) {
        FSeams.EditLink(*Data.SelectedLinks().First());
        Data.DataChanged();
    }
    if (!Data.SelectedJoints().Empty()) {
        FSeams.EditJoint(*Data.SelectedJoints().First());
        Data.DataChanged();
    }
    Data.ShowEdits();
}

// ---- drives ----

void TFormMain::EditNewDrive(TDrive* Drive) {
    if (!Drive)
        return;
    TGearData& Data = FGear->GearData();
    if (Data.Edit([&] { return FSeams.EditDrive(*Drive); }))
        return;
    Data.RemoveDrive(Drive);
    Data.Parts().Remove(Drive); // frees it, and its symbol leaves the canvas
}

void TFormMain::aAddRotDriveExecute() {
    TGearData& Data = FGear->GearData();
    TDrive* Drive = nullptr;
    if (Data.SelectedLinks().Count() == 1 && AsBar(Data.SelectedLinks().First()))
        Drive = Data.AddRotaryDriveToLink(Data.SelectedLinks().First(), true);
    if (!Drive && Data.SelectedJoints().Count() == 1)
        Drive = Data.AddRotaryDrive(Data.SelectedJoints().First(), true);
    EditNewDrive(Drive);
    FMMSurface1->Repaint(false);
}

void TFormMain::aAddSlideDriveExecute() {
    TGearData& Data = FGear->GearData();
    if (Data.SelectedLinks().Count() == 1)
        if (auto* Slider = AsSlider(Data.SelectedLinks().First()))
            EditNewDrive(Data.AddSlidingDrive(Slider, true));
    FMMSurface1->Repaint(false);
}

// ---- coupler curves ----

void TFormMain::aLinkCurvesExecute() {
    const TGearData& Data = FGear->GearData();
    if (Data.SelectedLinks().Count() == 1)
        for (TJoint* Point : CouplerPoints(*Data.SelectedLinks().First()))
            FGear->GetCurve(Point);
}

void TFormMain::aRemoveLinkCurvesExecute() {
    const TGearData& Data = FGear->GearData();
    if (Data.SelectedLinks().Count() == 1)
        for (const TJoint* Point : CouplerPoints(*Data.SelectedLinks().First()))
            FGear->Curves().RemoveCurve(Point);
}

// ---- the view ----

void TFormMain::aZoomInExecute() {
    FMMSurface1->ZoomInAtPixel(FMMSurface1->GetCenterPixel(), ZoomFactor);
}

void TFormMain::aZoomOutExecute() {
    FMMSurface1->ZoomOutAtPixel(FMMSurface1->GetCenterPixel(), ZoomFactor);
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

void TFormMain::aCenterViewExecute() {
    FMMSurface1->CenterToPixel(FGear->MousePos());
}

// ---- animation ----

void TFormMain::aAnimStartExecute() {
    FGear->Animator().Play();
}

void TFormMain::aAnimStopExecute() {
    FGear->Animator().Stop(true);
}

void TFormMain::aAnimPauseExecute() {
    FGear->Animator().Pause();
    UpdateStatusBar(-1, -1);
}

void TFormMain::aAnimNextExecute() {
    FGear->Animator().Next();
    UpdateControls();
    UpdateStatusBar(-1, -1);
}

void TFormMain::aAnimPrevExecute() {
    FGear->Animator().Prev();
    UpdateControls();
    UpdateStatusBar(-1, -1);
}

// ---- other windows ----

void TFormMain::aOptionsExecute() {
    FSeams.ShowOptions();
}

void TFormMain::aShowGearDescriptionExecute() {
    // The author and the description are part of the document.
    FGear->GearData().Edit([this] {
        FSeams.ShowGearDescription();
        return true;
    });
}

void TFormMain::aAboutExecute() {
    FSeams.ShowAbout();
}

void TFormMain::aShowFuncExecute() {
    FGear->Animator().Stop(true);
    FSeams.ShowTransferFunctions();
    FGear->GearCache().ApplyPosition(0);
}

void TFormMain::PrintMenuExecute() {
    FActions["aPrint"]->trigger();
}

void TFormMain::PrinterSetupExecute() {
    FSeams.PrinterSetup();
}

void TFormMain::aPrintExecute() {
    TGearData& Data = FGear->GearData();
    // The tree and the commands follow the selection the print lets go of.
    Data.Edit([&] {
        Data.DeselectLinks();
        Data.DeselectJoints();
        if (const std::optional<int> View = FSeams.AskPrintView(); View && FMMPrinter) {
            try {
                FMMPrinter->Print(FFileManager->GetDisplayName(), *View);
            } catch (const std::exception& E) {
                MessageDlg(std::string("Das Getriebe konnte nicht gedruckt werden.\rFehler: ") +
                               E.what(),
                           TMsgDlgType::mtError, mbOK);
            }
        }
        return true;
    });
}
