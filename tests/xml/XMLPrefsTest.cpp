#include "xml/XMLPrefs.h"
#include "platform/FormatSettings.h"
#include "support/PreferencesFixture.h"
#include "xml/XMLParser.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

// A file holding one item element of the category Animator, as the store writes it.
std::string ItemFile(const std::string& Item) {
    return "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<data>\r\n  <categories>\r\n"
           "    <Animator>\r\n" +
           Item + "\r\n    </Animator>\r\n  </categories>\r\n</data>\r\n";
}

std::string TimerInterval(const std::string& Value, const std::string& Code) {
    return "<TimerInterval><Default>1</Default><Value>" + Value + "</Value><VarType>" + Code +
           "</VarType></TimerInterval>";
}

class TStoreTest : public ::testing::Test {
protected:
    void SetUp() override { P.SetValue("Animator", "TimerInterval", TVariant::Byte(100)); }

    TScratchDir Dir;
    TCustomXMLPreferences P;
};

// Makes every write of the process fail for its lifetime, also for root (who ignores modes).
class TWritesFail {
public:
    TWritesFail() {
        getrlimit(RLIMIT_FSIZE, &FOld);
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit Tiny = FOld;
        Tiny.rlim_cur = 8;
        setrlimit(RLIMIT_FSIZE, &Tiny);
    }
    ~TWritesFail() {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }

private:
    rlimit FOld{};
    void (*FOldHandler)(int) = nullptr;
};

} // namespace

TEST_F(TStoreTest, UnknownKeyGivesTheByteZero) {
    const TVariant V = P.GetValue("Nothing", "Here");
    EXPECT_EQ(V, TVariant::Byte(0));
    EXPECT_FALSE(V.AsBoolean());
    EXPECT_EQ(P.FindItem("Animator", "timerinterval"), nullptr);
}

TEST_F(TStoreTest, SetValueRegistersAndAnotherTypeReplacesTheDefault) {
    P.SetValue("New", "Key", TVariant::Byte(5));
    TPreferenceItem* Item = P.FindItem("New", "Key");
    ASSERT_NE(Item, nullptr);
    EXPECT_EQ(Item->Default(), TVariant::Byte(5));
    EXPECT_EQ(Item->Value(), TVariant::Byte(5));

    P.SetValue("New", "Key", TVariant::Byte(7));
    EXPECT_EQ(P.GetValue("New", "Key"), TVariant::Byte(7));
    EXPECT_EQ(Item->Default(), TVariant::Byte(5));

    P.SetValue("New", "Key", TVariant(9));
    EXPECT_EQ(Item->Default(), TVariant(9));
    EXPECT_EQ(P.GetValue("New", "Key"), TVariant(9));
    EXPECT_EQ(P.Count(), 2);
}

TEST_F(TStoreTest, LoadedValueTakesEffectOnlyWhenItConvertsToItsRecordedType) {
    struct Case {
        const char* Value;
        const char* Code;
        TVariant Expected;
    } Cases[] = {
        {"250", "3", TVariant(250)},
        {"250", "17", TVariant::Byte(250)},
        {"300", "17", TVariant::Byte(100)},
        {"abc", "17", TVariant::Byte(100)},
        {"", "17", TVariant::Byte(100)},
        {"250", "19", TVariant::LongWord(250)},
        {"2,5", "5", TVariant(2.5)},
        {"2.5", "5", TVariant(2.5)},
        {"1,25", "6", TVariant::Currency(1.25)},
        {"True", "11", TVariant(true)},
        {"250", "258", TVariant::Byte(100)},
        {"250", "0", TVariant::Byte(100)},
        {"250", "7", TVariant::Byte(100)}, // a code the store never writes
        {"250", "x", TVariant::Byte(100)},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.Value) + " / " + C.Code);
        TCustomXMLPreferences S;
        S.SetValue("Animator", "TimerInterval", TVariant::Byte(100));
        WriteFileText(Dir.File("settings.xml"), ItemFile(TimerInterval(C.Value, C.Code)));
        S.LoadFromFile(Dir.File("settings.xml"));
        EXPECT_EQ(S.GetValue("Animator", "TimerInterval"), C.Expected);
    }
    // Without a VarType element the text stays a string and the default holds.
    WriteFileText(Dir.File("settings.xml"),
                  ItemFile("<TimerInterval><Value>5</Value></TimerInterval>"));
    P.LoadFromFile(Dir.File("settings.xml"));
    EXPECT_EQ(P.FindItem("Animator", "TimerInterval")->Value(), TVariant("5"));
    EXPECT_EQ(P.GetValue("Animator", "TimerInterval"), TVariant::Byte(100));
}

TEST_F(TStoreTest, UnregisteredItemsAreAddedEmptyAndWrittenBackWithTypeZero) {
    WriteFileText(Dir.File("settings.xml"),
                  ItemFile(TimerInterval("5", "17") + "<Stranger><Value>9</Value>"
                                                      "<VarType>3</VarType></Stranger>"));
    P.LoadFromFile(Dir.File("settings.xml"));
    TPreferenceItem* Stranger = P.FindItem("Animator", "Stranger");
    ASSERT_NE(Stranger, nullptr);
    EXPECT_TRUE(Stranger->Value().IsEmpty());
    EXPECT_TRUE(Stranger->Default().IsEmpty());

    ASSERT_TRUE(P.SaveToFile());
    EXPECT_NE(ReadFileText(Dir.File("settings.xml"))
                  .find("      <Stranger>\r\n        <Default></Default>\r\n"
                        "        <Value></Value>\r\n        <VarType>0</VarType>\r\n"),
              std::string::npos);
}

TEST_F(TStoreTest, NoSaveItemsAreNeverWrittenButTheirCategoryIs) {
    P.AddItem(std::make_unique<TPreferenceItem>("Printer_Temp", "Scale", true))
        ->SetValue(TVariant(2.0));
    ASSERT_TRUE(P.SaveToFile(Dir.File("settings.xml")));
    const std::string Text = ReadFileText(Dir.File("settings.xml"));
    EXPECT_NE(Text.find("    <Printer_Temp />\r\n"), std::string::npos);
    EXPECT_EQ(Text.find("Scale"), std::string::npos);

    TCustomXMLPreferences Reloaded;
    Reloaded.LoadFromFile(Dir.File("settings.xml"));
    EXPECT_EQ(Reloaded.FindItem("Printer_Temp", "Scale"), nullptr);
}

TEST_F(TStoreTest, SavingWithoutAnyFileNameWritesNothing) {
    EXPECT_FALSE(P.SaveToFile());
    EXPECT_TRUE(P.FileName().empty());
    // A load of a missing file names it, so the next save writes it.
    P.LoadFromFile(Dir.File("missing.xml"));
    EXPECT_EQ(P.GetValue("Animator", "TimerInterval"), TVariant::Byte(100));
    EXPECT_TRUE(P.SaveToFile());
    EXPECT_FALSE(ReadFileText(Dir.File("missing.xml")).empty());
}

TEST_F(TStoreTest, CategoriesDifferingInCaseShareOneEntryButNotTheirItems) {
    P.SetValue("joints", "Radius", TVariant::Byte(1));
    P.SetValue("Joints", "Radius", TVariant::Byte(2));
    P.SetValue("JOINTS", "Other", TVariant::Byte(3));
    EXPECT_EQ(P.Categories(), (std::vector<std::string>{"Animator", "joints"}));
    EXPECT_EQ(P.GetValue("joints", "Radius"), TVariant::Byte(1));
    EXPECT_EQ(P.GetValue("Joints", "Radius"), TVariant::Byte(2));
    ASSERT_EQ(P.GetCategoryItems("Joints").size(), 1u);
    EXPECT_EQ(P.GetCategoryItems("Joints")[0], P.FindItem("Joints", "Radius"));
}

TEST_F(TStoreTest, OneItemPerTypeFamilyRoundTripsThroughTheFile) {
    TSeparatorGuard Comma(',');
    TCustomXMLPreferences S;
    S.SetValue("T", "Int", TVariant(-5));
    S.SetValue("T", "Byte", TVariant::Byte(200));
    S.SetValue("T", "UInt", TVariant::LongWord(16777136));
    S.SetValue("T", "Bool", TVariant(true));
    S.SetValue("T", "Double", TVariant(0.7853981633974483));
    S.SetValue("T", "Cur", TVariant::Currency(1.25));
    S.SetValue("T", "Byte", TVariant::Byte(7)); // a value other than the default
    ASSERT_TRUE(S.SaveToFile(Dir.File("settings.xml")));
    EXPECT_EQ(ReadFileText(Dir.File("settings.xml")),
              "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n"
              "<data>\r\n"
              "  <categories>\r\n"
              "    <T>\r\n"
              "      <Int>\r\n        <Default>-5</Default>\r\n        <Value>-5</Value>\r\n"
              "        <VarType>3</VarType>\r\n      </Int>\r\n"
              "      <Byte>\r\n        <Default>200</Default>\r\n        <Value>7</Value>\r\n"
              "        <VarType>17</VarType>\r\n      </Byte>\r\n"
              "      <UInt>\r\n        <Default>16777136</Default>\r\n"
              "        <Value>16777136</Value>\r\n        <VarType>19</VarType>\r\n"
              "      </UInt>\r\n"
              "      <Bool>\r\n        <Default>True</Default>\r\n        <Value>True</Value>\r\n"
              "        <VarType>11</VarType>\r\n      </Bool>\r\n"
              "      <Double>\r\n        <Default>0,785398163397448</Default>\r\n"
              "        <Value>0,785398163397448</Value>\r\n        <VarType>5</VarType>\r\n"
              "      </Double>\r\n"
              "      <Cur>\r\n        <Default>1,25</Default>\r\n        <Value>1,25</Value>\r\n"
              "        <VarType>6</VarType>\r\n      </Cur>\r\n"
              "    </T>\r\n"
              "  </categories>\r\n"
              "</data>\r\n");

    // Read back under the other separator, into a store with the same registrations.
    TSeparatorGuard Point('.');
    TCustomXMLPreferences R;
    R.SetValue("T", "Int", TVariant(0));
    R.SetValue("T", "Byte", TVariant::Byte(200));
    R.SetValue("T", "UInt", TVariant::LongWord(0));
    R.SetValue("T", "Bool", TVariant(false));
    R.SetValue("T", "Double", TVariant(0.0));
    R.SetValue("T", "Cur", TVariant::Currency(0.0));
    R.LoadFromFile(Dir.File("settings.xml"));
    EXPECT_EQ(R.GetValue("T", "Int"), TVariant(-5));
    EXPECT_EQ(R.GetValue("T", "Byte"), TVariant::Byte(7));
    EXPECT_EQ(R.GetValue("T", "UInt"), TVariant::LongWord(16777136));
    EXPECT_EQ(R.GetValue("T", "Bool"), TVariant(true));
    EXPECT_NEAR(R.GetDouble("T", "Double"), 0.7853981633974483, 1e-15);
    EXPECT_EQ(R.GetValue("T", "Cur"), TVariant::Currency(1.25));
}

TEST_F(TStoreTest, UnreadableFilesLeaveTheRegisteredValues) {
    const char* Files[] = {"garbage \x01\x02 no xml", "",
                           "<?xml version=\"1.0\"?>\r\n<other><categories><Animator>"
                           "<TimerInterval><Value>5</Value><VarType>17</VarType>"
                           "</TimerInterval></Animator></categories></other>\r\n"};
    for (const char* Text : Files) {
        SCOPED_TRACE(Text);
        P.SetValue("Animator", "TimerInterval", TVariant::Byte(100));
        WriteFileText(Dir.File("settings.xml"), Text);
        P.LoadFromFile(Dir.File("settings.xml"));
        EXPECT_EQ(P.GetValue("Animator", "TimerInterval"), TVariant::Byte(100));
        EXPECT_EQ(P.Root()->Name(), "data");
        EXPECT_EQ(P.Root()->Items().GetTagCount(), 1);
        EXPECT_EQ(P.CategoriesTag(), P.Root()->Items().FindTag("categories"));
    }
}

TEST_F(TStoreTest, ElementsTheStoreDoesNotWriteSurviveLoadAndSave) {
    WriteFileText(Dir.File("settings.xml"),
                  "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<data>\r\n"
                  "  <extra a=\"1\">kept</extra>\r\n  <categories>\r\n    <Animator>\r\n" +
                      TimerInterval("5", "17") +
                      "\r\n      <TimerInterval_Note>n</TimerInterval_Note>\r\n"
                      "    </Animator>\r\n  </categories>\r\n</data>\r\n");
    P.LoadFromFile(Dir.File("settings.xml"));
    ASSERT_TRUE(P.SaveToFile());
    const std::string Text = ReadFileText(Dir.File("settings.xml"));
    EXPECT_NE(Text.find("<data>\r\n  <extra a=\"1\">kept</extra>\r\n  <categories>"),
              std::string::npos);
    // The note became an (empty) item at load and is written back as one.
    EXPECT_NE(Text.find("<TimerInterval_Note>"), std::string::npos);
    EXPECT_NE(Text.find("<Default>100</Default>"), std::string::npos);
    EXPECT_NE(Text.find("<Value>5</Value>"), std::string::npos);
}

TEST_F(TStoreTest, FailedSaveKeepsThePreviousFile) {
    const std::string Old = ItemFile(TimerInterval("42", "17"));
    WriteFileText(Dir.File("settings.xml"), Old);
    P.LoadFromFile(Dir.File("settings.xml"));
    P.SetValue("Animator", "TimerInterval", TVariant::Byte(7));
    std::filesystem::permissions(Dir.Path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    bool Saved;
    {
        TWritesFail Fail;
        Saved = P.SaveToFile();
    }
    EXPECT_FALSE(Saved);
    EXPECT_EQ(ReadFileText(Dir.File("settings.xml")), Old);
    EXPECT_EQ(P.GetValue("Animator", "TimerInterval"), TVariant::Byte(7));
}

TEST_F(TStoreTest, SavingCreatesMissingFolders) {
    ASSERT_TRUE(P.SaveToFile(Dir.File("a/b/settings.xml")));
    EXPECT_FALSE(ReadFileText(Dir.File("a/b/settings.xml")).empty());
}
