// A fresh temporary folder per test, removed with everything in it afterwards, and small
// helpers to put bytes into files and take them out again.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

class TTempDir : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device Seed;
        FDir = std::filesystem::temp_directory_path() /
               ("koplar-test-" + std::to_string(Seed()) + "-" + std::to_string(Seed()));
        std::filesystem::create_directories(FDir);
    }
    void TearDown() override {
        std::error_code Ec;
        std::filesystem::permissions(FDir, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, Ec);
        std::filesystem::remove_all(FDir, Ec);
    }

    std::string Path(const std::string& Name) const { return (FDir / Name).string(); }

    static void WriteBytes(const std::string& File, const std::string& Bytes) {
        std::ofstream(File, std::ios::binary) << Bytes;
    }
    static std::string ReadBytes(const std::string& File) {
        std::ifstream In(File, std::ios::binary);
        return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
    }
    // The names in the folder, to see that no temporary file is left behind.
    std::vector<std::string> Entries() const {
        std::vector<std::string> Names;
        for (const auto& E : std::filesystem::directory_iterator(FDir))
            Names.push_back(E.path().filename().string());
        std::sort(Names.begin(), Names.end());
        return Names;
    }

    std::filesystem::path FDir;
};
