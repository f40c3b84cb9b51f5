#include "platform/TextFile.h"
#include "platform/TextFileTempDir.h"
#include "support/WriteProtection.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <vector>

using TLines = std::vector<std::string>;

class TextFile : public TTempDir {};

TEST_F(TextFile, ReadsLinesWithAnyLineEnd) {
    struct Case {
        const char* Name;
        std::string Bytes;
        TLines Lines;
    };
    const Case Cases[] = {
        {"crlf", "a\r\nb\r\n", {"a", "b"}},
        {"lf", "a\nb\n", {"a", "b"}},
        {"lone cr", "a\rb", {"a", "b"}},
        {"mixed", "a\r\n\nb\r\r\nc", {"a", "", "b", "", "c"}},
        {"no end", "a\r\nb", {"a", "b"}},
        {"empty", "", {}},
        {"one empty line", "\r\n", {""}},
        {"bom", "\xEF\xBB\xBF<?xml?>\r\n", {"<?xml?>"}},
        {"utf-8",
         "Gr\xC3\xB6\xC3\x9F"
         "e \xE2\x82\xAC\n",
         {"Gr\xC3\xB6\xC3\x9F"
          "e \xE2\x82\xAC"}},
        {"windows-1252",
         "Gr\xF6\xDF"
         "e \x80\r\n\x81",
         {"Gr\xC3\xB6\xC3\x9F"
          "e \xE2\x82\xAC",
          "\xC2\x81"}},
        {"overlong is no utf-8", "\xC0\xAF\xE4", {"\xC3\x80\xC2\xAF\xC3\xA4"}},
        {"cut sequence", "ok \xC3", {"ok \xC3\x83"}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        WriteFileText(Path("in.txt"), C.Bytes);
        EXPECT_EQ(ReadTextFileLines(Path("in.txt")), C.Lines);
    }
}

TEST_F(TextFile, ReadingWhatCannotBeReadRaises) {
    for (const std::string& Name : {Path("missing.txt"), Dir.Path().string()}) {
        SCOPED_TRACE(Name);
        try {
            ReadTextFileLines(Name);
            ADD_FAILURE() << "no error";
        } catch (const EInOutError& E) {
            EXPECT_EQ(E.what(), "Die Datei \"" + Name + "\" kann nicht gelesen werden.");
        }
    }
}

TEST_F(TextFile, WritesUtf8WithTheLineEndAndNoBom) {
    WriteTextFileLines(Path("out.xml"), {"<?xml?>", "  <a>\xC3\xA4</a>", ""});
    EXPECT_EQ(ReadFileText(Path("out.xml")), "<?xml?>\r\n  <a>\xC3\xA4</a>\r\n\r\n");
    WriteTextFileLines(Path("lf.txt"), {"x", "y"}, "\n");
    EXPECT_EQ(ReadFileText(Path("lf.txt")), "x\ny\n");
    WriteTextFileLines(Path("none.txt"), {});
    EXPECT_EQ(ReadFileText(Path("none.txt")), "");
    EXPECT_EQ(Dir.Entries(), (TLines{"lf.txt", "none.txt", "out.xml"}));
}

TEST_F(TextFile, ReplacesAnExistingFileWholeAndKeepsItsPermissions) {
    WriteFileText(Path("s.xml"), std::string(10000, 'x'));
    ::chmod(Path("s.xml").c_str(), 0640);
    WriteTextFileLines(Path("s.xml"), {"neu"});
    EXPECT_EQ(ReadFileText(Path("s.xml")), "neu\r\n");
    struct stat St {};
    ASSERT_EQ(::stat(Path("s.xml").c_str(), &St), 0);
    EXPECT_EQ(St.st_mode & 07777, 0640u);
    EXPECT_EQ(Dir.Entries(), (TLines{"s.xml"}));
}

TEST_F(TextFile, WritesThroughASymbolicLink) {
    std::filesystem::create_directory(Dir.Path() / "real");
    WriteFileText(Path("real/s.xml"), "alt");
    std::filesystem::create_symlink(Dir.Path() / "real/s.xml", Dir.Path() / "link.xml");
    WriteTextFileLines(Path("link.xml"), {"neu"});
    EXPECT_TRUE(std::filesystem::is_symlink(Dir.Path() / "link.xml"));
    EXPECT_EQ(ReadFileText(Path("real/s.xml")), "neu\r\n");
}

TEST_F(TextFile, AFailedWriteRaisesAndLeavesEverythingAsItWas) {
    WriteFileText(Path("keep.xml"), "alt");
    std::filesystem::create_directory(Dir.Path() / "folder.xml");
    const struct {
        std::string Target;
        const char* Obstacle;
    } Cases[] = {{Path("no/such/folder/s.xml"), " Den Ordner gibt es nicht."},
                 {Path("folder.xml"), " Unter diesem Namen gibt es einen Ordner."},
                 {Path(std::string(256, 'n')), " Der Name ist zu lang."}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Target);
        try {
            WriteTextFileLines(C.Target, {"neu"});
            ADD_FAILURE() << "no error";
        } catch (const EInOutError& E) {
            EXPECT_EQ(E.what(),
                      "Die Datei \"" + C.Target + "\" kann nicht geschrieben werden." + C.Obstacle);
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(Dir.Path() / "folder.xml"));
    EXPECT_EQ(ReadFileText(Path("keep.xml")), "alt");
    EXPECT_EQ(Dir.Entries(), (TLines{"folder.xml", "keep.xml"}));
}

// Lowers the file size limit, so that writing beyond it fails as on a full disk; root is bound by
// it too. The signal the kernel sends for it is ignored meanwhile, so write() reports the error.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t Bytes) {
        ::getrlimit(RLIMIT_FSIZE, &FOld);
        FOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit Limit = FOld;
        Limit.rlim_cur = Bytes;
        ::setrlimit(RLIMIT_FSIZE, &Limit);
    }
    ~TFileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FOldHandler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit FOld{};
    void (*FOldHandler)(int) = nullptr;
};

TEST_F(TextFile, AWriteThatFailsHalfwayKeepsTheOldFile) {
    WriteFileText(Path("s.xml"), "alt");
    const TLines Big(1000, std::string(100, 'x'));
    bool Raised = false;
    {
        TFileSizeLimit Limit(4096);
        try {
            WriteTextFileLines(Path("s.xml"), Big);
        } catch (const EInOutError&) {
            Raised = true;
        }
    }
    EXPECT_TRUE(Raised);
    EXPECT_EQ(ReadFileText(Path("s.xml")), "alt");
    EXPECT_EQ(Dir.Entries(), (TLines{"s.xml"}));
}

// The message says what stands in the way: a writable file in a read-only folder cannot be
// replaced, since its replacement is made in the folder.
TEST_F(TextFile, ReadOnlyFilesAndFoldersKeepTheOldFile) {
    TWriteProtectionInForce Protected;
    WriteFileText(Path("s.xml"), "alt");
    const std::string Cannot = "Die Datei \"" + Path("s.xml") + "\" kann nicht geschrieben werden.";
    auto Refusal = [this] {
        try {
            WriteTextFileLines(Path("s.xml"), {"neu"});
        } catch (const EInOutError& E) {
            return std::string(E.what());
        }
        return std::string("no error");
    };
    ::chmod(Path("s.xml").c_str(), 0444);
    EXPECT_EQ(Refusal(), Cannot + " Sie ist schreibgeschützt.");
    EXPECT_EQ(ReadFileText(Path("s.xml")), "alt");
    ::chmod(Path("s.xml").c_str(), 0644);
    std::filesystem::permissions(Dir.Path(), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::owner_exec);
    EXPECT_EQ(Refusal(), Cannot + " Im Ordner dürfen keine Dateien angelegt werden; beim "
                                  "Speichern wird die Datei durch eine neue ersetzt, die dort "
                                  "entsteht.");
    EXPECT_EQ(ReadFileText(Path("s.xml")), "alt");
}

// The temporary file beside the target has a short name of its own, whatever the target's.
TEST_F(TextFile, ANameOfTheLongestLengthIsWritten) {
    const std::string Longest = std::string(251, 'n') + ".kxw";
    ASSERT_EQ(Longest.size(), 255u);
    WriteTextFileLines(Path(Longest), {"alt"});
    WriteTextFileLines(Path(Longest), {"neu"});
    EXPECT_EQ(ReadFileText(Path(Longest)), "neu\r\n");
    EXPECT_EQ(Dir.Entries(), (TLines{Longest}));
}
