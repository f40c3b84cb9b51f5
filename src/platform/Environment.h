// What the running program knows about its user's environment: its own path, environment
// variables and the per-user folders of the desktop (XDG base directories).
#pragma once

#include <string>

// Full path of the running executable; empty when it cannot be found out.
std::string ExecutablePath();
// The variable's value; empty when it is not set.
std::string GetEnvironmentVariable(const std::string& Name);
// $XDG_CONFIG_HOME, or ~/.config when it is unset or not an absolute path.
std::string UserConfigHome();
// $XDG_DATA_HOME, or ~/.local/share when it is unset or not an absolute path.
std::string UserDataHome();
// Whether the process may write to the file or folder, asked with the identity its writes have
// (access() asks with the real one, and for root with every capability it could take up).
bool MayWrite(const std::string& Path);
// Whether the current user may create files in the folder.
bool IsWritableDirectory(const std::string& Path);
// Whether a save may replace the file through its folder: the folder is writable and a file that
// exists is not write-protected.
bool CanReplaceFile(const std::string& Path);
