#include "ui/fmLinkEdit.h"

#include "gear/uDrive.h"
#include "gear/uGear.h"
#include "gear/uGearUtils.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"
#include "platform/qt/QtGuard.h"
#include "platform/qt/QtScreenCentre.h"
#include "ui/ColorBox.h"
#include "ui/DialogFields.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>

#include <algorithm>
#include <numbers>

namespace {

constexpr double DegreesPerRadian = 180 / std::numbers::pi;

QString Text(const std::string& S) {
    return QString::fromStdString(S);
}

} // namespace

TFormLinkEdit::TFormLinkEdit(TGear& Gear, TEditDrive DriveEditor, QWidget* Parent)
    : QDialog(Parent), FGear(Gear), FEditDrive(std::move(DriveEditor)) {
    setObjectName(QStringLiteral("FormLinkEdit"));
    BuildLayout();
    CentreWhenShown(*this);
    GuardedConnect(cbLinkRefJoint, &QComboBox::activated, this, [this] { RefJointChosen(); });
    GuardedConnect(cbJoints, &QComboBox::activated, this, [this] { ShowChosenJoint(); });
    GuardedConnect(BitBtn4, &QPushButton::clicked, this, [this] { AddCouplerPoint(); });
    GuardedConnect(btnDriveProperties, &QPushButton::clicked, this, [this] { EditDrive(); });
    GuardedConnect(bbtnOK, &QPushButton::clicked, this, [this] { OkClick(); });
    GuardedConnect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    GuardedConnect(bbtnAssume, &QPushButton::clicked, this, [this] { AssumeClick(); });
}

void TFormLinkEdit::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    if (!Event->spontaneous())
        RunGuarded([this] { ShowProperties(); });
}

void TFormLinkEdit::ShowProperties() {
    if (!FLink)
        return;
    FSavedRefJoint = FLink->ReferenceJoint();
    if (auto* Bar = AsBar(FLink))
        ShowLinkProperties(*Bar);
    else if (auto* Frame = AsRack(FLink))
        ShowRackProperties(*Frame);
    else if (auto* Slider = AsSlider(FLink))
        ShowSliderProperties(*Slider);
    cbColor->SetSelected(FLink->LineColor());
    EnableGeometry();
}

void TFormLinkEdit::ShowLinkProperties(TLink& Link) {
    pcProperties->setCurrentWidget(tsLinkProperties);
    eLinkIdentifier->setText(Text(Link.Identifier()));
    eLinkID->setText(QString::number(Link.ID()));
    eLinkLength->setText(DecimalText(Link.Length()));
    eLinkAngle->setText(DecimalText(Link.Angle() * DegreesPerRadian));
    cbLinkRefJoint->clear();
    for (int I = 0; I < std::min(2, Link.Joints().Count()); ++I)
        cbLinkRefJoint->addItem(Text(Link.Joints().Items(I)->GetDisplayText()));
    const int Ref = Link.ReferenceJointID();
    cbLinkRefJoint->setCurrentIndex(Ref < cbLinkRefJoint->count() ? Ref : -1);
    eLinkIdentifier->setFocus();
    FillJointList();
}

void TFormLinkEdit::ShowRackProperties(TRack& Frame) {
    pcProperties->setCurrentWidget(tsRackProperties);
    eRackIdentifier->setText(Text(Frame.Identifier()));
    eRackID->setText(QString::number(Frame.ID()));
    FillJointList();
}

void TFormLinkEdit::ShowSliderProperties(TSlider& Slider) {
    pcProperties->setCurrentWidget(tsSliderProperties);
    eSliderIdentifier->setText(Text(Slider.Identifier()));
    eSliderID->setText(QString::number(Slider.ID()));
    if (const TLink* Slide = Slider.SlideLink()) {
        eSliderLink->setText(QString("%1 (%2)").arg(Slide->ID()).arg(Text(Slide->Identifier())));
        const TJoint* Ref = Slide->ReferenceJoint();
        eSliderRefJoint->setText(Ref ? Text(Ref->GetDisplayText()) : QString());
        eSliderAngle->setText(DecimalText(Slider.Angle() * DegreesPerRadian));
        eSliderEccentricity->setText(DecimalText(Slide->Eccentricity()));
        eSlideDistance->setText(DecimalText(Slider.GetSlideDistance()));
    } else {
        eSliderLink->setText("keine");
        eSliderRefJoint->clear();
        eSliderEccentricity->setText("0");
        eSliderAngle->setText("0");
        // Nothing to slide on: no distance left over from the slider shown before.
        eSlideDistance->setText("0");
    }
    FillJointList();
}

void TFormLinkEdit::EnableGeometry() {
    const bool Editing = FGear.Editing();
    const std::initializer_list<QWidget*> Geometry = {eLinkLength, eLinkAngle, eJointX, eJointY,
                                                      eJointXk,    eJointYk,   BitBtn4};
    for (QWidget* Field : Geometry)
        Field->setEnabled(Editing);
    eSliderAngle->setEnabled(Editing && IsSliderOnSlideLink(FLink));
    btnDriveProperties->setEnabled(Editing && FGear.GearData().Drives().FindByLink(FLink));
}

void TFormLinkEdit::FillJointList() {
    cbJoints->clear();
    ClearJointFields();
    for (const TJoint* Joint : FLink->Joints())
        if (!Joint->IsVirtual())
            cbJoints->addItem(Text(Joint->GetDisplayText()));
    lblJointXk->setText(QString("X(%1)=").arg(FLink->ID()));
    lblJointYk->setText(QString("Y(%1)=").arg(FLink->ID()));
    gbJoints->setEnabled(cbJoints->count() > 0);
    if (cbJoints->count() > 0) {
        cbJoints->setCurrentIndex(0);
        ShowChosenJoint();
    }
}

void TFormLinkEdit::ClearJointFields() {
    for (QLineEdit* Field : {eJointID, eJointIdentifier, eJointX, eJointY, eJointXk, eJointYk})
        Field->clear();
}

TJoint* TFormLinkEdit::ChosenJoint() const {
    return FLink ? GetRealJoint(FLink->Joints(), cbJoints->currentIndex()) : nullptr;
}

void TFormLinkEdit::ShowChosenJoint() {
    TJoint* Joint = ChosenJoint();
    ClearJointFields();
    gbJoints->setEnabled(Joint);
    if (!Joint)
        return;
    eJointID->setText(QString::number(Joint->ID()));
    eJointIdentifier->setText(Text(Joint->Identifier()));
    eJointX->setText(DecimalText(Joint->X()));
    eJointY->setText(DecimalText(Joint->Y()));
    const TMMPoint Local = FLink->GlobalToLocal(Joint->Position());
    eJointXk->setText(DecimalText(Local.X));
    eJointYk->setText(DecimalText(Local.Y));
}

void TFormLinkEdit::RefJointChosen() {
    auto* Bar = AsBar(FLink);
    if (!Bar)
        return;
    Bar->SetReferenceJointID(RealJointIndex(Bar->Joints(), cbLinkRefJoint->currentIndex()));
    ShowLinkProperties(*Bar);
}

void TFormLinkEdit::AddCouplerPoint() {
    TJoint* Joint = FGear.GearData().CreateJoint(0, 0);
    FLink->AddJoint(Joint);
    FillJointList();
    cbJoints->setCurrentIndex(cbJoints->count() - 1);
    ShowChosenJoint();
}

void TFormLinkEdit::EditDrive() {
    TGearData& Data = FGear.GearData();
    if (TDrive* Drive = Data.Drives().FindByLink(FLink))
        Data.Edit([&] { return FEditDrive(*Drive); });
}

void TFormLinkEdit::OkClick() {
    if (!ApplyChanges())
        return;
    FLink = nullptr;
    FSavedRefJoint = nullptr;
    accept();
}

void TFormLinkEdit::AssumeClick() {
    FGear.GearData().Edit([this] {
        ApplyChanges();
        return true;
    });
}

void TFormLinkEdit::reject() {
    RunGuarded([this] {
        if (auto* Bar = AsBar(FLink); Bar && FSavedRefJoint)
            Bar->SetReferenceJoint(FSavedRefJoint);
        FLink = nullptr;
        FSavedRefJoint = nullptr;
        QDialog::reject();
    });
}
