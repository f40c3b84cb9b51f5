#include "ui/fmOptions.h"

#include "gear/uGearPrefs.h"
#include "gear/uGearUtils.h"
#include "platform/Platform.h"
#include "platform/qt/QtGuard.h"
#include "platform/qt/QtScreenCentre.h"
#include "ui/ColorBox.h"
#include "ui/DialogFields.h"
#include "xml/XMLPrefs.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>

#include <cstdint>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

double DegreesToRadians(double Degrees) {
    return Degrees * Pi / 180;
}

double Millimetres(double Value) {
    return Value;
}

TCustomXMLPreferences& Settings() {
    return PreferenceStore();
}

void LoadChecks(const auto& Bindings) {
    for (const auto& B : Bindings)
        B.Control->setChecked(Settings().GetBoolean(B.Category, B.Name));
}

void StoreChecks(const auto& Bindings) {
    for (const auto& B : Bindings)
        Settings().SetValue(B.Category, B.Name, B.Control->isChecked());
}

void LoadColors(const auto& Bindings) {
    for (const auto& B : Bindings)
        B.Control->SetSelected(Settings().GetColor(B.Category, B.Name));
}

void StoreColors(const auto& Bindings) {
    for (const auto& B : Bindings)
        Settings().SetValue(B.Category, B.Name, static_cast<std::int32_t>(B.Control->Selected()));
}

} // namespace

TFormOptions::TFormOptions(std::function<void()> ApplyToAll, QWidget* Parent)
    : QDialog(Parent), FApplyToAll(std::move(ApplyToAll)) {
    setObjectName(QStringLiteral("FormOptions"));
    BuildLayout();
}

void TFormOptions::showEvent(QShowEvent* Event) {
    // A restore from minimised shows the dialog again with what the user typed.
    if (!Event->spontaneous()) {
        RunGuarded([this] { FormShow(); });
        CentreOnScreen(*this, parentWidget());
    }
    QDialog::showEvent(Event);
}

void TFormOptions::FormShow() {
    LoadViewSettings();
    LoadAnimationSettings();
    LoadColorSettings();
    LoadProgramSettings();
    FPcColorDetails->setCurrentWidget(FTsJoint);
    FPcOptions->setCurrentWidget(FTsView);
}

void TFormOptions::LoadViewSettings() {
    LoadChecks(FViewChecks);
}

void TFormOptions::LoadAnimationSettings() {
    LoadChecks(FAnimationChecks);
    FTbAnimSpeed->setValue(Settings().GetInteger("Animator", "TimerInterval"));
    AnimSpeedChanged();
}

void TFormOptions::LoadColorSettings() {
    LoadColors(FColors);
    // The spin fields bring a value outside their range to the nearest bound.
    for (const auto& B : FSizes)
        B.Control->setValue(Settings().GetInteger(B.Category, B.Name));
    FFilledBeta = Settings().GetDouble("Planes", "Beta");
    FEPlaneBeta->setText(DecimalText(FFilledBeta / Pi * 180));
    FFilledLength = Settings().GetDouble("Planes", "Length");
    FEPlaneLength->setText(DecimalText(FFilledLength));
    LoadColors(FViewColors);
}

void TFormOptions::LoadProgramSettings() {
    LoadChecks(FProgramChecks);
}

bool TFormOptions::SaveViewSettings() {
    StoreChecks(FViewChecks);
    return true;
}

bool TFormOptions::SaveAnimationSettings() {
    StoreChecks(FAnimationChecks);
    Settings().SetValue("Animator", "TimerInterval", FTbAnimSpeed->value());
    return true;
}

bool TFormOptions::SaveColorSettings() {
    StoreColors(FColors);
    for (const auto& B : FSizes)
        Settings().SetValue(B.Category, B.Name, SpinValue(*B.Control));
    Settings().SetValue("Rack", "JointStyle", TVariant::Byte(0));
    const std::optional<double> Beta = ReadPlaneField(
        FEPlaneBeta, FFilledBeta, DegreesToRadians,
        "Die Eingabe für den Winkel ist nicht zulässig.\r\nBitte korrigieren Sie das!");
    if (!Beta)
        return false;
    Settings().SetValue("Planes", "Beta", *Beta);
    const std::optional<double> Length = ReadPlaneField(
        FEPlaneLength, FFilledLength, Millimetres,
        "Die Eingabe für die Länge ist nicht zulässig.\r\nBitte korrigieren Sie das!");
    if (!Length)
        return false;
    Settings().SetValue("Planes", "Length", *Length);
    StoreColors(FViewColors);
    return true;
}

std::optional<double> TFormOptions::ReadPlaneField(QLineEdit* Field, double Filled,
                                                   double (*ToStored)(double),
                                                   const char* Message) {
    // Untouched text is not read back, so the stored value keeps its full precision.
    if (!Field->isModified())
        return Filled;
    if (std::optional<double> Value = StrToFloatAnySep(Field->text().toStdString()))
        return ToStored(*Value);
    // The field's page comes up first, so the user sees what is wrong.
    FPcOptions->setCurrentWidget(FTsColors);
    FPcColorDetails->setCurrentWidget(FTsPlane);
    MessageDlg(Message, TMsgDlgType::mtInformation, mbOK);
    Field->setFocus();
    return std::nullopt;
}

bool TFormOptions::SaveProgramSettings() {
    StoreChecks(FProgramChecks);
    return true;
}

bool TFormOptions::ApplySettings() {
    bool Ok = SaveViewSettings();
    Ok = Ok && SaveAnimationSettings();
    Ok = Ok && SaveColorSettings();
    Ok = Ok && SaveProgramSettings();
    if (FApplyToAll)
        FApplyToAll();
    return Ok;
}

void TFormOptions::OKClick() {
    if (ApplySettings())
        accept();
}

void TFormOptions::AnimSpeedChanged() {
    FLblAnimSpeed->setText(
        QStringLiteral("%1 Millisekunden pro Getriebestellung").arg(FTbAnimSpeed->value()));
}
