#include "support/EnvGuard.h"

#include <cstdlib>
#include <utility>

namespace {
void Put(const std::string& Name, const std::optional<std::string>& Value) {
    if (Value)
        setenv(Name.c_str(), Value->c_str(), 1);
    else
        unsetenv(Name.c_str());
}
} // namespace

TEnvGuard::TEnvGuard(std::string Name, const std::optional<std::string>& Value)
    : FName(std::move(Name)) {
    if (const char* Old = std::getenv(FName.c_str()))
        FOld = Old;
    Put(FName, Value);
}

TEnvGuard::~TEnvGuard() {
    Put(FName, FOld);
}

TUserFolders::TUserFolders(const std::string& Folder)
    : FFolder(Folder), FHome("HOME", Home()), FConfig("XDG_CONFIG_HOME", Config()),
      FData("XDG_DATA_HOME", Data()) {}
