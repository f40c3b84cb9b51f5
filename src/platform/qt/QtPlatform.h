// The Qt backend of the platform services: QImage bitmaps, QTimer timers and QMessageBox message
// boxes with the German captions and buttons.
#pragma once

#include "platform/Platform.h"

class TQtMessages : public TMessageService {
public:
    TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type,
                            TMsgDlgButtons Buttons) override;
};

class TQtPlatform : public TPlatform {
public:
    std::unique_ptr<TBitmap> CreateBitmap(int Width, int Height) override;
    TMessageService& Messages() override { return FMessages; }
    std::unique_ptr<TTimer> CreateTimer() override;

private:
    TQtMessages FMessages;
};
