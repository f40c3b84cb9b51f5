// String values under keys of the current user, where components keep small lists of their own.
// Keys are paths with "\" between their levels.
#pragma once

#include "platform/ServiceSlot.h"

#include <optional>
#include <string>

class TRegistry {
public:
    virtual ~TRegistry() = default;
    // None when the key or the value does not exist.
    virtual std::optional<std::string> ReadString(const std::string& Key,
                                                  const std::string& Name) const = 0;
    // Creates the key when missing; false when the value could not be stored.
    virtual bool WriteString(const std::string& Key, const std::string& Name,
                             const std::string& Value) = 0;
    // Removes the key with its values and subkeys; a missing key is no error.
    virtual void DeleteKey(const std::string& Key) = 0;
};

// Where the backend and tests install the registry (TScopedService).
TServiceSlot<TRegistry>& RegistrySlot();
// The installed registry; throws std::logic_error when none is.
TRegistry& Registry();
