#include "ui/fmJointEdit.h"

#include "gear/uCrvPln.h"
#include "gear/uGear.h"
#include "gear/uJoint.h"
#include "platform/qt/QtGuard.h"
#include "platform/qt/QtScreenCentre.h"
#include "ui/DialogFields.h"
#include "ui/ModalSeam.h"
#include "ui/WidgetNames.h"
#include "ui/fmSelLink.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>

#include <climits>

TFormJointEdit::TFormJointEdit(TGear& Gear, QWidget* Parent)
    : QDialog(Parent), FGear(Gear), FFormSelLink(new TFormSelLink(this)) {
    setObjectName(QStringLiteral("FormJointEdit"));
    BuildLayout();
    CentreWhenShown(*this);
    GuardedConnect(BitBtn1, &QPushButton::clicked, this, [this] { OkClick(); });
    GuardedConnect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    GuardedConnect(BitBtn3, &QPushButton::clicked, this, [this] { ApplyChanges(); });
}

void TFormJointEdit::showEvent(QShowEvent* Event) {
    QDialog::showEvent(Event);
    if (!Event->spontaneous() && FJoint)
        RunGuarded([this] { ShowJoint(); });
}

void TFormJointEdit::ShowJoint() {
    eJointIdentifier->setText(QString::fromStdString(FJoint->Identifier()));
    seJointID->setValue(FJoint->ID());
    eX->setText(DecimalText(FJoint->X()));
    eY->setText(DecimalText(FJoint->Y()));
    // A move in animation mode would be overwritten by the return to edit mode.
    eX->setEnabled(FGear.Editing());
    eY->setEnabled(FGear.Editing());
    cbCurve->setChecked(FGear.Curves().HasCurve(FJoint));
    cbShowPlanes->setChecked(FGear.Planes().HasPlane(FJoint));
}

bool TFormJointEdit::ApplyChanges() {
    if (!FJoint)
        return true;
    return FGear.GearData().Edit([this] {
        if (!ApplyID())
            return false;
        FJoint->SetIdentifier(eJointIdentifier->text().toStdString());
        if (!ApplyPosition())
            return false;
        ApplyCurve();
        ApplyPlanes();
        return true;
    });
}

bool TFormJointEdit::ApplyID() {
    const int Number = seJointID->value();
    if (Number == FJoint->ID())
        return true;
    if (FGear.GearData().JointIDExists(Number)) {
        Inform("Es gibt schon ein Gelenk mit dieser Nummer.");
        seJointID->setValue(FJoint->ID());
        seJointID->setFocus();
        return false;
    }
    FJoint->SetID(Number);
    return true;
}

bool TFormJointEdit::ApplyPosition() {
    if (!eX->isModified() && !eY->isModified())
        return true;
    TMMPoint P = FJoint->Position();
    if (!ReadEditedPoint(*eX, *eY, P))
        return false;
    FJoint->SetPosition(nullptr, P.X, P.Y);
    eX->setModified(false);
    eY->setModified(false);
    return true;
}

void TFormJointEdit::ApplyCurve() {
    if (cbCurve->isChecked() == FGear.Curves().HasCurve(FJoint))
        return;
    if (cbCurve->isChecked())
        FGear.GetCurve(FJoint);
    else
        FGear.Curves().RemoveCurve(FJoint);
}

void TFormJointEdit::ApplyPlanes() {
    if (cbShowPlanes->isChecked() == FGear.Planes().HasPlane(FJoint))
        return;
    if (!cbShowPlanes->isChecked()) {
        FGear.Planes().RemovePlane(FJoint);
        return;
    }
    // A plane position is drawn for one link of the joint: without one there is nothing to show.
    if (TCustomLink* Link = ChoosePlaneLink())
        FGear.GetPlane(FJoint, Link);
    else
        cbShowPlanes->setChecked(false);
}

TCustomLink* TFormJointEdit::ChoosePlaneLink() {
    const TLinkList& Links = FJoint->Links();
    if (Links.Count() <= 1)
        return Links.Empty() ? nullptr : Links.First();
    FFormSelLink->FillLinkList(*FJoint);
    if (RunModal(*FFormSelLink) != QDialog::Accepted)
        return nullptr;
    return FFormSelLink->GetSelectedLink(*FJoint);
}

void TFormJointEdit::OkClick() {
    if (!ApplyChanges())
        return;
    FJoint = nullptr;
    accept();
}

void TFormJointEdit::reject() {
    RunGuarded([this] {
        FJoint = nullptr;
        QDialog::reject();
    });
}

void TFormJointEdit::BuildLayout() {
    setObjectName("FormJointEdit");
    setWindowTitle(QString::fromUtf8("Gelenk - Eigenschaften"));
    setWindowFlag(Qt::Tool);
    resize(312, 284);

    seJointID = Named(new QSpinBox(this), "seJointID");
    // Parts are numbered from 1.
    seJointID->setRange(1, INT_MAX);
    eJointIdentifier = Named(new QLineEdit(this), "eJointIdentifier");
    eX = Named(new QLineEdit(this), "eX");
    eY = Named(new QLineEdit(this), "eY");
    cbCurve = Named(new QCheckBox(QString::fromUtf8("Bahnkurve anzeigen"), this), "cbCurve");
    cbShowPlanes =
        Named(new QCheckBox(QString::fromUtf8("Ebenenlagen anzeigen"), this), "cbShowPlanes");
    BitBtn1 = Named(new QPushButton("OK", this), "BitBtn1");
    BitBtn1->setDefault(true);
    BitBtn2 = Named(new QPushButton("Abbrechen", this), "BitBtn2");
    BitBtn3 = Named(new QPushButton(QString::fromUtf8("Übernehmen"), this), "BitBtn3");

    auto* GroupBox4 = Named(new QGroupBox("Bezeichnung", this), "GroupBox4");
    auto* Names = new QGridLayout(GroupBox4);
    Names->addWidget(new QLabel("Nummer=", GroupBox4), 0, 0);
    Names->addWidget(seJointID, 0, 1);
    Names->addWidget(new QLabel("Bezeichnung=", GroupBox4), 1, 0);
    Names->addWidget(eJointIdentifier, 1, 1);

    auto* GroupBox1 = Named(new QGroupBox("Koordinaten:", this), "GroupBox1");
    auto* Coords = new QGridLayout(GroupBox1);
    Coords->addWidget(new QLabel("x=", GroupBox1), 0, 0);
    Coords->addWidget(eX, 0, 1);
    Coords->addWidget(new QLabel("[mm]", GroupBox1), 0, 2);
    Coords->addWidget(new QLabel("y=", GroupBox1), 1, 0);
    Coords->addWidget(eY, 1, 1);
    Coords->addWidget(new QLabel("[mm]", GroupBox1), 1, 2);

    auto* GroupBox2 = Named(new QGroupBox("Bahnkurve", this), "GroupBox2");
    auto* Paths = new QVBoxLayout(GroupBox2);
    Paths->addWidget(cbCurve);
    Paths->addWidget(cbShowPlanes);

    auto* Buttons = new QHBoxLayout;
    Buttons->addWidget(BitBtn1);
    Buttons->addWidget(BitBtn2);
    Buttons->addWidget(BitBtn3);

    auto* Column = new QVBoxLayout(this);
    Column->addWidget(GroupBox4);
    Column->addWidget(GroupBox1);
    Column->addWidget(GroupBox2);
    Column->addLayout(Buttons);
}
