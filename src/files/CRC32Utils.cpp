#include "files/CRC32Utils.h"

std::uint32_t StrCRC32Seed(std::string_view Text, std::uint32_t Seed) {
    std::uint32_t Crc = Seed;
    for (const char C : Text)
        Crc = (Crc >> 8) ^ CRC32Table[(Crc ^ static_cast<unsigned char>(C)) & 0xFF];
    return Crc;
}

std::uint32_t StrCRC32(std::string_view Text) {
    return StrCRC32Seed(Text, 0x0000FFFF);
}
