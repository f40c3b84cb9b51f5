#include "platform/Control.h"

#include <utility>

TControl::TControl(TComponent* AOwner) : TComponent(AOwner), FWindowProc(DefaultWindowProc()) {}

void TControl::SetWindowProc(TWndMethod Proc) {
    FWindowProc = Proc ? std::move(Proc) : DefaultWindowProc();
}

TWndMethod TControl::DefaultWindowProc() {
    return [this](TMessage& Message) { DefaultWndProc(Message); };
}

void TControl::Perform(TMessage& Message) {
    // A copy: the procedure may replace itself while it runs.
    TWndMethod Proc = FWindowProc;
    Proc(Message);
}

void TControl::SetCursor(TCursor Value) {
    FCursor = Value;
    ShowCursor(Value);
}

void TControl::DefaultWndProc(TMessage& Message) {
    Message.Defaulted = true;
}
