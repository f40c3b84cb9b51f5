// The controls of the link property dialog, from top to bottom.
#include "ui/ColorBox.h"
#include "ui/DialogFields.h"
#include "ui/WholeTextField.h"
#include "ui/WidgetNames.h"
#include "ui/fmLinkEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QLineEdit* NewEdit(QWidget* Parent, const char* Name) {
    return Named(new QLineEdit(Parent), Name);
}

// A field that only shows.
QLineEdit* NewShownField(QWidget* Parent, const char* Name) {
    auto* Field = Named(new TWholeTextField(Parent), Name);
    Field->setEnabled(false);
    return Field;
}

// Rows of caption, field and unit.
class TFieldGrid {
public:
    explicit TFieldGrid(QGroupBox* Box) : FBox(Box), FGrid(new QGridLayout(Box)) {}
    QLabel* Add(const char* Caption, QWidget* Field, const char* Unit = nullptr) {
        auto* Label = new QLabel(QString::fromUtf8(Caption), FBox);
        FGrid->addWidget(Label, FRow, 0);
        FGrid->addWidget(Field, FRow, 1);
        if (Unit)
            FGrid->addWidget(new QLabel(QString::fromUtf8(Unit), FBox), FRow, 2);
        ++FRow;
        return Label;
    }
    void AddWide(QWidget* Widget) { FGrid->addWidget(Widget, FRow++, 0, 1, 3); }

private:
    QGroupBox* FBox;
    QGridLayout* FGrid;
    int FRow = 0;
};

QGroupBox* NewGroup(QWidget* Parent, const char* Caption, const char* Name = "") {
    return Named(new QGroupBox(QString::fromUtf8(Caption), Parent), Name);
}

QWidget* NewPage(const char* Name, std::initializer_list<QGroupBox*> Groups, QWidget* Page) {
    Page->setObjectName(Name);
    auto* Column = new QVBoxLayout(Page);
    Column->setContentsMargins(0, 0, 0, 0);
    for (QGroupBox* Group : Groups)
        Column->addWidget(Group);
    Column->addStretch();
    return Page;
}

} // namespace

void TFormLinkEdit::BuildLayout() {
    setObjectName("FormLinkEdit");
    setWindowTitle(QString::fromUtf8("Getriebeglied- Eigenschaften"));
    setWindowFlag(Qt::Tool);
    resize(311, 600);

    pcProperties = Named(new QStackedWidget(this), "pcProperties");
    pcProperties->addWidget(BuildLinkPage());
    pcProperties->addWidget(BuildRackPage());
    pcProperties->addWidget(BuildSliderPage());

    auto* ColorGroup = NewGroup(this, "Farbe");
    cbColor = Named(new TColorBox(ColorGroup), "cbColor");
    (new QVBoxLayout(ColorGroup))->addWidget(cbColor);

    btnDriveProperties = Named(new QPushButton(QString::fromUtf8("Antriebseigenschaften"), this),
                               "btnDriveProperties");
    bbtnOK = Named(new QPushButton("OK", this), "bbtnOK");
    bbtnOK->setDefault(true);
    bbtnCancel = Named(new QPushButton("Abbrechen", this), "bbtnCancel");
    bbtnAssume = Named(new QPushButton(QString::fromUtf8("Übernehmen"), this), "bbtnAssume");
    auto* Buttons = new QHBoxLayout;
    Buttons->addWidget(bbtnOK);
    Buttons->addWidget(bbtnCancel);
    Buttons->addWidget(bbtnAssume);

    auto* Column = new QVBoxLayout(this);
    Column->addWidget(pcProperties);
    Column->addWidget(ColorGroup);
    Column->addWidget(BuildJointGroup());
    Column->addWidget(btnDriveProperties);
    Column->addLayout(Buttons);
}

QWidget* TFormLinkEdit::BuildLinkPage() {
    auto* Page = new QWidget(this);
    auto* gbLinkID = NewGroup(Page, "Bezeichnung", "gbLinkID");
    eLinkID = NewEdit(gbLinkID, "eLinkID");
    eLinkIdentifier = NewEdit(gbLinkID, "eLinkIdentifier");
    TFieldGrid Names(gbLinkID);
    Names.Add("Nummer:", eLinkID);
    Names.Add("Bezeichnung:", eLinkIdentifier);

    auto* gbLinkCoords = NewGroup(Page, "Abmessungen", "gbLinkCoords");
    cbLinkRefJoint = Named(new QComboBox(gbLinkCoords), "cbLinkRefJoint");
    FitEntries(*cbLinkRefJoint);
    eLinkLength = NewEdit(gbLinkCoords, "eLinkLength");
    eLinkAngle = NewEdit(gbLinkCoords, "eLinkAngle");
    TFieldGrid Sizes(gbLinkCoords);
    Sizes.Add("Bezugsgelenk:", cbLinkRefJoint);
    Sizes.Add("Länge=", eLinkLength, "[mm]");
    Sizes.Add("Winkel=", eLinkAngle, "[Grad]");
    return tsLinkProperties = NewPage("tsLinkProperties", {gbLinkID, gbLinkCoords}, Page);
}

QWidget* TFormLinkEdit::BuildRackPage() {
    auto* Page = new QWidget(this);
    auto* Group = NewGroup(Page, "Bezeichnung");
    eRackID = NewEdit(Group, "eRackID");
    eRackID->setEnabled(false);
    eRackIdentifier = NewEdit(Group, "eRackIdentifier");
    TFieldGrid Names(Group);
    Names.Add("Nummer:", eRackID);
    Names.Add("Bezeichnung:", eRackIdentifier);
    return tsRackProperties = NewPage("tsRackProperties", {Group}, Page);
}

QWidget* TFormLinkEdit::BuildSliderPage() {
    auto* Page = new QWidget(this);
    auto* NameGroup = NewGroup(Page, "Bezeichnung");
    eSliderID = NewEdit(NameGroup, "eSliderID");
    eSliderIdentifier = NewEdit(NameGroup, "eSliderIdentifier");
    TFieldGrid Names(NameGroup);
    Names.Add("Nummer:", eSliderID);
    Names.Add("Bezeichnung:", eSliderIdentifier);

    auto* SizeGroup = NewGroup(Page, "Abmessungen");
    eSliderLink = NewShownField(SizeGroup, "eSliderLink");
    eSliderRefJoint = NewShownField(SizeGroup, "eSliderRefJoint");
    eSliderEccentricity = NewShownField(SizeGroup, "eSliderEccentricity");
    eSlideDistance = NewShownField(SizeGroup, "eSlideDistance");
    eSliderAngle = NewEdit(SizeGroup, "eSliderAngle");
    TFieldGrid Sizes(SizeGroup);
    Sizes.Add("Schubgerade:", eSliderLink);
    Sizes.Add("Bezugsgelenk:", eSliderRefJoint);
    Sizes.Add("Exzentrizität=", eSliderEccentricity, "[mm]");
    Sizes.Add("Schubstrecke=", eSlideDistance, "[mm]");
    Sizes.Add("Winkel der Schubgeraden=", eSliderAngle, "[Grad]");
    return tsSliderProperties = NewPage("tsSliderProperties", {NameGroup, SizeGroup}, Page);
}

QGroupBox* TFormLinkEdit::BuildJointGroup() {
    gbJoints = NewGroup(this, "Gelenkpunkte", "gbJoints");
    cbJoints = Named(new QComboBox(gbJoints), "cbJoints");
    FitEntries(*cbJoints);
    eJointID = NewEdit(gbJoints, "eJointID");
    eJointIdentifier = NewEdit(gbJoints, "eJointIdentifier");
    eJointX = NewEdit(gbJoints, "eJointX");
    eJointY = NewEdit(gbJoints, "eJointY");
    eJointXk = NewEdit(gbJoints, "eJointXk");
    eJointYk = NewEdit(gbJoints, "eJointYk");
    BitBtn4 =
        Named(new QPushButton(QString::fromUtf8("Koppelpunkt hinzufügen"), gbJoints), "BitBtn4");
    TFieldGrid Fields(gbJoints);
    Fields.Add("Auswählen", cbJoints);
    Fields.Add("Nummer:", eJointID);
    Fields.Add("Bezeichnung:", eJointIdentifier);
    Fields.Add("X=", eJointX, "[mm]");
    Fields.Add("Y=", eJointY, "[mm]");
    lblJointXk = Named(Fields.Add("X(k)=", eJointXk, "[mm]"), "lblJointXk");
    lblJointYk = Named(Fields.Add("Y(k)=", eJointYk, "[mm]"), "lblJointYk");
    Fields.AddWide(BitBtn4);
    return gbJoints;
}
