// Where "settings.xml" lives: beside the program when it can be saved there (a build tree, a
// portable copy), otherwise in the user's configuration folder, so that an installed program
// keeps its settings. A settings file shipped beside an installed program gives starting values.
#pragma once

#include <string>

class TCustomXMLPreferences;

struct TSettingsLocation {
    // The file that is loaded and saved.
    std::string FileName;
    // Read before FileName, which does not exist yet, for the starting values; empty: none.
    std::string StartFileName;
    friend bool operator==(const TSettingsLocation&, const TSettingsLocation&) = default;
};

// What the choice depends on.
struct TSettingsFacts {
    std::string ProgramDir;
    // The file beside the program can be replaced: its folder is writable and a file that is
    // there is not write-protected.
    bool BesideWritable = false;
    bool FileBesideProgram = false;
    std::string ConfigDir; // the program's folder in the user's configuration folder
    bool FileInConfigDir = false;
};

TSettingsLocation ChooseSettingsLocation(const TSettingsFacts& Facts);
// The location for the running program and the current user.
TSettingsLocation SettingsLocation();
// Loads the starting values when there are any, then the settings file, which it also names for
// saving.
void LoadSettings(TCustomXMLPreferences& Preferences, const TSettingsLocation& Location);
