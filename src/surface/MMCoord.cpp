#include "surface/MMCoord.h"

#include "surface/MMSurface.h"
#include "surface/UtilLib.h"

#include <numbers>

TMMCoord::TMMCoord(TComponent* AOwner) : TMMGraphicItem(AOwner) {
    FollowViewChanges([this](TObject* Sender) { SurfaceChanged(Sender); });
    SetOrder(1);
    SetVisible(true);
}

TMMCoord::~TMMCoord() {
    SetMMSurface(nullptr);
}

void TMMCoord::SurfaceChanged(TObject*) {
    Paint();
}

void TMMCoord::Paint() {
    if (MMSurface() && MMSurface()->GetCanvas() && Visible())
        DrawAxes();
}

void TMMCoord::DrawAxes() {
    TCanvas& C = *MMSurface()->GetCanvas();
    const TRect R = MMSurface()->GetClientRect();
    C.Pen().Style = TPenStyle::psSolid;
    C.Pen().Width = 1;
    C.Pen().Color = FAxisColor;
    // The arrow heads are filled.
    C.Brush().Style = TBrushStyle::bsSolid;
    DrawXAxis(C, R, MMSurface()->MMToPixelY(0, true));
    DrawYAxis(C, R, MMSurface()->MMToPixelX(0, true));
}

// Labels are measured with the canvas font in force before the label font is applied.
void TMMCoord::DrawXAxis(TCanvas& C, const TRect& R, int Y0) {
    const int LabelX = R.Right - C.TextWidth(FXLabel) - C.TextWidth("w");
    const int LabelHeight = C.TextHeight(FXLabel);
    int Row, LineStart, LabelY;
    if (Y0 < R.Top) { // world y = 0 above the view
        Row = 10;
        LineStart = R.Right - 20;
        LabelY = FArrowHeight + 10;
    } else if (Y0 > R.Bottom) {
        Row = R.Bottom - 10;
        LineStart = R.Right - 20;
        LabelY = R.Bottom - 10 - FArrowHeight - LabelHeight;
    } else {
        Row = Y0;
        LineStart = R.Left;
        LabelY =
            Y0 < (R.Top + R.Bottom) / 2.0 ? Y0 + FArrowHeight : Y0 - FArrowHeight - LabelHeight;
    }
    C.MoveTo(LineStart, Row);
    C.LineTo(R.Right, Row);
    DrawArrowHead(C, R.Right - FArrowWidth - 1, Row, FArrowHeight, FArrowWidth, 0, FAxisColor);
    DrawLabel(C, TPoint{LabelX, LabelY}, FXLabel);
}

void TMMCoord::DrawYAxis(TCanvas& C, const TRect& R, int X0) {
    const int LabelWidth = C.TextWidth(FYLabel);
    int Column, LineStart, LabelX, LabelY = R.Top + 5;
    if (X0 < R.Left) { // world x = 0 left of the view
        Column = 10;
        LineStart = 20;
        LabelX = FArrowHeight + 10;
    } else if (X0 > R.Right) {
        Column = R.Right - 10;
        LineStart = 20;
        LabelX = R.Right - 10 - LabelWidth - FArrowHeight;
        LabelY = R.Top + 50;
    } else {
        Column = X0;
        LineStart = R.Bottom;
        LabelX = X0 < (R.Left + R.Right) / 2.0 ? X0 + FArrowHeight : X0 - LabelWidth - FArrowHeight;
    }
    C.MoveTo(Column, LineStart);
    C.LineTo(Column, R.Top);
    DrawArrowHead(C, Column, R.Top + FArrowHeight + 4, FArrowHeight, FArrowWidth,
                  std::numbers::pi / 2, FAxisColor);
    DrawLabel(C, TPoint{LabelX, LabelY}, FYLabel);
}

void TMMCoord::DrawLabel(TCanvas& C, TPoint At, const std::string& Text) {
    C.Brush().Color = clWhite;
    C.Brush().Style = TBrushStyle::bsSolid;
    C.SetTextTransparent(false);
    C.Font().Color = FAxisColor;
    C.Font().Height = FFontSize;
    C.TextOut(At.X, At.Y, Text);
}
