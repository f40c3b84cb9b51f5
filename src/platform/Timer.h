// A window-system timer: while Enabled it raises OnTimer every Interval milliseconds from the
// message loop, also inside modal dialogs. It is created disabled, so nothing fires before its
// owner has bound OnTimer. Backends only start and stop the real timer.
#pragma once

#include "platform/Events.h"
#include "platform/Object.h"

class TTimer : public TObject {
public:
    // Raised with the timer as Sender.
    TNotifyEvent OnTimer;

    int Interval() const { return FInterval; }
    // Values below 1 ms run at 1 ms: a zero interval would fire on every idle pass of the loop.
    // Changing it while enabled restarts the period.
    void SetInterval(int Value);

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);

protected:
    TTimer() = default;
    // Called after every change of Interval or Enabled: start (or restart) or stop.
    virtual void Changed() = 0;
    void Fire() { Raise(OnTimer, this); }

private:
    int FInterval = 1000;
    bool FEnabled = false;
};
