#include "support/ManualTimer.h"

bool TManualTimer::Tick() {
    if (!Enabled())
        return false;
    Fire();
    return true;
}
