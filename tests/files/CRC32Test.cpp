#include "files/CRC32Utils.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

TEST(CRC32Test, TableIsTheReflectedIeeePolynomials) {
    EXPECT_EQ(CRC32Table[0], 0x00000000u);
    EXPECT_EQ(CRC32Table[1], 0x77073096u);
    EXPECT_EQ(CRC32Table[128], 0xEDB88320u);
    EXPECT_EQ(CRC32Table[255], 0x2D02EF8Du);
}

TEST(CRC32Test, KnownValuesStartAtFFFFWithoutFinalInversion) {
    struct Case {
        const char* Text;
        std::uint32_t Crc;
    } Cases[] = {
        {"", 0x0000FFFFu},
        {"abc", 0xE7D9514Fu},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Text);
        EXPECT_EQ(StrCRC32(C.Text), C.Crc);
    }
}

TEST(CRC32Test, SeedContinuesAnEarlierRun) {
    EXPECT_EQ(StrCRC32Seed("c", StrCRC32("ab")), StrCRC32("abc"));
    // Started at all ones and inverted at the end, the same routine gives the usual CRC-32.
    EXPECT_EQ(~StrCRC32Seed("123456789", 0xFFFFFFFFu), 0xCBF43926u);
}

TEST(CRC32Test, SeesEveryByteOfAMultiByteCharacter) {
    // 'Q' and the 'ő' that shares its low byte in UTF-16 (U+0151) differ here.
    EXPECT_NE(StrCRC32("name=\"Q\""), StrCRC32("name=\"\xC5\x91\""));
    EXPECT_NE(StrCRC32("\xC5\x91"), StrCRC32("\xC5\x92"));
}

TEST(CRC32Test, LongTextsGiveTheByteByByteValue) {
    const auto ByteByByte = [](const std::string& Text, std::uint32_t Crc) {
        for (const char C : Text)
            Crc = (Crc >> 8) ^ CRC32Table[(Crc ^ static_cast<unsigned char>(C)) & 0xFF];
        return Crc;
    };
    std::mt19937 Gen(7);
    std::uniform_int_distribution<int> Byte(0, 255);
    std::string Text;
    for (std::size_t Length = 0; Length <= 70; ++Length) {
        SCOPED_TRACE(Length);
        const std::uint32_t Seed = Gen();
        EXPECT_EQ(StrCRC32Seed(Text, Seed), ByteByByte(Text, Seed));
        EXPECT_EQ(StrCRC32(Text), ByteByByte(Text, 0x0000FFFF));
        Text += static_cast<char>(Byte(Gen));
    }
}
