#include "ui/fmColorSelect.h"

#include "ui/ColorBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFormColorSelect::TFormColorSelect(QWidget* Parent) : QDialog(Parent) {
    setObjectName(QStringLiteral("FormColorSelect"));
    setWindowTitle(QStringLiteral("Farbe wählen"));

    FcbColor = new TColorBox;
    FcbColor->setObjectName(QStringLiteral("cbColor"));
    auto* Row = new QHBoxLayout;
    Row->addWidget(new QLabel(QStringLiteral("Farbe:")));
    Row->addWidget(FcbColor, 1);

    auto* Buttons = new QDialogButtonBox;
    Buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    Buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* Layout = new QVBoxLayout(this);
    Layout->addLayout(Row);
    Layout->addWidget(Buttons);
}
