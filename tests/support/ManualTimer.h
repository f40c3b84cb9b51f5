// A timer for tests: it fires only when the test calls Tick, and records every state it was put
// in, so a test sees when its owner switched it on and off and to which interval.
#pragma once

#include "platform/Timer.h"

#include <vector>

struct TTimerState {
    int Interval;
    bool Enabled;
    bool operator==(const TTimerState&) const = default;
};

class TManualTimer : public TTimer {
public:
    // One message of the running timer: fires when Enabled, as the real timer would. Returns
    // whether it fired.
    bool Tick();

    // The state after each change of Interval or Enabled, in order.
    std::vector<TTimerState> Changes;

protected:
    void Changed() override { Changes.push_back({Interval(), Enabled()}); }
};
