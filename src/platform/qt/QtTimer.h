// The timer over a QTimer. QTimer is served by every event loop, the nested one of a modal
// dialog included, so a running timer keeps firing behind such a dialog.
#pragma once

#include "platform/Timer.h"

#include <QTimer>

class TQtTimer : public TTimer {
public:
    TQtTimer();

    // The toolkit's timer, for tests that check what it was told.
    const QTimer& Native() const { return FTimer; }

protected:
    void Changed() override;

private:
    QTimer FTimer;
};
