#include "platform/qt/QtStrokeCache.h"

#include <QImage>
#include <QPainter>

#include <cstdlib>
#include <functional>

std::size_t TQtStrokeCache::TKeyHash::operator()(const TKey& K) const {
    std::size_t H = std::hash<int>()(K.Delta.x());
    for (int Part : {K.Delta.y(), K.Phase.x(), K.Phase.y(), K.Width, K.Cap, K.Join})
        H = H * 1000003 + static_cast<std::size_t>(static_cast<unsigned>(Part));
    return H * 31 + std::hash<qreal>()(K.Ratio);
}

const TQtStrokeCache::TShape* TQtStrokeCache::Get(QPoint From, QPoint To, const QPen& Pen,
                                                  const QtPixelWrites::TDeviceGrid& Grid) {
    // Saturated ends lie further apart than an int reaches.
    const long long DX = static_cast<long long>(To.x()) - From.x();
    const long long DY = static_cast<long long>(To.y()) - From.y();
    if (Grid.Period() == 0 || DX == 0 || DY == 0 || std::llabs(DX) > MaxSpan ||
        std::llabs(DY) > MaxSpan || Pen.width() < 2 || Pen.style() != Qt::SolidLine ||
        Pen.brush().style() != Qt::SolidPattern || Pen.color().alpha() != 255)
        return nullptr;
    const TKey Key{QPoint(static_cast<int>(DX), static_cast<int>(DY)),
                   Grid.Phase(From),
                   Pen.width(),
                   static_cast<int>(Pen.capStyle()),
                   static_cast<int>(Pen.joinStyle()),
                   Grid.Ratio()};
    auto It = FShapes.find(Key);
    if (It == FShapes.end()) {
        if (FShapes.size() >= MaxShapes)
            FShapes.clear();
        It = FShapes.emplace(Key, Render(Key, Pen, Grid)).first;
    }
    return It->second ? &*It->second : nullptr;
}

std::optional<TQtStrokeCache::TShape>
TQtStrokeCache::Render(const TKey& Key, const QPen& Pen, const QtPixelWrites::TDeviceGrid& Grid) {
    const int Period = Grid.Period();
    const qreal Ratio = Grid.Ratio();
    auto Periods = [Period](int Pixels) {
        return (std::abs(Pixels) + Period - 1) / Period * Period;
    };
    // Whole periods of room around the stroke, so that its start lies at its own phase.
    const int Margin = Periods(Pen.width() + 2);
    const QPoint Start = QPoint(Margin + (Key.Delta.x() < 0 ? Periods(Key.Delta.x()) : 0),
                                Margin + (Key.Delta.y() < 0 ? Periods(Key.Delta.y()) : 0)) +
                         Key.Phase;
    const QSize Logical(2 * Margin + Period + Periods(Key.Delta.x()),
                        2 * Margin + Period + Periods(Key.Delta.y()));
    QImage Image(QtPixelWrites::DeviceSize(Logical, Ratio), QImage::Format_ARGB32_Premultiplied);
    Image.setDevicePixelRatio(Ratio);
    Image.fill(Qt::transparent);
    QPainter P(&Image);
    P.setRenderHint(QPainter::Antialiasing, false);
    QPen Opaque = Pen;
    Opaque.setColor(Qt::black);
    P.setPen(Opaque);
    P.drawLine(Start, Start + Key.Delta);
    P.end();
    const auto Runs = QtPixelWrites::OpaqueRuns(Image);
    if (!Runs)
        return std::nullopt;
    // Device pixels of the start's anchor within the image: whole periods in from its corner.
    const QPoint Anchor(static_cast<int>((Start.x() - Key.Phase.x()) * Ratio),
                        static_cast<int>((Start.y() - Key.Phase.y()) * Ratio));
    TShape Shape;
    for (const QtPixelWrites::TRun& R : *Runs) {
        Shape.Runs.push_back(QtPixelWrites::TRun{R.Y - Anchor.y(), R.X - Anchor.x(), R.Length});
        Shape.Box |= QRect(R.X - Anchor.x(), R.Y - Anchor.y(), R.Length, 1);
    }
    return Shape;
}
