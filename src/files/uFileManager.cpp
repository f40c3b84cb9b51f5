#include "files/uFileManager.h"

#include "files/CRC32Utils.h"
#include "files/uXMLFileValues.h"
#include "gear/uGearData.h"
#include "platform/Platform.h"
#include "platform/TextFile.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
#include <string_view>
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

// The document the checksum is taken in. It keeps neither a tree nor its text: every element,
// attribute and text that the writer adds makes a line that goes at once into the CRC, naming the
// node it belongs to, so the same model always gives the same text and every change of the tree
// changes it. Building and serialising a real tree would be most of the cost of the modified
// test, which the windows ask at every status update.
class TChecksumDocument : public TXMLBuilder {
public:
    // OmitMotion leaves out the joints' positions and the selection flags.
    explicit TChecksumDocument(bool OmitMotion = false) : FOmitMotion(OmitMotion) {}
    std::uint32_t Checksum() const { return FCrc; }

    TXMLNode Document() const override { return Node(1); }

    void SetDeclaration(const std::string& Version, const std::string& Encoding,
                        const std::string& Standalone) override {
        Line('D', 1, Version + ' ' + Encoding + ' ' + Standalone);
    }
    TXMLNode AddChild(TXMLNode Parent, const std::string& Tag) override {
        Line('E', Number(Parent), Tag);
        return Node(++FNodes);
    }
    void SetAttribute(TXMLNode Element, const std::string& Name,
                      const std::string& Value) override {
        if (FOmitMotion && (Name == "x" || Name == "y" || Name == "selected"))
            return;
        Line('A', Number(Element), Name);
        Counted(Value);
    }
    void SetText(TXMLNode Element, const std::string& Value) override {
        Line('T', Number(Element), "");
        Counted(Value);
    }

private:
    static TXMLNode Node(std::uintptr_t Number) {
        return TXMLNode(reinterpret_cast<void*>(Number));
    }
    static std::uintptr_t Number(TXMLNode Node) {
        return reinterpret_cast<std::uintptr_t>(Node.Handle());
    }
    void Add(std::string_view Text) { FCrc = StrCRC32Seed(Text, FCrc); }
    // A line break, Lead and the number, then Separator.
    void Head(char Lead, std::uintptr_t Value, char Separator) {
        char Text[32] = {'\n', Lead};
        char* End = std::to_chars(Text + 2, Text + sizeof Text - 1, Value).ptr;
        *End++ = Separator;
        Add(std::string_view(Text, static_cast<std::size_t>(End - Text)));
    }
    void Line(char Kind, std::uintptr_t Node, std::string_view Name) {
        Head(Kind, Node, ' ');
        Add(Name);
    }
    // Names and tags come from the writer; values carry the user's text, which may hold any
    // character, so each goes with its length.
    void Counted(std::string_view Value) {
        Head('#', Value.size(), ':');
        Add(Value);
    }

    bool FOmitMotion;
    std::uintptr_t FNodes = 1;
    std::uint32_t FCrc = StrCRC32("");
};

std::uint32_t ChecksumOf(TXMLFileParser& Parser, bool OmitMotion) {
    TChecksumDocument Doc(OmitMotion);
    Parser.WriteDocument(Doc, true);
    return Doc.Checksum();
}

} // namespace

TFileManager::TFileManager(TGearData& GearData) : FGearData(GearData), FParser(GearData) {
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
    // A save of this file that was killed may have left its temporary file beside it.
    RemoveStaleTemporaries(FileName);
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
        FModified = !FileExists(FFileName) || Checksum() != FChecksum;
    return FModified;
}

std::uint32_t TFileManager::CalcChecksum() {
    ++FChecksumsTaken;
    return ChecksumOf(FParser, false);
}

std::uint32_t TFileManager::CalcEditChecksum() {
    return ChecksumOf(FParser, true);
}

// The windows ask at every mouse move; the model's revision tells whether anything the checksum
// covers changed since.
std::uint32_t TFileManager::Checksum() {
    const std::uint64_t Now = FGearData.Revision().Value();
    if (FTakenAt != Now) {
        FTaken = CalcChecksum();
        FTakenAt = Now;
    }
    return FTaken;
}

void TFileManager::TakeBaseline() {
    FChecksum = Checksum();
    FModified = false;
}
