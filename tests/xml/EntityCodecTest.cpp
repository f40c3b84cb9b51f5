#include "platform/TextFile.h"
#include "xml/XMLUtils.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {
std::string UTF8(char32_t C) {
    std::string R;
    AppendUTF8(R, C);
    return R;
}
} // namespace

TEST(EntityCodec, CharToEntityByCode) {
    struct Case {
        char32_t C;
        const char* Expected;
    };
    const Case Cases[] = {
        {'!', "&#33;"},   {'_', "&#95;"},
        {'\t', "&#9;"},   {1, "&#1;"},
        {'#', "&#35;"},   {'\'', "&#39;"},
        {'[', "&#91;"},   {'`', "&#96;"},
        {'{', "&#123;"},  {0x7F, "&#127;"},
        {0x9F, "&#159;"}, {'"', "&quot;"},
        {'&', "&amp;"},   {'<', "&lt;"},
        {'>', "&gt;"},    {160, "&nbsp;"},
        {163, "&pound;"}, {190, "&frac34;"},
        {198, "&AElig;"}, {223, "&szlig;"},
        {228, "&auml;"},  {255, "&yuml;"},
        {' ', " "},       {'(', "("},
        {'/', "/"},       {'9', "9"},
        {':', ":"},       {';', ";"},
        {'=', "="},       {'?', "?"},
        {'@', "@"},       {'Z', "Z"},
        {'z', "z"},       {0x20AC, "\xE2\x82\xAC"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(static_cast<unsigned>(C.C));
        EXPECT_EQ(CharToEntity(C.C), C.Expected);
    }
}

TEST(EntityCodec, EntityToChar) {
    struct Case {
        const char* E;
        std::uint16_t Expected;
    };
    const Case Cases[] = {
        {"", 0},          {"&", 0},        {"&;", 0},       {";", 0},        {"amp", 38},
        {"&amp;", 38},    {"&AMP;", 38},   {"Quot", 34},    {"lt", 60},      {"GT", 62},
        {"euro", 0x20AC}, {"&#65;", 65},   {"#+65", 65},    {"#65601", 65},  {"#-1", 0xFFFF},
        {"#0", 0},        {"Agrave", 192}, {"agrave", 224}, {"AGRAVE", 224}, {"aGrave", 224},
        {"ETH", 208},     {"eth", 240},    {"Eth", 240},    {"THORN", 222},  {"AElig", 198},
        {"AELIG", 230},   {"szlig", 223},  {"SZLIG", 223},  {"yuml", 255},   {"times", 215},
        {"TIMES", 215},   {"foo", 0},      {"apos", 0},     {"nbsp", 160},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.E);
        EXPECT_EQ(EntityToChar(C.E), C.Expected);
    }
    for (const char* Bad : {"#", "#x41", "#12a", "#4294967296", "#++1", "#+-1", "# 1"}) {
        SCOPED_TRACE(Bad);
        EXPECT_THROW(EntityToChar(Bad), std::invalid_argument);
    }
}

TEST(EntityCodec, EncodeAndDecodeEntities) {
    EXPECT_EQ(EncodeEntities("a<b & c"), "a&lt;b &amp; c");
    EXPECT_EQ(EncodeEntities("\xE2\x82\xAC\t\xC3\xA4"), "\xE2\x82\xAC&#9;&auml;");
    struct Case {
        const char *In, *Out;
    };
    const Case Cases[] = {
        {"x &amp; y", "x & y"},
        {"x &AMP; y", "x & y"},
        {"a &foo; b", "a  b"}, // an unknown name vanishes
        {"a & b", "a "},       // no ";" behind: the rest is dropped
        {"&#65;&#66;", "AB"},
        {"&#65601;", "A"},
        {"a&#0;b", "ab"},
        {"&Agrave;&agrave;", "\xC3\x80\xC3\xA0"},
        {"&&amp;", "&"},
        {"&euro;", "\xE2\x82\xAC"},
        {"&#55357;", "\xEF\xBF\xBD"}, // a lone surrogate cannot be UTF-8
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.In);
        EXPECT_EQ(DecodeEntities(C.In), C.Out);
    }
    EXPECT_THROW(DecodeEntities("a &#1x; b"), std::invalid_argument);
}

TEST(EntityCodec, EveryCodeFrom1To255RoundTrips) {
    for (char32_t C = 1; C <= 255; ++C) {
        SCOPED_TRACE(static_cast<unsigned>(C));
        const std::string Text = "x" + UTF8(C) + "y";
        EXPECT_EQ(DecodeEntities(EncodeEntities(Text)), Text);
    }
    const std::string Mixed = "Größe ≤ 5 € & \"Maß\" <Ölpumpe> 😀";
    EXPECT_EQ(DecodeEntities(EncodeEntities(Mixed)), Mixed);
}

TEST(EntityCodec, ComponentDelegatesToTheRoutines) {
    TComponent Owner;
    auto* Codec = new TXMLCodec(&Owner);
    EXPECT_EQ(Codec->Encode("<\xC3\xBC>"), "&lt;&uuml;&gt;");
    EXPECT_EQ(Codec->Decode("&lt;&uuml;&gt;"), "<\xC3\xBC>");
}
