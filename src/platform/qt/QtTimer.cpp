#include "platform/qt/QtTimer.h"
#include "platform/qt/QtGuard.h"

TQtTimer::TQtTimer() {
    FTimer.setInterval(Interval());
    GuardedConnect(&FTimer, &QTimer::timeout, &FTimer, [this] { Fire(); });
}

void TQtTimer::Changed() {
    FTimer.setInterval(Interval());
    if (Enabled())
        FTimer.start(); // also restarts the period when the interval changed
    else
        FTimer.stop();
}
