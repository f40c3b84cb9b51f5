// What the program start creates once the application object and the settings exist: the seams
// through which the main window reaches the other windows, the main window, which from then on
// hears of every exception that an event handler let through, and the dialogs it opens.
#pragma once

#include "platform/qt/QtApplication.h"
#include "ui/fmMainSeams.h"

#include <QStringList>

#include <memory>
#include <string>

class TFormAbout_New;
class TFormDriveEdit;
class TFormFunc;
class TFormGearDescription;
class TFormJointEdit;
class TFormLinkEdit;
class TFormMain;
class TFormOptions;
class TFormPrintOptions;
class TFormSelFill;
class TQtPrinter;

class TAppWindows {
public:
    // Arguments as QCoreApplication::arguments() gives them, the program first.
    TAppWindows(TQtApplication& App, const QStringList& Arguments);
    // Frees the dialogs, then the main window, and with it the tree, the printer and the
    // mechanism; the application reports exceptions as before again.
    ~TAppWindows();
    TAppWindows(const TAppWindows&) = delete;
    TAppWindows& operator=(const TAppWindows&) = delete;

    TFormMain& FormMain() const { return *FFormMain; }

private:
    // The tree and the printer item are made while the main window is made: before it.
    void ConnectMainWindowParts();
    void CreateDialogs();
    void ConnectDialogs();

    TQtApplication& FApp;
    TQtApplication::TReporter FFormerReporter;
    TMainWindowSeams FSeams;
    // The printer outlives the main window's printer item.
    std::unique_ptr<TQtPrinter> FPrinter;
    std::unique_ptr<TFormMain> FFormMain;
    // The dialogs, made once in this order and freed before the mechanism they show.
    std::unique_ptr<TFormOptions> FFormOptions;
    std::unique_ptr<TFormSelFill> FFormSelFill;
    std::unique_ptr<TFormDriveEdit> FFormDriveEdit;
    std::unique_ptr<TFormLinkEdit> FFormLinkEdit;
    std::unique_ptr<TFormJointEdit> FFormJointEdit;
    std::unique_ptr<TFormPrintOptions> FFormPrintOptions;
    std::unique_ptr<TFormFunc> FFormFunc;
    std::unique_ptr<TFormGearDescription> FFormGearDescription;
    std::unique_ptr<TFormAbout_New> FFormAbout_New;
};

// The first argument after the program made absolute; empty when there is none.
std::string CommandLineFile(const QStringList& Arguments);
