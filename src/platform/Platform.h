// The services a backend provides to the portable code. main() installs the Qt backend, tests
// install fakes; nothing here includes a toolkit header.
#pragma once

#include "platform/Canvas.h"
#include "platform/Dialogs.h"
#include "platform/ServiceSlot.h"
#include "platform/Timer.h"

#include <memory>

class TPlatform {
public:
    virtual ~TPlatform() = default;
    virtual std::unique_ptr<TBitmap> CreateBitmap(int Width, int Height) = 0;
    virtual TMessageService& Messages() = 0;
    virtual TFileDialogs& FileDialogs() = 0;
    // A disabled timer with the default interval.
    virtual std::unique_ptr<TTimer> CreateTimer() = 0;
};

// Where main() and tests install the backend (TScopedService).
TServiceSlot<TPlatform>& PlatformSlot();
// The installed backend; throws std::logic_error when none is.
TPlatform& Platform();

// Shorthand for Platform().Messages().MessageDlg.
TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, TMsgDlgButtons Buttons);
