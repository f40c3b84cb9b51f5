#include "ui/fmSelLink.h"

#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "platform/qt/QtGuard.h"
#include "platform/qt/QtScreenCentre.h"
#include "ui/DialogFields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

TFormSelLink::TFormSelLink(QWidget* Parent) : QDialog(Parent), cbLinks(new QComboBox(this)) {
    setObjectName("FormSelLink");
    CentreWhenShown(*this);
    FitEntries(*cbLinks);
    setWindowTitle(QString::fromUtf8("Ebenelage - Gliedauswahl"));
    setWindowFlag(Qt::Tool);
    resize(296, 129);
    cbLinks->setObjectName("cbLinks");
    cbLinks->setEditable(false);
    auto* Label1 = new QLabel(
        QString::fromUtf8("Von welchem Glied soll die Ebenlage gezeichnet werden?"), this);
    Label1->setObjectName("Label1");
    auto* Label2 = new QLabel(QString::fromUtf8("Glied:"), this);
    Label2->setObjectName("Label2");
    auto* Button1 = new QPushButton("OK", this);
    Button1->setObjectName("Button1");
    Button1->setDefault(true);
    auto* Button2 = new QPushButton("Abbrechen", this);
    Button2->setObjectName("Button2");
    GuardedConnect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    GuardedConnect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    auto* Grid = new QGridLayout(this);
    Grid->addWidget(Label1, 0, 0, 1, 3);
    Grid->addWidget(Label2, 1, 0);
    Grid->addWidget(cbLinks, 1, 1, 1, 2);
    Grid->addWidget(Button1, 2, 1);
    Grid->addWidget(Button2, 2, 2);
}

void TFormSelLink::FillLinkList(const TJoint& Joint) {
    cbLinks->clear();
    for (const TCustomLink* Link : Joint.Links())
        cbLinks->addItem(QString::fromStdString(Link->GetDisplayText()));
    cbLinks->setCurrentIndex(cbLinks->count() > 0 ? 0 : -1);
}

TCustomLink* TFormSelLink::GetSelectedLink(const TJoint& Joint) const {
    const int Index = cbLinks->currentIndex();
    return Index >= 0 && Index < Joint.Links().Count() ? Joint.Links().Items(Index) : nullptr;
}
