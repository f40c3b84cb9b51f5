// The Qt backends of the file services: registry, desktop shell and number conventions.
#include "platform/qt/QtFileServices.h"
#include "files/FileTypeRegistration.h"
#include "platform/qt/QtDesktopShell.h"
#include "platform/qt/QtFormatSettings.h"
#include "platform/qt/QtRegistry.h"
#include "support/EnvGuard.h"
#include "support/PreferencesFixture.h"
#include "support/QtTestApp.h"

#include <gtest/gtest.h>

TEST(QtRegistry, StringsSurviveInTheIniFile) {
    TScratchDir Dir;
    const QString File = QString::fromStdString(Dir.File("registry.ini"));
    {
        TQtRegistry R(File);
        EXPECT_TRUE(R.WriteString("Software\\K\\RecentFiles", "File0", "/m/ä b.kxw"));
        EXPECT_TRUE(R.WriteString("Software\\K\\Other", "X", "1"));
    }
    TQtRegistry R(File);
    EXPECT_EQ(R.ReadString("Software\\K\\RecentFiles", "File0"), "/m/ä b.kxw");
    EXPECT_EQ(R.ReadString("Software\\K\\RecentFiles", "File1"), std::nullopt);
    R.DeleteKey("Software\\K\\RecentFiles");
    EXPECT_EQ(R.ReadString("Software\\K\\RecentFiles", "File0"), std::nullopt);
    EXPECT_EQ(R.ReadString("Software\\K\\Other", "X"), "1");
}

TEST(QtDesktopShell, IconComesFromTheResourcesAndToolsRun) {
    QtTestApp();
    TQtDesktopShell Shell;
    EXPECT_NE(Shell.ProgramIcon().find("<svg"), std::string::npos);
    EXPECT_TRUE(Shell.HasTool("true"));
    EXPECT_FALSE(Shell.HasTool("no-such-tool-koplar"));
    EXPECT_TRUE(Shell.RunTool("true", {"x"}));
    EXPECT_FALSE(Shell.RunTool("false", {}));
    EXPECT_FALSE(Shell.RunTool("no-such-tool-koplar", {}));
}

TEST(QtDesktopShell, RealMimeDatabaseAcceptsTheRegisteredType) {
    QtTestApp();
    TScratchDir Dir;
    TUserFolders Folders(Dir.Path().string());
    TQtDesktopShell Shell;
    TScopedService<TDesktopShell> Installed(DesktopShellSlot(), Shell);
    ASSERT_TRUE(Shell.HasTool("update-mime-database"));
    EXPECT_TRUE(RegisterFileType("kxw", "KOPLAR GE Projekt", "/opt/koplar/koplar"));
    EXPECT_NE(ReadFileText(Folders.Data() + "/icons/hicolor/scalable/apps/koplar.svg").find("<svg"),
              std::string::npos);
    // The database tool compiled the package into the type's own description.
    EXPECT_NE(ReadFileText(Folders.Data() + "/mime/application/x-koplar-kxw.xml")
                  .find("KOPLAR GE Projekt"),
              std::string::npos);
    EXPECT_NE(ReadFileText(Folders.Data() + "/mime/globs2").find("*.kxw"), std::string::npos);
}

TEST(QtFileServices, InstallTheBackendsForTheirLifetimeAndPutThePreviousOnesBack) {
    QtTestApp();
    TSeparatorGuard Comma(',');
    TScopedService<TDesktopShell> NoShell(DesktopShellSlot(), nullptr);
    TScopedService<TRegistry> NoRegistry(RegistrySlot(), nullptr);
    {
        TQtFileServices Services;
        EXPECT_NE(dynamic_cast<TQtDesktopShell*>(&DesktopShell()), nullptr);
        EXPECT_NE(dynamic_cast<TQtRegistry*>(&Registry()), nullptr);
        EXPECT_EQ(FormatSettings().DecimalSeparator, SystemFormatSettings().DecimalSeparator);
    }
    EXPECT_FALSE(DesktopShellSlot().Installed());
    EXPECT_FALSE(RegistrySlot().Installed());
    EXPECT_EQ(FormatSettings().DecimalSeparator, ',');
}
