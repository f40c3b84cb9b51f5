#include "platform/qt/QtInk.h"

#include <algorithm>
#include <limits>

namespace {
constexpr std::pair<int, int> NoInk{std::numeric_limits<int>::max(), -1};
}

void TQtInk::Reset(QSize Size, QRgb Background) {
    FKnown = true;
    FSize = Size;
    FBackground = Background;
    FBands.assign(
        static_cast<std::size_t>((std::max(0, Size.height()) + BandHeight - 1) / BandHeight),
        NoInk);
}

void TQtInk::Add(const QRect& Area) {
    if (!FKnown)
        return;
    const QRect A = Area & QRect(QPoint(0, 0), FSize);
    if (A.isEmpty())
        return;
    for (int B = A.top() / BandHeight; B <= A.bottom() / BandHeight; ++B) {
        auto& [First, Last] = FBands[static_cast<std::size_t>(B)];
        First = std::min(First, A.left());
        Last = std::max(Last, A.right());
    }
}

bool TQtInk::On(QSize Size, QRgb Background) const {
    return FKnown && Size == FSize && Background == FBackground;
}

QRegion TQtInk::Region() const {
    if (!FKnown)
        return QRegion(QRect(QPoint(0, 0), FSize));
    std::vector<QRect> Rects;
    for (std::size_t B = 0; B < FBands.size(); ++B)
        if (const auto [First, Last] = FBands[B]; First <= Last) {
            const int Top = static_cast<int>(B) * BandHeight;
            Rects.emplace_back(QPoint(First, Top),
                               QPoint(Last, std::min(Top + BandHeight, FSize.height()) - 1));
        }
    QRegion R;
    R.setRects(Rects.data(), static_cast<int>(Rects.size()));
    return R;
}
