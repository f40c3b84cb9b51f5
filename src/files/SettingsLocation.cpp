#include "files/SettingsLocation.h"

#include "platform/Environment.h"
#include "xml/XMLPrefs.h"

#include <filesystem>
#include <system_error>

namespace {

const char* const SettingsName = "settings.xml";

std::string SettingsFileIn(const std::string& Folder) {
    return (std::filesystem::path(Folder) / SettingsName).string();
}

} // namespace

TSettingsLocation ChooseSettingsLocation(const TSettingsFacts& Facts) {
    // When the program's own path is unknown, nothing beside it can be found or saved.
    const bool ProgramKnown = !Facts.ProgramDir.empty();
    const std::string Beside = SettingsFileIn(Facts.ProgramDir);
    if (ProgramKnown && Facts.BesideWritable)
        return {Beside, ""};
    TSettingsLocation L{SettingsFileIn(Facts.ConfigDir), ""};
    if (ProgramKnown && !Facts.FileInConfigDir && Facts.FileBesideProgram)
        L.StartFileName = Beside;
    return L;
}

TSettingsLocation SettingsLocation() {
    namespace fs = std::filesystem;
    std::error_code Ec;
    TSettingsFacts F;
    F.ProgramDir = fs::path(ExecutablePath()).parent_path().string();
    const std::string Beside = SettingsFileIn(F.ProgramDir);
    F.FileBesideProgram = fs::is_regular_file(Beside, Ec);
    F.BesideWritable = CanReplaceFile(Beside);
    F.ConfigDir = UserConfigHome() + "/koplar";
    F.FileInConfigDir = fs::is_regular_file(SettingsFileIn(F.ConfigDir), Ec);
    return ChooseSettingsLocation(F);
}

void LoadSettings(TCustomXMLPreferences& Preferences, const TSettingsLocation& Location) {
    if (!Location.StartFileName.empty())
        Preferences.LoadFromFile(Location.StartFileName);
    // A missing file only names the file and keeps the starting values.
    Preferences.LoadFromFile(Location.FileName);
}
