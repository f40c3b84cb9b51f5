#include "platform/Platform.h"

TServiceSlot<TPlatform>& PlatformSlot() {
    static TServiceSlot<TPlatform> Slot("Plattform");
    return Slot;
}

TPlatform& Platform() {
    return PlatformSlot().Get();
}

TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, TMsgDlgButtons Buttons) {
    return Platform().Messages().MessageDlg(Text, Type, Buttons);
}
