#include "support/ProcessLocale.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>

TProcessLocale::TProcessLocale(bool German) : FSaved(std::setlocale(LC_ALL, nullptr)) {
    FActive = German ? SetGerman() : std::setlocale(LC_ALL, "C") != nullptr;
}

TProcessLocale::~TProcessLocale() {
    std::setlocale(LC_ALL, FSaved.c_str());
}

bool TProcessLocale::SetGerman() {
    for (const char* Name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"})
        if (std::setlocale(LC_ALL, Name))
            return true;
    // The test run compiles one before the tests start; a test started by hand compiles its own.
    if (UseCompiledGerman(KOPLAR_GERMAN_LOCALE_DIR))
        return true;
    const std::string Command =
        "localedef -i de_DE -f UTF-8 '" + FLocaleDir.File("de_DE.UTF-8") + "' >/dev/null 2>&1";
    return std::system(Command.c_str()) == 0 && UseCompiledGerman(FLocaleDir.Path().string());
}

bool TProcessLocale::UseCompiledGerman(const std::string& Folder) {
    if (!std::filesystem::is_directory(std::filesystem::path(Folder) / "de_DE.UTF-8"))
        return false;
    FLocalePath.emplace("LOCPATH", Folder);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr &&
        std::localeconv()->decimal_point == std::string(","))
        return true;
    FLocalePath.reset();
    return false;
}
