// "Antrieb - Eigenschaften": edits one drive, the links a rotary drive turns between, the number
// of gear positions and the drive value of each, shown as absolute angles or slide distances.
#pragma once

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class TCustomLink;
class TDrive;
class TDriveValuesPage;
class TFormSelFill;
struct TDriveScale;

class TFormDriveEdit : public QDialog {
public:
    explicit TFormDriveEdit(TFormSelFill& SelFill, QWidget* Parent = nullptr);

    // Shows the drive modally; true when OK wrote the page into it. A "Ja" at a page switch
    // writes at once and stays written even when the dialog is left with "Abbrechen".
    bool Edit(TDrive& Drive);

    // OK applies the page and stays open when anything is refused.
    void accept() override;

    // The gear positions of the model's drives other than the one shown: with them, no more
    // than the bound of all drives together may be asked for.
    std::function<long long(const TDrive&)> OtherDrivesIntervals = [](const TDrive&) {
        return 0LL;
    };

    QStackedWidget* pcDrive;
    QWidget* tsRotate;
    QWidget* tsSlide;
    QLineEdit* eJoint;
    QComboBox* cbLink0;
    QComboBox* cbLink1;
    TDriveValuesPage* Rotate;
    QLineEdit* eSlider;
    QLineEdit* eLink;
    QLineEdit* eRefJoint;
    TDriveValuesPage* Slide;
    QPushButton* bbtnOK;
    QPushButton* bbtnCancel;

private:
    QWidget* MakeRotatePage(TFormSelFill& SelFill);
    QWidget* MakeSlidePage(TFormSelFill& SelFill);
    void ShowDrive();
    void ShowRotaryDrive();
    void ShowSlidingDrive();
    TDriveScale RotaryScale() const;
    TDriveScale SlidingScale() const;
    bool IsSliding() const;
    bool ApplyChanges();
    bool ApplyRotaryDrive();
    bool ApplySlidingDrive();
    // False, with the page's count refused, when the drives together would pass their bound.
    bool WithinBounds(TDriveValuesPage& Page, int Intervals);

    TDrive* FDrive = nullptr;
    // The drive joint's links as the two lists offer them.
    std::vector<TCustomLink*> FLinks;
};
