// The main window: for now its drawing area, the control of the mechanism view's surface.
#pragma once

#include "platform/qt/QtControl.h"
#include "surface/MMSurface.h"

#include <QMainWindow>

#include <memory>

class TFormMain : public QMainWindow {
public:
    explicit TFormMain(QWidget* Parent = nullptr);

    QWidget* DrawArea() const { return FDrawArea; }
    TMMSurface& MMSurface1() { return *FMMSurface1; }

private:
    QWidget* FDrawArea; // owned by the window, which frees it after the members below
    // In this order, so that the surface lets go of the control before the control goes.
    std::unique_ptr<TQtControl> FDrawControl;
    std::unique_ptr<TMMSurface> FMMSurface1;
};
