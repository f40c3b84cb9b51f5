// The list of the most recently used mechanism files, newest first, shown as numbered sub-items
// of a menu item; a click on one of them is reported through OnFileClick.
#pragma once

#include "platform/Component.h"
#include "platform/Watched.h"

#include <functional>
#include <string>
#include <vector>

class TMenuItem;

using TRecentFileClick = std::function<void(TObject* Sender, const std::string& FileName)>;

class TRecentFiles : public TComponent {
public:
    explicit TRecentFiles(TComponent* AOwner = nullptr);
    // Clears the menu item's sub-items; with a RegKey writes the list to the registry.
    ~TRecentFiles() override;
    // With a RegKey reads the list from the registry and rebuilds the menu.
    void Loaded();

    // Most names kept; 0 until set.
    int NumFiles() const { return FNumFiles; }
    void SetNumFiles(int ANumFiles);
    // Registry key of the list's own persistence; empty: no registry use.
    const std::string& RegKey() const { return FRegKey; }
    void SetRegKey(const std::string& ARegKey) { FRegKey = ARegKey; }
    // The item whose sub-items list the names; nullptr allowed.
    TMenuItem* MenuItem() const { return FMenuItem; }
    void SetMenuItem(TMenuItem* AMenuItem);

    TRecentFileClick OnFileClick;

    // Puts the name at the top (moving it there when it is listed already).
    void AddFile(const std::string& FileName);
    bool RemoveFile(const std::string& FileName);
    // Names are compared exactly: paths differing in letter case are different files.
    int IndexOfFile(const std::string& FileName) const;
    const std::string& GetFile(int Index) const { return FFiles.at(Index); }
    int GetCount() const { return static_cast<int>(FFiles.size()); }
    const std::vector<std::string>& Files() const { return FFiles; }
    // Removes every name; the menu keeps its sub-items until the next change.
    void Clear() { FFiles.clear(); }
    void TrimList();

    void ClearMenu();
    void BuildMenu();
    void UpdateMenu();

private:
    void MenuItemClick(TObject* Sender);
    std::string RegistryKey() const;

    int FNumFiles = 0;
    std::string FRegKey;
    TWatched<TMenuItem> FMenuItem;
    std::vector<std::string> FFiles;
};
