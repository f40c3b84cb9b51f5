// The status bar, the caption and the handlers of the model's events.
#include "files/uFileManager.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uLinkMover.h"
#include "platform/FormatNumber.h"
#include "platform/Platform.h"
#include "ui/StatusPanel.h"
#include "ui/fmMain.h"

#include <QLabel>

#include <string>
#include <vector>

namespace {

bool HasSeveralLinks(const TJoint& Joint) {
    return Joint.Links().Count() > 1;
}

std::string Millimetres(double Value) {
    return FormatFixed(Value, 3) + " mm";
}

} // namespace

void TFormMain::BindGearEvents() {
    FGear->OnMouseMove = [this](TObject*, TShiftState, int X, int Y, double, double) {
        UpdateStatusBar(X, Y);
    };
    FGear->OnAcceptJointConnection = [this](TObject*, TMouseButton, TShiftState Shift, int, int,
                                            double, double, TJoint* Joint1, TJoint* Joint2,
                                            bool& Accept) {
        Accept = GearAcceptJointConnection(Shift, *Joint1, *Joint2);
    };
    FGear->PartCreator().OnPartCreated = [this](TObject*, TGearPart* Part, TGearPartType Type) {
        GearPartCreated(Part, Type);
    };
    TGearData& Data = FGear->GearData();
    Data.OnDataChanged = [this](TObject*) { GearDataChanged(); };
    Data.OnLinkSelected = [this](TObject*) { GearSelectionChanged(); };
    Data.OnJointSelected = [this](TObject*) { GearSelectionChanged(); };
    TAnimator& Animator = FGear->Animator();
    Animator.OnNext = [this](TObject*) { UpdateStatusBar(-1, -1); };
    const TNotifyEvent StateChanged = [this](TObject*) {
        UpdateControls();
        UpdateStatusBar(-1, -1);
    };
    Animator.OnPlay = StateChanged;
    Animator.OnStop = StateChanged;
    Animator.OnPause = StateChanged;
}

void TFormMain::GearDataChanged() {
    CountEditWhileAnimating();
    if (FDataViewer)
        FDataViewer->Refresh();
    UpdateControls();
    // The mouse's move was shown before it moved the dragged parts: show where they are now.
    if (FGear->LinkMover().Moving())
        UpdateStatusBar(FGear->MousePos().X, FGear->MousePos().Y);
}

void TFormMain::GearSelectionChanged() {
    UpdateControls();
    UpdateStatusBar(NoMousePosition, NoMousePosition);
    if (FDataViewer)
        FDataViewer->SyncSelection();
}

void TFormMain::GearPartCreated(TGearPart* Part, TGearPartType PartType) {
    FGear->PartCreator().AddToModel(Part, PartType);
}

bool TFormMain::GearAcceptJointConnection(TShiftState Shift, TJoint& Joint1, TJoint& Joint2) {
    bool Accept =
        !Shift.Contains(TShiftState::ssCtrl) && !FGear->GearData().FindCommonLink(&Joint1, &Joint2);
    if (Accept && (HasSeveralLinks(Joint1) || HasSeveralLinks(Joint2)))
        Accept = MessageDlg("Sollen die folgenden Punkte miteinander verbunden werden?\r\n     " +
                                Joint1.GetDisplayText() + "\r\n     " + Joint2.GetDisplayText(),
                            TMsgDlgType::mtConfirmation, mbYes | mbNo) == TModalResult::mrYes;
    if (!Accept)
        FMMSurface1->Control()->SetCursor(TCursor::crNo);
    return Accept;
}

void TFormMain::UpdateStatusBar(int X, int Y) {
    if (FInitializing || FClosing)
        return;
    const TGearData& Data = FGear->GearData();
    const TCustomLink* L =
        Data.SelectedLinks().Count() == 1 ? Data.SelectedLinks().First() : nullptr;
    const TJoint* J = Data.SelectedJoints().Count() == 1 ? Data.SelectedJoints().First() : nullptr;
    // Without a mouse position the panels that depend on it keep what the last move wrote.
    const bool AtMouse = X != NoMousePosition || Y != NoMousePosition;

    SetPanel(4, ModeText(FGear->Animating(), FGear->Animator().ActualGearPosition()));
    if (FMMSurface1->ScaleX() != 0) {
        if (AtMouse) {
            FMouseWorld =
                MMPoint(FMMSurface1->PixelToMMX(X, true), FMMSurface1->PixelToMMY(Y, true));
            SetPanel(1, "x=" + Millimetres(FMouseWorld->X) + "  y=" + Millimetres(FMouseWorld->Y));
        }
        // A link's form needs a point: the one panel 1 shows. Another part's text never stays.
        if (L && FMouseWorld) {
            const TMMPoint Local = L->GlobalToLocal(*FMouseWorld);
            const std::string ID = std::to_string(L->ID());
            SetPanel(2, "x(" + ID + ")=" + Millimetres(Local.X) + "  y(" + ID +
                            ")=" + Millimetres(Local.Y));
        } else if (J && !L) {
            SetPanel(2, "x=" + Millimetres(J->X()) + "  y=" + Millimetres(J->Y()));
        } else {
            SetPanel(2, "");
        }
    }
    if (AtMouse) {
        if (const TJoint* Joint = Data.FindJointAt(X, Y))
            SetPanel(3, "Gelenk: " + Joint->GetDisplayText());
        else if (const TCustomLink* Link = Data.FindLinkAt(X, Y))
            SetPanel(3, "Glied: " + Link->GetDisplayText());
        else
            SetPanel(3, "");
    }
    UpdateCaption();
}

void TFormMain::SetPanel(int Index, const std::string& Text) {
    FStatusPanels[Index]->setText(QString::fromUtf8(Text));
}

void TFormMain::UpdateCaption() {
    if (!FileManager())
        return;
    const std::string Name = FFileManager->GetDisplayName();
    setWindowTitle(QString::fromUtf8("KOPLAR für Windows - " + Name + (IsModified() ? "*" : "")));
}
