#include "platform/Timer.h"

#include <algorithm>

void TTimer::SetInterval(int Value) {
    Value = std::max(Value, 1);
    if (Value == FInterval)
        return;
    FInterval = Value;
    Changed();
}

void TTimer::SetEnabled(bool Value) {
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    Changed();
}
