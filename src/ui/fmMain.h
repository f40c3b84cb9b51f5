// The main window: menus, tool bars, the mechanism tree, the workspace with the mechanism view's
// drawing area, surface and rulers, and the status bar. It owns the mechanism component and
// follows the model through its events.
#pragma once

#include "files/RecentFiles.h"
#include "gear/uGear.h"
#include "platform/Dialogs.h"
#include "platform/qt/QtMenuItem.h"
#include "surface/MMCoord.h"
#include "surface/MMGrid.h"
#include "ui/Workspace.h"
#include "ui/fmMainActions.h"
#include "ui/fmMainSeams.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class QLabel;
class QMenu;
class QScrollBar;
class QToolBar;
class QTreeWidget;
class TFileManager;
struct TApplyTargets;

class TFormMain : public QMainWindow {
public:
    // Builds the window, the mechanism component on its surface and a new untitled mechanism.
    explicit TFormMain(TMainWindowSeams& Seams, QWidget* Parent = nullptr);
    ~TFormMain() override;

    QWidget* DrawArea() const { return FDrawArea; }
    TMMSurface& MMSurface1() { return *FMMSurface1; }
    QAction* Action(const char* Name) const { return FActions[Name]; }
    QLabel* StatusPanel(int Index) const { return FStatusPanels[Index]; }
    QScrollBar* HorzScrollBar() const { return FHorzScrollBar; }
    QScrollBar* VertScrollBar() const { return FVertScrollBar; }
    TMMRuler& MMRuler1() { return FWorkspace->HorzRuler(); }
    TMMRuler& MMRuler4() { return FWorkspace->VertRuler(); }
    TMMCoord& MMCoord1() { return *FMMCoord1; }
    TMMGrid& MMGrid1() { return *FMMGrid1; }

    // Freed with the window, after the event loop: a close may come while one of its own calls
    // still runs further up the stack. After an agreed close nothing uses it.
    TGear* Gear() const { return FGear.get(); }
    TFileManager* FileManager() const { return FGear ? FFileManager : nullptr; }
    bool Initializing() const { return FInitializing; }
    bool Closing() const { return FClosing; }

    static constexpr int StatusPanelCount = 5;

private:
    void BuildMenus();
    QMenu* AddMenu(const QString& Title, TCommandSite Site);
    void BuildTopToolBars();
    QToolBar* AddTopToolBar(const char* Name, TCommandSite Site);
    void BuildRightToolBar();
    QWidget* BuildWorkspace();
    void BuildStatusBar();
    void SetUpViewItems();
    void CreateGear();
    void BindGearEvents();

    TMainWindowSeams& FSeams;
    TMainActions FActions;
    QWidget* FDrawArea; // owned by the window, which frees it after the members below
    QWidget* FRuler1Panel = nullptr;
    QWidget* FRuler4Panel = nullptr;
    QScrollBar* FHorzScrollBar = nullptr;
    QScrollBar* FVertScrollBar = nullptr;
    QTreeWidget* FGearTree = nullptr;
    QToolBar* FRightBar = nullptr;
    QLabel* FStatusPanels[StatusPanelCount] = {};
    bool FInitializing = true;
    bool FClosing = false;
    // Freed in reverse: the tree and the printer before the mechanism, the mechanism before the
    // view items and the surface, the surface before the controls it hooks.
    std::unique_ptr<TWorkspace> FWorkspace;
    TMMSurface* FMMSurface1 = nullptr; // the workspace's
    std::unique_ptr<TMMGrid> FMMGrid1;
    std::unique_ptr<TMMCoord> FMMCoord1;
    std::unique_ptr<TGear> FGear;
    TFileManager* FFileManager = nullptr; // the mechanism's document manager
    std::unique_ptr<TViewPrinter> FMMPrinter;
    std::unique_ptr<TGearTreeView> FDataViewer;

public:
    // Commands, status bar and the model's events
    void UpdateControls();
    // X, Y: the mouse's pixel on the canvas, or NoMousePosition for both.
    void UpdateStatusBar(int X, int Y);
    static constexpr int NoMousePosition = -1;
    // One handler per command, as its action runs it.
    void aPropertiesExecute();
    void aEditExecute();
    void aZoomFitExecute();
    void aAboutExecute();
    void aAnimateExecute();
    void aToggleCanMoveExecute();
    void aCreateLinkExecute();
    void aCreateSliderExecute();
    void aCreateRackPointExecute();
    void aDeleteExecute();
    void aAddJointExecute();
    void aSeperateExecute();
    void a2ndMotionPointExecute();
    void aOriginInJointExecute();
    void aAddRotDriveExecute();
    void aAddSlideDriveExecute();
    void aLinkCurvesExecute();
    void aRemoveLinkCurvesExecute();
    void aZoomInExecute();
    void aZoomOutExecute();
    void aCenterViewExecute();
    void aAnimStartExecute();
    void aAnimStopExecute();
    void aAnimPauseExecute();
    void aAnimNextExecute();
    void aAnimPrevExecute();
    void aOptionsExecute();
    void aShowGearDescriptionExecute();
    void aShowFuncExecute();
    void aPrintExecute();
    void PrintMenuExecute();
    void PrinterSetupExecute();
    // The document's modified state; while animating, the one taken when edit mode was left or
    // set by an edit since, as the animated positions are no edit of the mechanism.
    bool IsModified();

private:
    void ConnectCommands();
    void UpdateCaption();
    void SetPanel(int Index, const std::string& Text);
    // The status bar for another mechanism: no part under the mouse until it moves.
    void ShowNewDocument();
    // A part under construction is discarded: it belongs to the mode being left.
    void CancelCreation();
    void StartCreation(TGearPartType Type, const std::string& Identifier);
    // Keeps a drive just added only when its dialog is left with OK.
    void EditNewDrive(TDrive* Drive);

    void GearDataChanged();
    void GearSelectionChanged();
    void GearPartCreated(TGearPart* Part, TGearPartType PartType);
    // The answer to merging the dragged Joint1 into Joint2.
    bool GearAcceptJointConnection(TShiftState Shift, TJoint& Joint1, TJoint& Joint2);

    // A change of the model while animating counts when more than the positions changed.
    void CountEditWhileAnimating();

    bool FModifiedWhenAnimated = true;
    std::uint32_t FEditsWhenAnimated = 0;
    // The world point of the last mouse position on the canvas, which panel 1 shows.
    std::optional<TMMPoint> FMouseWorld;

public:
    // Document, start and close
    void aFileNewExecute();
    void aFileOpenExecute();
    void aFileSaveExecute() { SaveFile(); }
    void aFileSaveAsExecute() { SaveFileAs(); }
    void aCloseExecute() { close(); }
    void StartWindowExecute();
    // A file that cannot be read leaves the open mechanism, its name and its state as they were.
    void OpenFile(const std::string& FileName);
    // Each is true when the file was written.
    bool SaveFile();
    bool SaveFileAs();
    TRecentFiles& RecentFiles1() const { return *FRecentFiles1; }
    // The program's first argument, absolute; opened at the first showing when it names a file.
    void SetCommandLineFile(const std::string& FileName) { FCommandLineFile = FileName; }
    // An exception that an event handler let through, reported later from the event loop.
    void ApplicationException(const std::string& Message);
    // Brings every view, the mechanism and the other windows' views up to the settings.
    void ApplySettings();

    // None: the tool bars are fixed, and hiding one would hide commands found nowhere else.
    QMenu* createPopupMenu() override { return nullptr; }

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    void SetUpRecentFiles();
    // The save prompt before the mechanism is dropped; false: the command stops here.
    bool ConfirmDropChanges();
    TFileDialogRequest SaveDialogRequest();
    // Tells of a failed write and refreshes the window; returns Saved.
    bool Written(bool Saved);
    TApplyTargets ApplyTargets();
    void FormShow();
    // True when the window may close; the settings are stored then.
    bool FormCloseQuery();
    void SaveSettings();
    void ShowErrorBox(const std::string& Message);

    std::unique_ptr<TQtMenuItem> FRecentFilesMenu;
    std::unique_ptr<TRecentFiles> FRecentFiles1 = std::make_unique<TRecentFiles>();
    std::string FCommandLineFile;
    std::string FSaveDialogDir; // where an untitled mechanism is offered for saving
    bool FShown = false;
    bool FErrorBoxDue = false;
};
