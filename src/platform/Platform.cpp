#include "platform/Platform.h"

#include <cassert>

namespace {
TPlatform* GPlatform = nullptr;
}

TPlatform& Platform() {
    assert(GPlatform && "no platform backend installed");
    return *GPlatform;
}

TPlatform* SetPlatform(TPlatform* P) {
    TPlatform* Old = GPlatform;
    GPlatform = P;
    return Old;
}

TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, TMsgDlgButtons Buttons) {
    return Platform().Messages().MessageDlg(Text, Type, Buttons);
}
