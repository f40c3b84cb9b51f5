// The main window: menus, tool bars, the mechanism tree, the workspace with the mechanism view's
// drawing area, surface and rulers, and the status bar. It owns the mechanism component and
// follows the model through its events.
#pragma once

#include "gear/uGear.h"
#include "platform/qt/QtControl.h"
#include "surface/MMCoord.h"
#include "surface/MMGrid.h"
#include "surface/MMRuler.h"
#include "surface/MMSurface.h"
#include "ui/fmMainActions.h"
#include "ui/fmMainSeams.h"

#include <QMainWindow>

#include <memory>

class QLabel;
class QMenu;
class QScrollBar;
class QToolBar;
class QTreeWidget;
class TFileManager;

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
    TMMRuler& MMRuler1() { return *FMMRuler1; }
    TMMRuler& MMRuler4() { return *FMMRuler4; }
    TMMCoord& MMCoord1() { return *FMMCoord1; }
    TMMGrid& MMGrid1() { return *FMMGrid1; }

    // Null once the window has agreed to close.
    TGear* Gear() const { return FGear.get(); }
    TFileManager* FileManager() const { return FGear ? FFileManager : nullptr; }
    bool Initializing() const { return FInitializing; }
    bool Closing() const { return FClosing; }

    static constexpr int StatusPanelCount = 5;

private:
    void BuildMenus();
    QMenu* AddMenu(const QString& Title, std::initializer_list<const char*> Items);
    void BuildTopToolBars();
    QToolBar* AddTopToolBar(const char* Name, std::initializer_list<const char*> Items);
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
    QLabel* FStatusPanels[StatusPanelCount] = {};
    bool FInitializing = true;
    bool FClosing = false;
    int FHorzScrollPos = 0;
    int FVertScrollPos = 0;
    // Freed in reverse: the tree and the printer before the mechanism, the mechanism before the
    // view items and the surface, the surface before the controls it hooks.
    std::unique_ptr<TQtControl> FDrawControl;
    std::unique_ptr<TQtControl> FRuler1Control;
    std::unique_ptr<TQtControl> FRuler4Control;
    std::unique_ptr<TMMSurface> FMMSurface1;
    std::unique_ptr<TMMRuler> FMMRuler1;
    std::unique_ptr<TMMRuler> FMMRuler4;
    std::unique_ptr<TMMGrid> FMMGrid1;
    std::unique_ptr<TMMCoord> FMMCoord1;
    std::unique_ptr<TGear> FGear;
    TFileManager* FFileManager = nullptr; // the mechanism's document manager
    std::unique_ptr<TViewPrinter> FMMPrinter;
    std::unique_ptr<TGearTreeView> FDataViewer;

public:
    // Commands, status bar and the model's events
    void UpdateControls();
    // X, Y: the mouse's pixel on the canvas; (-1, -1) where no mouse position is known.
    void UpdateStatusBar(int X, int Y);
    void aPropertiesExecute();
    void aEditExecute();
    void aZoomFitExecute();
    // The document's modified state; while animating, the one taken when edit mode was left,
    // since the animated positions are no edit of the mechanism.
    bool IsModified();

private:
    void UpdateCaption();
    // A part under construction is discarded: it belongs to the mode being left.
    void CancelCreation();
    void GearDataChanged();
    void GearSelectionChanged();
    void GearPartCreated(TGearPart* Part, TGearPartType PartType);
    // The answer to merging the dragged Joint1 into Joint2.
    bool GearAcceptJointConnection(TShiftState Shift, TJoint& Joint1, TJoint& Joint2);

    bool FModifiedWhenAnimated = true;

public:
    // Document, start and close
    void aFileNewExecute();

private:
};
