#include "files/SettingsLocation.h"

#include "platform/Environment.h"
#include "xml/XMLPrefs.h"

#include <filesystem>
#include <system_error>

namespace {
const char* const SettingsName = "settings.xml";
}

TSettingsLocation ChooseSettingsLocation(const TSettingsFacts& Facts) {
    const std::string Beside = Facts.ProgramDir + "/" + SettingsName;
    if (Facts.BesideWritable)
        return {Beside, ""};
    TSettingsLocation L{Facts.ConfigDir + "/" + SettingsName, ""};
    if (!Facts.FileInConfigDir && Facts.FileBesideProgram)
        L.StartFileName = Beside;
    return L;
}

TSettingsLocation SettingsLocation() {
    namespace fs = std::filesystem;
    std::error_code Ec;
    TSettingsFacts F;
    F.ProgramDir = fs::path(ExecutablePath()).parent_path().string();
    const std::string Beside = (fs::path(F.ProgramDir) / SettingsName).string();
    F.FileBesideProgram = fs::is_regular_file(Beside, Ec);
    F.BesideWritable = CanReplaceFile(Beside);
    F.ConfigDir = UserConfigHome() + "/koplar";
    F.FileInConfigDir = fs::is_regular_file(fs::path(F.ConfigDir) / SettingsName, Ec);
    return ChooseSettingsLocation(F);
}

void LoadSettings(TCustomXMLPreferences& Preferences, const TSettingsLocation& Location) {
    if (!Location.StartFileName.empty())
        Preferences.LoadFromFile(Location.StartFileName);
    // A missing file only names the file and keeps the starting values.
    Preferences.LoadFromFile(Location.FileName);
}
