#include "platform/qt/QtControl.h"

#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtGuard.h"
#include "platform/qt/QtPixelWrites.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>

#include <cmath>

class TQtControl::TFilter : public QObject {
public:
    explicit TFilter(TQtControl& Control) : FControl(Control) {}

protected:
    // An event whose handler failed goes no further.
    bool eventFilter(QObject*, QEvent* Event) override {
        bool Handled = true;
        RunGuarded([&] { Handled = FControl.Filter(Event); });
        return Handled;
    }

private:
    TQtControl& FControl;
};

namespace {

// Draws on the control's picture and shows each call. The painter never outlives a call, so the
// canvas holds nothing of the control between calls.
class TQtControlCanvas : public TQtCanvas {
public:
    explicit TQtControlCanvas(TQtControl& Control)
        : TQtCanvas(&Control.Picture()), FControl(Control) {}

    void Draw(int X, int Y, const TBitmap& Source) override {
        const auto* Bitmap = dynamic_cast<const TQtBitmap*>(&Source);
        QImage& Picture = FControl.Picture();
        const QSize Shown = QtPixelWrites::LogicalSize(Picture);
        if (Bitmap && X == 0 && Y == 0 && Bitmap->Width() >= Shown.width() &&
            Bitmap->Height() >= Shown.height()) {
            // Presenting a whole buffer: share its pixels instead of painting them, and show
            // only what changed.
            const QRegion Changed = Bitmap->ChangedSince(Picture);
            Flush();
            Picture = Bitmap->Image();
            FControl.Present(Changed);
            return;
        }
        TQtCanvas::Draw(X, Y, Source);
    }

protected:
    void Drawn(const QRect&) override {
        Flush();
        FControl.Present();
    }

private:
    TQtControl& FControl;
};

TMessageId ButtonMessage(Qt::MouseButton Button, bool Down) {
    switch (Button) {
    case Qt::LeftButton:
        return Down ? TMessageId::WM_LBUTTONDOWN : TMessageId::WM_LBUTTONUP;
    case Qt::RightButton:
        return Down ? TMessageId::WM_RBUTTONDOWN : TMessageId::WM_RBUTTONUP;
    case Qt::MiddleButton:
        return Down ? TMessageId::WM_MBUTTONDOWN : TMessageId::WM_MBUTTONUP;
    default:
        return TMessageId::WM_OTHER;
    }
}

} // namespace

TQtControl::TQtControl(QWidget* Widget, TComponent* AOwner)
    : TControl(AOwner), FWidget(Widget), FFilter(std::make_unique<TFilter>(*this)) {
    if (Widget) {
        FRatio = Widget->devicePixelRatioF();
        Widget->setMouseTracking(true);
        // The picture covers the whole widget: no background erase, no flicker.
        Widget->setAttribute(Qt::WA_OpaquePaintEvent);
        Widget->installEventFilter(FFilter.get());
    }
}

TQtControl::~TQtControl() {
    Destroying();
    if (FWidget)
        FWidget->removeEventFilter(FFilter.get());
}

TRect TQtControl::ClientRect() const {
    if (!FWidget)
        return TRect{};
    return Rect(0, 0, FWidget->width(), FWidget->height());
}

double TQtControl::PixelRatio() const {
    return FWidget ? FWidget->devicePixelRatioF() : 1;
}

TPoint TQtControl::ClientOrigin() const {
    if (!FWidget)
        return TPoint{};
    const QPoint P = FWidget->mapToGlobal(QPoint(0, 0));
    return TPoint{P.x(), P.y()};
}

void TQtControl::ShowCursor(TCursor Value) {
    if (!FWidget)
        return;
    switch (Value) {
    case TCursor::crSizeAll:
        FWidget->setCursor(Qt::SizeAllCursor);
        break;
    case TCursor::crNo:
        FWidget->setCursor(Qt::ForbiddenCursor);
        break;
    case TCursor::crDefault:
        FWidget->unsetCursor();
        break;
    }
}

std::unique_ptr<TCanvas> TQtControl::CreateCanvas() {
    return std::make_unique<TQtControlCanvas>(*this);
}

void TQtControl::Present() {
    if (FWidget)
        Present(QRegion(FWidget->rect()));
}

void TQtControl::Present(const QRegion& Changed) {
    if (FWidget && !FInPaint && !Changed.isEmpty()) {
        FPresentPending = true;
        FWidget->update(Changed);
    }
}

void TQtControl::FillMouse(TMessage& M, const QMouseEvent& Event) {
    // Finer than a pixel, a position lies within the pixel it has reached, not the nearest one.
    const QPointF P = Event.position();
    M.X = static_cast<int>(std::floor(P.x()));
    M.Y = static_cast<int>(std::floor(P.y()));
    const Qt::KeyboardModifiers K = Event.modifiers();
    const Qt::MouseButtons B = Event.buttons();
    if (K & Qt::ShiftModifier)
        M.Shift |= TShiftState::ssShift;
    if (K & Qt::ControlModifier)
        M.Shift |= TShiftState::ssCtrl;
    if (K & Qt::AltModifier)
        M.Shift |= TShiftState::ssAlt;
    if (B & Qt::LeftButton)
        M.Shift |= TShiftState::ssLeft;
    if (B & Qt::RightButton)
        M.Shift |= TShiftState::ssRight;
    if (B & Qt::MiddleButton)
        M.Shift |= TShiftState::ssMiddle;
}

bool TQtControl::Filter(QEvent* Event) {
    TMessage M;
    switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        const auto& ME = static_cast<const QMouseEvent&>(*Event);
        M.Msg = ButtonMessage(ME.button(), Event->type() == QEvent::MouseButtonPress);
        FillMouse(M, ME);
        break;
    }
    case QEvent::MouseMove:
        M.Msg = TMessageId::WM_MOUSEMOVE;
        FillMouse(M, static_cast<const QMouseEvent&>(*Event));
        break;
    case QEvent::Resize:
        FitPicture();
        M.Msg = TMessageId::WM_SIZE;
        break;
    case QEvent::Move:
        M.Msg = TMessageId::WM_WINDOWPOSCHANGED;
        break;
    case QEvent::Paint:
        if (FWidget && FWidget->devicePixelRatioF() != FRatio) {
            // On a screen of another density the pictures are drawn afresh at its ratio, like
            // after a resize; what was presented before is of the old one.
            FRatio = FWidget->devicePixelRatioF();
            FPresentPending = false;
            FitPicture();
            if (!ResizeForRatio())
                return true;
        }
        if (FPresentPending) {
            // Asked for by a control canvas: show what it drew. A paint message would repaint
            // the buffer over what was drawn directly on the control (a rubber band).
            FPresentPending = false;
            ShowPicture(static_cast<const QPaintEvent&>(*Event).region());
            return true;
        }
        M.Msg = TMessageId::WM_PAINT;
        break;
    default:
        // Double clicks, the wheel and the rest go their usual way; a double click thus raises
        // no second mouse-down.
        return false;
    }
    if (M.Msg == TMessageId::WM_OTHER)
        return false;
    // A handler may close the window and free the widget: then the event is delivered no further.
    QPointer<QWidget> Widget = FWidget;
    if (M.Msg == TMessageId::WM_PAINT) {
        const QRegion Region = static_cast<const QPaintEvent&>(*Event).region();
        {
            // Also when an item's Paint throws: the control must go on showing new pictures.
            const QScopedValueRollback<bool> InPaint(FInPaint, true);
            Perform(M);
        }
        if (!Widget || M.Defaulted)
            return !Widget;
        ShowPicture(Region);
        return true;
    }
    Perform(M);
    return !Widget || !M.Defaulted;
}

bool TQtControl::ResizeForRatio() {
    TMessage M;
    M.Msg = TMessageId::WM_SIZE;
    QPointer<QWidget> Widget = FWidget;
    {
        // The paint event that follows shows the new picture.
        const QScopedValueRollback<bool> InPaint(FInPaint, true);
        Perform(M);
    }
    return Widget;
}

void TQtControl::FitPicture() {
    const QSize Size = FWidget->size();
    const qreal Ratio = FWidget->devicePixelRatioF();
    if (QtPixelWrites::LogicalSize(FPicture) == Size && FPicture.devicePixelRatio() == Ratio)
        return;
    // A picture of another size would never again be replaced by a whole buffer, and what is
    // drawn on it would be cut at its old edges.
    QImage Fitted(QtPixelWrites::DeviceSize(Size, Ratio), QImage::Format_RGB32);
    Fitted.setDevicePixelRatio(Ratio);
    Fitted.fill(FWidget->palette().window().color());
    if (!FPicture.isNull()) {
        QPainter P(&Fitted);
        P.drawImage(0, 0, FPicture);
    }
    FPicture = std::move(Fitted);
}

void TQtControl::ShowPicture(const QRegion& Region) {
    QPainter P(FWidget);
    // Only what the event asks for: an expose of a corner costs a corner. Device pixels are
    // copied one to one where the picture has the widget's ratio.
    const QtPixelWrites::TDeviceGrid Grid(FPicture.devicePixelRatio());
    const QRect Picture(QPoint(0, 0), QtPixelWrites::LogicalSize(FPicture));
    for (const QRect& R : Region)
        if (const QRect Shown = Grid.Fill(R & Picture) & FPicture.rect(); !Shown.isEmpty())
            P.drawImage(QPointF(Shown.topLeft()) / Grid.Ratio(), FPicture, Shown);
    // Until the next picture arrives, a grown widget shows its background beside the old one.
    const QRegion Beside = Region - Picture;
    for (const QRect& R : Beside)
        P.fillRect(R, FWidget->palette().window());
}
