// The world's x and y axes through the origin, with arrow heads and labels, or short stubs at the
// border when the origin's line lies outside the view.
#pragma once

#include "platform/Canvas.h"
#include "surface/MMGraphicItem.h"

#include <memory>
#include <string>

class TMMCoord : public TMMGraphicItem {
public:
    explicit TMMCoord(TComponent* AOwner = nullptr);
    ~TMMCoord() override;

    void Paint() override;

    // None of these setters repaints: a change shows at the next repaint.
    TColor AxisColor() const { return FAxisColor; }
    void SetAxisColor(TColor Value) { FAxisColor = Value; }
    int ArrowHeight() const { return FArrowHeight; } // the arrow head's base width in pixels
    void SetArrowHeight(int Value) { FArrowHeight = Value; }
    int ArrowWidth() const { return FArrowWidth; } // the arrow head's length in pixels
    void SetArrowWidth(int Value) { FArrowWidth = Value; }
    int FontSize() const { return FFontSize; } // the label font's height in pixels
    void SetFontSize(int Value) { FFontSize = Value; }
    const std::string& XLabel() const { return FXLabel; }
    void SetXLabel(const std::string& Value) { FXLabel = Value; }
    const std::string& YLabel() const { return FYLabel; }
    void SetYLabel(const std::string& Value) { FYLabel = Value; }

    void DrawAxes();

private:
    void SurfaceChanged(TObject* Sender);
    void DrawXAxis(TCanvas& C, const TRect& R, int Y0);
    void DrawYAxis(TCanvas& C, const TRect& R, int X0);
    void DrawLabel(TCanvas& C, TPoint At, const std::string& Text);

    TColor FAxisColor = clBlack;
    int FArrowHeight = 6;
    int FArrowWidth = 10;
    int FFontSize = 15;
    std::string FXLabel = "x";
    std::string FYLabel = "y";
};
