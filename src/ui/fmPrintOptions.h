// The print options dialog "Getriebe drucken": which part of the world goes on the page. Kept for
// the program's lifetime, so it remembers the last choice.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>

class QButtonGroup;
class QPushButton;

class TFormPrintOptions : public QDialog {
public:
    explicit TFormPrintOptions(QWidget* Parent = nullptr);

    // The print view's index (0 the current view, 1 fitted, 2 true to scale), or nothing when
    // the dialog was cancelled.
    std::optional<int> Ask();
    int PrintViewIndex() const;

    // "Drucker einrichten ...": what the button opens.
    std::function<void()> OnPrinterSetup;

    QButtonGroup* rgPrintView() const { return FPrintView; }
    QPushButton* SetupButton() const { return FSetup; }

private:
    QButtonGroup* FPrintView;
    QPushButton* FSetup;
};
