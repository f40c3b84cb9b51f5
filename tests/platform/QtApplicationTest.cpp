// The application's exception hook: nothing that an event handler throws unwinds through Qt.
#include "platform/qt/QtApplication.h"
#include "support/FakePlatform.h"
#include "support/QtTestApp.h"

#include <QCoreApplication>
#include <QEvent>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// Throws what Throw throws for every user event; counts the events it got.
class TThrowingObject : public QObject {
public:
    std::function<void()> Throw;
    int Events = 0;
    bool event(QEvent* E) override {
        if (E->type() != QEvent::User)
            return QObject::event(E);
        ++Events;
        if (Throw)
            Throw();
        return true;
    }
};

// Puts the program's own reporter (the error box) in force for its lifetime.
class TProgramReporter {
public:
    TProgramReporter() : FOld(std::exchange(QtTestApp().OnException, TQtApplication::ShowError)) {}
    ~TProgramReporter() { QtTestApp().OnException = std::move(FOld); }

private:
    TQtApplication::TReporter FOld;
};

bool Send(QObject& Receiver) {
    QEvent E(QEvent::User);
    return QCoreApplication::sendEvent(&Receiver, &E);
}

} // namespace

TEST(QtApplication, AnExceptionFromAnEventHandlerIsShownAsAnErrorBox) {
    TProgramReporter Program;
    TFakePlatform Platform;
    TThrowingObject Object;
    struct Case {
        const char* What;
        std::function<void()> Throw;
        const char* Shown;
    } Cases[] = {
        {"std::exception", [] { throw std::runtime_error("Datei kaputt"); }, "Datei kaputt"},
        {"logic error", [] { throw std::logic_error("Dienst fehlt"); }, "Dienst fehlt"},
        {"anything else", [] { throw 42; }, "Unbekannter Fehler"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        Platform.Scripted().Asked.clear();
        Object.Throw = C.Throw;
        EXPECT_FALSE(Send(Object)); // a failed event counts as not handled
        ASSERT_EQ(Platform.Scripted().Asked.size(), 1u);
        const TAskedMessage& Box = Platform.Scripted().Asked.front();
        EXPECT_EQ(Box.Text, C.Shown);
        EXPECT_EQ(Box.Type, TMsgDlgType::mtError);
        EXPECT_EQ(Box.Buttons, TMsgDlgButtons(mbOK));
    }
    Object.Throw = nullptr;
    EXPECT_TRUE(Send(Object));
    EXPECT_EQ(Platform.Scripted().Asked.size(), 1u); // nothing more to show
}

TEST(QtApplication, PostedEventsAfterAFailedOneStillArrive) {
    TCaughtExceptions Caught;
    TThrowingObject Object;
    Object.Throw = [&] {
        if (Object.Events == 1)
            throw std::runtime_error("erstes");
    };
    QCoreApplication::postEvent(&Object, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&Object, new QEvent(QEvent::User));
    QCoreApplication::sendPostedEvents(&Object, QEvent::User);
    EXPECT_EQ(Object.Events, 2);
    EXPECT_EQ(Caught.Messages, std::vector<std::string>{"erstes"});
}

TEST(QtApplication, AnErrorThatCannotBeShownStaysInsideTheHook) {
    TProgramReporter Program;
    TScopedService<TPlatform> NoPlatform(PlatformSlot(), nullptr);
    TThrowingObject Object;
    Object.Throw = [] { throw std::runtime_error("ohne Fenster"); };
    EXPECT_NO_THROW(Send(Object));
}
