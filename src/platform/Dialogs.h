// Modal message boxes with the toolkit's German captions and buttons.
#pragma once

#include <string>

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : unsigned {
    mbYes = 1,
    mbNo = 2,
    mbOK = 4,
    mbCancel = 8,
    mbAbort = 16,
    mbRetry = 32,
    mbIgnore = 64
};
using TMsgDlgButtons = unsigned; // TMsgDlgBtn bits

enum class TModalResult { mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo };

class TMessageService {
public:
    virtual ~TMessageService() = default;
    virtual TModalResult MessageDlg(const std::string& Text, TMsgDlgType Type,
                                    TMsgDlgButtons Buttons) = 0;
};
