// The mechanism file named on the command line.
#include "MainWindowRig.h"
#include "ui/AppWindows.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(CommandLine, TheFirstArgumentIsMadeAbsolute) {
    const std::string Here = std::filesystem::current_path().string();
    EXPECT_EQ(CommandLineFile({QStringLiteral("koplar")}), "");
    EXPECT_EQ(CommandLineFile({QStringLiteral("koplar"), QString()}), "");
    EXPECT_EQ(CommandLineFile({QStringLiteral("koplar"), QStringLiteral("a/../b.kxw"),
                               QStringLiteral("c.kxw")}),
              Here + "/b.kxw");
    EXPECT_EQ(CommandLineFile({QStringLiteral("koplar"), QStringLiteral("/x/y.kxw")}), "/x/y.kxw");
}

class CommandLineStart : public ::testing::Test, protected TMainWindowRig {};

TEST_F(CommandLineStart, AnExistingFileOpensFittedWithoutTheStartWindow) {
    const std::string File = FourBar("start.kxw");
    TRecentFiles Stored;
    Stored.SetNumFiles(10);
    Stored.AddFile(FourBar("older.kxw"));
    Settings.Prefs().SaveRecentFiles(Stored);
    Form->SetCommandLineFile(File);
    Form->show();

    EXPECT_EQ(StartWindowShown, 0);
    EXPECT_EQ(JointCount(), 4);
    EXPECT_EQ(DocumentName(), "start.kxw");
    EXPECT_FALSE(Form->IsModified());
    EXPECT_EQ(RecentNames(), (TTexts{"start.kxw", "older.kxw"}));
    EXPECT_TRUE(AskedTexts().empty());
    // Fitted: every joint inside the view, which is not the empty mechanism's.
    const TMMRect View = Form->MMSurface1().ViewRect();
    for (const TJoint* J : Model().Joints()) {
        EXPECT_GE(J->X(), View.Left);
        EXPECT_LE(J->X(), View.Right);
        EXPECT_GE(J->Y(), View.Bottom);
        EXPECT_LE(J->Y(), View.Top);
    }
    EXPECT_LT(View.Right - View.Left, 150.0 * 0.999);
}

TEST_F(CommandLineStart, AnArgumentThatNamesNoFileIsPassedOverSilently) {
    std::filesystem::create_directory(Scratch.File("folder.kxw"));
    for (const std::string Name : {"missing.kxw", "folder.kxw"}) {
        SCOPED_TRACE(Name);
        TMainWindowRig Rig;
        Rig.Form->SetCommandLineFile(Scratch.File(Name));
        Rig.Form->show();
        EXPECT_EQ(Rig.StartWindowShown, 0);
        EXPECT_TRUE(Rig.AskedTexts().empty());
        EXPECT_EQ(Rig.JointCount(), 0);
        EXPECT_EQ(Rig.DocumentName(), "Unbenannt1.kxw");
        EXPECT_TRUE(Rig.RecentNames().empty());
    }
}

} // namespace
