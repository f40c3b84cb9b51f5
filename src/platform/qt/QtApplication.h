// The program's application object: every event goes through notify(), which runs it behind the
// guard of the toolkit boundary, so that no exception unwinds through Qt's event loop.
#pragma once

#include <QApplication>

#include <functional>
#include <string>

class TQtApplication : public QApplication {
public:
    using TReporter = std::function<void(const std::string& Message)>;

    TQtApplication(int& Argc, char** Argv);

    bool notify(QObject* Receiver, QEvent* Event) override;

    // Hears of every exception caught at the toolkit boundary; the event then counts as not
    // handled and the loop goes on. By default ShowError.
    TReporter OnException;
    // An error box ("Fehler") with the message, through the installed platform.
    static void ShowError(const std::string& Message);
    // Hands Message to OnException; what that throws only reaches the log.
    void Report(const std::string& Message) noexcept;
};
