#include "files/Preferences.h"

#include "files/FileTypeRegistration.h"
#include "files/RecentFiles.h"
#include "platform/Environment.h"
#include "xml/XMLParser.h"

#include <cassert>
#include <filesystem>
#include <system_error>

namespace {
TPreferences* GPreferences = nullptr;
const char* const RecentFilesName = "recent_files";
} // namespace

TPreferences::TPreferences() {
    FRecentFilesTag = AddTag(*Root(), RecentFilesName);
    RegisterDefaults();
}

void TPreferences::LoadFromFile(const std::string& AFileName) {
    TCustomXMLPreferences::LoadFromFile(AFileName);
    FRecentFilesTag = Root()->Items().TagByName(RecentFilesName);
    if (!FRecentFilesTag)
        FRecentFilesTag = AddTag(*Root(), RecentFilesName);
}

void TPreferences::SaveRecentFiles(const TRecentFiles& List) {
    FRecentFilesTag->Items().Clear();
    for (const std::string& File : List.Files())
        TXMLTag::CreateWithText(*FRecentFilesTag, "file", File);
}

void TPreferences::LoadRecentFiles(TRecentFiles& List) const {
    List.Clear();
    const TXMLItems& Files = FRecentFilesTag->Items();
    // AddFile puts each name on top, so the last stored name goes in first.
    for (int I = Files.GetTagCount() - 1; I >= 0; --I) {
        const std::string Name = Files.GetTag(I)->GetText();
        std::error_code Ec;
        if (!Name.empty() && std::filesystem::exists(Name, Ec))
            List.AddFile(Name);
    }
}

bool TPreferences::RegisterFileType() const {
    return ::RegisterFileType("kxw", "KOPLAR GE Projekt", ExecutablePath());
}

TPreferences& Preferences() {
    assert(GPreferences && "no preferences installed");
    return *GPreferences;
}

TPreferences* SetPreferences(TPreferences* P) {
    TPreferences* Old = GPreferences;
    GPreferences = P;
    return Old;
}
