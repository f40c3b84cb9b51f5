// The process locale for the object's lifetime. A German one is compiled into a scratch folder
// when the system has none installed, so that the decimal comma is really in force.
#pragma once

#include "support/EnvGuard.h"
#include "support/ScratchDir.h"

#include <optional>
#include <string>

class TProcessLocale {
public:
    // German, or else the C locale.
    explicit TProcessLocale(bool German);
    ~TProcessLocale();
    TProcessLocale(const TProcessLocale&) = delete;
    TProcessLocale& operator=(const TProcessLocale&) = delete;
    bool Active() const { return FActive; }

private:
    bool SetGerman();

    std::string FSaved;
    bool FActive = false;
    TScratchDir FLocaleDir;
    std::optional<TEnvGuard> FLocalePath;
};
