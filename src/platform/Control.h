// A window control whose window procedure can be replaced: the toolkit turns its input, size and
// paint events into messages that pass through WindowProc(), and a hook (the drawing surface)
// handles them first and hands the rest on to the procedure it replaced.
#pragma once

#include "platform/Canvas.h"
#include "platform/Component.h"
#include "platform/Types.h"

#include <functional>
#include <memory>

enum class TMessageId {
    WM_LBUTTONDOWN,
    WM_RBUTTONDOWN,
    WM_MBUTTONDOWN,
    WM_LBUTTONUP,
    WM_RBUTTONUP,
    WM_MBUTTONUP,
    WM_MOUSEMOVE,
    WM_SIZE,
    WM_WINDOWPOSCHANGED,
    WM_PAINT,
    WM_ERASEBKGND,
    WM_OTHER // double clicks, the wheel and everything else
};

struct TMessage {
    TMessageId Msg = TMessageId::WM_OTHER;
    int X = 0; // mouse messages: the position in the control's pixels
    int Y = 0;
    TShiftState Shift; // mouse messages: modifier keys and held buttons
    // Set by the control's own procedure: the toolkit then handles the event as it normally would.
    bool Defaulted = false;
};

using TWndMethod = std::function<void(TMessage& Message)>;

// The mouse pointer shown over a control.
enum class TCursor { crDefault, crSizeAll, crNo };

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner = nullptr);

    // The drawable area, starting at (0, 0). May throw std::runtime_error when the window is gone.
    virtual TRect ClientRect() const = 0;
    // Where the drawable area's top-left corner lies on the screen.
    virtual TPoint ClientOrigin() const = 0;
    // Device pixels per pixel of the screen the control is on; everything else about the
    // control counts in pixels.
    virtual double PixelRatio() const { return 1; }

    // The procedure every message of this control passes through; initially DefaultWndProc.
    const TWndMethod& WindowProc() const { return FWindowProc; }
    void SetWindowProc(TWndMethod Proc);
    // The control's own procedure, as a method a hook can keep and call.
    TWndMethod DefaultWindowProc();

    // Sends Message through the current window procedure.
    void Perform(TMessage& Message);

    // A canvas that draws on the control; Draw(bitmap) presents a finished picture and may throw
    // std::runtime_error when the window is gone.
    virtual std::unique_ptr<TCanvas> CreateCanvas() = 0;

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);

protected:
    // The control's own handling: hands the event back to the toolkit.
    virtual void DefaultWndProc(TMessage& Message);
    // Shows the pointer on the screen; a control without a window only remembers it.
    virtual void ShowCursor(TCursor) {}

private:
    TWndMethod FWindowProc;
    TCursor FCursor = TCursor::crDefault;
};
