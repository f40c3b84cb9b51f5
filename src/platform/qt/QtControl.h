// The hookable control over a QWidget: an event filter turns the widget's mouse, size, move and
// paint events into messages for the window procedure. Qt paints only inside the paint event, so
// the control canvas draws onto a stored picture and schedules an update, whose paint event shows
// the picture; any other paint event is a paint message, after which the last picture is shown.
#pragma once

#include "platform/Control.h"

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <memory>

class QEvent;
class QMouseEvent;
class QRegion;

class TQtControl : public TControl {
public:
    // Hooks Widget (not owned; it may be freed first) and turns its mouse tracking on.
    explicit TQtControl(QWidget* Widget, TComponent* AOwner = nullptr);
    ~TQtControl() override;

    QWidget* Widget() const { return FWidget; }
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    std::unique_ptr<TCanvas> CreateCanvas() override;

    // What the control canvases drew last.
    QImage& Picture() { return FPicture; }
    // Asks for the picture to be shown, unless a paint event is being handled and will show it.
    void Present();
    // Only the part of the picture that differs from the one shown before.
    void Present(const QRegion& Changed);

protected:
    void ShowCursor(TCursor Value) override;

private:
    class TFilter;
    bool Filter(QEvent* Event);
    static void FillMouse(TMessage& M, const QMouseEvent& Event);
    void ShowPicture(const QRegion& Region);
    // Gives the picture the widget's size, keeping what it shows.
    void FitPicture();

    QPointer<QWidget> FWidget;
    std::unique_ptr<TFilter> FFilter;
    QImage FPicture;
    bool FInPaint = false;
    bool FPresentPending = false; // a control canvas asked for the picture to be shown
};
