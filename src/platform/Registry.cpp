#include "platform/Registry.h"

#include <cassert>

namespace {
TRegistry* GRegistry = nullptr;
}

TRegistry& Registry() {
    assert(GRegistry && "no registry installed");
    return *GRegistry;
}

TRegistry* SetRegistry(TRegistry* R) {
    TRegistry* Old = GRegistry;
    GRegistry = R;
    return Old;
}
