// The application's settings: the store with every setting registered at its default, the
// recent-file list kept beside the settings and the registration of the mechanism file type.
// Model code reads the settings through the one installed object, Preferences().
#pragma once

#include "xml/XMLPrefs.h"

class TRecentFiles;

class TPreferences : public TCustomXMLPreferences {
public:
    // Registers every setting of the application with its default, in the file's order.
    TPreferences();

    // The element "recent_files" under the root; nullptr when there is no root.
    TXMLTag* RecentFilesTag() const { return FRecentFilesTag; }

    // Also finds the recent-file element of the file, or appends one.
    void LoadFromFile(const std::string& AFileName) override;
    // Puts the list into the tree (newest first); the settings file is written later.
    void SaveRecentFiles(const TRecentFiles& List);
    // Replaces the list by the stored names that still name regular files, in their stored order.
    void LoadRecentFiles(TRecentFiles& List) const;
    // Associates the mechanism files with the running program; false when that failed.
    bool RegisterFileType() const;

private:
    void RegisterDefaults();

    TXMLTag* FRecentFilesTag = nullptr;
};

// The application's settings; asserts that they are installed.
TPreferences& Preferences();
// Installs P (not owned) and returns the previous one; nullptr uninstalls.
TPreferences* SetPreferences(TPreferences* P);
