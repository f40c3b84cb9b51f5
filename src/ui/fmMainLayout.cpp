// The window's controls: the menus and tool bars that offer the commands where the command table
// places them, and how the window is divided.
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

// A site's commands in their order, with the separators their places ask for.
template <class TSite> void AddEntries(TSite& Target, const std::vector<TSiteEntry>& Entries) {
    for (const TSiteEntry& E : Entries) {
        for (int Gap = 0; Gap < E.Place->GapBefore; ++Gap)
            Target.addSeparator();
        Target.addAction(E.Action);
    }
}

QIcon CommandIcon(const TCommand& Command, int Size) {
    return *Command.Icon ? ActionIcon(QString::fromLatin1(Command.Icon), {Size}) : QIcon();
}

} // namespace

QMenu* TFormMain::AddMenu(const QString& Title, TCommandSite Site) {
    QMenu* Menu = menuBar()->addMenu(Title);
    AddEntries(*Menu, FActions.On(Site));
    return Menu;
}

void TFormMain::BuildMenus() {
    QMenu* File = menuBar()->addMenu(QStringLiteral("&Datei"));
    auto* Recent = new QMenu(QStringLiteral("Neu öffnen ..."), File);
    Recent->setObjectName(QStringLiteral("RecentFiles1"));
    static constexpr TCommandPlace RecentPlace{TCommandSite::FileMenu, RecentFilesOrder};
    std::vector<TSiteEntry> Entries = FActions.On(TCommandSite::FileMenu);
    const auto After = std::find_if(Entries.begin(), Entries.end(), [](const TSiteEntry& E) {
        return E.Place->Order > RecentPlace.Order;
    });
    Entries.insert(After, {Recent->menuAction(), nullptr, &RecentPlace});
    AddEntries(*File, Entries);
    AddMenu(QStringLiteral("Ansicht"), TCommandSite::ViewMenu);
    AddMenu(QStringLiteral("Bearbeiten"), TCommandSite::EditMenu);
    AddMenu(QStringLiteral("Animation"), TCommandSite::AnimationMenu);
    AddMenu(QStringLiteral("Hilfe"), TCommandSite::HelpMenu);
}

QToolBar* TFormMain::AddTopToolBar(const char* Name, TCommandSite Site) {
    QToolBar* Bar = addToolBar(QString::fromLatin1(Name));
    Bar->setObjectName(QString::fromLatin1(Name));
    Bar->setMovable(false);
    Bar->setFloatable(false);
    Bar->setAllowedAreas(Qt::TopToolBarArea);
    Bar->setIconSize(QSize(TopIconSize, TopIconSize));
    const std::vector<TSiteEntry> Entries = FActions.On(Site);
    for (const TSiteEntry& E : Entries)
        E.Action->setIcon(CommandIcon(*E.Command, TopIconSize));
    AddEntries(*Bar, Entries);
    for (const TSiteEntry& E : Entries)
        if (*E.Place->Button)
            Bar->widgetForAction(E.Action)->setObjectName(QString::fromLatin1(E.Place->Button));
    return Bar;
}

void TFormMain::BuildTopToolBars() {
    AddTopToolBar("tbFile", TCommandSite::FileBar);
    AddTopToolBar("tbView", TCommandSite::ViewBar);
    AddTopToolBar("tbMode", TCommandSite::ModeBar);
    AddTopToolBar("tbAnimation", TCommandSite::AnimationBar);
}

void TFormMain::BuildRightToolBar() {
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
    for (const TSiteEntry& E : FActions.On(TCommandSite::RightBar)) {
        QAction* Action = E.Action;
        auto* Button = new QToolButton(Grid);
        Button->setObjectName(QStringLiteral("tbRight_") + Action->objectName());
        Button->setFixedSize(RightButtonSize);
        Button->setIconSize(QSize(RightIconSize, RightIconSize));
        Button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        Button->setAutoRaise(true);
        // The button takes the command's icon again on each of its changes: the command holds it.
        Action->setIcon(CommandIcon(*E.Command, RightIconSize));
        Button->setDefaultAction(Action);
        if (*E.Place->Hint)
            KeepButtonHint(Button, Action, E.Place->Hint);
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
    for (const TSiteEntry& E : FActions.On(TCommandSite::CanvasMenu))
        FDrawArea->addAction(E.Action);
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
