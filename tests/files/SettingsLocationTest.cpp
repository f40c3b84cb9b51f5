#include "files/SettingsLocation.h"
#include "platform/Environment.h"
#include "support/PreferencesFixture.h"

#include <gtest/gtest.h>

TEST(SettingsLocation, BesideTheProgramWhenItCanBeSavedThereElseInTheUserFolder) {
    struct Case {
        const char* What;
        bool Writable, Beside, InConfig;
        TSettingsLocation Expected;
    } Cases[] = {
        {"build tree", true, false, false, {"/p/settings.xml", ""}},
        {"portable copy", true, true, true, {"/p/settings.xml", ""}},
        {"installed", false, false, false, {"/c/koplar/settings.xml", ""}},
        {"installed, shipped settings",
         false,
         true,
         false,
         {"/c/koplar/settings.xml", "/p/settings.xml"}},
        {"installed, own settings", false, true, true, {"/c/koplar/settings.xml", ""}},
        {"installed, own settings only", false, false, true, {"/c/koplar/settings.xml", ""}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        EXPECT_EQ(ChooseSettingsLocation({"/p", C.Writable, C.Beside, "/c/koplar", C.InConfig}),
                  C.Expected);
    }
    // Without the program's path a writable working folder must not decide: "/settings.xml"
    // could never be saved.
    EXPECT_EQ(ChooseSettingsLocation({"", true, true, "/c/koplar", false}),
              (TSettingsLocation{"/c/koplar/settings.xml", ""}));
}

TEST(SettingsLocation, RunningTestBinaryLivesInAWritableBuildTree) {
    const TSettingsLocation L = SettingsLocation();
    EXPECT_EQ(std::filesystem::path(L.FileName).filename(), "settings.xml");
    EXPECT_EQ(std::filesystem::path(L.FileName).parent_path(),
              std::filesystem::path(ExecutablePath()).parent_path());
}

TEST(SettingsLocation, StartingValuesAreReadAndTheUserFileIsSaved) {
    TScratchDir Dir;
    TPreferences Shipped;
    Shipped.SetValue("Joints", "Radius", TVariant::Byte(9));
    ASSERT_TRUE(Shipped.SaveToFile(Dir.File("p/settings.xml")));

    TPreferences P;
    LoadSettings(P, {Dir.File("c/koplar/settings.xml"), Dir.File("p/settings.xml")});
    EXPECT_EQ(P.GetValue("Joints", "Radius"), TVariant::Byte(9));
    EXPECT_EQ(P.FileName(), Dir.File("c/koplar/settings.xml"));
    P.SetValue("Joints", "Radius", TVariant::Byte(3));
    ASSERT_TRUE(P.SaveToFile());

    TPreferences Again;
    LoadSettings(Again, {Dir.File("c/koplar/settings.xml"), ""});
    EXPECT_EQ(Again.GetValue("Joints", "Radius"), TVariant::Byte(3));
    TPreferences ShippedAgain;
    ShippedAgain.LoadFromFile(Dir.File("p/settings.xml"));
    EXPECT_EQ(ShippedAgain.GetValue("Joints", "Radius"), TVariant::Byte(9));
}
