#include "platform/Registry.h"

#include "platform/ServiceSlot.h"

namespace {
TServiceSlot<TRegistry> GRegistry;
}

TRegistry& Registry() { return GRegistry.Get(); }

TRegistry* SetRegistry(TRegistry* R) { return GRegistry.Set(R); }
