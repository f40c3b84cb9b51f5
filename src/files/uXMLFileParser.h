// Mechanism files (kxw): the writer builds the XML document of a model element by element, the
// reader fills a model from a file of the current or an older version. A read is all or nothing:
// the parts go into a model of their own and the parser's model takes them over only when the
// whole file was read, so a failed read leaves the open mechanism as it was.
#pragma once

#include "platform/XMLDocument.h"

#include <string>

class TGearData;
class TJoint;
class TCustomLink;
class TDrive;

struct TFileInfo {
    // Of the file last read; -1 when the file gave none, 3 for a new document.
    int FileVersion = 0;
    double CreationTime = 0;
    double LastModified = 0;
};

// The version this program writes and the newest it reads.
constexpr int CurrentFileVersion = 3;

struct TLoadResult {
    bool Success = false;
    // On failure the text to show the user: the newer-version notice, or "Die Datei konnte nicht
    // gelesen werden." with the reason where one is known.
    std::string Message;
    // What the file's "fileinfo" gave, also for a file refused as too new.
    TFileInfo FileInfo;
    explicit operator bool() const { return Success; }
};

class TXMLFileParser {
public:
    explicit TXMLFileParser(TGearData& GearData);
    TXMLFileParser(const TXMLFileParser&) = delete;
    TXMLFileParser& operator=(const TXMLFileParser&) = delete;

    TGearData& GearData() const { return FGearData; }
    TFileInfo& FileInfo() { return FFileInfo; }
    const TFileInfo& FileInfo() const { return FFileInfo; }

    // Writes the model; the existing file is replaced only by a complete new one. False on any
    // failure, with the model, the old file and the file information unchanged. A model that
    // the reader would refuse is not written.
    bool SaveToFile(const std::string& FileName);
    // Why the last save failed, in German: a model the reader would refuse, or what stood in the
    // way of writing; empty after a save that wrote, or when nothing is known.
    const std::string& SaveRefusal() const { return FSaveRefusal; }
    // Builds the whole tree into an empty, active document.
    void WriteDocument(TXMLBuilder& Doc, bool OmitFileInfo);
    // The serialised document; without the file information it depends on the model alone.
    std::string WriteDocumentText(bool OmitFileInfo);

    // Reads the file into the model, which takes over the file's parts only on success; on
    // failure the model and the file information stay as they were. Never throws for bad input.
    TLoadResult LoadFromFile(const std::string& FileName);
    void ResetFileVersion() { FFileInfo.FileVersion = -1; }

private:
    void WriteFileInfo(TXMLBuilder& Doc, TXMLNode Node);
    void WriteGearInfo(TXMLBuilder& Doc, TXMLNode Node) const;
    void WriteJoints(TXMLBuilder& Doc, TXMLNode Node) const;
    void WriteJoint(TXMLBuilder& Doc, TXMLNode Node, const TJoint& Joint) const;
    void WriteLinks(TXMLBuilder& Doc, TXMLNode Node) const;
    void WriteLink(TXMLBuilder& Doc, TXMLNode Links, const TCustomLink& Link) const;
    void WriteConnections(TXMLBuilder& Doc, TXMLNode Node) const;
    void WriteLinkConnections(TXMLBuilder& Doc, TXMLNode Node) const;
    void WriteJointConnections(TXMLBuilder& Doc, TXMLNode Node) const;
    void WriteDrives(TXMLBuilder& Doc, TXMLNode Node) const;
    void WriteDrive(TXMLBuilder& Doc, TXMLNode Node, const TDrive& Drive) const;
    void WritePlanes(TXMLBuilder& Doc, TXMLNode Node) const;
    void WriteCurves(TXMLBuilder& Doc, TXMLNode Node) const;

    TGearData& FGearData;
    TFileInfo FFileInfo;
    std::string FSaveRefusal;
};
