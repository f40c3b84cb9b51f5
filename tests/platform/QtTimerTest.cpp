// The Qt timer: it fires from the message loop while enabled, also inside a modal dialog's
// nested loop, and runs a zero interval at 1 ms.
#include "platform/qt/QtTimer.h"
#include "platform/qt/QtPlatform.h"
#include "support/QtTestApp.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Long enough never to end a loop that works; it only keeps a stopped timer from hanging a test.
constexpr int WatchdogMs = 10000;

TEST(QtTimer, StartsDisabledAndFollowsIntervalAndEnabled) {
    QtTestApp();
    TQtPlatform Platform;
    std::unique_ptr<TTimer> Owned = Platform.CreateTimer();
    auto* T = dynamic_cast<TQtTimer*>(Owned.get());
    ASSERT_NE(T, nullptr);
    EXPECT_FALSE(T->Enabled());
    EXPECT_FALSE(T->Native().isActive());

    T->SetInterval(250);
    EXPECT_FALSE(T->Native().isActive());
    T->SetEnabled(true);
    EXPECT_TRUE(T->Native().isActive());
    EXPECT_EQ(T->Native().interval(), 250);
    T->SetInterval(40); // takes effect while running
    EXPECT_TRUE(T->Native().isActive());
    EXPECT_EQ(T->Native().interval(), 40);
    T->SetEnabled(false);
    EXPECT_FALSE(T->Native().isActive());
}

TEST(QtTimer, IntervalBelowOneRunsAtOneMillisecond) {
    QtTestApp();
    for (int Interval : {0, -5}) {
        SCOPED_TRACE(Interval);
        TQtTimer T;
        T.SetInterval(Interval);
        T.SetEnabled(true);
        EXPECT_EQ(T.Interval(), 1);
        EXPECT_EQ(T.Native().interval(), 1);
    }
}

TEST(QtTimer, FiresWithItselfAsSenderUntilDisabled) {
    QtTestApp();
    TQtTimer T;
    T.SetInterval(1);
    QEventLoop Loop;
    int Ticks = 0;
    T.OnTimer = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &T);
        if (++Ticks == 3) {
            T.SetEnabled(false);
            Loop.quit();
        }
    };
    T.SetEnabled(true);
    QTimer::singleShot(WatchdogMs, &Loop, &QEventLoop::quit);
    Loop.exec();
    EXPECT_EQ(Ticks, 3);
    EXPECT_FALSE(T.Native().isActive());
}

TEST(QtTimer, KeepsFiringWhileAModalDialogIsOpen) {
    QtTestApp();
    TQtTimer T;
    T.SetInterval(1);
    QEventLoop Loop;
    QDialog Dialog;
    int TicksInDialog = 0;
    T.OnTimer = [&](TObject*) {
        if (QApplication::activeModalWidget() != &Dialog)
            return;
        // The third tick inside the dialog closes it.
        if (++TicksInDialog == 3)
            QTimer::singleShot(0, &Dialog, &QDialog::accept);
    };
    int Result = -1;
    QTimer::singleShot(0, [&] {
        T.SetEnabled(true);
        QTimer::singleShot(WatchdogMs, &Dialog, &QDialog::reject);
        Result = Dialog.exec();
        Loop.quit();
    });
    Loop.exec();
    EXPECT_EQ(Result, QDialog::Accepted);
    EXPECT_GE(TicksInDialog, 3);
    EXPECT_TRUE(T.Native().isActive());
}

} // namespace
