#include "ui/fmMain.h"

#include "files/uFileManager.h"

#include <QLayout>
#include <QScrollBar>
#include <QSplitter>

TFormMain::TFormMain(TMainWindowSeams& Seams, QWidget* Parent)
    : QMainWindow(Parent), FSeams(Seams), FActions(this), FDrawArea(new QWidget),
      FDrawControl(std::make_unique<TQtControl>(FDrawArea)),
      FMMSurface1(std::make_unique<TMMSurface>()), FMMRuler1(std::make_unique<TMMRuler>()),
      FMMRuler4(std::make_unique<TMMRuler>()), FMMGrid1(std::make_unique<TMMGrid>()),
      FMMCoord1(std::make_unique<TMMCoord>()) {
    setWindowTitle(QStringLiteral("KOPLAR für Windows"));
    BuildMenus();
    BuildTopToolBars();
    BuildRightToolBar();
    setCentralWidget(BuildWorkspace());
    BuildStatusBar();
    resize(803, 621);
    // The drawing area takes its size before the surface squares its view against it.
    // A hidden splitter and its panes only follow their geometry once asked.
    layout()->activate();
    static_cast<QSplitter*>(centralWidget())->refresh();
    FDrawArea->parentWidget()->layout()->activate();
    FMMSurface1->SetSquare(true);
    FMMSurface1->SetBackGroundColor(clWhite);
    FMMSurface1->SetControl(FDrawControl.get());
    SetUpViewItems();
    CreateGear();
    ConnectCommands();
    FHorzScrollPos = FHorzScrollBar->value();
    FVertScrollPos = FVertScrollBar->value();
    BindDocumentCommands();
    aFileNewExecute();
}

TFormMain::~TFormMain() = default;

void TFormMain::SetUpViewItems() {
    FMMCoord1->SetVisible(true);
    FMMCoord1->SetOrder(1);
    FMMCoord1->SetMMSurface(FMMSurface1.get());
    FMMGrid1->SetVisible(false);
    FMMGrid1->SetOrder(0);
    FMMGrid1->SetGridInterval(10.0);
    FMMGrid1->SetLineSytle(TPenStyle::psDot);
    FMMGrid1->SetMMSurface(FMMSurface1.get());

    FRuler4Control = std::make_unique<TQtControl>(FRuler4Panel);
    FMMRuler4->SetRulerOrientation(TRulerOrientation::roVertical);
    FMMRuler4->SetScalaOrientation(TScalaOrientation::soBottomRight);
    FMMRuler4->SetControl(FRuler4Control.get());
    FMMRuler4->SetMMSurface(FMMSurface1.get());
    FRuler1Control = std::make_unique<TQtControl>(FRuler1Panel);
    FMMRuler1->SetRulerOrientation(TRulerOrientation::roHorizontal);
    FMMRuler1->SetScalaOrientation(TScalaOrientation::soTopLeft);
    FMMRuler1->SetControl(FRuler1Control.get());
    FMMRuler1->SetMMSurface(FMMSurface1.get());
}

void TFormMain::CreateGear() {
    FGear = std::make_unique<TGear>(nullptr, [this](TGearData& GearData) {
        auto Document = std::make_unique<TFileManager>(GearData);
        FFileManager = Document.get();
        return Document;
    });
    FGear->SetMMSurface(FMMSurface1.get());
    BindGearEvents();
    if (FSeams.MakeDataViewer)
        FDataViewer = FSeams.MakeDataViewer(*FGearTree, *FGear, *this);
    if (FSeams.MakePrinter)
        FMMPrinter = FSeams.MakePrinter(*FMMSurface1, FGear->GearData());
}
