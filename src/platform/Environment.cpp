#include "platform/Environment.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace {

std::string HomeDir() {
    std::string Home = GetEnvironmentVariable("HOME");
    if (Home.empty())
        if (const passwd* P = getpwuid(getuid()); P && P->pw_dir)
            Home = P->pw_dir;
    return Home;
}

std::string XdgDir(const char* Variable, const char* Fallback) {
    const std::string Dir = GetEnvironmentVariable(Variable);
    if (!Dir.empty() && Dir.front() == '/')
        return Dir;
    return HomeDir() + "/" + Fallback;
}

} // namespace

std::string ExecutablePath() {
    std::error_code Ec;
    auto P = std::filesystem::read_symlink("/proc/self/exe", Ec);
    return Ec ? std::string() : P.string();
}

std::string GetEnvironmentVariable(const std::string& Name) {
    const char* V = std::getenv(Name.c_str());
    return V ? V : "";
}

std::string UserConfigHome() {
    return XdgDir("XDG_CONFIG_HOME", ".config");
}

std::string UserDataHome() {
    return XdgDir("XDG_DATA_HOME", ".local/share");
}

bool MayWrite(const std::string& Path) {
    return faccessat(AT_FDCWD, Path.c_str(), W_OK, AT_EACCESS) == 0;
}

bool CanReplaceFile(const std::string& Path) {
    std::error_code Ec;
    const std::string Folder = std::filesystem::path(Path).parent_path().string();
    return IsWritableDirectory(Folder.empty() ? "." : Folder) &&
           (!std::filesystem::exists(Path, Ec) || MayWrite(Path));
}

bool IsWritableDirectory(const std::string& Path) {
    std::error_code Ec;
    return std::filesystem::is_directory(Path, Ec) && MayWrite(Path);
}
