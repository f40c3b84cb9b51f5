// A platform for tests: recording bitmaps, manual timers, and scripted message boxes and file
// dialogs that record what was asked and answer from a queue. Installed for the lifetime of the
// object.
#pragma once

#include "platform/Platform.h"
#include "support/ManualTimer.h"
#include "support/RecordingCanvas.h"

#include <deque>
#include <functional>
#include <optional>
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
    std::function<void()> OnAsk;      // called as each box comes up
    TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type,
                            TMsgDlgButtons Buttons) override;
};

enum class TFileDialogKind { Open, Save };

struct TAskedFileDialog {
    TFileDialogKind Kind;
    TFileDialogRequest Request;
};

class TScriptedFileDialogs : public TFileDialogs {
public:
    std::vector<TAskedFileDialog> Asked;
    std::deque<std::optional<std::string>> Answers; // empty: cancelled
    std::optional<std::string> OpenFile(const TFileDialogRequest& Request) override;
    std::optional<std::string> SaveFile(const TFileDialogRequest& Request) override;

private:
    std::optional<std::string> Ask(TFileDialogKind Kind, const TFileDialogRequest& Request);
};

class TFakePlatform : public TPlatform {
public:
    std::unique_ptr<TBitmap> CreateBitmap(int Width, int Height) override;
    TMessageService& Messages() override { return FMessages; }
    std::unique_ptr<TTimer> CreateTimer() override;
    TFileDialogs& FileDialogs() override { return FFileDialogs; }
    TScriptedMessages& Scripted() { return FMessages; }
    TScriptedFileDialogs& ScriptedFileDialogs() { return FFileDialogs; }
    // The bitmaps and timers created so far, in order (owned by whoever asked for them).
    std::vector<TRecordingBitmap*> Bitmaps;
    std::vector<TManualTimer*> Timers;

private:
    TScriptedMessages FMessages;
    TScriptedFileDialogs FFileDialogs;
    TScopedService<TPlatform> FInstalled{PlatformSlot(), *this};
};
