#include "surface/MMIntervalLine.h"

#include "surface/MMSurface.h"

void TMMIntervalLine::SetPosition(int Value) {
    FPosition = Value;
    Changed();
}

void TMMIntervalLine::Paint() {
    TMMSurface* Surface = MMSurface();
    TCanvas* C = Surface ? Surface->GetCanvas() : nullptr;
    if (!C || !Visible())
        return;
    C->Pen() = TPen{clBlack, 1, TPenStyle::psDashDotDot};
    const int X = Surface->MMToPixelX(FPosition, true);
    C->MoveTo(X, 0);
    C->LineTo(X, Surface->GetPixelHeight());
}
