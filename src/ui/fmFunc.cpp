#include "ui/fmFunc.h"

#include "files/ApplyPreferences.h"
#include "gear/uFuncSeries.h"
#include "gear/uGear.h"
#include "platform/qt/QtScreenCentre.h"
#include "surface/MMIntervalLine.h"
#include "ui/ModalSeam.h"
#include "ui/fDiagram.h"
#include "ui/fmColorSelect.h"
#include "ui/fmCoordRect.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <vector>

namespace {

constexpr int PanelWidth = 161;

// A 16 x 16 picture of two arrows along one line: pointing outward from the centre, or inward to
// it; upright turns it by a quarter.
QIcon ArrowPicture(bool Outward, bool Upright) {
    QPixmap Picture(16, 16);
    Picture.fill(Qt::transparent);
    QPainter P(&Picture);
    P.setRenderHint(QPainter::Antialiasing);
    if (Upright) {
        P.translate(16, 0);
        P.rotate(90);
    }
    P.setPen(QPen(Qt::black, 1.5));
    P.setBrush(Qt::black);
    auto Head = [&P](double TipX, double Direction) {
        const QPointF Tip(TipX, 8);
        P.drawPolygon(QPolygonF(
            {Tip, Tip - QPointF(4 * Direction, 3.5), Tip - QPointF(4 * Direction, -3.5)}));
    };
    if (Outward) {
        P.drawLine(QPointF(3, 8), QPointF(13, 8));
        Head(1.5, -1);
        Head(14.5, 1);
    } else {
        P.drawLine(QPointF(0.5, 8), QPointF(5, 8));
        P.drawLine(QPointF(11, 8), QPointF(15.5, 8));
        P.drawLine(QPointF(8, 3), QPointF(8, 13));
        Head(6.5, 1);
        Head(9.5, -1);
    }
    return QIcon(Picture);
}

QToolButton* MakeSpeedButton(const char* Name, bool Outward, bool Upright) {
    auto* Button = new QToolButton;
    Button->setObjectName(QString::fromLatin1(Name));
    Button->setIcon(ArrowPicture(Outward, Upright));
    Button->setIconSize(QSize(16, 16));
    Button->setAutoRaise(true);
    return Button;
}

} // namespace

TFormFunc::TFormFunc(TGear& Gear, QWidget* Parent)
    : QDialog(Parent), FGear(Gear), FIntervalLine(std::make_unique<TMMIntervalLine>()) {
    setObjectName(QStringLiteral("FormFunc"));
    setWindowTitle(QStringLiteral("Übertragungsfunktionen"));

    FFFuncDiagram1 = new TFFuncDiagram;
    FFFuncDiagram1->setObjectName(QStringLiteral("FFuncDiagram1"));
    FStatusBar1 = new QStatusBar;
    FStatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    FStatusBar1->setSizeGripEnabled(false);
    FStatusText = new QLabel;
    FStatusText->setObjectName(QStringLiteral("StatusText"));
    FStatusBar1->addWidget(FStatusText, 1);
    auto* Body = new QHBoxLayout;
    Body->setContentsMargins(0, 0, 0, 0);
    Body->setSpacing(0);
    Body->addWidget(BuildPanel());
    Body->addWidget(FFFuncDiagram1, 1);
    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addLayout(Body, 1);
    Layout->addWidget(FStatusBar1);
    resize(620, 380);
    CentreOnScreen(*this, Parent);

    FFormCoordRect = new TFormCoordRect(this);
    FFormColorSelect = new TFormColorSelect(this);

    // Painted after everything else on the plot.
    FIntervalLine->SetOrder(1000);
    FIntervalLine->SetMMSurface(&FFFuncDiagram1->MMSurface());
    FSeries =
        std::make_unique<TFuncSeries>(FGear.GearData(), FGear.GearCache(),
                                      FFFuncDiagram1->MMDiagram(), FFFuncDiagram1->MMCoord1());
    ConnectView();
}

TFormFunc::~TFormFunc() = default;

QWidget* TFormFunc::BuildPanel() {
    auto* Panel = new QWidget;
    Panel->setObjectName(QStringLiteral("Panel1"));
    Panel->setFixedWidth(PanelWidth);

    auto* XGroup = new QGroupBox(QStringLiteral("X-Achse"));
    FcbXAxis = new QComboBox;
    FcbXAxis->setObjectName(QStringLiteral("cbXAxis"));
    (new QVBoxLayout(XGroup))->addWidget(FcbXAxis);

    auto* YGroup = new QGroupBox(QStringLiteral("Y-Achse"));
    FclbYAxis = new QListWidget;
    FclbYAxis->setObjectName(QStringLiteral("clbYAxis"));
    FclbYAxis->setToolTip(QStringLiteral("Doppelklick um Farbe zu ändern"));
    (new QVBoxLayout(YGroup))->addWidget(FclbYAxis);

    auto* Layout = new QVBoxLayout(Panel);
    Layout->setContentsMargins(4, 4, 4, 4);
    Layout->addWidget(XGroup);
    Layout->addWidget(YGroup, 1);
    Layout->addWidget(BuildCoordinates());
    return Panel;
}

QWidget* TFormFunc::BuildCoordinates() {
    auto* Group = new QGroupBox(QStringLiteral("Koordinaten"));
    FSpeedButton1 = MakeSpeedButton("SpeedButton1", true, false);
    FSpeedButton3 = MakeSpeedButton("SpeedButton3", false, false);
    FSpeedButton2 = MakeSpeedButton("SpeedButton2", true, true);
    FSpeedButton4 = MakeSpeedButton("SpeedButton4", false, true);
    FButton1 = new QPushButton(QStringLiteral("Eingeben..."));
    FButton1->setObjectName(QStringLiteral("Button1"));

    auto* Grid = new QGridLayout(Group);
    Grid->addWidget(new QLabel(QStringLiteral("x-Achse:")), 0, 0);
    Grid->addWidget(FSpeedButton1, 0, 1);
    Grid->addWidget(FSpeedButton3, 0, 2);
    Grid->addWidget(new QLabel(QStringLiteral("y-Achse:")), 1, 0);
    Grid->addWidget(FSpeedButton2, 1, 1);
    Grid->addWidget(FSpeedButton4, 1, 2);
    Grid->addWidget(FButton1, 2, 0, 1, 3);
    return Group;
}

void TFormFunc::UpdateData() {
    HideCursor();
    FSeries->ClearDiagram();
    FillLists();
    if (FSeries->HasCalculatedData())
        BuildSeries();
}

void TFormFunc::FillLists() {
    const QSignalBlocker BlockX(FcbXAxis);
    const QSignalBlocker BlockY(FclbYAxis);
    FcbXAxis->clear();
    FclbYAxis->clear();
    if (!FSeries->HasCalculatedData())
        return;
    FSeries->FillXAxisList();
    FSeries->FillYAxisList();
    for (const TFuncItem& Item : FSeries->XItems())
        FcbXAxis->addItem(QString::fromStdString(Item.Text));
    FcbXAxis->setCurrentIndex(0);
    for (const TFuncItem& Item : FSeries->YItems()) {
        auto* Entry = new QListWidgetItem(QString::fromStdString(Item.Text), FclbYAxis);
        Entry->setFlags(Entry->flags() | Qt::ItemIsUserCheckable);
        Entry->setCheckState(Qt::Unchecked);
    }
}

void TFormFunc::BuildSeries() {
    std::vector<bool> Checked;
    for (int I = 0; I < FclbYAxis->count(); ++I)
        Checked.push_back(FclbYAxis->item(I)->checkState() == Qt::Checked);
    FSeries->BuildSeries(FcbXAxis->currentIndex(), Checked);
}

TMMDataSerie* TFormFunc::GetItemSerie(int Index) const {
    return FSeries->GetItemSerie(Index);
}

void TFormFunc::Execute() {
    FGear.Animator().Stop(true);
    UpdateData();
    RunModal(*this);
    FGear.GearCache().ApplyPosition(0);
}

void TFormFunc::AddApplyTargets(TApplyTargets& Targets) {
    Targets.Func = {&FFFuncDiagram1->MMSurface(), &FFFuncDiagram1->MMGrid(),
                    &FFFuncDiagram1->MMCoord1()};
    Targets.Diagram = &FFFuncDiagram1->MMDiagram();
}
