#include "platform/qt/QtEllipseCache.h"

#include <algorithm>
#include <utility>

std::shared_ptr<const TQtEllipseCache::TShape> TQtEllipseCache::Get(const QRect& Box,
                                                                    const TPen& Pen,
                                                                    std::optional<TColor> Fill,
                                                                    const QPainter& Painter) {
    if (Box.width() > MaxSide || Box.height() > MaxSide || Pen.Width > MaxSide)
        return nullptr;
    auto It = std::find_if(FShapes.begin(), FShapes.end(), [&](const TEntry& E) {
        return E.Size == Box.size() && E.Pen == Pen && E.Fill == Fill;
    });
    if (It != FShapes.end())
        return It->Shape;
    if (FShapes.size() >= MaxShapes)
        FShapes.clear();
    FShapes.push_back(
        TEntry{Box.size(), Pen, Fill, std::make_shared<const TShape>(Render(Box.size(), Painter))});
    return FShapes.back().Shape;
}

TQtEllipseCache::TShape TQtEllipseCache::Render(QSize Size, const QPainter& Painter) {
    // Room for half the pen beyond the box on every side, and the box's far edge.
    const int Margin = Painter.pen().width() + 2;
    QImage Image(Size + QSize(2 * Margin + 1, 2 * Margin + 1), QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::transparent);
    QPainter P(&Image);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.setPen(Painter.pen());
    P.setBrush(Painter.brush());
    P.drawEllipse(QRect(QPoint(Margin, Margin), Size));
    P.end();
    auto Runs = QtPixelWrites::OpaqueRuns(Image);
    return TShape{Image, QPoint(-Margin, -Margin), std::move(Runs)};
}
