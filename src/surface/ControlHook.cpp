#include "surface/ControlHook.h"

#include <utility>

TControlHook::TControlHook(TWndMethod Proc) : FProc(std::move(Proc)) {}

void TControlHook::SetControl(TControl* C) {
    if (TControl* Old = FControl) {
        FControl = nullptr;
        if (!Old->IsDestroying())
            Old->SetWindowProc(FReplaced);
        ControlFreed();
    }
    FControl = C;
    if (C) {
        FReplaced = C->WindowProc();
        C->SetWindowProc(FProc);
        FCanvas = C->CreateCanvas();
    }
}

void TControlHook::ControlFreed() {
    FReplaced = nullptr;
    FCanvas.reset();
}
