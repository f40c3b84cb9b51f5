// A main window for the tests of its documents and its life: scripted message boxes and file
// dialogs, the settings file named into a scratch folder (never the user's), a start window that
// counts how often it was shown, and copies of the four-bar fixture to open.
#pragma once

#include "files/uFileManager.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "support/FakePlatform.h"
#include "support/PreferencesFixture.h"
#include "support/QtTestApp.h"
#include "support/ScratchDir.h"
#include "ui/fmMain.h"

#include <QMenu>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using TTexts = std::vector<std::string>;

struct TFormMainRig {
    TFormMainRig() {
        Settings.Prefs().LoadFromFile(SettingsFile());
        Seams.StartWindowEndsProgram = [this] {
            ++StartWindowShown;
            return StartWindowEnds;
        };
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
        TJoint* A = M.CreateJoint(true, true, 10, 10);
        TJoint* B = M.CreateJoint(true, true, 30, 10);
        TLink* Bar = M.CreateLink(true, true, "Glied");
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

    QApplication& App = QtTestApp();
    mutable TFakePlatform Platform;
    TScratchDir Scratch;
    TPreferencesFixture Settings;
    TMainWindowSeams Seams;
    int StartWindowShown = 0;
    bool StartWindowEnds = false;
    std::unique_ptr<TFormMain> Form = std::make_unique<TFormMain>(Seams);
};
