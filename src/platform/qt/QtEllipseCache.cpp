#include "platform/qt/QtEllipseCache.h"

#include <algorithm>
#include <utility>

std::shared_ptr<const TQtEllipseCache::TShape>
TQtEllipseCache::Get(const QRect& Box, const TPen& Pen, std::optional<TColor> Fill,
                     const QPainter& Painter, const QtPixelWrites::TDeviceGrid& Grid) {
    if (Box.width() > MaxSide || Box.height() > MaxSide || Pen.Width > MaxSide ||
        Grid.Period() == 0)
        return nullptr;
    const qreal Ratio = Grid.Ratio();
    const QPoint Phase = Grid.Phase(Box.topLeft());
    auto It = std::find_if(FShapes.begin(), FShapes.end(), [&](const TEntry& E) {
        return E.Size == Box.size() && E.Ratio == Ratio && E.Phase == Phase && E.Pen == Pen &&
               E.Fill == Fill;
    });
    if (It != FShapes.end())
        return It->Shape;
    if (FShapes.size() >= MaxShapes)
        FShapes.clear();
    FShapes.push_back(
        TEntry{Box.size(), Ratio, Phase, Pen, Fill,
               std::make_shared<const TShape>(Render(Box.size(), Phase, Painter, Grid))});
    return FShapes.back().Shape;
}

TQtEllipseCache::TShape TQtEllipseCache::Render(QSize Size, QPoint Phase, const QPainter& Painter,
                                                const QtPixelWrites::TDeviceGrid& Grid) {
    // Room for half the pen beyond the box on every side, and the box's far edge; whole periods,
    // so that the box lies at its own phase.
    const int Period = Grid.Period();
    const int Margin = (Painter.pen().width() + 2 + Period - 1) / Period * Period;
    const QSize Logical = Size + QSize(2 * Margin + Period, 2 * Margin + Period);
    QImage Image(QtPixelWrites::DeviceSize(Logical, Grid.Ratio()),
                 QImage::Format_ARGB32_Premultiplied);
    Image.setDevicePixelRatio(Grid.Ratio());
    Image.fill(Qt::transparent);
    QPainter P(&Image);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.setPen(Painter.pen());
    P.setBrush(Painter.brush());
    P.drawEllipse(QRect(QPoint(Margin, Margin) + Phase, Size));
    P.end();
    auto Runs = QtPixelWrites::OpaqueRuns(Image);
    const int DeviceMargin = static_cast<int>(Margin * Grid.Ratio());
    return TShape{Image, QPoint(-DeviceMargin, -DeviceMargin), std::move(Runs)};
}
