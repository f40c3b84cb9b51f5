#include "support/FakeControl.h"

#include <stdexcept>

namespace {

// Copies its state onto the control's recorder before each call, so the recorded pen, brush and
// font are this canvas's.
class TScreenCanvas : public TCanvas {
public:
    explicit TScreenCanvas(TRecordingCanvas& Screen) : FScreen(Screen) {}
    void Polyline(const std::vector<TPoint>& P) override { Target().Polyline(P); }
    void Polygon(const std::vector<TPoint>& P) override { Target().Polygon(P); }
    void Ellipse(int X1, int Y1, int X2, int Y2) override { Target().Ellipse(X1, Y1, X2, Y2); }
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) override {
        Target().Arc(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    }
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) override {
        Target().Pie(X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    }
    void Rectangle(int X1, int Y1, int X2, int Y2) override { Target().Rectangle(X1, Y1, X2, Y2); }
    void FillRect(const TRect& R) override { Target().FillRect(R); }
    void TextOut(int X, int Y, const std::string& T) override { Target().TextOut(X, Y, T); }
    int TextWidth(const std::string& T) override { return Target().TextWidth(T); }
    int TextHeight(const std::string& T) override { return Target().TextHeight(T); }
    void SetPixel(int X, int Y, TColor C) override { Target().SetPixel(X, Y, C); }
    void Draw(int X, int Y, const TBitmap& B) override { Target().Draw(X, Y, B); }

protected:
    void DoLine(TPoint From, TPoint To) override {
        Target().MoveTo(From.X, From.Y);
        Target().LineTo(To.X, To.Y);
    }

private:
    TRecordingCanvas& Target() {
        FScreen.Pen() = Pen();
        FScreen.Brush() = Brush();
        FScreen.Font() = Font();
        FScreen.SetTextTransparent(TextTransparent());
        return FScreen;
    }
    TRecordingCanvas& FScreen;
};

} // namespace

TFakeControl::TFakeControl(TRect R, TComponent* AOwner) : TControl(AOwner), FClientRect(R) {}

TRect TFakeControl::ClientRect() const {
    if (ThrowOnClientRect)
        throw std::runtime_error("window is gone");
    return FClientRect;
}

std::unique_ptr<TCanvas> TFakeControl::CreateCanvas() {
    return std::make_unique<TScreenCanvas>(Screen);
}

void TFakeControl::Resize(int Width, int Height) {
    FClientRect = Rect(0, 0, Width, Height);
    Send(TMessageId::WM_SIZE);
}

bool TFakeControl::Send(TMessageId Id, int X, int Y, TShiftState Shift) {
    TMessage M;
    M.Msg = Id;
    M.X = X;
    M.Y = Y;
    M.Shift = Shift;
    Perform(M);
    return M.Defaulted;
}

void TFakeControl::DefaultWndProc(TMessage& Message) {
    TControl::DefaultWndProc(Message);
    Defaulted.push_back(Message.Msg);
}

TSurfaceRig::TSurfaceRig(int Width, int Height)
    : Control(Rect(0, 0, Width, Height)), Surface(std::make_unique<TMMSurface>()) {
    Surface->SetControl(&Control);
}

TSurfaceRig::~TSurfaceRig() {
    Surface.reset();
}

TRecordingCanvas& TSurfaceRig::BufferCanvas() {
    return static_cast<TRecordingBitmap&>(Surface->Buffer()).Recorder();
}
