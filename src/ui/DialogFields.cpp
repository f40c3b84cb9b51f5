#include "ui/DialogFields.h"

#include "gear/uGearLimits.h"
#include "gear/uGearUtils.h"
#include "platform/FormatNumber.h"
#include "platform/Platform.h"
#include "platform/qt/QtGuard.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <cmath>

QString DecimalText(double Value) {
    return QString::fromStdString(FormatFixed(Value, 3));
}

QDialogButtonBox* OkCancelButtons(QDialog& Dialog) {
    auto* Buttons = new QDialogButtonBox(&Dialog);
    Buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    Buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    GuardedConnect(Buttons, &QDialogButtonBox::accepted, &Dialog, &QDialog::accept);
    GuardedConnect(Buttons, &QDialogButtonBox::rejected, &Dialog, &QDialog::reject);
    return Buttons;
}

void Inform(const std::string& Text) {
    MessageDlg(Text, TMsgDlgType::mtInformation, mbOK);
}

void RefuseInput(QWidget& Field, const char* What) {
    Inform(std::string("Die Eingabe für ") + What +
           " ist nicht zulässig.\n\rBitte korrigieren Sie das!");
    Field.setFocus();
}

std::optional<double> ReadDecimal(QLineEdit& Field, const char* What) {
    const std::optional<double> Value = StrToFloatAnySep(Field.text().toStdString());
    if (!Value)
        RefuseInput(Field, What);
    return Value;
}

std::optional<double> CoordinateOrRefuse(double Value, QLineEdit& Field, const char* What) {
    if (IsCoordinateInRange(Value))
        return Value;
    RefuseInput(Field, What);
    return std::nullopt;
}

std::optional<double> ReadLength(QLineEdit& Field) {
    const char* What = "die Länge";
    const std::optional<double> Length = ReadDecimal(Field, What);
    if (!Length || std::fabs(*Length) <= 2 * MaxCoordinate)
        return Length;
    RefuseInput(Field, What);
    return std::nullopt;
}

std::optional<int> ReadNumber(QLineEdit& Field, const char* What) {
    bool Ok = false;
    const int Value = Field.text().trimmed().toInt(&Ok);
    if (Ok && Value >= 1)
        return Value;
    RefuseInput(Field, What);
    return std::nullopt;
}

void FitEntries(QComboBox& List) {
    List.setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // Never narrower than that: Qt keeps the smallest width of the first entries.
    QSizePolicy Policy = List.sizePolicy();
    Policy.setHorizontalPolicy(QSizePolicy::Minimum);
    List.setSizePolicy(Policy);
}

void BlankCountsAsMinimum(QSpinBox& Field) {
    Field.setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

int SpinValue(QSpinBox& Field) {
    Field.interpretText();
    return Field.value();
}

bool ReadEditedPoint(QLineEdit& XField, QLineEdit& YField, TMMPoint& P) {
    struct TCoordinate {
        QLineEdit& Field;
        double& Value;
        const char* What;
    };
    for (const TCoordinate& C : {TCoordinate{XField, P.X, "die X-Koordinate"},
                                 TCoordinate{YField, P.Y, "die Y-Koordinate"}}) {
        if (!C.Field.isModified())
            continue;
        const auto Value = ReadDecimal(C.Field, C.What);
        if (!Value || !CoordinateOrRefuse(*Value, C.Field, C.What))
            return false;
        C.Value = *Value;
    }
    return true;
}
