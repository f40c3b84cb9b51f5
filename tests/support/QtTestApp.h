// The one application object of a test executable, the program's own (so events pass its
// exception hook), created on first use and freed when the tests end (later, among the static
// destructors, Qt's own globals would already be gone). An exception that an event handler lets
// through fails the running test instead of showing a box.
#pragma once

#include "platform/qt/QtApplication.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

inline TQtApplication& QtTestApp() {
    class TAppEnvironment : public ::testing::Environment {
    public:
        TAppEnvironment() {
            static int Argc = 1;
            static char Name[] = "koplar-tests";
            static char* Argv[] = {Name, nullptr};
            FApp = new TQtApplication(Argc, Argv);
            FApp->OnException = [](const std::string& Message) {
                ADD_FAILURE() << "an event handler let an exception through: " << Message;
            };
        }
        void TearDown() override {
            delete FApp;
            FApp = nullptr;
        }

    private:
        TQtApplication* FApp;
    };
    if (!qApp)
        ::testing::AddGlobalTestEnvironment(new TAppEnvironment);
    return *static_cast<TQtApplication*>(QCoreApplication::instance());
}

// Collects, while it lives, the messages of the exceptions that event handlers let through.
class TCaughtExceptions {
public:
    TCaughtExceptions()
        : FOld(std::exchange(QtTestApp().OnException,
                             [this](const std::string& M) { Messages.push_back(M); })) {}
    ~TCaughtExceptions() { QtTestApp().OnException = std::move(FOld); }
    TCaughtExceptions(const TCaughtExceptions&) = delete;
    TCaughtExceptions& operator=(const TCaughtExceptions&) = delete;

    std::vector<std::string> Messages;

private:
    TQtApplication::TReporter FOld;
};
