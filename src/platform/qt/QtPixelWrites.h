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

// Whether pixels of Image in Area may be written here as a painter draws them: 32 bits in a
// format whose opaque colours read 0xFFrrggbb, and Area inside the image.
bool Writable(const QImage& Image, const QRect& Area);
// Fills Area with the opaque colour Rgb.
void Fill(QImage& Target, const QRect& Area, QRgb Rgb);
// Copies all of Source (same format as Target) with its top-left corner at At.
void CopyAll(QImage& Target, QPoint At, const QImage& Source);
// Copies the runs of Source (premultiplied, opaque in its runs) with its top-left corner at At.
void CopyRuns(QImage& Target, QPoint At, const QImage& Source, const std::vector<TRun>& Runs);
// The runs of opaque pixels in a premultiplied Image; none when some pixel is partly
// transparent, which only blending draws right.
std::optional<std::vector<TRun>> OpaqueRuns(const QImage& Image);

} // namespace QtPixelWrites
