#include "support/ScratchDir.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

TScratchDir::TScratchDir() {
    std::string Template = (fs::temp_directory_path() / "koplar-test-XXXXXX").string();
    if (!mkdtemp(Template.data()))
        throw std::runtime_error("no temporary folder");
    FPath = Template;
}

TScratchDir::~TScratchDir() {
    std::error_code Ec;
    const auto Open = [&](const fs::path& P) {
        fs::permissions(P, fs::perms::owner_all, fs::perm_options::add, Ec);
    };
    Open(FPath);
    for (const auto& E : fs::recursive_directory_iterator(FPath, Ec))
        Open(E.path());
    fs::remove_all(FPath, Ec);
}

std::vector<std::string> TScratchDir::Entries() const {
    std::vector<std::string> Names;
    for (const auto& E : fs::directory_iterator(FPath))
        Names.push_back(E.path().filename().string());
    std::sort(Names.begin(), Names.end());
    return Names;
}

std::string ReadFileText(const std::string& FileName) {
    std::ifstream In(FileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

void WriteFileText(const std::string& FileName, const std::string& Text) {
    std::ofstream Out(FileName, std::ios::binary | std::ios::trunc);
    Out << Text;
}
