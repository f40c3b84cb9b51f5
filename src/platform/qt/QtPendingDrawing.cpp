#include "platform/qt/QtPendingDrawing.h"

#include <cstdint>
#include <unordered_set>
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
        return H * 1000003 + static_cast<std::size_t>(static_cast<unsigned>(K.Y));
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
    std::unordered_set<TCopyKey, TCopyKeyHash> Later;
    Later.reserve(Steps.size());
    for (std::size_t I = Steps.size(); I-- > 0;)
        if (Overwrites(Steps[I]) && !Later.insert(KeyOf(Steps[I])).second)
            Skip[I] = 1;
    for (std::size_t I = 0; I < Steps.size(); ++I)
        if (!Skip[I])
            Do(Steps[I]);
    Steps.clear();
    if (FSteps.empty()) {
        FSteps.swap(Steps);
        FSkip.swap(Skip);
    }
}
