// Drags the selected links and joints while the left mouse button is held. The drag is
// incremental: each move applies only the distance since the move before.
#pragma once

#include "platform/Object.h"
#include "platform/Types.h"

class TGearData;

class TLinkMover : public TObject {
public:
    explicit TLinkMover(TGearData& GearData) : FGearData(GearData) {}

    // A drag is in progress.
    bool Moving() const { return FMoving; }
    int X0() const { return FX0; }
    int Y0() const { return FY0; }

    // Starts a drag at the pixel.
    void MouseDown(int X, int Y);
    // With the left button held, moves the selection by the pixels since the last position seen,
    // in one repaint.
    void MouseMove(TShiftState Shift, int X, int Y);
    // Ends the drag.
    void MouseUp() { FMoving = false; }

private:
    TGearData& FGearData;
    int FX0 = 0;
    int FY0 = 0;
    bool FMoving = false;
};
