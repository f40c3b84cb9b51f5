// The start window's background: our generated JPEG, compiled into the program, decoded from
// memory.
#pragma once

#include <QImage>

#include <cstddef>

// A null image when the data is no complete JPEG picture.
QImage DecodeJpegImage(const unsigned char* Data, std::size_t Size);
// The compiled-in picture, decoded.
QImage StartPicture();
// Its bytes as compiled in.
const unsigned char* StartPictureData();
std::size_t StartPictureSize();
