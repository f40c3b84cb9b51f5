// The window's life: what it does when first shown, how it closes and what it stores then, the
// start window, and the box that reports errors no command handled.
#include "files/ApplyPreferences.h"
#include "files/Preferences.h"
#include "files/uFileManager.h"
#include "platform/Platform.h"
#include "platform/qt/QtGuard.h"
#include "ui/fmMain.h"

#include <QCloseEvent>
#include <QShowEvent>

#include <filesystem>
#include <iostream>
#include <system_error>

namespace {

bool IsRegularFile(const std::string& FileName) {
    std::error_code Error;
    return std::filesystem::is_regular_file(FileName, Error);
}

} // namespace

void TFormMain::showEvent(QShowEvent* Event) {
    QMainWindow::showEvent(Event);
    // Qt shows the window again after it was minimised or hidden; the start happens once.
    if (FShown)
        return;
    FShown = true;
    RunGuarded([this] { FormShow(); });
}

void TFormMain::FormShow() {
    FInitializing = false;
    // The settings themselves were read before any window was made.
    const TPreferences& Prefs = Preferences();
    Prefs.LoadRecentFiles(*FRecentFiles1);
    if (Prefs.GetBoolean("Program", "ShowSplashScreen") && FCommandLineFile.empty() &&
        FSeams.StartWindowEndsProgram()) {
        // Not from inside the show: the event loop may not even run yet.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        return;
    }
    if (Prefs.GetBoolean("Program", "StartMaximized"))
        setWindowState(windowState() | Qt::WindowMaximized);
    ApplySettings();
    if (IsRegularFile(FCommandLineFile))
        OpenFile(FCommandLineFile);
    UpdateControls();
    UpdateStatusBar(-1, -1);
}

void TFormMain::StartWindowExecute() {
    if (FSeams.StartWindowEndsProgram())
        close();
}

void TFormMain::closeEvent(QCloseEvent* Event) {
    // A query that fails keeps the window, and with it the mechanism.
    bool MayClose = false;
    RunGuarded([&] { MayClose = FormCloseQuery(); });
    Event->setAccepted(MayClose);
}

bool TFormMain::FormCloseQuery() {
    if (FClosing)
        return true;
    if (!ConfirmDropChanges())
        return false;
    SaveSettings();
    FClosing = true;
    // Nothing repaints any more; the mechanism, the printer and the tree go with the window.
    FMMSurface1->BeginUpdate();
    return true;
}

void TFormMain::SaveSettings() {
    TPreferences& Prefs = Preferences();
    const QRect Frame = frameGeometry();
    Prefs.SetValue("Window", "Left", Frame.x());
    Prefs.SetValue("Window", "Top", Frame.y());
    Prefs.SetValue("Window", "Width", Frame.width());
    Prefs.SetValue("Window", "Height", Frame.height());
    Prefs.SaveRecentFiles(*FRecentFiles1);
    Prefs.SaveToFile();
}

void TFormMain::ApplicationException(const std::string& Message) {
    // One box at a time; what fails while it is due or shown is only logged.
    if (FErrorBoxDue) {
        std::cerr << "Fehler: " << Message << std::endl;
        return;
    }
    FErrorBoxDue = true;
    // Shown from the event loop, never inside the event that failed.
    QMetaObject::invokeMethod(
        this, [this, Message] { RunGuarded([&] { ShowErrorBox(Message); }); },
        Qt::QueuedConnection);
}

void TFormMain::ShowErrorBox(const std::string& Message) {
    const std::string Text = "In der Anwendung ist ein Fehler aufgetreten.\r\n\r\nMeldung: '" +
                             Message + "'\r\n\r\nSoll das Programm beendet werden?";
    TModalResult Answer = TModalResult::mrNo;
    try {
        Answer = MessageDlg(Text, TMsgDlgType::mtError, mbYes | mbNo);
    } catch (...) {
        FErrorBoxDue = false;
        throw;
    }
    FErrorBoxDue = false;
    if (Answer == TModalResult::mrYes)
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}
