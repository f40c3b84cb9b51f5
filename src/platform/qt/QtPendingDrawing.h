// The drawing calls of one repaint, kept until the picture is read. A joint paints its labels
// and circle once itself and once per attached bar, at the same place with the same cached
// pixels; a copy that a later identical copy overwrites whole need never be made.
#pragma once

#include "platform/qt/QtEllipseCache.h"

#include <QImage>
#include <QRect>

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

class TQtPendingDrawing {
public:
    // Past this many steps the drawing is done, so that what waits stays bounded.
    static constexpr std::size_t MaxSteps = 1 << 15;

    struct TStep {
        // Any drawing, done as it was asked for; or else a copy of the opaque Label whole, or
        // of Shape's image.
        std::function<void()> Call;
        QImage Label;
        std::shared_ptr<const TQtEllipseCache::TShape> Shape;
        QRect Box; // where the copy goes
        QRect Ink; // around all that the copy may change
    };

    void Add(TStep Step) { FSteps.push_back(std::move(Step)); }
    bool Full() const { return FSteps.size() >= MaxSteps; }
    bool Empty() const { return FSteps.empty(); }
    // Hands the steps to Do in order, leaving out each copy that a later copy of the same pixels
    // to the same place overwrites, and forgets them. Whatever happens in between, that later
    // copy writes every pixel the earlier one wrote, with the same values.
    void Replay(const std::function<void(const TStep&)>& Do);

private:
    // Marks in Skip each copy that a later one of the same pixels to the same place overwrites.
    static void MarkOverwritten(const std::vector<TStep>& Steps, std::vector<char>& Skip,
                                std::vector<std::size_t>& Slots);

    std::vector<TStep> FSteps;
    // Kept between repaints, like the steps' room.
    std::vector<char> FSkip;
    std::vector<std::size_t> FSlots;
};
