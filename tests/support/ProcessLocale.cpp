#include "support/ProcessLocale.h"

#include <clocale>
#include <cstdlib>

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
    const std::string Command =
        "localedef -i de_DE -f UTF-8 '" + FLocaleDir.File("de_DE.UTF-8") + "' >/dev/null 2>&1";
    if (std::system(Command.c_str()) != 0)
        return false;
    FLocalePath.emplace("LOCPATH", FLocaleDir.Path().string());
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr &&
           std::localeconv()->decimal_point == std::string(",");
}
