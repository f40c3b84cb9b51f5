// A canvas that records every drawing call with the pen, brush and font in force.
#pragma once

#include "platform/Canvas.h"

#include <string>
#include <vector>

struct TCanvasCall {
    std::string Op;             // "Line", "Polyline", "Polygon", "Ellipse", "Arc", "Pie",
                                // "Rectangle", "FillRect", "TextOut", "SetPixel", "Draw"
    std::vector<TPoint> Points; // the call's points in argument order
    std::string Text;           // TextOut
    TColor Color = 0;           // SetPixel
    TPen Pen;
    TBrush Brush;
    TFont Font;
    bool TextTransparent = false;
};

class TRecordingCanvas : public TCanvas {
public:
    std::vector<TCanvasCall> Calls;
    int CharWidth = 7; // TextWidth is CharWidth per byte
    int CharHeight = 13;

    void Polyline(const std::vector<TPoint>& Points) override;
    void Polygon(const std::vector<TPoint>& Points) override;
    void Ellipse(int X1, int Y1, int X2, int Y2) override;
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) override;
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4) override;
    void Rectangle(int X1, int Y1, int X2, int Y2) override;
    void FillRect(const TRect& R) override;
    void TextOut(int X, int Y, const std::string& Text) override;
    int TextWidth(const std::string& Text) override;
    int TextHeight(const std::string& Text) override;
    void SetPixel(int X, int Y, TColor Color) override;
    void Draw(int X, int Y, const TBitmap& Source) override;

    // The recorded calls of one kind.
    std::vector<TCanvasCall> Of(const std::string& Op) const;
    void ClearCalls() { Calls.clear(); }

protected:
    void DoLine(TPoint From, TPoint To) override;

private:
    TCanvasCall& Record(const std::string& Op, std::vector<TPoint> Points);
};

class TRecordingBitmap : public TBitmap {
public:
    TRecordingBitmap(int W, int H) : FWidth(W), FHeight(H) {}
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    void SetSize(int W, int H) override {
        FWidth = W;
        FHeight = H;
    }
    TCanvas& Canvas() override { return FCanvas; }
    TRecordingCanvas& Recorder() { return FCanvas; }

private:
    int FWidth;
    int FHeight;
    TRecordingCanvas FCanvas;
};
