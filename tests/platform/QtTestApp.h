// The one QApplication of a test executable, created on first use.
#pragma once

#include <QApplication>

inline QApplication& QtTestApp() {
    static int Argc = 1;
    static char Name[] = "koplar-tests";
    static char* Argv[] = {Name, nullptr};
    static QApplication* App = qApp ? nullptr : new QApplication(Argc, Argv);
    (void)App;
    return *static_cast<QApplication*>(QCoreApplication::instance());
}
