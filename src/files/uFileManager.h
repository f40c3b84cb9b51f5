// The document manager of the one open mechanism: its file name and the name of an untitled
// document, new, open and save through the mechanism file parser, the file information, and
// whether the model changed since it was last new, opened or saved (a CRC of the serialised
// model against the one taken then).
#pragma once

#include "files/uXMLFileParser.h"
#include "gear/uGearDocument.h"

#include <cstdint>
#include <optional>
#include <string>

class TGearData;

class TFileManager : public TGearDocument {
public:
    // Starts with a new document: Unbenannt0.kxw.
    explicit TFileManager(TGearData& GearData);
    TFileManager(const TFileManager&) = delete;
    TFileManager& operator=(const TFileManager&) = delete;

    // The full path of the document's file; empty for an untitled document.
    const std::string& FileName() const { return FFileName; }
    const std::string& UntitledName() const { return FUntitledName; }

    // Makes the document a new untitled one; the caller has already cleared the model.
    void NewFile() override;
    // The model takes the file's mechanism over only when the whole file was read; otherwise the
    // document stays exactly as it was and the user is told why.
    bool Open(const std::string& FileName);
    // False without a file name or when writing failed; the file on disk then is the old one and
    // the document counts as modified.
    bool Save();
    // Why the last save failed, in German; empty when it wrote or nothing is known.
    const std::string& SaveRefusal() const { return FParser.SaveRefusal(); }
    // The document takes the new name even when saving under it fails.
    bool SaveAs(const std::string& FileName);

    // The file name without its folder, or the untitled name.
    std::string GetDisplayName() const;
    // Once seen modified, the document stays modified until it is new, opened or saved again.
    bool IsModified();
    // The checksum of the model now, taken afresh.
    std::uint32_t CalcChecksum();
    // The same, taken afresh only when the model changed since it was last taken.
    std::uint32_t Checksum();
    // Of everything but the joints' positions and the selection, which animating changes
    // without editing the mechanism.
    std::uint32_t CalcEditChecksum();
    // How often the model has been serialised for its checksum.
    int ChecksumsTaken() const { return FChecksumsTaken; }
    TFileInfo GetFileInfo() const { return FParser.FileInfo(); }

private:
    // The state the model is in now counts as unchanged.
    void TakeBaseline();

    const TGearData& FGearData;
    TXMLFileParser FParser;
    bool FModified = false;
    int FUntitledCounter = -1;
    std::string FFileName;
    std::string FUntitledName;
    std::uint32_t FChecksum = 0;
    // The checksum last taken and the model's revision then.
    std::optional<std::uint64_t> FTakenAt;
    std::uint32_t FTaken = 0;
    int FChecksumsTaken = 0;
};
