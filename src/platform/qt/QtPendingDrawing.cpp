#include "platform/qt/QtPendingDrawing.h"

#include <cstdint>
#include <utility>

namespace {

// A copy that overwrites every pixel it may touch: an opaque label, or a shape's opaque runs.
// Shapes with partly transparent pixels blend, which depends on what lies beneath.
bool Overwrites(const TQtPendingDrawing::TStep& S) {
    return !S.Call && (!S.Shape || S.Shape->Runs);
}

struct TCopyKey {
    std::uintptr_t Source;
    bool Runs;
    int X;
    int Y;
    friend bool operator==(const TCopyKey&, const TCopyKey&) = default;
};

struct TCopyKeyHash {
    std::size_t operator()(const TCopyKey& K) const {
        std::size_t H = std::hash<std::uintptr_t>()(K.Source);
        H = H * 31 + static_cast<std::size_t>(K.Runs);
        H = H * 1000003 + static_cast<std::size_t>(static_cast<unsigned>(K.X));
        H = H * 1000003 + static_cast<std::size_t>(static_cast<unsigned>(K.Y));
        // Mixed down into the low bits, which pick the slot of an open table.
        H ^= H >> 29;
        H *= 0xbf58476d1ce4e5b9ULL;
        return H ^ (H >> 32);
    }
};

TCopyKey KeyOf(const TQtPendingDrawing::TStep& S) {
    // A shape is the cache's one object; labels are told apart by their pixels' identity.
    const std::uintptr_t Source = S.Shape ? reinterpret_cast<std::uintptr_t>(S.Shape.get())
                                          : static_cast<std::uintptr_t>(S.Label.cacheKey());
    return TCopyKey{Source, S.Shape != nullptr, S.Box.x(), S.Box.y()};
}

} // namespace

void TQtPendingDrawing::Replay(const std::function<void(const TStep&)>& Do) {
    // Taken out first: a step may end up here again, which then finds nothing to do.
    std::vector<TStep> Steps;
    Steps.swap(FSteps);
    std::vector<char> Skip;
    Skip.swap(FSkip);
    Skip.assign(Steps.size(), 0);
    std::vector<std::size_t> Slots;
    Slots.swap(FSlots);
    MarkOverwritten(Steps, Skip, Slots);
    for (std::size_t I = 0; I < Steps.size(); ++I)
        if (!Skip[I])
            Do(Steps[I]);
    Steps.clear();
    if (FSteps.empty()) {
        FSteps.swap(Steps);
        FSkip.swap(Skip);
        FSlots.swap(Slots);
    }
}

void TQtPendingDrawing::MarkOverwritten(const std::vector<TStep>& Steps, std::vector<char>& Skip,
                                        std::vector<std::size_t>& Slots) {
    // An open table of the later copies, by step number + 1 (0: empty), at most half full.
    std::size_t Size = 16;
    while (Size < 2 * Steps.size())
        Size *= 2;
    Slots.assign(Size, 0);
    const std::size_t Mask = Size - 1;
    for (std::size_t I = Steps.size(); I-- > 0;) {
        if (!Overwrites(Steps[I]))
            continue;
        const TCopyKey Key = KeyOf(Steps[I]);
        for (std::size_t At = TCopyKeyHash()(Key) & Mask;; At = (At + 1) & Mask) {
            if (Slots[At] == 0) {
                Slots[At] = I + 1;
                break;
            }
            if (KeyOf(Steps[Slots[At] - 1]) == Key) {
                Skip[I] = 1;
                break;
            }
        }
    }
}
