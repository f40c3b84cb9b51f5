// The canvas over QPainter, drawing the way the GDI-based drawing code expects: no antialiasing,
// one-pixel lines without their last pixel, boxes with their right and bottom edge excluded,
// text anchored at its top-left corner.
#pragma once

#include "platform/Canvas.h"
#include "platform/qt/QtBarCache.h"
#include "platform/qt/QtEllipseCache.h"
#include "platform/qt/QtPendingDrawing.h"
#include "platform/qt/QtPixelWrites.h"
#include "platform/qt/QtStrokeCache.h"
#include "platform/qt/QtTextCache.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <memory>
#include <optional>
#include <utility>

class TQtCanvas : public TCanvas {
public:
    // Draws on Device with a painter of its own, begun at the first call.
    explicit TQtCanvas(QPaintDevice* Device);
    // Draws with a painter that someone else began and ends (a printer page).
    explicit TQtCanvas(QPainter& Painter);
    ~TQtCanvas() override;

    // Completes the drawing calls so far and ends the own painter, so that the device may be
    // read, resized or shown.
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

protected:
    void DoLine(TPoint From, TPoint To) override;
    // Called after every drawing call with a box around all it may have drawn (a screen canvas
    // shows what was drawn, a picture remembers where it has ink).
    virtual void Drawn(const QRect&) {}
    // From now on drawing calls wait until Flush; only for a canvas that draws on its own image,
    // which nobody reads without flushing it first.
    void DrawWhenFlushed() { FDefers = true; }
    // Fills at once, even while drawing calls wait.
    void FillRectNow(const TRect& R);

private:
    struct TState {
        TPen Pen;
        TBrush Brush;
        TFont Font;
        bool TextTransparent;
    };
    TState State() const;
    void Restore(const TState& S);
    // Keeps Call, with the state in force, for Flush; false when drawing calls are done at once.
    template <typename TCall> bool Deferred(TCall Call);
    // Copies a cached label or shape now, or keeps the copy for Flush.
    void Copy(TQtPendingDrawing::TStep Step);
    void CopyNow(const TQtPendingDrawing::TStep& Step);
    // The painter with the pen in force, and the brush for shapes that fill; nullptr when there
    // is nothing to draw on.
    QPainter* Begin(bool WithBrush);
    // Whether the canvas draws with its own painter on an image: the caches' pixels are that
    // painter's own there.
    bool OnOwnImage() const;
    // How pixels fall on the own image's device pixels.
    QtPixelWrites::TDeviceGrid Grid() const;
    // The own image, when its device pixels in Area may be written directly as the painter
    // would draw them: nobody shares the image, and nothing clips or turns the painter's drawing.
    QImage* WritableImage(const QRect& Area);
    // Within the own image, the device pixels that the painter fills for Box; none where that
    // is not sure.
    QRect OnDevice(const QRect& Box) const;
    // The label as the text cache has it and the device pixels it goes to, when drawing it at
    // (X, Y) may take a copy.
    std::optional<std::pair<QImage, QRect>> CachedLabel(int X, int Y, const std::string& Text);
    // The ellipse of the outline box with the painter's pen and brush, when drawing it may take
    // a copy, and the device pixels its image goes to.
    std::shared_ptr<const TQtEllipseCache::TShape> CachedEllipse(const QRect& Box,
                                                                 const QPainter& P, QRect& At);
    // Fills with the pen's colour the device pixels of a cached stroke whose runs RunRect turns
    // into boxes, anchored at the device pixel of From; false where only the painter may draw.
    template <class TRun, class TRunRect>
    bool FillRuns(TPoint From, const QtPixelWrites::TDeviceGrid& G, const QRect& Box,
                  const std::vector<TRun>& Runs, TRunRect RunRect);
    // Writes the device pixels of a two-pixel solid line that runs along an axis as the painter
    // would draw them; false when it is some other line or only the painter may draw there.
    bool FillAxisLine(TPoint From, TPoint To);
    // Writes the device pixels of a wide solid slanted line from the stroke cache; false when
    // only the painter may draw it.
    bool FillSlantedLine(TPoint From, TPoint To);
    // A line with the pen in force, leaving out its last pixel whichever way it runs.
    void DrawSegment(QPainter& P, TPoint From, TPoint To);
    // Fills the device pixels of a one-pixel line on a device finer than a pixel, where the
    // painter's stroke would change its width from pixel to pixel and its clip could take all
    // of it; false where the painter draws it.
    bool FillThinLine(QPainter& P, TPoint From, TPoint To);
    // Box widened by the pen's reach.
    QRect Padded(const QRect& Box) const;
    // Around all that text drawn at (X, Y) may cover; turned text: everywhere.
    QRect TextArea(int X, int Y, const QString& S, const QFontMetrics& M) const;
    void ArcOrPie(bool IsPie, int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);

    QPaintDevice* FDevice = nullptr;
    std::unique_ptr<QPainter> FOwnPainter;
    QPainter* FPainter = nullptr; // the painter in use
    // What the own painter was last given; setting a pen or brush costs more than comparing.
    bool FStateKnown = false;
    TPen FPainterPen;
    std::optional<TColor> FPainterFill; // none: no brush
    TQtTextCache FText;
    TQtEllipseCache FEllipses;
    TQtBarCache FBars;
    TQtStrokeCache FStrokes;
    bool FDefers = false; // drawing calls wait for Flush
    bool FAtOnce = false; // drawing calls are done at once, even where they could wait
    TQtPendingDrawing FPending;
};
