#include "xml/ClosingTagIndex.h"
#include "xml/XMLUtils.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

bool StartsWithText(std::string_view S, std::size_t Pos, std::string_view Prefix) {
    return Pos <= S.size() && S.size() - Pos >= Prefix.size() &&
           IsSameText(S.substr(Pos, Prefix.size()), Prefix);
}

// The closing-tag search as the reader defines it: one scan of the text up to End.
std::size_t ScanForClosingTag(std::string_view Text, std::string_view Name, std::size_t From,
                              std::size_t End) {
    const std::string_view S = Text.substr(0, End);
    int Depth = 1;
    for (std::size_t I = From; I < S.size(); ++I) {
        if (S[I] != '<')
            continue;
        if (StartsWithText(S, I + 1, Name))
            ++Depth;
        if (StartsWithText(S, I + 1, "/") && StartsWithText(S, I + 2, Name))
            --Depth;
        if (Depth <= 0)
            return I;
    }
    return std::string_view::npos;
}

} // namespace

TEST(ClosingTagIndex, FindsWhatOneScanFinds) {
    // Short alphabets and names make every case frequent: longer names that begin with the
    // name, names cut off by the end, "</" that both opens and closes a name beginning with "/".
    const char Alphabet[] = "<</aAb>";
    const char* Names[] = {"a", "A", "ab", "b", "/a", "/", "a<", "ab>"};
    std::mt19937 Random(20240611);
    for (int Round = 0; Round < 400; ++Round) {
        std::string Text;
        const int Length = 1 + static_cast<int>(Random() % 60);
        for (int I = 0; I < Length; ++I)
            Text += Alphabet[Random() % (sizeof Alphabet - 1)];
        TClosingTagIndex Index(Text);
        std::size_t From = 0;
        for (int Query = 0; Query < 12; ++Query) {
            From += Random() % 6;
            const std::size_t End = From + Random() % (Text.size() + 3);
            const char* Name = Names[Random() % std::size(Names)];
            SCOPED_TRACE(Text + " / " + Name + " from " + std::to_string(From) + " to " +
                         std::to_string(End));
            ASSERT_EQ(Index.Find(Name, From, End), ScanForClosingTag(Text, Name, From, End));
        }
    }
}
