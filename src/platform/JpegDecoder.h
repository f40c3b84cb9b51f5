// Decoding a JPEG picture held in memory into 8-bit RGB pixels, through libjpeg. Damaged input is
// an error returned to the caller, never the end of the program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TRgbPicture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint8_t> Pixels; // rows top to bottom, three bytes per pixel
};

// The picture, or nothing with the reason in Error (when given). A truncated picture is an error
// too: libjpeg would otherwise pad it with grey.
std::optional<TRgbPicture> DecodeJpeg(const unsigned char* Data, std::size_t Size,
                                      std::string* Error = nullptr);
