#include "ui/fmPrintOptions.h"

#include "platform/qt/QtGuard.h"
#include "platform/qt/QtScreenCentre.h"
#include "ui/DialogFields.h"
#include "ui/ModalSeam.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFormPrintOptions::TFormPrintOptions(QWidget* Parent) : QDialog(Parent) {
    setObjectName(QStringLiteral("FormPrintOptions"));
    CentreWhenShown(*this);
    setWindowTitle(QStringLiteral("Getriebe drucken"));
    auto* Group = new QGroupBox(QStringLiteral("Druckbereich"), this);
    auto* GroupLayout = new QVBoxLayout(Group);
    FPrintView = new QButtonGroup(this);
    const QString Items[] = {QStringLiteral("Aktueller Bildauschnitt"),
                             QStringLiteral("Passend auf Seite skalieren"),
                             QStringLiteral("Maßstabsgetreu - zentriert")};
    for (int I = 0; I < 3; ++I) {
        auto* Radio = new QRadioButton(Items[I], Group);
        FPrintView->addButton(Radio, I);
        GroupLayout->addWidget(Radio);
    }
    FPrintView->button(0)->setChecked(true);

    QDialogButtonBox* Buttons = OkCancelButtons(*this);
    FSetup =
        Buttons->addButton(QStringLiteral("Drucker einrichten ..."), QDialogButtonBox::ActionRole);
    GuardedConnect(FSetup, &QPushButton::clicked, this, [this] {
        if (OnPrinterSetup)
            OnPrinterSetup();
    });

    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(Group);
    Layout->addWidget(Buttons);
}

int TFormPrintOptions::PrintViewIndex() const {
    return FPrintView->checkedId();
}

std::optional<int> TFormPrintOptions::Ask() {
    if (::RunModal(*this) != QDialog::Accepted)
        return std::nullopt;
    return PrintViewIndex();
}
