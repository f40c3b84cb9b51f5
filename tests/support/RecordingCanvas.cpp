#include "support/RecordingCanvas.h"

TCanvasCall& TRecordingCanvas::Record(const std::string& Op, std::vector<TPoint> Points) {
    TCanvasCall C;
    C.Op = Op;
    C.Points = std::move(Points);
    C.Pen = Pen();
    C.Brush = Brush();
    C.Font = Font();
    C.TextTransparent = TextTransparent();
    Calls.push_back(std::move(C));
    return Calls.back();
}

void TRecordingCanvas::DoLine(TPoint From, TPoint To) {
    Record("Line", {From, To});
}
void TRecordingCanvas::Polyline(const std::vector<TPoint>& P) {
    Record("Polyline", P);
}
void TRecordingCanvas::Polygon(const std::vector<TPoint>& P) {
    Record("Polygon", P);
}
void TRecordingCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
    Record("Ellipse", {{X1, Y1}, {X2, Y2}});
}
void TRecordingCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    Record("Arc", {{X1, Y1}, {X2, Y2}, {X3, Y3}, {X4, Y4}});
}
void TRecordingCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) {
    Record("Pie", {{X1, Y1}, {X2, Y2}, {X3, Y3}, {X4, Y4}});
}
void TRecordingCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
    Record("Rectangle", {{X1, Y1}, {X2, Y2}});
}
void TRecordingCanvas::FillRect(const TRect& R) {
    Record("FillRect", {{R.Left, R.Top}, {R.Right, R.Bottom}});
}
void TRecordingCanvas::TextOut(int X, int Y, const std::string& Text) {
    Record("TextOut", {{X, Y}}).Text = Text;
}
int TRecordingCanvas::TextWidth(const std::string& Text) {
    return CharWidth * static_cast<int>(Text.size());
}
int TRecordingCanvas::TextHeight(const std::string&) {
    return CharHeight;
}
void TRecordingCanvas::SetPixel(int X, int Y, TColor Color) {
    Record("SetPixel", {{X, Y}}).Color = Color;
}
void TRecordingCanvas::Draw(int X, int Y, const TBitmap& Source) {
    Record("Draw", {{X, Y}, {Source.Width(), Source.Height()}});
}

std::vector<TCanvasCall> TRecordingCanvas::Of(const std::string& Op) const {
    std::vector<TCanvasCall> R;
    for (const auto& C : Calls)
        if (C.Op == Op)
            R.push_back(C);
    return R;
}
