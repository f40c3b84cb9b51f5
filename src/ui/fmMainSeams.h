// What the main window asks of the windows and objects it does not build itself: the mechanism
// tree, the printer, the dialogs. The program start puts the real ones in; tests script them.
// Each default does the harmless thing, so the main window runs before the others exist.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QTreeWidget;
class TCustomLink;
class TDrive;
class TFormMain;
class TGear;
class TGearData;
class TJoint;
class TMMSurface;
struct TApplyTargets;

// The mechanism tree as the main window drives it.
class TGearTreeView {
public:
    virtual ~TGearTreeView() = default;
    virtual void BeginUpdate() = 0;
    virtual void EndUpdate() = 0;
    virtual void Refresh() = 0;
    virtual void SyncSelection() = 0;
};

// Prints the main window's view; failures are thrown as exceptions with a readable message.
class TViewPrinter {
public:
    virtual ~TViewPrinter() = default;
    // PrintView: 0 the current view, 1 scaled to the page, 2 true to scale and centred.
    virtual void Print(const std::string& Title, int PrintView) = 0;
};

struct TMainWindowSeams {
    // Made once the mechanism component exists; freed, in this order, before it on close.
    std::function<std::unique_ptr<TGearTreeView>(QTreeWidget&, TGear&, TFormMain&)> MakeDataViewer;
    std::function<std::unique_ptr<TViewPrinter>(TMMSurface&, TGearData&)> MakePrinter;

    // True when the drive dialog was left with OK; a new drive is kept only then.
    std::function<bool(TDrive&)> EditDrive = [](TDrive&) { return true; };
    std::function<void(TCustomLink&)> EditLink = [](TCustomLink&) {};
    std::function<void(TJoint&)> EditJoint = [](TJoint&) {};
    std::function<void()> ShowOptions = [] {};
    std::function<void()> ShowGearDescription = [] {};
    std::function<void()> ShowAbout = [] {};
    // True when the start window was left without its start button: the program ends.
    std::function<bool()> StartWindowEndsProgram = [] { return false; };
    // Takes the position cache's data and shows the transfer functions modally.
    std::function<void()> ShowTransferFunctions = [] {};
    // The chosen print view, or nothing when the print options were cancelled.
    std::function<std::optional<int>()> AskPrintView = [] { return std::nullopt; };
    std::function<void()> PrinterSetup = [] {};
    // Adds the other windows' views (the transfer-function frame) to what settings reach.
    std::function<void(TApplyTargets&)> AddApplyTargets = [](TApplyTargets&) {};
};
