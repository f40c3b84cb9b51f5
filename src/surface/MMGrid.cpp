#include "surface/MMGrid.h"

#include "surface/MMSurface.h"

#include <algorithm>
#include <cmath>
#include <limits>

bool LinesApart(double Increment, double Scale) {
    return Increment > 0 && Increment * Scale >= MinLineSpacing;
}

std::int64_t StepIndex(double Quotient, int Increment) {
    if (std::isnan(Quotient))
        return 0;
    const double Limit = static_cast<double>(std::int64_t{1} << 62) / std::max(1, Increment);
    return static_cast<std::int64_t>(std::clamp(Quotient, -Limit, Limit));
}

namespace {

// Calls DrawLine with every multiple k × Increment for k from Round(Min / Increment) to
// Round(Max / Increment), so up to half an increment beyond the view, but none further than one
// increment beyond the pixels shown (ShownA to ShownB in world units: a control of no width maps
// at one pixel per millimetre whatever the span).
template <class TDrawLine>
void ForEachLine(int Increment, double Scale, double Min, double Max, double ShownA, double ShownB,
                 TDrawLine DrawLine) {
    if (!LinesApart(Increment, Scale))
        return;
    const double Lo = std::min(ShownA, ShownB) / Increment;
    const double Hi = std::max(ShownA, ShownB) / Increment;
    const std::int64_t First = std::max(StepIndex(std::nearbyint(Min / Increment), Increment),
                                        StepIndex(std::floor(Lo), Increment) - 1);
    const std::int64_t Last = std::min(StepIndex(std::nearbyint(Max / Increment), Increment),
                                       StepIndex(std::ceil(Hi), Increment) + 1);
    for (std::int64_t K = First; K <= Last; ++K)
        DrawLine(static_cast<double>(K * Increment));
}

} // namespace

TMMGrid::TMMGrid(TComponent* AOwner) : TMMGraphicItem(AOwner) {
    FollowViewChanges([this](TObject* Sender) { SurfaceChanged(Sender); });
}

TMMGrid::~TMMGrid() {
    SetMMSurface(nullptr);
}

void TMMGrid::SurfaceChanged(TObject*) {
    Changed();
}

void TMMGrid::SetGridColor(TColor Value) {
    FGridColor = Value;
    Changed();
}

void TMMGrid::SetGridInterval(double Value) {
    FGridInterval = Value;
    Changed();
}

void TMMGrid::SetLineSytle(TPenStyle Value) {
    FLineSytle = Value;
    Changed();
}

void TMMGrid::Paint() {
    if (MMSurface() && MMSurface()->GetCanvas() && Visible())
        DrawGrid();
}

void TMMGrid::DrawGrid() {
    const TMMSurface& S = *MMSurface();
    TCanvas& C = *S.GetCanvas();
    const int W = S.GetPixelWidth();
    const int H = S.GetPixelHeight();
    C.Pen().Width = 1;
    C.Pen().Color = FGridColor;
    C.Pen().Style = FLineSytle;
    C.Brush().Color = S.BackGroundColor(); // the gaps of a dotted line
    ForEachLine(S.HorizScalaIncrement(), S.ScaleX(), S.XMin(), S.XMax(), S.PixelToMMX(0, true),
                S.PixelToMMX(W, true), [&](double V) {
                    const int X = S.MMToPixelX(V, true);
                    C.MoveTo(X, 0);
                    C.LineTo(X, H);
                });
    ForEachLine(S.VertScalaIncrement(), S.ScaleY(), S.YMin(), S.YMax(), S.PixelToMMY(H, true),
                S.PixelToMMY(0, true), [&](double V) {
                    const int Y = S.MMToPixelY(V, true);
                    C.MoveTo(0, Y);
                    C.LineTo(W, Y);
                });
}
