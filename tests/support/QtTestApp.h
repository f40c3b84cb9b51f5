// The one QApplication of a test executable, created on first use and freed when the tests end
// (later, among the static destructors, Qt's own globals would already be gone).
#pragma once

#include <QApplication>
#include <gtest/gtest.h>

inline QApplication& QtTestApp() {
    class TAppEnvironment : public ::testing::Environment {
    public:
        TAppEnvironment() {
            static int Argc = 1;
            static char Name[] = "koplar-tests";
            static char* Argv[] = {Name, nullptr};
            FApp = new QApplication(Argc, Argv);
        }
        void TearDown() override {
            delete FApp;
            FApp = nullptr;
        }

    private:
        QApplication* FApp;
    };
    if (!qApp)
        ::testing::AddGlobalTestEnvironment(new TAppEnvironment);
    return *static_cast<QApplication*>(QCoreApplication::instance());
}
