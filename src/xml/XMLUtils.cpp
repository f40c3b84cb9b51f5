#include "xml/XMLUtils.h"

#include "platform/TextFile.h"

#include <array>
#include <charconv>
#include <stdexcept>

namespace {

char UpCase(char C) {
    return (C >= 'a' && C <= 'z') ? static_cast<char>(C - 'a' + 'A') : C;
}

bool IsTrimmed(char C) {
    return static_cast<unsigned char>(C) <= 32;
}

// The HTML 4 Latin-1 entity names of the codes 160 to 255.
constexpr std::array<const char*, 96> Latin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

bool IsNumericallyEncoded(char32_t C) {
    return C <= 31 || C == 33 || C == 35 || C == 36 || C == 37 || C == 39 || (C >= 91 && C <= 96) ||
           (C >= 123 && C <= 159);
}

// A decimal integer with an optional sign, in the range of a 32-bit integer.
std::int32_t ParseInteger(std::string_view S) {
    const bool Plus = S.starts_with('+');
    const std::string_view Digits = Plus ? S.substr(1) : S;
    std::int32_t Value = 0;
    const char* End = Digits.data() + Digits.size();
    auto [Ptr, Ec] = std::from_chars(Digits.data(), End, Value);
    if (Digits.empty() || (Plus && Digits.front() == '-') || Ec != std::errc() || Ptr != End)
        throw std::invalid_argument("'" + std::string(S) + "' ist kein gültiger Integerwert");
    return Value;
}

std::uint16_t NamedEntityToChar(std::string_view Name) {
    const std::string Upper = UpperCaseASCII(Name);
    if (Upper == "QUOT")
        return 34;
    if (Upper == "AMP")
        return 38;
    if (Upper == "LT")
        return 60;
    if (Upper == "GT")
        return 62;
    if (Upper == "EURO")
        return 0x20AC;
    // Letter pairs share one upper-case form: only the exact capital name gives the capital.
    std::uint16_t Found = 0;
    for (std::size_t I = 0; I < Latin1Names.size(); ++I) {
        if (UpperCaseASCII(Latin1Names[I]) != Upper)
            continue;
        Found = static_cast<std::uint16_t>(160 + I);
        if (Name == Latin1Names[I])
            return Found;
    }
    return Found;
}

// Replacing one character cannot form a new occurrence, so one pass replaces every one.
std::string ReplaceChar(std::string_view S, char Old, std::string_view New, bool IgnoreCase) {
    const auto Fold = [IgnoreCase](char C) { return IgnoreCase ? UpCase(C) : C; };
    std::string Result;
    Result.reserve(S.size());
    for (const char C : S)
        if (Fold(C) == Fold(Old))
            Result += New;
        else
            Result += C;
    return Result;
}

} // namespace

bool IsSameText(std::string_view A, std::string_view B) {
    if (A.size() != B.size())
        return false;
    for (std::size_t I = 0; I < A.size(); ++I)
        if (UpCase(A[I]) != UpCase(B[I]))
            return false;
    return true;
}

std::string UpperCaseASCII(std::string_view S) {
    std::string R(S);
    for (char& C : R)
        C = UpCase(C);
    return R;
}

std::string_view TrimView(std::string_view S) {
    std::size_t First = 0, Last = S.size();
    while (First < Last && IsTrimmed(S[First]))
        ++First;
    while (Last > First && IsTrimmed(S[Last - 1]))
        --Last;
    return S.substr(First, Last - First);
}

std::string Trim(std::string_view S) {
    return std::string(TrimView(S));
}

std::string StrPart(std::string_view S, std::string_view Sub, bool Before, bool EmptyIfAbsent) {
    const std::size_t P = Sub.empty() ? std::string_view::npos : S.find(Sub);
    if (P == std::string_view::npos)
        return EmptyIfAbsent ? std::string() : std::string(S);
    return std::string(Before ? S.substr(0, P) : S.substr(P + Sub.size()));
}

std::string ReplaceSubStr(std::string_view S, std::string_view Old, std::string_view New,
                          bool ReplaceAll, bool IgnoreCase) {
    if (ReplaceAll && Old.size() == 1)
        return ReplaceChar(S, Old.front(), New, IgnoreCase);
    std::string Result(S);
    if (Old.empty())
        return Result;
    const std::string Needle = IgnoreCase ? UpperCaseASCII(Old) : std::string(Old);
    const auto Fold = [IgnoreCase](std::string_view T) {
        return IgnoreCase ? UpperCaseASCII(T) : std::string(T);
    };
    // Each search starts at the beginning again; the text in front of a replacement held no
    // match, so the search may resume just before it. When New holds Old itself that would never
    // end, so then one left-to-right pass is made instead.
    const bool SinglePass = Fold(New).find(Needle) != std::string::npos;
    std::string Folded = Fold(Result);
    std::size_t From = 0;
    for (;;) {
        const std::size_t P = Folded.find(Needle, From);
        if (P == std::string::npos)
            break;
        Result.replace(P, Old.size(), New);
        Folded.replace(P, Old.size(), Fold(New));
        if (!ReplaceAll)
            break;
        From = SinglePass ? P + New.size() : (P >= Old.size() ? P - Old.size() + 1 : 0);
    }
    return Result;
}

std::string CharToEntity(char32_t C) {
    switch (C) {
    case 34:
        return "&quot;";
    case 38:
        return "&amp;";
    case 60:
        return "&lt;";
    case 62:
        return "&gt;";
    default:
        break;
    }
    if (IsNumericallyEncoded(C))
        return "&#" + std::to_string(static_cast<unsigned>(C)) + ";";
    if (C >= 160 && C <= 255)
        return std::string("&") + Latin1Names[C - 160] + ";";
    std::string R;
    AppendUTF8(R, C);
    return R;
}

std::uint16_t EntityToChar(std::string_view E) {
    if (!E.empty() && E.front() == '&')
        E.remove_prefix(1);
    if (!E.empty() && E.back() == ';')
        E.remove_suffix(1);
    if (E.empty())
        return 0;
    if (E.front() == '#')
        return static_cast<std::uint16_t>(static_cast<std::uint32_t>(ParseInteger(E.substr(1))));
    return NamedEntityToChar(E);
}

std::string EncodeEntities(std::string_view S) {
    std::string R;
    std::size_t Pos = 0;
    while (Pos < S.size()) {
        const std::size_t Start = Pos;
        char32_t C = 0;
        if (NextUTF8(S, Pos, C))
            R += CharToEntity(C);
        else
            R.append(S.substr(Start, Pos - Start)); // not UTF-8: passed on as it is
    }
    return R;
}

std::string DecodeEntities(std::string_view S) {
    std::string Result;
    std::string_view Rest = S;
    std::size_t Amp;
    while ((Amp = Rest.find('&')) != std::string_view::npos) {
        Result.append(Rest.substr(0, Amp));
        Rest.remove_prefix(Amp + 1);
        const std::size_t Semi = Rest.find(';');
        const std::string_view Name =
            Semi == std::string_view::npos ? std::string_view() : Rest.substr(0, Semi);
        Rest = Semi == std::string_view::npos ? std::string_view() : Rest.substr(Semi + 1);
        if (const std::uint16_t C = EntityToChar(Name))
            AppendUTF8(Result, C);
    }
    Result.append(Rest);
    return Result;
}

std::string EscapeMarkup(std::string_view S, bool Quotes) {
    std::string R;
    R.reserve(S.size());
    for (const char C : S) {
        switch (C) {
        case '&':
            R += "&amp;";
            break;
        case '<':
            R += "&lt;";
            break;
        case '>':
            R += "&gt;";
            break;
        case '"':
            R += Quotes ? "&quot;" : "\"";
            break;
        case '\r': // a raw line break would split the line, and the reader drops it
            R += "&#13;";
            break;
        case '\n':
            R += "&#10;";
            break;
        default:
            R += C;
        }
    }
    return R;
}

namespace {
// The character of a well-formed reference at the start of S ("&...;"), with its length.
bool MarkupReference(std::string_view S, char32_t& C, std::size_t& Length) {
    static constexpr std::pair<std::string_view, char> Named[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    for (const auto& [Ref, Char] : Named)
        if (S.starts_with(Ref)) {
            C = static_cast<unsigned char>(Char);
            Length = Ref.size();
            return true;
        }
    if (!S.starts_with("&#"))
        return false;
    std::size_t End = 2;
    std::uint32_t Code = 0;
    while (End < S.size() && End < 10 && S[End] >= '0' && S[End] <= '9')
        Code = Code * 10 + static_cast<std::uint32_t>(S[End++] - '0');
    const bool Valid = End > 2 && End < S.size() && S[End] == ';' && Code >= 1 &&
                       Code <= 0x10FFFF && (Code < 0xD800 || Code > 0xDFFF);
    if (!Valid)
        return false;
    C = Code;
    Length = End + 1;
    return true;
}
} // namespace

std::string UnescapeMarkup(std::string_view S) {
    std::string R;
    R.reserve(S.size());
    std::size_t Pos = 0;
    while (Pos < S.size()) {
        const std::size_t Amp = S.find('&', Pos);
        if (Amp == std::string_view::npos)
            break;
        R.append(S.substr(Pos, Amp - Pos));
        char32_t C = 0;
        std::size_t Length = 0;
        if (MarkupReference(S.substr(Amp), C, Length)) {
            AppendUTF8(R, C);
            Pos = Amp + Length;
        } else {
            R += '&';
            Pos = Amp + 1;
        }
    }
    R.append(S.substr(std::min(Pos, S.size())));
    return R;
}

std::size_t UTF16Length(std::string_view S) {
    std::size_t Length = 0, Pos = 0;
    while (Pos < S.size()) {
        char32_t C = 0;
        NextUTF8(S, Pos, C);
        Length += C >= 0x10000 ? 2 : 1;
    }
    return Length;
}
