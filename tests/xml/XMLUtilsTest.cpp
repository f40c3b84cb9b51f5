#include "xml/XMLUtils.h"

#include <gtest/gtest.h>

#include <string>

TEST(XMLUtils, IsSameTextFoldsAsciiOnly) {
    EXPECT_TRUE(IsSameText("data", "DATA"));
    EXPECT_TRUE(IsSameText("", ""));
    EXPECT_FALSE(IsSameText("data", "dat"));
    EXPECT_FALSE(IsSameText("straße", "STRASSE"));
    EXPECT_FALSE(IsSameText("ä", "Ä"));
    EXPECT_FALSE(IsSameText("[", "{")); // only letters fold, not the neighbouring codes
}

TEST(XMLUtils, TrimRemovesControlCharactersAndBlanks) {
    EXPECT_EQ(Trim(" \t\r\n a b \x01"), "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("\xC3\xA4"), "\xC3\xA4"); // UTF-8 bytes are not trimmed
}

TEST(XMLUtils, StrPart) {
    struct Case {
        const char *S, *Sub;
        bool Before, EmptyIfAbsent;
        const char* Expected;
    };
    const Case Cases[] = {
        {"a=b=c", "=", true, false, "a"},
        {"a=b=c", "=", false, false, "b=c"},
        {"abc", "=", true, true, ""},
        {"abc", "=", false, false, "abc"},
        {"abc", "", true, false, "abc"},
        {"abc", "", false, true, ""},
        {"=x", "=", true, true, ""},
        {"x=", "=", false, true, ""},
        {"key::value", "::", false, false, "value"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.S) + " at " + C.Sub);
        EXPECT_EQ(StrPart(C.S, C.Sub, C.Before, C.EmptyIfAbsent), C.Expected);
    }
}

TEST(XMLUtils, ReplaceSubStr) {
    struct Case {
        const char *S, *Old, *New;
        bool All, IgnoreCase;
        const char* Expected;
    };
    const Case Cases[] = {
        {"x\"y\"", "\"", "'", true, true, "x'y'"},
        {"x\"y\"", "\"", "'", false, true, "x'y\""},
        {"a\r\nb\r\n", "\n", "", true, false, "a\rb\r"},
        {"aAbB", "a", "-", true, false, "-AbB"},
        {"aAbB", "a", "-", true, true, "--bB"},
        {"xAx", "a", "Bb", true, true, "xBbx"},    // the replacement keeps its own case
        {"abc", "", "z", true, false, "abc"},      // an empty Old replaces nothing
        {"aab", "ab", "b", true, false, "b"},      // each search starts again from the front
        {"aaa", "a", "aa", true, false, "aaaaaa"}, // New holds Old: one pass, and it ends
        {"xAx", "a", "[A]", true, true, "x[A]x"},  // the same, ignoring case
        {"abab", "ab", "ab", true, false, "abab"},
        {"aaa", "a", "aa", false, false, "aaaa"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.S) + " / " + C.Old + " -> " + C.New);
        EXPECT_EQ(ReplaceSubStr(C.S, C.Old, C.New, C.All, C.IgnoreCase), C.Expected);
    }
}

TEST(XMLUtils, EscapeAndUnescapeMarkup) {
    EXPECT_EQ(EscapeMarkup("a<b & \"c\" > d", false), "a&lt;b &amp; \"c\" &gt; d");
    EXPECT_EQ(EscapeMarkup("\"q\"", true), "&quot;q&quot;");
    EXPECT_EQ(EscapeMarkup("a\r\nb\tc", false), "a&#13;&#10;b\tc");
    struct Case {
        const char *In, *Out;
    };
    const Case Cases[] = {
        {"&amp;&lt;&gt;&quot;&apos;", "&<>\"'"},
        {"&#65;&#228;&#8364;", "A\xC3\xA4\xE2\x82\xAC"},
        {"Tom & Jerry", "Tom & Jerry"}, // files written before escaping read the same
        {"&AMP; &foo; &#; &#x41; &#0; &#55296; &#1114112; &amp", "&AMP; &foo; &#; &#x41; &#0; "
                                                                 "&#55296; &#1114112; &amp"},
        {"&&amp;", "&&"},
        {"a&", "a&"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.In);
        EXPECT_EQ(UnescapeMarkup(C.In), C.Out);
    }
    const std::string Path = "C:\\Mechanismen & Co\\<neu> \"1\"\n.kxw";
    EXPECT_EQ(UnescapeMarkup(EscapeMarkup(Path, true)), Path);
}

TEST(XMLUtils, UTF16LengthCountsCodeUnits) {
    EXPECT_EQ(UTF16Length(""), 0u);
    EXPECT_EQ(UTF16Length("abc"), 3u);
    EXPECT_EQ(UTF16Length("\xC3\xA4\xE2\x82\xAC"), 2u); // ä €
    EXPECT_EQ(UTF16Length("\xF0\x9F\x98\x80"), 2u);     // a surrogate pair
    EXPECT_EQ(UTF16Length("\xFF"
                          "a"),
              2u); // a stray byte counts once
}
