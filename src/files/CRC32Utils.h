// The CRC-32 with which the document manager tells whether the model changed: the reflected
// polynomial $EDB88320, started at $0000FFFF and without the final inversion, so its values are
// not those of the usual CRC-32. It only ever compares states within one run.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Entry i is i shifted right eight times, each shift followed by an exclusive or with the
// polynomial when the bit shifted out was 1.
constexpr std::array<std::uint32_t, 256> InitCRC32Table() {
    std::array<std::uint32_t, 256> Table{};
    for (std::uint32_t I = 0; I < Table.size(); ++I) {
        std::uint32_t C = I;
        for (int Bit = 0; Bit < 8; ++Bit)
            C = (C & 1) ? (C >> 1) ^ 0xEDB88320u : C >> 1;
        Table[I] = C;
    }
    return Table;
}

inline constexpr std::array<std::uint32_t, 256> CRC32Table = InitCRC32Table();

// The CRC of the text's bytes (UTF-8), started at Seed.
std::uint32_t StrCRC32Seed(std::string_view Text, std::uint32_t Seed);
// The CRC of the text's bytes started at $0000FFFF.
std::uint32_t StrCRC32(std::string_view Text);
