#include "platform/qt/QtBarCache.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>

namespace {

// Past this many pixels a bar is a shorter one stretched.
constexpr int StretchedPeriods = 4;

} // namespace

std::optional<TQtBarCache::TStretched> TQtBarCache::Get(QPoint From, QPoint To, const QPen& Pen,
                                                        const QtPixelWrites::TDeviceGrid& Grid) {
    const int Period = Grid.Period();
    if (Period == 0 || From == To || (From.x() != To.x() && From.y() != To.y()))
        return std::nullopt;
    const bool Vertical = From.x() == To.x();
    const long long Along = Vertical ? static_cast<long long>(To.y()) - From.y()
                                     : static_cast<long long>(To.x()) - From.x();
    const long long Length = std::llabs(Along);
    // The drawn length differs from the bar's by whole periods, which the far cap moves on.
    int Drawn = static_cast<int>(Length);
    if (Length > (StretchedPeriods + 1) * Period)
        Drawn = StretchedPeriods * Period + static_cast<int>(Length % Period);
    const TKey Key{Vertical, Along > 0, Grid.Phase(From), Drawn, Grid.Ratio()};
    auto It = std::find_if(FShapes.begin(), FShapes.end(),
                           [&Key](const TEntry& E) { return E.Key == Key; });
    if (It == FShapes.end()) {
        if (FShapes.size() >= MaxShapes)
            FShapes.clear();
        FShapes.push_back(TEntry{Key, Render(Key, Pen, Grid)});
        It = FShapes.end() - 1;
    }
    if (!It->Runs)
        return std::nullopt;
    const double Stretch = static_cast<double>(Length - Drawn) * Grid.Ratio();
    if (Stretch > (1 << 28))
        return std::nullopt;
    const int By = static_cast<int>(Stretch);
    TStretched S;
    S.Runs = *It->Runs;
    for (TRun& R : S.Runs) {
        if (Key.Forward)
            R.Last += By;
        else
            R.First -= By;
        const QRect Run = Vertical ? QRect(QPoint(R.Across, R.First), QPoint(R.Across, R.Last))
                                   : QRect(QPoint(R.First, R.Across), QPoint(R.Last, R.Across));
        S.Box |= Run;
    }
    return S;
}

std::optional<std::vector<TQtBarCache::TRun>>
TQtBarCache::Render(const TKey& Key, const QPen& Pen, const QtPixelWrites::TDeviceGrid& Grid) {
    const int Period = Grid.Period();
    const qreal Ratio = Grid.Ratio();
    // Whole periods of room around the stroke, so that its start lies at its own phase.
    const int Margin = (Pen.width() + 2 + Period - 1) / Period * Period;
    const int Room = (Key.Length + Period - 1) / Period * Period;
    const QPoint Start =
        QPoint(Margin, Margin) + Key.Phase +
        (Key.Forward ? QPoint() : (Key.Vertical ? QPoint(0, Room) : QPoint(Room, 0)));
    const int Step = Key.Forward ? Key.Length : -Key.Length;
    const QPoint End = Start + (Key.Vertical ? QPoint(0, Step) : QPoint(Step, 0));
    const QSize Logical(2 * Margin + Period + (Key.Vertical ? 0 : Room),
                        2 * Margin + Period + (Key.Vertical ? Room : 0));
    QImage Image(QtPixelWrites::DeviceSize(Logical, Ratio), QImage::Format_ARGB32_Premultiplied);
    Image.setDevicePixelRatio(Ratio);
    Image.fill(Qt::transparent);
    QPainter P(&Image);
    P.setRenderHint(QPainter::Antialiasing, false);
    P.setPen(Pen);
    P.drawLine(Start, End);
    P.end();
    // Device pixels of the start's anchor within the image: whole periods in from its corner.
    const QPoint Anchor(static_cast<int>((Start.x() - Key.Phase.x()) * Ratio),
                        static_cast<int>((Start.y() - Key.Phase.y()) * Ratio));
    const auto Runs = QtPixelWrites::OpaqueRuns(Image);
    if (!Runs)
        return std::nullopt;
    // Stretching moves the far cap on along each row (or column): that holds when every one of
    // them has a single run.
    std::vector<TRun> Result;
    if (!Key.Vertical) {
        for (const QtPixelWrites::TRun& R : *Runs)
            Result.push_back(
                TRun{R.Y - Anchor.y(), R.X - Anchor.x(), R.X + R.Length - 1 - Anchor.x()});
    } else {
        // Columns of the image, top to bottom.
        for (int X = 0; X < Image.width(); ++X)
            for (int Y = 0; Y < Image.height();) {
                if (qAlpha(Image.pixel(X, Y)) == 0) {
                    ++Y;
                    continue;
                }
                const int First = Y;
                while (Y < Image.height() && qAlpha(Image.pixel(X, Y)) != 0)
                    ++Y;
                Result.push_back(TRun{X - Anchor.x(), First - Anchor.y(), Y - 1 - Anchor.y()});
            }
    }
    for (std::size_t I = 1; I < Result.size(); ++I)
        if (Result[I].Across == Result[I - 1].Across)
            return std::nullopt;
    return Result;
}
