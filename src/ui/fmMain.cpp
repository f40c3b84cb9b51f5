#include "ui/fmMain.h"

#include "files/uFileManager.h"

#include <QLayout>
#include <QScrollBar>
#include <QSplitter>

TFormMain::TFormMain(TMainWindowSeams& Seams, QWidget* Parent)
    : QMainWindow(Parent), FSeams(Seams), FActions(this), FDrawArea(new QWidget),
      FMMGrid1(std::make_unique<TMMGrid>()), FMMCoord1(std::make_unique<TMMCoord>()) {
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
    FWorkspace = std::make_unique<TWorkspace>(FDrawArea, FRuler1Panel, FRuler4Panel, true);
    FMMSurface1 = &FWorkspace->Surface();
    SetUpViewItems();
    CreateGear();
    FWorkspace->PanWith(*FHorzScrollBar, *FVertScrollBar);
    ConnectCommands();
    SetUpRecentFiles();
    aFileNewExecute();
}

TFormMain::~TFormMain() = default;

void TFormMain::SetUpViewItems() {
    FMMCoord1->SetVisible(true);
    FMMCoord1->SetOrder(1);
    FMMCoord1->SetMMSurface(FMMSurface1);
    FMMGrid1->SetVisible(false);
    FMMGrid1->SetOrder(0);
    FMMGrid1->SetGridInterval(10.0);
    FMMGrid1->SetLineSytle(TPenStyle::psDot);
    FMMGrid1->SetMMSurface(FMMSurface1);
}

void TFormMain::CreateGear() {
    FGear = std::make_unique<TGear>(nullptr, [this](TGearData& GearData) {
        auto Document = std::make_unique<TFileManager>(GearData);
        FFileManager = Document.get();
        return Document;
    });
    FGear->SetMMSurface(FMMSurface1);
    BindGearEvents();
    if (FSeams.MakeDataViewer)
        FDataViewer = FSeams.MakeDataViewer(*FGearTree, *FGear, *this);
    if (FSeams.MakePrinter)
        FMMPrinter = FSeams.MakePrinter(*FMMSurface1, FGear->GearData());
}
