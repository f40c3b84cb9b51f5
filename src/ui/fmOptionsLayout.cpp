// The options dialog's pages and controls, each bound to the setting it shows.
#include "platform/qt/QtGuard.h"
#include "ui/ColorBox.h"
#include "ui/DialogFields.h"
#include "ui/fmOptions.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString Text(const char* Utf8) {
    return QString::fromUtf8(Utf8);
}

QGroupBox* AddGroup(QBoxLayout* Layout, const char* Title) {
    auto* Group = new QGroupBox(Text(Title));
    Layout->addWidget(Group);
    return Group;
}

QTabWidget* MakeTabs(const char* Name) {
    auto* Tabs = new QTabWidget;
    Tabs->setObjectName(QString::fromLatin1(Name));
    Tabs->setDocumentMode(true); // tabs as flat buttons
    return Tabs;
}

QWidget* MakePage(const char* Name) {
    auto* Page = new QWidget;
    Page->setObjectName(QString::fromLatin1(Name));
    return Page;
}

// An edit field with its unit behind it.
QWidget* WithUnit(QLineEdit* Field, const char* Unit) {
    auto* Row = new QWidget;
    auto* Layout = new QHBoxLayout(Row);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->addWidget(Field);
    Layout->addWidget(new QLabel(Text(Unit)));
    return Row;
}

} // namespace

QCheckBox* TFormOptions::AddCheck(QWidget* Parent, const char* Name, const char* Caption) {
    auto* Box = new QCheckBox(Text(Caption), Parent);
    Box->setObjectName(QString::fromLatin1(Name));
    Parent->layout()->addWidget(Box);
    return Box;
}

QSpinBox* TFormOptions::MakeSpin(const char* Name, int Min, int Max) {
    auto* Spin = new QSpinBox;
    Spin->setObjectName(QString::fromLatin1(Name));
    Spin->setRange(Min, Max);
    BlankCountsAsMinimum(*Spin);
    return Spin;
}

TColorBox* TFormOptions::MakeColorBox(const char* Name) {
    auto* Box = new TColorBox;
    Box->setObjectName(QString::fromLatin1(Name));
    return Box;
}

void TFormOptions::BuildLayout() {
    setWindowTitle(QStringLiteral("Einstellungen"));
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    FPcOptions = MakeTabs("pcOptions");
    FTsView = BuildViewPage();
    FPcOptions->addTab(FTsView, QStringLiteral("Ansicht"));
    FPcOptions->addTab(BuildAnimationPage(), QStringLiteral("Animation"));
    FTsColors = BuildColorPages();
    FPcOptions->addTab(FTsColors, QStringLiteral("Farben/Abmessungen"));
    FPcOptions->addTab(BuildProgramPage(), QStringLiteral("Programm"));
    auto* Layout = new QVBoxLayout(this);
    Layout->addWidget(FPcOptions);
    Layout->addWidget(BuildButtons());
    // The pages are dense: the window asks for 365 x 385 and grows only as the fonts need.
    for (QLayout* Each : findChildren<QLayout*>()) {
        Each->setContentsMargins(4, 2, 4, 2);
        Each->setSpacing(2);
    }
    resize(365, 385);
}

QWidget* TFormOptions::BuildViewPage() {
    QWidget* Page = MakePage("tsView");
    auto* Layout = new QVBoxLayout(Page);
    QGroupBox* Links = AddGroup(Layout, "Glieder");
    new QVBoxLayout(Links);
    QGroupBox* Joints = AddGroup(Layout, "Gelenke");
    new QVBoxLayout(Joints);
    FViewChecks = {
        {AddCheck(Links, "cbShowLinkID", "Gliednummer anzeigen"), "Links", "ShowID"},
        {AddCheck(Links, "cbShowLinkDescription", "Gliedbeschreibung anzeigen"), "Links",
         "ShowIdentifier"},
        {AddCheck(Links, "cbShowLinkCoord", "Gang-Koordinatensysteme anzeigen"), "Links",
         "ShowLinkCoord"},
        {AddCheck(Links, "cbSmallCoupleLink", "Koppelpunkte mit dünnen Linien"), "Links",
         "ThinCoupleLines"},
        {AddCheck(Links, "cbSolidEdge", "Feste Ecken anstatt Koppeldreiecke"), "Links",
         "SolidEdges"},
        {AddCheck(Joints, "cbShowJointID", "Gelenknummer anzeigen"), "Joints", "ShowID"},
        {AddCheck(Joints, "cbShowJointDescription", "Gelenkbeschreibung anzeigen"), "Joints",
         "ShowIdentifier"},
        {AddCheck(Joints, "cbMPol", "Momentalpole in den Gelenken anzeigen"), "Joints", "ShowMPol"},
        {AddCheck(Joints, "cbJointInnerPoint", "Punkt im Mittelpunkt des Gelenks"), "Joints",
         "ShowMiddle"},
        {AddCheck(Page, "cbShowGrid", "Koordinatengitter anzeigen"), "MMGrid", "Visible"},
        {AddCheck(Page, "cbShowCoord", "Koordinatensystem anzeigen"), "MMCoord", "Visible"},
    };
    Layout->addStretch();
    return Page;
}

QWidget* TFormOptions::BuildAnimationPage() {
    QWidget* Page = MakePage("tsAnimation");
    auto* Layout = new QVBoxLayout(Page);
    FAnimationChecks = {
        {AddCheck(Page, "cbAnimContinous", "Animation fortlaufend"), "Animator", "Continuously"},
        {AddCheck(Page, "cbLoadFirstIfStopped", "Nach Stop zu 1. Interval"), "Animator",
         "JumpToFirstIfStoppped"},
        {AddCheck(Page, "cbDirectlyDrawAll", "Alle Ebenen und Bahnen sofort zeichnen"), "Animator",
         "DirectlyDrawAll"},
    };
    QGroupBox* Speed = AddGroup(Layout, "Animationsgeschwindigkeit");
    auto* SpeedLayout = new QVBoxLayout(Speed);
    FTbAnimSpeed = new QSlider(Qt::Horizontal);
    FTbAnimSpeed->setObjectName(QStringLiteral("tbAnimSpeed"));
    FTbAnimSpeed->setRange(1, 1000);
    FTbAnimSpeed->setPageStep(10);
    FTbAnimSpeed->setTickInterval(50);
    FTbAnimSpeed->setTickPosition(QSlider::TicksBelow);
    GuardedConnect(FTbAnimSpeed, &QSlider::valueChanged, this, [this] { AnimSpeedChanged(); });
    auto* Ends = new QHBoxLayout;
    Ends->addWidget(new QLabel(QStringLiteral("schnell")));
    Ends->addStretch();
    Ends->addWidget(new QLabel(QStringLiteral("langsam")));
    FLblAnimSpeed = new QLabel;
    FLblAnimSpeed->setObjectName(QStringLiteral("lblAnimSpeed"));
    SpeedLayout->addWidget(FTbAnimSpeed);
    SpeedLayout->addLayout(Ends);
    SpeedLayout->addWidget(FLblAnimSpeed);
    Layout->addStretch();
    return Page;
}

QWidget* TFormOptions::BuildColorPages() {
    QWidget* Page = MakePage("tsColors");
    auto* Layout = new QVBoxLayout(Page);
    FPcColorDetails = MakeTabs("pcColorDetails");
    FPcColorDetails->addTab(BuildLinkPage(), QStringLiteral("Glied"));
    FTsJoint = BuildJointPage();
    FPcColorDetails->addTab(FTsJoint, QStringLiteral("Gelenk"));
    FPcColorDetails->addTab(BuildCurvePage(), QStringLiteral("Bahnkurve"));
    FTsPlane = BuildPlanePage();
    FPcColorDetails->addTab(FTsPlane, QStringLiteral("Ebenenlage"));
    FPcColorDetails->addTab(BuildCoordPage(), QStringLiteral("Koordinatensystem"));
    Layout->addWidget(FPcColorDetails);
    return Page;
}

QWidget* TFormOptions::BuildLinkPage() {
    QWidget* Page = MakePage("tsLink");
    auto* Layout = new QVBoxLayout(Page);
    auto* Form = new QFormLayout;
    Layout->addLayout(Form);
    TColorBox* LineColor = MakeColorBox("cbLinkColor");
    QSpinBox* Thickness = MakeSpin("seLinkThickness", 1, 100);
    QSpinBox* ThinThickness = MakeSpin("seLinkThickness2", 0, 100);
    QSpinBox* TextHeight = MakeSpin("seLinkTextHeight", 10, 100);
    Form->addRow(Text("Linienfarbe:"), LineColor);
    Form->addRow(Text("Linienstärke:"), Thickness);
    Form->addRow(Text("Breite für \"Dünne Koppellinien\":"), ThinThickness);
    Form->addRow(Text("Texthöhe für Bezeichnung:"), TextHeight);
    // Bound to no setting: it shows its minimum.
    Form->addRow(Text("Texthöhe für Nummer:"), MakeSpin("seLinkIDTextHeight", 10, 100));
    auto* Groups = new QHBoxLayout;
    Layout->addLayout(Groups);
    auto* Slider = new QFormLayout(AddGroup(Groups, "Gleitstein"));
    QSpinBox* SliderHeight = MakeSpin("seSliderHeight", 10, 100);
    QSpinBox* SliderWidth = MakeSpin("seSliderWidth", 15, 100);
    Slider->addRow(Text("Höhe:"), SliderHeight);
    Slider->addRow(Text("Breite:"), SliderWidth);
    auto* Rack = new QFormLayout(AddGroup(Groups, "Gestell"));
    QSpinBox* RackSize = MakeSpin("seRackSize", 10, 100);
    QSpinBox* RackThickness = MakeSpin("seRackThickness", 1, 100);
    Rack->addRow(Text("Grösse:"), RackSize);
    Rack->addRow(Text("Linienstärke:"), RackThickness);
    Layout->addStretch();
    FColors.push_back({LineColor, "Links", "LineColor"});
    FSizes.insert(FSizes.end(), {{Thickness, "Links", "LineThickness"},
                                 {ThinThickness, "Links", "ThinLineThickness"},
                                 {TextHeight, "Links", "TextHeight"},
                                 {SliderHeight, "Slider", "SizeY"},
                                 {SliderWidth, "Slider", "SizeX"},
                                 {RackSize, "Rack", "Size"},
                                 {RackThickness, "Rack", "LineThickness"}});
    return Page;
}

QWidget* TFormOptions::BuildJointPage() {
    QWidget* Page = MakePage("tsJoint");
    auto* Form = new QFormLayout(Page);
    TColorBox* LineColor = MakeColorBox("cbJointColor");
    TColorBox* FillColor = MakeColorBox("cbInnerJointColor");
    QSpinBox* Radius = MakeSpin("seJointRadius", 2, 100);
    QSpinBox* TextHeight = MakeSpin("seJointTextHeight", 10, 100);
    QSpinBox* IDTextHeight = MakeSpin("seJointIDTextHeight", 10, 100);
    Form->addRow(Text("Randfarbe:"), LineColor);
    Form->addRow(Text("Füllfarbe:"), FillColor);
    Form->addRow(Text("Radius:"), Radius);
    Form->addRow(Text("Texthöhe für Bezeichnung:"), TextHeight);
    Form->addRow(Text("Texthöhe für Gelenknummer:"), IDTextHeight);
    FColors.insert(FColors.end(),
                   {{LineColor, "Joints", "LineColor"}, {FillColor, "Joints", "FillColor"}});
    FSizes.insert(FSizes.end(), {{Radius, "Joints", "Radius"},
                                 {TextHeight, "Joints", "TextHeight"},
                                 {IDTextHeight, "Joints", "IDTextHeight"}});
    return Page;
}

QWidget* TFormOptions::BuildCurvePage() {
    QWidget* Page = MakePage("tsCurve");
    auto* Form = new QFormLayout(Page);
    TColorBox* Color = MakeColorBox("cbCurveColor");
    QSpinBox* Thickness = MakeSpin("seCurveThickness", 1, 100);
    Form->addRow(Text("Farbe:"), Color);
    Form->addRow(Text("Linienstärke:"), Thickness);
    FColors.push_back({Color, "Curves", "LineColor"});
    FSizes.push_back({Thickness, "Curves", "LineThickness"});
    return Page;
}

QWidget* TFormOptions::BuildPlanePage() {
    QWidget* Page = MakePage("tsPlane");
    auto* Form = new QFormLayout(Page);
    TColorBox* Color = MakeColorBox("cbPlaneColor");
    QSpinBox* Thickness = MakeSpin("sePlaneThickness", 1, 100);
    FEPlaneBeta = new QLineEdit;
    FEPlaneBeta->setObjectName(QStringLiteral("ePlaneBeta"));
    FEPlaneLength = new QLineEdit;
    FEPlaneLength->setObjectName(QStringLiteral("ePlaneLength"));
    Form->addRow(Text("Farbe:"), Color);
    Form->addRow(Text("Linienstärke:"), Thickness);
    auto* BetaLabel = new QLabel(Text("Beta:"));
    BetaLabel->setBuddy(FEPlaneBeta);
    Form->addRow(BetaLabel, WithUnit(FEPlaneBeta, "[Grad]"));
    auto* LengthLabel = new QLabel(Text("Länge:"));
    LengthLabel->setBuddy(FEPlaneLength);
    Form->addRow(LengthLabel, WithUnit(FEPlaneLength, "[mm]"));
    FColors.push_back({Color, "Planes", "LineColor"});
    FSizes.push_back({Thickness, "Planes", "LineThickness"});
    return Page;
}

QWidget* TFormOptions::BuildCoordPage() {
    QWidget* Page = MakePage("tsCoord");
    auto* Form = new QFormLayout(Page);
    TColorBox* Axis = MakeColorBox("cbCoordColor");
    TColorBox* Grid = MakeColorBox("cbGridColor");
    Form->addRow(Text("Achsenfarbe:"), Axis);
    Form->addRow(Text("Gitterfarbe:"), Grid);
    FViewColors = {{Grid, "MMGrid", "GridColor"}, {Axis, "MMCoord", "AxisColor"}};
    return Page;
}

QWidget* TFormOptions::BuildProgramPage() {
    QWidget* Page = MakePage("tsProgram");
    auto* Layout = new QVBoxLayout(Page);
    QGroupBox* Start = AddGroup(Layout, "Programmstart");
    new QVBoxLayout(Start);
    QGroupBox* Confirm = AddGroup(Layout, "Bestätigung");
    new QVBoxLayout(Confirm);
    FProgramChecks = {
        {AddCheck(Start, "cbShowSplashScreen", "Eröffnungsbildschirm zeigen"), "Program",
         "ShowSplashScreen"},
        {AddCheck(Confirm, "cbConfirmClose", "Programm beenden"), "Program", "ConfirmExit"},
        {AddCheck(Start, "cbStartMaximized", "Maximiert starten"), "Program", "StartMaximized"},
        {AddCheck(Start, "cbSaveWindowPos", "Fensterposition merken"), "Program", "SaveWindowPos"},
    };
    Layout->addStretch();
    return Page;
}

QWidget* TFormOptions::BuildButtons() {
    auto* Row = new QWidget;
    auto* Layout = new QHBoxLayout(Row);
    Layout->addStretch();
    auto* OK = new QPushButton(QStringLiteral("OK"));
    OK->setObjectName(QStringLiteral("bbtnOK"));
    OK->setDefault(true);
    auto* Cancel = new QPushButton(QStringLiteral("Abbrechen"));
    Cancel->setObjectName(QStringLiteral("bBtnCancel"));
    Cancel->setAutoDefault(false);
    auto* Apply = new QPushButton(Text("Übernehmen"));
    Apply->setObjectName(QStringLiteral("BitBtn1"));
    Apply->setAutoDefault(false);
    Layout->addWidget(OK);
    Layout->addWidget(Cancel);
    Layout->addWidget(Apply);
    GuardedConnect(OK, &QPushButton::clicked, this, [this] { OKClick(); });
    GuardedConnect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    GuardedConnect(Apply, &QPushButton::clicked, this, [this] { ApplySettings(); });
    return Row;
}
