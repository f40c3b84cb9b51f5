// The off-screen picture over a QImage: the surface's buffer. Its canvas waits with the drawing
// until the picture is read, and it keeps the picture before as a spare, since that is often still
// shown when the next one is drawn.
#pragma once

#include "platform/Canvas.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtInk.h"

#include <QImage>
#include <QRegion>
#include <QSize>

class TQtBitmap : public TBitmap {
public:
    TQtBitmap(int Width, int Height);
    int Width() const override { return FSize.width(); }
    int Height() const override { return FSize.height(); }
    void SetSize(int Width, int Height) override;
    void SetPixelRatio(double Ratio) override;
    double PixelRatio() const { return FRatio; }
    TCanvas& Canvas() override { return FCanvas; }
    // The picture with every drawing call so far completed. A copy shares the pixels until the
    // bitmap draws again.
    const QImage& Image() const;
    // Where the picture now differs from Shown, when that is the picture before (shared with
    // it and drawn on no more): only where either was drawn on. Else all of it.
    QRegion ChangedSince(const QImage& Shown) const;

private:
    // Fills that cover the whole picture draw on a picture nobody else holds, without copying
    // the pixels they cover.
    // The drawing between two reads of the picture waits until the first read.
    class TImageCanvas : public TQtCanvas {
    public:
        explicit TImageCanvas(TQtBitmap& Bitmap) : TQtCanvas(&Bitmap.FImage), FBitmap(Bitmap) {
            DrawWhenFlushed();
        }
        void FillRect(const TRect& R) override;

    protected:
        void Drawn(const QRect& Area) override;

    private:
        TQtBitmap& FBitmap;
    };
    // Makes FImage one that no copy shares: the spare when that is free, else a new one.
    void Unshare();
    // A white picture of the size and ratio.
    void Allocate();

    QSize FSize; // in pixels; the image has the device pixels
    double FRatio = 1;
    QImage FImage;
    QImage FSpare; // the picture before, often still shown when the next one is drawn
    TQtInk FInk;
    TQtInk FSpareInk;
    mutable TImageCanvas FCanvas{*this};
};
