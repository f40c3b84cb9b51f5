// The main window's life: its first showing, the start window, closing with the settings it
// stores then, and the box for errors that no command handled.
#include "MainWindowRig.h"
#include "support/QtSurfaceRig.h"
#include "ui/AppWindows.h"
#include "ui/ModalSeam.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

const char* const ErrorText = "In der Anwendung ist ein Fehler aufgetreten.\r\n\r\nMeldung: "
                              "'kaputt'\r\n\r\nSoll das Programm beendet werden?";

class FormMainLifecycle : public ::testing::Test, protected TMainWindowRig {
protected:
    QAction* StartWindowItem() const {
        return Form->findChild<QAction*>(QStringLiteral("Startbildschirm1"));
    }
    // The settings file as read by a new store.
    std::unique_ptr<TPreferences> StoredSettings() const {
        auto Stored = std::make_unique<TPreferences>();
        // The window's place has no defaults: its items are made before they are read.
        for (const char* Name : {"Left", "Top", "Width", "Height"})
            Stored->SetValue("Window", Name, -1);
        Stored->LoadFromFile(SettingsFile());
        return Stored;
    }
};

TEST_F(FormMainLifecycle, TheStartHappensAtTheFirstShowingOnly) {
    Settings.Prefs().SetValue("Program", "StartMaximized", false);
    Form->show();
    Form->hide();
    Form->show();
    EXPECT_EQ(StartWindowShown, 1);
    EXPECT_FALSE(Form->Initializing());
    EXPECT_FALSE(Form->isMaximized());
}

TEST_F(FormMainLifecycle, TheStartWindowShowsOnlyWhenTheSettingsAskForIt) {
    Settings.Prefs().SetValue("Program", "ShowSplashScreen", false);
    Form->show();
    EXPECT_EQ(StartWindowShown, 0);
    EXPECT_TRUE(Form->isMaximized());
}

TEST_F(FormMainLifecycle, LeavingTheStartWindowWithoutStartingEndsTheProgramFromTheLoop) {
    StartWindowEnds = true;
    Form->show();
    EXPECT_TRUE(Form->isVisible()); // not from inside the show
    QCoreApplication::processEvents();
    EXPECT_FALSE(Form->isVisible());
    EXPECT_TRUE(Form->Closing());
    EXPECT_TRUE(SettingsWritten());
}

TEST_F(FormMainLifecycle, TheHelpMenuShowsTheStartWindowAgain) {
    Form->show();
    for (bool Ends : {false, true}) {
        SCOPED_TRACE(Ends);
        StartWindowEnds = Ends;
        StartWindowItem()->trigger();
        EXPECT_EQ(Form->isVisible(), !Ends);
    }
    EXPECT_EQ(StartWindowShown, 3);
}

TEST_F(FormMainLifecycle, TheFirstShowingListsTheStoredRecentFilesThatStillExist) {
    const std::string Kept = FourBar("kept.kxw");
    TRecentFiles Stored;
    Stored.SetNumFiles(10);
    Stored.AddFile(Scratch.File("gone.kxw"));
    Stored.AddFile(Kept);
    Settings.Prefs().SaveRecentFiles(Stored);

    Form->show();
    EXPECT_EQ(RecentNames(), TTexts{"kept.kxw"});
    ASSERT_EQ(RecentMenu()->actions().size(), 1);
    EXPECT_EQ(RecentMenu()->actions()[0]->text().toStdString(), "1:  " + Kept);
}

TEST_F(FormMainLifecycle, AnAgreedCloseStoresThePlaceAndTheRecentFiles) {
    Form->show();
    Form->OpenFile(FourBar("last.kxw"));
    const QRect Frame = Form->frameGeometry();
    EXPECT_TRUE(Form->close());
    EXPECT_TRUE(AskedTexts().empty()); // not modified: nothing to ask

    const auto Stored = StoredSettings();
    EXPECT_EQ(Stored->GetInteger("Window", "Left"), Frame.x());
    EXPECT_EQ(Stored->GetInteger("Window", "Top"), Frame.y());
    EXPECT_EQ(Stored->GetInteger("Window", "Width"), Frame.width());
    EXPECT_EQ(Stored->GetInteger("Window", "Height"), Frame.height());
    TRecentFiles Recent;
    Recent.SetNumFiles(10);
    Stored->LoadRecentFiles(Recent);
    EXPECT_EQ(Recent.Files(), std::vector<std::string>{Scratch.File("last.kxw")});
}

// Escape and the close box of the real prompt both keep the window open, unsaved.
TEST_F(FormMainLifecycle, EscapeAndTheCloseBoxOfThePromptAbortTheClose) {
    Form->show();
    DrawBar();
    TInstalledQtPlatform QtBoxes;
    for (bool EscapeKey : {true, false}) {
        SCOPED_TRACE(EscapeKey);
        std::string Shown;
        QTimer::singleShot(0, [&] {
            auto* Box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(Box, nullptr);
            Shown = Box->text().toStdString();
            if (EscapeKey)
                QTest::keyClick(Box, Qt::Key_Escape);
            else
                Box->close();
        });
        EXPECT_FALSE(Form->close());
        EXPECT_EQ(Shown, "Änderungen in Unbenannt1.kxw speichern?");
        EXPECT_TRUE(Form->isVisible());
        EXPECT_FALSE(Form->Closing());
        EXPECT_FALSE(SettingsWritten());
    }
}

TEST_F(FormMainLifecycle, AnErrorIsShownFromTheLoopOneBoxAtATime) {
    Form->show();
    for (TModalResult Answer : {TModalResult::mrNo, TModalResult::mrYes}) {
        SCOPED_TRACE(static_cast<int>(Answer));
        Platform.Scripted().Asked.clear();
        Platform.Scripted().Answers = {Answer};
        Form->ApplicationException("kaputt");
        Form->ApplicationException("noch einer"); // while the first is due: only logged
        EXPECT_TRUE(AskedTexts().empty());
        QCoreApplication::processEvents();
        EXPECT_EQ(AskedTexts(), TTexts{ErrorText});
        EXPECT_EQ(Platform.Scripted().Asked[0].Type, TMsgDlgType::mtError);
        EXPECT_EQ(Platform.Scripted().Asked[0].Buttons, TMsgDlgButtons(mbYes | mbNo));
        QCoreApplication::processEvents();
        EXPECT_EQ(Form->isVisible(), Answer == TModalResult::mrNo);
    }
}

TEST_F(FormMainLifecycle, YesToAnErrorStillAsksToSaveAndAbortKeepsTheProgram) {
    Form->show();
    DrawBar();
    Platform.Scripted().Answers = {TModalResult::mrYes, TModalResult::mrAbort};
    Form->ApplicationException("kaputt");
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(AskedTexts(), (TTexts{ErrorText, "Änderungen in Unbenannt1.kxw speichern?"}));
    EXPECT_TRUE(Form->isVisible());
    EXPECT_FALSE(SettingsWritten());
}

TEST(FormMainErrors, AnExceptionThatAnEventLetThroughReachesTheBox) {
    TMainWindowRig Rig; // the platform and the settings
    TScopedModalRunner StartWindow([](QDialog&) { return int(QDialog::Accepted); });
    TAppWindows Windows(QtTestApp(), {QStringLiteral("koplar")});
    Windows.FormMain().show();
    Rig.Platform.Scripted().Answers = {TModalResult::mrNo};
    QTimer::singleShot(0, [] { throw std::runtime_error("kaputt"); });
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ(Rig.AskedTexts(), TTexts{ErrorText});
    EXPECT_TRUE(Windows.FormMain().isVisible());
}

} // namespace
