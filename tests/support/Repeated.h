// Long inputs for parser tests, built from a piece of text.
#pragma once

#include <string>

// Piece, Times times over.
inline std::string Repeated(const std::string& Piece, int Times) {
    std::string R;
    for (int I = 0; I < Times; ++I)
        R += Piece;
    return R;
}
