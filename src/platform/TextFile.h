// Text files of the settings store: read as lines, written by replacing the whole file at once.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A file that cannot be opened, read or written; the message is German and names the file.
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(const std::string& Message) : std::runtime_error(Message) {}
};

// The lines of a text file as UTF-8, without their line ends (CR LF, LF or a lone CR). A file
// that is not valid UTF-8 is read as Windows-1252; a leading UTF-8 byte-order mark is skipped.
// Throws EInOutError when the file cannot be read.
std::vector<std::string> ReadTextFileLines(const std::string& FileName);

// Writes the lines, each followed by LineEnd, as UTF-8 without a byte-order mark. The file is
// replaced atomically through a temporary file beside it: on any failure, also for a
// write-protected file, EInOutError is thrown with what stood in the way, and an existing file
// is untouched.
void WriteTextFileLines(const std::string& FileName, const std::vector<std::string>& Lines,
                        const std::string& LineEnd = "\r\n");
// Removes the temporary files that writes of this file left behind when their process was
// killed; those of a write still going on stay.
void RemoveStaleTemporaries(const std::string& FileName);

// Decodes the code point at Pos and moves Pos behind it. For a byte that starts no well-formed
// sequence (overlong, surrogate, beyond U+10FFFF, cut off) C is that byte and false is returned.
bool NextUTF8(std::string_view S, std::size_t& Pos, char32_t& C);
// Appends the UTF-8 form of C; surrogates and values beyond U+10FFFF become U+FFFD.
void AppendUTF8(std::string& Out, char32_t C);
