#include "platform/qt/QtApplication.h"

#include "platform/Platform.h"
#include "platform/qt/QtGuard.h"

#include <QtGlobal>

#include <exception>

TQtApplication::TQtApplication(int& Argc, char** Argv)
    : QApplication(Argc, Argv), OnException(ShowError) {}

bool TQtApplication::notify(QObject* Receiver, QEvent* Event) {
    bool Handled = false;
    RunGuarded([&] { Handled = QApplication::notify(Receiver, Event); });
    return Handled;
}

void TQtApplication::ShowError(const std::string& Message) {
    MessageDlg(Message, TMsgDlgType::mtError, mbOK);
}

void TQtApplication::Report(const std::string& Message) noexcept {
    try {
        if (OnException)
            OnException(Message);
    } catch (const std::exception& E) {
        // Nothing could show the error (no platform installed, say): the log is the last place.
        qCritical("%s (%s)", Message.c_str(), E.what());
    } catch (...) {
        qCritical("%s", Message.c_str());
    }
}
