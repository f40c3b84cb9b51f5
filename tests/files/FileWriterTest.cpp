#include "files/FileReaderWriterRig.h"
#include "support/WriteProtection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

TEST(FileWriterTest, SampleIsWrittenToTheGoldenText) {
    TFileRig Rig;
    Rig.BuildSample();
    EXPECT_EQ(Rig.Saved(), ReadFileText(KOPLAR_FILES_DATA "golden.kxw"));
}

TEST(FileWriterTest, NewMechanismWritesTheFrameAndEmptyLists) {
    TFileRig Rig;
    Rig.D().Clear(true);
    EXPECT_EQ(Rig.Parser.WriteDocumentText(true),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><data><gearinfo "
              "Description=\"\" Author=\"\"/><joints/><links><rack uid=\"100\" number=\"1\" "
              "name=\"Gestell\" selected=\"False\" visible=\"True\" refjoint=\"-1\" color=\"0\"/>"
              "</links><connections><linkconnections/><jointconnections/></connections><drives/>"
              "<planes/><curves/></data>");
}

TEST(FileWriterTest, DriveWithoutIntervalsWritesEmptyValues) {
    TFileRig Rig;
    Rig.BuildSample();
    Rig.D().Drives().First()->SetIntervals(0);
    EXPECT_NE(Rig.Parser.WriteDocumentText(true).find("intervals=\"0\" drivetype=\"0\"><values/>"),
              std::string::npos);
}

TEST(FileWriterTest, CreationTimeIsStampedOnceAndChecksumTextHasNoClock) {
    TFileRig Rig;
    Rig.BuildSample();
    Rig.Parser.FileInfo().CreationTime = 0;
    const std::string First = Rig.Saved();
    EXPECT_EQ(Rig.Parser.FileInfo().CreationTime, Rig.Clock.Now());
    EXPECT_NE(First.find("CreationTime=\"24.12.2024 18:30:05\""), std::string::npos);
    const std::string Text = Rig.Parser.WriteDocumentText(true);
    EXPECT_EQ(Text.find("fileinfo"), std::string::npos);
    EXPECT_EQ(Rig.Parser.WriteDocumentText(true), Text);
}

TEST(FileWriterTest, FailedSaveKeepsTheOldFileAndReportsFailure) {
    TFileRig Rig;
    Rig.BuildSample();
    const std::string Name = Rig.Dir.File("alt.kxw");
    WriteFileText(Name, "alter Inhalt");
    Rig.Parser.FileInfo().CreationTime = 0;
    {
        TWriteProtectionInForce Protection;
        std::filesystem::permissions(Rig.Dir.Path(), std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::owner_exec);
        EXPECT_FALSE(Rig.Parser.SaveToFile(Name));
        std::filesystem::permissions(Rig.Dir.Path(), std::filesystem::perms::owner_all);
    }
    EXPECT_EQ(ReadFileText(Name), "alter Inhalt");
    EXPECT_EQ(Rig.Parser.FileInfo().CreationTime, 0) << "no file carries the stamp";
    EXPECT_EQ(Rig.Dir.Entries(), std::vector<std::string>{"alt.kxw"});
    EXPECT_FALSE(Rig.Parser.SaveToFile(Rig.Dir.File("fehlt/neu.kxw")));
}

TEST(FileWriterTest, NumbersHaveOneFormWhateverTheSeparatorInForce) {
    struct TCase {
        double Value;
        const char* Text;
    };
    const TCase Cases[] = {{0, "0"},
                           {-0.0, "0"},
                           {12.5, "12,5"},
                           {-0.5, "-0,5"},
                           {1e-6, "1E-6"},
                           {0.00001, "0,00001"},
                           {-1.25e-7, "-1,25E-7"},
                           {1.0 / 3, "0,333333333333333"},
                           {123456789012345, "123456789012345"},
                           {1234567890123456, "1,23456789012346E15"},
                           {999999999999999.9, "1E15"},
                           {1e20, "1E20"},
                           {100, "100"},
                           // The nearest 15 digits lie past the largest double: toward zero.
                           {std::numeric_limits<double>::max(), "1,79769313486231E308"},
                           {-std::numeric_limits<double>::max(), "-1,79769313486231E308"},
                           {1.797693134862315e308, "1,79769313486231E308"},
                           {1.79769313486231e308, "1,79769313486231E308"},
                           {std::numeric_limits<double>::denorm_min(), "4,94065645841247E-324"}};
    for (char Separator : {',', '.'}) {
        TSeparatorGuard Guard(Separator);
        for (const TCase& C : Cases) {
            SCOPED_TRACE(C.Text);
            EXPECT_EQ(FormatFileNumber(C.Value), C.Text);
            EXPECT_EQ(FormatFileNumber(ParseFileNumber(C.Text).value()), C.Text);
        }
    }
}

TEST(FileWriterTest, NumberReaderAcceptsBothSeparatorsAndRejectsTheRest) {
    EXPECT_EQ(ParseFileNumber(" 12.5\t"), 12.5);
    EXPECT_EQ(ParseFileNumber("+1,5e3"), 1500);
    EXPECT_EQ(ParseFileNumber("-2E-2"), -0.02);
    for (const char* Bad : {"", " ", "nan", "inf", "-inf", "1e400", "12,5,3", "1.2.3", "0x10",
                            "1 000", "12,5 mm", "--1", "+-1"}) {
        SCOPED_TRACE(Bad);
        EXPECT_FALSE(ParseFileNumber(Bad).has_value());
    }
    EXPECT_EQ(ParseFileInteger(" -42 "), -42);
    EXPECT_FALSE(ParseFileInteger("2147483648").has_value());
    EXPECT_FALSE(ParseFileInteger("1.5").has_value());
    EXPECT_EQ(ParseFileBoolean("tRuE"), true);
    EXPECT_EQ(ParseFileBoolean("0"), false);
    EXPECT_EQ(ParseFileBoolean("-1"), true);
    EXPECT_FALSE(ParseFileBoolean("ja").has_value());
}

TEST(FileWriterTest, DateTimesHaveTheGermanFormAndUnreadableOnesAreZero) {
    EXPECT_EQ(FormatFileDateTime(EncodeFileDateTime(2024, 12, 24, 18, 30, 5)),
              "24.12.2024 18:30:05");
    EXPECT_EQ(FormatFileDateTime(EncodeFileDateTime(2024, 2, 29)), "29.02.2024");
    EXPECT_EQ(FormatFileDateTime(EncodeFileDateTime(1999, 1, 2, 0, 0, 1)), "02.01.1999 00:00:01");
    EXPECT_EQ(FormatFileDateTime(std::numeric_limits<double>::quiet_NaN()), "30.12.1899");
    EXPECT_EQ(EncodeFileDateTime(1899, 12, 30), 0);
    EXPECT_EQ(EncodeFileDateTime(1900, 1, 1, 12), 2.5);
    EXPECT_EQ(ParseFileDateTime("1.3.2024 8:05"), EncodeFileDateTime(2024, 3, 1, 8, 5));
    EXPECT_EQ(ParseFileDateTime("24.12.2024 18:30:05"),
              EncodeFileDateTime(2024, 12, 24, 18, 30, 5));
    for (const char* Bad :
         {"", "gestern", "12/24/2024 6:30 PM", "31.02.2024", "24.12.2024 25:00", "24.12.2024T18:30",
          "24.12.20245", "24.12.2024 18:30:05 Uhr", "01.03.9", "01.03.098", "29.02.23"}) {
        SCOPED_TRACE(Bad);
        EXPECT_EQ(ParseFileDateTime(Bad), 0);
    }
}

// Before the epoch a time of day lies below the day's count, on the first day of year 1 down to
// one below it.
TEST(FileWriterTest, EveryDateTheReaderTakesIsWrittenBackAsRead) {
    for (const char* Text :
         {"01.01.0001", "01.01.0001 00:00:01", "01.01.0001 12:00:00", "01.01.0001 23:59:59",
          "02.01.0001 06:00:00", "29.12.1899 12:00:00", "30.12.1899 00:00:01",
          "30.12.1899 23:59:59", "31.12.9999", "31.12.9999 23:59:59"}) {
        SCOPED_TRACE(Text);
        EXPECT_EQ(FormatFileDateTime(ParseFileDateTime(Text)), Text);
    }
}

// A two-digit year is the one ending in those digits nearest to the clock's year (2024 here), and
// it is written back with all four digits.
TEST(FileWriterTest, TwoDigitYearsAreNearTheClocksYear) {
    TFixedClock Clock;
    TScopedService<const TFileClock> Installed(FileClockSlot(), Clock);
    const struct {
        const char* Text;
        int Year, Month, Day;
    } Cases[] = {{"01.03.98", 1998, 3, 1}, {"01.03.24", 2024, 3, 1}, {"01.03.00", 2000, 3, 1},
                 {"01.03.73", 2073, 3, 1}, {"01.03.74", 1974, 3, 1}, {"29.02.96", 1996, 2, 29},
                 {"01.03.0098", 98, 3, 1}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Text);
        const double Read = ParseFileDateTime(std::string(C.Text) + " 08:30");
        EXPECT_EQ(Read, EncodeFileDateTime(C.Year, C.Month, C.Day, 8, 30));
        const std::string Written = FormatFileDateTime(Read);
        EXPECT_EQ(Written.substr(6, 4), (C.Year < 1000 ? "00" : "") + std::to_string(C.Year));
    }
}
