// The diagram frame: a surface on a paint box showing grid, axes and the data-series diagram,
// rulers beside it, two scroll bars and the view popup. The window that embeds it fills the series
// and handles the scroll bars and the mouse over the paint box.
#pragma once

#include "surface/MMCoord.h"
#include "surface/MMDiagram.h"
#include "surface/MMGrid.h"
#include "ui/Workspace.h"

#include <QFrame>

#include <memory>

class QAction;
class QMenu;
class QScrollBar;

class TFFuncDiagram : public QFrame {
public:
    explicit TFFuncDiagram(QWidget* Parent = nullptr);
    ~TFFuncDiagram() override;

    TMMSurface& MMSurface() { return *FMMSurface; }
    TMMGrid& MMGrid() { return *FMMGrid; }
    TMMCoord& MMCoord1() { return *FMMCoord1; }
    TMMDiagram& MMDiagram() { return *FMMDiagram; }
    TMMRuler& MMRuler1() { return FWorkspace->HorzRuler(); }
    TMMRuler& MMRuler4() { return FWorkspace->VertRuler(); }

    QWidget* PaintBox1() const { return FPaintBox1; }
    QScrollBar* VertScrollBar() const { return FVertScrollBar; }
    QScrollBar* HorizScrollBar() const { return FHorizScrollBar; }
    QWidget* Ruler1Panel() const { return FRuler1Panel; }
    QWidget* Ruler4Panel() const { return FRuler4Panel; }

    // The view popup of the paint box and its commands.
    QMenu* pmView() const { return FpmView; }
    QAction* Zentrieren1() const { return FZentrieren1; }
    QAction* Vergrssern2() const { return FVergrssern2; }
    QAction* Verkleinern2() const { return FVerkleinern2; }
    QAction* Anpassen1() const { return FAnpassen1; }

private:
    void BuildLayout();
    void BuildPopup();
    void SetUpItems();
    void Vergrssern2Click();
    void Verkleinern2Click();
    void Anpassen1Click();

    // Widgets, owned by the frame (Qt frees them after the members below).
    QWidget* FPaintBox1 = nullptr;
    QScrollBar* FVertScrollBar = nullptr;
    QScrollBar* FHorizScrollBar = nullptr;
    QWidget* FRuler1Panel = nullptr; // the horizontal ruler's strip below the paint box
    QWidget* FRuler4Panel = nullptr; // the vertical ruler's strip left of it
    QMenu* FpmView = nullptr;
    QAction* FZentrieren1 = nullptr;
    QAction* FVergrssern2 = nullptr;
    QAction* FVerkleinern2 = nullptr;
    QAction* FAnpassen1 = nullptr;

    // Freed in reverse: the surface first lets go of its items and rulers and unhooks the paint
    // box, then the rulers unhook their strips.
    std::unique_ptr<TMMGrid> FMMGrid;
    std::unique_ptr<TMMCoord> FMMCoord1;
    std::unique_ptr<TMMDiagram> FMMDiagram;
    std::unique_ptr<TWorkspace> FWorkspace;
    TMMSurface* FMMSurface = nullptr; // the workspace's
};
