#include "platform/DesktopShell.h"

#include <cassert>

namespace {
TDesktopShell* GShell = nullptr;
}

TDesktopShell& DesktopShell() {
    assert(GShell && "no desktop shell installed");
    return *GShell;
}

TDesktopShell* SetDesktopShell(TDesktopShell* S) {
    TDesktopShell* Old = GShell;
    GShell = S;
    return Old;
}
