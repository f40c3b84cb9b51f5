#include "files/FileReaderWriterRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const std::string Unreadable = "Die Datei konnte nicht gelesen werden.";
const std::string TooNew =
    "Die Datei wurde mit einer neueren Version des Programs erstellt,\r\nund "
    "kann nicht geöffnet werden.";

TLoadResult LoadText(TFileRig& Rig, const std::string& Text) {
    const std::string Name = Rig.Dir.File("input.kxw");
    WriteFileText(Name, Text);
    return Rig.Parser.LoadFromFile(Name);
}

// A version-3 file around the given joints, links, connections and drives.
std::string File3(const std::string& Joints, const std::string& Links,
                  const std::string& Connections, const std::string& Drives = "") {
    return "<?xml version=\"1.0\"?><data><fileinfo Fileversion=\"3\"/><joints>" + Joints +
           "</joints><links>" + Links + "</links><connections><linkconnections>" + Connections +
           "</linkconnections></connections><drives>" + Drives + "</drives></data>";
}

std::string Joint3(int UID, double X, const std::string& Extra = "") {
    return "<joint uid=\"" + std::to_string(UID) + "\" number=\"" + std::to_string(UID) +
           "\" name=\"\" virtual=\"False\" visible=\"True\" x=\"" + FormatFileNumber(X) +
           "\" y=\"0\" selected=\"False\"" + Extra + "/>";
}

std::string Link3(const char* Tag, int UID) {
    return std::string("<") + Tag + " uid=\"" + std::to_string(UID) + "\" number=\"" +
           std::to_string(UID) + "\" name=\"\" selected=\"False\" visible=\"True\" " +
           "refjoint=\"0\" color=\"0\"/>";
}

std::string Con(int Link, int Joint) {
    return "<con linkidx=\"" + std::to_string(Link) + "\" jointidx=\"" + std::to_string(Joint) +
           "\"/>";
}

// A frame on joints 1 and 2, a bar from 1 to 3.
std::string FourJointBase(const std::string& Drives = "") {
    return File3(Joint3(1, 0) + Joint3(2, 40) + Joint3(3, 10),
                 Link3("rack", 10) + Link3("link", 11),
                 Con(10, 1) + Con(10, 2) + Con(11, 1) + Con(11, 3), Drives);
}

std::vector<int> JointIDs(const TCustomLink& Link) {
    std::vector<int> IDs;
    for (const TJoint* J : Link.Joints())
        IDs.push_back(J->ID());
    return IDs;
}

void ExpectOlderSample(TGearData& D) {
    ASSERT_EQ(D.Joints().Count(), 5);
    const char* Names[] = {"A0", "B0", "A", "B", "P"};
    for (int I = 0; I < 5; ++I) {
        EXPECT_EQ(D.Joints().Items(I)->ID(), I + 1);
        EXPECT_EQ(D.Joints().Items(I)->Identifier(), Names[I]);
        EXPECT_TRUE(D.Joints().Items(I)->Visible()) << "older files keep every part visible";
        EXPECT_FALSE(D.Joints().Items(I)->Selected());
    }
    EXPECT_DOUBLE_EQ(D.Joints().Items(1)->X(), 40.5);
    EXPECT_DOUBLE_EQ(D.Joints().Items(3)->Y(), 25.25);
    EXPECT_DOUBLE_EQ(D.Joints().Items(4)->Y(), 15);
    ASSERT_EQ(D.Links().Count(), 4);
    ASSERT_NE(D.Rack(), nullptr);
    EXPECT_EQ(JointIDs(*D.Links().Items(0)), (std::vector<int>{1, 2}));
    EXPECT_EQ(JointIDs(*D.Links().Items(1)), (std::vector<int>{1, 3}));
    EXPECT_EQ(JointIDs(*D.Links().Items(2)), (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(JointIDs(*D.Links().Items(3)), (std::vector<int>{4, 2}));
    EXPECT_EQ(D.Links().Items(1)->Identifier(), "Kurbel");
    EXPECT_EQ(D.Links().Items(1)->LineColor(), 0x0000FFu);
    EXPECT_EQ(D.Links().Items(2)->LineColor(), 0xFF00000Fu);
    EXPECT_EQ(D.Links().Items(2)->ReferenceJointID(), 1) << "refjoint names joint B";
    EXPECT_EQ(D.Links().Items(3)->ReferenceJointID(), 0) << "an index past the joints is ignored";
    EXPECT_EQ(D.Joints().Items(0)->Links().Count(), 2);
    ASSERT_EQ(D.Drives().Count(), 1);
    const TDrive* Drive = D.Drives().First();
    EXPECT_EQ(Drive->Identifier(), "Antrieb");
    EXPECT_EQ(Drive->GetJoint(), D.Joints().Items(0));
    EXPECT_EQ(Drive->Link0(), D.Links().Items(0));
    EXPECT_EQ(Drive->Link1(), D.Links().Items(1));
    EXPECT_EQ(Drive->Intervals(), 3) << "the values present decide the positions";
    EXPECT_DOUBLE_EQ(Drive->GetValue(1), 0.5);
    EXPECT_DOUBLE_EQ(Drive->GetValue(2), 1.25);
    EXPECT_TRUE(D.SelectedJoints().Empty());
    EXPECT_TRUE(ModelIsConsistent(D));
}

} // namespace

TEST(FileReaderTest, GoldenFileReadsBackToTheSameBytes) {
    TFileRig Rig;
    const std::string Golden = ReadFileText(KOPLAR_FILES_DATA "golden.kxw");
    TLoadResult Result = Rig.Parser.LoadFromFile(KOPLAR_FILES_DATA "golden.kxw");
    ASSERT_TRUE(Result) << Result.Message;
    EXPECT_TRUE(ModelIsConsistent(Rig.D()));
    EXPECT_EQ(Rig.D().Links().Items(2)->Identifier(), "Koppel <&\"äöü>");
    EXPECT_EQ(Rig.Parser.FileInfo().FileVersion, 3);
    EXPECT_EQ(Rig.Parser.FileInfo().CreationTime, EncodeFileDateTime(2024, 3, 1));
    EXPECT_EQ(Rig.Saved(), Golden);
}

TEST(FileReaderTest, VersionTwoResolvesByNumber) {
    TFileRig Rig;
    TLoadResult Result = Rig.Parser.LoadFromFile(KOPLAR_FILES_DATA "version2.kxw");
    ASSERT_TRUE(Result) << Result.Message;
    ExpectOlderSample(Rig.D());
    EXPECT_EQ(Rig.D().GearInfo().Description(), "Zweite Fassung");
    EXPECT_EQ(Rig.Parser.FileInfo().FileVersion, 2);
    EXPECT_EQ(Rig.Parser.FileInfo().CreationTime, EncodeFileDateTime(2003, 2, 1, 4, 5, 6));
    EXPECT_EQ(Rig.Parser.FileInfo().LastModified, EncodeFileDateTime(2003, 2, 2));
}

TEST(FileReaderTest, OldestFormatResolvesByPosition) {
    TFileRig Rig;
    TLoadResult Result = Rig.Parser.LoadFromFile(KOPLAR_FILES_DATA "oldest.kxw");
    ASSERT_TRUE(Result) << Result.Message;
    ExpectOlderSample(Rig.D());
    EXPECT_EQ(Rig.D().GearInfo().Author(), "Alte Hand");
    EXPECT_EQ(Rig.Parser.FileInfo().FileVersion, -1);
    EXPECT_EQ(Rig.Parser.FileInfo().CreationTime, 0);
}

TEST(FileReaderTest, CurrentBodyWithoutFileInfoIsReadByTheOldestRules) {
    TFileRig Rig;
    TLoadResult Result = LoadText(Rig, "<data><joints>" + Joint3(1, 0) + "</joints><links>" +
                                           Link3("rack", 10) + "</links></data>");
    ASSERT_TRUE(Result) << Result.Message;
    EXPECT_TRUE(Rig.D().Joints().Empty()) << "no joint carries an id";
    ASSERT_EQ(Rig.D().Links().Count(), 1) << "only the frame that every model gets";
    EXPECT_EQ(Rig.D().Rack()->Identifier(), "Gestell");
}

TEST(FileReaderTest, CustomLinkIsSkippedWithItsConnections) {
    TFileRig Rig;
    TLoadResult Result = LoadText(Rig, File3(Joint3(1, 0) + Joint3(2, 40) + Joint3(3, 10),
                                             Link3("rack", 10) + Link3("customlink", 11),
                                             Con(10, 1) + Con(10, 2) + Con(11, 1) + Con(11, 3)));
    ASSERT_TRUE(Result) << Result.Message;
    EXPECT_EQ(Rig.D().Links().Count(), 1);
    EXPECT_EQ(Rig.D().Joints().Count(), 2) << "the bar's own joint is left loose and goes";
    EXPECT_TRUE(ModelIsConsistent(Rig.D()));
}

TEST(FileReaderTest, NewerVersionIsRefusedAndTheModelKept) {
    TFileRig Rig;
    Rig.BuildSample();
    Rig.Parser.FileInfo().FileVersion = 3;
    const std::string Before = Rig.Parser.WriteDocumentText(true);
    TLoadResult Result =
        LoadText(Rig, "<data><fileinfo Fileversion=\"4\" CreationTime=\"01.01.2030\"/>"
                      "<joints/></data>");
    EXPECT_FALSE(Result);
    EXPECT_EQ(Result.Message, TooNew);
    EXPECT_EQ(Result.FileInfo.FileVersion, 4);
    EXPECT_EQ(Rig.Parser.FileInfo().FileVersion, 3) << "the open document keeps its own";
    EXPECT_EQ(Rig.Parser.FileInfo().CreationTime, EncodeFileDateTime(2024, 3, 1));
    EXPECT_EQ(Rig.Parser.WriteDocumentText(true), Before);
}

// Each line one bad or odd file: it loads into a sound model, or it is refused with a message
// and the open mechanism stays exactly as it was.
TEST(FileReaderTest, HostileFilesLoadSafelyOrAreRefused) {
    struct TCase {
        const char* Name;
        std::string Text;
        // Empty for a file that loads; else what the message says.
        std::string Refusal;
        std::function<void(TGearData&)> Check = [](TGearData&) {};
    };
    const std::string Deep = "<data><gearinfo>" + [] {
        std::string S;
        for (int I = 0; I < 100000; ++I)
            S += "<a>";
        for (int I = 0; I < 100000; ++I)
            S += "</a>";
        return S;
    }() + "</gearinfo></data>";
    const std::string Drive = "<drive ident=\"D\" jointidx=\"1\" linkidx0=\"10\" linkidx1=\"11\" ";
    std::vector<TCase> Cases = {
        {"empty file", "", Unreadable + "\r\nDie Datei enthält kein XML-Element"},
        {"truncated XML", FourJointBase().substr(0, 120), Unreadable + "\r\n"},
        {"not XML at all", "PK\x03\x04 binary", Unreadable + "\r\n"},
        {"no data element", "<daten/>", Unreadable + "\r\nDas Element \"data\" fehlt."},
        {"two billion intervals",
         FourJointBase(Drive + "drivetype=\"0\" intervals=\"2000000000\"/>"),
         Unreadable + "\r\nDer Wert von \"intervals\" liegt nicht zwischen 0 und 99999."},
        {"negative intervals", FourJointBase(Drive + "drivetype=\"0\" intervals=\"-1\"/>"),
         Unreadable},
        {"drive type 2", FourJointBase(Drive + "intervals=\"5\" drivetype=\"2\"/>"),
         Unreadable + "\r\nDer Wert von \"drivetype\""},
        {"NaN coordinate",
         File3(Joint3(1, 0).replace(Joint3(1, 0).find("x=\"0\""), 5, "x=\"NaN\""), "", ""),
         Unreadable + "\r\n\"NaN\" ist keine gültige Zahl (x)."},
        {"1e308 coordinate", File3(Joint3(1, 1e308), "", ""),
         Unreadable + "\r\nDie Koordinate \"x\" liegt außerhalb des zulässigen Bereichs."},
        {"text in an integer",
         File3(Joint3(1, 0),
               Link3("rack", 10).replace(Link3("rack", 10).find("color=\"0\""), 9, "color=\"rot\""),
               ""),
         Unreadable + "\r\n\"rot\" ist keine gültige ganze Zahl (color)."},
        {"old joint without x",
         "<data><joints><joint id=\"1\" ident=\"\" selected=\"0\" visible=\"1\" virtual=\"0\" "
         "y=\"0\"/></joints></data>",
         Unreadable + "\r\nDas Attribut \"x\" fehlt."},
        {"10^5 nested elements", Deep, "", [](TGearData& D) { EXPECT_TRUE(D.Joints().Empty()); }},
        {"duplicate UID",
         File3(Joint3(1, 0) + Joint3(2, 40) + Joint3(1, 10), Link3("rack", 10) + Link3("link", 2),
               Con(10, 1) + Con(10, 2)),
         "",
         [](TGearData& D) {
             ASSERT_EQ(D.Joints().Count(), 2) << "references find the first; the double is loose";
             EXPECT_EQ(D.Joints().Items(0)->X(), 0);
             EXPECT_NE(D.Joints().Items(0)->UID(), D.Joints().Items(1)->UID());
             EXPECT_EQ(D.Links().Count(), 1) << "a link sharing a joint's UID is a link of its own";
         }},
        {"drive naming a missing link",
         FourJointBase(Drive.substr(0, Drive.find("linkidx1")) +
                       "linkidx1=\"99\" drivetype=\"0\" intervals=\"5\"/>"),
         "", [](TGearData& D) { EXPECT_TRUE(D.Drives().Empty()); }},
        {"drive turning a link against itself",
         FourJointBase(Drive.substr(0, Drive.find("linkidx0")) +
                       "linkidx0=\"11\" linkidx1=\"11\" drivetype=\"0\" intervals=\"5\"/>"),
         "", [](TGearData& D) { EXPECT_TRUE(D.Drives().Empty()); }},
        {"the largest numbers",
         File3(Joint3(1, 0) + Joint3(2, 40) + Joint3(3, 10),
               Link3("rack", 10) + Link3("link", 11)
                                       .replace(Link3("link", 11).find("number=\"11\""), 11,
                                                "number=\"2147483647\""),
               Con(10, 1) + Con(10, 2) + Con(11, 1) + Con(11, 3)),
         "",
         [](TGearData& D) {
             EXPECT_EQ(D.Links().Items(1)->ID(), 2147483647);
             EXPECT_EQ(D.NextFreeLinkID(), 2);
         }},
        {"sliding drive on a bar",
         FourJointBase("<drive ident=\"D\" jointidx=\"1\" linkidx0=\"11\" linkidx1=\"10\" "
                       "drivetype=\"1\" intervals=\"5\"/>"),
         "", [](TGearData& D) { EXPECT_TRUE(D.Drives().Empty()); }},
        {"values resize the intervals",
         FourJointBase(
             Drive + "drivetype=\"0\" intervals=\"20\"><values><item>1</item><item>2</item><item>3"
                     "</item><item>4</item><item>5</item></values></drive>"),
         "",
         [](TGearData& D) {
             ASSERT_EQ(D.Drives().Count(), 1);
             EXPECT_EQ(D.Drives().First()->Intervals(), 5);
             EXPECT_DOUBLE_EQ(D.Drives().First()->GetValue(4), 5);
         }},
        {"value that is no number",
         FourJointBase(Drive +
                       "drivetype=\"0\" intervals=\"1\"><values><item>inf</item></values></drive>"),
         Unreadable + "\r\n\"inf\" ist keine gültige Zahl (item)."},
        {"no frame",
         File3(Joint3(1, 0) + Joint3(2, 40), Link3("link", 11), Con(11, 1) + Con(11, 2)), "",
         [](TGearData& D) {
             ASSERT_NE(D.Rack(), nullptr);
             EXPECT_EQ(D.Rack()->ID(), 1);
             EXPECT_EQ(D.Links().Count(), 2);
             EXPECT_NE(D.Links().Items(1)->ID(), 1);
         }},
        {"joint without selected is skipped",
         File3(Joint3(1, 0) + Joint3(2, 40) +
                   "<joint uid=\"3\" number=\"3\" name=\"\" virtual=\"False\" visible=\"True\" "
                   "x=\"0\" y=\"0\"/>",
               Link3("rack", 10), Con(10, 1) + Con(10, 2) + Con(10, 3)),
         "", [](TGearData& D) { EXPECT_EQ(D.Joints().Count(), 2); }},
        {"joint connection to a link without the joint",
         FourJointBase().replace(FourJointBase().find("</linkconnections>"), 18,
                                 "</linkconnections><jointconnections><con jointidx=\"2\" "
                                 "linkidx=\"11\"/></jointconnections>"),
         "", [](TGearData& D) { EXPECT_EQ(D.Joints().Items(1)->Links().Count(), 1); }},
        {"unreadable date",
         "<data><fileinfo Fileversion=\"3\" CreationTime=\"12/24/2024 6:30 PM\"/></data>", ""},
        {"slider at index 0 of the links with a second frame",
         File3(Joint3(1, 0) + Joint3(2, 40),
               Link3("slider", 12) + Link3("rack", 10) + Link3("rack", 13),
               Con(10, 1) + Con(13, 1) + Con(13, 2) + Con(12, 1) + Con(12, 2)),
         "",
         [](TGearData& D) {
             EXPECT_EQ(D.Rack()->UID(), 13);
             EXPECT_EQ(D.Links().Count(), 2);
         }},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TFileRig Rig;
        Rig.BuildSample();
        Rig.Parser.FileInfo().FileVersion = 3;
        const std::string Before = Rig.Parser.WriteDocumentText(true);
        TLoadResult Result = LoadText(Rig, C.Text);
        if (C.Refusal.empty()) {
            ASSERT_TRUE(Result) << Result.Message;
            EXPECT_TRUE(ModelIsConsistent(Rig.D()));
            ASSERT_NE(Rig.D().Rack(), nullptr);
            C.Check(Rig.D());
        } else {
            EXPECT_FALSE(Result);
            EXPECT_EQ(Result.Message.substr(0, C.Refusal.size()), C.Refusal) << Result.Message;
            EXPECT_EQ(Rig.Parser.WriteDocumentText(true), Before);
            EXPECT_EQ(Rig.Parser.FileInfo().CreationTime, EncodeFileDateTime(2024, 3, 1));
        }
    }
}

TEST(FileReaderTest, UnreadableDateReadsAsZero) {
    TFileRig Rig;
    TLoadResult Result =
        LoadText(Rig, "<data><fileinfo Fileversion=\"3\" CreationTime=\"12/24/2024 6:30 PM\" "
                      "LastModfied=\" 24.12.2024 18:30 \"/></data>");
    ASSERT_TRUE(Result) << Result.Message;
    EXPECT_EQ(Result.FileInfo.CreationTime, 0);
    EXPECT_EQ(Result.FileInfo.LastModified, EncodeFileDateTime(2024, 12, 24, 18, 30));
}

TEST(FileReaderTest, MissingFileIsRefused) {
    TFileRig Rig;
    TLoadResult Result = Rig.Parser.LoadFromFile(Rig.Dir.File("nirgends.kxw"));
    EXPECT_FALSE(Result);
    EXPECT_NE(Result.Message.find("kann nicht geöffnet werden"), std::string::npos);
}

TEST(FileReaderTest, TextsComeBackUnchanged) {
    const std::vector<std::string> Texts = {"<&\"'>", "äöüß€", "zwei\r\nZeilen\tTab",
                                            "  Leerzeichen  ", ""};
    for (const std::string& Text : Texts) {
        SCOPED_TRACE(Text);
        TFileRig Rig;
        Rig.BuildSample();
        Rig.D().GearInfo().SetAuthor(Text);
        Rig.D().Joints().First()->SetIdentifier(Text);
        const std::string Name = Rig.Dir.File("texts.kxw");
        ASSERT_TRUE(Rig.Parser.SaveToFile(Name));
        TFileRig Reader;
        ASSERT_TRUE(Reader.Parser.LoadFromFile(Name));
        EXPECT_EQ(Reader.D().GearInfo().Author(), Text);
        EXPECT_EQ(Reader.D().Joints().First()->Identifier(), Text);
    }
}

namespace {

// The text a file reads into, as written again; empty when it is refused.
std::string ReadAndWritten(TFileRig& Rig, const std::string& Text) {
    TLoadResult Result = LoadText(Rig, Text);
    EXPECT_TRUE(Result) << Result.Message;
    return Result ? Rig.Parser.WriteDocumentText(true) : std::string();
}

} // namespace

// A file's numbers that this program renews (a UID outside 0..999999 or already used, a shown
// number below 1) change, and every part that referred to the file's number keeps its place.
TEST(FileReaderTest, RenewedNumbersKeepEveryPart) {
    const std::string Drive = "<drive ident=\"D\" jointidx=\"1\" linkidx0=\"10\" linkidx1=\"11\" "
                              "drivetype=\"0\" intervals=\"2\"/>";
    auto FourBar = [&Drive](int Joint, int Link, const std::string& Extra = "") {
        const std::string J = std::to_string(Joint);
        const std::string L = std::to_string(Link);
        std::string D = Drive;
        D.replace(D.find("jointidx=\"1\""), 12, "jointidx=\"" + J + "\"");
        D.replace(D.find("linkidx1=\"11\""), 13, "linkidx1=\"" + L + "\"");
        return File3(Joint3(Joint, 0, Extra) + Joint3(2, 40) + Joint3(3, 10),
                     Link3("rack", 10) + Link3("link", Link),
                     Con(10, Joint) + Con(10, 2) + Con(Link, Joint) + Con(Link, 3), D);
    };
    struct TCase {
        const char* Name;
        std::string Text;
    } Cases[] = {
        {"joint UID past the range", FourBar(1000000, 11)},
        {"negative joint UID and number", FourBar(-7, 11)},
        {"negative link UID", FourBar(1, -3)},
        {"joint and link share a UID", FourBar(50, 50)},
        {"joint UID of the frame", FourBar(10, 11)},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TFileRig Rig;
        ASSERT_TRUE(LoadText(Rig, C.Text));
        TGearData& D = Rig.D();
        EXPECT_TRUE(ModelIsConsistent(D));
        ASSERT_EQ(D.Joints().Count(), 3);
        ASSERT_EQ(D.Links().Count(), 2);
        const TJoint* Shared = D.Joints().Items(0);
        EXPECT_EQ(D.Rack()->Joints().First(), Shared);
        EXPECT_EQ(D.Links().Items(1)->Joints().First(), Shared);
        EXPECT_EQ(D.Links().Items(1)->Joints().Last(), D.Joints().Items(2));
        ASSERT_EQ(D.Drives().Count(), 1);
        EXPECT_EQ(D.Drives().First()->GetJoint(), D.Joints().Items(0));
        EXPECT_EQ(D.Drives().First()->Link1(), D.Links().Items(1));
        std::vector<int> UIDs;
        for (const TJoint* J : D.Joints())
            UIDs.push_back(J->UID());
        for (const TCustomLink* L : D.Links())
            UIDs.push_back(L->UID());
        for (int UID : UIDs)
            EXPECT_TRUE(UID >= 0 && UID < GearPartUIDRange) << UID;
        std::sort(UIDs.begin(), UIDs.end());
        EXPECT_EQ(std::adjacent_find(UIDs.begin(), UIDs.end()), UIDs.end()) << "UIDs are unique";
        std::vector<int> IDs;
        for (const TJoint* J : D.Joints())
            IDs.push_back(J->ID());
        EXPECT_TRUE(IDs == (std::vector<int>{1, 2, 3}) || IDs[0] > 3) << IDs[0];
        // The renewed numbers are the model's from now on: the text reads back as written.
        const std::string Written = Rig.Parser.WriteDocumentText(true);
        TFileRig Again;
        EXPECT_EQ(ReadAndWritten(Again, Rig.Saved()), Written);
    }
}

std::string Joint2(int ID, double X) {
    return "<joint id=\"" + std::to_string(ID) + "\" ident=\"\" selected=\"False\" " +
           "visible=\"True\" virtual=\"False\" x=\"" + FormatFileNumber(X) + "\" y=\"0\"/>";
}

std::string Link2(const char* Tag, int ID) {
    return std::string("<") + Tag + " id=\"" + std::to_string(ID) + "\" ident=\"\" " +
           "selected=\"False\" visible=\"True\" refjoint=\"0\" color=\"0\"/>";
}

// A file another program wrote may give several parts one number. Each is read; a later one's
// number is renewed like a number below 1; a reference finds the first part with the number,
// and a later one only where the first would repeat a connection already made, so a link or
// drive that spans two parts of one number keeps both.
TEST(FileReaderTest, DuplicateNumbersAreRenewedAndEveryPartKept) {
    const std::string Drive = "<drive ident=\"D\" jointidx=\"1\" linkidx0=\"10\" linkidx1=\"11\" "
                              "drivetype=\"0\" intervals=\"2\"/>";
    auto Numbered = [](std::string Joint, int Number) {
        const std::size_t At = Joint.find("number=\"");
        Joint.replace(At, Joint.find('"', At + 8) - At + 1,
                      "number=\"" + std::to_string(Number) + "\"");
        return Joint;
    };
    struct TCase {
        const char* Name;
        std::string Text;
        int Joints, Links;
        std::function<void(TGearData&)> Check;
    } Cases[] = {
        {"two joints of one UID, the coupler between them",
         File3(Joint3(1, 0) + Joint3(2, 40) + Joint3(50, 10) + Joint3(50, 30),
               Link3("rack", 10) + Link3("link", 11) + Link3("link", 12) + Link3("link", 13),
               Con(10, 1) + Con(10, 2) + Con(11, 1) + Con(11, 50) + Con(12, 50) + Con(12, 50) +
                   Con(13, 50) + Con(13, 2),
               Drive),
         4, 4,
         [](TGearData& D) {
             const TJoint* A = D.Joints().Items(2);
             const TJoint* B = D.Joints().Items(3);
             EXPECT_EQ(A->UID(), 50);
             EXPECT_EQ(A->ID(), 50);
             EXPECT_NE(B->UID(), 50);
             EXPECT_EQ(B->X(), 30);
             EXPECT_EQ(JointIDs(*D.Links().Items(2)), (std::vector<int>{50, B->ID()}));
             EXPECT_EQ(JointIDs(*D.Links().Items(3)), (std::vector<int>{50, 2}))
                 << "the rocker's reference finds the first joint of the number";
         }},
        {"joints numbered 2, 2, 2",
         File3(Joint3(1, 0) + Numbered(Joint3(5, 40), 2) + Numbered(Joint3(6, 10), 2) +
                   Numbered(Joint3(7, 20), 2),
               Link3("rack", 10) + Link3("link", 11),
               Con(10, 1) + Con(10, 5) + Con(11, 1) + Con(11, 6) + Con(11, 7), Drive),
         4, 2,
         [](TGearData& D) {
             EXPECT_EQ(JointIDs(*D.Links().Items(1)), (std::vector<int>{1, 3, 4}));
             EXPECT_EQ(D.Joints().Items(1)->ID(), 2);
         }},
        {"two links numbered 4 in version 2, driven against each other",
         "<data><fileinfo Fileversion=\"2\"/><joints>" + Joint2(1, 0) + Joint2(2, 40) +
             Joint2(3, 10) + "</joints><links>" + Link2("rack", 1) + Link2("link", 4) +
             Link2("link", 4) + "</links><connections><linkconnections>" + Con(1, 1) + Con(1, 2) +
             Con(4, 1) + Con(4, 3) + Con(4, 1) + Con(4, 3) +
             "</linkconnections></connections><drives><drive ident=\"D\" jointidx=\"1\" "
             "linkidx0=\"4\" linkidx1=\"4\" drivetype=\"0\" intervals=\"2\"/></drives></data>",
         3, 3,
         [](TGearData& D) {
             const TCustomLink* First = D.Links().Items(1);
             const TCustomLink* Second = D.Links().Items(2);
             EXPECT_EQ(First->ID(), 4);
             EXPECT_EQ(Second->ID(), 2);
             EXPECT_EQ(JointIDs(*Second), (std::vector<int>{1, 3}));
             ASSERT_EQ(D.Drives().Count(), 1);
             EXPECT_EQ(D.Drives().First()->Link0(), First);
             EXPECT_EQ(D.Drives().First()->Link1(), Second);
         }},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TFileRig Rig;
        TLoadResult Result = LoadText(Rig, C.Text);
        ASSERT_TRUE(Result) << Result.Message;
        TGearData& D = Rig.D();
        EXPECT_TRUE(ModelIsConsistent(D));
        ASSERT_EQ(D.Joints().Count(), C.Joints) << "no joint is dropped";
        ASSERT_EQ(D.Links().Count(), C.Links) << "no link is dropped";
        std::vector<int> JointNumbers, LinkNumbers, UIDs;
        for (const TJoint* J : D.Joints()) {
            JointNumbers.push_back(J->ID());
            UIDs.push_back(J->UID());
        }
        for (const TCustomLink* L : D.Links()) {
            LinkNumbers.push_back(L->ID());
            UIDs.push_back(L->UID());
        }
        for (std::vector<int>* Numbers : {&JointNumbers, &LinkNumbers, &UIDs}) {
            EXPECT_TRUE(
                std::all_of(Numbers->begin(), Numbers->end(), [](int N) { return N >= 0; }));
            std::sort(Numbers->begin(), Numbers->end());
            EXPECT_EQ(std::adjacent_find(Numbers->begin(), Numbers->end()), Numbers->end())
                << "numbers are unique";
        }
        C.Check(D);
        const std::string Written = Rig.Parser.WriteDocumentText(true);
        TFileRig Again;
        EXPECT_EQ(ReadAndWritten(Again, Rig.Saved()), Written);
    }
}

// Sliders that share joints, all apart in the file: one read puts each group's joints where its
// pin stands (the first joint of the group that no slider carries), so a second read and write
// changes nothing.
TEST(FileReaderTest, SlidersSharingJointsSettleInOneRead) {
    const std::string Joints = Joint3(1, 0) + Joint3(2, 40) + Joint3(3, 80) + Joint3(4, 5) +
                               Joint3(5, 15) + Joint3(6, 25) + Joint3(7, 35);
    const std::string Links = Link3("rack", 10) + Link3("link", 11) + Link3("slider", 12) +
                              Link3("slider", 13) + Link3("slider", 14) + Link3("link", 15);
    const std::string Frame = Con(10, 1) + Con(10, 2) + Con(11, 1) + Con(11, 4);
    const struct {
        const char* Name;
        std::string Cons;
    } Cases[] = {
        // The pin of one slider is the first joint of the next.
        {"chain",
         Frame + Con(12, 4) + Con(12, 5) + Con(13, 5) + Con(13, 6) + Con(15, 6) + Con(15, 3)},
        // Besides, a third slider carries the first one's first joint.
        {"chain and a shared first joint", Frame + Con(12, 4) + Con(12, 5) + Con(13, 5) +
                                               Con(13, 6) + Con(14, 4) + Con(14, 7) + Con(15, 6) +
                                               Con(15, 3)},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        TFileRig Rig;
        const std::string Once = ReadAndWritten(Rig, File3(Joints, Links, C.Cons));
        ASSERT_FALSE(Once.empty());
        for (const TCustomLink* L : Rig.D().Links())
            if (dynamic_cast<const TSlider*>(L)) {
                SCOPED_TRACE(L->UID());
                ASSERT_GE(L->Joints().Count(), 2);
                EXPECT_EQ(L->Joints().Items(0)->X(), L->Joints().Items(1)->X());
            }
        EXPECT_EQ(Rig.D().Joints().FindByUID(4)->X(), 25);
        TFileRig Again;
        EXPECT_EQ(ReadAndWritten(Again, Rig.Saved()), Once);
    }
}
