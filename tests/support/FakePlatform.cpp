#include "support/FakePlatform.h"

TModalResult TScriptedMessages::MessageDlg(const std::string& Text, TMsgDlgType Type,
                                           TMsgDlgButtons Buttons) {
    Asked.push_back({Text, Type, Buttons});
    if (OnAsk)
        OnAsk();
    if (Answers.empty())
        return TModalResult::mrOk;
    TModalResult R = Answers.front();
    Answers.pop_front();
    return R;
}

std::optional<std::string> TScriptedFileDialogs::OpenFile(const TFileDialogRequest& Request) {
    return Ask(TFileDialogKind::Open, Request);
}

std::optional<std::string> TScriptedFileDialogs::SaveFile(const TFileDialogRequest& Request) {
    return Ask(TFileDialogKind::Save, Request);
}

std::optional<std::string> TScriptedFileDialogs::Ask(TFileDialogKind Kind,
                                                     const TFileDialogRequest& Request) {
    Asked.push_back({Kind, Request});
    if (Answers.empty())
        return std::nullopt;
    std::optional<std::string> R = Answers.front();
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
