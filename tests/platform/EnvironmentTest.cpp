// The user's folders and the check whether a file can be replaced.
#include "platform/Environment.h"
#include "support/EnvGuard.h"
#include "support/ScratchDir.h"
#include "support/WriteProtection.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

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
    WriteFileText(Dir.File("protected.xml"), "x");
    fs::permissions(Dir.File("protected.xml"), fs::perms::owner_read);
    TWriteProtectionInForce Protected;
    EXPECT_FALSE(CanReplaceFile(Dir.File("protected.xml")));
    fs::create_directory(Dir.File("closed"));
    fs::permissions(Dir.File("closed"), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(CanReplaceFile(Dir.File("closed/new.xml")));
    EXPECT_TRUE(CanReplaceFile(Dir.File("new.xml")));
}
