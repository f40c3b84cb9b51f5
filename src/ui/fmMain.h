// The main window: menus, tool bars, the mechanism tree, the workspace with the mechanism view's
// drawing area and surface, and the status bar.
#pragma once

#include "platform/qt/QtControl.h"
#include "surface/MMSurface.h"
#include "ui/fmMainActions.h"

#include <QMainWindow>

#include <memory>

class QLabel;
class QMenu;
class QScrollBar;
class QToolBar;
class QTreeWidget;

class TFormMain : public QMainWindow {
public:
    explicit TFormMain(QWidget* Parent = nullptr);

    QWidget* DrawArea() const { return FDrawArea; }
    TMMSurface& MMSurface1() { return *FMMSurface1; }
    QAction* Action(const char* Name) const { return FActions[Name]; }

    static constexpr int StatusPanelCount = 5;

private:
    void BuildMenus();
    QMenu* AddMenu(const QString& Title, std::initializer_list<const char*> Items);
    void BuildTopToolBars();
    QToolBar* AddTopToolBar(const char* Name, std::initializer_list<const char*> Items);
    void BuildRightToolBar();
    QWidget* BuildWorkspace();
    void BuildStatusBar();

    TMainActions FActions;
    QWidget* FDrawArea; // owned by the window, which frees it after the members below
    QScrollBar* FHorzScrollBar = nullptr;
    QScrollBar* FVertScrollBar = nullptr;
    QTreeWidget* FGearTree = nullptr;
    QLabel* FStatusPanels[StatusPanelCount] = {};
    // In this order, so that the surface lets go of the control before the control goes.
    std::unique_ptr<TQtControl> FDrawControl;
    std::unique_ptr<TMMSurface> FMMSurface1;
};
