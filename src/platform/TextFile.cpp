#include "platform/TextFile.h"

#include "platform/Environment.h"

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <filesystem>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Windows-1252 in the range 0x80..0x9F; the five unassigned bytes keep their code, as Windows does.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool IsValidUTF8(std::string_view S) {
    std::size_t Pos = 0;
    char32_t C = 0;
    while (Pos < S.size())
        if (!NextUTF8(S, Pos, C))
            return false;
    return true;
}

std::string Windows1252ToUTF8(std::string_view S) {
    std::string R;
    R.reserve(S.size() + S.size() / 8);
    for (const char Ch : S) {
        const auto B = static_cast<unsigned char>(Ch);
        AppendUTF8(R, (B >= 0x80 && B < 0xA0) ? Cp1252High[B - 0x80] : B);
    }
    return R;
}

std::vector<std::string> SplitLines(std::string_view S) {
    std::vector<std::string> Lines;
    std::size_t Start = 0;
    while (Start < S.size()) {
        const std::size_t End = S.find_first_of("\r\n", Start);
        if (End == std::string_view::npos) {
            Lines.emplace_back(S.substr(Start));
            break;
        }
        Lines.emplace_back(S.substr(Start, End - Start));
        Start = End + 1;
        if (S[End] == '\r' && Start < S.size() && S[Start] == '\n')
            ++Start;
    }
    return Lines;
}

// What stands in the way, for the error number of a failed step; empty when nothing more is
// known than that the step failed.
std::string WriteObstacle(int Error, bool InFolder) {
    switch (Error) {
    case EACCES:
    case EPERM:
        return InFolder ? " Im Ordner dürfen keine Dateien angelegt werden; beim Speichern wird "
                          "die Datei durch eine neue ersetzt, die dort entsteht."
                        : " Sie ist schreibgeschützt.";
    case EROFS:
        return " Der Datenträger ist schreibgeschützt.";
    case ENOENT:
    case ENOTDIR:
        return " Den Ordner gibt es nicht.";
    case EISDIR:
        return " Unter diesem Namen gibt es einen Ordner.";
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return " Auf dem Datenträger ist nicht genug Platz.";
    case ENAMETOOLONG:
        return " Der Name ist zu lang.";
    default:
        return {};
    }
}

[[noreturn]] void WriteError(const std::string& FileName, int Error, bool InFolder = false) {
    throw EInOutError("Die Datei \"" + FileName + "\" kann nicht geschrieben werden." +
                      WriteObstacle(Error, InFolder));
}

bool ReadAll(const std::string& FileName, std::string& Data) {
    const int Fd = ::open(FileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (Fd < 0)
        return false;
    char Buffer[65536];
    for (;;) {
        const ssize_t N = ::read(Fd, Buffer, sizeof Buffer);
        if (N < 0 && errno == EINTR)
            continue;
        if (N <= 0) {
            ::close(Fd);
            return N == 0;
        }
        Data.append(Buffer, static_cast<std::size_t>(N));
    }
}

bool WriteAll(int Fd, std::string_view Data) {
    while (!Data.empty()) {
        const ssize_t N = ::write(Fd, Data.data(), Data.size());
        if (N < 0 && errno == EINTR)
            continue;
        if (N <= 0)
            return false;
        Data.remove_prefix(static_cast<std::size_t>(N));
    }
    return true;
}

std::filesystem::path FolderOf(const std::filesystem::path& Target) {
    return Target.parent_path().empty() ? "." : Target.parent_path();
}

// The temporary files of a target begin with this: hidden, short whatever the target's length,
// and the target's own through a hash of its name.
std::string TemporaryPrefix(const std::filesystem::path& Target) {
    std::uint64_t Hash = 14695981039346656037ull; // FNV-1a
    for (const unsigned char C : Target.filename().string()) {
        Hash ^= C;
        Hash *= 1099511628211ull;
    }
    char Hex[16];
    char* End = std::to_chars(Hex, Hex + sizeof Hex, Hash, 16).ptr;
    return ".koplar-" + std::string(Hex, End) + "-";
}

constexpr const char* TemporarySuffix = ".tmp";

// A fresh file beside Target, created with the umask's permissions and locked for as long as
// this process holds it; -1 when none can be made.
int CreateTemporary(const std::filesystem::path& Target, std::string& TempName) {
    static unsigned Counter = 0;
    for (int Attempt = 0; Attempt < 100; ++Attempt) {
        TempName = (FolderOf(Target) / (TemporaryPrefix(Target) + std::to_string(::getpid()) + "-" +
                                        std::to_string(++Counter) + TemporarySuffix))
                       .string();
        const int Fd = ::open(TempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (Fd >= 0) {
            ::flock(Fd, LOCK_EX | LOCK_NB);
            return Fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

// Nobody holds the lock of a temporary file any more once its writer is gone.
void RemoveIfStale(const std::filesystem::path& Temp) {
    const int Fd = ::open(Temp.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (Fd < 0)
        return;
    if (::flock(Fd, LOCK_EX | LOCK_NB) == 0)
        ::unlink(Temp.c_str());
    ::close(Fd);
}

// The file a name stands for: a symbolic link is followed so that it stays a link.
std::filesystem::path ResolveTarget(const std::string& FileName) {
    std::error_code Ec;
    std::filesystem::path Target = FileName;
    if (std::filesystem::is_symlink(Target, Ec)) {
        const auto Resolved = std::filesystem::canonical(Target, Ec);
        if (!Ec)
            return Resolved;
    }
    return Target;
}

} // namespace

bool NextUTF8(std::string_view S, std::size_t& Pos, char32_t& C) {
    const auto Byte = [&](std::size_t I) { return static_cast<unsigned char>(S[I]); };
    const unsigned char B0 = Byte(Pos);
    C = B0;
    std::size_t Length = 0;
    char32_t Min = 0;
    if (B0 < 0x80) {
        ++Pos;
        return true;
    } else if ((B0 & 0xE0) == 0xC0) {
        Length = 2, Min = 0x80, C = B0 & 0x1F;
    } else if ((B0 & 0xF0) == 0xE0) {
        Length = 3, Min = 0x800, C = B0 & 0x0F;
    } else if ((B0 & 0xF8) == 0xF0) {
        Length = 4, Min = 0x10000, C = B0 & 0x07;
    }
    bool Valid = Length != 0 && Pos + Length <= S.size();
    for (std::size_t I = 1; Valid && I < Length; ++I) {
        Valid = (Byte(Pos + I) & 0xC0) == 0x80;
        C = (C << 6) | (Byte(Pos + I) & 0x3F);
    }
    Valid = Valid && C >= Min && C <= 0x10FFFF && (C < 0xD800 || C > 0xDFFF);
    if (!Valid) {
        C = B0;
        ++Pos;
        return false;
    }
    Pos += Length;
    return true;
}

void AppendUTF8(std::string& Out, char32_t C) {
    if (C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF))
        C = 0xFFFD;
    const auto Put = [&](char32_t V) { Out += static_cast<char>(V); };
    if (C < 0x80) {
        Put(C);
    } else if (C < 0x800) {
        Put(0xC0 | (C >> 6));
        Put(0x80 | (C & 0x3F));
    } else if (C < 0x10000) {
        Put(0xE0 | (C >> 12));
        Put(0x80 | ((C >> 6) & 0x3F));
        Put(0x80 | (C & 0x3F));
    } else {
        Put(0xF0 | (C >> 18));
        Put(0x80 | ((C >> 12) & 0x3F));
        Put(0x80 | ((C >> 6) & 0x3F));
        Put(0x80 | (C & 0x3F));
    }
}

std::vector<std::string> ReadTextFileLines(const std::string& FileName) {
    std::string Data;
    if (!ReadAll(FileName, Data))
        throw EInOutError("Die Datei \"" + FileName + "\" kann nicht gelesen werden.");
    std::string_view View = Data;
    if (View.starts_with("\xEF\xBB\xBF"))
        View.remove_prefix(3);
    if (IsValidUTF8(View))
        return SplitLines(View);
    return SplitLines(Windows1252ToUTF8(View));
}

void WriteTextFileLines(const std::string& FileName, const std::vector<std::string>& Lines,
                        const std::string& LineEnd) {
    std::string Data;
    for (const std::string& Line : Lines)
        Data.append(Line).append(LineEnd);

    const std::filesystem::path Target = ResolveTarget(FileName);
    // A write-protected file stays protected, although the folder would allow replacing it.
    if (::access(Target.c_str(), F_OK) == 0 && !MayWrite(Target.string()))
        WriteError(FileName, EACCES);
    RemoveStaleTemporaries(Target.string());
    std::string TempName;
    const int Fd = CreateTemporary(Target, TempName);
    if (Fd < 0)
        WriteError(FileName, errno, true);
    struct stat Old {};
    bool Ok = WriteAll(Fd, Data);
    // The replacement keeps the permissions of the file it replaces.
    if (Ok && ::stat(Target.c_str(), &Old) == 0)
        Ok = ::fchmod(Fd, Old.st_mode & 07777) == 0;
    Ok = Ok && ::fsync(Fd) == 0;
    int Error = Ok ? 0 : errno;
    if (::close(Fd) != 0 && Ok) {
        Ok = false;
        Error = errno;
    }
    if (Ok && ::rename(TempName.c_str(), Target.c_str()) != 0) {
        Ok = false;
        Error = errno;
    }
    if (!Ok) {
        ::unlink(TempName.c_str());
        WriteError(FileName, Error);
    }
    // Make the rename itself durable; a failure here no longer endangers either version.
    const std::filesystem::path Folder = FolderOf(Target);
    const int DirFd = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (DirFd >= 0) {
        ::fsync(DirFd);
        ::close(DirFd);
    }
}

void RemoveStaleTemporaries(const std::string& FileName) {
    const std::filesystem::path Target = ResolveTarget(FileName);
    const std::string Prefix = TemporaryPrefix(Target);
    std::error_code Ec;
    for (const auto& Entry : std::filesystem::directory_iterator(FolderOf(Target), Ec)) {
        const std::string Name = Entry.path().filename().string();
        if (Name.starts_with(Prefix) && Name.ends_with(TemporarySuffix))
            RemoveIfStale(Entry.path());
    }
}
