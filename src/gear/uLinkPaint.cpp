// How a bar or coupler plate draws itself: bar, coupler lines or corner marks, dotted extensions
// out to its sliders, its joints and its labels.
#include "gear/uGearUtils.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "surface/UtilLib.h"

#include <algorithm>
#include <numbers>

namespace {

void Line(TCanvas& Canvas, TPoint A, TPoint B) {
    Canvas.MoveTo(A.X, A.Y);
    Canvas.LineTo(B.X, B.Y);
}

} // namespace

void TLink::Paint() {
    TCanvas* Canvas = PaintCanvas();
    if (!Canvas || Joints().Count() < 2)
        return;
    UseLabelBackground(*Canvas);
    if (ShowLinkCoord())
        PaintCoordCross(*Canvas);
    PaintBody(*Canvas);
    PaintExtensions(*Canvas);
    for (TJoint* Joint : Joints())
        Joint->Paint();
    PaintLabels(*Canvas);
}

TPoint TLink::PixelOf(const TJoint& Joint) const {
    return MMSurface()->MMToPixel(Joint.Position(), true);
}

void TLink::PaintCoordCross(TCanvas& Canvas) const {
    if (const TJoint* Ref = ReferenceJoint()) {
        TPoint R = PixelOf(*Ref);
        DrawCoordCross(Canvas, R.X, R.Y, Angle(), CoordColor());
    }
}

void TLink::PaintBody(TCanvas& Canvas) const {
    const TJoint& J0 = *Joints().Items(0);
    const TJoint& J1 = *Joints().Items(1);
    TPoint P0 = PixelOf(J0);
    TPoint P1 = PixelOf(J1);
    Canvas.Pen().Color = CurrentLineColor();
    Canvas.Pen().Width = LineThickness();
    Line(Canvas, P0, P1);
    for (int I = 2; I < Joints().Count(); ++I) {
        const TJoint& Ji = *Joints().Items(I);
        if (Ji.IsVirtual() || ThinLineThickness() <= 0)
            continue;
        Canvas.Pen().Width = CoupleLineThickness();
        TPoint Pi = PixelOf(Ji);
        if (SolidEdges()) {
            // The mark sits at the nearer end of the bar; a tie goes to joint 1.
            bool AtJoint0 = Ji.DistanceToJoint(J1) > Ji.DistanceToJoint(J0);
            TPoint Corner = AtJoint0 ? P0 : P1;
            TPoint Other = AtJoint0 ? P1 : P0;
            DrawSolidEdge(Canvas, Corner, Other, Pi, 3 * std::numbers::pi / 4, Canvas.Pen().Color,
                          SolidEdgeSize());
            Line(Canvas, Corner, Pi);
        } else {
            Line(Canvas, P0, Pi);
            Canvas.LineTo(P1.X, P1.Y);
        }
    }
}

void TLink::PaintExtensions(TCanvas& Canvas) const {
    const TJoint& J0 = *Joints().Items(0);
    const TJoint& J1 = *Joints().Items(1);
    Canvas.Pen().Width = 1;
    UseLabelBackground(Canvas);
    Canvas.Pen().Style = TPenStyle::psDot;
    double XMax = std::max(J0.X(), J1.X());
    double XMin = std::min(J0.X(), J1.X());
    // Only x decides which end the extension starts from; joint 1 wins a tie.
    TPoint EndAtXMax = PixelOf(J0.X() > J1.X() ? J0 : J1);
    TPoint EndAtXMin = PixelOf(J0.X() < J1.X() ? J0 : J1);
    for (int I = 1; I < Joints().Count(); ++I) {
        const TJoint& Ji = *Joints().Items(I);
        if (!Ji.IsVirtual())
            continue;
        if (Ji.X() > XMax)
            Line(Canvas, EndAtXMax, PixelOf(Ji));
        else if (Ji.X() < XMin)
            Line(Canvas, EndAtXMin, PixelOf(Ji));
    }
    Canvas.Pen().Style = TPenStyle::psSolid;
}

void TLink::PaintLabels(TCanvas& Canvas) const {
    const TJoint& J0 = *Joints().Items(0);
    const TJoint& J1 = *Joints().Items(1);
    TPoint M = MMSurface()->MMToPixel(MMPoint((J0.X() + J1.X()) / 2, (J0.Y() + J1.Y()) / 2), true);
    if (ShowID()) {
        UseLabelBackground(Canvas);
        Canvas.Font().Height = IDTextHeight();
        std::string Text = std::to_string(ID());
        int H = Canvas.TextHeight("gT");
        Canvas.TextOut(M.X - Canvas.TextWidth(Text) / 2, M.Y - H - 4, Text);
    }
    if (ShowIdentifier()) {
        UseLabelBackground(Canvas);
        Canvas.Font().Height = IdentifierTextHeight();
        Canvas.TextOut(M.X - Canvas.TextWidth(Identifier()) / 2, M.Y + 4, Identifier());
    }
}
