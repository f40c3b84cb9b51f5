#include "files/RecentFiles.h"
#include "platform/MenuItem.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

struct TSubItem {
    std::string Caption;
    bool Enabled;
    int Tag;
    friend bool operator==(const TSubItem&, const TSubItem&) = default;
    friend void PrintTo(const TSubItem& S, std::ostream* Os) {
        *Os << S.Caption << (S.Enabled ? "" : " (disabled)") << " #" << S.Tag;
    }
};

std::vector<TSubItem> SubItems(const TMenuItem& Menu) {
    std::vector<TSubItem> Result;
    for (int I = 0; I < Menu.Count(); ++I)
        Result.push_back(
            {Menu.Items(I)->Caption(), Menu.Items(I)->Enabled(), Menu.Items(I)->Tag()});
    return Result;
}

const TSubItem None{"<None>", false, -1};

// A registry in memory; keys compared as written.
class TMemoryRegistry : public TRegistry {
public:
    std::optional<std::string> ReadString(const std::string& Key,
                                          const std::string& Name) const override {
        auto It = Values.find(Key + "|" + Name);
        return It == Values.end() ? std::nullopt : std::optional(It->second);
    }
    bool WriteString(const std::string& Key, const std::string& Name,
                     const std::string& Value) override {
        Values[Key + "|" + Name] = Value;
        return true;
    }
    void DeleteKey(const std::string& Key) override {
        std::erase_if(Values, [&](const auto& V) { return V.first.starts_with(Key + "|"); });
        DeletedKeys.push_back(Key);
    }
    std::map<std::string, std::string> Values;
    std::vector<std::string> DeletedKeys;

private:
    TScopedService<TRegistry> FInstalled{RegistrySlot(), *this};
};

class TRecentFilesTest : public ::testing::Test {
protected:
    TRecentFilesTest() {
        Recent.SetNumFiles(10);
        Recent.SetMenuItem(&Menu);
        Recent.OnFileClick = [this](TObject* Sender, const std::string& FileName) {
            EXPECT_EQ(Sender, &Recent);
            Clicked.push_back(FileName);
        };
    }
    TMenuItem Menu;
    TRecentFiles Recent;
    std::vector<std::string> Clicked;
};

} // namespace

TEST_F(TRecentFilesTest, ListAndMenuFollowEveryChange) {
    struct Case {
        const char* What;
        int NumFiles;
        std::vector<std::string> Steps; // names to add; "-" clears the list
        std::vector<std::string> Files;
        std::vector<TSubItem> Menu;
    } Cases[] = {
        {"nothing added", 10, {}, {}, {None}},
        {"first name replaces <None>", 10, {"/m/a.kxw"}, {"/m/a.kxw"}, {{"1:  /m/a.kxw", true, 0}}},
        {"again moves to the top",
         10,
         {"/m/a.kxw", "/m/b.kxw", "/m/a.kxw"},
         {"/m/a.kxw", "/m/b.kxw"},
         {{"1:  /m/a.kxw", true, 0}, {"2:  /m/b.kxw", true, 1}}},
        {"letter case makes another file",
         10,
         {"/m/a.kxw", "/m/A.kxw"},
         {"/m/A.kxw", "/m/a.kxw"},
         {{"1:  /m/A.kxw", true, 0}, {"2:  /m/a.kxw", true, 1}}},
        {"an eleventh name drops the oldest",
         10,
         {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         {"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"},
         {}},
        {"NumFiles 0 keeps nothing", 0, {"/m/a.kxw"}, {}, {None}},
        {"Clear leaves the menu until the next name",
         10,
         {"/m/a.kxw", "-"},
         {},
         {{"1:  /m/a.kxw", true, 0}}},
        {"Clear then Add",
         10,
         {"/m/a.kxw", "-", "/m/b.kxw"},
         {"/m/b.kxw"},
         {{"1:  /m/b.kxw", true, 0}}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.What);
        Recent.Clear();
        Recent.SetNumFiles(C.NumFiles);
        for (const std::string& S : C.Steps)
            S == "-" ? Recent.Clear() : Recent.AddFile(S);
        EXPECT_EQ(Recent.Files(), C.Files);
        EXPECT_EQ(Recent.GetCount(), static_cast<int>(C.Files.size()));
        if (!C.Menu.empty())
            EXPECT_EQ(SubItems(Menu), C.Menu);
        else
            EXPECT_EQ(Menu.Count(), Recent.GetCount());
    }
}

TEST_F(TRecentFilesTest, RemoveAndIndexOfCompareExactly) {
    Recent.AddFile("/m/a.kxw");
    Recent.AddFile("/m/b.kxw");
    EXPECT_EQ(Recent.IndexOfFile("/m/a.kxw"), 1);
    EXPECT_EQ(Recent.IndexOfFile("/M/A.KXW"), -1);
    EXPECT_FALSE(Recent.RemoveFile("/m/B.kxw"));
    EXPECT_TRUE(Recent.RemoveFile("/m/b.kxw"));
    EXPECT_EQ(Recent.Files(), std::vector<std::string>{"/m/a.kxw"});
    Recent.SetNumFiles(0);
    EXPECT_EQ(SubItems(Menu), std::vector<TSubItem>{None});
}

TEST_F(TRecentFilesTest, ClickingASubItemReportsItsName) {
    for (const char* Name : {"c", "b", "a"})
        Recent.AddFile(Name);
    Menu.Items(2)->Click();
    EXPECT_EQ(Clicked, std::vector<std::string>{"c"});

    // After Clear the old sub-items are still shown, but their names are gone.
    Recent.Clear();
    Menu.Items(2)->Click();
    Recent.OnFileClick = nullptr;
    Recent.AddFile("d");
    Menu.Items(0)->Click();
    EXPECT_EQ(Clicked, std::vector<std::string>{"c"});
}

TEST_F(TRecentFilesTest, HandlerThatReopensTheFileMayRebuildTheMenu) {
    Recent.AddFile("b");
    Recent.AddFile("a");
    // Opening the chosen file adds it again, which frees the clicked sub-item.
    Recent.OnFileClick = [this](TObject*, const std::string& FileName) {
        Clicked.push_back(FileName);
        Recent.AddFile(FileName);
    };
    Menu.Items(1)->Click();
    EXPECT_EQ(Clicked, std::vector<std::string>{"b"});
    EXPECT_EQ(Recent.Files(), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(Menu.Items(0)->Caption(), "1:  b");
}

TEST_F(TRecentFilesTest, MenuChangesClearTheOldItemAndFreedItemsAreForgotten) {
    Recent.AddFile("a");
    auto Foreign = std::make_unique<TMenuItem>();
    TMenuItem* Placed = new TMenuItem(Foreign.get());
    Menu.Add(Placed);
    Recent.UpdateMenu(); // also the foreign sub-item goes
    EXPECT_EQ(SubItems(Menu), (std::vector<TSubItem>{{"1:  a", true, 0}}));
    EXPECT_EQ(Foreign->ComponentCount(), 0);

    auto Other = std::make_unique<TMenuItem>();
    Recent.SetMenuItem(Other.get());
    EXPECT_EQ(Menu.Count(), 0);
    EXPECT_EQ(SubItems(*Other), (std::vector<TSubItem>{{"1:  a", true, 0}}));
    Other.reset();
    EXPECT_EQ(Recent.MenuItem(), nullptr);
    Recent.AddFile("b"); // no menu any more: nothing to build
    EXPECT_EQ(Recent.GetCount(), 2);
}

TEST(RecentFilesRegistry, ListIsReadAtLoadAndWrittenAtDestruction) {
    TMemoryRegistry Registry;
    Registry.Values = {{"Software\\K\\RecentFiles|File0", "x"},
                       {"Software\\K\\RecentFiles|File1", "y"},
                       {"Software\\K\\RecentFiles|File2", ""},
                       {"Software\\K\\RecentFiles|File3", "after the gap"}};
    TMenuItem Menu;
    {
        TRecentFiles Recent;
        Recent.SetNumFiles(10);
        Recent.SetMenuItem(&Menu);
        Recent.SetRegKey("Software\\K");
        Recent.Loaded();
        EXPECT_EQ(Recent.Files(), (std::vector<std::string>{"x", "y"}));
        EXPECT_EQ(Menu.Count(), 2);
        Recent.AddFile("z");
    }
    EXPECT_EQ(Menu.Count(), 0);
    EXPECT_EQ(Registry.DeletedKeys, std::vector<std::string>{"Software\\K\\RecentFiles"});
    EXPECT_EQ(Registry.Values,
              (std::map<std::string, std::string>{{"Software\\K\\RecentFiles|File0", "z"},
                                                  {"Software\\K\\RecentFiles|File1", "x"},
                                                  {"Software\\K\\RecentFiles|File2", "y"}}));
}

TEST(RecentFilesRegistry, WithoutRegKeyTheRegistryIsNotUsed) {
    // No registry is installed: any use would assert.
    TRecentFiles Recent;
    Recent.SetNumFiles(3);
    Recent.Loaded();
    Recent.AddFile("a");
    EXPECT_EQ(Recent.GetCount(), 1);
}
