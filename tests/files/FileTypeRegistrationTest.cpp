#include "files/FileTypeRegistration.h"
#include "files/Preferences.h"
#include "platform/DesktopShell.h"
#include "platform/Environment.h"
#include "support/EnvGuard.h"
#include "support/ScratchDir.h"
#include "support/WriteProtection.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

class TFakeShell : public TDesktopShell {
public:
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
    TScopedService<TDesktopShell> FInstalled{DesktopShellSlot(), *this};
};

class TRegistrationTest : public ::testing::Test {
protected:
    std::string Data(const std::string& Rel) const { return Folders.Data() + "/" + Rel; }
    bool Register(const std::string& Program = "/opt/koplar/koplar") {
        return RegisterFileType("kxw", "KOPLAR GE Projekt", Program);
    }

    TScratchDir Dir;
    TUserFolders Folders{Dir.Path().string()};
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

TEST_F(TRegistrationTest, AMissingDesktopShellIsAFaultOfTheProgramNotAFailedRegistration) {
    TScopedService<TDesktopShell> None(DesktopShellSlot(), nullptr);
    EXPECT_THROW(Register(), std::logic_error);
}

TEST_F(TRegistrationTest, ApplicationRegistersTheRunningProgram) {
    TPreferences P;
    ASSERT_TRUE(P.RegisterFileType());
    EXPECT_NE(ReadFileText(Data("applications/koplar.desktop"))
                  .find("Exec=\"" + ExecutablePath() + "\" %f\n"),
              std::string::npos);
    EXPECT_NE(ReadFileText(Data("mime/packages/koplar.xml")).find("*.kxw"), std::string::npos);
}
