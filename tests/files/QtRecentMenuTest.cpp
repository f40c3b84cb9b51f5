#include "files/FileTypeRegistration.h"
#include "files/RecentFiles.h"
#include "platform/qt/QtDesktopShell.h"
#include "platform/qt/QtFileServices.h"
#include "platform/qt/QtMenuItem.h"
#include "platform/qt/QtRegistry.h"
#include "support/PreferencesFixture.h"
#include "support/QtTestApp.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QMenu>

namespace {

QStringList Texts(const QMenu& Menu) {
    QStringList T;
    for (const QAction* A : Menu.actions())
        T << A->text() + (A->isEnabled() ? "" : " (disabled)");
    return T;
}

} // namespace

TEST(QtRecentMenu, ActionsShowTheCaptionsAndReportTheClickedIndex) {
    QtTestApp();
    QMenu Menu;
    TQtMenuItem Item(&Menu);
    TRecentFiles Recent;
    std::vector<std::string> Clicked;
    Recent.OnFileClick = [&](TObject*, const std::string& F) { Clicked.push_back(F); };
    Recent.SetNumFiles(10);
    Recent.SetMenuItem(&Item);
    EXPECT_EQ(Texts(Menu), QStringList{"<None> (disabled)"});

    for (const char* Name : {"/m/c.kxw", "/m/Rock & Roll.kxw", "/m/a.kxw"})
        Recent.AddFile(Name);
    // A "&" in a path is doubled, so Qt shows it instead of underlining the next letter.
    EXPECT_EQ(Texts(Menu),
              (QStringList{"1:  /m/a.kxw", "2:  /m/Rock && Roll.kxw", "3:  /m/c.kxw"}));
    Menu.actions().at(2)->trigger();
    Menu.actions().at(1)->trigger();
    EXPECT_EQ(Clicked, (std::vector<std::string>{"/m/c.kxw", "/m/Rock & Roll.kxw"}));

    // Reopening the chosen file rebuilds the menu while its action is being triggered.
    Recent.OnFileClick = [&](TObject*, const std::string& F) { Recent.AddFile(F); };
    Menu.actions().at(2)->trigger();
    EXPECT_EQ(Texts(Menu),
              (QStringList{"1:  /m/c.kxw", "2:  /m/a.kxw", "3:  /m/Rock && Roll.kxw"}));

    Recent.SetMenuItem(nullptr);
    EXPECT_TRUE(Menu.actions().isEmpty());
}

TEST(QtRecentMenu, MenuFreedByQtFirstLeavesTheListWorking) {
    QtTestApp();
    auto* Menu = new QMenu;
    TQtMenuItem Item(Menu);
    TRecentFiles Recent;
    Recent.SetNumFiles(10);
    Recent.SetMenuItem(&Item);
    Recent.AddFile("a");
    delete Menu;
    Recent.AddFile("b");
    EXPECT_EQ(Item.Count(), 2);
    EXPECT_EQ(Item.Menu(), nullptr);
}

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
    TQtDesktopShell Shell;
    TDesktopShell* Previous = SetDesktopShell(&Shell);
    const QByteArray OldData = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(Dir.File("data")));
    EXPECT_TRUE(RegisterFileType("kxw", "KOPLAR GE Projekt", "/opt/koplar/koplar"));
    OldData.isNull() ? qunsetenv("XDG_DATA_HOME") : qputenv("XDG_DATA_HOME", OldData);
    SetDesktopShell(Previous);
    EXPECT_NE(ReadFileText(Dir.File("data/icons/hicolor/scalable/apps/koplar.svg")).find("<svg"),
              std::string::npos);
    if (!Shell.HasTool("update-mime-database"))
        GTEST_SKIP() << "update-mime-database is not installed";
    // The database tool compiled the package into the type's own description.
    EXPECT_NE(
        ReadFileText(Dir.File("data/mime/application/x-koplar-kxw.xml")).find("KOPLAR GE Projekt"),
        std::string::npos);
    EXPECT_NE(ReadFileText(Dir.File("data/mime/globs2")).find("*.kxw"), std::string::npos);
}

TEST(QtFileServices, InstallsTheBackendsForTheirLifetime) {
    QtTestApp();
    TSeparatorGuard Keep('.');
    TDesktopShell* Before = SetDesktopShell(nullptr);
    {
        TQtFileServices Services;
        EXPECT_NE(dynamic_cast<TQtDesktopShell*>(&DesktopShell()), nullptr);
        EXPECT_NE(dynamic_cast<TQtRegistry*>(&Registry()), nullptr);
        EXPECT_EQ(FormatSettings().DecimalSeparator,
                  QLocale::system().decimalPoint().front().toLatin1());
    }
    EXPECT_EQ(SetDesktopShell(Before), nullptr);
}
