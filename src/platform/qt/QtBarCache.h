// Two-pixel solid lines along an axis, drawn once per direction, phase and device pixel ratio
// and stretched from then on: the bars of a mechanism are most of its lines. The stroke of a
// longer bar is that of a shorter one with its far cap moved on by whole device pixels.
#pragma once

#include "platform/qt/QtPixelWrites.h"

#include <QPainter>
#include <QPen>
#include <QPoint>
#include <QRect>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

class TQtBarCache {
public:
    static constexpr std::size_t MaxShapes = 64;

    // One run of device pixels along the bar, on one device row (a bar along x) or column.
    struct TRun {
        int Across; // the row or column, from the anchor of the bar's start
        int First;  // along the bar, from the anchor, both ends included
        int Last;
    };
    struct TStretched {
        std::vector<TRun> Runs;
        QRect Box; // around all of them, from the anchor
    };

    // The device pixels that Painter's drawLine from From to To (one coordinate the same) with
    // Pen (two pixels wide, round caps) fills on a device of Grid, from the anchor of From; none
    // when only drawing it in place is sure to give them.
    std::optional<TStretched> Get(QPoint From, QPoint To, const QPen& Pen,
                                  const QtPixelWrites::TDeviceGrid& Grid);

    std::size_t Count() const { return FShapes.size(); }

private:
    struct TKey {
        bool Vertical;
        bool Forward;
        QPoint Phase;
        int Length;
        qreal Ratio;
        friend bool operator==(const TKey&, const TKey&) = default;
    };
    struct TEntry {
        TKey Key;
        std::optional<std::vector<TRun>> Runs; // none: the stroke cannot be stretched
    };
    static std::optional<std::vector<TRun>> Render(const TKey& Key, const QPen& Pen,
                                                   const QtPixelWrites::TDeviceGrid& Grid);

    std::vector<TEntry> FShapes;
};
