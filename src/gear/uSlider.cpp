#include "gear/uSlider.h"

#include "gear/uGearUtils.h"
#include "gear/uJoint.h"
#include "gear/uLinkKind.h"
#include "platform/Round.h"
#include "surface/UtilLib.h"

#include <cmath>
#include <numbers>

TSlider::TSlider(TComponent* AOwner) : TCustomLink(AOwner) {
    SetOrder(30);
}

TLink* TSlider::SlideLink() const {
    if (Joints().Empty())
        return nullptr;
    const TLinkList& Links = Joints().Items(0)->Links();
    if (Links.Count() < 2)
        return nullptr;
    for (TCustomLink* Link : Links)
        if (auto* Slide = AsBar(Link))
            return Slide;
    return nullptr;
}

double TSlider::GetSlideDistance() const {
    TLink* Slide = SlideLink();
    if (!Slide)
        return 0.0;
    TJoint* Reference = Slide->ReferenceJoint();
    if (!Reference)
        return 0.0;
    return Joints().Items(0)->DistanceToJoint(*Reference);
}

double TSlider::Angle() const {
    TLink* Slide = SlideLink();
    return Slide ? Slide->Angle() : 0.0;
}

void TSlider::JointMoved(TObject* Source, TJoint* Joint) {
    if (Source == this)
        return;
    int Index = Joints().IndexOf(Joint);
    if (Index != 0 && Index != 1)
        return;
    MoveUpdating(this, false, Joint->X(), Joint->Y());
}

void TSlider::Move(TObject* /*Source*/, bool Relative, double X, double Y) {
    if (Joints().Empty())
        return;
    TJoint* Virtual = Joints().Items(0);
    if (Relative)
        Virtual->MoveBy(this, X, Y);
    else
        Virtual->SetPosition(this, X, Y);
    if (Joints().Count() >= 2)
        Joints().Items(1)->SetPosition(this, Virtual->X(), Virtual->Y());
}

void TSlider::AddJoint(TJoint* Joint) {
    TCustomLink::AddJoint(Joint);
    if (Joints().Count() == 2) {
        TJoint* Virtual = Joints().Items(0);
        TJoint* Pin = Joints().Items(1);
        Virtual->SetX(Pin->X());
        Virtual->SetY(Pin->Y());
    }
}

void TSlider::RemoveJoint(TJoint* Joint) {
    RemoveFromJoints(Joint);
}

TSlider::TCorners TSlider::CalcCorners() const {
    TCorners C{};
    if (!MMSurface() || Joints().Count() < 2)
        return C;
    TPoint P = MMSurface()->MMToPixel(Joints().Items(1)->Position(), true);
    int HX = SizeX() / 2;
    int HY = SizeY() / 2;
    double Theta = std::numbers::pi / 2; // upright without a slide link
    TLink* Slide = SlideLink();
    if (Slide && Slide->Joints().Count() >= 2)
        Theta =
            LineAngle(Slide->Joints().Items(0)->Position(), Slide->Joints().Items(1)->Position());
    // Screen vectors (y down): U along the slide link, N across it.
    double UX = std::cos(Theta), UY = -std::sin(Theta);
    double NX = std::sin(Theta), NY = std::cos(Theta);
    TPoint E1{Round(-HX * UX + HY * NX), Round(-HX * UY + HY * NY)};
    TPoint E2{Round(-HX * UX - HY * NX), Round(-HX * UY - HY * NY)};
    C[0] = TPoint{P.X + E1.X, P.Y + E1.Y};
    C[1] = TPoint{P.X + E2.X, P.Y + E2.Y};
    C[2] = TPoint{P.X - E1.X, P.Y - E1.Y};
    C[3] = TPoint{P.X - E2.X, P.Y - E2.Y};
    C[4] = C[0];
    return C;
}

double TSlider::DistanceTo(double X, double Y) const {
    double Best = 1e20;
    auto Take = [&Best, X, Y](TMMPoint A, TMMPoint B) {
        double D = PointSegmentDistance(A.X, A.Y, B.X, B.Y, X, Y);
        if (D < Best)
            Best = D;
    };
    // The outline of the current view, not of the last paint: a zoom or a print since then
    // would otherwise leave the hit test on a stale or foreign outline.
    if (MMSurface() && Joints().Count() >= 2) {
        TCorners C = CalcCorners();
        for (int K = 0; K < 4; ++K)
            Take(MMSurface()->PixelToMM(C[K], true), MMSurface()->PixelToMM(C[K + 1], true));
    }
    for (int I = 2; I < Joints().Count(); ++I)
        Take(Joints().Items(0)->Position(), Joints().Items(I)->Position());
    return Best;
}

void TSlider::DrawConnection(TCanvas& Canvas, TPoint Q) const {
    auto Dist2 = [Q](TPoint C) {
        double DX = C.X - Q.X, DY = C.Y - Q.Y;
        return DX * DX + DY * DY;
    };
    int K = 0;
    for (int I = 1; I < 4; ++I)
        if (Dist2(FCorners[I]) < Dist2(FCorners[K]))
            K = I;
    TPoint Corner = FCorners[K];
    Canvas.Pen().Width = CoupleLineThickness();
    Canvas.MoveTo(Corner.X, Corner.Y);
    Canvas.LineTo(Q.X, Q.Y);
    // The mark lies in the block's edge that makes the smaller angle with the line. The raw
    // direction difference would measure across the wrap at 0 and put the mark against the edge
    // on the far side, where the block hides it.
    auto Apart = [](double Difference) {
        return std::fabs(std::remainder(Difference, 2 * std::numbers::pi));
    };
    TPoint Prev = FCorners[(K + 3) % 4];
    TPoint Next = FCorners[K + 1];
    bool PrevSide = Apart(VertexAnglePts(Corner, Prev, Q)) < Apart(VertexAnglePts(Corner, Q, Next));
    DrawSolidEdge(Canvas, Corner, Q, PrevSide ? Prev : Next, std::numbers::pi, Canvas.Pen().Color,
                  SolidEdgeSize());
}

void TSlider::Paint() {
    TCanvas* Canvas = PaintCanvas();
    if (!Canvas || Joints().Count() < 2)
        return;
    TMMSurface& Surface = *MMSurface();
    Canvas->Pen().Color = CurrentLineColor();
    // The corner marks and the block are solid, whatever the canvas was left with.
    Canvas->Brush().Style = TBrushStyle::bsSolid;
    FCorners = CalcCorners();
    for (int I = 2; I < Joints().Count(); ++I)
        DrawConnection(*Canvas, Surface.MMToPixel(Joints().Items(I)->Position(), true));

    // The block goes over the ends of the connection lines.
    Canvas->Pen().Width = LineThickness();
    Canvas->Brush().Color = CurrentFillColor();
    Canvas->Polygon(std::vector<TPoint>(FCorners.begin(), FCorners.end()));

    for (TJoint* Joint : Joints())
        Joint->Paint();
    PaintLabels(*Canvas);
}

void TSlider::PaintLabels(TCanvas& Canvas) const {
    TPoint P0 = MMSurface()->MMToPixel(Joints().Items(0)->Position(), true);
    if (ShowID()) {
        UseLabelBackground(Canvas);
        Canvas.Font().Height = IDTextHeight();
        std::string Text = std::to_string(ID());
        int H = Canvas.TextHeight("gT");
        Canvas.TextOut(P0.X + SizeX() / 2 + Canvas.TextWidth(Text) / 2, P0.Y - H - SizeY() / 2 - 4,
                       Text);
    }
    if (ShowIdentifier()) {
        UseLabelBackground(Canvas);
        Canvas.Font().Height = IdentifierTextHeight();
        Canvas.TextOut(P0.X - Canvas.TextWidth(Identifier()) / 2, P0.Y + SizeY() / 2 + 4,
                       Identifier());
    }
    if (ShowLinkCoord())
        DrawCoordCross(Canvas, P0.X, P0.Y, Angle(), CoordColor());
}
