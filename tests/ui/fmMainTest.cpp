// The main window's commands, menus, tool bars, workspace and status bar as users find them.
#include "MainWindowRig.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using TNames = std::vector<std::string>;

class FormMainTest : public ::testing::Test, public TQtMainWindowRig {
protected:
    FormMainTest() { Form->show(); }

    template <typename T> T* Child(const char* Name) const {
        T* Found = Form->findChild<T*>(QString::fromLatin1(Name));
        EXPECT_NE(Found, nullptr) << Name;
        return Found;
    }

    // A menu's or tool bar's items: action names, "-" for separators, sub-menus by name.
    static TNames Items(const QList<QAction*>& Actions) {
        TNames Names;
        for (QAction* A : Actions) {
            if (A->isSeparator())
                Names.push_back("-");
            else if (A->menu())
                Names.push_back(A->menu()->objectName().toStdString());
            else
                Names.push_back(A->objectName().toStdString());
        }
        return Names;
    }

    static bool HasInk(const QIcon& Icon, int Size) {
        const QImage Image = Icon.pixmap(Size, Size).toImage();
        if (Image.isNull())
            return false;
        for (int Y = 0; Y < Image.height(); ++Y)
            for (int X = 0; X < Image.width(); ++X)
                if (qAlpha(Image.pixel(X, Y)) > 0)
                    return true;
        return false;
    }
};

struct TActionCase {
    const char* Name;
    const char* Caption;
    const char* Hint; // nullptr: none of its own
};

const TActionCase ActionCases[] = {
    {"aAbout", "Info ...", nullptr},
    {"aEdit", "Bearbeiten", "Editiermodus"},
    {"aAnimate", "Animation", "Animationsmodus"},
    {"aCreateLink", "Getriebeglied erstellen", "Getriebeglied erstellen"},
    {"aCreateSlider", "Gleitstein erstellen", "Gleitstein erstellen"},
    {"aCreateRackPoint", "Gestellpunkt erstellen", "Gestellpunkt erstellen"},
    {"aAddRotDrive", "Drehenden Antrieb hinzufügen", "Ausgewähltes Glied als Antrieb"},
    {"aAddJoint", "Koppelpunkt hinzufügen", "Koppelpunkt hinzufügen"},
    {"aFileNew", "Neu", "Neue Datei"},
    {"aFileOpen", "Öffnen", "Datei öffnen"},
    {"aFileSave", "Speichern", "Datei speichern"},
    {"aFileSaveAs", "Speichern unter ...", "Datei speichern unter ..."},
    {"aClose", "Beenden", "Programm beenden"},
    {"aDelete", "Löschen", "Objekt löschen"},
    {"aSeperate", "Trennen", "Verbindung in gewähltem Gelenk trennen"},
    {"a2ndMotionPoint", "2. Bewegungsbereich", "Zweiten Bewegungsbereich anzeigen"},
    {"aOriginInJoint", "Ursprung in Gelenk setzen",
     "Koordinatenursprung in gewähltes Gelenk legen"},
    {"aLinkCurves", "Koppelkurven löschen", "Alle Koppelkurven von gewähltem Glied zeichnen"},
    {"aZoomIn", "Vergrössern", "Ansicht vergrössern"},
    {"aZoomOut", "Verkleinern", "Ansicht verkleinern"},
    {"aZoomFit", "Anpassen", "Ansicht anpassen"},
    {"aAnimStart", "Start", "Animation Starten"},
    {"aAnimStop", "Stop", "Stopp"},
    {"aAnimPause", "Pause", "Pause"},
    {"aAnimNext", "Nächster", "Vor"},
    {"aAnimPrev", "Zurück", "Zurück"},
    {"aOptions", "Einstellungen ...", "Einstellungen ..."},
    {"aProperties", "Eigenschaften", nullptr},
    {"aAddSlideDrive", "Schiebenden Antrieb hinzufügen",
     "Macht den gewählten Gleitstein zum Antrieb"},
    {"aRemoveLinkCurves", "aRemoveLinkCurves", "Alle Koppelkurven von gewähltem Glied entfernen"},
    {"aToggleCanMove", "Bewegen", "Aktiviert das Bewegen von Gliedern"},
    {"aCenterView", "Zentrieren", "Zentriert die aktuelle Ansicht"},
    {"aShowGearDescription", "Getriebeinformationen ...", "Zeigt Informationen zu dem Getriebe an"},
    {"aPrint", "Drucken ...", nullptr},
    {"aShowFunc", "Übertragungsfunktionen ...", "Übertragungsfunktionen ..."},
};

TEST_F(FormMainTest, EveryCommandHasItsCaptionAndHintAsToolTipAndNoShortcut) {
    for (const TActionCase& C : ActionCases) {
        SCOPED_TRACE(C.Name);
        QAction* A = Child<QAction>(C.Name);
        ASSERT_NE(A, nullptr);
        EXPECT_EQ(A, Form->Action(C.Name));
        EXPECT_EQ(A->text().toStdString(), C.Caption);
        if (C.Hint) {
            EXPECT_EQ(A->toolTip().toStdString(), C.Hint);
        }
        EXPECT_TRUE(A->statusTip().isEmpty());
        EXPECT_TRUE(A->shortcuts().isEmpty());
    }
    for (const char* Name : {"aEdit", "aAnimate", "aCreateLink", "aCreateSlider",
                             "aCreateRackPoint", "aToggleCanMove"})
        EXPECT_TRUE(Child<QAction>(Name)->isCheckable()) << Name;
}

TEST_F(FormMainTest, MenusOfferTheCommandsInTheirOrder) {
    struct TMenuCase {
        std::string Title;
        TNames Items;
    };
    const std::vector<TMenuCase> Expected = {
        {"&Datei",
         {"aFileNew", "aFileOpen", "RecentFiles1", "-", "aFileSave", "aFileSaveAs", "-", "Drucken1",
          "Druckereinrichten1", "-", "aClose"}},
        {"Ansicht",
         {"aZoomFit", "aZoomIn", "aZoomOut", "-", "aShowFunc", "aShowGearDescription", "aOptions"}},
        {"Bearbeiten",
         {"aCreateLink", "aCreateSlider", "aCreateRackPoint", "-", "aAddJoint", "aAddRotDrive",
          "aAddSlideDrive", "-", "aDelete", "aSeperate", "-", "aLinkCurves", "a2ndMotionPoint",
          "aOriginInJoint"}},
        {"Animation", {"aAnimStart", "aAnimStop", "aAnimPause", "aAnimNext", "aAnimPrev"}},
        {"Hilfe", {"Startbildschirm1", "aAbout"}},
    };
    const QList<QAction*> Menus = Form->menuBar()->actions();
    ASSERT_EQ(Menus.size(), static_cast<qsizetype>(Expected.size()));
    for (size_t I = 0; I < Expected.size(); ++I) {
        SCOPED_TRACE(Expected[I].Title);
        EXPECT_EQ(Menus[I]->text().toStdString(), Expected[I].Title);
        ASSERT_NE(Menus[I]->menu(), nullptr);
        EXPECT_EQ(Items(Menus[I]->menu()->actions()), Expected[I].Items);
    }
    auto* Recent = Child<QMenu>("RecentFiles1");
    EXPECT_EQ(Recent->title().toStdString(), "Neu öffnen ...");
    EXPECT_EQ(Child<QAction>("Drucken1")->text().toStdString(), "Drucken");
    EXPECT_EQ(Child<QAction>("Druckereinrichten1")->text().toStdString(), "Drucker einrichten...");
    EXPECT_EQ(Child<QAction>("Startbildschirm1")->text().toStdString(), "Startbildschirm");
    // The canvas's own menu.
    EXPECT_EQ(Items(Form->DrawArea()->actions()),
              (TNames{"aCenterView", "aZoomIn", "aZoomOut", "aZoomFit"}));
    EXPECT_EQ(Form->DrawArea()->contextMenuPolicy(), Qt::ActionsContextMenu);
}

TEST_F(FormMainTest, PrintMenuItemRunsThePrintCommand) {
    int Printed = 0;
    QObject::connect(Form->Action("aPrint"), &QAction::triggered, [&Printed] { ++Printed; });
    Child<QAction>("Drucken1")->trigger();
    EXPECT_EQ(Printed, 1);
}

TEST_F(FormMainTest, FourFixedToolBarsShareTheTopRow) {
    std::vector<QToolBar*> Bars;
    for (QToolBar* Bar : Form->findChildren<QToolBar*>())
        if (Form->toolBarArea(Bar) == Qt::TopToolBarArea)
            Bars.push_back(Bar);
    std::sort(Bars.begin(), Bars.end(), [](QToolBar* A, QToolBar* B) { return A->x() < B->x(); });
    const std::vector<TNames> Expected = {
        {"aFileNew", "aFileOpen", "aFileSave", "-", "aOptions", "aShowGearDescription"},
        {"aZoomIn", "aZoomOut", "aZoomFit"},
        {"aEdit", "aToggleCanMove", "-", "-", "aAnimate", "aShowFunc"},
        {"aAnimStart", "aAnimPause", "aAnimStop", "aAnimNext", "aAnimPrev"},
    };
    ASSERT_EQ(Bars.size(), Expected.size());
    for (size_t I = 0; I < Bars.size(); ++I) {
        SCOPED_TRACE(I);
        EXPECT_EQ(Items(Bars[I]->actions()), Expected[I]);
        EXPECT_EQ(Bars[I]->y(), Bars[0]->y());
        EXPECT_EQ(Bars[I]->iconSize(), QSize(24, 24));
        EXPECT_FALSE(Bars[I]->isMovable());
        EXPECT_FALSE(Bars[I]->isFloatable());
        for (QAction* A : Bars[I]->actions()) {
            if (!A->isSeparator()) {
                EXPECT_TRUE(HasInk(A->icon(), 24)) << A->objectName().toStdString();
            }
        }
    }
    EXPECT_EQ(Bars[2]->widgetForAction(Form->Action("aEdit"))->objectName().toStdString(),
              "tbEdit");
    EXPECT_EQ(Bars[2]->widgetForAction(Form->Action("aAnimate"))->objectName().toStdString(),
              "tbAnimate");
}

// Right-clicking the menu or a tool bar offers no menu to hide the bars: every bar stays shown.
TEST_F(FormMainTest, TheMenuAndToolBarAreaHasNoContextMenu) {
    std::vector<QWidget*> Clicked = {Form->menuBar()};
    for (QToolBar* Bar : Form->findChildren<QToolBar*>())
        Clicked.push_back(Bar);
    ASSERT_EQ(Clicked.size(), 6u);
    for (QWidget* W : Clicked) {
        SCOPED_TRACE(W->objectName().toStdString());
        bool Popped = false;
        // A menu would run its own loop: close it from there.
        QTimer::singleShot(0, [&] {
            if (QWidget* Popup = QApplication::activePopupWidget()) {
                Popped = true;
                Popup->close();
            }
        });
        QContextMenuEvent Event(QContextMenuEvent::Mouse, QPoint(2, 2),
                                W->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(W, &Event);
        QApplication::processEvents();
        EXPECT_FALSE(Popped);
    }
    for (QToolBar* Bar : Form->findChildren<QToolBar*>())
        EXPECT_TRUE(Bar->isVisible()) << Bar->objectName().toStdString();
}

TEST_F(FormMainTest, RightToolBarHoldsTwelveImageButtonsTwoPerRow) {
    struct TButtonCase {
        const char* Action;
        const char* Hint;
    };
    const TButtonCase Expected[] = {
        {"aCreateRackPoint", "Gestellpunkt erstellen"},
        {"aCreateSlider", "Gleitstein erstellen"},
        {"aCreateLink", "Getriebeglied erstellen"},
        {"aAddJoint", "Koppelpunkt hinzufügen"},
        {"aAddSlideDrive", "Gleitstein als Antrieb..."},
        {"aAddRotDrive", "Kurbel als Antrieb ..."},
        {"aLinkCurves", "Koppelkurven aller Punkte"},
        {"aRemoveLinkCurves", "Koppelkurven entfernen"},
        {"aSeperate", "Gelenk trennen"},
        {"a2ndMotionPoint", "Bewegungsbereich ändern"},
        {"aOriginInJoint", "Koordinatenursprung in gewähltes Gelenk legen"},
        {"aDelete", "Objekt löschen"},
    };
    auto* Bar = Child<QToolBar>("tbRight");
    ASSERT_NE(Bar, nullptr);
    EXPECT_EQ(Form->toolBarArea(Bar), Qt::RightToolBarArea);
    EXPECT_EQ(Bar->width(), 114);
    EXPECT_EQ(Bar->geometry().right(), Form->rect().right());
    std::vector<QToolButton*> Buttons;
    for (QToolButton* B : Bar->findChildren<QToolButton*>())
        if (B->defaultAction())
            Buttons.push_back(B);
    // Reading order: row by row, left before right.
    std::sort(Buttons.begin(), Buttons.end(), [](QToolButton* A, QToolButton* B) {
        const QPoint PA = A->mapTo(A->window(), QPoint()), PB = B->mapTo(B->window(), QPoint());
        return PA.y() != PB.y() ? PA.y() < PB.y() : PA.x() < PB.x();
    });
    ASSERT_EQ(Buttons.size(), std::size(Expected));
    const QPoint First = Buttons[0]->mapTo(Form.get(), QPoint());
    for (size_t I = 0; I < Buttons.size(); ++I) {
        const TButtonCase& C = Expected[I];
        SCOPED_TRACE(C.Action);
        QToolButton* B = Buttons[I];
        EXPECT_EQ(B->defaultAction(), Form->Action(C.Action));
        EXPECT_EQ(B->size(), QSize(57, 56));
        EXPECT_EQ(B->mapTo(Form.get(), QPoint()),
                  First + QPoint(57 * static_cast<int>(I % 2), 56 * static_cast<int>(I / 2)));
        EXPECT_EQ(B->iconSize(), QSize(50, 50));
        EXPECT_EQ(B->toolButtonStyle(), Qt::ToolButtonIconOnly);
        EXPECT_TRUE(HasInk(B->icon(), 50));
        EXPECT_EQ(B->toolTip().toStdString(), C.Hint);
        // A change of the command copies its tool tip and icon again; the button's own hint and
        // its large image stay.
        Form->Action(C.Action)->setEnabled(false);
        Form->Action(C.Action)->setEnabled(true);
        EXPECT_EQ(B->toolTip().toStdString(), C.Hint);
        EXPECT_TRUE(HasInk(B->icon(), 50));
    }
}

TEST_F(FormMainTest, TreeBesideTheWorkspaceWithItsScrollBars) {
    EXPECT_EQ(Form->size(), QSize(803, 621));
    auto* Splitter = Child<QSplitter>("VSplitter");
    auto* Left = Child<QWidget>("pnlLeft");
    ASSERT_TRUE(Splitter && Left);
    EXPECT_EQ(Form->centralWidget(), Splitter);
    EXPECT_EQ(Splitter->widget(0), Left);
    EXPECT_EQ(Left->width(), 185);
    EXPECT_EQ(Left->minimumWidth(), 100);
    EXPECT_TRUE(Left->isAncestorOf(Child<QTreeWidget>("tvGearData")));
    EXPECT_TRUE(Splitter->widget(1)->isAncestorOf(Form->DrawArea()));
    EXPECT_EQ(Form->DrawArea()->objectName().toStdString(), "PaintBox1");
    // Dragging the splitter never makes the tree panel narrower than its minimum.
    Splitter->setSizes({20, Splitter->width() - 20});
    EXPECT_EQ(Left->width(), 100);
    for (const char* Name : {"HorizScrollBar", "VertScrollBar"}) {
        SCOPED_TRACE(Name);
        auto* Bar = Child<QScrollBar>(Name);
        ASSERT_NE(Bar, nullptr);
        EXPECT_EQ(Bar->minimum(), 1);
        EXPECT_EQ(Bar->maximum(), 2000);
        EXPECT_EQ(Bar->pageStep(), 100);
        EXPECT_EQ(Bar->value(), 1000);
    }
}

TEST_F(FormMainTest, StatusBarHasFivePanelsTheLastTakingTheRest) {
    const int Widths[] = {20, 150, 180, 180};
    std::vector<QLabel*> Panels;
    for (int I = 0; I < TFormMain::StatusPanelCount; ++I) {
        const std::string Name = "StatusPanel" + std::to_string(I);
        Panels.push_back(Child<QLabel>(Name.c_str()));
        ASSERT_NE(Panels.back(), nullptr);
        EXPECT_EQ(Panels.back()->parentWidget(), Form->statusBar());
    }
    for (int I = 0; I < 4; ++I)
        EXPECT_GE(Panels[I]->width(), Widths[I]) << I;
    EXPECT_EQ(Panels[0]->width(), 20);
    for (int I = 1; I < 5; ++I)
        EXPECT_GT(Panels[I]->x(), Panels[I - 1]->geometry().right()) << I;
    EXPECT_GT(Panels[4]->width(), 50);
    // Where the window has room, the coordinate panels show their widest texts whole, whatever
    // the font.
    Form->showNormal();
    Form->resize(1400, 621);
    QApplication::processEvents();
    const char* const Widest[] = {"x=-9999.999 mm  y=-9999.999 mm",
                                  "x(99)=-9999.999 mm  y(99)=-9999.999 mm"};
    for (int I = 1; I <= 2; ++I)
        EXPECT_LE(Panels[I]->fontMetrics().horizontalAdvance(QString::fromLatin1(Widest[I - 1])),
                  Panels[I]->contentsRect().width())
            << I;
}

TEST_F(FormMainTest, WorkspaceHoldsTheMechanismWithAxesGridAndRulers) {
    ASSERT_NE(Form->Gear(), nullptr);
    EXPECT_EQ(Form->Gear()->MMSurface(), &Form->MMSurface1());
    ASSERT_NE(Form->FileManager(), nullptr);
    EXPECT_EQ(Form->FileManager()->GetDisplayName(), "Unbenannt1.kxw");
    EXPECT_TRUE(Form->Gear()->Editing());
    EXPECT_NE(Form->Gear()->GearData().Rack(), nullptr);
    EXPECT_FALSE(Form->Closing());

    TMMCoord& Coord = Form->MMCoord1();
    EXPECT_EQ(Coord.MMSurface(), &Form->MMSurface1());
    EXPECT_TRUE(Coord.Visible());
    EXPECT_EQ(Coord.AxisColor(), clBlack);
    EXPECT_EQ(Coord.ArrowHeight(), 6);
    EXPECT_EQ(Coord.ArrowWidth(), 10);
    EXPECT_EQ(Coord.FontSize(), 15);
    EXPECT_EQ(Coord.XLabel(), "x");
    EXPECT_EQ(Coord.YLabel(), "y");
    TMMGrid& Grid = Form->MMGrid1();
    EXPECT_EQ(Grid.MMSurface(), &Form->MMSurface1());
    EXPECT_FALSE(Grid.Visible());
    EXPECT_LT(Grid.Order(), Coord.Order()); // the grid lies beneath the axes
    EXPECT_DOUBLE_EQ(Grid.GridInterval(), 10.0);
    EXPECT_EQ(Grid.LineSytle(), TPenStyle::psDot);

    auto* Left = Child<QWidget>("Ruler4Panel");
    auto* Bottom = Child<QWidget>("Ruler1Panel");
    ASSERT_TRUE(Left && Bottom);
    EXPECT_EQ(Form->MMRuler4().MMSurface(), &Form->MMSurface1());
    EXPECT_EQ(Form->MMRuler4().RulerOrientation(), TRulerOrientation::roVertical);
    EXPECT_EQ(Form->MMRuler1().MMSurface(), &Form->MMSurface1());
    EXPECT_EQ(Form->MMRuler1().RulerOrientation(), TRulerOrientation::roHorizontal);
    const QPoint Canvas = Form->DrawArea()->mapTo(Form.get(), QPoint());
    EXPECT_EQ(Left->mapTo(Form.get(), QPoint()).y(), Canvas.y());
    EXPECT_LT(Left->mapTo(Form.get(), QPoint()).x(), Canvas.x());
    EXPECT_EQ(Bottom->mapTo(Form.get(), QPoint()).x(), Canvas.x());
    EXPECT_GT(Bottom->mapTo(Form.get(), QPoint()).y(), Canvas.y());
    EXPECT_EQ(Bottom->width(), Form->DrawArea()->width());
    EXPECT_EQ(Left->height(), Form->DrawArea()->height());
}

} // namespace
