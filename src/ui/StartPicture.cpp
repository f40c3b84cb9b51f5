#include "ui/StartPicture.h"

#include "platform/JpegDecoder.h"

#include <algorithm>

extern const unsigned char KoplarStartPicture[];
extern const std::size_t KoplarStartPictureSize;

QImage DecodeJpegImage(const unsigned char* Data, std::size_t Size) {
    const auto Picture = DecodeJpeg(Data, Size);
    if (!Picture)
        return {};
    QImage Image(Picture->Width, Picture->Height, QImage::Format_RGB888);
    const int RowBytes = Picture->Width * 3;
    for (int Y = 0; Y < Picture->Height; ++Y)
        std::copy_n(Picture->Pixels.data() + static_cast<std::size_t>(Y) * RowBytes, RowBytes,
                    Image.scanLine(Y));
    return Image;
}

QImage StartPicture() {
    return DecodeJpegImage(KoplarStartPicture, KoplarStartPictureSize);
}

const unsigned char* StartPictureData() {
    return KoplarStartPicture;
}

std::size_t StartPictureSize() {
    return KoplarStartPictureSize;
}
