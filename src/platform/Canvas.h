// A device context with persistent drawing state: the pen, brush and font in force stay until
// changed and apply to every later call. Backends draw on an image, a widget or a printer page.
#pragma once

#include "platform/Types.h"

#include <memory>
#include <string>
#include <vector>

// psDashDotDot: a dash and two dots, repeated.
enum class TPenStyle { psSolid, psDot, psDashDotDot, psClear };
enum class TBrushStyle { bsSolid, bsClear };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
    friend bool operator==(const TPen&, const TPen&) = default;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
    friend bool operator==(const TBrush&, const TBrush&) = default;
};

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

struct TFont {
    std::string Name = "Arial";
    int Height = 13;    // pixels, the character height without internal leading
    unsigned Style = 0; // TFontStyle bits
    TColor Color = clBlack;
    int Escapement = 0; // tenths of a degree anticlockwise; 900 reads upwards
    friend bool operator==(const TFont&, const TFont&) = default;
};

class TBitmap;

class TCanvas {
public:
    virtual ~TCanvas() = default;

    TPen& Pen() { return FPen; }
    TBrush& Brush() { return FBrush; }
    TFont& Font() { return FFont; }
    const TPen& Pen() const { return FPen; }
    const TBrush& Brush() const { return FBrush; }
    const TFont& Font() const { return FFont; }
    // Transparent: text leaves the background as it is. Opaque (the default): text is drawn on a
    // box in the brush colour unless the brush style is clear.
    bool TextTransparent() const { return FTextTransparent; }
    void SetTextTransparent(bool On) { FTextTransparent = On; }

    TPoint PenPos() const { return FPenPos; }
    void MoveTo(int X, int Y) { FPenPos = TPoint{X, Y}; }
    // Draws from the pen position to (X, Y), leaving the last pixel out, and moves the pen there.
    void LineTo(int X, int Y) {
        DoLine(FPenPos, TPoint{X, Y});
        FPenPos = TPoint{X, Y};
    }
    virtual void Polyline(const std::vector<TPoint>& Points) = 0;
    // Outlined with the pen, filled with the brush.
    virtual void Polygon(const std::vector<TPoint>& Points) = 0;
    // The ellipse inside the box (X1, Y1)-(X2, Y2), right and bottom edge excluded.
    virtual void Ellipse(int X1, int Y1, int X2, int Y2) = 0;
    // Arc and pie of the ellipse in the box, anticlockwise on screen from the radial through
    // (X3, Y3) to the radial through (X4, Y4).
    virtual void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) = 0;
    virtual void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) = 0;
    virtual void Rectangle(int X1, int Y1, int X2, int Y2) = 0;
    // Fills with the brush, no outline.
    virtual void FillRect(const TRect& R) = 0;
    // Text with its top-left corner at (X, Y) (for a rotated font: the start of the baseline's
    // top edge, the text running in the direction of the escapement).
    virtual void TextOut(int X, int Y, const std::string& Text) = 0;
    virtual int TextWidth(const std::string& Text) = 0;
    virtual int TextHeight(const std::string& Text) = 0;
    virtual void SetPixel(int X, int Y, TColor Color) = 0;
    // Copies Source's pixels with their top-left corner at (X, Y).
    virtual void Draw(int X, int Y, const TBitmap& Source) = 0;

protected:
    virtual void DoLine(TPoint From, TPoint To) = 0;

private:
    TPen FPen;
    TBrush FBrush;
    TFont FFont;
    bool FTextTransparent = false;
    TPoint FPenPos;
};

// An off-screen picture with a canvas of its own.
class TBitmap {
public:
    virtual ~TBitmap() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetSize(int Width, int Height) = 0;
    // Device pixels per pixel: the picture keeps its size in pixels and is only rasterised that
    // much finer. A picture without pixels of its own ignores it.
    virtual void SetPixelRatio(double) {}
    virtual TCanvas& Canvas() = 0;
};
