// The main window for its tests: on scripted message boxes and file dialogs, or on the Qt backend
// where a test looks at what the window really draws; the settings file named into a scratch
// folder (never the user's), a start window that counts how often it was shown, scripted dialogs
// behind the other seams, copies of the four-bar fixture to open, and mechanisms built into its
// model.
#pragma once

#include "files/uFileManager.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "support/BuilderChecks.h"
#include "support/FakePlatform.h"
#include "support/NamedMechanisms.h"
#include "support/PreferencesFixture.h"
#include "support/QtSurfaceRig.h"
#include "support/QtTestApp.h"
#include "support/ScratchDir.h"
#include "ui/fmMain.h"

#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using TTexts = std::vector<std::string>;

template <class TRigPlatform> struct TBasicMainWindowRig {
    TBasicMainWindowRig() {
        Settings.Prefs().LoadFromFile(SettingsFile());
        Seams.StartWindowEndsProgram = [this] {
            ++StartWindowShown;
            return StartWindowEnds;
        };
        Seams.EditDrive = [this](TDrive&) {
            ++DriveDialogs;
            return DriveDialogAnswer;
        };
        Seams.EditLink = [this](TCustomLink& L) { Edited.push_back("link " + L.GetDisplayText()); };
        Seams.EditJoint = [this](TJoint& J) { Edited.push_back("joint " + J.GetDisplayText()); };
        Form = std::make_unique<TFormMain>(Seams);
    }
    ~TBasicMainWindowRig() {
        Build.reset();
        Form.reset();
    }
    TBasicMainWindowRig(const TBasicMainWindowRig&) = delete;
    TBasicMainWindowRig& operator=(const TBasicMainWindowRig&) = delete;

    // The window shown, with a builder on its model.
    void Show() {
        Form->show();
        Build = std::make_unique<TCheckedBuilder>(Model());
    }
    // A fresh window in place of the one there was, shown, with a builder on its model.
    void Reopen() {
        Build.reset();
        Form = std::make_unique<TFormMain>(Seams);
        Show();
    }

    std::string SettingsFile() const { return Scratch.File("settings.xml"); }
    bool SettingsWritten() const { return std::filesystem::exists(SettingsFile()); }

    // A copy of the four-bar linkage (four joints) in the scratch folder.
    std::string FourBar(const std::string& Name) const {
        const std::string Copy = Scratch.File(Name);
        std::filesystem::copy_file(std::string(KOPLAR_TEST_DATA_DIR) + "/files/four-bar.kxw", Copy,
                                   std::filesystem::copy_options::overwrite_existing);
        return Copy;
    }

    TGearData& Model() const { return Form->Gear()->GearData(); }
    int JointCount() const { return Model().Joints().Count(); }
    std::string DocumentName() const { return Form->FileManager()->GetDisplayName(); }
    // Two joints and a bar added to the model: a modified mechanism that is not empty.
    void DrawBar() const {
        TGearData& M = Model();
        TJoint* A = M.CreateJoint(10, 10);
        TJoint* B = M.CreateJoint(30, 10);
        TLink* Bar = M.CreateLink("Glied");
        Bar->AddJoint(A);
        Bar->AddJoint(B);
        M.DataChanged();
    }

    TTexts AskedTexts() const {
        TTexts Texts;
        for (const TAskedMessage& M : Platform.Scripted().Asked)
            Texts.push_back(M.Text);
        return Texts;
    }
    // The recent files by their names without folders, newest first.
    TTexts RecentNames() const {
        TTexts Names;
        for (const std::string& F : Form->RecentFiles1().Files())
            Names.push_back(std::filesystem::path(F).filename().string());
        return Names;
    }
    QMenu* RecentMenu() const { return Form->findChild<QMenu*>(QStringLiteral("RecentFiles1")); }

    TGear& Gear() const { return *Form->Gear(); }
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

    // The window tests' four-bar, and the window told of it.
    using TCrankRocker = TWindowFourBar;
    TCrankRocker CrankRocker() const {
        const TCrankRocker M = BuildWindowFourBar(*Build);
        Changed();
        return M;
    }

    QApplication& App = QtTestApp();
    mutable TRigPlatform Platform;
    TScratchDir Scratch;
    TPreferencesFixture Settings;
    TMainWindowSeams Seams;
    int StartWindowShown = 0;
    bool StartWindowEnds = false;
    int DriveDialogs = 0;
    bool DriveDialogAnswer = true;
    std::vector<std::string> Edited;
    std::unique_ptr<TFormMain> Form;
    std::unique_ptr<TCheckedBuilder> Build;
};

using TMainWindowRig = TBasicMainWindowRig<TFakePlatform>;
using TQtMainWindowRig = TBasicMainWindowRig<TInstalledQtPlatform>;

// The rig's window shown, with a builder on its model.
class TMainWindowTest : public ::testing::Test, public TMainWindowRig {
public:
    using TMainWindowRig::Run; // not the test's own
    TMainWindowTest() { Show(); }
};
