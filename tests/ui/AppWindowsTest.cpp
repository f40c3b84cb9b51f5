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
#include "xml/XMLPrefs.h"

#include <QAction>
#include <QDialog>
#include <QMouseEvent>
#include <QTest>
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
    QTreeWidget* Tree() { return Form().findChild<QTreeWidget*>(QStringLiteral("tvGearData")); }
    QPoint PixelOf(const TJoint* J) {
        const TPoint P = Form().MMSurface1().MMToPixel(J->Position(), true);
        return QPoint(P.X, P.Y);
    }
    // A press on From, a move with the button held and the release at To.
    void Drag(QPoint From, QPoint To) {
        QWidget* Area = Form().DrawArea();
        QTest::mousePress(Area, Qt::LeftButton, {}, From);
        QMouseEvent Move(QEvent::MouseMove, To, Area->mapToGlobal(To), Qt::NoButton, Qt::LeftButton,
                         {});
        QApplication::sendEvent(Area, &Move);
        QTest::mouseRelease(Area, Qt::LeftButton, {}, To);
    }
    // The text of the tree's current node, and the model's one selected part.
    std::string CurrentNode() {
        const QTreeWidgetItem* Node = Tree()->currentItem();
        return Node ? Node->text(0).toStdString() : std::string();
    }
    std::string SelectedPart() {
        if (Model().SelectedLinks().Count() + Model().SelectedJoints().Count() != 1)
            return "Glieder";
        return Model().SelectedLinks().Empty() ? Model().SelectedJoints().First()->GetDisplayText()
                                               : Model().SelectedLinks().First()->GetDisplayText();
    }
    bool Stored(const char* Setting) { return PreferenceStore().GetBoolean("Window", Setting); }

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

// The tree's current node is the model's selected part, or the root "Glieder", which names no
// part, after a merge that moves the kept joint to another root and after animation mode dropped
// the selection; Delete on the tree then deletes only what is selected.
TEST_F(AppWindows, TheTreesCurrentNodeFollowsTheSelection) {
    Model().SelectLink(Model().Links().Items(1), false);
    EXPECT_EQ(CurrentNode(), SelectedPart());
    Trigger("aAnimate");
    ASSERT_TRUE(Form().Gear()->Animating());
    EXPECT_EQ(CurrentNode(), "Glieder");
    Trigger("aEdit");
    const int Links = Model().Links().Count();
    QTest::keyClick(Tree(), Qt::Key_Delete);
    EXPECT_EQ(Model().Links().Count(), Links);

    TJoint* A0 = Model().Joints().Items(0);
    TJoint* B0 = Model().Joints().Items(1);
    TJoint* P = Model().CreateJoint(20, -30);
    TJoint* Q = Model().CreateJoint(40, -30);
    for (auto [From, To] : {std::pair{A0, P}, std::pair{B0, Q}}) {
        TLink* Bar = Model().CreateLink("Glied");
        Bar->AddJoint(From);
        Bar->AddJoint(To);
    }
    Model().DataChanged();
    // Q dropped onto P: P lies on two links now and changes roots.
    Drag(PixelOf(Q), PixelOf(P));
    ASSERT_FALSE(Model().Joints().Contains(Q)) << "merged";
    ASSERT_TRUE(Model().SelectedJoints().Contains(P));
    EXPECT_EQ(CurrentNode(), SelectedPart());
    const int Joints = Model().Joints().Count();
    QTest::keyClick(Tree(), Qt::Key_Delete);
    EXPECT_EQ(Model().Joints().Count(), Joints - 1);
    EXPECT_FALSE(Model().Joints().Contains(P)) << "the selected joint, no other";
}

// Opening a root to show the node of a part selected on the canvas is not the user's choice; a
// root the user opens is remembered.
TEST_F(AppWindows, OnlyTheUsersExpandAndCollapseAreStored) {
    ASSERT_FALSE(Stored("ExpandJoints"));
    TJoint* A = Model().Joints().Items(2);
    QTest::mouseClick(Form().DrawArea(), Qt::LeftButton, {}, PixelOf(A));
    ASSERT_TRUE(Model().SelectedJoints().Contains(A));
    EXPECT_EQ(CurrentNode(), A->GetDisplayText());
    EXPECT_FALSE(Stored("ExpandJoints"));
    // The next refresh applies the settings and opens the root again for the selected node.
    Model().DataChanged();
    EXPECT_TRUE(Tree()->topLevelItem(1)->isExpanded());
    EXPECT_FALSE(Stored("ExpandJoints"));
    Tree()->setCurrentItem(Tree()->topLevelItem(1));
    QTest::keyClick(Tree(), Qt::Key_Left);
    QTest::keyClick(Tree(), Qt::Key_Right);
    EXPECT_TRUE(Stored("ExpandJoints"));
    QTest::keyClick(Tree(), Qt::Key_Left);
    EXPECT_FALSE(Stored("ExpandJoints"));
}

} // namespace
