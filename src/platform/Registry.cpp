#include "platform/Registry.h"

TServiceSlot<TRegistry>& RegistrySlot() {
    static TServiceSlot<TRegistry> Slot("Registrierung");
    return Slot;
}

TRegistry& Registry() {
    return RegistrySlot().Get();
}
