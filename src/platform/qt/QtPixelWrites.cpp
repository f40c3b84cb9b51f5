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
    if (Area.width() * 4 == Target.bytesPerLine() && Value == 0xFFFFFFFF) {
        // Whole rows of white, the usual background: one byte fill, the fastest clear there is.
        std::memset(Rows[Area.top()], 0xFF,
                    static_cast<std::size_t>(Target.bytesPerLine()) *
                        static_cast<std::size_t>(Area.height()));
        return;
    }
    for (int Y = Area.top(); Y <= Area.bottom(); ++Y)
        std::fill_n(Rows[Y] + Area.left(), Area.width(), Value);
}

void CopyAll(QImage& Target, QPoint At, const QImage& Source) {
    const std::size_t Bytes = static_cast<std::size_t>(Source.width()) * sizeof(QRgb);
    const TRows<QRgb> To(Target);
    const TRows<const QRgb> From(Source);
    // The rows are far apart in a large picture: asked for all at once, they arrive together.
    for (int Y = 0; Y < Source.height(); ++Y) {
        __builtin_prefetch(To[At.y() + Y] + At.x(), 1);
        __builtin_prefetch(To[At.y() + Y] + At.x() + Source.width() - 1, 1);
    }
    for (int Y = 0; Y < Source.height(); ++Y)
        std::memcpy(To[At.y() + Y] + At.x(), From[Y], Bytes);
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
