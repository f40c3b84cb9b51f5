// Grid lines at every multiple of the surface's scala increments, beneath everything else, and
// the counting of those multiples that the rulers share.
#pragma once

#include "platform/Canvas.h"
#include "surface/MMGraphicItem.h"

#include <cstdint>
#include <memory>

// Grid lines and ruler ticks closer than this many pixels are left out: far zoomed out, past the
// largest increment, they would be a smear of millions of lines.
constexpr double MinLineSpacing = 2.0;

// Whether multiples of Increment lie at least MinLineSpacing pixels apart at Scale pixels per mm.
bool LinesApart(double Increment, double Scale);

// A quotient of a world value by Increment as a whole number of increments, in 64 bits and
// clamped so that the number times Increment stays in range (far beyond where doubles still count
// whole increments). NaN gives 0.
std::int64_t StepIndex(double Quotient, int Increment);

class TMMGrid : public TMMGraphicItem {
public:
    explicit TMMGrid(TComponent* AOwner = nullptr);
    ~TMMGrid() override;

    void Paint() override;

    // Each setter repaints (outside a batch).
    TColor GridColor() const { return FGridColor; }
    void SetGridColor(TColor Value);
    // Kept for the settings; the lines follow the surface's increments.
    double GridInterval() const { return FGridInterval; }
    void SetGridInterval(double Value);
    TPenStyle LineSytle() const { return FLineSytle; }
    void SetLineSytle(TPenStyle Value);

    void DrawGrid();

private:
    void SurfaceChanged(TObject* Sender);

    TColor FGridColor = 0x320000;
    double FGridInterval = 10.0;
    TPenStyle FLineSytle = TPenStyle::psDot;
};
