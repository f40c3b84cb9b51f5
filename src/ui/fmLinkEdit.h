// The link property dialog: one page for an ordinary link, the frame or a slider (number, name,
// dimensions), the link's colour and its joints (number, name, world and link coordinates). It
// adds coupler points and opens the drive that uses the link. It writes into the link itself.
#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QWidget;
class TColorBox;
class TCustomLink;
class TDrive;
class TGear;
class TJoint;
class TLink;
class TRack;
class TSlider;

class TFormLinkEdit : public QDialog {
public:
    // Shows the drive dialog for the drive; true when it was left with OK.
    using TEditDrive = std::function<bool(TDrive&)>;

    TFormLinkEdit(TGear& Gear, TEditDrive DriveEditor, QWidget* Parent = nullptr);

    // The link to edit, set before showing; nil after OK and after cancelling.
    TCustomLink* Link() const { return FLink; }
    void SetLink(TCustomLink* Value) { FLink = Value; }

    // Fills the page of the link's kind, the colour and the joints.
    void ShowProperties();
    // Writes the page, then the chosen joint; false, with the reason told, at the first input
    // refused (what came before it stays written).
    bool ApplyChanges();

    // Abbrechen, Escape and the close box: the reference joint the link had when shown comes
    // back; what was applied or added stays.
    void reject() override;

    QStackedWidget* pcProperties;
    QWidget* tsLinkProperties;
    QLineEdit* eLinkID;
    QLineEdit* eLinkIdentifier;
    QComboBox* cbLinkRefJoint;
    QLineEdit* eLinkLength;
    QLineEdit* eLinkAngle;
    QWidget* tsRackProperties;
    QLineEdit* eRackID;
    QLineEdit* eRackIdentifier;
    QWidget* tsSliderProperties;
    QLineEdit* eSliderID;
    QLineEdit* eSliderIdentifier;
    QLineEdit* eSliderLink;
    QLineEdit* eSliderRefJoint;
    QLineEdit* eSliderEccentricity;
    QLineEdit* eSlideDistance;
    QLineEdit* eSliderAngle;
    TColorBox* cbColor;
    QGroupBox* gbJoints;
    QComboBox* cbJoints;
    QLineEdit* eJointID;
    QLineEdit* eJointIdentifier;
    QLineEdit* eJointX;
    QLineEdit* eJointY;
    QLabel* lblJointXk;
    QLineEdit* eJointXk;
    QLabel* lblJointYk;
    QLineEdit* eJointYk;
    QPushButton* BitBtn4;
    QPushButton* btnDriveProperties;
    QPushButton* bbtnOK;
    QPushButton* bbtnCancel;
    QPushButton* bbtnAssume;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    // fmLinkEditLayout.cpp
    void BuildLayout();
    QWidget* BuildLinkPage();
    QWidget* BuildRackPage();
    QWidget* BuildSliderPage();
    QGroupBox* BuildJointGroup();

    void ShowLinkProperties(TLink& Link);
    void ShowRackProperties(TRack& Frame);
    void ShowSliderProperties(TSlider& Slider);
    // Moves and new joints are kept out of animation mode: the return to edit mode overwrites
    // moves, and a new joint breaks the filled position cache.
    void EnableGeometry();
    void FillJointList();
    void ClearJointFields();
    TJoint* ChosenJoint() const;
    void ShowChosenJoint();

    bool ApplyLinkProperties(TLink& Link);
    bool ApplyRackProperties(TRack& Frame);
    bool ApplySliderProperties(TSlider& Slider);
    bool ApplyJointProperties();
    bool ApplyLinkID(QLineEdit& Field);
    void ApplyIdentifier(QLineEdit& Field, TCustomLink& Link);
    bool ApplyJointID(TJoint& Joint);
    bool ApplyJointPosition(TJoint& Joint);
    bool ApplyJointLocalPosition(TJoint& Joint);

    void RefJointChosen();
    void AddCouplerPoint();
    void EditDrive();
    void OkClick();
    void AssumeClick();

    TGear& FGear;
    TEditDrive FEditDrive;
    TCustomLink* FLink = nullptr;
    // The reference joint of the link when the dialog was shown, for Abbrechen.
    TJoint* FSavedRefJoint = nullptr;
};
