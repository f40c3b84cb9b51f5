#include "platform/Platform.h"

#include "platform/ServiceSlot.h"

namespace {
TServiceSlot<TPlatform> GPlatform;
}

TPlatform& Platform() { return GPlatform.Get(); }

TPlatform* SetPlatform(TPlatform* P) { return GPlatform.Set(P); }

TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, TMsgDlgButtons Buttons) {
    return Platform().Messages().MessageDlg(Text, Type, Buttons);
}
