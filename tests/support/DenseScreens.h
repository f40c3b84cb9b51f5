// The offscreen screens of the tests' platform configuration: the default one, and screens of
// higher density to the right of it (ratios 1.1, 1.25, 1.5, 1.75, 2, 2.5 and 3), where a window's
// device pixel ratio is that screen's.
#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

// The screen of that device pixel ratio; fails the test without one. Tests of suites named
// "...OnDenseScreen" run with the platform option "offscreen:configfile=tests/data/screens.json",
// which ctest gives them.
inline QScreen* ScreenOfRatio(qreal Ratio) {
    for (QScreen* S : QGuiApplication::screens())
        if (S->devicePixelRatio() == Ratio)
            return S;
    ADD_FAILURE() << "no offscreen screen of device pixel ratio " << Ratio
                  << ": run under ctest, or with QT_QPA_PLATFORM=offscreen:configfile=<the "
                     "tests' data>/screens.json";
    return nullptr;
}

// Moves the shown top-level window of Widget to Screen, at the same size in pixels, as a window
// dragged to another monitor.
inline void MoveToScreen(QWidget& Widget, QScreen* Screen, QSize Size) {
    QWidget* Window = Widget.window();
    if (!Screen || !Window->windowHandle())
        return;
    Window->windowHandle()->setScreen(Screen);
    Window->move(Screen->geometry().topLeft() + QPoint(20, 20));
    QCoreApplication::processEvents();
    // The platform keeps the window's device pixels across the move; a monitor of the user's
    // keeps its pixels.
    Window->resize(Size);
    QCoreApplication::processEvents();
}
