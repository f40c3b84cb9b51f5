// Drawing coupler curves and plane positions from the cached rows.
#include "gear/uCrvPln.h"

#include "gear/uGearCache.h"
#include "platform/Canvas.h"
#include "surface/MMSurface.h"

#include <cmath>

void TCurve::Paint() {
    TCanvas* Canvas = PenCanvas();
    const int J = CachedJointIndex();
    if (!Canvas || J < 0)
        return;
    const TMMSurface& Surface = *MMSurface();
    // A piece runs from one invalid row to the next; a lone valid row leaves no line.
    auto EndPiece = [&] {
        if (FPiece.size() > 1)
            Canvas->Polyline(FPiece);
        FPiece.clear();
    };
    const int M = PositionsToDraw();
    for (int K = 0; K < M; ++K) {
        const TCacheRow Row = FCache.Row(K);
        if (Row.Valid())
            FPiece.push_back(Surface.MMToPixel(Row.Joints()[J], true));
        else
            EndPiece();
    }
    EndPiece();
}

void TPlane::Paint() {
    TCanvas* Canvas = PenCanvas();
    const int J = CachedJointIndex();
    const int L = CachedLinkIndex();
    const int M = PositionsToDraw();
    if (!Canvas || J < 0 || L < 0 || M == 0)
        return;
    const TMMSurface& Surface = *MMSurface();
    // Row 0 sets the turn even when it could not be solved: it then holds angle 0.
    const double Turn = Beta() - FCache.Row(0).Links()[L].Angle;
    for (int K = 0; K < M; ++K) {
        const TCacheRow Row = FCache.Row(K);
        if (!Row.Valid())
            continue;
        const TMMPoint P = Row.Joints()[J];
        const double A = Row.Links()[L].Angle + Turn;
        const TMMPoint Q = MMPoint(P.X + Length() * std::cos(A), P.Y + Length() * std::sin(A));
        const TPoint From = Surface.MMToPixel(P, true);
        const TPoint To = Surface.MMToPixel(Q, true);
        Canvas->MoveTo(From.X, From.Y);
        Canvas->LineTo(To.X, To.Y);
    }
}
