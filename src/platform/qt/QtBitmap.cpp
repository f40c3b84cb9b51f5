#include "platform/qt/QtBitmap.h"

#include "platform/qt/QtPixelWrites.h"

#include <algorithm>
#include <utility>

TQtBitmap::TQtBitmap(int Width, int Height) {
    SetSize(Width, Height);
}

void TQtBitmap::SetSize(int Width, int Height) {
    const QSize Size(std::max(0, Width), std::max(0, Height));
    if (Size == FSize && !FImage.isNull())
        return;
    FSize = Size;
    Allocate();
}

void TQtBitmap::SetPixelRatio(double Ratio) {
    // A ratio Qt would not give (nothing, or no number) leaves the picture as it is.
    if (!(Ratio > 0 && Ratio <= 16) || Ratio == FRatio)
        return;
    FRatio = Ratio;
    Allocate();
}

void TQtBitmap::Allocate() {
    FCanvas.Flush();
    FSpare = QImage();
    if (FSize.isEmpty()) {
        FImage = QImage();
        return;
    }
    FImage = QImage(QtPixelWrites::DeviceSize(FSize, FRatio), QImage::Format_RGB32);
    FImage.setDevicePixelRatio(FRatio);
    FImage.fill(Qt::white);
    FInk.Reset(FSize, qRgb(255, 255, 255));
    FSpareInk.Forget();
}

const QImage& TQtBitmap::Image() const {
    FCanvas.Flush();
    return FImage;
}

void TQtBitmap::Unshare() {
    if (FImage.isNull() || FImage.isDetached())
        return;
    FCanvas.Flush();
    std::swap(FImage, FSpare);
    std::swap(FInk, FSpareInk);
    if (FImage.isNull() || !FImage.isDetached() || FImage.size() != FSpare.size() ||
        FImage.format() != FSpare.format() ||
        FImage.devicePixelRatio() != FSpare.devicePixelRatio()) {
        FImage = QImage(FSpare.size(), FSpare.format());
        FImage.setDevicePixelRatio(FSpare.devicePixelRatio());
        FInk.Forget();
    }
}

QRegion TQtBitmap::ChangedSince(const QImage& Shown) const {
    FCanvas.Flush();
    if (Shown.isNull() || Shown.cacheKey() != FSpare.cacheKey() ||
        !FSpareInk.On(FSize, FInk.Background()) || !FInk.On(FSize, FInk.Background()))
        return QRegion(QRect(QPoint(0, 0), FSize));
    return FInk.Region() | FSpareInk.Region();
}

void TQtBitmap::TImageCanvas::FillRect(const TRect& R) {
    const QSize Size = FBitmap.FSize;
    if (Brush().Style != TBrushStyle::bsSolid || R.Left > 0 || R.Top > 0 ||
        R.Right < Size.width() || R.Bottom < Size.height()) {
        TQtCanvas::FillRect(R);
        return;
    }
    // A clear starts a repaint: what waits is drawn on the picture it was meant for.
    Flush();
    FBitmap.Unshare();
    const QRgb Background = ToQColor(Brush().Color).rgb();
    TQtInk& Ink = FBitmap.FInk;
    if (Ink.On(Size, Background)) {
        // Only where it was drawn on does the picture differ from the fill.
        for (const QRect& Inked : Ink.Region())
            FillRectNow(Rect(Inked.left(), Inked.top(), Inked.right() + 1, Inked.bottom() + 1));
    } else {
        FillRectNow(R);
    }
    Ink.Reset(Size, Background);
}

void TQtBitmap::TImageCanvas::Drawn(const QRect& Area) {
    FBitmap.FInk.Add(Area);
}
