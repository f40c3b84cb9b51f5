#include "gear/uRack.h"

#include "gear/uJoint.h"

TRack::TRack(TComponent* AOwner) : TCustomLink(AOwner) {
    SetOrder(40);
}

void TRack::Move(TObject* /*Source*/, bool /*Relative*/, double /*X*/, double /*Y*/) {}

void TRack::RemoveJoint(TJoint* Joint) {
    bool WasReference = Joint && ReferenceJoint() == Joint;
    if (RemoveFromJoints(Joint) < 0)
        return;
    if (WasReference)
        SetReferenceJointID(Joints().Empty() ? -1 : 0);
}

double TRack::DistanceTo(double X, double Y) const {
    double Best = 1e20;
    for (const TJoint* Joint : Joints()) {
        double D = Joint->DistanceTo(X, Y);
        if (D < Best)
            Best = D;
    }
    return Best;
}

TMMPoint TRack::GlobalToLocal(TMMPoint P) const {
    const TJoint* Reference = ReferenceJoint();
    return Reference ? MMPoint(P.X - Reference->X(), P.Y - Reference->Y()) : P;
}

TMMPoint TRack::LocalToGlobal(TMMPoint P) const {
    const TJoint* Reference = ReferenceJoint();
    return Reference ? MMPoint(P.X + Reference->X(), P.Y + Reference->Y()) : P;
}

void TRack::Paint() {
    TCanvas* Canvas = PaintCanvas();
    if (!Canvas)
        return;
    for (TJoint* Joint : Joints())
        PaintBearing(*Canvas, *Joint);
}

void TRack::PaintBearing(TCanvas& Canvas, TJoint& Joint) const {
    TPoint P = MMSurface()->MMToPixel(Joint.Position(), true);
    int S = Size();
    int H = S / 2;
    Canvas.Pen().Color = CurrentLineColor();
    Canvas.Pen().Width = LineThickness();
    // The joint sits at the apex; the base lies S pixels below it.
    Canvas.MoveTo(P.X, P.Y);
    Canvas.LineTo(P.X - S, P.Y + S);
    Canvas.LineTo(P.X + S, P.Y + S);
    Canvas.LineTo(P.X, P.Y);
    for (int BaseX : {P.X, P.X - S, P.X + S}) {
        Canvas.MoveTo(BaseX, P.Y + S);
        Canvas.LineTo(BaseX - H, P.Y + S + H);
    }
    Joint.Paint();
    if (ShowID()) {
        Canvas.Font().Height = IDTextHeight();
        Canvas.Font().Color = clBlack;
        UseLabelBackground(Canvas);
        std::string Text = std::to_string(ID());
        Canvas.TextOut(P.X - Canvas.TextWidth(Text) - Joint.Radius() - 8, P.Y, Text);
    }
}
