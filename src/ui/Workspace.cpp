#include "ui/Workspace.h"

#include "platform/qt/QtGuard.h"

#include <QScrollBar>
#include <QWidget>

QWidget* MakeRulerStrip(const char* Name, Qt::Orientation Orientation, QWidget* Parent) {
    auto* Strip = new QWidget(Parent);
    Strip->setObjectName(QString::fromLatin1(Name));
    if (Orientation == Qt::Horizontal)
        Strip->setFixedHeight(RulerStripSize);
    else
        Strip->setFixedWidth(RulerStripSize);
    return Strip;
}

TWorkspace::TWorkspace(QWidget* DrawArea, QWidget* HorzRulerStrip, QWidget* VertRulerStrip,
                       bool Square)
    : FDrawControl(std::make_unique<TQtControl>(DrawArea)),
      FHorzRulerControl(std::make_unique<TQtControl>(HorzRulerStrip)),
      FVertRulerControl(std::make_unique<TQtControl>(VertRulerStrip)),
      FSurface(std::make_unique<TMMSurface>()), FHorzRuler(std::make_unique<TMMRuler>()),
      FVertRuler(std::make_unique<TMMRuler>()) {
    FSurface->SetSquare(Square);
    FSurface->SetBackGroundColor(clWhite);
    FSurface->SetControl(FDrawControl.get());
    FVertRuler->SetRulerOrientation(TRulerOrientation::roVertical);
    FVertRuler->SetScalaOrientation(TScalaOrientation::soBottomRight);
    FVertRuler->SetControl(FVertRulerControl.get());
    FVertRuler->SetMMSurface(FSurface.get());
    FHorzRuler->SetRulerOrientation(TRulerOrientation::roHorizontal);
    FHorzRuler->SetScalaOrientation(TScalaOrientation::soTopLeft);
    FHorzRuler->SetControl(FHorzRulerControl.get());
    FHorzRuler->SetMMSurface(FSurface.get());
}

TWorkspace::~TWorkspace() = default;

void TWorkspace::PanWith(QScrollBar& Horz, QScrollBar& Vert) {
    FPanning = std::make_unique<QObject>();
    FHorzPos = Horz.value();
    FVertPos = Vert.value();
    GuardedConnect(&Horz, &QScrollBar::valueChanged, FPanning.get(), [this](int Position) {
        FSurface->ScrollX(FHorzPos - Position);
        FHorzPos = Position;
    });
    GuardedConnect(&Vert, &QScrollBar::valueChanged, FPanning.get(), [this](int Position) {
        FSurface->ScrollY(FVertPos - Position);
        FVertPos = Position;
    });
}
