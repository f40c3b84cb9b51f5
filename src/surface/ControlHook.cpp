#include "surface/ControlHook.h"

#include <utility>

TControlHook::TControlHook(TComponent& Owner, TWndMethod Proc)
    : FOwner(Owner), FProc(std::move(Proc)) {}

void TControlHook::SetControl(TControl* C) {
    if (FControl) {
        TControl* Old = std::exchange(FControl, nullptr);
        FOwner.RemoveFreeNotification(Old);
        // A control that is being freed has no procedure left to restore.
        if (!Old->IsDestroying())
            Old->SetWindowProc(FReplaced);
        FReplaced = nullptr;
        FCanvas.reset();
    }
    FControl = C;
    if (C) {
        FOwner.FreeNotification(C);
        FReplaced = C->WindowProc();
        C->SetWindowProc(FProc);
        FCanvas = C->CreateCanvas();
    }
}
