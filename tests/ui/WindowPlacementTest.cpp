// The dialogs that open in the middle of the screen do so on the screen the main window is on,
// every time they open, wherever they were before.
#include "support/DenseScreens.h"
#include "support/FakePlatform.h"
#include "support/PreferencesFixture.h"
#include "support/QtTestApp.h"
#include "support/ScratchDir.h"
#include "ui/AppWindows.h"
#include "ui/ModalSeam.h"
#include "ui/fmMain.h"

#include <QDialog>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

class WindowsOnDenseScreen : public ::testing::Test {
protected:
    WindowsOnDenseScreen() {
        Settings.Prefs().LoadFromFile(Scratch.File("settings.xml"));
        Windows.FormMain().show();
    }

    QApplication& App = QtTestApp();
    TFakePlatform Platform;
    TScratchDir Scratch;
    TPreferencesFixture Settings;
    TScopedModalRunner Runner{[](QDialog&) { return int(QDialog::Rejected); }};
    TAppWindows Windows{QtTestApp(), {QStringLiteral("koplar")}};
};

TEST_F(WindowsOnDenseScreen, DialogsOpenInTheMiddleOfTheMainWindowsScreen) {
    const char* const Dialogs[] = {"FormJointEdit",    "FormLinkEdit",  "FormSelLink",
                                   "FormPrintOptions", "FormAbout_New", "FormOptions"};
    TFormMain& Main = Windows.FormMain();
    for (QScreen* Screen : {QGuiApplication::primaryScreen(), ScreenOfRatio(1.5)}) {
        ASSERT_NE(Screen, nullptr);
        SCOPED_TRACE(Screen->name().toStdString());
        MoveToScreen(Main, Screen, QSize(700, 500));
        ASSERT_EQ(Main.screen(), Screen);
        const QPoint Middle = Screen->availableGeometry().center();
        for (const char* Name : Dialogs) {
            SCOPED_TRACE(Name);
            auto* Dialog = Main.findChild<QDialog*>(QString::fromLatin1(Name));
            ASSERT_NE(Dialog, nullptr);
            // Left elsewhere, on the other screen, before it opens again.
            Dialog->move(QGuiApplication::primaryScreen()->geometry().topLeft() + QPoint(5, 7));
            for (int Time = 0; Time < 2; ++Time) {
                Dialog->show();
                QCoreApplication::processEvents();
                const QPoint Centre = Dialog->frameGeometry().center();
                EXPECT_LE(std::abs(Centre.x() - Middle.x()), 1) << "opening " << Time;
                EXPECT_LE(std::abs(Centre.y() - Middle.y()), 1) << "opening " << Time;
                Dialog->hide();
                Dialog->move(Dialog->pos() + QPoint(40, 30));
            }
        }
    }
}

} // namespace
