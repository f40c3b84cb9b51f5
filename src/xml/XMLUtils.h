// The string routines the settings reader and writer are built from: ASCII case-insensitive
// comparison, splitting at a separator, substring replacement, and the entity codec.
#pragma once

#include "platform/Component.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Equal after folding a-z to A-Z; no other character is folded ("ä" is not "Ä").
bool IsSameText(std::string_view A, std::string_view B);

// S with a-z folded to A-Z: the key of names that are compared with IsSameText.
std::string UpperCaseASCII(std::string_view S);

// Removes leading and trailing characters with a code of 32 or less.
std::string Trim(std::string_view S);
std::string_view TrimView(std::string_view S);

// The text in front of (Before) or behind the first Sub in S. When Sub is absent or empty:
// the empty string with EmptyIfAbsent, otherwise S itself.
std::string StrPart(std::string_view S, std::string_view Sub, bool Before, bool EmptyIfAbsent);

// Replaces the first Old (or, with ReplaceAll, every one) by New; IgnoreCase folds ASCII letters.
// An empty Old replaces nothing.
std::string ReplaceSubStr(std::string_view S, std::string_view Old, std::string_view New,
                          bool ReplaceAll, bool IgnoreCase);

// The entity text of one character code ("&lt;", "&#9;", "&auml;"), or the character itself
// in UTF-8 when the table leaves it alone (printable ASCII, 256 and up).
std::string CharToEntity(char32_t C);

// The 16-bit character code an entity names, with or without "&" and ";"; 0 when it names none.
// A numeric reference that is no integer throws std::invalid_argument.
std::uint16_t EntityToChar(std::string_view E);

// CharToEntity over every character of a UTF-8 text.
std::string EncodeEntities(std::string_view S);
// Replaces every "&name;" by its character: unknown names vanish, an "&" without a ";" behind
// it drops the rest. Throws std::invalid_argument for a numeric reference that is no integer.
std::string DecodeEntities(std::string_view S);

// The escaping of the settings file: "&", "<", ">", line breaks and, with Quotes, '"' become
// references.
std::string EscapeMarkup(std::string_view S, bool Quotes);
// Undoes EscapeMarkup: only well-formed &amp; &lt; &gt; &quot; &apos; and decimal &#N; are
// replaced; any other "&" stays as it stands, so files written without escaping read the same.
std::string UnescapeMarkup(std::string_view S);

// Length of a UTF-8 text in UTF-16 code units, the measure of line lengths in the writer.
std::size_t UTF16Length(std::string_view S);

// The entity codec as a component a TXMLParser can be given as its codec.
class TXMLCodec : public TComponent {
public:
    explicit TXMLCodec(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    virtual std::string Decode(const std::string& S) { return DecodeEntities(S); }
    virtual std::string Encode(const std::string& S) { return EncodeEntities(S); }
};
