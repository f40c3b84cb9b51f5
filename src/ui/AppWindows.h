// What the program start creates once the application object and the settings exist: the seams
// through which the main window reaches the other windows, then the main window, which from then
// on hears of every exception that an event handler let through.
#pragma once

#include "platform/qt/QtApplication.h"
#include "ui/fmMainSeams.h"

#include <QStringList>

#include <memory>
#include <string>

class TFormMain;

class TAppWindows {
public:
    // Arguments as QCoreApplication::arguments() gives them, the program first.
    TAppWindows(TQtApplication& App, const QStringList& Arguments);
    // Frees the main window, and with it the tree, the printer and the mechanism; the application
    // reports exceptions as before again.
    ~TAppWindows();
    TAppWindows(const TAppWindows&) = delete;
    TAppWindows& operator=(const TAppWindows&) = delete;

    TFormMain& FormMain() const { return *FFormMain; }

private:
    TQtApplication& FApp;
    TQtApplication::TReporter FFormerReporter;
    TMainWindowSeams FSeams;
    std::unique_ptr<TFormMain> FFormMain;
};

// The first argument after the program made absolute; empty when there is none.
std::string CommandLineFile(const QStringList& Arguments);
