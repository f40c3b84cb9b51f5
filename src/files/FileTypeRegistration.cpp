#include "files/FileTypeRegistration.h"

#include "platform/DesktopShell.h"
#include "platform/Environment.h"
#include "platform/TextFile.h"
#include "xml/XMLUtils.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace {

using TLines = std::vector<std::string>;

TLines MimePackage(const std::string& Extension, const std::string& Description) {
    const std::string AppId = KoplarAppId;
    return {
        R"(<?xml version="1.0" encoding="UTF-8"?>)",
        R"(<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">)",
        R"(  <mime-type type=")" + EscapeMarkup(FileTypeMimeType(Extension), true) + R"(">)",
        "    <comment>" + EscapeMarkup(Description, false) + "</comment>",
        R"(    <icon name=")" + AppId + R"("/>)",
        R"(    <glob pattern="*.)" + EscapeMarkup(Extension, true) + R"("/>)",
        "  </mime-type>",
        "</mime-info>",
    };
}

TLines DesktopEntry(const std::string& Extension, const std::string& ProgramPath) {
    const std::string AppId = KoplarAppId;
    // clang-format off
    return {
        "[Desktop Entry]",
        "Type=Application",
        "Name=KOPLAR GE",
        "Exec=" + DesktopExecArgument(ProgramPath) + " %f",
        "Icon=" + AppId,
        "MimeType=" + FileTypeMimeType(Extension) + ";",
        "Terminal=false",
    };
    // clang-format on
}

TLines Lines(const std::string& Text) {
    TLines Result;
    std::size_t Start = 0;
    for (std::size_t End; (End = Text.find('\n', Start)) != std::string::npos; Start = End + 1)
        Result.push_back(Text.substr(Start, End - Start));
    if (Start < Text.size())
        Result.push_back(Text.substr(Start));
    return Result;
}

bool HoldsLines(const std::filesystem::path& Path, const TLines& Wanted) {
    std::error_code Ec;
    if (!std::filesystem::is_regular_file(Path, Ec))
        return false;
    try {
        return ReadTextFileLines(Path.string()) == Wanted;
    } catch (const EInOutError&) {
        return false;
    }
}

// Writes the lines unless the file already holds exactly that; Changed tells whether it wrote.
bool Install(const std::filesystem::path& Path, const TLines& Wanted, bool& Changed) {
    Changed = false;
    if (HoldsLines(Path, Wanted))
        return true;
    std::error_code Ec;
    std::filesystem::create_directories(Path.parent_path(), Ec);
    if (Ec)
        return false;
    try {
        WriteTextFileLines(Path.string(), Wanted, "\n");
    } catch (const EInOutError&) {
        return false;
    }
    Changed = true;
    return true;
}

bool RunWhenInstalled(const std::string& Tool, const std::string& Folder) {
    TDesktopShell& Shell = DesktopShell();
    return !Shell.HasTool(Tool) || Shell.RunTool(Tool, {Folder});
}

} // namespace

std::string FileTypeMimeType(const std::string& Extension) {
    return std::string("application/x-") + KoplarAppId + "-" + Extension;
}

std::string DesktopExecArgument(const std::string& ProgramPath) {
    // Inside the quotes ", `, $ and \ take a backslash; then the value's own escapes double every
    // backslash, and a literal % is written %% so that it is no field code.
    std::string Quoted = "\"";
    for (char C : ProgramPath) {
        if (C == '"' || C == '`' || C == '$' || C == '\\')
            Quoted += '\\';
        Quoted += C;
    }
    Quoted += '"';
    std::string Out;
    for (char C : Quoted) {
        switch (C) {
        case '\\':
            Out += "\\\\";
            break;
        case '\n':
            Out += "\\n";
            break;
        case '\t':
            Out += "\\t";
            break;
        case '\r':
            Out += "\\r";
            break;
        case '%':
            Out += "%%";
            break;
        default:
            Out += C;
        }
    }
    return Out;
}

bool RegisterFileType(const std::string& Extension, const std::string& Description,
                      const std::string& ProgramPath) {
    if (ProgramPath.empty())
        return false;
    try {
        const std::filesystem::path Data = UserDataHome();
        const std::filesystem::path Mime = Data / "mime";
        const std::filesystem::path Apps = Data / "applications";
        bool MimeChanged = false, DesktopChanged = false, IconChanged = false;
        bool Ok = Install(Mime / "packages" / (std::string(KoplarAppId) + ".xml"),
                          MimePackage(Extension, Description), MimeChanged);
        Ok = Install(Apps / (std::string(KoplarAppId) + ".desktop"),
                     DesktopEntry(Extension, ProgramPath), DesktopChanged) &&
             Ok;
        const std::string Icon = DesktopShell().ProgramIcon();
        if (!Icon.empty())
            Ok = Install(Data / "icons/hicolor/scalable/apps" / (std::string(KoplarAppId) + ".svg"),
                         Lines(Icon), IconChanged) &&
                 Ok;
        if (MimeChanged)
            Ok = RunWhenInstalled("update-mime-database", Mime.string()) && Ok;
        if (DesktopChanged)
            Ok = RunWhenInstalled("update-desktop-database", Apps.string()) && Ok;
        return Ok;
    } catch (const std::system_error&) {
        // A folder or file the system refused: start-up goes on without the association.
        return false;
    }
}
