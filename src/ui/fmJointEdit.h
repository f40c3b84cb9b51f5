// The joint property dialog: a joint's number, name and place, and whether its coupler curve and
// plane positions are shown. It writes into the joint itself; the plane positions of a joint with
// several links are drawn for the link chosen in the link choice it owns.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TCustomLink;
class TFormSelLink;
class TGear;
class TJoint;

class TFormJointEdit : public QDialog {
public:
    explicit TFormJointEdit(TGear& Gear, QWidget* Parent = nullptr);

    // The joint to edit, set before showing; nil after OK and after cancelling.
    TJoint* Joint() const { return FJoint; }
    void SetJoint(TJoint* Value) { FJoint = Value; }
    TFormSelLink& FormSelLink() const { return *FFormSelLink; }

    // Fills the controls from the joint.
    void ShowJoint();
    // Writes the controls into the joint; false, with the reason told, when an input is refused.
    bool ApplyChanges();

    // Abbrechen, Escape and the close box: what was applied stays.
    void reject() override;

    QSpinBox* seJointID;
    QLineEdit* eJointIdentifier;
    QLineEdit* eX;
    QLineEdit* eY;
    QCheckBox* cbCurve;
    QCheckBox* cbShowPlanes;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QPushButton* BitBtn3;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    void BuildLayout();
    bool ApplyID();
    bool ApplyPosition();
    void ApplyCurve();
    void ApplyPlanes();
    // The link whose plane positions the user wants: the only one, or the one chosen.
    TCustomLink* ChoosePlaneLink();
    void OkClick();

    TGear& FGear;
    TJoint* FJoint = nullptr;
    TFormSelLink* FFormSelLink;
};
