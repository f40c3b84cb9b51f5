// The Qt backend of the platform services: QImage bitmaps, QTimer timers, QMessageBox message
// boxes with the German captions and buttons, and QFileDialog file dialogs.
#pragma once

#include "platform/Platform.h"
#include "platform/qt/QtFileDialogs.h"

class TQtMessages : public TMessageService {
public:
    TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type,
                            TMsgDlgButtons Buttons) override;
};

class TQtPlatform : public TPlatform {
public:
    std::unique_ptr<TBitmap> CreateBitmap(int Width, int Height) override;
    TMessageService& Messages() override { return FMessages; }
    TFileDialogs& FileDialogs() override { return FFileDialogs; }
    std::unique_ptr<TTimer> CreateTimer() override;

private:
    TQtMessages FMessages;
    TQtFileDialogs FFileDialogs;
};
