// The window's controls: where each command is offered and how the window is divided.
#include "platform/qt/QtGuard.h"
#include "ui/ActionIcons.h"
#include "ui/StatusPanel.h"
#include "ui/fmMain.h"

#include <QGridLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int TopIconSize = 24;
constexpr int RightIconSize = 50;
constexpr int RightBarWidth = 114;
constexpr QSize RightButtonSize(57, 56);
constexpr int TreePanelWidth = 185;
constexpr int TreePanelMinWidth = 100;
constexpr int ScrollMin = 1;
constexpr int ScrollMax = 2000;
constexpr int ScrollPage = 100;
constexpr int ScrollStart = 1000;

// A right-hand button may carry a hint of its own; the action re-copies its tool tip to the
// button on each change, so the button's hint is put back after every change.
void KeepButtonHint(QToolButton* Button, QAction* Action, const char* Hint) {
    const QString Text = QString::fromUtf8(Hint);
    Button->setToolTip(Text);
    GuardedConnect(Action, &QAction::changed, Button, [Button, Text] { Button->setToolTip(Text); });
}

} // namespace

QMenu* TFormMain::AddMenu(const QString& Title, std::initializer_list<const char*> Items) {
    QMenu* Menu = menuBar()->addMenu(Title);
    for (const char* Item : Items) {
        if (*Item == '-')
            Menu->addSeparator();
        else
            Menu->addAction(FActions[Item]);
    }
    return Menu;
}

void TFormMain::BuildMenus() {
    QMenu* File = AddMenu(QStringLiteral("&Datei"), {"aFileNew", "aFileOpen"});
    QMenu* Recent = File->addMenu(QStringLiteral("Neu öffnen ..."));
    Recent->setObjectName(QStringLiteral("RecentFiles1"));
    File->addSeparator();
    File->addAction(FActions["aFileSave"]);
    File->addAction(FActions["aFileSaveAs"]);
    File->addSeparator();
    // The menu names printing shorter than the command does elsewhere.
    QAction* Print = File->addAction(QStringLiteral("Drucken"));
    Print->setObjectName(QStringLiteral("Drucken1"));
    GuardedConnect(Print, &QAction::triggered, FActions["aPrint"], &QAction::trigger);
    File->addAction(QStringLiteral("Drucker einrichten..."))
        ->setObjectName(QStringLiteral("Druckereinrichten1"));
    File->addSeparator();
    File->addAction(FActions["aClose"]);

    AddMenu(QStringLiteral("Ansicht"), {"aZoomFit", "aZoomIn", "aZoomOut", "-", "aShowFunc",
                                        "aShowGearDescription", "aOptions"});
    AddMenu(QStringLiteral("Bearbeiten"),
            {"aCreateLink", "aCreateSlider", "aCreateRackPoint", "-", "aAddJoint", "aAddRotDrive",
             "aAddSlideDrive", "-", "aDelete", "aSeperate", "-", "aLinkCurves", "a2ndMotionPoint",
             "aOriginInJoint"});
    AddMenu(QStringLiteral("Animation"),
            {"aAnimStart", "aAnimStop", "aAnimPause", "aAnimNext", "aAnimPrev"});
    QMenu* Help = menuBar()->addMenu(QStringLiteral("Hilfe"));
    Help->addAction(QStringLiteral("Startbildschirm"))
        ->setObjectName(QStringLiteral("Startbildschirm1"));
    Help->addAction(FActions["aAbout"]);
}

QToolBar* TFormMain::AddTopToolBar(const char* Name, std::initializer_list<const char*> Items) {
    QToolBar* Bar = addToolBar(QString::fromLatin1(Name));
    Bar->setObjectName(QString::fromLatin1(Name));
    Bar->setMovable(false);
    Bar->setFloatable(false);
    Bar->setAllowedAreas(Qt::TopToolBarArea);
    Bar->setIconSize(QSize(TopIconSize, TopIconSize));
    for (const char* Item : Items) {
        if (*Item == '-') {
            Bar->addSeparator();
            continue;
        }
        QAction* Action = FActions[Item];
        Action->setIcon(ActionIcon(Action->objectName(), {TopIconSize}));
        Bar->addAction(Action);
    }
    return Bar;
}

void TFormMain::BuildTopToolBars() {
    AddTopToolBar("tbFile",
                  {"aFileNew", "aFileOpen", "aFileSave", "-", "aOptions", "aShowGearDescription"});
    AddTopToolBar("tbView", {"aZoomIn", "aZoomOut", "aZoomFit"});
    QToolBar* Modes =
        AddTopToolBar("tbMode", {"aEdit", "aToggleCanMove", "-", "-", "aAnimate", "aShowFunc"});
    Modes->widgetForAction(FActions["aEdit"])->setObjectName(QStringLiteral("tbEdit"));
    Modes->widgetForAction(FActions["aAnimate"])->setObjectName(QStringLiteral("tbAnimate"));
    AddTopToolBar("tbAnimation",
                  {"aAnimStart", "aAnimPause", "aAnimStop", "aAnimNext", "aAnimPrev"});
}

void TFormMain::BuildRightToolBar() {
    struct TRightButton {
        const char* Action;
        const char* Hint; // empty: the action's own
    };
    static constexpr TRightButton Buttons[] = {
        {"aCreateRackPoint", ""},
        {"aCreateSlider", ""},
        {"aCreateLink", ""},
        {"aAddJoint", ""},
        {"aAddSlideDrive", "Gleitstein als Antrieb..."},
        {"aAddRotDrive", "Kurbel als Antrieb ..."},
        {"aLinkCurves", "Koppelkurven aller Punkte"},
        {"aRemoveLinkCurves", "Koppelkurven entfernen"},
        {"aSeperate", "Gelenk trennen"},
        {"a2ndMotionPoint", "Bewegungsbereich ändern"},
        {"aOriginInJoint", ""},
        {"aDelete", ""},
    };
    QToolBar* Bar = FRightBar = new QToolBar(QStringLiteral("tbRight"), this);
    Bar->setObjectName(QStringLiteral("tbRight"));
    Bar->setMovable(false);
    Bar->setFloatable(false);
    Bar->setAllowedAreas(Qt::RightToolBarArea);
    Bar->setFixedWidth(RightBarWidth);
    Bar->setContentsMargins(0, 0, 0, 0);
    Bar->layout()->setContentsMargins(0, 0, 0, 0);
    Bar->layout()->setSpacing(0);

    auto* Grid = new QWidget(Bar);
    auto* GridLayout = new QGridLayout(Grid);
    GridLayout->setContentsMargins(0, 0, 0, 0);
    GridLayout->setSpacing(0);
    int Index = 0;
    for (const TRightButton& B : Buttons) {
        QAction* Action = FActions[B.Action];
        auto* Button = new QToolButton(Grid);
        Button->setObjectName(QStringLiteral("tbRight_") + Action->objectName());
        Button->setFixedSize(RightButtonSize);
        Button->setIconSize(QSize(RightIconSize, RightIconSize));
        Button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        Button->setAutoRaise(true);
        // The button takes the command's icon again on each of its changes: the command holds it.
        Action->setIcon(ActionIcon(Action->objectName(), {RightIconSize}));
        Button->setDefaultAction(Action);
        if (*B.Hint)
            KeepButtonHint(Button, Action, B.Hint);
        GridLayout->addWidget(Button, Index / 2, Index % 2);
        ++Index;
    }
    GridLayout->setRowStretch(Index / 2, 1);
    Bar->addWidget(Grid);
    addToolBar(Qt::RightToolBarArea, Bar);
}

QWidget* TFormMain::BuildWorkspace() {
    auto* Splitter = new QSplitter(Qt::Horizontal);
    Splitter->setObjectName(QStringLiteral("VSplitter"));
    Splitter->setChildrenCollapsible(false);

    auto* Left = new QWidget(Splitter);
    Left->setObjectName(QStringLiteral("pnlLeft"));
    Left->setMinimumWidth(TreePanelMinWidth);
    auto* LeftLayout = new QVBoxLayout(Left);
    LeftLayout->setContentsMargins(0, 0, 0, 0);
    FGearTree = new QTreeWidget(Left);
    FGearTree->setObjectName(QStringLiteral("tvGearData"));
    FGearTree->setHeaderHidden(true);
    LeftLayout->addWidget(FGearTree);

    auto* Workspace = new QWidget(Splitter);
    Workspace->setObjectName(QStringLiteral("Frame21"));
    auto* Grid = new QGridLayout(Workspace);
    Grid->setContentsMargins(0, 0, 0, 0);
    Grid->setSpacing(0);
    FDrawArea->setParent(Workspace);
    FDrawArea->setObjectName(QStringLiteral("PaintBox1"));
    FDrawArea->setContextMenuPolicy(Qt::ActionsContextMenu);
    FDrawArea->addActions(
        {FActions["aCenterView"], FActions["aZoomIn"], FActions["aZoomOut"], FActions["aZoomFit"]});
    FVertScrollBar = new QScrollBar(Qt::Vertical, Workspace);
    FVertScrollBar->setObjectName(QStringLiteral("VertScrollBar"));
    FHorzScrollBar = new QScrollBar(Qt::Horizontal, Workspace);
    FHorzScrollBar->setObjectName(QStringLiteral("HorizScrollBar"));
    for (QScrollBar* Bar : {FHorzScrollBar, FVertScrollBar}) {
        Bar->setRange(ScrollMin, ScrollMax);
        Bar->setPageStep(ScrollPage);
        Bar->setValue(ScrollStart);
    }
    FRuler4Panel = MakeRulerStrip("Ruler4Panel", Qt::Vertical, Workspace);
    FRuler1Panel = MakeRulerStrip("Ruler1Panel", Qt::Horizontal, Workspace);
    Grid->addWidget(FRuler4Panel, 0, 0);
    Grid->addWidget(FDrawArea, 0, 1);
    Grid->addWidget(FVertScrollBar, 0, 2, 2, 1);
    Grid->addWidget(FRuler1Panel, 1, 1);
    Grid->addWidget(FHorzScrollBar, 2, 0, 1, 2);
    Grid->setRowStretch(0, 1);
    Grid->setColumnStretch(1, 1);

    Splitter->setStretchFactor(0, 0);
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({TreePanelWidth, width() - TreePanelWidth});
    return Splitter;
}

void TFormMain::BuildStatusBar() {
    QStatusBar* Bar = statusBar();
    Bar->setObjectName(QStringLiteral("StatusBar1"));
    for (int I = 0; I < StatusPanelCount; ++I)
        FStatusPanels[I] = AddStatusPanel(*Bar, I);
    // The window is never made narrower than its status bar needs.
    Bar->setSizePolicy(QSizePolicy::Preferred, Bar->sizePolicy().verticalPolicy());
}
