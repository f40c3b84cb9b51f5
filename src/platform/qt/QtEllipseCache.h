// Small ellipses drawn once per size, pen and fill and copied from then on: a mechanism draws
// the same few joint circles thousands of times a repaint.
#pragma once

#include "platform/Canvas.h"
#include "platform/qt/QtPixelWrites.h"

#include <QImage>
#include <QPainter>
#include <QRect>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

class TQtEllipseCache {
public:
    // Larger boxes draw in place; past MaxShapes the cache starts afresh.
    static constexpr int MaxSide = 64;
    static constexpr std::size_t MaxShapes = 256;

    struct TShape {
        // Device pixels, transparent around the ellipse; no antialiasing, so nothing in between.
        QImage Image;
        QPoint Offset; // of the image's top-left corner from the device anchor of the box's
        // Its opaque pixels, which copied alone give what drawing the image gives.
        std::optional<std::vector<QtPixelWrites::TRun>> Runs;
    };

    // The ellipse that Painter's drawEllipse (Box) gives with its pen and brush, which are Pen
    // and Fill (none: no brush), on a device of Grid; nullptr when the box is too large to keep
    // or the grid has no period. Shared, so that a drawing waiting to be done keeps its shape
    // when the cache starts afresh.
    std::shared_ptr<const TShape> Get(const QRect& Box, const TPen& Pen, std::optional<TColor> Fill,
                                      const QPainter& Painter,
                                      const QtPixelWrites::TDeviceGrid& Grid);

    std::size_t Count() const { return FShapes.size(); }

private:
    struct TEntry {
        QSize Size;
        qreal Ratio;
        QPoint Phase;
        TPen Pen;
        std::optional<TColor> Fill;
        std::shared_ptr<const TShape> Shape;
    };
    static TShape Render(QSize Size, QPoint Phase, const QPainter& Painter,
                         const QtPixelWrites::TDeviceGrid& Grid);

    std::vector<TEntry> FShapes;
};
