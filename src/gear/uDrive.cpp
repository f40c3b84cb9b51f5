#include "gear/uDrive.h"

#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "platform/Round.h"
#include "surface/MMSurface.h"
#include "surface/UtilLib.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TDrive::TDrive(TComponent* AOwner) : TMMGraphicItem(AOwner), FValues(21, 0.0) {
    SetVisible(true);
    SetOrder(100);
}

TDrive::~TDrive() {
    FValues.clear();
    FJoint = nullptr;
    FLink0 = nullptr;
    FLink1 = nullptr;
}

void TDrive::SetIntervals(int Value) {
    FIntervals = Value;
    FRevision.Touch();
    // A negative count (typed or from a file) still leaves the one entry a drive always has.
    FValues.resize(static_cast<std::size_t>(std::max(Value, 0)) + 1, 0.0);
}

void TDrive::SetValue(int Index, double Value) {
    if (Index < 0)
        return;
    FValues.resize(static_cast<std::size_t>(Index) + 1, 0.0);
    FValues[static_cast<std::size_t>(Index)] = Value;
    FRevision.Touch();
}

double TDrive::GetValue(int Index) const {
    return ValueAt(Index);
}

double TDrive::ValueAt(int Index) const {
    if (Index < 0 || Index >= static_cast<int>(FValues.size()))
        return 0.0;
    return FValues[static_cast<std::size_t>(Index)];
}

TJoint* TDrive::GetJoint() const {
    if (FDriveType == dtSliding)
        return FLink1 ? FLink1->ReferenceJoint() : nullptr;
    return FJoint;
}

bool TDrive::SlidesAgainstLinkAngle() const {
    // Below this the slider stands on the drive joint and takes the link's own direction.
    constexpr double Behind = 1e-9;
    const TJoint* Reference = GetJoint();
    if (FDriveType != dtSliding || !Reference || !FLink0 || FLink0->Joints().Empty())
        return false;
    const TJoint* Block = FLink0->Joints().Items(0);
    const double A = FLink1->Angle();
    const double Along =
        (Block->X() - Reference->X()) * std::cos(A) + (Block->Y() - Reference->Y()) * std::sin(A);
    return Along < -Behind;
}

std::string TDrive::GetDisplayText() const {
    auto Number = [](const TCustomLink* Link) {
        return Link ? std::to_string(Link->ID()) : std::string("?");
    };
    if (FDriveType == dtSliding)
        return "[Schub] Gleitstein " + Number(FLink0) + " auf " + Number(FLink1);
    // The higher link number comes first, whichever link holds the drive.
    const TCustomLink* High = FLink0;
    const TCustomLink* Low = FLink1;
    if (!High || (Low && Low->ID() > High->ID()))
        std::swap(High, Low);
    return "[Dreh] Glied " + Number(High) + " um " + Number(Low);
}

void TDrive::Paint() {
    if (!Visible() || !MMSurface() || !GetJoint() || !FLink0 || !FLink1)
        return;
    TCanvas* Canvas = MMSurface()->GetCanvas();
    if (!Canvas)
        return;
    double LastValue = ValueAt(GetLastIndex());
    Canvas->Pen().Color = FLineColor;
    Canvas->Pen().Width = FLineThickness;
    // The arrow heads are filled, whatever the canvas was left with.
    Canvas->Brush().Style = TBrushStyle::bsSolid;
    if (FDriveType == dtRotary)
        PaintRotary(*Canvas, LastValue);
    else if (FDriveType == dtSliding)
        PaintSliding(*Canvas, LastValue);
}

void TDrive::PaintRotary(TCanvas& Canvas, double LastValue) const {
    TPoint P = MMSurface()->MMToPixel(FJoint->Position(), true);
    int R = FRadius;
    auto ArcPoint = [P, R](double A) {
        return TPoint{Trunc(P.X + R * std::cos(A)), Trunc(P.Y - R * std::sin(A))};
    };
    TPoint A = ArcPoint(FAngle1);
    TPoint B = ArcPoint(FAngle2);
    Canvas.Arc(P.X - R, P.Y - R, P.X + R, P.Y + R, A.X, A.Y, B.X, B.Y);
    // A positive drive turns anticlockwise, so its arrow sits at the end of the arc.
    TPoint Tip = LastValue >= 0 ? B : A;
    DrawArrowHead(Canvas, Tip.X, Tip.Y - 3, FArrowHeight, FArrowWidth, 3 * std::numbers::pi / 2,
                  FLineColor);
}

void TDrive::PaintSliding(TCanvas& Canvas, double LastValue) const {
    if (FLink0->Joints().Empty())
        return;
    TPoint P = MMSurface()->MMToPixel(FLink0->Joints().Items(0)->Position(), true);
    double A = FLink1->Angle();
    // Screen vectors (y down): U along the slide link, N across it.
    double UX = std::cos(A), UY = -std::sin(A);
    double NX = std::sin(A), NY = std::cos(A);
    TPoint P1{Trunc(P.X - 15 * UX + 16 * NX), Trunc(P.Y - 15 * UY + 16 * NY)};
    TPoint P2{Trunc(P.X + 15 * UX + 16 * NX), Trunc(P.Y + 15 * UY + 16 * NY)};
    Canvas.MoveTo(P1.X, P1.Y);
    Canvas.LineTo(P2.X, P2.Y);
    // The arrow shows the way the slider moves, which is against the link for one behind the
    // drive joint.
    if ((LastValue >= 0) != SlidesAgainstLinkAngle())
        DrawArrowHead(Canvas, P2.X, P2.Y, FArrowHeight, FArrowWidth, A, FLineColor);
    else
        DrawArrowHead(Canvas, P1.X, P1.Y, FArrowHeight, FArrowWidth, A + std::numbers::pi,
                      FLineColor);
}
