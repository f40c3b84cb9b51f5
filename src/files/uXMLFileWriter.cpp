// The writing half of the mechanism file parser.
#include "files/uXMLFileParser.h"

#include "files/uXMLFileValues.h"
#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uGearLimits.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"
#include "platform/TextFile.h"

#include <cstdint>
#include <exception>

namespace {

void SetInt(TXMLBuilder& Doc, TXMLNode Node, const char* Name, long long Value) {
    Doc.SetAttribute(Node, Name, std::to_string(Value));
}

void SetBool(TXMLBuilder& Doc, TXMLNode Node, const char* Name, bool Value) {
    Doc.SetAttribute(Node, Name, FormatFileBoolean(Value));
}

int UIDOf(const TGearPart* Part) {
    return Part ? Part->UID() : -1;
}

const char* LinkTag(const TCustomLink& Link) {
    if (AsRack(&Link))
        return "rack";
    if (AsSlider(&Link))
        return "slider";
    if (AsBar(&Link))
        return "link";
    return "customlink";
}

} // namespace

TXMLFileParser::TXMLFileParser(TGearData& GearData) : FGearData(GearData) {}

bool TXMLFileParser::SaveToFile(const std::string& FileName) {
    FSaveRefusal = GearLimitFault(FGearData);
    if (!FSaveRefusal.empty())
        return false;
    // A failed save must not keep a creation time that no file carries.
    const TFileInfo Before = FFileInfo;
    try {
        TXMLDocumentJob Job;
        WriteDocument(Job.Doc(), false);
        Job.Doc().SaveToFile(FileName);
        return true;
    } catch (const EXMLDocumentError& E) {
        FSaveRefusal = E.what();
    } catch (const EInOutError& E) {
        FSaveRefusal = E.what();
    } catch (const std::exception&) {
    }
    FFileInfo = Before;
    return false;
}

std::string TXMLFileParser::WriteDocumentText(bool OmitFileInfo) {
    TXMLDocumentJob Job;
    WriteDocument(Job.Doc(), OmitFileInfo);
    return Job.Doc().SaveToXML();
}

void TXMLFileParser::WriteDocument(TXMLBuilder& Doc, bool OmitFileInfo) {
    Doc.SetDeclaration("1.0", "UTF-8", "yes");
    TXMLNode Data = Doc.AddChild(Doc.Document(), "data");
    if (!OmitFileInfo)
        WriteFileInfo(Doc, Doc.AddChild(Data, "fileinfo"));
    WriteGearInfo(Doc, Doc.AddChild(Data, "gearinfo"));
    WriteJoints(Doc, Doc.AddChild(Data, "joints"));
    WriteLinks(Doc, Doc.AddChild(Data, "links"));
    WriteConnections(Doc, Doc.AddChild(Data, "connections"));
    WriteDrives(Doc, Doc.AddChild(Data, "drives"));
    WritePlanes(Doc, Doc.AddChild(Data, "planes"));
    WriteCurves(Doc, Doc.AddChild(Data, "curves"));
}

void TXMLFileParser::WriteFileInfo(TXMLBuilder& Doc, TXMLNode Node) {
    if (FFileInfo.CreationTime == 0)
        FFileInfo.CreationTime = FileClockNow();
    SetInt(Doc, Node, "Fileversion", CurrentFileVersion);
    Doc.SetAttribute(Node, "CreationTime", FormatFileDateTime(FFileInfo.CreationTime));
    // Spelled so in every file ever written.
    Doc.SetAttribute(Node, "LastModfied", FormatFileDateTime(FileClockNow()));
}

void TXMLFileParser::WriteGearInfo(TXMLBuilder& Doc, TXMLNode Node) const {
    Doc.SetAttribute(Node, "Description", FGearData.GearInfo().Description());
    Doc.SetAttribute(Node, "Author", FGearData.GearInfo().Author());
}

void TXMLFileParser::WriteJoints(TXMLBuilder& Doc, TXMLNode Node) const {
    for (const TJoint* Joint : FGearData.Joints())
        WriteJoint(Doc, Doc.AddChild(Node, "joint"), *Joint);
}

void TXMLFileParser::WriteJoint(TXMLBuilder& Doc, TXMLNode Node, const TJoint& Joint) const {
    SetInt(Doc, Node, "uid", Joint.UID());
    SetInt(Doc, Node, "number", Joint.ID());
    Doc.SetAttribute(Node, "name", Joint.Identifier());
    SetBool(Doc, Node, "virtual", Joint.IsVirtual());
    SetBool(Doc, Node, "visible", Joint.Visible());
    Doc.SetAttribute(Node, "x", FormatFileNumber(Joint.X()));
    Doc.SetAttribute(Node, "y", FormatFileNumber(Joint.Y()));
    SetBool(Doc, Node, "selected", Joint.Selected());
}

void TXMLFileParser::WriteLinks(TXMLBuilder& Doc, TXMLNode Node) const {
    for (const TCustomLink* Link : FGearData.Links())
        WriteLink(Doc, Node, *Link);
}

void TXMLFileParser::WriteLink(TXMLBuilder& Doc, TXMLNode Links, const TCustomLink& Link) const {
    TXMLNode Node = Doc.AddChild(Links, LinkTag(Link));
    SetInt(Doc, Node, "uid", Link.UID());
    SetInt(Doc, Node, "number", Link.ID());
    Doc.SetAttribute(Node, "name", Link.Identifier());
    SetBool(Doc, Node, "selected", Link.Selected());
    SetBool(Doc, Node, "visible", Link.Visible());
    SetInt(Doc, Node, "refjoint", Link.ReferenceJointID());
    // Colours are signed 32-bit values in the file.
    SetInt(Doc, Node, "color", static_cast<std::int32_t>(Link.LineColor()));
}

void TXMLFileParser::WriteConnections(TXMLBuilder& Doc, TXMLNode Node) const {
    WriteLinkConnections(Doc, Doc.AddChild(Node, "linkconnections"));
    WriteJointConnections(Doc, Doc.AddChild(Node, "jointconnections"));
}

void TXMLFileParser::WriteLinkConnections(TXMLBuilder& Doc, TXMLNode Node) const {
    for (const TCustomLink* Link : FGearData.Links())
        for (const TJoint* Joint : Link->Joints()) {
            TXMLNode Con = Doc.AddChild(Node, "con");
            SetInt(Doc, Con, "linkidx", Link->UID());
            SetInt(Doc, Con, "jointidx", Joint->UID());
        }
}

void TXMLFileParser::WriteJointConnections(TXMLBuilder& Doc, TXMLNode Node) const {
    for (const TJoint* Joint : FGearData.Joints())
        for (const TCustomLink* Link : Joint->Links()) {
            TXMLNode Con = Doc.AddChild(Node, "con");
            SetInt(Doc, Con, "jointidx", Joint->UID());
            SetInt(Doc, Con, "linkidx", Link->UID());
        }
}

void TXMLFileParser::WriteDrives(TXMLBuilder& Doc, TXMLNode Node) const {
    for (const TDrive* Drive : FGearData.Drives())
        WriteDrive(Doc, Doc.AddChild(Node, "drive"), *Drive);
}

void TXMLFileParser::WriteDrive(TXMLBuilder& Doc, TXMLNode Node, const TDrive& Drive) const {
    Doc.SetAttribute(Node, "ident", Drive.Identifier());
    SetInt(Doc, Node, "jointidx", UIDOf(Drive.GetJoint()));
    SetInt(Doc, Node, "linkidx0", UIDOf(Drive.Link0()));
    SetInt(Doc, Node, "linkidx1", UIDOf(Drive.Link1()));
    SetInt(Doc, Node, "intervals", Drive.Intervals());
    SetInt(Doc, Node, "drivetype", Drive.DriveType());
    TXMLNode Values = Doc.AddChild(Node, "values");
    // A table one longer than Intervals holds a last entry that is not a gear position.
    for (int I = 0; I < Drive.Intervals(); ++I)
        Doc.SetText(Doc.AddChild(Values, "item"), FormatFileNumber(Drive.GetValue(I)));
}

void TXMLFileParser::WritePlanes(TXMLBuilder&, TXMLNode) const {}

void TXMLFileParser::WriteCurves(TXMLBuilder&, TXMLNode) const {}
