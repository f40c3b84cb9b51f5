// The application's settings: the store with every setting registered at its default, the
// recent-file list kept beside the settings and the registration of the mechanism file type.
// The program installs its one object into the model's PreferencesSlot() with TScopedService;
// model code reads the store there, the application's own code through Preferences().
#pragma once

#include "xml/XMLPrefs.h"

class TRecentFiles;
struct TApplyTargets;

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
    // Brings every given object that draws or animates up to the settings; the main window's
    // surface repaints once, unless an outer batch is still open (ApplyPreferences.cpp).
    void ApplyToAll(const TApplyTargets& Targets) const;

private:
    void RegisterDefaults();

    TXMLTag* FRecentFilesTag = nullptr;
};

// The installed application settings; throws std::logic_error when none are installed or the
// installed store is not the application's.
TPreferences& Preferences();
