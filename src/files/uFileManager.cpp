#include "files/uFileManager.h"

#include "files/CRC32Utils.h"
#include "files/uXMLFileValues.h"
#include "platform/Platform.h"

#include <filesystem>
#include <system_error>

namespace {

// Names are kept absolute, so that a later change of the working folder cannot redirect a save.
std::string AbsolutePath(const std::string& FileName) {
    std::error_code Error;
    const std::filesystem::path Path = std::filesystem::absolute(FileName, Error);
    return Error ? FileName : Path.string();
}

bool FileExists(const std::string& FileName) {
    std::error_code Error;
    return !FileName.empty() && std::filesystem::exists(FileName, Error);
}

// Blanks and control characters at either end: the serialisation's final line break.
std::string_view Trimmed(std::string_view Text) {
    const auto IsBlank = [](char C) { return static_cast<unsigned char>(C) <= ' '; };
    while (!Text.empty() && IsBlank(Text.front()))
        Text.remove_prefix(1);
    while (!Text.empty() && IsBlank(Text.back()))
        Text.remove_suffix(1);
    return Text;
}

} // namespace

TFileManager::TFileManager(TGearData& GearData) : FParser(GearData) {
    NewFile();
}

void TFileManager::NewFile() {
    ++FUntitledCounter;
    FFileName.clear();
    FUntitledName = "Unbenannt" + std::to_string(FUntitledCounter) + ".kxw";
    TFileInfo& Info = FParser.FileInfo();
    Info.CreationTime = FileClockNow();
    Info.LastModified = FileClockNow();
    Info.FileVersion = CurrentFileVersion;
    TakeBaseline();
}

bool TFileManager::Open(const std::string& FileName) {
    if (FileName.empty())
        return false;
    if (!FileExists(FileName)) {
        MessageDlg("Datei konnte nicht gefunden werden.", TMsgDlgType::mtInformation, mbOK);
        return false;
    }
    const TLoadResult Result = FParser.LoadFromFile(FileName);
    if (!Result) {
        MessageDlg(Result.Message.empty() ? "Die Datei konnte nicht gelesen werden."
                                          : Result.Message,
                   TMsgDlgType::mtInformation, mbOK);
        return false;
    }
    FFileName = AbsolutePath(FileName);
    TakeBaseline();
    return true;
}

bool TFileManager::Save() {
    if (FFileName.empty())
        return false;
    if (!FParser.SaveToFile(FFileName)) {
        FModified = true;
        return false;
    }
    TakeBaseline();
    return true;
}

bool TFileManager::SaveAs(const std::string& FileName) {
    FFileName = FileName.empty() ? FileName : AbsolutePath(FileName);
    return Save();
}

std::string TFileManager::GetDisplayName() const {
    if (FFileName.empty())
        return FUntitledName;
    return FFileName.substr(FFileName.rfind('/') + 1);
}

bool TFileManager::IsModified() {
    if (!FModified)
        FModified = !FileExists(FFileName) || CalcChecksum() != FChecksum;
    return FModified;
}

std::uint32_t TFileManager::CalcChecksum() {
    return StrCRC32(Trimmed(FParser.WriteDocumentText(true)));
}

void TFileManager::TakeBaseline() {
    FChecksum = CalcChecksum();
    FModified = false;
}
