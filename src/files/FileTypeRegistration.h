// Associates a file extension with the program for the current user, the freedesktop way: a
// shared-mime-info package, a desktop entry and the program's icon under the user's data folder.
#pragma once

#include <string>

// The name under which the program's desktop files and icon are installed.
inline constexpr const char* KoplarAppId = "koplar";

// Writes only the files whose contents changed and then runs the desktop's database tools for
// them when they are installed, so a repeated call with nothing changed writes nothing. Never
// throws; false when a file could not be written, a tool failed or ProgramPath is empty.
bool RegisterFileType(const std::string& Extension, const std::string& Description,
                      const std::string& ProgramPath);

// The MIME type under which files of the extension are registered.
std::string FileTypeMimeType(const std::string& Extension);
// The Exec line's program argument, quoted and escaped for a desktop entry.
std::string DesktopExecArgument(const std::string& ProgramPath);
