#include "platform/DesktopShell.h"

TServiceSlot<TDesktopShell>& DesktopShellSlot() {
    static TServiceSlot<TDesktopShell> Slot("Desktop-Dienste");
    return Slot;
}

TDesktopShell& DesktopShell() {
    return DesktopShellSlot().Get();
}
