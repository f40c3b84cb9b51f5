#include "surface/MMRuler.h"

#include "platform/Platform.h"
#include "surface/MMGrid.h"
#include "surface/MMSurface.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

constexpr TColor clBtnFace = 0xF0F0F0;
constexpr TColor TickColor = clBlack;
constexpr int RulerFontHeight = 11; // 8 points at 96 dots per inch

// The surface's axis along the ruler, in the ruler's pixels.
struct TRulerAxis {
    const TMMSurface* Surface;
    bool Vertical;
    int Offset; // from the surface control's pixels to the ruler's
    int Increment;
    double Min, Max;
    double Scale;

    // Saturates like the mapping itself, for values the doubles no longer resolve.
    int Pixel(double W) const {
        const long long P =
            (Vertical ? Surface->MMToPixelY(W, true) : Surface->MMToPixelX(W, true)) +
            static_cast<long long>(Offset);
        return static_cast<int>(std::clamp<long long>(P, INT_MIN, INT_MAX));
    }
    double World(int P) const {
        return Vertical ? Surface->PixelToMMY(P - Offset, true)
                        : Surface->PixelToMMX(P - Offset, true);
    }
};

// Tick ends across the ruler, and the steps worth drawing along it.
struct TTickPlan {
    bool Vertical;
    int Start, MajorEnd, FifthEnd, MinorEnd, LabelBand;
    bool Minors;           // minor ticks lie far enough apart
    std::int64_t KLo, KHi; // the multiples of the increment whose ticks or labels reach the panel
};

void DrawTick(TCanvas& C, const TTickPlan& T, int P, int End) {
    if (T.Vertical) {
        C.MoveTo(T.Start, P);
        C.LineTo(End, P);
    } else {
        C.MoveTo(P, T.Start);
        C.LineTo(P, End);
    }
}

// The passes run from world 0 outwards, upwards (Direction 1) while below the view's maximum and
// downwards (-1) while above its minimum, each major tick with the minor ones on its far side.
// Only the steps that reach the panel are visited: a view far from the origin costs no more.
void DrawPass(TCanvas& C, const TRulerAxis& A, const TTickPlan& T, int Direction) {
    const auto Inside = [&](std::int64_t K) {
        const double V = static_cast<double>(K * A.Increment);
        return Direction > 0 ? K <= T.KHi && V < A.Max : K >= T.KLo && V > A.Min;
    };
    for (std::int64_t K = Direction > 0 ? std::max<std::int64_t>(0, T.KLo)
                                        : std::min<std::int64_t>(0, T.KHi);
         Inside(K); K += Direction) {
        const std::int64_t V = K * A.Increment;
        if (Direction > 0 || K != 0) { // the upward pass drew zero
            const int P = A.Pixel(static_cast<double>(V));
            DrawTick(C, T, P, T.MajorEnd);
            const std::string Label = std::to_string(V);
            if (T.Vertical)
                C.TextOut(T.LabelBand, P, Label);
            else
                C.TextOut(P, T.LabelBand, Label);
        }
        if (!T.Minors)
            continue;
        for (int J = 1; J <= 9; ++J) {
            const double W = static_cast<double>(V) + Direction * (A.Increment * J / 10.0);
            DrawTick(C, T, A.Pixel(W), J == 5 ? T.FifthEnd : T.MinorEnd);
        }
    }
}

} // namespace

TMMRuler::TMMRuler(TComponent* AOwner)
    : TComponent(AOwner), FHook(*this, [this](TMessage& Message) { WndProc(Message); }),
      FBuffer(Platform().CreateBitmap(0, 0)), FChangeLink(std::make_unique<TNotifyChangeLink>()),
      FColor(clBtnFace) {
    FChangeLink->OnChange = [this](TObject*) { Paint(); };
}

TMMRuler::~TMMRuler() {
    Destroying();
    SetMMSurface(nullptr);
    SetControl(nullptr);
}

void TMMRuler::SetControl(TControl* C) {
    FHook.SetControl(C);
}

void TMMRuler::SetMMSurface(TMMSurface* S) {
    if (TMMSurface* Old = FChangeLink->Sender())
        Old->UnRegisterChanges(FChangeLink.get());
    if (FMMSurface)
        RemoveFreeNotification(FMMSurface);
    FMMSurface = S;
    if (S) {
        S->RegisterChanges(FChangeLink.get());
        FreeNotification(S);
        Paint();
    }
}

void TMMRuler::SetRulerOrientation(TRulerOrientation Value) {
    FRulerOrientation = Value;
    DrawRuler();
    Present();
}

void TMMRuler::SetScalaOrientation(TScalaOrientation Value) {
    FScalaOrientation = Value;
    DrawRuler();
    Present();
}

void TMMRuler::Paint() {
    DrawRuler();
    Raise(OnPaint, this);
    Present();
}

void TMMRuler::DrawRuler() {
    if (!FHook.Control())
        return;
    const TRect R = PanelRect();
    FBuffer->SetSize(std::max(0, R.Width()), std::max(0, R.Height()));
    ClearBackground();
    if (FMMSurface)
        DrawScale();
}

TRect TMMRuler::PanelRect() const {
    try {
        return FHook.Control()->ClientRect();
    } catch (const std::runtime_error&) {
        return TRect{}; // the window is gone
    }
}

void TMMRuler::ClearBackground() {
    TCanvas& C = Canvas();
    C.Brush().Color = FColor;
    C.Brush().Style = TBrushStyle::bsSolid;
    C.FillRect(Rect(0, 0, FBuffer->Width(), FBuffer->Height()));
}

void TMMRuler::DrawScale() {
    TCanvas& C = Canvas();
    const TMMSurface& S = *FMMSurface;
    const bool Vertical = FRulerOrientation == TRulerOrientation::roVertical;
    const int Length = Vertical ? FBuffer->Height() : FBuffer->Width();
    const int Thickness = Vertical ? FBuffer->Width() : FBuffer->Height();
    int Offset = 0;
    if (S.Control()) {
        const TPoint Own = FHook.Control()->ClientOrigin();
        const TPoint Theirs = S.Control()->ClientOrigin();
        Offset = Vertical ? Theirs.Y - Own.Y : Theirs.X - Own.X;
    }
    const TRulerAxis A =
        Vertical
            ? TRulerAxis{&S, true, Offset, S.VertScalaIncrement(), S.YMin(), S.YMax(), S.ScaleY()}
            : TRulerAxis{&S,       false,    Offset,    S.HorizScalaIncrement(),
                         S.XMin(), S.XMax(), S.ScaleX()};
    // Without an increment (a surface whose view was never applied) or with major ticks closer
    // than two pixels there is no scale to show.
    if (!LinesApart(A.Increment, A.Scale))
        return;

    C.Pen().Color = TickColor;
    C.Font().Name = "arial";
    C.Font().Height = RulerFontHeight;
    const int TH = std::min(C.TextHeight("0"), Thickness / 2);
    TTickPlan T{};
    T.Vertical = Vertical;
    const int Ticks = Thickness - TH; // the band the ticks may fill
    if (FScalaOrientation == TScalaOrientation::soTopLeft) {
        T.Start = 0;
        T.MajorEnd = Ticks;
        T.FifthEnd = Ticks / 2 + 1;
        T.MinorEnd = Ticks / 4 + 1;
        T.LabelBand = Ticks;
    } else {
        T.Start = Thickness;
        T.MajorEnd = TH;
        T.FifthEnd = Thickness - Ticks / 2 - 1;
        T.MinorEnd = Thickness - Ticks / 4 - 1;
        T.LabelBand = 0;
    }
    T.Minors = LinesApart(A.Increment / 10.0, A.Scale);
    // Ticks beside the panel still count when a label reaches in; no label is wider than this.
    const int Margin = C.TextWidth(std::to_string(std::numeric_limits<std::int64_t>::min())) + 1;
    const double EndA = A.World(-Margin);
    const double EndB = A.World(Length + Margin);
    T.KLo = StepIndex(std::floor(std::min(EndA, EndB) / A.Increment), A.Increment) - 1;
    T.KHi = StepIndex(std::ceil(std::max(EndA, EndB) / A.Increment), A.Increment) + 1;

    const TFont Font = C.Font();
    const bool Transparent = C.TextTransparent();
    if (Vertical) {
        C.Font().Escapement = 900; // reads upwards from the tick
        C.SetTextTransparent(true);
    } else {
        C.SetTextTransparent(false); // on the panel's colour
    }
    DrawPass(C, A, T, 1);
    DrawPass(C, A, T, -1);
    C.Font() = Font;
    C.SetTextTransparent(Transparent);
}

void TMMRuler::Present() {
    if (!FHook.Canvas())
        return;
    try {
        FHook.Canvas()->Draw(0, 0, *FBuffer);
    } catch (const std::runtime_error&) {
        // The panel keeps its old picture.
    }
}

void TMMRuler::WndProc(TMessage& Message) {
    const TWndMethod Old = FHook.Replaced();
    switch (Message.Msg) {
    case TMessageId::WM_PAINT:
        Paint();
        return;
    case TMessageId::WM_ERASEBKGND:
        return; // the buffer covers the panel
    case TMessageId::WM_SIZE:
        // The view may have changed before the panel took its new size: drawn then, the scale
        // ends at the old edge.
        Paint();
        break;
    default:
        break;
    }
    if (Old)
        Old(Message);
}

void TMMRuler::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (FMMSurface && AComponent == FMMSurface)
        SetMMSurface(nullptr);
    if (FHook.Control() && AComponent == FHook.Control())
        SetControl(nullptr);
}
