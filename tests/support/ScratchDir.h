// A fresh temporary folder for the files a test writes, and small helpers to put text into files
// and take it out again.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A new empty folder, removed with everything in it at the end (also when a test made parts of
// it read-only).
class TScratchDir {
public:
    TScratchDir();
    ~TScratchDir();
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    // The path of Name inside the folder, as a string.
    std::string File(const std::string& Name) const { return (FPath / Name).string(); }
    // The names directly inside the folder, sorted: shows that nothing was left behind.
    std::vector<std::string> Entries() const;

private:
    std::filesystem::path FPath;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadFileText(const std::string& FileName);
// Writes Text as the file's whole content.
void WriteFileText(const std::string& FileName, const std::string& Text);
