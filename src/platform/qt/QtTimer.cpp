#include "platform/qt/QtTimer.h"

TQtTimer::TQtTimer() {
    FTimer.setInterval(Interval());
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Fire(); });
}

void TQtTimer::Changed() {
    FTimer.setInterval(Interval());
    if (Enabled())
        FTimer.start(); // also restarts the period when the interval changed
    else
        FTimer.stop();
}
