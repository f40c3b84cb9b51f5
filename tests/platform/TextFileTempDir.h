// The scratch folder as a test fixture: a fresh temporary folder per test (TScratchDir), with the
// byte-exact file helpers under the names the file-format tests use.
#pragma once

#include "support/ScratchDir.h"

#include <gtest/gtest.h>

#include <string>

class TTempDir : public ::testing::Test {
protected:
    std::string Path(const std::string& Name) const { return Dir.File(Name); }
    static void WriteBytes(const std::string& File, const std::string& Bytes) {
        WriteFileText(File, Bytes);
    }
    static std::string ReadBytes(const std::string& File) { return ReadFileText(File); }

    TScratchDir Dir;
};
