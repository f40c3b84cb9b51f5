#include "support/FakePlatform.h"

TModalResult TScriptedMessages::MessageDlg(const std::string& Text, TMsgDlgType Type,
                                           TMsgDlgButtons Buttons) {
    Asked.push_back({Text, Type, Buttons});
    if (Answers.empty())
        return TModalResult::mrOk;
    TModalResult R = Answers.front();
    Answers.pop_front();
    return R;
}

std::unique_ptr<TBitmap> TFakePlatform::CreateBitmap(int Width, int Height) {
    auto B = std::make_unique<TRecordingBitmap>(Width, Height);
    Bitmaps.push_back(B.get());
    return B;
}

std::unique_ptr<TTimer> TFakePlatform::CreateTimer() {
    auto T = std::make_unique<TManualTimer>();
    Timers.push_back(T.get());
    return T;
}
