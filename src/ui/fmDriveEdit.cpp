#include "ui/fmDriveEdit.h"

#include "gear/uDrive.h"
#include "gear/uGearLimits.h"
#include "gear/uJoint.h"
#include "gear/uLinkKind.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"
#include "platform/Platform.h"
#include "platform/qt/QtGuard.h"
#include "ui/DialogFields.h"
#include "ui/ModalSeam.h"
#include "ui/WholeTextField.h"
#include "ui/WidgetNames.h"
#include "ui/fmDriveEditValues.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <numbers>

namespace {

QLineEdit* ReadOnlyField(const char* Name) {
    auto* Field = Named(new TWholeTextField, Name);
    Field->setReadOnly(true);
    return Field;
}

QString Text(const std::string& S) {
    return QString::fromStdString(S);
}

const TDriveValuesNames RotateNames{
    "seRotateIntervals", "pcRotateData", "tsRotateLinear", "tsRotateTable", "lblRotaionAngle",
    "eRotationAngle", "sgValues", "btnRotateFill", "Antriebswerte", "[Grad]", "den Winkel",
    // A cell of the rotary table is named by the count, as users of the program know it.
    "die Anzahl der Antriebsintervalle", "den Winkel"};

const TDriveValuesNames SlideNames{
    "seSlideIntervals", "pcSlideData",   "tsSlideLinear", "tsSlideTable",       "lblSlideDistance",
    "eSlideDistance",   "sgSlideValues", "btnSlideFilll", "Antriebswerte [mm]", "[mm]",
    "die Schubstrecke", "die Strecke",   "die Strecke"};

double LinkAngle(const TCustomLink* Link) {
    return Link ? Link->Angle() : 0.0;
}

void Refuse(const char* Message, QWidget* Focus) {
    Inform(Message);
    Focus->setFocus();
}

void Write(TDrive& Drive, const TDriveValuesInput& Input) {
    Drive.SetIsLinear(Input.IsLinear);
    if (!Input.Values)
        return;
    Drive.SetIntervals(Input.Intervals);
    for (std::size_t I = 0; I < Input.Values->size(); ++I)
        Drive.SetValue(static_cast<int>(I), (*Input.Values)[I]);
}

} // namespace

TFormDriveEdit::TFormDriveEdit(TFormSelFill& SelFill, QWidget* Parent)
    : QDialog(Parent), pcDrive(Named(new QStackedWidget, "pcDrive")),
      bbtnOK(Named(new QPushButton(QStringLiteral("OK")), "bbtnOK")),
      bbtnCancel(Named(new QPushButton(QStringLiteral("Abbrechen")), "bbtnCancel")) {
    setObjectName(QStringLiteral("FormDriveEdit"));
    setWindowTitle(QStringLiteral("Antrieb - Eigenschaften"));
    pcDrive->addWidget(MakeRotatePage(SelFill));
    pcDrive->addWidget(MakeSlidePage(SelFill));
    Rotate->ApplyChanges = [this] { return ApplyChanges(); };
    Slide->ApplyChanges = [this] { return ApplyChanges(); };

    bbtnOK->setDefault(true);
    GuardedConnect(bbtnOK, &QPushButton::clicked, this, &TFormDriveEdit::accept);
    GuardedConnect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch();
    Buttons->addWidget(bbtnOK);
    Buttons->addWidget(bbtnCancel);
    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(pcDrive);
    Layout->addLayout(Buttons);
}

QWidget* TFormDriveEdit::MakeRotatePage(TFormSelFill& SelFill) {
    tsRotate = Named(new QWidget, "tsRotate");
    eJoint = ReadOnlyField("eJoint");
    cbLink0 = Named(new QComboBox, "cbLink0");
    cbLink1 = Named(new QComboBox, "cbLink1");
    FitEntries(*cbLink0);
    FitEntries(*cbLink1);
    Rotate = new TDriveValuesPage(RotateNames, SelFill);
    auto* Fields = new QFormLayout;
    Fields->addRow(QStringLiteral("Antrieb im Gelenk:"), eJoint);
    Fields->addRow(QStringLiteral("zwischen Glied:"), cbLink0);
    Fields->addRow(QStringLiteral("und:"), cbLink1);
    auto* Layout = new QVBoxLayout(tsRotate);
    Layout->addLayout(Fields);
    Layout->addWidget(Rotate);
    return tsRotate;
}

QWidget* TFormDriveEdit::MakeSlidePage(TFormSelFill& SelFill) {
    tsSlide = Named(new QWidget, "tsSlide");
    eSlider = ReadOnlyField("eSlider");
    eLink = ReadOnlyField("eLink");
    eRefJoint = ReadOnlyField("eRefJoint");
    Slide = new TDriveValuesPage(SlideNames, SelFill);
    auto* Fields = new QFormLayout;
    Fields->addRow(QStringLiteral("Gleitstein:"), eSlider);
    Fields->addRow(QStringLiteral("Schubgerade:"), eLink);
    Fields->addRow(QStringLiteral("Bezugsgelenk:"), eRefJoint);
    auto* Layout = new QVBoxLayout(tsSlide);
    Layout->addLayout(Fields);
    Layout->addWidget(Slide);
    return tsSlide;
}

bool TFormDriveEdit::Edit(TDrive& Drive) {
    FDrive = &Drive;
    ShowDrive();
    setResult(QDialog::Rejected);
    const bool Accepted = RunModal(*this) == QDialog::Accepted;
    FDrive = nullptr;
    FLinks.clear();
    return Accepted;
}

void TFormDriveEdit::accept() {
    RunGuarded([this] {
        if (FDrive && ApplyChanges())
            QDialog::accept();
    });
}

bool TFormDriveEdit::IsSliding() const {
    return FDrive->DriveType() == dtSliding;
}

void TFormDriveEdit::ShowDrive() {
    if (IsSliding()) {
        ShowSlidingDrive();
        pcDrive->setCurrentWidget(tsSlide);
    } else {
        ShowRotaryDrive();
        pcDrive->setCurrentWidget(tsRotate);
    }
}

TDriveScale TFormDriveEdit::RotaryScale() const {
    constexpr double Pi = std::numbers::pi;
    return {Pi / 180.0, (LinkAngle(FDrive->Link1()) - LinkAngle(FDrive->Link0())) / Pi * 180.0};
}

TDriveScale TFormDriveEdit::SlidingScale() const {
    return {1000.0, SlideDistanceOf(FDrive->Link0())};
}

void TFormDriveEdit::ShowRotaryDrive() {
    cbLink0->clear();
    cbLink1->clear();
    FLinks.clear();
    const TJoint* Joint = FDrive->GetJoint();
    if (Joint)
        FLinks.assign(Joint->Links().begin(), Joint->Links().end());
    for (const TCustomLink* Link : FLinks) {
        const QString Item =
            QStringLiteral("%1 (%2)").arg(Link->ID()).arg(Text(Link->Identifier()));
        cbLink0->addItem(Item);
        cbLink1->addItem(Item);
    }
    // A link that left the joint is not offered: its list has no choice until the user makes one.
    const auto IndexOf = [this](const TCustomLink* Link) {
        const auto It = std::find(FLinks.begin(), FLinks.end(), Link);
        return It == FLinks.end() ? -1 : static_cast<int>(It - FLinks.begin());
    };
    cbLink0->setCurrentIndex(IndexOf(FDrive->Link0()));
    cbLink1->setCurrentIndex(IndexOf(FDrive->Link1()));
    eJoint->setText(Joint ? Text(Joint->GetDisplayText()) : QString());
    Rotate->ShowDrive(*FDrive, RotaryScale());
}

void TFormDriveEdit::ShowSlidingDrive() {
    const auto Identifier = [](const TCustomLink* Link) {
        return Link ? Text(Link->Identifier()) : QString();
    };
    eSlider->setText(Identifier(FDrive->Link0()));
    eLink->setText(Identifier(FDrive->Link1()));
    const TJoint* Reference = FDrive->GetJoint();
    eRefJoint->setText(Reference ? QString::number(Reference->ID()) : QString());
    Slide->ShowDrive(*FDrive, SlidingScale());
}

bool TFormDriveEdit::ApplyChanges() {
    const bool Applied = IsSliding() ? ApplySlidingDrive() : ApplyRotaryDrive();
    if (Applied) {
        if (IsSliding())
            Slide->Applied(*FDrive, SlidingScale());
        else
            Rotate->Applied(*FDrive, RotaryScale());
    }
    return Applied;
}

// Everything is checked before anything is written, so a refusal leaves the drive as it was.
bool TFormDriveEdit::ApplyRotaryDrive() {
    const int Index0 = cbLink0->currentIndex();
    const int Index1 = cbLink1->currentIndex();
    if (Index0 < 0 || Index1 < 0 || Index0 == Index1) {
        Refuse("Der Antrieb muss sich zwischen 2 unterschiedlichen Gliedern befinden.",
               Index0 >= 0 && Index1 < 0 ? cbLink1 : cbLink0);
        return false;
    }
    TCustomLink* Link0 = FLinks[static_cast<std::size_t>(Index0)];
    TCustomLink* Link1 = FLinks[static_cast<std::size_t>(Index1)];
    if (!AsRack(Link0) && !AsRack(Link1)) {
        Refuse("Es sind nur Antriebe in Gestellpunkten möglich.\n\rBitte korrigieren Sie das.",
               cbLink0);
        return false;
    }
    const auto Input = Rotate->Read(*FDrive);
    if (!Input || !WithinBounds(*Rotate, Input->Intervals))
        return false;
    FDrive->SetLink0(Link0);
    FDrive->SetLink1(Link1);
    Write(*FDrive, *Input);
    return true;
}

bool TFormDriveEdit::ApplySlidingDrive() {
    const auto Input = Slide->Read(*FDrive);
    if (!Input || !WithinBounds(*Slide, Input->Intervals))
        return false;
    Write(*FDrive, *Input);
    return true;
}

bool TFormDriveEdit::WithinBounds(TDriveValuesPage& Page, int Intervals) {
    if (Intervals + OtherDrivesIntervals(*FDrive) <= MaxDriveValues)
        return true;
    RefuseInput(*Page.seIntervals, "die Anzahl der Intervalle");
    return false;
}
