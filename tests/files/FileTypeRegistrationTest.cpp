#include "files/FileTypeRegistration.h"
#include "files/Preferences.h"
#include "platform/DesktopShell.h"
#include "platform/Environment.h"
#include "support/PreferencesFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for its lifetime.
class TEnvGuard {
public:
    TEnvGuard(const char* Name, const std::string& Value) : FName(Name) {
        if (const char* Old = std::getenv(Name))
            FOld = Old;
        setenv(Name, Value.c_str(), 1);
    }
    ~TEnvGuard() { FOld ? setenv(FName, FOld->c_str(), 1) : unsetenv(FName); }

private:
    const char* FName;
    std::optional<std::string> FOld;
};

class TFakeShell : public TDesktopShell {
public:
    TFakeShell() : FPrevious(SetDesktopShell(this)) {}
    ~TFakeShell() override { SetDesktopShell(FPrevious); }
    std::string ProgramIcon() const override { return "<svg/>\n"; }
    bool HasTool(const std::string& Tool) const override { return Installed.count(Tool) > 0; }
    bool RunTool(const std::string& Tool, const std::vector<std::string>& Arguments) override {
        Runs.push_back(Tool + " " + Arguments.at(0));
        return !Failing;
    }
    std::set<std::string> Installed{"update-mime-database", "update-desktop-database"};
    std::vector<std::string> Runs;
    bool Failing = false;

private:
    TDesktopShell* FPrevious;
};

class TRegistrationTest : public ::testing::Test {
protected:
    TRegistrationTest()
        : Home("HOME", Dir.File("home")), DataHome("XDG_DATA_HOME", Dir.File("data")) {}
    std::string Data(const std::string& Rel) const { return Dir.File("data/" + Rel); }
    bool Register(const std::string& Program = "/opt/koplar/koplar") {
        return RegisterFileType("kxw", "KOPLAR GE Projekt", Program);
    }

    TScratchDir Dir;
    TEnvGuard Home, DataHome;
    TFakeShell Shell;
};

} // namespace

TEST_F(TRegistrationTest, WritesMimePackageDesktopEntryAndIconThenUpdatesTheDatabases) {
    ASSERT_TRUE(Register());
    EXPECT_EQ(ReadFileText(Data("mime/packages/koplar.xml")),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
              "  <mime-type type=\"application/x-koplar-kxw\">\n"
              "    <comment>KOPLAR GE Projekt</comment>\n"
              "    <icon name=\"koplar\"/>\n"
              "    <glob pattern=\"*.kxw\"/>\n"
              "  </mime-type>\n"
              "</mime-info>\n");
    EXPECT_EQ(ReadFileText(Data("applications/koplar.desktop")),
              "[Desktop Entry]\n"
              "Type=Application\n"
              "Name=KOPLAR GE\n"
              "Exec=\"/opt/koplar/koplar\" %f\n"
              "Icon=koplar\n"
              "MimeType=application/x-koplar-kxw;\n"
              "Terminal=false\n");
    EXPECT_EQ(ReadFileText(Data("icons/hicolor/scalable/apps/koplar.svg")), "<svg/>\n");
    EXPECT_EQ(Shell.Runs,
              (std::vector<std::string>{"update-mime-database " + Data("mime"),
                                        "update-desktop-database " + Data("applications")}));
}

TEST_F(TRegistrationTest, ProgramPathIsQuotedAndEscapedForTheExecLine) {
    struct Case {
        const char* Path;
        const char* Exec;
    } Cases[] = {
        {"/opt/koplar/koplar", R"("/opt/koplar/koplar")"},
        {R"(/home/u/my "best" 100%/koplar)", R"("/home/u/my \\"best\\" 100%%/koplar")"},
        {R"(/a\b/$HOME/`x`)", R"("/a\\\\b/\\$HOME/\\`x\\`")"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Path);
        EXPECT_EQ(DesktopExecArgument(C.Path), C.Exec);
    }
    ASSERT_TRUE(Register(Cases[1].Path));
    EXPECT_NE(ReadFileText(Data("applications/koplar.desktop"))
                  .find(std::string("\nExec=") + Cases[1].Exec + " %f\n"),
              std::string::npos);
}

TEST_F(TRegistrationTest, SecondRunWithNothingChangedWritesAndStartsNothing) {
    ASSERT_TRUE(Register());
    const auto Stamp = fs::last_write_time(Data("mime/packages/koplar.xml"));
    Shell.Runs.clear();
    // Make an unnoticed rewrite visible through the modification time.
    fs::last_write_time(Data("mime/packages/koplar.xml"), Stamp - std::chrono::hours(1));
    ASSERT_TRUE(Register());
    EXPECT_TRUE(Shell.Runs.empty());
    EXPECT_EQ(fs::last_write_time(Data("mime/packages/koplar.xml")), Stamp - std::chrono::hours(1));

    // A moved program only changes the desktop entry.
    ASSERT_TRUE(Register("/usr/local/bin/koplar"));
    EXPECT_EQ(Shell.Runs,
              std::vector<std::string>{"update-desktop-database " + Data("applications")});
}

TEST_F(TRegistrationTest, FailuresAreReportedNotThrown) {
    // Tools that are not installed are skipped.
    Shell.Installed.clear();
    EXPECT_TRUE(Register());
    EXPECT_TRUE(Shell.Runs.empty());

    // A failing tool.
    Shell.Installed = {"update-mime-database"};
    WriteFileText(Data("mime/packages/koplar.xml"), "old");
    Shell.Failing = true;
    EXPECT_FALSE(Register());

    EXPECT_FALSE(RegisterFileType("kxw", "KOPLAR GE Projekt", ""));

    // A data folder that cannot be created: its parent is a file.
    WriteFileText(Dir.File("plain"), "x");
    TEnvGuard Unusable("XDG_DATA_HOME", Dir.File("plain/data"));
    EXPECT_FALSE(Register());
}

TEST_F(TRegistrationTest, ApplicationRegistersTheRunningProgram) {
    TPreferences P;
    ASSERT_TRUE(P.RegisterFileType());
    EXPECT_NE(ReadFileText(Data("applications/koplar.desktop"))
                  .find("Exec=\"" + ExecutablePath() + "\" %f\n"),
              std::string::npos);
    EXPECT_NE(ReadFileText(Data("mime/packages/koplar.xml")).find("*.kxw"), std::string::npos);
}

TEST(Environment, XdgFoldersFallBackToTheHomeFolder) {
    TScratchDir Dir;
    TEnvGuard Home("HOME", Dir.File("h"));
    {
        TEnvGuard Relative("XDG_DATA_HOME", "relative/path");
        TEnvGuard Empty("XDG_CONFIG_HOME", "");
        EXPECT_EQ(UserDataHome(), Dir.File("h") + "/.local/share");
        EXPECT_EQ(UserConfigHome(), Dir.File("h") + "/.config");
    }
    TEnvGuard Config("XDG_CONFIG_HOME", Dir.File("c"));
    EXPECT_EQ(UserConfigHome(), Dir.File("c"));
}

TEST(Environment, FileCanBeReplacedOnlyThroughAWritableFolder) {
    TScratchDir Dir;
    EXPECT_TRUE(CanReplaceFile(Dir.File("new.xml")));
    EXPECT_FALSE(CanReplaceFile(Dir.File("missing/new.xml")));
    WriteFileText(Dir.File("plain"), "x");
    EXPECT_FALSE(CanReplaceFile(Dir.File("plain/new.xml")));
    if (geteuid() != 0) { // root may write anything
        WriteFileText(Dir.File("protected.xml"), "x");
        fs::permissions(Dir.File("protected.xml"), fs::perms::owner_read);
        EXPECT_FALSE(CanReplaceFile(Dir.File("protected.xml")));
    }
}
