// The cursor of a plot: a vertical dash-dot-dot line at a whole world x, over the full height of
// its surface, painted after everything else when its order says so.
#pragma once

#include "surface/MMGraphicItem.h"

class TMMIntervalLine : public TMMGraphicItem {
public:
    explicit TMMIntervalLine(TComponent* AOwner = nullptr) : TMMGraphicItem(AOwner) {}

    int Position() const { return FPosition; }
    void SetPosition(int Value);

    void Paint() override;

private:
    int FPosition = 0;
};
