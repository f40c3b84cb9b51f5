// Solid lines of two pixels or more that run off the axes, drawn once per run and rise, phase
// and device pixel ratio, and copied from then on: the cranks and bearings of a mechanism repeat
// a few slopes, and the painter's stroke of a wide line costs many times a copy.
#pragma once

#include "platform/qt/QtPixelWrites.h"

#include <QPen>
#include <QPoint>
#include <QRect>

#include <cstddef>
#include <optional>
#include <unordered_map>
#include <vector>

class TQtStrokeCache {
public:
    // Past this many shapes the cache starts afresh.
    static constexpr std::size_t MaxShapes = 256;
    // Lines longer than this along either axis draw in place: few of them repeat.
    static constexpr int MaxSpan = 128;

    struct TShape {
        std::vector<QtPixelWrites::TRun> Runs; // device pixels, from the anchor of the start
        QRect Box;                             // around all of them
    };

    // The device pixels that an unantialiased painter's drawLine from From to To with Pen fills
    // on a device of Grid; nullptr when only drawing it in place is sure to give them. It stays
    // valid until the next call.
    const TShape* Get(QPoint From, QPoint To, const QPen& Pen,
                      const QtPixelWrites::TDeviceGrid& Grid);

    std::size_t Count() const { return FShapes.size(); }

private:
    struct TKey {
        QPoint Delta;
        QPoint Phase;
        int Width;
        int Cap;
        int Join;
        qreal Ratio;
        friend bool operator==(const TKey&, const TKey&) = default;
    };
    struct TKeyHash {
        std::size_t operator()(const TKey& K) const;
    };
    static std::optional<TShape> Render(const TKey& Key, const QPen& Pen,
                                        const QtPixelWrites::TDeviceGrid& Grid);

    std::unordered_map<TKey, std::optional<TShape>, TKeyHash> FShapes;
};
