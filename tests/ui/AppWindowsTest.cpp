// The program's windows as main() makes them: every command of the main window reaches the window
// that stands behind it, and the tree mirrors the mechanism.
#include "ui/AppWindows.h"
#include "gear/uGear.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "support/FakePlatform.h"
#include "support/PreferencesFixture.h"
#include "support/QtTestApp.h"
#include "support/ScratchDir.h"
#include "ui/ModalSeam.h"
#include "ui/fmMain.h"

#include <QAction>
#include <QDialog>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using TTitles = std::vector<std::string>;

class AppWindows : public ::testing::Test {
protected:
    AppWindows() {
        Settings.Prefs().LoadFromFile(Scratch.File("settings.xml"));
        Windows.FormMain().show();
        AtStart = Shown;
        Windows.FormMain().OpenFile(std::string(KOPLAR_TEST_DATA_DIR) + "/files/four-bar.kxw");
        Shown.clear();
    }
    TFormMain& Form() { return Windows.FormMain(); }
    TGearData& Model() { return Form().Gear()->GearData(); }
    void Trigger(const char* Action) { Form().Action(Action)->trigger(); }

    QApplication& App = QtTestApp();
    TFakePlatform Platform;
    TScratchDir Scratch;
    TPreferencesFixture Settings;
    TTitles Shown;
    TTitles AtStart;
    // Every window is answered with Abbrechen, as if closed at once.
    TScopedModalRunner Runner{[this](QDialog& Dialog) {
        Shown.push_back(Dialog.windowTitle().toStdString());
        return int(QDialog::Rejected);
    }};
    TAppWindows Windows{QtTestApp(), {QStringLiteral("koplar")}};
};

TEST_F(AppWindows, TheStartWindowComesFirstAndTheTreeShowsTheOpenedMechanism) {
    EXPECT_EQ(AtStart, TTitles{"KOPLAR für Windows"});
    EXPECT_TRUE(Form().isVisible());

    const auto* Tree = Form().findChild<QTreeWidget*>(QStringLiteral("tvGearData"));
    ASSERT_NE(Tree, nullptr);
    std::vector<std::string> Roots;
    for (int I = 0; I < Tree->topLevelItemCount(); ++I)
        Roots.push_back(Tree->topLevelItem(I)->text(0).toStdString());
    EXPECT_EQ(Roots, (std::vector<std::string>{"Glieder", "Gelenke", "Koppelpunkte", "Antriebe"}));
    EXPECT_GT(Tree->topLevelItem(0)->childCount(), 0);
}

TEST_F(AppWindows, EachCommandOpensItsWindow) {
    struct TCase {
        const char* Action;
        const char* Title;
    };
    const TCase Cases[] = {
        {"aOptions", "Einstellungen"},
        {"aAbout", "Info über KOPLAR für Windows (GE)"},
        {"aShowGearDescription", "Informationen zum Getriebe"},
        {"aPrint", "Getriebe drucken"},
    };
    for (const TCase& C : Cases) {
        Shown.clear();
        Trigger(C.Action);
        EXPECT_EQ(Shown, TTitles{C.Title}) << C.Action;
    }
}

TEST_F(AppWindows, PropertiesOpenTheDialogOfTheSelectedPart) {
    TCustomLink* Bar = Model().Links().Items(1);
    Model().SelectLink(Bar, false);
    Form().aPropertiesExecute();
    Model().SelectJoint(Bar->Joints().First(), false);
    Form().aPropertiesExecute();
    EXPECT_EQ(Shown, (TTitles{"Getriebeglied- Eigenschaften", "Gelenk - Eigenschaften"}));
}

TEST_F(AppWindows, ACancelledDriveDialogTakesTheNewDriveOut) {
    TJoint* Joint = nullptr;
    for (TJoint* J : Model().Joints())
        if (Model().CanAddRotaryDrive(J, false))
            Joint = J;
    ASSERT_NE(Joint, nullptr);
    const int Drives = Model().Drives().Count();
    Model().SelectJoint(Joint, false);
    Form().aAddRotDriveExecute();
    EXPECT_EQ(Shown, TTitles{"Antrieb - Eigenschaften"});
    EXPECT_EQ(Model().Drives().Count(), Drives);
}

TEST_F(AppWindows, TheTransferFunctionsOpenInAnimationMode) {
    Trigger("aAnimate");
    ASSERT_TRUE(Form().Gear()->Animating());
    Trigger("aShowFunc");
    EXPECT_EQ(Shown, TTitles{"Übertragungsfunktionen"});
}

} // namespace
