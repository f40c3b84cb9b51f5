// Every file of the fuzzing corpus through the reader: each one is read into a sound model or
// refused with a message, with the open mechanism left as it was.
#include "files/FileReaderWriterRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

TEST(FileReaderCorpusTest, EveryCorpusFileLoadsSafelyOrIsRefused) {
    std::vector<std::filesystem::path> Files;
    for (const auto& Entry :
         std::filesystem::directory_iterator(KOPLAR_TEST_DATA_DIR "/../fuzz/corpus"))
        Files.push_back(Entry.path());
    std::sort(Files.begin(), Files.end());
    ASSERT_GE(Files.size(), 8u);
    for (const auto& File : Files) {
        SCOPED_TRACE(File.filename().string());
        TFileRig Rig;
        Rig.BuildSample();
        const std::string Before = Rig.Parser.WriteDocumentText(true);
        TLoadResult Result = Rig.Parser.LoadFromFile(File.string());
        if (Result) {
            EXPECT_TRUE(ModelIsConsistent(Rig.D()));
            EXPECT_NE(Rig.D().Rack(), nullptr);
            // What was read writes and reads back to the same model.
            const std::string Text = Rig.Parser.WriteDocumentText(true);
            const std::string Again = Rig.Dir.File("again.kxw");
            ASSERT_TRUE(Rig.Parser.SaveToFile(Again));
            ASSERT_TRUE(Rig.Parser.LoadFromFile(Again));
            EXPECT_EQ(Rig.Parser.WriteDocumentText(true), Text);
        } else {
            EXPECT_FALSE(Result.Message.empty());
            EXPECT_EQ(Rig.Parser.WriteDocumentText(true), Before);
        }
    }
}
