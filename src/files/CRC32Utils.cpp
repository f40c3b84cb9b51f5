#include "files/CRC32Utils.h"

namespace {

// Slicing by eight: Slices[k][i] is the CRC of byte i followed by k zero bytes, so eight bytes
// fold into the register with eight independent look-ups instead of a chain of eight.
using TSlices = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr TSlices MakeSlices() {
    TSlices Slices{};
    Slices[0] = CRC32Table;
    for (std::size_t K = 1; K < Slices.size(); ++K)
        for (std::size_t I = 0; I < 256; ++I)
            Slices[K][I] = (Slices[K - 1][I] >> 8) ^ CRC32Table[Slices[K - 1][I] & 0xFF];
    return Slices;
}

constexpr TSlices Slices = MakeSlices();

std::uint32_t Byte(const char* P, int Index) {
    return static_cast<unsigned char>(P[Index]);
}

// Four bytes, the first one lowest, as the register takes them.
std::uint32_t Word(const char* P) {
    return Byte(P, 0) | Byte(P, 1) << 8 | Byte(P, 2) << 16 | Byte(P, 3) << 24;
}

} // namespace

std::uint32_t StrCRC32Seed(std::string_view Text, std::uint32_t Seed) {
    std::uint32_t Crc = Seed;
    const char* P = Text.data();
    std::size_t Left = Text.size();
    for (; Left >= 8; Left -= 8, P += 8) {
        const std::uint32_t Low = Crc ^ Word(P);
        const std::uint32_t High = Word(P + 4);
        Crc = Slices[7][Low & 0xFF] ^ Slices[6][(Low >> 8) & 0xFF] ^ Slices[5][(Low >> 16) & 0xFF] ^
              Slices[4][Low >> 24] ^ Slices[3][High & 0xFF] ^ Slices[2][(High >> 8) & 0xFF] ^
              Slices[1][(High >> 16) & 0xFF] ^ Slices[0][High >> 24];
    }
    for (; Left > 0; --Left, ++P)
        Crc = (Crc >> 8) ^ CRC32Table[(Crc ^ static_cast<unsigned char>(*P)) & 0xFF];
    return Crc;
}

std::uint32_t StrCRC32(std::string_view Text) {
    return StrCRC32Seed(Text, 0x0000FFFF);
}
