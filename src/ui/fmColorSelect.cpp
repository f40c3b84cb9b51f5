#include "ui/fmColorSelect.h"

#include "ui/ColorBox.h"
#include "ui/DialogFields.h"

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

    QDialogButtonBox* Buttons = OkCancelButtons(*this);

    auto* Layout = new QVBoxLayout(this);
    Layout->addLayout(Row);
    Layout->addWidget(Buttons);
}
