// The canvas over QPainter, drawing the way the GDI-based drawing code expects: no antialiasing,
// one-pixel lines without their last pixel, boxes with their right and bottom edge excluded,
// text anchored at its top-left corner. TQtBitmap is the off-screen picture over a QImage.
#pragma once

#include "platform/Canvas.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <memory>

class TQtCanvas : public TCanvas {
public:
    // Draws on Device with a painter of its own, begun at the first call.
    explicit TQtCanvas(QPaintDevice* Device);
    // Draws with a painter that someone else began and ends (a printer page).
    explicit TQtCanvas(QPainter& Painter);
    ~TQtCanvas() override;

    // Ends the own painter, so that the device may be read, resized or shown.
    void Flush();

    void Polyline(const std::vector<TPoint>& Points) override;
    void Polygon(const std::vector<TPoint>& Points) override;
    void Ellipse(int X1, int Y1, int X2, int Y2) override;
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) override;
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) override;
    void Rectangle(int X1, int Y1, int X2, int Y2) override;
    void FillRect(const TRect& R) override;
    void TextOut(int X, int Y, const std::string& Text) override;
    int TextWidth(const std::string& Text) override;
    int TextHeight(const std::string& Text) override;
    void SetPixel(int X, int Y, TColor Color) override;
    void Draw(int X, int Y, const TBitmap& Source) override;

    static QColor ToQColor(TColor C);
    QFont ToQFont() const;

protected:
    void DoLine(TPoint From, TPoint To) override;
    // Called after every drawing call (a screen canvas shows what was drawn).
    virtual void Drawn() {}

private:
    // The painter with the pen and brush in force; nullptr when there is nothing to draw on.
    QPainter* Begin(bool WithBrush);
    // A line with the pen in force, leaving out its last pixel whichever way it runs.
    void DrawSegment(QPainter& P, TPoint From, TPoint To) const;
    void ArcOrPie(bool IsPie, int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);

    QPaintDevice* FDevice = nullptr;
    std::unique_ptr<QPainter> FOwnPainter;
    QPainter* FPainter = nullptr; // the painter in use
};

class TQtBitmap : public TBitmap {
public:
    TQtBitmap(int Width, int Height);
    int Width() const override { return FImage.width(); }
    int Height() const override { return FImage.height(); }
    void SetSize(int Width, int Height) override;
    TCanvas& Canvas() override { return FCanvas; }
    // The picture with every drawing call so far completed.
    const QImage& Image() const;

private:
    QImage FImage;
    mutable TQtCanvas FCanvas{&FImage};
};
