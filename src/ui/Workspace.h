// A view of the program as the main window and the diagram frame show one: a surface on its
// drawing area, the horizontal ruler in a strip below it (scale at the top) and the vertical one
// in a strip beside it (scale at the right), each ruler following the surface.
#pragma once

#include "platform/qt/QtControl.h"
#include "surface/MMRuler.h"
#include "surface/MMSurface.h"

#include <QtGlobal>

#include <memory>

class QObject;
class QScrollBar;
class QWidget;

// The width of the vertical ruler's strip, the height of the horizontal one.
constexpr int RulerStripSize = 30;

// An empty strip for a ruler along Orientation, named Name.
QWidget* MakeRulerStrip(const char* Name, Qt::Orientation Orientation, QWidget* Parent);

class TWorkspace {
public:
    // Square: the surface keeps one scale for both axes. The widgets stay their parents'.
    TWorkspace(QWidget* DrawArea, QWidget* HorzRulerStrip, QWidget* VertRulerStrip, bool Square);
    ~TWorkspace();
    TWorkspace(const TWorkspace&) = delete;
    TWorkspace& operator=(const TWorkspace&) = delete;

    // The bars pan the surface by the pixels they move, from where they stand now. They stay
    // their parents'; the workspace stops following them when it goes.
    void PanWith(QScrollBar& Horz, QScrollBar& Vert);

    TMMSurface& Surface() const { return *FSurface; }
    TMMRuler& HorzRuler() const { return *FHorzRuler; }
    TMMRuler& VertRuler() const { return *FVertRuler; }

private:
    // Freed in reverse: the rulers and the surface unhook their controls before these go.
    std::unique_ptr<TQtControl> FDrawControl;
    std::unique_ptr<TQtControl> FHorzRulerControl;
    std::unique_ptr<TQtControl> FVertRulerControl;
    std::unique_ptr<TMMSurface> FSurface;
    std::unique_ptr<TMMRuler> FHorzRuler;
    std::unique_ptr<TMMRuler> FVertRuler;
    std::unique_ptr<QObject> FPanning; // the scroll bars' connections end with it
    int FHorzPos = 0;
    int FVertPos = 0;
};
