#include "ui/fDiagram.h"

#include "platform/qt/QtGuard.h"
#include "surface/MMDiagramFit.h"

#include <QAction>
#include <QGridLayout>
#include <QMenu>
#include <QScrollBar>

namespace {

constexpr int ScrollBarThickness = 15;

QScrollBar* MakeScrollBar(Qt::Orientation Orientation, const char* Name, QWidget* Parent) {
    auto* Bar = new QScrollBar(Orientation, Parent);
    Bar->setObjectName(QString::fromLatin1(Name));
    Bar->setRange(1, 400);
    Bar->setValue(200);
    if (Orientation == Qt::Vertical)
        Bar->setFixedWidth(ScrollBarThickness);
    else
        Bar->setFixedHeight(ScrollBarThickness);
    return Bar;
}

} // namespace

TFFuncDiagram::TFFuncDiagram(QWidget* Parent)
    : QFrame(Parent), FMMGrid(std::make_unique<TMMGrid>()), FMMCoord1(std::make_unique<TMMCoord>()),
      FMMDiagram(std::make_unique<TMMDiagram>()) {
    setObjectName(QStringLiteral("FFuncDiagram"));
    BuildLayout();
    BuildPopup();
    FWorkspace = std::make_unique<TWorkspace>(FPaintBox1, FRuler1Panel, FRuler4Panel, false);
    FMMSurface = &FWorkspace->Surface();
    FWorkspace->PanWith(*FHorizScrollBar, *FVertScrollBar);
    FMMSurface->SetMMRect(MMRect(-10, 400, 400, -20));
    SetUpItems();
}

TFFuncDiagram::~TFFuncDiagram() = default;

void TFFuncDiagram::BuildLayout() {
    auto* Bevel = new QFrame(this);
    Bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* BevelLayout = new QGridLayout(Bevel);
    BevelLayout->setContentsMargins(Bevel->frameWidth(), Bevel->frameWidth(), Bevel->frameWidth(),
                                    Bevel->frameWidth());
    FPaintBox1 = new QWidget(Bevel);
    FPaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    BevelLayout->addWidget(FPaintBox1);

    FVertScrollBar = MakeScrollBar(Qt::Vertical, "VertScrollBar", this);
    FVertScrollBar->setPageStep(10);
    FHorizScrollBar = MakeScrollBar(Qt::Horizontal, "HorizScrollBar", this);
    FRuler4Panel = MakeRulerStrip("Ruler4Panel", Qt::Vertical, this);
    FRuler1Panel = MakeRulerStrip("Ruler1Panel", Qt::Horizontal, this);
    auto* Corner = new QWidget(this);
    Corner->setObjectName(QStringLiteral("CornerPanel"));
    Corner->setFixedSize(RulerStripSize, RulerStripSize);

    auto* Grid = new QGridLayout(this);
    Grid->setContentsMargins(0, 0, 0, 0);
    Grid->setSpacing(0);
    Grid->addWidget(FRuler4Panel, 0, 0);
    Grid->addWidget(Bevel, 0, 1);
    Grid->addWidget(FVertScrollBar, 0, 2, 2, 1);
    Grid->addWidget(Corner, 1, 0);
    Grid->addWidget(FRuler1Panel, 1, 1);
    Grid->addWidget(FHorizScrollBar, 2, 0, 1, 3);
    Grid->setRowStretch(0, 1);
    Grid->setColumnStretch(1, 1);
}

void TFFuncDiagram::BuildPopup() {
    FpmView = new QMenu(this);
    FpmView->setObjectName(QStringLiteral("pmView"));
    auto AddItem = [this](const char* Name, const QString& Caption, const QString& Hint) {
        QAction* A = FpmView->addAction(Caption);
        A->setObjectName(QString::fromLatin1(Name));
        A->setStatusTip(Hint);
        A->setToolTip(Hint);
        return A;
    };
    FZentrieren1 = AddItem("Zentrieren1", QStringLiteral("Zentrieren"),
                           QStringLiteral("Zentriert die aktuelle Ansicht"));
    FVergrssern2 = AddItem("Vergrssern2", QStringLiteral("Vergrössern"),
                           QStringLiteral("Ansicht vergrössern"));
    FVerkleinern2 = AddItem("Verkleinern2", QStringLiteral("Verkleinern"),
                            QStringLiteral("Ansicht verkleinern"));
    FAnpassen1 =
        AddItem("Anpassen1", QStringLiteral("Anpassen"), QStringLiteral("Ansicht anpassen"));
    GuardedConnect(FVergrssern2, &QAction::triggered, this, [this] { Vergrssern2Click(); });
    GuardedConnect(FVerkleinern2, &QAction::triggered, this, [this] { Verkleinern2Click(); });
    GuardedConnect(FAnpassen1, &QAction::triggered, this, [this] { Anpassen1Click(); });

    FPaintBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    GuardedConnect(FPaintBox1, &QWidget::customContextMenuRequested, this,
                   [this](const QPoint& At) { FpmView->popup(FPaintBox1->mapToGlobal(At)); });
}

void TFFuncDiagram::SetUpItems() {
    FMMGrid->SetVisible(true);
    FMMGrid->SetOrder(0);
    FMMGrid->SetMMSurface(FMMSurface);
    FMMCoord1->SetVisible(true);
    FMMCoord1->SetXLabel("GST");
    FMMCoord1->SetYLabel("°, mm");
    FMMCoord1->SetMMSurface(FMMSurface);
    FMMDiagram->SetVisible(true);
    FMMDiagram->SetMMSurface(FMMSurface);
}

void TFFuncDiagram::Vergrssern2Click() {
    FMMSurface->ZoomInAtPixel(FMMSurface->GetCenterPixel(), 1.25);
}

void TFFuncDiagram::Verkleinern2Click() {
    FMMSurface->ZoomOutAtPixel(FMMSurface->GetCenterPixel(), 1.25);
}

void TFFuncDiagram::Anpassen1Click() {
    FitDiagram(*FMMSurface, *FMMDiagram);
}
