#include "files/RecentFiles.h"

#include "platform/MenuItem.h"
#include "platform/Registry.h"

#include <algorithm>

TRecentFiles::TRecentFiles(TComponent* AOwner) : TComponent(AOwner) {}

TRecentFiles::~TRecentFiles() {
    Destroying();
    SetMenuItem(nullptr);
    if (!FRegKey.empty()) {
        TRegistry& R = Registry();
        R.DeleteKey(RegistryKey());
        for (int I = 0; I < GetCount(); ++I)
            R.WriteString(RegistryKey(), "File" + std::to_string(I), FFiles[I]);
    }
}

std::string TRecentFiles::RegistryKey() const {
    return FRegKey + "\\RecentFiles";
}

void TRecentFiles::Loaded() {
    if (FRegKey.empty())
        return;
    for (int I = 0;; ++I) {
        const auto Name = Registry().ReadString(RegistryKey(), "File" + std::to_string(I));
        if (!Name || Name->empty())
            break;
        FFiles.push_back(*Name);
    }
    UpdateMenu();
}

void TRecentFiles::SetNumFiles(int ANumFiles) {
    FNumFiles = ANumFiles;
    TrimList();
    UpdateMenu();
}

void TRecentFiles::SetMenuItem(TMenuItem* AMenuItem) {
    if (FMenuItem)
        ClearMenu();
    FMenuItem = AMenuItem;
    if (FMenuItem)
        UpdateMenu();
}

void TRecentFiles::AddFile(const std::string& FileName) {
    RemoveFile(FileName);
    FFiles.insert(FFiles.begin(), FileName);
    TrimList();
    UpdateMenu();
}

bool TRecentFiles::RemoveFile(const std::string& FileName) {
    const int Index = IndexOfFile(FileName);
    if (Index < 0)
        return false;
    FFiles.erase(FFiles.begin() + Index);
    return true;
}

int TRecentFiles::IndexOfFile(const std::string& FileName) const {
    auto It = std::find(FFiles.begin(), FFiles.end(), FileName);
    return It == FFiles.end() ? -1 : static_cast<int>(It - FFiles.begin());
}

void TRecentFiles::TrimList() {
    if (GetCount() > FNumFiles)
        FFiles.resize(std::max(FNumFiles, 0));
}

void TRecentFiles::ClearMenu() {
    if (!FMenuItem)
        return;
    // Every sub-item goes, also one that someone else put there.
    for (int I = FMenuItem->Count() - 1; I >= 0; --I)
        delete FMenuItem->Items(I);
}

void TRecentFiles::BuildMenu() {
    if (!FMenuItem)
        return;
    if (FFiles.empty()) {
        auto* Item = new TMenuItem(this);
        Item->SetCaption("<None>");
        Item->SetEnabled(false);
        Item->SetTag(-1);
        FMenuItem->Add(Item);
        return;
    }
    for (int I = 0; I < GetCount(); ++I) {
        auto* Item = new TMenuItem(this);
        Item->SetCaption(std::to_string(I + 1) + ":  " + FFiles[I]);
        Item->SetTag(I);
        Item->OnClick = [this](TObject* Sender) { MenuItemClick(Sender); };
        FMenuItem->Add(Item);
    }
}

void TRecentFiles::UpdateMenu() {
    ClearMenu();
    BuildMenu();
}

void TRecentFiles::MenuItemClick(TObject* Sender) {
    auto* Item = dynamic_cast<TMenuItem*>(Sender);
    if (!OnFileClick || !Item)
        return;
    // After Clear the old sub-items stay until the next change; their names are gone.
    if (Item->Tag() < 0 || Item->Tag() >= GetCount())
        return;
    const std::string FileName = FFiles[Item->Tag()];
    OnFileClick(this, FileName);
}
