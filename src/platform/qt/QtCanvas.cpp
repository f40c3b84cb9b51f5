#include "platform/qt/QtCanvas.h"

#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtPixelWrites.h"

#include <QFontMetrics>
#include <QPixmap>
#include <QPolygon>
#include <QScopedValueRollback>
#include <QString>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace {

QString ToQString(const std::string& S) {
    return QString::fromUtf8(S.data(), static_cast<qsizetype>(S.size()));
}

QPolygon ToQPolygon(const std::vector<TPoint>& Points) {
    QPolygon P;
    P.reserve(static_cast<qsizetype>(Points.size()));
    for (const TPoint& Pt : Points)
        P.append(QPoint(Pt.X, Pt.Y));
    return P;
}

// Saturated pixels lie far beyond any page. Kept within this range, a box's size stays an int.
int Bounded(int V) {
    return std::clamp(V, -(1 << 28), 1 << 28);
}

// The point (X1, Y1) to (X2, Y2), both included, in either order.
QRect Between(int X1, int Y1, int X2, int Y2) {
    return QRect(QPoint(Bounded(std::min(X1, X2)), Bounded(std::min(Y1, Y2))),
                 QPoint(Bounded(std::max(X1, X2)), Bounded(std::max(Y1, Y2))));
}

// The pixels of the box (X1, Y1)-(X2, Y2) without its right and bottom edge; X1 != X2, Y1 != Y2.
QRect PixelBox(int X1, int Y1, int X2, int Y2) {
    return Between(X1, Y1, X2, Y2).adjusted(0, 0, -1, -1);
}

// The same box as the outline QPainter draws: one pixel wider and higher than the rectangle.
QRect OutlineBox(int X1, int Y1, int X2, int Y2) {
    return PixelBox(X1, Y1, X2, Y2).adjusted(0, 0, -1, -1);
}

// A box of Size at (X, Y), which may lie anywhere an int reaches.
QRect BoxAt(int X, int Y, QSize Size) {
    return QRect(QPoint(Bounded(X), Bounded(Y)), Size);
}

// The box of the points, both ends included.
QRect Around(const std::vector<TPoint>& Points) {
    auto [Left, Right] = std::minmax_element(Points.begin(), Points.end(),
                                             [](TPoint A, TPoint B) { return A.X < B.X; });
    auto [Top, Bottom] = std::minmax_element(Points.begin(), Points.end(),
                                             [](TPoint A, TPoint B) { return A.Y < B.Y; });
    return Between(Left->X, Top->Y, Right->X, Bottom->Y);
}

// Dashes and gaps in pen widths, from the start of a line; empty for a solid line.
QList<qreal> DashPattern(TPenStyle Style) {
    if (Style == TPenStyle::psDot)
        return {3, 3};
    if (Style == TPenStyle::psDashDotDot)
        return {9, 3, 3, 3, 3, 3};
    return {};
}

QPen ToQPen(const TPen& Pen) {
    if (Pen.Style == TPenStyle::psClear)
        return QPen(Qt::NoPen);
    QPen P(TQtCanvas::ToQColor(Pen.Color));
    P.setWidth(std::max(1, Pen.Width));
    if (Pen.Width <= 1) {
        // A one-pixel line leaves out its last pixel.
        P.setCapStyle(Qt::FlatCap);
        P.setJoinStyle(Qt::MiterJoin);
    } else {
        P.setCapStyle(Qt::RoundCap);
        P.setJoinStyle(Qt::RoundJoin);
    }
    if (const QList<qreal> Dashes = DashPattern(Pen.Style); !Dashes.isEmpty())
        P.setDashPattern(Dashes);
    return P;
}

// The device pixel ratio as the device's painter applies it; the paint device's own answer is
// rounded to 1/65536 for every device.
qreal ExactRatio(const QPaintDevice& Device) {
    if (Device.devType() == QInternal::Image)
        return static_cast<const QImage&>(Device).devicePixelRatio();
    if (Device.devType() == QInternal::Pixmap)
        return static_cast<const QPixmap&>(Device).devicePixelRatio();
    return Device.devicePixelRatio();
}

// The parametric angle in degrees, anticlockwise on screen, of the radial from the centre of the
// box through (X, Y), which is how QPainter measures arcs of an ellipse.
double RadialAngle(const QRectF& Box, int X, int Y) {
    const QPointF C = Box.center();
    const double RX = Box.width() / 2;
    const double RY = Box.height() / 2;
    return std::atan2(-(Y - C.y()) / RY, (X - C.x()) / RX) * 180 / std::numbers::pi;
}

} // namespace

TQtCanvas::TQtCanvas(QPaintDevice* Device)
    : FDevice(Device), FOwnPainter(std::make_unique<QPainter>()) {}

TQtCanvas::TQtCanvas(QPainter& Painter) : FPainter(&Painter) {}

TQtCanvas::~TQtCanvas() {
    Flush();
}

void TQtCanvas::Flush() {
    if (!FAtOnce && !FPending.Empty()) {
        const TState Now = State();
        {
            const QScopedValueRollback<bool> AtOnce(FAtOnce, true);
            FPending.Replay([this](const TQtPendingDrawing::TStep& S) {
                if (S.Call)
                    S.Call();
                else
                    CopyNow(S);
            });
        }
        Restore(Now);
    }
    if (FOwnPainter && FOwnPainter->isActive())
        FOwnPainter->end();
}

TQtCanvas::TState TQtCanvas::State() const {
    return TState{Pen(), Brush(), Font(), TextTransparent()};
}

void TQtCanvas::Restore(const TState& S) {
    Pen() = S.Pen;
    Brush() = S.Brush;
    Font() = S.Font;
    SetTextTransparent(S.TextTransparent);
}

template <typename TCall> bool TQtCanvas::Deferred(TCall Call) {
    if (!FDefers || FAtOnce)
        return false;
    FPending.Add({[this, S = State(), Call] {
                      Restore(S);
                      Call();
                  },
                  {},
                  nullptr,
                  {},
                  {}});
    if (FPending.Full())
        Flush();
    return true;
}

void TQtCanvas::Copy(TQtPendingDrawing::TStep Step) {
    if (!FDefers || FAtOnce) {
        CopyNow(Step);
        return;
    }
    FPending.Add(std::move(Step));
    if (FPending.Full())
        Flush();
}

void TQtCanvas::CopyNow(const TQtPendingDrawing::TStep& Step) {
    QPainter* P = Begin(false);
    if (!P)
        return;
    const QImage& Source = Step.Shape ? Step.Shape->Image : Step.Label;
    QImage* Target = !Step.Shape || Step.Shape->Runs ? WritableImage(Step.Box) : nullptr;
    if (!Target)
        // The source has the device's ratio: its device pixels land on the box's.
        P->drawImage(QPointF(Step.Box.topLeft()) / Source.devicePixelRatio(), Source);
    else if (Step.Shape)
        QtPixelWrites::CopyRuns(*Target, Step.Box.topLeft(), Source, *Step.Shape->Runs);
    else
        QtPixelWrites::CopyAll(*Target, Step.Box.topLeft(), Source);
    Drawn(Step.Ink);
}

void TQtCanvas::FillRectNow(const TRect& R) {
    const QScopedValueRollback<bool> AtOnce(FAtOnce, true);
    TQtCanvas::FillRect(R);
}

QColor TQtCanvas::ToQColor(TColor C) {
    return QColor(GetRValue(C), GetGValue(C), GetBValue(C));
}

QPainter* TQtCanvas::Begin(bool WithBrush) {
    if (FOwnPainter) {
        if (!FOwnPainter->isActive()) {
            if (!FDevice || FDevice->width() <= 0 || FDevice->height() <= 0)
                return nullptr;
            if (!FOwnPainter->begin(FDevice))
                return nullptr;
            FOwnPainter->setRenderHint(QPainter::Antialiasing, false);
            FStateKnown = false;
        }
        FPainter = FOwnPainter.get();
    } else {
        // Someone else's painter may have been changed between calls.
        if (FPainter)
            FPainter->setRenderHint(QPainter::Antialiasing, false);
        FStateKnown = false;
    }
    if (!FPainter || !FPainter->isActive())
        return nullptr;
    if (!FStateKnown || !(FPainterPen == Pen())) {
        FPainter->setPen(ToQPen(Pen()));
        FPainterPen = Pen();
    }
    if (WithBrush) {
        std::optional<TColor> Fill;
        if (Brush().Style == TBrushStyle::bsSolid)
            Fill = Brush().Color;
        if (!FStateKnown || Fill != FPainterFill) {
            if (Fill)
                FPainter->setBrush(ToQColor(*Fill));
            else
                FPainter->setBrush(Qt::NoBrush);
            FPainterFill = Fill;
        }
    } else if (!FStateKnown) {
        FPainter->setBrush(Qt::NoBrush);
        FPainterFill.reset();
    }
    FStateKnown = true;
    return FPainter;
}

void TQtCanvas::DoLine(TPoint From, TPoint To) {
    if (From == To || Deferred([=, this] { TQtCanvas::DoLine(From, To); }))
        return;
    if (QPainter* P = Begin(false)) {
        if (!FillAxisLine(From, To) && !FillSlantedLine(From, To))
            DrawSegment(*P, From, To);
        Drawn(Padded(Between(From.X, From.Y, To.X, To.Y)));
    }
}

template <class TRun, class TRunRect>
bool TQtCanvas::FillRuns(TPoint From, const QtPixelWrites::TDeviceGrid& G, const QRect& Box,
                         const std::vector<TRun>& Runs, TRunRect RunRect) {
    const std::optional<QPoint> Anchor = G.Anchor(QPoint(From.X, From.Y));
    if (!Anchor)
        return false;
    QImage* Target = WritableImage(Box.translated(*Anchor) & static_cast<QImage*>(FDevice)->rect());
    if (!Target)
        return false;
    // The device clips the stroke run by run.
    const QRgb Colour = ToQColor(Pen().Color).rgb();
    for (const TRun& R : Runs)
        if (const QRect Shown = RunRect(R).translated(*Anchor) & Target->rect(); !Shown.isEmpty())
            QtPixelWrites::Fill(*Target, Shown, Colour);
    return true;
}

bool TQtCanvas::FillAxisLine(TPoint From, TPoint To) {
    if (Pen().Width != 2 || Pen().Style != TPenStyle::psSolid || !OnOwnImage())
        return false;
    const QtPixelWrites::TDeviceGrid G = Grid();
    const auto Bar = FBars.Get(QPoint(From.X, From.Y), QPoint(To.X, To.Y), FOwnPainter->pen(), G);
    if (!Bar)
        return false;
    const bool Vertical = From.X == To.X;
    return FillRuns(From, G, Bar->Box, Bar->Runs, [Vertical](const TQtBarCache::TRun& R) {
        return Vertical ? QRect(QPoint(R.Across, R.First), QPoint(R.Across, R.Last))
                        : QRect(QPoint(R.First, R.Across), QPoint(R.Last, R.Across));
    });
}

bool TQtCanvas::FillSlantedLine(TPoint From, TPoint To) {
    if (Pen().Style != TPenStyle::psSolid || !OnOwnImage())
        return false;
    const QtPixelWrites::TDeviceGrid G = Grid();
    const TQtStrokeCache::TShape* Shape =
        FStrokes.Get(QPoint(From.X, From.Y), QPoint(To.X, To.Y), FOwnPainter->pen(), G);
    if (!Shape)
        return false;
    return FillRuns(From, G, Shape->Box, Shape->Runs,
                    [](const QtPixelWrites::TRun& R) { return QRect(R.X, R.Y, R.Length, 1); });
}

void TQtCanvas::Polyline(const std::vector<TPoint>& Points) {
    if (Points.size() < 2 || Deferred([=, this] { TQtCanvas::Polyline(Points); }))
        return;
    QPainter* P = Begin(false);
    if (!P)
        return;
    if (Pen().Width <= 1 && Pen().Style == TPenStyle::psSolid) {
        // One line after the other, each without its last pixel, as LineTo draws them. A dotted
        // line stays one path, so that its dots run on through the corners.
        for (std::size_t I = 1; I < Points.size(); ++I)
            if (Points[I - 1] != Points[I])
                DrawSegment(*P, Points[I - 1], Points[I]);
    } else {
        P->drawPolyline(ToQPolygon(Points));
    }
    Drawn(Padded(Around(Points)));
}

void TQtCanvas::DrawSegment(QPainter& P, TPoint From, TPoint To) {
    // Saturated ends lie further apart than an int reaches.
    const long long DX = static_cast<long long>(To.X) - From.X;
    const long long DY = static_cast<long long>(To.Y) - From.Y;
    if (Pen().Width <= 1 && FillThinLine(P, From, To))
        return;
    const bool AlongX = std::abs(DX) >= std::abs(DY);
    if (Pen().Width > 1 || (AlongX ? DX : DY) > 0) {
        P.drawLine(From.X, From.Y, To.X, To.Y);
        return;
    }
    // A thin line leaves out the pixel at its higher end, whichever way it runs. Running toward
    // lower coordinates (along its longer axis), it is drawn with both ends and its end clipped.
    P.save();
    QPen Both = P.pen();
    Both.setCapStyle(Qt::SquareCap);
    P.setPen(Both);
    const QRect Keep =
        AlongX ? Between(To.X + 1, From.Y, From.X, To.Y) : Between(From.X, To.Y + 1, To.X, From.Y);
    P.setClipRect(Keep, Qt::IntersectClip);
    P.drawLine(From.X, From.Y, To.X, To.Y);
    P.restore();
}

bool TQtCanvas::FillThinLine(QPainter& P, TPoint From, TPoint To) {
    const QPaintDevice* Device = P.device();
    const qreal Ratio = Device ? ExactRatio(*Device) : 1;
    if (Ratio == 1 || !P.worldTransform().isIdentity() || Pen().Style == TPenStyle::psClear)
        return false;
    // Along its longer axis the line has one pixel at each step T from its start on, its end
    // left out; across it, the pixel nearest to the exact line.
    const long long DX = static_cast<long long>(To.X) - From.X;
    const long long DY = static_cast<long long>(To.Y) - From.Y;
    const bool AlongX = std::llabs(DX) >= std::llabs(DY);
    const long long Major = AlongX ? DX : DY;
    const long long Minor = AlongX ? DY : DX;
    const long long Start = AlongX ? From.X : From.Y;
    const long long Side = AlongX ? From.Y : From.X;
    const long long Steps = std::llabs(Major);
    const int Direction = Major > 0 ? 1 : -1;
    const auto Across = [&](long long T) {
        return Side + static_cast<long long>(
                          std::floor(static_cast<long double>(T) * Minor / Steps + 0.5L));
    };
    // Beyond the device there is nothing to fill.
    const long long Extent = static_cast<long long>(std::max(Device->width(), Device->height()) /
                                                    std::min<qreal>(Ratio, 1)) +
                             2;
    const long long First = std::max<long long>(0, Direction > 0 ? -2 - Start : Start - Extent);
    const long long Last = std::min(Steps - 1, Direction > 0 ? Extent - Start : Start + 2);
    QList<qreal> Dashes = DashPattern(Pen().Style);
    if (Dashes.isEmpty())
        Dashes = {static_cast<qreal>(Steps), 0};
    long long Period = 0;
    for (qreal D : Dashes)
        Period += static_cast<long long>(D);
    const QtPixelWrites::TDeviceGrid G(Ratio);
    const QRgb Colour = ToQColor(Pen().Color).rgb();
    bool Scaled = false;
    // Steps A to B, all on the same row (along x) or column, to their device pixels.
    const auto FillRun = [&](long long A, long long B, long long Row) {
        if (Row < -2 || Row > Extent)
            return;
        const int P1 = static_cast<int>(Start + Direction * A);
        const int P2 = static_cast<int>(Start + Direction * B);
        const int R = static_cast<int>(Row);
        const QRect Box = AlongX ? Between(P1, R, P2, R) : Between(R, P1, R, P2);
        QRect Pixels = G.ThinLine(Box, !AlongX);
        // A slanted line steps from row to row (or column) without a gap between them.
        if (Minor != 0)
            Pixels |= G.Fill(Box);
        if (OnOwnImage() && &P == FOwnPainter.get()) {
            const QRect OnImage = Pixels & static_cast<const QImage*>(FDevice)->rect();
            if (OnImage.isEmpty())
                return;
            if (QImage* Target = WritableImage(OnImage)) {
                QtPixelWrites::Fill(*Target, OnImage, Colour);
                return;
            }
        }
        // The painter fills device pixels where it is told to in device pixels.
        if (!Scaled)
            P.setWorldTransform(QTransform::fromScale(1 / Ratio, 1 / Ratio));
        Scaled = true;
        P.fillRect(QRectF(Pixels), QColor::fromRgb(Colour));
    };
    for (long long T = First - First % Period; T <= Last;)
        for (qsizetype I = 0; I < Dashes.size() && T <= Last; I += 2) {
            long long A = std::max(T, First);
            const long long B = std::min(T + static_cast<long long>(Dashes[I]) - 1, Last);
            T += static_cast<long long>(Dashes[I] + Dashes[I + 1]);
            for (long long Step = A; Step <= B; ++Step)
                if (Step == B || Across(Step + 1) != Across(A)) {
                    FillRun(A, Step, Across(A));
                    A = Step + 1;
                }
        }
    if (Scaled)
        P.setWorldTransform(QTransform());
    return true;
}

void TQtCanvas::Polygon(const std::vector<TPoint>& Points) {
    if (Points.size() < 2 || Deferred([=, this] { TQtCanvas::Polygon(Points); }))
        return;
    if (QPainter* P = Begin(true)) {
        P->drawPolygon(ToQPolygon(Points), Qt::OddEvenFill);
        Drawn(Padded(Around(Points)));
    }
}

void TQtCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    if (X1 == X2 || Y1 == Y2)
        return;
    QPainter* P = Begin(true);
    if (!P)
        return;
    const QRect Box = OutlineBox(X1, Y1, X2, Y2);
    QRect At;
    if (auto Shape = CachedEllipse(Box, *P, At)) {
        Copy({{}, {}, std::move(Shape), At, Padded(Box)});
        return;
    }
    if (Deferred([=, this] { TQtCanvas::Ellipse(X1, Y1, X2, Y2); }))
        return;
    P->drawEllipse(Box);
    Drawn(Padded(Box));
}

std::shared_ptr<const TQtEllipseCache::TShape>
TQtCanvas::CachedEllipse(const QRect& Box, const QPainter& P, QRect& At) {
    if (!OnOwnImage())
        return nullptr;
    const QtPixelWrites::TDeviceGrid G = Grid();
    const std::optional<QPoint> Anchor = G.Anchor(Box.topLeft());
    if (!Anchor)
        return nullptr;
    auto Shape = FEllipses.Get(Box, Pen(), FPainterFill, P, G);
    if (!Shape)
        return nullptr;
    At = QRect(*Anchor + Shape->Offset, Shape->Image.size());
    // Where the device clips the ellipse, only drawing it in place is sure to clip it alike.
    if (!static_cast<const QImage*>(FDevice)->rect().contains(At))
        return nullptr;
    return Shape;
}

void TQtCanvas::ArcOrPie(bool IsPie, int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4,
                         int Y4) {
    if (X1 == X2 || Y1 == Y2 ||
        Deferred([=, this] { ArcOrPie(IsPie, X1, Y1, X2, Y2, X3, Y3, X4, Y4); }))
        return;
    QPainter* P = Begin(IsPie);
    if (!P)
        return;
    const QRect Box = OutlineBox(X1, Y1, X2, Y2);
    const QRectF Exact(QPointF(std::min(X1, X2), std::min(Y1, Y2)),
                       QPointF(std::max(X1, X2), std::max(Y1, Y2)));
    const double Start = RadialAngle(Exact, X3, Y3);
    double Span = RadialAngle(Exact, X4, Y4) - Start;
    // Anticlockwise from start to end; the same radial twice is the whole ellipse.
    while (Span <= 0)
        Span += 360;
    const int A = static_cast<int>(std::lround(Start * 16));
    const int S = static_cast<int>(std::lround(Span * 16));
    if (IsPie)
        P->drawPie(Box, A, S);
    else
        P->drawArc(Box, A, S);
    Drawn(Padded(Box));
}

void TQtCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    ArcOrPie(false, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TQtCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    ArcOrPie(true, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
}

void TQtCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    if (X1 == X2 || Y1 == Y2 || Deferred([=, this] { TQtCanvas::Rectangle(X1, Y1, X2, Y2); }))
        return;
    QPainter* P = Begin(true);
    if (!P)
        return;
    if (Pen().Style == TPenStyle::psClear)
        P->drawRect(PixelBox(X1, Y1, X2, Y2));
    else
        P->drawRect(OutlineBox(X1, Y1, X2, Y2));
    Drawn(Padded(PixelBox(X1, Y1, X2, Y2)));
}

void TQtCanvas::FillRect(const TRect& R) {
    // Compared, not subtracted: a rectangle of saturated pixels is wider than an int.
    if (Brush().Style == TBrushStyle::bsClear || R.Right <= R.Left || R.Bottom <= R.Top ||
        Deferred([=, this] { TQtCanvas::FillRect(R); }))
        return;
    QPainter* P = Begin(false);
    if (!P)
        return;
    const QRect Box = PixelBox(R.Left, R.Top, R.Right, R.Bottom);
    const QRect Shown = OnOwnImage() ? OnDevice(Box) : QRect();
    if (QImage* Target = WritableImage(Shown))
        QtPixelWrites::Fill(*Target, Shown, ToQColor(Brush().Color).rgb());
    else
        P->fillRect(Box, ToQColor(Brush().Color));
    Drawn(Box);
}

bool TQtCanvas::OnOwnImage() const {
    return FOwnPainter && FDevice && FDevice->devType() == QInternal::Image;
}

QImage* TQtCanvas::WritableImage(const QRect& Area) {
    if (!OnOwnImage() || !FOwnPainter->isActive() || FOwnPainter->hasClipping() ||
        !FOwnPainter->worldTransform().isIdentity())
        return nullptr;
    auto* Image = static_cast<QImage*>(FDevice);
    // Written while shared, the image would detach from the pixels the painter draws on.
    if (!Image->isDetached() || !QtPixelWrites::Writable(*Image, Area))
        return nullptr;
    return Image;
}

QtPixelWrites::TDeviceGrid TQtCanvas::Grid() const {
    return QtPixelWrites::TDeviceGrid(static_cast<const QImage*>(FDevice)->devicePixelRatio());
}

QRect TQtCanvas::OnDevice(const QRect& Box) const {
    // At a ratio without a period the painter's rounding of edges is its own.
    const QtPixelWrites::TDeviceGrid G = Grid();
    if (G.Period() == 0)
        return QRect();
    return G.Fill(Box) & static_cast<const QImage*>(FDevice)->rect();
}

std::optional<std::pair<QImage, QRect>> TQtCanvas::CachedLabel(int X, int Y,
                                                               const std::string& Text) {
    // Turned text and text over the background draw in place.
    if (!OnOwnImage() || Font().Escapement != 0 || TextTransparent() ||
        Brush().Style != TBrushStyle::bsSolid)
        return std::nullopt;
    const QImage& Image = *static_cast<const QImage*>(FDevice);
    const QtPixelWrites::TDeviceGrid G = Grid();
    const QPoint Point(Bounded(X), Bounded(Y));
    const std::optional<QPoint> Anchor = G.Anchor(Point);
    if (!Anchor)
        return std::nullopt;
    const TQtTextCache::TPixels* Label =
        FText.Label(Font(), Brush().Color, Text, Image, G.Phase(Point));
    if (!Label)
        return std::nullopt;
    const QRect At(*Anchor + Label->Offset, Label->Image.size());
    // Finer than a pixel, a label that the device clips lands on pixels the copy cannot take.
    if (G.Ratio() != 1 && !Image.rect().contains(At))
        return std::nullopt;
    return std::make_pair(Label->Image, At);
}

void TQtCanvas::TextOut(int X, int Y, const std::string& Text) {
    QPainter* P = Begin(false);
    if (!P || Text.empty())
        return;
    if (auto Label = CachedLabel(X, Y, Text)) {
        const QRect Ink = Grid().Cover(Label->second);
        Copy({{}, std::move(Label->first), nullptr, Label->second, Ink});
        return;
    }
    if (Deferred([=, this] { TQtCanvas::TextOut(X, Y, Text); }))
        return;
    const QString S = ToQString(Text);
    P->setFont(FText.Font(Font()));
    const QFontMetrics M = P->fontMetrics();
    P->save();
    P->translate(X, Y);
    if (Font().Escapement != 0)
        P->rotate(-Font().Escapement / 10.0);
    std::optional<QColor> Cell;
    if (!TextTransparent() && Brush().Style == TBrushStyle::bsSolid)
        Cell = ToQColor(Brush().Color);
    TQtTextCache::DrawLabel(*P, S, M, Cell, ToQColor(Font().Color));
    P->restore();
    Drawn(TextArea(X, Y, S, M));
}

int TQtCanvas::TextWidth(const std::string& Text) {
    return FText.Width(Font(), Text);
}

int TQtCanvas::TextHeight(const std::string&) {
    return FText.Height(Font());
}

void TQtCanvas::SetPixel(int X, int Y, TColor Color) {
    if (Deferred([=, this] { TQtCanvas::SetPixel(X, Y, Color); }))
        return;
    QPainter* P = Begin(false);
    if (!P)
        return;
    const QRect Pixel = BoxAt(X, Y, QSize(1, 1));
    const QRect Shown = OnOwnImage() ? OnDevice(Pixel) : QRect();
    if (QImage* Target = WritableImage(Shown))
        QtPixelWrites::Fill(*Target, Shown, ToQColor(Color).rgb());
    else
        P->fillRect(Pixel, ToQColor(Color));
    Drawn(Pixel);
}

QRect TQtCanvas::Padded(const QRect& Box) const {
    const int Margin = std::clamp(Pen().Width, 1, 1 << 20) + 2;
    return Box.adjusted(-Margin, -Margin, Margin, Margin);
}

QRect TQtCanvas::TextArea(int X, int Y, const QString& S, const QFontMetrics& M) const {
    if (Font().Escapement != 0)
        return QRect(QPoint(-(1 << 29), -(1 << 29)), QPoint(1 << 29, 1 << 29));
    const QRect Box(0, 0, M.horizontalAdvance(S), M.height());
    return Box.united(M.boundingRect(S).translated(0, M.ascent()))
        .adjusted(-2, -2, 2, 2)
        .translated(Bounded(X), Bounded(Y));
}

void TQtCanvas::Draw(int X, int Y, const TBitmap& Source) {
    const auto* Bitmap = dynamic_cast<const TQtBitmap*>(&Source);
    if (!Bitmap)
        return;
    // It reads pixels, perhaps this canvas's own: what waits is drawn first.
    if (FDefers && !FAtOnce)
        Flush();
    // Taken before the painter begins: completing the source's drawing ends its painter, which
    // may be this one. Held, its pixels stay as they are while the painter draws.
    const QImage Pixels = Bitmap->Image();
    if (QPainter* P = Begin(false)) {
        P->drawImage(X, Y, Pixels);
        Drawn(BoxAt(X, Y, QSize(Bitmap->Width(), Bitmap->Height())));
    }
}
