#include "files/FileTypeRegistration.h"

#include "platform/DesktopShell.h"
#include "platform/Environment.h"
#include "platform/TextFile.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace {

std::string XmlEscaped(const std::string& S) {
    std::string Out;
    for (char C : S) {
        switch (C) {
        case '&': Out += "&amp;"; break;
        case '<': Out += "&lt;"; break;
        case '>': Out += "&gt;"; break;
        case '"': Out += "&quot;"; break;
        default: Out += C;
        }
    }
    return Out;
}

std::string MimePackage(const std::string& Extension, const std::string& Description) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
           "  <mime-type type=\"" + XmlEscaped(FileTypeMimeType(Extension)) + "\">\n"
           "    <comment>" + XmlEscaped(Description) + "</comment>\n"
           "    <icon name=\"" + KoplarAppId + "\"/>\n"
           "    <glob pattern=\"*." + XmlEscaped(Extension) + "\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

std::string DesktopEntry(const std::string& Extension, const std::string& ProgramPath) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=KOPLAR GE\n"
           "Exec=" + DesktopExecArgument(ProgramPath) + " %f\n"
           "Icon=" + KoplarAppId + "\n"
           "MimeType=" + FileTypeMimeType(Extension) + ";\n"
           "Terminal=false\n";
}

std::vector<std::string> Lines(const std::string& Text) {
    std::vector<std::string> Result;
    std::size_t Start = 0;
    for (std::size_t End; (End = Text.find('\n', Start)) != std::string::npos; Start = End + 1)
        Result.push_back(Text.substr(Start, End - Start));
    if (Start < Text.size())
        Result.push_back(Text.substr(Start));
    return Result;
}

bool HoldsLines(const std::filesystem::path& Path, const std::vector<std::string>& Wanted) {
    std::error_code Ec;
    if (!std::filesystem::is_regular_file(Path, Ec))
        return false;
    try {
        return ReadTextFileLines(Path.string()) == Wanted;
    } catch (const EInOutError&) {
        return false;
    }
}

// Writes Content unless the file already holds exactly that; Changed tells whether it wrote.
bool Install(const std::filesystem::path& Path, const std::string& Content, bool& Changed) {
    Changed = false;
    const std::vector<std::string> Wanted = Lines(Content);
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
        case '\\': Out += "\\\\"; break;
        case '\n': Out += "\\n"; break;
        case '\t': Out += "\\t"; break;
        case '\r': Out += "\\r"; break;
        case '%': Out += "%%"; break;
        default: Out += C;
        }
    }
    return Out;
}

bool RegisterFileType(const std::string& Extension, const std::string& Description,
                      const std::string& ProgramPath) {
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
                         Icon, IconChanged) &&
                 Ok;
        if (MimeChanged)
            Ok = RunWhenInstalled("update-mime-database", Mime.string()) && Ok;
        if (DesktopChanged)
            Ok = RunWhenInstalled("update-desktop-database", Apps.string()) && Ok;
        return Ok;
    } catch (...) {
        // Start-up goes on without the association.
        return false;
    }
}
