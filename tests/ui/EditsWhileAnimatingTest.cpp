// Edits made in animation mode are edits of the document: the caption stars them, "Speichern" is
// offered, and every command that drops the mechanism asks first. The animated positions are not.
#include "files/uFileManager.h"
#include "gear/uGear.h"
#include "gear/uLink.h"
#include "support/FakePlatform.h"
#include "support/PreferencesFixture.h"
#include "support/QtTestApp.h"
#include "support/ScratchDir.h"
#include "ui/AppWindows.h"
#include "ui/ModalSeam.h"
#include "ui/fmMain.h"

#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

enum class TEdit { Rename, Author };
enum class TCommand { New, Open, Recent, Close };

class EditsWhileAnimating : public ::testing::Test {
protected:
    EditsWhileAnimating() {
        Settings.Prefs().LoadFromFile(Scratch.File("settings.xml"));
        std::filesystem::copy_file(std::string(KOPLAR_TEST_DATA_DIR) + "/files/four-bar.kxw", File);
        Form().show();
        Form().OpenFile(File);
        Platform.Scripted().Asked.clear();
    }
    TFormMain& Form() { return Windows.FormMain(); }
    TGearData& Model() { return Form().Gear()->GearData(); }
    QTreeWidget* Tree() { return Form().findChild<QTreeWidget*>(QStringLiteral("tvGearData")); }
    bool Starred() { return Form().windowTitle().endsWith('*'); }

    void Animate() {
        Form().Action("aAnimate")->trigger();
        ASSERT_TRUE(Form().Gear()->Animating());
        Form().Gear()->Animator().Next();
        Form().Gear()->Animator().Next();
    }
    // F2 on the crank's node, a new name and Return.
    void RenameInTree() {
        QTreeWidgetItem* Links = Tree()->topLevelItem(0);
        Tree()->setCurrentItem(Links->child(1));
        Tree()->setFocus();
        QTest::keyClick(Tree(), Qt::Key_F2);
        QLineEdit* Edit = nullptr;
        for (QLineEdit* E : Tree()->viewport()->findChildren<QLineEdit*>())
            if (E->isVisible())
                Edit = E;
        ASSERT_NE(Edit, nullptr);
        Edit->setText(QStringLiteral("Kurbel neu"));
        QTest::keyClick(Edit, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    void Edit(TEdit Kind) {
        if (Kind == TEdit::Rename)
            RenameInTree();
        else if (Kind == TEdit::Author)
            Form().Action("aShowGearDescription")->trigger();
    }
    void Run(TCommand Command) {
        switch (Command) {
        case TCommand::New:
            Form().Action("aFileNew")->trigger();
            break;
        case TCommand::Open:
            Platform.ScriptedFileDialogs().Answers = {File};
            Form().Action("aFileOpen")->trigger();
            break;
        case TCommand::Recent:
            Form().findChild<QMenu*>(QStringLiteral("RecentFiles1"))->actions().front()->trigger();
            break;
        case TCommand::Close:
            Form().close();
            break;
        }
    }
    std::vector<std::string> Asked() {
        std::vector<std::string> Texts;
        for (const TAskedMessage& M : Platform.Scripted().Asked)
            Texts.push_back(M.Text);
        return Texts;
    }

    QApplication& App = QtTestApp();
    TFakePlatform Platform;
    TScratchDir Scratch;
    TPreferencesFixture Settings;
    std::string File = Scratch.File("four-bar.kxw");
    QString Author = QStringLiteral("Zweite Hand");
    // The mechanism information is given the author and saved; every other window is closed.
    TScopedModalRunner Runner{[this](QDialog& Dialog) {
        if (Dialog.windowTitle() != QStringLiteral("Informationen zum Getriebe"))
            return int(QDialog::Rejected);
        Dialog.findChild<QLineEdit*>()->setText(Author);
        for (QPushButton* Button : Dialog.findChildren<QPushButton*>())
            if (Button->text() == QStringLiteral("Speichern"))
                Button->click();
        return Dialog.result();
    }};
    TAppWindows Windows{QtTestApp(), {QStringLiteral("koplar")}};
};

TEST_F(EditsWhileAnimating, AnEditCountsAndEveryCommandThatDropsTheMechanismAsks) {
    const char* const Prompt = "Änderungen in four-bar.kxw speichern?";
    for (TEdit Kind : {TEdit::Rename, TEdit::Author})
        for (TCommand Command :
             {TCommand::New, TCommand::Open, TCommand::Recent, TCommand::Close}) {
            SCOPED_TRACE(int(Kind) * 10 + int(Command));
            Form().OpenFile(File);
            Animate();
            ASSERT_FALSE(Starred()) << "moving joints is no edit";
            Edit(Kind);
            EXPECT_TRUE(Starred());
            EXPECT_TRUE(Form().Action("aFileSave")->isEnabled());
            Platform.Scripted().Asked.clear();
            Platform.Scripted().Answers = {TModalResult::mrAbort};
            Run(Command);
            EXPECT_EQ(Asked(), std::vector<std::string>{Prompt});
            EXPECT_TRUE(Form().isVisible());
            EXPECT_EQ(Form().FileManager()->GetDisplayName(), "four-bar.kxw");
            bool Renamed = false;
            for (const TCustomLink* L : Model().Links())
                Renamed = Renamed || L->Identifier() == "Kurbel neu";
            EXPECT_EQ(Renamed, Kind == TEdit::Rename) << "the edit is still there";
            EXPECT_EQ(Model().GearInfo().Author() == "Zweite Hand", Kind == TEdit::Author);
        }
}

TEST_F(EditsWhileAnimating, AnimatingAloneAsksNothing) {
    Author = QString::fromStdString(Model().GearInfo().Author());
    Animate();
    Form().Action("aShowGearDescription")->trigger(); // saved without a change
    Model().DataChanged();
    EXPECT_FALSE(Starred());
    EXPECT_FALSE(Form().Action("aFileSave")->isEnabled());
    Platform.ScriptedFileDialogs().Answers = {File};
    Form().Action("aFileOpen")->trigger();
    EXPECT_TRUE(Asked().empty());
}

} // namespace
