// The process locale for the object's lifetime. Without a German one installed, the one that the
// test run compiled is used (or one compiled into a scratch folder), so that the decimal comma is
// really in force.
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
    // The German locale compiled into Folder, in force when it has the decimal comma.
    bool UseCompiledGerman(const std::string& Folder);

    std::string FSaved;
    bool FActive = false;
    TScratchDir FLocaleDir;
    std::optional<TEnvGuard> FLocalePath;
};
