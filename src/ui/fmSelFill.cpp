#include "ui/fmSelFill.h"

#include "platform/qt/QtGuard.h"
#include "ui/WidgetNames.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* RowField(const char* Name) {
    auto* Field = Named(new QSpinBox, Name);
    Field->setMinimum(1);
    return Field;
}

} // namespace

TFormSelFill::TFormSelFill(QWidget* Parent)
    : QDialog(Parent), eFirstValue(Named(new QLineEdit, "eFirstValue")),
      seFirst(RowField("seFirst")), eLastValue(Named(new QLineEdit, "eLastValue")),
      seLast(RowField("seLast")), bbtnOK(Named(new QPushButton(QStringLiteral("OK")), "bbtnOK")),
      bbtnCancel(Named(new QPushButton(QStringLiteral("Abbrechen")), "bbtnCancel")) {
    setObjectName(QStringLiteral("FormSelFill"));
    setWindowTitle(QStringLiteral("Zeilen wählen"));

    auto* Fields = new QGridLayout;
    Fields->addWidget(new QLabel(QStringLiteral("Startwert:")), 0, 0);
    Fields->addWidget(eFirstValue, 0, 1);
    Fields->addWidget(new QLabel(QStringLiteral("Zeile:")), 0, 2);
    Fields->addWidget(seFirst, 0, 3);
    Fields->addWidget(new QLabel(QStringLiteral("Endwert:")), 1, 0);
    Fields->addWidget(eLastValue, 1, 1);
    Fields->addWidget(new QLabel(QStringLiteral("Zeile:")), 1, 2);
    Fields->addWidget(seLast, 1, 3);

    auto* Buttons = new QHBoxLayout;
    Buttons->addStretch();
    Buttons->addWidget(bbtnOK);
    Buttons->addWidget(bbtnCancel);
    bbtnOK->setDefault(true);
    GuardedConnect(bbtnOK, &QPushButton::clicked, this, &QDialog::accept);
    GuardedConnect(bbtnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(new QLabel(
        QStringLiteral("Tabelle zwischen den gegebenen Zeilen gleichmässig auffüllen:")));
    Layout->addLayout(Fields);
    Layout->addLayout(Buttons);
}
