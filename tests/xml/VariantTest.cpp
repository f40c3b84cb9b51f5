#include "xml/Variant.h"
#include "support/PreferencesFixture.h"

#include <gtest/gtest.h>

#include <ostream>

// Readable failures: the type code and the text form.
void PrintTo(const TVariant& V, std::ostream* Os) {
    *Os << V.VarType() << ":\"" << V.AsString() << '"';
}

TEST(Variant, TextFormsFollowTheSettingsFile) {
    TSeparatorGuard Comma(',');
    struct Case {
        TVariant V;
        TVarType Type;
        const char* Text;
    } Cases[] = {
        {TVariant(), varEmpty, ""},
        {TVariant(-42), varInteger, "-42"},
        {TVariant::Byte(255), varByte, "255"},
        {TVariant::LongWord(4294967295u), varLongWord, "4294967295"},
        {TVariant(true), varBoolean, "True"},
        {TVariant(false), varBoolean, "False"},
        {TVariant(0.7853981633974483), varDouble, "0,785398163397448"},
        {TVariant(3.0543261909900767), varDouble, "3,05432619099008"},
        {TVariant(-2.5), varDouble, "-2,5"},
        {TVariant(100.0), varDouble, "100"},
        {TVariant(0.00001), varDouble, "0,00001"},
        {TVariant(1.5e-7), varDouble, "1,5E-7"},
        {TVariant(123456789012345.0), varDouble, "123456789012345"},
        {TVariant(1e20), varDouble, "1E20"},
        {TVariant(0.0), varDouble, "0"},
        {TVariant::Currency(1.25), varCurrency, "1,25"},
        {TVariant::Currency(0.5), varCurrency, "0,5"},
        {TVariant::Currency(2.0), varCurrency, "2"},
        {TVariant::Currency(-1.2345), varCurrency, "-1,2345"},
        {TVariant::Currency(0.00005), varCurrency, "0"}, // halves go to even
        {TVariant("a text"), varString, "a text"},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Text);
        EXPECT_EQ(C.V.VarType(), C.Type);
        EXPECT_EQ(C.V.AsString(), C.Text);
    }
    TSeparatorGuard Point('.');
    EXPECT_EQ(TVariant(0.7853981633974483).AsString(), "0.785398163397448");
    EXPECT_EQ(TVariant::Currency(1.25).AsString(), "1.25");
}

TEST(Variant, ConversionsRoundHalvesToEvenAndTrueIsMinusOne) {
    struct Case {
        TVariant V;
        int Integer;
        double Double;
        bool Boolean;
    } Cases[] = {
        {TVariant(2.5), 2, 2.5, true},
        {TVariant(3.5), 4, 3.5, true},
        {TVariant(-2.5), -2, -2.5, true},
        {TVariant::Currency(2.5), 2, 2.5, true},
        {TVariant::Currency(3.5), 4, 3.5, true},
        {TVariant::Currency(-3.5), -4, -3.5, true},
        {TVariant::Currency(1.25), 1, 1.25, true},
        {TVariant(true), -1, -1.0, true},
        {TVariant(false), 0, 0.0, false},
        {TVariant::Byte(0), 0, 0.0, false},
        {TVariant::LongWord(16777136), 16777136, 16777136.0, true},
        {TVariant(), 0, 0.0, false},
        {TVariant("12"), 12, 12.0, true},
        {TVariant("abc"), 0, 0.0, false},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.V.AsString());
        EXPECT_EQ(C.V.AsInteger(), C.Integer);
        EXPECT_DOUBLE_EQ(C.V.AsDouble(), C.Double);
        EXPECT_EQ(C.V.AsBoolean(), C.Boolean);
    }
    EXPECT_EQ(TVariant::Currency(1.25).AsCurrency(), TCurrency{12500});
    EXPECT_EQ(TVariant::LongWord(0xFFFFFFFF).AsLongWord(), 0xFFFFFFFFu);
}

TEST(Variant, TextsConvertWithinTheRangeOfTheirType) {
    TSeparatorGuard Comma(',');
    struct Case {
        const char* Text;
        TVarType Type;
        std::optional<TVariant> Expected;
    } Cases[] = {
        {"250", varInteger, TVariant(250)},
        {" -7 ", varInteger, TVariant(-7)},
        {"+7", varInteger, TVariant(7)},
        // A doubled sign is no number, in any type.
        {"+-5", varInteger, std::nullopt},
        {"++5", varInteger, std::nullopt},
        {"-+5", varInteger, std::nullopt},
        {"+-5", varByte, std::nullopt},
        {"+-5", varLongWord, std::nullopt},
        {"+-5", varDouble, std::nullopt},
        {"+-5", varCurrency, std::nullopt},
        {"+-1", varBoolean, std::nullopt},
        {"+2,5", varDouble, TVariant(2.5)},
        {"2147483647", varInteger, TVariant(2147483647)},
        {"2147483648", varInteger, std::nullopt},
        {"1.5", varInteger, std::nullopt},
        {"250", varByte, TVariant::Byte(250)},
        {"300", varByte, std::nullopt},
        {"-1", varByte, std::nullopt},
        {"4294967295", varLongWord, TVariant::LongWord(4294967295u)},
        {"4294967296", varLongWord, std::nullopt},
        {"abc", varInteger, std::nullopt},
        {"", varInteger, std::nullopt},
        {"", varDouble, std::nullopt},
        {"", varBoolean, std::nullopt},
        // A file written under another locale reads the same.
        {"0,785398163397448", varDouble, TVariant(0.785398163397448)},
        {"0.785398163397448", varDouble, TVariant(0.785398163397448)},
        {"1,5E-7", varDouble, TVariant(1.5e-7)},
        {"1.000,5", varDouble, std::nullopt},
        {"nan", varDouble, std::nullopt},
        {"1e999", varDouble, std::nullopt},
        {"1,25", varCurrency, TVariant::Currency(1.25)},
        {"1.25", varCurrency, TVariant::Currency(1.25)},
        {"1e30", varCurrency, std::nullopt},
        // Currency is read exactly, not through a double; a fifth decimal rounds halves to even.
        {"-922337203685477", varCurrency, TVariant::Currency(TCurrency{-9223372036854770000})},
        {"-922337203685477,5808", varCurrency, TVariant::Currency(TCurrency{INT64_MIN})},
        {"922337203685477,5808", varCurrency, std::nullopt},
        {"0,00015", varCurrency, TVariant::Currency(TCurrency{2})},
        {"0,00025", varCurrency, TVariant::Currency(TCurrency{2})},
        {"0,000250001", varCurrency, TVariant::Currency(TCurrency{3})},
        {"1,5E-3", varCurrency, TVariant::Currency(TCurrency{15})},
        {"-", varCurrency, std::nullopt},
        {"True", varBoolean, TVariant(true)},
        {"false", varBoolean, TVariant(false)},
        {"0", varBoolean, TVariant(false)},
        {"-1", varBoolean, TVariant(true)},
        {"ja", varBoolean, std::nullopt},
        {"x", varString, std::nullopt},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.Text) + " as " + std::to_string(C.Type));
        EXPECT_EQ(TVariant::FromText(C.Text, C.Type), C.Expected);
    }
}

TEST(Variant, EveryTypeRoundTripsThroughItsText) {
    for (char Sep : {',', '.'}) {
        TSeparatorGuard S(Sep);
        const TVariant Values[] = {TVariant(-123456),
                                   TVariant::Byte(17),
                                   TVariant::LongWord(16777136),
                                   TVariant(true),
                                   TVariant(0.17453292519943295),
                                   TVariant(-1.5e-300),
                                   TVariant::Currency(-123456789.0123),
                                   TVariant::Currency(TCurrency{INT64_MAX})};
        for (const TVariant& V : Values) {
            SCOPED_TRACE(V.AsString());
            const auto Back = TVariant::FromText(V.AsString(), V.VarType());
            ASSERT_TRUE(Back.has_value());
            // 15 significant digits: doubles come back to within their last digit.
            if (V.VarType() == varDouble)
                EXPECT_NEAR(Back->AsDouble() / V.AsDouble(), 1.0, 1e-14);
            else
                EXPECT_EQ(*Back, V);
        }
    }
}
