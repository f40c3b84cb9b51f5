#include "surface/MMDiagramFit.h"

#include "surface/MMDiagram.h"
#include "surface/MMSurface.h"

#include <algorithm>
#include <limits>

namespace {

constexpr double FitXMin = -5;
// The y span shown when no visible series has a point.
constexpr double NoDataYMin = 0;
constexpr double NoDataYMax = 360;

struct TRange {
    double Min = std::numeric_limits<double>::infinity();
    double Max = -std::numeric_limits<double>::infinity();
    bool Empty() const { return Min > Max; }
    void Take(double V) {
        Min = std::min(Min, V);
        Max = std::max(Max, V);
    }
};

} // namespace

void FitDiagram(TMMSurface& Surface, const TMMDiagram& Diagram) {
    const TMMDataSeries& Series = Diagram.Series();
    if (Series.Count() == 0)
        return;
    TRange X, Y;
    for (int I = 0; I < Series.Count(); ++I) {
        const TMMDataSerie& Serie = *Series.Items(I);
        for (const TMMDataElement& E : Serie.Elements()) {
            if (!E.Plottable())
                continue;
            X.Take(E.X());
            if (Serie.Visible())
                Y.Take(E.Y());
        }
    }
    if (Y.Empty()) {
        Y.Min = NoDataYMin;
        Y.Max = NoDataYMax;
    }
    if (X.Empty()) {
        // The same tenth of margin as a zoom to a rectangle, on y alone.
        const double Margin = (Y.Max - Y.Min) / 10;
        Surface.SetMMRect(MMRect(Surface.XMin(), Y.Max + Margin, Surface.XMax(), Y.Min - Margin));
        return;
    }
    // Data wholly left of the usual left edge would show mirrored: then the data sets both edges.
    const double Left = X.Max < FitXMin ? X.Min : FitXMin;
    Surface.ZoomToMMRect(Left, X.Max, Y.Min, Y.Max);
}
