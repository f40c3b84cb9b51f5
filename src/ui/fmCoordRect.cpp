#include "ui/fmCoordRect.h"

#include "ui/DialogFields.h"
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit* AddEdit(const char* Name, QGridLayout& Grid, int Row, int Column) {
    auto* Edit = new QLineEdit;
    Edit->setObjectName(QString::fromLatin1(Name));
    Grid.addWidget(Edit, Row, Column);
    return Edit;
}

} // namespace

TFormCoordRect::TFormCoordRect(QWidget* Parent) : QDialog(Parent) {
    setObjectName(QStringLiteral("FormCoordRect"));
    setWindowTitle(QStringLiteral("Koordinatenausschnitt eingeben"));

    auto* Group = new QGroupBox(QStringLiteral("Auschnitt"));
    auto* Grid = new QGridLayout(Group);
    Grid->addWidget(new QLabel(QStringLiteral("GST:")), 0, 0);
    FeGSTmin = AddEdit("eGSTmin", *Grid, 0, 1);
    Grid->addWidget(new QLabel(QStringLiteral("bis")), 0, 2);
    FeGSTmax = AddEdit("eGSTmax", *Grid, 0, 3);
    Grid->addWidget(new QLabel(QStringLiteral("Y-Achse:")), 1, 0);
    FeYMin = AddEdit("eYMin", *Grid, 1, 1);
    Grid->addWidget(new QLabel(QStringLiteral("bis")), 1, 2);
    FeYmax = AddEdit("eYmax", *Grid, 1, 3);

    QDialogButtonBox* Buttons = OkCancelButtons(*this);

    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(Group);
    Layout->addWidget(Buttons);
}
