#include "ui/fmMain.h"

#include <QLayout>
#include <QSplitter>

TFormMain::TFormMain(QWidget* Parent)
    : QMainWindow(Parent), FActions(this), FDrawArea(new QWidget),
      FDrawControl(std::make_unique<TQtControl>(FDrawArea)),
      FMMSurface1(std::make_unique<TMMSurface>()) {
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
}
