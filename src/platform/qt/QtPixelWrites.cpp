#include "platform/qt/QtPixelWrites.h"

#include <algorithm>
#include <cstring>

namespace QtPixelWrites {

namespace {

// Rows of an image through its first pixel: scanLine checks for sharing at every call.
template <typename TPixel> class TRows {
public:
    template <typename TImage>
    explicit TRows(TImage& Image)
        : FBits(reinterpret_cast<TPixel*>(Image.bits())), FStride(Image.bytesPerLine() / 4) {}
    TPixel* operator[](int Y) const { return FBits + Y * FStride; }

private:
    TPixel* FBits;
    qsizetype FStride;
};

} // namespace

bool Writable(const QImage& Image, const QRect& Area) {
    const QImage::Format F = Image.format();
    return (F == QImage::Format_RGB32 || F == QImage::Format_ARGB32 ||
            F == QImage::Format_ARGB32_Premultiplied) &&
           Image.rect().contains(Area);
}

void Fill(QImage& Target, const QRect& Area, QRgb Rgb) {
    const QRgb Value = Rgb | 0xFF000000;
    const TRows<QRgb> Rows(Target);
    // White, the usual background, is one byte repeated: the library's byte fill is the fastest.
    const bool White = Value == 0xFFFFFFFF;
    const std::size_t Bytes = static_cast<std::size_t>(Area.width()) * sizeof(QRgb);
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
        if (White)
            std::memset(Rows[Y] + Area.left(), 0xFF, Bytes);
        else
            std::fill_n(Rows[Y] + Area.left(), Area.width(), Value);
}

void CopyAll(QImage& Target, QPoint At, const QImage& Source) {
    const int Width = Source.width();
    const int Height = Source.height();
    const std::size_t Bytes = static_cast<std::size_t>(Width) * sizeof(QRgb);
    const TRows<QRgb> To(Target);
    const TRows<const QRgb> From(Source);
    QRgb* First = To[At.y()] + At.x();
    for (int Y = 0; Y < Height; ++Y)
        std::memcpy(First + (To[Y] - To[0]), From[Y], Bytes);
}

void CopyRuns(QImage& Target, QPoint At, const QImage& Source, const std::vector<TRun>& Runs) {
    const TRows<QRgb> To(Target);
    const TRows<const QRgb> From(Source);
    for (const TRun& R : Runs)
        std::memcpy(To[At.y() + R.Y] + At.x() + R.X, From[R.Y] + R.X,
                    static_cast<std::size_t>(R.Length) * sizeof(QRgb));
}

std::optional<std::vector<TRun>> OpaqueRuns(const QImage& Image) {
    std::vector<TRun> Runs;
    const TRows<const QRgb> Rows(Image);
    for (int Y = 0; Y < Image.height(); ++Y) {
        const QRgb* Line = Rows[Y];
        for (int X = 0; X < Image.width();) {
            if (qAlpha(Line[X]) == 0) {
                ++X;
                continue;
            }
            const int Start = X;
            for (; X < Image.width() && qAlpha(Line[X]) != 0; ++X)
                if (qAlpha(Line[X]) != 255)
                    return std::nullopt;
            Runs.push_back(TRun{Y, Start, X - Start});
        }
    }
    return Runs;
}

} // namespace QtPixelWrites
