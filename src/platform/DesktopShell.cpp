#include "platform/DesktopShell.h"

#include "platform/ServiceSlot.h"

namespace {
TServiceSlot<TDesktopShell> GShell;
}

TDesktopShell& DesktopShell() { return GShell.Get(); }

TDesktopShell* SetDesktopShell(TDesktopShell* S) { return GShell.Set(S); }
