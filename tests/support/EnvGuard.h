// Environment variables set for a test and restored afterwards, so that code reading the user's
// folders (HOME, XDG_*) works in a temporary folder instead of the real home.
#pragma once

#include <optional>
#include <string>

// Sets one variable for its lifetime; nullopt removes it meanwhile.
class TEnvGuard {
public:
    TEnvGuard(std::string Name, const std::optional<std::string>& Value);
    ~TEnvGuard();
    TEnvGuard(const TEnvGuard&) = delete;
    TEnvGuard& operator=(const TEnvGuard&) = delete;

private:
    std::string FName;
    std::optional<std::string> FOld;
};

// HOME, XDG_CONFIG_HOME and XDG_DATA_HOME inside Folder ("home", "config", "data").
class TUserFolders {
public:
    explicit TUserFolders(const std::string& Folder);
    std::string Home() const { return FFolder + "/home"; }
    std::string Config() const { return FFolder + "/config"; }
    std::string Data() const { return FFolder + "/data"; }

private:
    std::string FFolder;
    TEnvGuard FHome, FConfig, FData;
};
