// A platform for tests: recording bitmaps, manual timers and scripted message boxes that record
// what was asked and answer from a queue. Installed for the lifetime of the object.
#pragma once

#include "platform/Platform.h"
#include "support/ManualTimer.h"
#include "support/RecordingCanvas.h"

#include <deque>
#include <string>
#include <vector>

struct TAskedMessage {
    std::string Text;
    TMsgDlgType Type;
    TMsgDlgButtons Buttons;
};

class TScriptedMessages : public TMessageService {
public:
    std::vector<TAskedMessage> Asked;
    std::deque<TModalResult> Answers; // empty: mrOk
    TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type,
                            TMsgDlgButtons Buttons) override;
};

class TFakePlatform : public TPlatform {
public:
    std::unique_ptr<TBitmap> CreateBitmap(int Width, int Height) override;
    TMessageService& Messages() override { return FMessages; }
    std::unique_ptr<TTimer> CreateTimer() override;
    TScriptedMessages& Scripted() { return FMessages; }
    // The bitmaps and timers created so far, in order (owned by whoever asked for them).
    std::vector<TRecordingBitmap*> Bitmaps;
    std::vector<TManualTimer*> Timers;

private:
    TScriptedMessages FMessages;
    TScopedService<TPlatform> FInstalled{PlatformSlot(), *this};
};
