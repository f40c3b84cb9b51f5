// A surface on a shown full-HD widget, offscreen unless a display is asked for, with the Qt
// platform installed while it lives. KOPLAR_BENCH_RATIO=2 (or 1.5, ...) puts it on an offscreen
// screen of that device pixel ratio; a screen of another ratio beside it would turn font hinting
// off for all of them, so each ratio has a run of its own.
#pragma once

#include "platform/qt/QtControl.h"
#include "platform/qt/QtPlatform.h"
#include "surface/MMSurface.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QWidget>

#include <fstream>
#include <memory>
#include <string>

inline QApplication& BenchApp() {
    static int Argc = 1;
    static char Name[] = "koplar-bench";
    static char* Argv[] = {Name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        const double Ratio = qEnvironmentVariableIsSet("KOPLAR_BENCH_RATIO")
                                 ? std::stod(qgetenv("KOPLAR_BENCH_RATIO").toStdString())
                                 : 1.0;
        // One full-HD screen of that ratio, which the main window fills: the platform's own
        // screen of 800 x 800 would shrink the windows the benchmarks name.
        const std::string Config = QDir::tempPath().toStdString() + "/koplar-bench-screens.json";
        std::ofstream(Config) << "{\"screens\": [{\"name\": \"\", \"x\": 0, \"y\": 0, "
                              << "\"width\": " << int(1920 * Ratio)
                              << ", \"height\": " << int(1080 * Ratio)
                              << ", \"logicalDpi\": " << 96 * Ratio
                              << ", \"logicalBaseDpi\": 96}]}\n";
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QByteArray::fromStdString(Config));
    }
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

// A mouse event at At on Area, as the window system delivers it: a press or release with the
// left button, a move with the buttons held.
inline void SendMouse(QWidget* Area, QEvent::Type Type, QPoint At, Qt::MouseButtons Buttons) {
    QMouseEvent Event(Type, At, Area->mapToGlobal(At),
                      Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Buttons, {});
    QApplication::sendEvent(Area, &Event);
}
