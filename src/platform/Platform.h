// The services a backend provides to the portable code. main() installs the Qt backend, tests
// install fakes; nothing here includes a toolkit header.
#pragma once

#include "platform/Canvas.h"
#include "platform/Dialogs.h"

#include <memory>

class TPlatform {
public:
    virtual ~TPlatform() = default;
    virtual std::unique_ptr<TBitmap> CreateBitmap(int Width, int Height) = 0;
    virtual TMessageService& Messages() = 0;
};

// The installed backend; asserts that one is installed.
TPlatform& Platform();
// Installs P (not owned) and returns the previous one; nullptr uninstalls.
TPlatform* SetPlatform(TPlatform* P);

// Shorthand for Platform().Messages().MessageDlg.
TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type, TMsgDlgButtons Buttons);
