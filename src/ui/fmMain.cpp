#include "ui/fmMain.h"

#include <QLayout>

TFormMain::TFormMain(QWidget* Parent)
    : QMainWindow(Parent), FDrawArea(new QWidget(this)),
      FDrawControl(std::make_unique<TQtControl>(FDrawArea)),
      FMMSurface1(std::make_unique<TMMSurface>()) {
    setWindowTitle(QStringLiteral("KOPLAR für Windows"));
    setCentralWidget(FDrawArea);
    resize(803, 621);
    // The drawing area takes its size before the surface squares its view against it.
    layout()->activate();
    FMMSurface1->SetSquare(true);
    FMMSurface1->SetBackGroundColor(clWhite);
    FMMSurface1->SetControl(FDrawControl.get());
}
