// A window control taken over by a component: its messages go to the component's procedure first,
// which passes what it leaves on to the procedure it replaced, and the component draws through a
// canvas of the control. The component watches the control's freeing and lets go of it then.
#pragma once

#include "platform/Canvas.h"
#include "platform/Component.h"
#include "platform/Control.h"
#include "platform/Watched.h"

#include <memory>

class TControlHook {
public:
    explicit TControlHook(TWndMethod Proc);
    TControlHook(const TControlHook&) = delete;
    TControlHook& operator=(const TControlHook&) = delete;

    TControl* Control() const { return FControl; }
    // Hands the old control its procedure back and takes over C (nullptr: none).
    void SetControl(TControl* C);
    TCanvas* Canvas() const { return FCanvas.get(); }
    // A copy, so a handler may let go of the control while the message still passes on.
    TWndMethod Replaced() const { return FReplaced; }

private:
    // A control that is being freed has no procedure left to restore.
    void ControlFreed();

    TWndMethod FProc;
    TWatched<TControl> FControl{[this] { ControlFreed(); }};
    std::unique_ptr<TCanvas> FCanvas;
    TWndMethod FReplaced;
};
