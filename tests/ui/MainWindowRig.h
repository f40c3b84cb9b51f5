// A shown main window for the tests of its commands, status bar and the model's events: scripted
// message boxes, scripted dialogs behind the seams, default settings, and mechanisms built into
// its model.
#pragma once

#include "files/uFileManager.h"
#include "support/FakePlatform.h"
#include "support/MechanismBuilder.h"
#include "support/PreferencesFixture.h"
#include "support/QtTestApp.h"
#include "support/ScratchDir.h"
#include "ui/fmMain.h"

#include <QLabel>
#include <QToolBar>
#include <QToolButton>

#include <memory>
#include <string>
#include <vector>

class TMainWindowTest : public ::testing::Test {
public:
    TMainWindowTest() {
        Seams.EditDrive = [this](TDrive&) {
            ++DriveDialogs;
            return DriveDialogAnswer;
        };
        Seams.EditLink = [this](TCustomLink& L) { Edited.push_back("link " + L.GetDisplayText()); };
        Seams.EditJoint = [this](TJoint& J) { Edited.push_back("joint " + J.GetDisplayText()); };
        Form = std::make_unique<TFormMain>(Seams);
        Form->show();
        Build = std::make_unique<TMechanismBuilder>(Model());
    }
    ~TMainWindowTest() override {
        Build.reset();
        Form.reset();
    }

    TGear& Gear() const { return *Form->Gear(); }
    TGearData& Model() const { return Form->Gear()->GearData(); }
    QAction* Action(const char* Name) const { return Form->Action(Name); }
    void Run(const char* Name) const { Action(Name)->trigger(); }
    // Runs the command even where the fresh states disable it, as states not yet refreshed let
    // it run.
    void Force(const char* Name) const {
        Action(Name)->setEnabled(true);
        Run(Name);
    }
    std::string Panel(int Index) const { return Form->StatusPanel(Index)->text().toStdString(); }
    std::string Caption() const { return Form->windowTitle().toStdString(); }
    // The buttons of the right-hand tool bar, each with its command.
    std::vector<QToolButton*> RightButtons() const {
        std::vector<QToolButton*> Buttons;
        for (QToolButton* B :
             Form->findChild<QToolBar*>(QStringLiteral("tbRight"))->findChildren<QToolButton*>())
            if (B->defaultAction())
                Buttons.push_back(B);
        return Buttons;
    }
    // Tells the window that the model changed, as the editing code does.
    void Changed() const { Model().DataChanged(); }
    void Select(TJoint* J) const { Model().SelectJoint(J, false); }
    void Select(TCustomLink* L) const { Model().SelectLink(L, false); }

    // A crank rocker with a rotary drive at the frame joint A; the frame joints A and D.
    struct TCrankRocker {
        TJoint *A, *B, *C, *D;
        TLink *Crank, *Coupler, *Rocker;
    };
    TCrankRocker CrankRocker() const {
        TCrankRocker M{};
        M.A = Build->FrameJoint(0, 0);
        M.D = Build->FrameJoint(60, 0);
        M.B = Build->Joint(0, 20);
        M.C = Build->Joint(60, 40);
        M.Crank = Build->Link({M.A, M.B});
        M.Coupler = Build->Link({M.B, M.C});
        M.Rocker = Build->Link({M.D, M.C});
        // The crank turns once round in 10 degree steps.
        TDrive* Drive = Build->RotaryDrive(M.A);
        for (int I = 0; I <= 36; ++I)
            Drive->SetValue(I, I * 3.14159265358979323846 / 18);
        Changed();
        return M;
    }

    QApplication& App = QtTestApp();
    TFakePlatform Platform;
    TPreferencesFixture Settings;
    TScratchDir Scratch;
    TMainWindowSeams Seams;
    int DriveDialogs = 0;
    bool DriveDialogAnswer = true;
    std::vector<std::string> Edited;
    std::unique_ptr<TFormMain> Form;
    std::unique_ptr<TMechanismBuilder> Build;
};
