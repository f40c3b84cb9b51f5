// Writing pixels of a 32-bit image directly, the way an unclipped, untransformed QPainter would
// draw them, without its per-call cost: a repaint copies thousands of cached labels and circles.
#pragma once

#include <QImage>
#include <QRect>

#include <optional>
#include <vector>

namespace QtPixelWrites {

// A row of opaque pixels of a cached shape.
struct TRun {
    int Y;
    int X;
    int Length;
};

// How the pixels of drawing calls fall on the device pixels of an image whose device pixel ratio
// is Ratio. Drawing at two points a whole period apart gives the same pixels, shifted by whole
// device pixels: that is what lets a copy stand in for drawing in place.
class TDeviceGrid {
public:
    explicit TDeviceGrid(qreal Ratio);
    qreal Ratio() const { return FRatio; }
    // The smallest number of pixels that spans whole device pixels; 0 when none up to eight
    // does (a ratio that is no multiple of 1/8), and then only drawing in place is exact.
    int Period() const { return FPeriod; }
    // The offset of P within its period, from 0 to Period() - 1 along each axis.
    QPoint Phase(QPoint P) const;
    // The device pixel where P - Phase(P) lies; none when that is beyond an int.
    std::optional<QPoint> Anchor(QPoint P) const;
    // The device pixels that an unantialiased painter fills for the pixels of Box.
    QRect Fill(const QRect& Box) const;
    // The smallest box of pixels that covers the device pixels of Box.
    QRect Cover(const QRect& Box) const;
    // The device pixels of a one-pixel line over the pixels of Box, which is one pixel across
    // (one wide when Vertical, else one high): along it as a fill, and across it the same
    // number of device pixels wherever it lies, so that such lines look alike.
    QRect ThinLine(const QRect& Box, bool Vertical) const;

private:
    qreal FRatio;
    int FPeriod;
};

// An image's size in pixels, the device pixels of its last partial pixel left out.
QSize LogicalSize(const QImage& Image);
// The device pixels for a picture of Size pixels at Ratio: every pixel's whole area.
QSize DeviceSize(QSize Size, qreal Ratio);

// Whether pixels of Image in Area may be written here as a painter draws them: 32 bits in a
// format whose opaque colours read 0xFFrrggbb, and Area inside the image.
bool Writable(const QImage& Image, const QRect& Area);
// Fills Area with the opaque colour Rgb.
void Fill(QImage& Target, const QRect& Area, QRgb Rgb);
// Copies all of Source (same format as Target, or indexed with colours of that format) with its
// top-left corner at At.
void CopyAll(QImage& Target, QPoint At, const QImage& Source);
// Copies the runs of Source (premultiplied, opaque in its runs) with its top-left corner at At.
void CopyRuns(QImage& Target, QPoint At, const QImage& Source, const std::vector<TRun>& Runs);
// The runs of opaque pixels in a premultiplied Image; none when some pixel is partly
// transparent, which only blending draws right.
std::optional<std::vector<TRun>> OpaqueRuns(const QImage& Image);

} // namespace QtPixelWrites
