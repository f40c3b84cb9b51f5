// A surface on a shown full-HD widget, offscreen unless a display is asked for, with the Qt
// platform installed while it lives.
#pragma once

#include "platform/qt/QtControl.h"
#include "platform/qt/QtPlatform.h"
#include "surface/MMSurface.h"

#include <QApplication>
#include <QWidget>

#include <memory>

inline QApplication& BenchApp() {
    static int Argc = 1;
    static char Name[] = "koplar-bench";
    static char* Argv[] = {Name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never freed: as a static it would go after Qt's own globals and crash the exit.
    static QApplication* A = new QApplication(Argc, Argv);
    return *A;
}

// One pixel per millimetre: world (x, y) is pixel (x, 1080 - y).
struct TQtBenchSurface {
    TQtBenchSurface() {
        Widget.resize(1920, 1080);
        Widget.show();
        Control = std::make_unique<TQtControl>(&Widget);
        Surface = std::make_unique<TMMSurface>();
        Surface->SetControl(Control.get());
        Surface->SetMMRect(MMRect(0, 1080, 1920, 0));
        QApplication::processEvents();
    }
    ~TQtBenchSurface() {
        Surface.reset();
        Control.reset();
    }
    TQtBenchSurface(const TQtBenchSurface&) = delete;
    TQtBenchSurface& operator=(const TQtBenchSurface&) = delete;

    QApplication& Application = BenchApp(); // before the widget
    TQtPlatform Platform;
    TScopedService<TPlatform> PlatformInstalled{PlatformSlot(), Platform};
    QWidget Widget;
    std::unique_ptr<TQtControl> Control;
    std::unique_ptr<TMMSurface> Surface;
};
