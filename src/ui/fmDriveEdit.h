// "Antrieb - Eigenschaften": edits one drive, the links a rotary drive turns between, the number
// of gear positions and the drive value of each, shown as absolute angles or slide distances.
#pragma once

#include <QDialog>

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

    TDrive* FDrive = nullptr;
    // The drive joint's links as the two lists offer them.
    std::vector<TCustomLink*> FLinks;
};
