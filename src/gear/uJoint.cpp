#include "gear/uJoint.h"

#include "gear/uGearLimits.h"
#include "gear/uLink.h"
#include "surface/UtilLib.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// How deeply joint notifications are nested right now, and the number of the current move from
// outside the cascade (the GUI thread is the only one).
int NotifyDepth = 0;
std::uint64_t OutsideMove = 0;

class TNotifyDepthGuard {
public:
    TNotifyDepthGuard() {
        if (NotifyDepth == 0)
            ++OutsideMove;
        ++NotifyDepth;
    }
    ~TNotifyDepthGuard() { --NotifyDepth; }
    TNotifyDepthGuard(const TNotifyDepthGuard&) = delete;
    TNotifyDepthGuard& operator=(const TNotifyDepthGuard&) = delete;
};

} // namespace

TJoint::TJoint(TComponent* AOwner) : TGearPart(AOwner) {
    SetOrder(50);
}

TJoint::~TJoint() {
    FLinks.Clear();
}

void TJoint::SetListing(TPartListing* Listing) {
    TGearPart::SetListing(Listing);
    FLinks.SetRevision(Listing ? &Listing->Revision() : nullptr);
}

void TJoint::SetIsVirtual(bool Value) {
    Stored(FIsVirtual, Value);
    SetVisibleQuietly(!Value);
}

void TJoint::SetRadius(int Value) {
    FRadius = Value;
    Changed();
}

// Moves by the user and by the editing commands keep the joint inside the bounds that files have.
void TJoint::SetPosition(TObject* Source, double AX, double AY) {
    AX = ClampCoordinate(AX);
    AY = ClampCoordinate(AY);
    if (IsSameValue(FX, AX) && IsSameValue(FY, AY))
        return;
    FX = AX;
    FY = AY;
    Touched();
    NotifyLinks(Source);
}

void TJoint::MoveBy(TObject* Source, double DX, double DY) {
    FX = ClampCoordinate(FX + DX);
    FY = ClampCoordinate(FY + DY);
    Touched();
    NotifyLinks(Source);
}

void TJoint::NotifyLinks(TObject* Source) {
    if (NotifyDepth >= MaxNotifyDepth)
        return;
    TNotifyDepthGuard Guard;
    if (FNotifyMove != OutsideMove) {
        FNotifyMove = OutsideMove;
        FNotifies = 0;
    }
    if (FNotifies == MaxNotifiesPerMove)
        return;
    ++FNotifies;
    for (int I = 0; I < FLinks.Count(); ++I) {
        TCustomLink* Link = FLinks.Items(I);
        if (static_cast<TObject*>(Link) != Source)
            Link->JointMoved(Source, this);
    }
}

void TJoint::AddLink(TCustomLink* Link) {
    if (!FLinks.Contains(Link))
        FLinks.Add(Link);
}

void TJoint::RemoveLink(TCustomLink* Link) {
    FLinks.Remove(Link);
}

double TJoint::DistanceTo(double AX, double AY) const {
    return std::hypot(AX - FX, AY - FY);
}

double TJoint::DistanceToJoint(const TJoint& Other) const {
    return DistanceTo(Other.FX, Other.FY);
}

bool IsSamePlace(TMMPoint A, TMMPoint B) {
    return std::fabs(A.X - B.X) < SamePlaceTolerance && std::fabs(A.Y - B.Y) < SamePlaceTolerance;
}

bool TJoint::IsSamePosition(const TJoint& Other) const {
    return IsSamePlace(Position(), Other.Position());
}

std::string TJoint::MPol() const {
    // Pairs are compared by their numbers, not by text: "12 " is a substring of "112 ".
    std::vector<std::pair<int, int>> Pairs;
    std::string Text;
    for (int I = 0; I < FLinks.Count(); ++I)
        for (int J = 0; J <= I; ++J) {
            int A = FLinks.Items(I)->ID();
            int B = FLinks.Items(J)->ID();
            if (A == B)
                continue;
            std::pair<int, int> Pair = std::minmax(A, B);
            if (std::find(Pairs.begin(), Pairs.end(), Pair) != Pairs.end())
                continue;
            Pairs.push_back(Pair);
            Text += std::to_string(Pair.first);
            Text += std::to_string(Pair.second);
            Text += ' ';
        }
    return Text;
}

std::string TJoint::GetDisplayText() const {
    std::string Poles = MPol();
    if (Poles.empty())
        Poles = std::to_string(ID()) + "-";
    std::string Number = "(" + PaddedInt(ID(), 2) + ") ";
    if (!Identifier().empty())
        return Number + "\"" + Identifier() + "\" " + Poles;
    return Number + Poles;
}

void TJoint::GetBounds(TMMRect& R) {
    R = MMRect(FX - FRadius, FY + FRadius, FX + FRadius, FY - FRadius);
}

int TJoint::CurrentRadius() const {
    return FLinks.Count() >= 2 ? FRadius : FSmallRadius;
}

void TJoint::Paint() {
    TCanvas* Canvas = PaintCanvas();
    if (!Canvas)
        return;
    TPoint P = MMSurface()->MMToPixel(Position(), true);
    int R = CurrentRadius();
    Canvas->Pen().Color = CurrentLineColor();
    Canvas->Pen().Width = FIsVirtual ? 10 : LineThickness();
    Canvas->Brush().Color = CurrentFillColor();
    Canvas->Brush().Style = TBrushStyle::bsSolid;
    Canvas->Ellipse(P.X - R, P.Y - R, P.X + R + 1, P.Y + R + 1);
    if (FShowMiddle)
        Canvas->SetPixel(P.X, P.Y, LineColor());
    PaintLabels(*Canvas, P, R);
}

void TJoint::PaintLabels(TCanvas& Canvas, TPoint P, int R) const {
    if (ShowID()) {
        UseLabelBackground(Canvas);
        Canvas.Font().Height = IDTextHeight();
        int W = Canvas.TextWidth("v");
        int H = Canvas.TextHeight("gT");
        Canvas.TextOut(P.X + R + W, P.Y - H / 2 - W, "(" + std::to_string(ID()) + ")");
    }
    // The name and pole labels keep clear of the full radius even on a small joint.
    if (ShowIdentifier() && !Identifier().empty()) {
        UseLabelBackground(Canvas);
        Canvas.Font().Height = IdentifierTextHeight();
        int W = Canvas.TextWidth("v");
        Canvas.TextOut(P.X - Canvas.TextWidth(Identifier()) / 2, P.Y + FRadius + W, Identifier());
    }
    std::string Poles = FShowMPol ? MPol() : std::string();
    if (!Poles.empty()) {
        UseLabelBackground(Canvas);
        Canvas.Font().Height = IdentifierTextHeight();
        int W = Canvas.TextWidth("v");
        int H = Canvas.TextHeight("gT");
        Canvas.TextOut(P.X - Canvas.TextWidth(Poles) / 2, P.Y - H - FRadius - W, Poles);
    }
}
