#include "files/Preferences.h"
#include "files/RecentFiles.h"
#include "support/PreferencesFixture.h"
#include "support/Repeated.h"
#include "xml/XMLParser.h"
#include "xml/XMLUtils.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

TEST(PreferenceDefaults, EveryDefaultIsRegisteredInItsType) {
    TPreferencesFixture F;
    TPreferences& P = Preferences();
    EXPECT_EQ(&P, &F.Prefs());
    EXPECT_EQ(P.Count(), 82);
    struct Case {
        const char* Category;
        const char* Name;
        TVariant Value;
    } Cases[] = {
        {"MMSurface", "BackGroundColor", TVariant(0xFFFFFF)},
        {"MMGrid", "GridColor", TVariant::LongWord(0xFFFFB0)},
        {"Joints", "Radius", TVariant::Byte(5)},
        {"Animator", "JumpToFirstIfStoppped", TVariant(false)},
        {"Animator", "TimerInterval", TVariant::Byte(100)},
        {"Drives", "Angle2", TVariant(3.0543261909900767)},
        {"Edit", "MaxSelectDistance", TVariant::Byte(8)},
        {"Zoom", "InFactor", TVariant::Currency(TCurrency{12500})},
        {"Order", "Joints", TVariant::Byte(80)},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.Category) + "/" + C.Name);
        EXPECT_EQ(P.GetValue(C.Category, C.Name), C.Value);
    }
    EXPECT_EQ(P.GetItem(0)->Name(), "BackGroundColor");
    EXPECT_EQ(P.GetItem(81)->Category(), "Order");
    EXPECT_EQ(P.GetColor("MMGrid", "GridColor"), 0xFFFFB0u);
    EXPECT_DOUBLE_EQ(P.GetDouble("Zoom", "OutFactor"), 0.5);
}

TEST(PreferenceDefaults, FixtureRestoresThePreviousPreferences) {
    TPreferences Outer;
    TScopedService<TCustomXMLPreferences> Installed(PreferencesSlot(), Outer);
    {
        TPreferencesFixture F;
        EXPECT_EQ(&Preferences(), &F.Prefs());
        EXPECT_EQ(&PreferenceStore(), &F.Prefs());
    }
    EXPECT_EQ(&Preferences(), &Outer);
}

TEST(PreferenceDefaults, MissingOrForeignSettingsAreAClearError) {
    TScopedService<TCustomXMLPreferences> None(PreferencesSlot(), nullptr);
    EXPECT_THROW(Preferences(), std::logic_error);
    EXPECT_THROW(PreferenceStore(), std::logic_error);
    // A bare store serves the model, but it is not the application's settings.
    TCustomXMLPreferences Bare;
    TScopedService<TCustomXMLPreferences> Installed(PreferencesSlot(), Bare);
    EXPECT_EQ(&PreferenceStore(), &Bare);
    EXPECT_THROW(Preferences(), std::logic_error);
}

namespace {

// The text of the element at Path (names from the root "data" down) in a saved settings file.
std::string SavedText(const std::string& FileName, std::initializer_list<const char*> Path) {
    TXMLTag Document;
    TXMLParser().LoadFromFile(FileName, Document);
    const TXMLTag* Tag = Document.Items().FindTag("data");
    for (const char* Name : Path)
        Tag = Tag ? Tag->Items().FindTag(Name) : nullptr;
    return Tag ? Tag->GetText() : "<missing>";
}

std::vector<std::string> SavedRecentFiles(const std::string& FileName) {
    TXMLTag Document;
    TXMLParser().LoadFromFile(FileName, Document);
    const TXMLTag* Tag = Document.Items().FindTag("data")->Items().FindTag("recent_files");
    std::vector<std::string> Names;
    for (int I = 0; Tag && I < Tag->Items().GetTagCount(); ++I)
        Names.push_back(Tag->Items().GetTag(I)->GetText());
    return Names;
}

} // namespace

TEST(Preferences, FreshSettingsFileRecordsTheTypeOfEachDefault) {
    TScratchDir Dir;
    TPreferences P;
    ASSERT_TRUE(P.SaveToFile(Dir.File("settings.xml")));
    const std::string File = Dir.File("settings.xml");
    struct Case {
        const char* Category;
        const char* Name;
        const char* Code;
    } Cases[] = {
        {"Zoom", "InFactor", "6"},           {"MMGrid", "GridColor", "19"},
        {"Animator", "TimerInterval", "17"}, {"Drives", "Angle1", "5"},
        {"Program", "ConfirmExit", "11"},    {"Joints", "LineColor", "3"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.Category) + "/" + C.Name);
        EXPECT_EQ(SavedText(File, {"categories", C.Category, C.Name, "VarType"}), C.Code);
    }
    EXPECT_EQ(SavedText(File, {"categories", "MMGrid", "GridColor", "Value"}), "16777136");
    // A fresh store has the recent-file element first, the categories behind it.
    EXPECT_NE(ReadFileText(File).find("<data>\r\n  <recent_files />\r\n  <categories>"),
              std::string::npos);
}

TEST(Preferences, RecentFilesRoundTripAndVanishedFilesAreDropped) {
    TScratchDir Dir;
    const std::string A = Dir.File("a.kxw"), B = Dir.File("b.kxw");
    WriteFileText(A, "a");
    WriteFileText(B, "b");
    TRecentFiles List;
    List.SetNumFiles(10);
    List.AddFile(A);
    List.AddFile(B);

    TPreferences P;
    P.LoadFromFile(Dir.File("settings.xml"));
    P.SaveRecentFiles(List);
    ASSERT_TRUE(P.SaveToFile());
    EXPECT_EQ(SavedRecentFiles(Dir.File("settings.xml")), (std::vector<std::string>{B, A}));

    TPreferences Loaded;
    Loaded.LoadFromFile(Dir.File("settings.xml"));
    TRecentFiles Back;
    Back.SetNumFiles(10);
    Back.AddFile("stale entry");
    Loaded.LoadRecentFiles(Back);
    EXPECT_EQ(Back.Files(), (std::vector<std::string>{B, A}));

    std::filesystem::remove(B);
    Loaded.LoadRecentFiles(Back);
    EXPECT_EQ(Back.Files(), (std::vector<std::string>{A}));
}

TEST(Preferences, SettingsFileWithoutRecentFilesGetsTheElement) {
    TScratchDir Dir;
    WriteFileText(Dir.File("settings.xml"),
                  "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<data>\r\n  <categories>\r\n"
                  "    <Zoom>\r\n      <InFactor>\r\n        <Value>2</Value>\r\n"
                  "        <VarType>6</VarType>\r\n      </InFactor>\r\n    </Zoom>\r\n"
                  "  </categories>\r\n</data>\r\n");
    TPreferences P;
    P.LoadFromFile(Dir.File("settings.xml"));
    ASSERT_NE(P.RecentFilesTag(), nullptr);
    EXPECT_EQ(P.Root()->Items().GetTag(1), P.RecentFilesTag());
    EXPECT_EQ(P.GetValue("Zoom", "InFactor"), TVariant::Currency(2.0));

    TRecentFiles Empty;
    P.SaveRecentFiles(Empty);
    ASSERT_TRUE(P.SaveToFile());
    EXPECT_NE(ReadFileText(Dir.File("settings.xml")).find("  </categories>\r\n  <recent_files />"),
              std::string::npos);
}

namespace {

// Count copies of Piece with every "#" replaced by the copy's number.
std::string Numbered(const std::string& Piece, int Count) {
    std::string R;
    for (int I = 0; I < Count; ++I)
        R += ReplaceSubStr(Piece, "#", std::to_string(I), true, false);
    return R;
}

} // namespace

// Settings files grown large or mangled by hand: each loads with every setting and recent file
// that it holds, in the time a plain file takes.
TEST(Preferences, LargeAndMangledSettingsFilesLoadWhatTheyHold) {
    TScratchDir Dir;
    const std::string A = Dir.File("a.kxw"), B = Dir.File("b.kxw");
    WriteFileText(A, "a");
    WriteFileText(B, "b");
    const std::size_t Registered = TPreferences().Categories().size();
    struct Case {
        const char* Name;
        std::string Data;        // elements in front of the categories
        std::string Categories;  // category elements behind Animator
        std::string RecentFiles; // file elements behind the first existing one
        std::function<void(const TPreferences&, const TRecentFiles&)> Check;
    };
    const Case Cases[] = {
        {"3,000 categories", "", Numbered("<c#><v/></c#>\r\n", 3000) + "<C0><w/></C0>", "",
         [&](const TPreferences& P, const TRecentFiles&) {
             ASSERT_EQ(P.Categories().size(), Registered + 3000);
             EXPECT_EQ(P.Categories()[Registered], "c0");
             EXPECT_EQ(P.Categories().back(), "c2999");
             EXPECT_NE(P.FindItem("c2999", "v"), nullptr);
             EXPECT_EQ(P.FindItem("c0", "w"), nullptr);
             EXPECT_EQ(P.GetCategoryItems("C0"), (std::vector{P.FindItem("C0", "w")}));
         }},
        {"5,000 items in one category", "", "<Big>" + Numbered("<i#/>\r\n", 5000) + "</Big>", "",
         [](const TPreferences& P, const TRecentFiles&) {
             const auto Items = P.GetCategoryItems("Big");
             ASSERT_EQ(Items.size(), 5000u);
             EXPECT_EQ(Items[4999]->Name(), "i4999");
             EXPECT_EQ(P.FindItem("Big", "i2500"), Items[2500]);
         }},
        {"a foreign element nested 300 deep",
         "<foreign>" + Repeated("<n>", 300) + Repeated("</n>", 300) + "</foreign>\r\n", "", "",
         [](const TPreferences& P, const TRecentFiles&) {
             EXPECT_NE(P.Root()->Items().FindTag("foreign"), nullptr);
         }},
        {"3,000 unclosed start tags", Repeated("<a>", 3000), "", "", nullptr},
        {"a foreign element with 20,000 attributes", "<t" + Numbered(" a#=\"1\"", 20000) + "/>\r\n",
         "", "",
         [](const TPreferences& P, const TRecentFiles&) {
             EXPECT_EQ(P.Root()->Items().FindTag("t")->Attributes().Count(), 20000);
         }},
        {"3,000 recent files that are gone", "", "",
         Numbered("<file>/gone/#.kxw</file>\r\n", 3000) + "<file>" + B + "</file>",
         [&](const TPreferences&, const TRecentFiles& List) {
             EXPECT_EQ(List.Files(), (std::vector{A, B}));
         }},
        {"a folder among the recent files", "", "",
         "<file>" + Dir.Path().string() + "</file><file>" + B + "</file>",
         [&](const TPreferences&, const TRecentFiles& List) {
             EXPECT_EQ(List.Files(), (std::vector{A, B}));
         }},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        WriteFileText(Dir.File("settings.xml"),
                      "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<data>\r\n" + C.Data +
                          "<categories>\r\n<Animator><TimerInterval><Value>250</Value>"
                          "<VarType>3</VarType></TimerInterval></Animator>\r\n" +
                          C.Categories + "</categories>\r\n<recent_files><file>" + A +
                          "</file>\r\n" + C.RecentFiles + "</recent_files>\r\n</data>\r\n");
        TPreferences P;
        TRecentFiles List;
        List.SetNumFiles(10);
        P.LoadFromFile(Dir.File("settings.xml"));
        P.LoadRecentFiles(List);
        EXPECT_EQ(P.GetValue("Animator", "TimerInterval"), TVariant(250));
        EXPECT_EQ(P.GetValue("Joints", "Radius"), TVariant::Byte(5));
        ASSERT_FALSE(List.Files().empty());
        EXPECT_EQ(List.GetFile(0), A);
        if (C.Check)
            C.Check(P, List);
    }
}
