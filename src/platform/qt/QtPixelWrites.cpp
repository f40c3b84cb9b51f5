#include "platform/qt/QtPixelWrites.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

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

// Edges at or below a device pixel's centre fall to the pixel before: how the painter fills
// boxes on a scaled device. Beyond the image anything does that keeps the order of edges.
int Edge(int Pixel, qreal Ratio) {
    const double Device = std::floor(Pixel * Ratio + 0.5);
    return static_cast<int>(std::clamp<double>(Device, -(1 << 30), 1 << 30));
}

} // namespace

TDeviceGrid::TDeviceGrid(qreal Ratio) : FRatio(Ratio), FPeriod(0) {
    for (int Q = 1; Q <= 8 && FPeriod == 0; ++Q)
        if (const double Span = Ratio * Q; Span == std::floor(Span) && Span >= 1)
            FPeriod = Q;
}

QPoint TDeviceGrid::Phase(QPoint P) const {
    if (FPeriod <= 1)
        return QPoint(0, 0);
    return QPoint((P.x() % FPeriod + FPeriod) % FPeriod, (P.y() % FPeriod + FPeriod) % FPeriod);
}

std::optional<QPoint> TDeviceGrid::Anchor(QPoint P) const {
    if (FPeriod == 0)
        return std::nullopt;
    const QPoint Start = P - Phase(P);
    // Multiples of the period: exact device pixels.
    const double X = Start.x() * FRatio;
    const double Y = Start.y() * FRatio;
    constexpr double Limit = std::numeric_limits<int>::max() / 2;
    if (std::fabs(X) > Limit || std::fabs(Y) > Limit)
        return std::nullopt;
    return QPoint(static_cast<int>(X), static_cast<int>(Y));
}

QRect TDeviceGrid::Fill(const QRect& Box) const {
    if (FRatio == 1)
        return Box;
    return QRect(QPoint(Edge(Box.left(), FRatio), Edge(Box.top(), FRatio)),
                 QPoint(Edge(Box.right() + 1, FRatio) - 1, Edge(Box.bottom() + 1, FRatio) - 1));
}

QRect TDeviceGrid::Cover(const QRect& Box) const {
    if (FRatio == 1 || Box.isEmpty())
        return Box;
    auto Down = [this](int V) { return static_cast<int>(std::floor(V / FRatio)); };
    auto Up = [this](int V) { return static_cast<int>(std::ceil(V / FRatio)); };
    return QRect(QPoint(Down(Box.left()), Down(Box.top())),
                 QPoint(Up(Box.right() + 1) - 1, Up(Box.bottom() + 1) - 1));
}

QRect TDeviceGrid::ThinLine(const QRect& Box, bool Vertical) const {
    const QRect Along = Fill(Box);
    if (FRatio == 1)
        return Along;
    const int Width = std::max(1, static_cast<int>(std::floor(FRatio + 0.5)));
    return Vertical ? QRect(Along.left(), Along.top(), Width, Along.height())
                    : QRect(Along.left(), Along.top(), Along.width(), Width);
}

QSize LogicalSize(const QImage& Image) {
    const qreal Ratio = Image.devicePixelRatio();
    if (Ratio == 1)
        return Image.size();
    // A hair below a whole pixel still counts as one: the device size was rounded up.
    return QSize(static_cast<int>(std::floor(Image.width() / Ratio + 1e-6)),
                 static_cast<int>(std::floor(Image.height() / Ratio + 1e-6)));
}

QSize DeviceSize(QSize Size, qreal Ratio) {
    if (Ratio == 1)
        return Size;
    return QSize(static_cast<int>(std::ceil(Size.width() * Ratio - 1e-6)),
                 static_cast<int>(std::ceil(Size.height() * Ratio - 1e-6)));
}

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
    if (Source.format() == QImage::Format_Indexed8) {
        const QList<QRgb> Table = Source.colorTable();
        const TRows<QRgb> To(Target);
        for (int Y = 0; Y < Height; ++Y) {
            const uchar* From = Source.constScanLine(Y);
            QRgb* Line = To[At.y() + Y] + At.x();
            for (int X = 0; X < Width; ++X)
                Line[X] = Table[From[X]];
        }
        return;
    }
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
