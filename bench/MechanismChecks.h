// A benchmark's mechanism that cannot be built stops the run with the reason, instead of timing
// a different mechanism.
#pragma once

#include "gear/uDrive.h"

#include <stdexcept>
#include <string>

inline void Built(bool Whole, const std::string& What) {
    if (!Whole)
        throw std::logic_error(What + " cannot be built");
}

inline TDrive& Made(TDrive* Drive, const std::string& What) {
    Built(Drive != nullptr, What);
    return *Drive;
}
