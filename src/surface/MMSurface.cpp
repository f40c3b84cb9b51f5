#include "surface/MMSurface.h"

#include "platform/Platform.h"
#include "platform/Round.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <iterator>
#include <stdexcept>

namespace {

// Tick spacings in world units; not a 1-2-5 series.
constexpr int ScalaIncrements[] = {1,    2,    5,    10,    20,    40,    50,
                                   100,  150,  200,  250,   500,   1000,  1250,
                                   2000, 2400, 5000, 10000, 20000, 25000, 50000};

// The first increment whose tenth is more than 3 pixels long. A zero span or a zero-size control
// has no such length, and the previous choice stays.
int PickScalaIncrement(double Pixels, double Span, int Previous) {
    const double PixelsPerUnit = Pixels / Span;
    if (!std::isfinite(PixelsPerUnit) || PixelsPerUnit == 0.0)
        return Previous;
    for (int V : ScalaIncrements)
        if (PixelsPerUnit / 10 * V > 3.0)
            return V;
    return std::end(ScalaIncrements)[-1];
}

double Scale(int Pixels, double Span) {
    if (std::fabs(Span) > 0 && std::abs(Pixels) > 0)
        return std::fabs(Pixels / Span);
    return 1.0;
}

// Sets a flag for the lifetime of the guard, also when an item's Paint throws.
class TFlagGuard {
public:
    explicit TFlagGuard(bool& Flag) : FFlag(Flag) { FFlag = true; }
    ~TFlagGuard() { FFlag = false; }
    TFlagGuard(const TFlagGuard&) = delete;
    TFlagGuard& operator=(const TFlagGuard&) = delete;

private:
    bool& FFlag;
};

} // namespace

TMMSurface::TMMSurface(TComponent* AOwner)
    : TComponent(AOwner), FHook([this](TMessage& Message) { WndProc(Message); }),
      FBuffer(Platform().CreateBitmap(20, 20)) {}

TMMSurface::~TMMSurface() {
    Destroying(); // from here on Repaint does nothing
    SetControl(nullptr);
    while (!FChangeLinks.empty())
        UnRegisterChanges(FChangeLinks.back());
    // The items let go here, while the surface is still whole, rather than through the free
    // notification of the base destructor.
    while (FGraphicItems.Count() > 0) {
        TMMGraphicItem* Item = FGraphicItems.Items(FGraphicItems.Count() - 1);
        FGraphicItems.Delete(FGraphicItems.Count() - 1);
        if (Item->MMSurface() == this)
            Item->SetMMSurface(nullptr);
    }
}

// ---- the view ----

void TMMSurface::SetXMin(double Value) {
    TMMRect R = FViewRect;
    R.Left = Value;
    SetMMRect(R);
}

void TMMSurface::SetXMax(double Value) {
    TMMRect R = FViewRect;
    R.Right = Value;
    SetMMRect(R);
}

void TMMSurface::SetYMin(double Value) {
    TMMRect R = FViewRect;
    R.Bottom = Value;
    SetMMRect(R);
}

void TMMSurface::SetYMax(double Value) {
    TMMRect R = FViewRect;
    R.Top = Value;
    SetMMRect(R);
}

TRect TMMSurface::GetClientRect() const {
    if (FPrinting)
        return FPrintRect;
    if (!FHook.Control())
        return TRect{};
    try {
        return FHook.Control()->ClientRect();
    } catch (const std::runtime_error&) {
        // The window is gone: nothing to draw on.
        return TRect{};
    }
}

double TMMSurface::ScaleX() const {
    return Scale(GetPixelWidth(), GetMMWidth());
}

double TMMSurface::ScaleY() const {
    return Scale(GetPixelHeight(), GetMMHeight());
}

int TMMSurface::MMToPixelX(double V, bool Absolute) const {
    return Absolute ? Round(ScaleX() * (V - XMin())) : Round(ScaleX() * V);
}

int TMMSurface::MMToPixelY(double V, bool Absolute) const {
    return Absolute ? Round(GetPixelHeight() - ScaleY() * (V - YMin())) : Round(ScaleY() * V);
}

TPoint TMMSurface::MMToPixel(TMMPoint P, bool Absolute) const {
    return TPoint{MMToPixelX(P.X, Absolute), MMToPixelY(P.Y, Absolute)};
}

double TMMSurface::PixelToMMX(int V, bool Absolute) const {
    return Absolute ? V / ScaleX() + XMin() : V / ScaleX();
}

double TMMSurface::PixelToMMY(int V, bool Absolute) const {
    return Absolute ? (GetPixelHeight() - V) / ScaleY() + YMin() : V / ScaleY();
}

TMMPoint TMMSurface::PixelToMM(TPoint P, bool Absolute) const {
    return TMMPoint{PixelToMMX(P.X, Absolute), PixelToMMY(P.Y, Absolute)};
}

namespace {
// The spans a view may have: beyond them the scales and the mouse positions lose all precision,
// and far beyond them they overflow. A span of exactly zero maps at one pixel per millimetre.
constexpr double MinViewSpan = 1e-6;
constexpr double MaxViewSpan = 1e12;

bool IsSaneSpan(double Span) {
    const double Size = std::fabs(Span);
    return Size == 0 || (Size >= MinViewSpan && Size <= MaxViewSpan);
}

bool IsSaneView(const TMMRect& R) {
    return std::isfinite(R.Left) && std::isfinite(R.Top) && std::isfinite(R.Right) &&
           std::isfinite(R.Bottom) && IsSaneSpan(R.Right - R.Left) && IsSaneSpan(R.Top - R.Bottom);
}
} // namespace

void TMMSurface::SetMMRect(const TMMRect& R) {
    // A new view beyond the sane spans leaves the view as it is (a zoom too far, say); the view in
    // force is always applied again, so a resize still reaches the buffer.
    if (!IsSaneView(R) && !(R == FViewRect))
        return;
    BeginUpdate();
    try {
        FViewRect = R;
        ApplySquare();
        if (!FPrinting) {
            if (const TControl* C = FHook.Control())
                FBuffer->SetPixelRatio(C->PixelRatio());
            FBuffer->SetSize(std::max(0, GetPixelWidth()), std::max(0, GetPixelHeight()));
        }
        AdjustScalaIncrement();
        DoOnCoordsChanged();
    } catch (...) {
        // A throwing follower must not leave the batch open.
        FUpdateCount = std::max(0, FUpdateCount - 1);
        throw;
    }
    EndUpdate();
}

// The axis with the larger scale gives way, so the requested rectangle stays visible and centred.
void TMMSurface::ApplySquare() {
    if (!FSquare || !GetCanvas())
        return;
    const int W = GetPixelWidth();
    const int H = GetPixelHeight();
    // A control squeezed to nothing would collapse one span to zero for good; the requested
    // rectangle is kept until the control has an area again.
    if (W <= 0 || H <= 0)
        return;
    const double SX = ScaleX();
    const double SY = ScaleY();
    if (SY >= SX) {
        const double CY = (YMax() - YMin()) / 2 + YMin();
        FViewRect.Bottom = CY - (H / 2.0) / SX;
        FViewRect.Top = (H / 2.0) / SX + CY;
    } else {
        const double CX = (XMax() - XMin()) / 2 + XMin();
        FViewRect.Left = CX - (W / 2.0) / SY;
        FViewRect.Right = (W / 2.0) / SY + CX;
    }
}

void TMMSurface::AdjustScalaIncrement() {
    FHorizScalaIncrement = PickScalaIncrement(GetPixelWidth(), GetMMWidth(), FHorizScalaIncrement);
    FVertScalaIncrement = PickScalaIncrement(GetPixelHeight(), GetMMHeight(), FVertScalaIncrement);
}

void TMMSurface::Update() {
    SetMMRect(FViewRect);
}

void TMMSurface::CenterTo(TMMPoint P) {
    const double W = GetMMWidth();
    const double H = GetMMHeight();
    SetMMRect(MMRect(P.X - W / 2, H / 2 + P.Y, W / 2 + P.X, P.Y - H / 2));
}

void TMMSurface::CenterToPixel(TPoint P) {
    CenterTo(PixelToMM(P, true));
}

void TMMSurface::ScrollX(int DX) {
    const double D = DX / ScaleX();
    TMMRect R = FViewRect;
    R.Left -= D;
    R.Right -= D;
    SetMMRect(R);
}

void TMMSurface::ScrollY(int DY) {
    const double D = DY / ScaleY();
    TMMRect R = FViewRect;
    R.Bottom += D;
    R.Top += D;
    SetMMRect(R);
}

void TMMSurface::ZoomIn(double CX, double CY, double Factor) {
    const double W = GetMMWidth();
    const double H = GetMMHeight();
    SetMMRect(
        MMRect(CX - W / 2 / Factor, H / 2 / Factor + CY, W / 2 / Factor + CX, CY - H / 2 / Factor));
}

void TMMSurface::ZoomOut(double CX, double CY, double Factor) {
    const double W = GetMMWidth();
    const double H = GetMMHeight();
    SetMMRect(
        MMRect(CX - W / 2 * Factor, H / 2 * Factor + CY, W / 2 * Factor + CX, CY - H / 2 * Factor));
}

void TMMSurface::ZoomInAtPixel(TPoint P, double Factor) {
    const TMMPoint C = PixelToMM(P, true);
    ZoomIn(C.X, C.Y, Factor);
}

void TMMSurface::ZoomOutAtPixel(TPoint P, double Factor) {
    const TMMPoint C = PixelToMM(P, true);
    ZoomOut(C.X, C.Y, Factor);
}

TPoint TMMSurface::GetCenterPixel() const {
    return TPoint{GetPixelWidth() / 2, GetPixelHeight() / 2};
}

void TMMSurface::ZoomToMMRect(double AXMin, double AXMax, double AYMin, double AYMax) {
    if (std::fabs(AXMax - AXMin) < 2) {
        AXMax += 1;
        AXMin -= 1;
    }
    if (std::fabs(AYMax - AYMin) < 2) {
        AYMax += 1;
        AYMin -= 1;
    }
    const double W = AXMax - AXMin;
    const double H = AYMax - AYMin;
    SetMMRect(MMRect(AXMin - W / 10, AYMax + H / 10, AXMax + W / 10, AYMin - H / 10));
}

void TMMSurface::ZoomToPoints(TPoint P1, TPoint P2) {
    ZoomToMMRect(std::min(P1.X, P2.X), std::max(P1.X, P2.X), std::min(P1.Y, P2.Y),
                 std::max(P1.Y, P2.Y));
}

// ---- batches and repainting ----

void TMMSurface::BeginUpdate() {
    ++FUpdateCount;
}

void TMMSurface::EndUpdate() {
    if (FUpdateCount > 0)
        --FUpdateCount;
    if (FUpdateCount == 0)
        Repaint(false);
}

TMMUpdateBracket::TMMUpdateBracket(TMMSurface* Surface)
    : FSurface(Surface), FExceptionsOnTheirWay(std::uncaught_exceptions()) {
    if (FSurface)
        FSurface->BeginUpdate();
}

TMMUpdateBracket::~TMMUpdateBracket() noexcept(false) {
    if (!FSurface)
        return;
    if (std::uncaught_exceptions() == FExceptionsOnTheirWay) {
        FSurface->EndUpdate();
        return;
    }
    try {
        FSurface->EndUpdate();
    } catch (...) {
    }
}

void TMMSurface::Repaint(bool ResetUpdates) {
    if (ResetUpdates)
        FUpdateCount = 0;
    if (IsUpdating() || IsDestroying())
        return;
    if (FPainting) {
        // An item or handler asked for a repaint while the items paint: one more pass follows.
        FRepaintAgain = true;
        return;
    }
    {
        TFlagGuard Painting(FPainting);
        FRepaintAgain = false;
        Clear();
        DoOnPaint();
        if (FRepaintAgain) {
            FRepaintAgain = false;
            Clear();
            DoOnPaint();
        }
        FRepaintAgain = false;
    }
    if (!FPrinting)
        BringBufferToFront();
}

void TMMSurface::OnWillRepaint(TObject*) {
    if (FPainting) {
        // Sorting now would reorder the list under the paint loop.
        FRepaintAgain = true;
        return;
    }
    // While updating, every changed item asks: the repaint at the end sorts once.
    if (IsUpdating())
        return;
    FGraphicItems.SortByOrder();
    Repaint(false);
}

void TMMSurface::Clear() {
    TCanvas* C = GetCanvas();
    if (!C)
        return;
    C->Brush().Color = FBackGroundColor;
    C->Brush().Style = TBrushStyle::bsSolid;
    C->FillRect(Rect(0, 0, GetPixelWidth(), GetPixelHeight()));
}

void TMMSurface::DoOnPaint() {
    FGraphicItems.SortByOrder();
    for (int I = 0; I < FGraphicItems.Count(); ++I)
        FGraphicItems.Items(I)->Paint();
    Raise(OnPaint, this);
}

void TMMSurface::BringBufferToFront() {
    TCanvas* C = GetControlCanvas();
    if (!C || !FBuffer)
        return;
    try {
        C->Draw(0, 0, *FBuffer);
    } catch (const std::runtime_error&) {
        // The screen keeps its old picture; the surface stays usable.
    }
}

// ---- items and followers ----

void TMMSurface::RegisterGraphicItem(TMMGraphicItem* Item) {
    FGraphicItems.Add(Item);
}

void TMMSurface::UnRegisterGraphicItem(TMMGraphicItem* Item) {
    if (FGraphicItems.Remove(Item))
        Repaint(false);
}

void TMMSurface::RegisterChanges(TNotifyChangeLink* Link) {
    Link->SetSender(this);
    FChangeLinks.push_back(Link);
}

void TMMSurface::UnRegisterChanges(TNotifyChangeLink* Link) {
    auto It = std::find(FChangeLinks.begin(), FChangeLinks.end(), Link);
    if (It == FChangeLinks.end())
        return;
    Link->SetSender(nullptr);
    FChangeLinks.erase(It);
}

void TMMSurface::NotifyChange() {
    // By index: a follower may unregister while it is told.
    for (std::size_t I = 0; I < FChangeLinks.size(); ++I)
        FChangeLinks[I]->Change();
}

void TMMSurface::DoOnCoordsChanged() {
    NotifyChange();
    Raise(OnCoordsChanged, this);
}

// ---- canvases, control and print mode ----

TCanvas* TMMSurface::GetCanvas() const {
    if (FPrinting)
        return FPrintCanvas;
    return FHook.Control() ? &FBuffer->Canvas() : nullptr;
}

TCanvas* TMMSurface::GetControlCanvas() const {
    if (FPrinting)
        return FPrintCanvas;
    return FHook.Canvas();
}

void TMMSurface::SetControl(TControl* C) {
    FHook.SetControl(C);
    UpdateClientRect();
}

void TMMSurface::UpdateClientRect() {
    if (FHook.Control())
        SetMMRect(FViewRect);
}

void TMMSurface::SetPrintRect(const TRect& R) {
    FPrintRect = R;
    SetMMRect(FViewRect);
}

void TMMSurface::SetPrinting(bool On) {
    FPrinting = On && FPrintCanvas;
    SetMMRect(FViewRect);
}

// ---- the window hook ----

void TMMSurface::DoMouseButton(const TMessage& Message, const TMMMouseEvent& Event,
                               TMouseButton Button) {
    if (Event)
        Event(this, Button, Message.Shift, Message.X, Message.Y, PixelToMMX(Message.X, true),
              PixelToMMY(Message.Y, true));
}

void TMMSurface::WndProc(TMessage& Message) {
    // A handler may unhook the control; the message still reaches the procedure it came through.
    const TWndMethod Old = FHook.Replaced();
    switch (Message.Msg) {
    case TMessageId::WM_LBUTTONDOWN:
        DoMouseButton(Message, OnMouseDown, TMouseButton::mbLeft);
        break;
    case TMessageId::WM_RBUTTONDOWN:
        DoMouseButton(Message, OnMouseDown, TMouseButton::mbRight);
        break;
    case TMessageId::WM_MBUTTONDOWN:
        DoMouseButton(Message, OnMouseDown, TMouseButton::mbMiddle);
        break;
    case TMessageId::WM_LBUTTONUP:
        DoMouseButton(Message, OnMouseUp, TMouseButton::mbLeft);
        break;
    case TMessageId::WM_RBUTTONUP:
        DoMouseButton(Message, OnMouseUp, TMouseButton::mbRight);
        break;
    case TMessageId::WM_MBUTTONUP:
        DoMouseButton(Message, OnMouseUp, TMouseButton::mbMiddle);
        break;
    case TMessageId::WM_MOUSEMOVE:
        if (OnMouseMove)
            OnMouseMove(this, Message.Shift, Message.X, Message.Y, PixelToMMX(Message.X, true),
                        PixelToMMY(Message.Y, true));
        break;
    case TMessageId::WM_SIZE:
    case TMessageId::WM_WINDOWPOSCHANGED:
        UpdateClientRect();
        Raise(OnResize, this);
        break;
    case TMessageId::WM_PAINT:
        Repaint(false);
        Raise(OnPaint, this);
        return;
    case TMessageId::WM_ERASEBKGND:
        return; // the buffer covers everything: no flicker
    case TMessageId::WM_OTHER:
        break;
    }
    if (Old)
        Old(Message);
}
