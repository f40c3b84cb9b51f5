#include "surface/MMDiagram.h"

#include "surface/MMSurface.h"

#include <algorithm>

TMMDataSerie* TMMDataSeries::Add(std::unique_ptr<TMMDataSerie> Serie) {
    FSeries.push_back(std::move(Serie));
    return FSeries.back().get();
}

bool TMMDataSeries::Remove(const TMMDataSerie* Serie) {
    auto It = std::find_if(FSeries.begin(), FSeries.end(),
                           [Serie](const auto& S) { return S.get() == Serie; });
    if (It == FSeries.end())
        return false;
    FSeries.erase(It);
    return true;
}

TMMDiagram::TMMDiagram(TComponent* AOwner) : TMMGraphicItem(AOwner) {
    FollowViewChanges([this](TObject* Sender) { SurfaceChanged(Sender); });
    SetOrder(1);
}

TMMDiagram::~TMMDiagram() {
    if (MMSurface())
        SetMMSurface(nullptr);
}

namespace {

constexpr double NoMinimum = 1e20;
constexpr double NoMaximum = -1e20;

// Folds one coordinate of every element into Start with Better (strictly better only).
template <class TCoord, class TBetter>
double Extreme(const TMMDataSeries& Series, double Start, TCoord Coord, TBetter Better) {
    double Result = Start;
    for (int I = 0; I < Series.Count(); ++I)
        for (const TMMDataElement& E : Series.Items(I)->Elements())
            if (Better(Coord(E), Result))
                Result = Coord(E);
    return Result;
}

double XOf(const TMMDataElement& E) {
    return E.X();
}
double YOf(const TMMDataElement& E) {
    return E.Y();
}
bool Less(double A, double B) {
    return A < B;
}
bool Greater(double A, double B) {
    return A > B;
}

} // namespace

double TMMDiagram::GetMinX() const {
    return Extreme(FSeries, NoMinimum, XOf, Less);
}

double TMMDiagram::GetMaxX() const {
    return Extreme(FSeries, NoMaximum, XOf, Greater);
}

double TMMDiagram::GetMinY() const {
    return Extreme(FSeries, NoMinimum, YOf, Less);
}

double TMMDiagram::GetMaxY() const {
    return Extreme(FSeries, NoMaximum, YOf, Greater);
}

void TMMDiagram::SurfaceChanged(TObject*) {
    Changed();
}

void TMMDiagram::Paint() {
    if (!Visible() || !MMSurface())
        return;
    if (TCanvas* C = MMSurface()->GetCanvas())
        DrawSeries(*C);
}

void TMMDiagram::DrawSeries(TCanvas& C) const {
    for (int I = 0; I < FSeries.Count(); ++I)
        if (FSeries.Items(I)->Visible())
            DrawSerie(C, *FSeries.Items(I));
}

void TMMDiagram::DrawSerie(TCanvas& C, const TMMDataSerie& Serie) const {
    const TMMSurface& S = *MMSurface();
    bool Start = true;
    for (const TMMDataElement& E : Serie.Elements()) {
        C.Pen().Color = Serie.Color();
        C.Pen().Style = TPenStyle::psSolid;
        C.Pen().Width = Serie.Width();
        // A point without a finite place breaks the line like an invalid one.
        if (!E.Plottable()) {
            Start = true;
            continue;
        }
        const int X = S.MMToPixelX(E.X(), true);
        const int Y = S.MMToPixelY(E.Y(), true);
        if (Start)
            C.MoveTo(X, Y);
        else
            C.LineTo(X, Y);
        Start = false;
    }
}
