// Application settings for a test: a TPreferences with every default registered, installed as
// Preferences() for the lifetime of the object, the previous one back afterwards. Also a fresh
// temporary folder for the settings files a test writes.
#pragma once

#include "files/Preferences.h"
#include "platform/FormatSettings.h"

#include <filesystem>
#include <string>

class TPreferencesFixture {
public:
    TPreferencesFixture();
    ~TPreferencesFixture();
    TPreferencesFixture(const TPreferencesFixture&) = delete;
    TPreferencesFixture& operator=(const TPreferencesFixture&) = delete;

    TPreferences& Prefs() { return FPreferences; }

private:
    TPreferences FPreferences;
    TPreferences* FPrevious;
};

// Sets the decimal separator of the number texts for its lifetime.
class TSeparatorGuard {
public:
    explicit TSeparatorGuard(char C);
    ~TSeparatorGuard();
    TSeparatorGuard(const TSeparatorGuard&) = delete;
    TSeparatorGuard& operator=(const TSeparatorGuard&) = delete;

private:
    char FOld;
};

// A new empty folder, removed with everything in it at the end.
class TScratchDir {
public:
    TScratchDir();
    ~TScratchDir();
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;

    const std::filesystem::path& Path() const { return FPath; }
    // The path of Name inside the folder, as a string.
    std::string File(const std::string& Name) const { return (FPath / Name).string(); }

private:
    std::filesystem::path FPath;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadFileText(const std::string& FileName);
// Writes Text as the file's whole content.
void WriteFileText(const std::string& FileName, const std::string& Text);
