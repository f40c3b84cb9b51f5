// The Qt menu items behind the recent-file list.
#include "platform/qt/QtMenuItem.h"
#include "files/RecentFiles.h"
#include "support/QtTestApp.h"

#include <gtest/gtest.h>

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
