#include "support/PreferencesFixture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

TPreferencesFixture::TPreferencesFixture() : FPrevious(SetPreferences(&FPreferences)) {}

TPreferencesFixture::~TPreferencesFixture() {
    SetPreferences(FPrevious);
}

TSeparatorGuard::TSeparatorGuard(char C) : FOld(FormatSettings().DecimalSeparator) {
    FormatSettings().DecimalSeparator = C;
}

TSeparatorGuard::~TSeparatorGuard() {
    FormatSettings().DecimalSeparator = FOld;
}

TScratchDir::TScratchDir() {
    std::string Template = (std::filesystem::temp_directory_path() / "koplar-test-XXXXXX").string();
    if (!mkdtemp(Template.data()))
        throw std::runtime_error("no temporary folder");
    FPath = Template;
}

TScratchDir::~TScratchDir() {
    std::error_code Ec;
    // Tests may leave read-only folders behind.
    for (const auto& E : std::filesystem::recursive_directory_iterator(FPath, Ec))
        std::filesystem::permissions(E.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, Ec);
    std::filesystem::remove_all(FPath, Ec);
}

std::string ReadFileText(const std::string& FileName) {
    std::ifstream In(FileName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

void WriteFileText(const std::string& FileName, const std::string& Text) {
    std::ofstream Out(FileName, std::ios::binary | std::ios::trunc);
    Out << Text;
}
