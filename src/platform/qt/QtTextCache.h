// What a canvas keeps of its text so that a label drawn again costs a copy: the Qt font of each
// canvas font, text widths and line heights, and opaque labels rendered once. Shaping and
// rasterising text are most of a repaint's cost, and the same labels come back every repaint.
#pragma once

#include "platform/Canvas.h"
#include "platform/qt/QtPixelWrites.h"
#include "platform/qt/QtTextTable.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QList>
#include <QPainter>

#include <array>
#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

class TQtTextCache {
public:
    // Past these the cache starts afresh, so that it stays bounded however many texts pass.
    // They hold the labels of the largest mechanism a file may hold (10,000 joints and 10,000
    // links, each with its number and poles): labels of up to 256 colours keep a byte a pixel.
    // The bytes are counted at one device pixel per pixel: the cache holds as many labels at
    // every ratio, and a ratio of 2 takes four times the bytes.
    static constexpr std::size_t MaxTexts = 1 << 16;
    static constexpr std::size_t MaxLabelBytes = 48 << 20;
    static constexpr std::size_t MaxFonts = 64;

    // The Qt font for the canvas font's name, height and style.
    const QFont& Font(const TFont& F);
    // As QFontMetrics of that font measures them.
    int Width(const TFont& F, const std::string& Text);
    int Height(const TFont& F);
    // A label's device pixels, and where they go from the device anchor of the text's point.
    struct TPixels {
        QImage Image;
        QPoint Offset;
    };
    // The text on its box in Background, exactly as drawing it at a point of that phase on Like
    // (an image of the same format, resolution and device pixel ratio) gives those pixels;
    // nullptr when some of its ink falls outside the box, which only drawing it in place gets
    // right, or when the image's grid has no period.
    const TPixels* Label(const TFont& F, TColor Background, const std::string& Text,
                         const QImage& Like, QPoint Phase);

    // Text with its top-left corner at the painter's origin, on its cell in the colour Cell
    // (none: on what lies beneath), as a label and text drawn in place both draw it.
    static void DrawLabel(QPainter& P, const QString& S, const QFontMetrics& M,
                          std::optional<QColor> Cell, QColor Ink);

    std::size_t TextCount() const { return FTexts; }
    std::size_t LabelBytes() const { return FLabelBytes; } // counted as above

private:
    struct TLabel {
        TColor Foreground;
        TColor Background;
        QImage::Format Format;
        int DotsPerMeter;
        qreal Ratio;
        QPoint Phase;
        TPixels Pixels; // no image when the ink leaves the box
    };
    struct TText {
        int Width = -1; // not measured yet
        std::vector<TLabel> Labels;
    };
    struct TFontEntry {
        std::string Name;
        int Height;
        unsigned Style;
        QFont Font;
        int LineHeight = -1; // not measured yet
        TQtTextTable<TText> Texts;
        // The texts met last, looked at before the map: a label's text is measured and then
        // drawn, and "v" and "gT" place every label.
        std::array<std::pair<const std::string*, TText*>, 4> Recent{};
        std::size_t NextRecent = 0;
    };

    TFontEntry& Entry(const TFont& F);
    void StartAfresh();
    // The text's record, counted in when new (the cache starts afresh first when full).
    TText& Text(TFontEntry& E, const std::string& Text);
    static QImage Render(const QFont& Font, TColor Foreground, TColor Background,
                         const std::string& Text, const QImage& Like, QPoint Phase, QPoint& Offset);
    // The colours met in the labels of one ink on one background, in the order met: the labels
    // share the table (a label made later may know more colours), so that a label keeps a byte
    // a pixel and no table of its own.
    struct TPalette {
        QList<QRgb> Table;
        std::unordered_map<QRgb, uchar> Index;
    };
    TPalette& Palette(TColor Foreground, TColor Background, QImage::Format Format);
    struct TIndexed {
        QImage Image;
        std::size_t TableBytes; // of a table of its own
    };
    // The same pixels as indices into the palette; those that bring it past 256 colours keep
    // a table of their own, and past 256 colours of their own the image stays as it is.
    static TIndexed Indexed(const QImage& Image, TPalette& Shared);
    // Into Result (indexed, of Image's size) unless the palette would pass 256 colours.
    static bool Encode(const QImage& Image, TPalette& Palette, QImage& Result);
    // What a label holds on to, counted at one device pixel per pixel.
    static std::size_t BytesOf(const TIndexed& Label, qreal Ratio);

    std::map<std::tuple<TColor, TColor, QImage::Format>, TPalette> FPalettes;
    std::deque<TFontEntry> FFonts; // stays where it is: the recent texts point into it
    std::size_t FLast = 0; // the entry found last: labels of one font often follow each other
    std::size_t FTexts = 0;
    std::size_t FLabelBytes = 0;
};
