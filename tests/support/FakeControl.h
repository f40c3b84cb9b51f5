// A control for tests: a settable client rectangle, messages sent by hand through Perform, and a
// canvas that records onto Screen what is drawn on the control (Draw: a presented buffer).
#pragma once

#include "platform/Control.h"
#include "support/FakePlatform.h"
#include "support/RecordingCanvas.h"
#include "surface/MMSurface.h"

#include <memory>

class TFakeControl : public TControl {
public:
    explicit TFakeControl(TRect R = Rect(0, 0, 400, 300), TComponent* AOwner = nullptr);

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override { return Origin; }
    std::unique_ptr<TCanvas> CreateCanvas() override;

    // Changes the client rectangle and sends WM_SIZE, as a real resize does.
    void Resize(int Width, int Height);
    // Changes the client rectangle silently.
    void SetClientRect(TRect R) { FClientRect = R; }
    // ClientRect() throws, like a window that is gone.
    bool ThrowOnClientRect = false;
    // Where the client area lies on the screen.
    TPoint Origin;

    // Sends one message through the window procedure; returns whether it reached the control's
    // own procedure.
    bool Send(TMessageId Id, int X = 0, int Y = 0, TShiftState Shift = {});

    // What the control's canvases drew, in order.
    TRecordingCanvas Screen;
    // The messages that reached the control's own procedure, in order.
    std::vector<TMessageId> Defaulted;

protected:
    void DefaultWndProc(TMessage& Message) override;

private:
    TRect FClientRect;
};

// A surface on a fake control on a fake platform, for tests of items that draw on a surface.
// It starts as a new surface does (Square on, X and Y -10..10, so a 400 x 300 control shows
// X -13.33..13.33 at 15 px/mm); Surface->GetCanvas() is the buffer's canvas, which records every
// drawing call (BufferCanvas()).
struct TSurfaceRig {
    explicit TSurfaceRig(int Width = 400, int Height = 300);
    ~TSurfaceRig();
    TRecordingCanvas& BufferCanvas();

    TFakePlatform Platform;
    TFakeControl Control;
    std::unique_ptr<TMMSurface> Surface;
};
