// The reading half of the mechanism file parser. A file is untrusted: every count is bounded,
// every value checked, and a reference that does not resolve drops only the entry that makes it.
#include "files/uXMLFileParser.h"

#include "files/uXMLFileValues.h"
#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uGearLimits.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

namespace {

const char* const NewerVersionMessage =
    "Die Datei wurde mit einer neueren Version des Programs erstellt,\r\nund kann nicht "
    "geöffnet werden.";
const char* const UnreadableMessage = "Die Datei konnte nicht gelesen werden.";

// A file that cannot be read; the message names the reason for the user.
class EFileFault : public std::runtime_error {
public:
    explicit EFileFault(const std::string& Reason) : std::runtime_error(Reason) {}
};

std::string Shown(const std::string& Text) {
    constexpr std::size_t MaxShown = 40;
    return Text.size() <= MaxShown ? Text : Text.substr(0, MaxShown) + "...";
}

class TFileReader {
public:
    TFileReader(const TXMLReader& Doc, TGearData& Model) : FDoc(Doc), FModel(Model) {}

    TFileInfo ReadFileInfo(TXMLNode Node) const;
    // Everything after "fileinfo", for the given version.
    void ReadContents(TXMLNode Data, int Version);

private:
    void ReadGearInfo(TXMLNode Node);
    void ReadJoints(TXMLNode Node);
    TJoint* ReadJoint(TXMLNode Node);
    void ReadLinks(TXMLNode Node);
    TCustomLink* ReadLink(TXMLNode Node);
    template <class T> T* NewLink();
    void ReadConnections(TXMLNode Node);
    void ReadLinkConnection(TXMLNode Node);
    void ReadJointConnection(TXMLNode Node);
    void ApplyReferenceJoints();
    // Sliders that share joints form one group whose joints all stand where its pin stands, so
    // that what is read writes back unchanged.
    void SettleSliders();
    void ReadDrives(TXMLNode Node);
    TDrive* ReadDrive(TXMLNode Node);
    void ReadValues(TXMLNode Node, TDrive& Drive);
    // Adds a drive's gear positions to those of the drives read before, which are bounded.
    void CountValues(int Count);

    // The children of a list element, bounded.
    int Entries(TXMLNode Node, int Max, const char* What) const;
    bool HasAll(TXMLNode Node, std::initializer_list<const char*> Names) const;
    std::string Text(TXMLNode Node, const char* Name) const;
    int Integer(TXMLNode Node, const char* Name) const;
    int Bounded(TXMLNode Node, const char* Name, int Min, int Max) const;
    bool Boolean(TXMLNode Node, const char* Name) const;
    double Number(const std::string& Value, const char* Name) const;
    double Coordinate(TXMLNode Node, const char* Name) const;

    // The file's UID when it is valid and no part read before holds it; else the part keeps a
    // fresh one. References still find the part by the file's number.
    void TakeUID(TGearPart& Part, int FileUID);
    // Fresh UIDs were drawn while the file's were still unknown: one that a later part claimed
    // is drawn again.
    void RenewFreshUIDs();
    // Shown numbers start at 1 and are unique: a joint or link numbered below, or with the
    // number of one before it, gets the lowest free number.
    void RenewIDs();
    template <class TList> void RenewIDs(const TList& List);
    void Forget(const TGearPart* Part);
    // The keys by the numbers the file gives, joints and links each in their own table.
    void IndexParts();
    // Every part with the number, in list order; empty for a number no part has.
    template <class T>
    static const std::vector<T*>& Parts(const std::unordered_map<int, std::vector<T*>>& Keys,
                                        int Value);
    // A reference finds the first part with the number: one that several parts have reaches
    // the later ones only where the first would repeat a connection already made.
    TJoint* JointRef(int Value) const;
    TCustomLink* LinkRef(int Value) const;

    const TXMLReader& FDoc;
    TGearData& FModel;
    int FVersion = CurrentFileVersion;
    std::unordered_set<int> FClaimedUIDs;
    std::vector<TGearPart*> FFreshUIDs;
    // The number each part has in the file: its UID in version 3, its ID before.
    std::unordered_map<const TGearPart*, int> FFileNumbers;
    // Each link read with the "refjoint" it asks for, applied once its joints are known.
    std::vector<std::pair<TCustomLink*, int>> FReferenceJoints;
    // Keys of the version in force (UIDs, IDs or positions), each with its parts in list order.
    std::unordered_map<int, std::vector<TJoint*>> FJointKeys;
    std::unordered_map<int, std::vector<TCustomLink*>> FLinkKeys;
    // How many links of each joint the joint connections have put in order.
    std::unordered_map<TJoint*, int> FPlacedLinks;
    // How far the link connections have used up the parts that share a number: the parts before
    // a cursor are joined already, so a connection costs the same however many parts share it.
    // By (link key, joint key): the first link of the key still missing a joint of the key.
    std::map<std::pair<int, int>, std::size_t> FLinkCursors;
    // By (link, joint key): the first joint of the key that the link does not hold yet.
    std::map<std::pair<const TCustomLink*, int>, std::size_t> FJointCursors;
    long long FDriveValues = 0;
};

TFileInfo TFileReader::ReadFileInfo(TXMLNode Node) const {
    TFileInfo Info;
    Info.FileVersion = -1;
    if (!Node)
        return Info;
    if (FDoc.HasAttribute(Node, "Fileversion"))
        Info.FileVersion = Integer(Node, "Fileversion");
    // A time in another form costs the time, not the file.
    Info.CreationTime = ParseFileDateTime(FDoc.Attribute(Node, "CreationTime"));
    Info.LastModified = ParseFileDateTime(FDoc.Attribute(Node, "LastModfied"));
    return Info;
}

void TFileReader::ReadContents(TXMLNode Data, int Version) {
    FVersion = Version;
    ReadGearInfo(FDoc.ChildByName(Data, "gearinfo"));
    ReadJoints(FDoc.ChildByName(Data, "joints"));
    ReadLinks(FDoc.ChildByName(Data, "links"));
    IndexParts();
    RenewFreshUIDs();
    RenewIDs();
    ReadConnections(FDoc.ChildByName(Data, "connections"));
    ApplyReferenceJoints();
    SettleSliders();
    ReadDrives(FDoc.ChildByName(Data, "drives"));
    // Plane positions and coupler curves are not stored.
    FModel.RemoveOrphans();
    if (!FModel.Rack())
        FModel.CreateRackOffSurface("Gestell");
}

void TFileReader::ReadGearInfo(TXMLNode Node) {
    if (!Node)
        return;
    FModel.GearInfo().SetDescription(FDoc.Attribute(Node, "Description"));
    FModel.GearInfo().SetAuthor(FDoc.Attribute(Node, "Author"));
}

void TFileReader::ReadJoints(TXMLNode Node) {
    const int Count = Entries(Node, MaxParts, "Gelenke");
    for (int I = 0; I < Count; ++I)
        if (TJoint* Joint = ReadJoint(FDoc.Child(Node, I)))
            FModel.AddJoint(Joint);
}

TJoint* TFileReader::ReadJoint(TXMLNode Node) {
    const bool Current = FVersion == CurrentFileVersion;
    if (Current
            ? !HasAll(Node, {"uid", "number", "name", "selected", "visible", "virtual", "x", "y"})
            : !HasAll(Node, {"id", "ident", "selected", "visible"}))
        return nullptr;
    const int ID = Integer(Node, Current ? "number" : "id");
    // Checked, but a file does not select: the first click elsewhere would change the document.
    Boolean(Node, "selected");
    const bool Visible = Current ? Boolean(Node, "visible") : true;
    const bool Virtual = Boolean(Node, "virtual");
    const double X = Coordinate(Node, "x");
    const double Y = Coordinate(Node, "y");
    const int UID = Current ? Integer(Node, "uid") : -1;
    // As the model creates a joint, without its search for a free number: the file gives one.
    TJoint* Joint = FModel.Parts().AddNew<TJoint>();
    ApplyToJoint(*Joint);
    if (Current)
        TakeUID(*Joint, UID);
    FFileNumbers[Joint] = Current ? UID : ID;
    Joint->SetID(ID);
    Joint->SetIdentifier(Text(Node, Current ? "name" : "ident"));
    Joint->SetVisible(Visible);
    Joint->SetIsVirtual(Virtual);
    Joint->SetX(X);
    Joint->SetY(Y);
    return Joint;
}

void TFileReader::ReadLinks(TXMLNode Node) {
    const int Count = Entries(Node, MaxParts, "Glieder");
    for (int I = 0; I < Count; ++I) {
        TCustomLink* Link = ReadLink(FDoc.Child(Node, I));
        if (!Link)
            continue;
        if (AsRack(Link) && FModel.Rack()) {
            // A second frame replaces the first, which is freed.
            TRack* Old = FModel.Rack();
            Forget(Old);
        }
        FModel.AddLink(Link);
    }
}

template <class T> T* TFileReader::NewLink() {
    T* Link = FModel.Parts().AddNew<T>();
    ApplyToLink(*Link);
    return Link;
}

TCustomLink* TFileReader::ReadLink(TXMLNode Node) {
    const std::string Tag = FDoc.TagName(Node);
    if (Tag != "link" && Tag != "rack" && Tag != "slider")
        return nullptr;
    const bool Current = FVersion == CurrentFileVersion;
    if (Current
            ? !HasAll(Node, {"uid", "number", "name", "selected", "visible", "refjoint", "color"})
            : !HasAll(Node, {"id", "ident", "selected", "visible", "refjoint", "color"}))
        return nullptr;
    const int ID = Integer(Node, Current ? "number" : "id");
    Boolean(Node, "selected");
    const bool Visible = Current ? Boolean(Node, "visible") : true;
    const int RefJoint = Integer(Node, "refjoint");
    const auto Color = static_cast<TColor>(static_cast<std::uint32_t>(Integer(Node, "color")));
    const int UID = Current ? Integer(Node, "uid") : -1;
    TCustomLink* Link = Tag == "link"   ? static_cast<TCustomLink*>(NewLink<TLink>())
                        : Tag == "rack" ? static_cast<TCustomLink*>(NewLink<TRack>())
                                        : static_cast<TCustomLink*>(NewLink<TSlider>());
    if (Current)
        TakeUID(*Link, UID);
    FFileNumbers[Link] = Current ? UID : ID;
    Link->SetID(ID);
    Link->SetIdentifier(Text(Node, Current ? "name" : "ident"));
    Link->SetVisible(Visible);
    Link->SetLineColor(Color);
    FReferenceJoints.emplace_back(Link, RefJoint);
    return Link;
}

void TFileReader::ReadConnections(TXMLNode Node) {
    if (!Node)
        return;
    if (TXMLNode List = FDoc.ChildByName(Node, "linkconnections")) {
        const int Count = Entries(List, MaxConnections, "Verbindungen");
        for (int I = 0; I < Count; ++I)
            ReadLinkConnection(FDoc.Child(List, I));
    }
    if (TXMLNode List = FDoc.ChildByName(Node, "jointconnections")) {
        const int Count = Entries(List, MaxConnections, "Verbindungen");
        for (int I = 0; I < Count; ++I)
            ReadJointConnection(FDoc.Child(List, I));
    }
}

void TFileReader::ReadLinkConnection(TXMLNode Node) {
    if (!HasAll(Node, {"linkidx", "jointidx"}))
        return;
    const int LinkKey = Integer(Node, "linkidx");
    const int JointKey = Integer(Node, "jointidx");
    const auto& Links = Parts(FLinkKeys, LinkKey);
    const auto& Joints = Parts(FJointKeys, JointKey);
    for (std::size_t& L = FLinkCursors[{LinkKey, JointKey}]; L < Links.size(); ++L) {
        TCustomLink* Link = Links[L];
        std::size_t& J = FJointCursors[{Link, JointKey}];
        if (J < Joints.size()) {
            Link->AddJoint(Joints[J++]);
            return;
        }
    }
}

// Joining a link already told the joint, in link-list order; this list gives each joint's links
// their saved order back, so a file reads into the model that was saved. An entry naming a link
// without the joint is ignored: the joint would name a link that does not know it.
void TFileReader::ReadJointConnection(TXMLNode Node) {
    if (!HasAll(Node, {"jointidx", "linkidx"}))
        return;
    const int JointKey = Integer(Node, "jointidx");
    TCustomLink* Link = LinkRef(Integer(Node, "linkidx"));
    // The link holds the joints of the key before its cursor; the first of them is meant.
    auto Joined = FJointCursors.find({Link, JointKey});
    if (!Link || Joined == FJointCursors.end() || Joined->second == 0)
        return;
    TJoint* Joint = Parts(FJointKeys, JointKey).front();
    int& Placed = FPlacedLinks[Joint];
    TLinkList& Links = Joint->Links();
    if (Links.IndexOf(Link) < Placed)
        return;
    Links.Remove(Link);
    Links.Insert(Placed++, Link);
}

void TFileReader::ApplyReferenceJoints() {
    for (auto [Link, Index] : FReferenceJoints)
        if (Index >= 0 && Index < Link->Joints().Count())
            Link->SetReferenceJointID(Index);
}

void TFileReader::SettleSliders() {
    std::unordered_map<TJoint*, TJoint*> Parent;
    std::unordered_set<const TJoint*> Carried; // the first joint of a slider
    auto Group = [&Parent](TJoint* Joint) {
        TJoint* Root = Joint;
        while (Parent[Root] != Root)
            Root = Parent[Root];
        while (Joint != Root)
            Joint = std::exchange(Parent[Joint], Root);
        return Root;
    };
    for (TCustomLink* Link : FModel.Links()) {
        if (!AsSlider(Link) || Link->Joints().Count() < 2)
            continue;
        TJoint* Virtual = Link->Joints().Items(0);
        TJoint* Pin = Link->Joints().Items(1);
        Parent.try_emplace(Virtual, Virtual);
        Parent.try_emplace(Pin, Pin);
        Parent[Group(Virtual)] = Group(Pin);
        Carried.insert(Virtual);
    }
    if (Parent.empty())
        return;
    // The first joint of each group in list order that no slider carries, else its first joint.
    std::unordered_map<TJoint*, const TJoint*> Places;
    for (TJoint* Joint : FModel.Joints())
        if (Parent.count(Joint)) {
            const TJoint*& Place = Places[Group(Joint)];
            if (!Place || (Carried.count(Place) && !Carried.count(Joint)))
                Place = Joint;
        }
    for (TJoint* Joint : FModel.Joints())
        if (Parent.count(Joint)) {
            const TJoint* Place = Places[Group(Joint)];
            Joint->SetX(Place->X());
            Joint->SetY(Place->Y());
        }
}

void TFileReader::ReadDrives(TXMLNode Node) {
    const int Count = Entries(Node, MaxParts, "Antriebe");
    for (int I = 0; I < Count; ++I)
        if (TDrive* Drive = ReadDrive(FDoc.Child(Node, I)))
            FModel.AddDrive(Drive);
}

TDrive* TFileReader::ReadDrive(TXMLNode Node) {
    if (!HasAll(Node, {"ident", "jointidx", "linkidx0", "linkidx1", "drivetype", "intervals"}))
        return nullptr;
    const int Intervals = Bounded(Node, "intervals", 0, MaxIntervals);
    const int DriveType = Bounded(Node, "drivetype", dtRotary, dtSliding);
    TJoint* Joint = JointRef(Integer(Node, "jointidx"));
    TCustomLink* Link0 = LinkRef(Integer(Node, "linkidx0"));
    // A drive turns one link against another, never against itself.
    const auto& Others = Parts(FLinkKeys, Integer(Node, "linkidx1"));
    auto Other = std::find_if(Others.begin(), Others.end(),
                              [Link0](const TCustomLink* L) { return L != Link0; });
    TCustomLink* Link1 = Other == Others.end() ? nullptr : *Other;
    // A sliding drive moves a slider: on any other link it would have nothing to move.
    if (!Joint || !Link0 || !Link1 || (DriveType == dtSliding && !AsSlider(Link0)))
        return nullptr;
    // A failure on the way leaves the drive in the staging model, which is dropped as a whole.
    TDrive* Drive = FModel.CreateLooseDrive();
    Drive->SetIdentifier(Text(Node, "ident"));
    Drive->SetVisible(true);
    Drive->SetIntervals(Intervals);
    Drive->SetDriveType(static_cast<std::uint8_t>(DriveType));
    Drive->SetJoint(Joint);
    Drive->SetLink0(Link0);
    Drive->SetLink1(Link1);
    if (TXMLNode Values = FDoc.ChildByName(Node, "values"))
        ReadValues(Values, *Drive);
    else
        CountValues(Intervals);
    return Drive;
}

void TFileReader::ReadValues(TXMLNode Node, TDrive& Drive) {
    const int Count = Entries(Node, MaxIntervals, "Antriebswerte");
    CountValues(Count);
    if (Count != Drive.Intervals())
        Drive.SetIntervals(Count);
    for (int I = 0; I < Count; ++I)
        Drive.SetValue(I, Number(FDoc.Text(FDoc.Child(Node, I)), "item"));
}

void TFileReader::CountValues(int Count) {
    FDriveValues += Count;
    if (FDriveValues > MaxDriveValues)
        throw EFileFault("Die Antriebe enthalten zu viele Werte.");
}

int TFileReader::Entries(TXMLNode Node, int Max, const char* What) const {
    if (!Node)
        return 0;
    const int Count = FDoc.ChildCount(Node);
    if (Count > Max)
        throw EFileFault(std::string("Die Datei enthält zu viele ") + What + ".");
    return Count;
}

bool TFileReader::HasAll(TXMLNode Node, std::initializer_list<const char*> Names) const {
    for (const char* Name : Names)
        if (!FDoc.HasAttribute(Node, Name))
            return false;
    return true;
}

std::string TFileReader::Text(TXMLNode Node, const char* Name) const {
    if (!FDoc.HasAttribute(Node, Name))
        throw EFileFault(std::string("Das Attribut \"") + Name + "\" fehlt.");
    return FDoc.Attribute(Node, Name);
}

int TFileReader::Integer(TXMLNode Node, const char* Name) const {
    const std::string Value = Text(Node, Name);
    if (std::optional<int> Result = ParseFileInteger(Value))
        return *Result;
    throw EFileFault("\"" + Shown(Value) + "\" ist keine gültige ganze Zahl (" + Name + ").");
}

int TFileReader::Bounded(TXMLNode Node, const char* Name, int Min, int Max) const {
    const int Value = Integer(Node, Name);
    if (Value < Min || Value > Max)
        throw EFileFault(std::string("Der Wert von \"") + Name + "\" liegt nicht zwischen " +
                         std::to_string(Min) + " und " + std::to_string(Max) + ".");
    return Value;
}

bool TFileReader::Boolean(TXMLNode Node, const char* Name) const {
    const std::string Value = Text(Node, Name);
    if (std::optional<bool> Result = ParseFileBoolean(Value))
        return *Result;
    throw EFileFault("\"" + Shown(Value) + "\" ist kein gültiger Wahrheitswert (" + Name + ").");
}

double TFileReader::Number(const std::string& Value, const char* Name) const {
    if (std::optional<double> Result = ParseFileNumber(Value))
        return *Result;
    throw EFileFault("\"" + Shown(Value) + "\" ist keine gültige Zahl (" + Name + ").");
}

double TFileReader::Coordinate(TXMLNode Node, const char* Name) const {
    const double Value = Number(Text(Node, Name), Name);
    if (!IsCoordinateInRange(Value))
        throw EFileFault(std::string("Die Koordinate \"") + Name +
                         "\" liegt außerhalb des zulässigen Bereichs.");
    return Value;
}

void TFileReader::TakeUID(TGearPart& Part, int FileUID) {
    if (FileUID < 0 || FileUID >= GearPartUIDRange || !FClaimedUIDs.insert(FileUID).second) {
        FFreshUIDs.push_back(&Part);
        return;
    }
    Part.SetUID(FileUID);
}

void TFileReader::RenewFreshUIDs() {
    for (TGearPart* Part : FFreshUIDs)
        if (FClaimedUIDs.count(Part->UID()))
            Part->SetUID(FModel.Parts().NewUID());
}

template <class TList> void TFileReader::RenewIDs(const TList& List) {
    std::unordered_set<int> Taken;
    for (const auto* Part : List)
        Taken.insert(Part->ID());
    std::unordered_set<int> Kept;
    int Next = 1;
    for (auto* Part : List)
        if (Part->ID() < 1 || !Kept.insert(Part->ID()).second) {
            while (Taken.count(Next))
                ++Next;
            Part->SetID(Next++);
        }
}

void TFileReader::RenewIDs() {
    RenewIDs(FModel.Joints());
    RenewIDs(FModel.Links());
}

void TFileReader::Forget(const TGearPart* Part) {
    if (std::erase(FFreshUIDs, Part) == 0)
        FClaimedUIDs.erase(Part->UID());
    FFileNumbers.erase(Part);
    std::erase_if(FReferenceJoints, [Part](const auto& R) { return R.first == Part; });
}

void TFileReader::IndexParts() {
    auto Key = [this](const TGearPart& Part, int Position) {
        return FVersion == CurrentFileVersion || FVersion == 2 ? FFileNumbers.at(&Part) : Position;
    };
    for (int I = 0; I < FModel.Joints().Count(); ++I)
        FJointKeys[Key(*FModel.Joints().Items(I), I)].push_back(FModel.Joints().Items(I));
    for (int I = 0; I < FModel.Links().Count(); ++I)
        FLinkKeys[Key(*FModel.Links().Items(I), I)].push_back(FModel.Links().Items(I));
}

template <class T>
const std::vector<T*>& TFileReader::Parts(const std::unordered_map<int, std::vector<T*>>& Keys,
                                          int Value) {
    static const std::vector<T*> None;
    auto It = Keys.find(Value);
    return It == Keys.end() ? None : It->second;
}

TJoint* TFileReader::JointRef(int Value) const {
    const auto& Joints = Parts(FJointKeys, Value);
    return Joints.empty() ? nullptr : Joints.front();
}

TCustomLink* TFileReader::LinkRef(int Value) const {
    const auto& Links = Parts(FLinkKeys, Value);
    return Links.empty() ? nullptr : Links.front();
}

} // namespace

TLoadResult TXMLFileParser::LoadFromFile(const std::string& FileName) {
    TLoadResult Result;
    Result.FileInfo.FileVersion = -1;
    try {
        TXMLDocumentJob Job;
        TXMLDocument& Doc = Job.Doc();
        Doc.LoadFromFile(FileName);
        TXMLNode Data = Doc.ChildByName(Doc.Document(), "data");
        if (!Data)
            throw EFileFault("Das Element \"data\" fehlt.");
        // Parts of the file go into a model of their own, bound to no surface, until the file
        // has been read completely.
        TGearData Staging;
        TFileReader Reader(Doc, Staging);
        Result.FileInfo = Reader.ReadFileInfo(Doc.ChildByName(Data, "fileinfo"));
        if (Result.FileInfo.FileVersion > CurrentFileVersion) {
            Result.Message = NewerVersionMessage;
            return Result;
        }
        Reader.ReadContents(Data, Result.FileInfo.FileVersion);
        FGearData.TakeOver(Staging);
        FFileInfo = Result.FileInfo;
        Result.Success = true;
    } catch (const std::logic_error&) {
        // A fault of the program, not of the file.
        throw;
    } catch (const std::exception& E) {
        Result.Message = std::string(UnreadableMessage) + "\r\n" + E.what();
    }
    return Result;
}
