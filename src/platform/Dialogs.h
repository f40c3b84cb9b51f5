// Modal message boxes with the toolkit's German captions and buttons, and the common dialogs that
// choose a file to open or to save.
#pragma once

#include <optional>
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

// What a file dialog opens with. Filter pairs a shown name with its patterns, all separated by
// '|': "KOPLAR GE Dateien (*.kxw)|*.kxw|Alle Dateien (*.*)|*.*"; several patterns of one entry are
// separated by ';'. DefaultExt ("kxw") is added to a name without an extension chosen for saving;
// an existing name without one opens as it is. An empty InitialDir opens in the working folder.
struct TFileDialogRequest {
    std::string Title;
    std::string Filter;
    std::string DefaultExt;
    std::string InitialDir;
    std::string FileName;
};

// Each returns the chosen absolute file name, nothing when cancelled. The save dialog asks no
// overwrite question: callers ask their own.
class TFileDialogs {
public:
    virtual ~TFileDialogs() = default;
    // Accepts only an existing file.
    virtual std::optional<std::string> OpenFile(const TFileDialogRequest& Request) = 0;
    virtual std::optional<std::string> SaveFile(const TFileDialogRequest& Request) = 0;
};
