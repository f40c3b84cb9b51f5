// The diagram frame: its starting state, its surface on the paint box, and the view popup.
#include "ui/fDiagram.h"
#include "support/DenseScreens.h"
#include "support/QtSurfaceRig.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FuncDiagram : public ::testing::Test {
protected:
    FuncDiagram() {
        Frame.resize(600, 400);
        Frame.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Frame));
    }
    TMMSurface& Surface() { return Frame.MMSurface(); }
    // A visible serie with Y 10..50 over X 1..20.
    TMMDataSerie& AddLine(TColor Color) {
        auto S = std::make_unique<TMMDataSerie>();
        for (int I = 0; I < 20; ++I)
            S->Add(TMMDataElement(1 + I, 10 + 40.0 * I / 19));
        S->SetVisible(true);
        S->SetColor(Color);
        return *Frame.MMDiagram().Series().Add(std::move(S));
    }
    void ExpectView(double XMin, double YMax, double XMax, double YMin) {
        EXPECT_NEAR(Surface().XMin(), XMin, 1e-9);
        EXPECT_NEAR(Surface().YMax(), YMax, 1e-9);
        EXPECT_NEAR(Surface().XMax(), XMax, 1e-9);
        EXPECT_NEAR(Surface().YMin(), YMin, 1e-9);
    }

    QApplication& App = QtTestApp();
    TInstalledQtPlatform Platform;
    TFFuncDiagram Frame;
};

TEST_F(FuncDiagram, StartsWithItsFormData) {
    EXPECT_FALSE(Surface().Square());
    EXPECT_EQ(Surface().BackGroundColor(), clWhite);
    ExpectView(-10, 400, 400, -20);
    ASSERT_NE(Surface().Control(), nullptr);
    EXPECT_EQ(Surface().GetPixelWidth(), Frame.PaintBox1()->width());
    EXPECT_EQ(Surface().GetPixelHeight(), Frame.PaintBox1()->height());

    const TMMDiagram& D = Frame.MMDiagram();
    EXPECT_TRUE(D.Visible());
    EXPECT_EQ(D.Order(), 1);
    EXPECT_EQ(D.MMSurface(), &Surface());
    EXPECT_EQ(D.Series().Count(), 0);

    for (QScrollBar* Bar : {Frame.VertScrollBar(), Frame.HorizScrollBar()}) {
        SCOPED_TRACE(Bar->objectName().toStdString());
        EXPECT_EQ(Bar->minimum(), 1);
        EXPECT_EQ(Bar->maximum(), 400);
        EXPECT_EQ(Bar->value(), 200);
    }
    EXPECT_EQ(Frame.VertScrollBar()->orientation(), Qt::Vertical);
    EXPECT_EQ(Frame.VertScrollBar()->pageStep(), 10);
    EXPECT_EQ(Frame.VertScrollBar()->width(), 15);
    EXPECT_EQ(Frame.HorizScrollBar()->orientation(), Qt::Horizontal);
    EXPECT_EQ(Frame.HorizScrollBar()->height(), 15);

    // The strips: the vertical ruler's at the left, the horizontal ruler's below the paint box.
    const QWidget* Box = Frame.PaintBox1();
    const QPoint BoxAt = Box->mapTo(&Frame, QPoint(0, 0));
    EXPECT_EQ(Frame.Ruler4Panel()->width(), 30);
    EXPECT_EQ(Frame.Ruler4Panel()->x(), 0);
    EXPECT_LT(Frame.Ruler4Panel()->geometry().right(), BoxAt.x());
    EXPECT_EQ(Frame.Ruler1Panel()->height(), 30);
    EXPECT_GT(Frame.Ruler1Panel()->y(), BoxAt.y() + Box->height() - 1);
    EXPECT_LT(Frame.Ruler1Panel()->geometry().bottom(), Frame.HorizScrollBar()->y());
    EXPECT_LE(Frame.Ruler1Panel()->x(), BoxAt.x());
    EXPECT_GT(Frame.VertScrollBar()->x(), BoxAt.x() + Box->width() - 1);
}

TEST_F(FuncDiagram, GridAxesDiagramAndRulersStartWithTheirFormData) {
    const TMMGrid& G = Frame.MMGrid();
    EXPECT_TRUE(G.Visible());
    EXPECT_EQ(G.Order(), 0);
    EXPECT_EQ(G.GridColor(), TColor(3276800));
    EXPECT_EQ(G.GridInterval(), 10.0);
    EXPECT_EQ(G.LineSytle(), TPenStyle::psDot);

    const TMMCoord& C = Frame.MMCoord1();
    EXPECT_TRUE(C.Visible());
    EXPECT_EQ(C.Order(), 1);
    EXPECT_EQ(C.AxisColor(), clBlack);
    EXPECT_EQ(C.ArrowHeight(), 6);
    EXPECT_EQ(C.ArrowWidth(), 10);
    EXPECT_EQ(C.FontSize(), 15);
    EXPECT_EQ(C.XLabel(), "GST");
    EXPECT_EQ(C.YLabel(), "°, mm");

    // Grid beneath the axes, the diagram on top of both.
    const TMMGraphicItemList& Items = Surface().GraphicItems();
    ASSERT_EQ(Items.Count(), 3);
    EXPECT_EQ(Items.Items(0), &Frame.MMGrid());
    EXPECT_EQ(Items.Items(1), &Frame.MMCoord1());
    EXPECT_EQ(Items.Items(2), &Frame.MMDiagram());

    struct TRulerCase {
        std::string Name;
        TMMRuler& Ruler;
        QWidget* Panel;
        TRulerOrientation Orientation;
        TScalaOrientation Scala;
    };
    const std::vector<TRulerCase> Rulers = {
        {"MMRuler1", Frame.MMRuler1(), Frame.Ruler1Panel(), TRulerOrientation::roHorizontal,
         TScalaOrientation::soTopLeft},
        {"MMRuler4", Frame.MMRuler4(), Frame.Ruler4Panel(), TRulerOrientation::roVertical,
         TScalaOrientation::soBottomRight},
    };
    for (const TRulerCase& R : Rulers) {
        SCOPED_TRACE(R.Name);
        EXPECT_EQ(R.Ruler.MMSurface(), &Surface());
        EXPECT_EQ(R.Ruler.RulerOrientation(), R.Orientation);
        EXPECT_EQ(R.Ruler.ScalaOrientation(), R.Scala);
        const auto* Panel = dynamic_cast<const TQtControl*>(R.Ruler.Control());
        ASSERT_NE(Panel, nullptr);
        EXPECT_EQ(Panel->Widget(), R.Panel);
    }
}

TEST_F(FuncDiagram, ThePopupOffersTheViewCommands) {
    const auto Items = Frame.pmView()->actions();
    struct TItem {
        QAction* Action;
        std::string Name, Caption, Hint;
    };
    const std::vector<TItem> Expected = {
        {Frame.Zentrieren1(), "Zentrieren1", "Zentrieren", "Zentriert die aktuelle Ansicht"},
        {Frame.Vergrssern2(), "Vergrssern2", "Vergrössern", "Ansicht vergrössern"},
        {Frame.Verkleinern2(), "Verkleinern2", "Verkleinern", "Ansicht verkleinern"},
        {Frame.Anpassen1(), "Anpassen1", "Anpassen", "Ansicht anpassen"},
    };
    ASSERT_EQ(Items.size(), static_cast<qsizetype>(Expected.size()));
    for (size_t I = 0; I < Expected.size(); ++I) {
        SCOPED_TRACE(Expected[I].Name);
        EXPECT_EQ(Items[static_cast<qsizetype>(I)], Expected[I].Action);
        EXPECT_EQ(Items[static_cast<qsizetype>(I)]->objectName().toStdString(), Expected[I].Name);
        EXPECT_EQ(Items[static_cast<qsizetype>(I)]->text().toStdString(), Expected[I].Caption);
        EXPECT_EQ(Items[static_cast<qsizetype>(I)]->statusTip().toStdString(), Expected[I].Hint);
    }

    // A right click on the paint box asks for the popup there.
    const QPoint At(20, 30);
    QContextMenuEvent Event(QContextMenuEvent::Mouse, At, Frame.PaintBox1()->mapToGlobal(At));
    QCoreApplication::sendEvent(Frame.PaintBox1(), &Event);
    EXPECT_TRUE(Frame.pmView()->isVisible());
    Frame.pmView()->hide();
}

TEST_F(FuncDiagram, ZoomCommandsScaleTheViewAboutItsCentrePixel) {
    struct TCase {
        std::string Name;
        QAction* Action;
        double Factor; // the new span over the old
    };
    const std::vector<TCase> Cases = {
        {"Vergrössern", Frame.Vergrssern2(), 1 / 1.25},
        {"Verkleinern", Frame.Verkleinern2(), 1.25},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        Surface().SetMMRect(MMRect(-10, 400, 400, -20));
        const TMMPoint Centre = Surface().PixelToMM(Surface().GetCenterPixel(), true);
        const double W = Surface().GetMMWidth(), H = Surface().GetMMHeight();
        C.Action->trigger();
        ExpectView(Centre.X - W * C.Factor / 2, Centre.Y + H * C.Factor / 2,
                   Centre.X + W * C.Factor / 2, Centre.Y - H * C.Factor / 2);
    }
}

TEST_F(FuncDiagram, CentreCommandLeavesTheView) {
    Frame.Zentrieren1()->trigger();
    ExpectView(-10, 400, 400, -20);
}

TEST_F(FuncDiagram, FitCommandFitsTheViewToTheSeries) {
    Frame.Anpassen1()->trigger(); // no series: nothing changes
    ExpectView(-10, 400, 400, -20);
    AddLine(clRed);
    Frame.Anpassen1()->trigger();
    ExpectView(-7.5, 54, 22.5, 6);
}

TEST_F(FuncDiagram, DrawsTheSeriesOnThePaintBox) {
    AddLine(clBlue).SetWidth(3);
    Frame.Anpassen1()->trigger();
    const QImage Shown = Frame.PaintBox1()->grab().toImage();
    const TPoint Mid = Surface().MMToPixel(MMPoint(10.5, 30), true);
    EXPECT_EQ(Shown.pixelColor(Mid.X, Mid.Y), QColor(Qt::blue));
    EXPECT_EQ(Shown.pixelColor(Mid.X, 2), QColor(Qt::white));
}

// Whether every aligned block of two by two device pixels has one colour, as when a picture
// of half the resolution is scaled up.
bool PixelDoubled(const QImage& Image) {
    for (int Y = 0; Y + 1 < Image.height(); Y += 2)
        for (int X = 0; X + 1 < Image.width(); X += 2) {
            const QRgb P = Image.pixel(X, Y);
            if (Image.pixel(X + 1, Y) != P || Image.pixel(X, Y + 1) != P ||
                Image.pixel(X + 1, Y + 1) != P)
                return false;
        }
    return true;
}

class FuncDiagramOnDenseScreen : public FuncDiagram {};

TEST_F(FuncDiagramOnDenseScreen, TheDiagramAndItsRulersAreDrawnAtItsResolution) {
    AddLine(clBlue).SetWidth(3);
    Frame.Anpassen1()->trigger();
    MoveToScreen(Frame, ScreenOfRatio(2), QSize(600, 400));
    Frame.Anpassen1()->trigger();
    for (QWidget* W : {Frame.PaintBox1(), Frame.Ruler1Panel(), Frame.Ruler4Panel()}) {
        SCOPED_TRACE(W->objectName().toStdString());
        const QImage Shown = W->grab().toImage();
        ASSERT_EQ(Shown.devicePixelRatio(), 2);
        ASSERT_EQ(Shown.size(), W->size() * 2);
        EXPECT_FALSE(PixelDoubled(Shown));
    }
    // The line's middle where it lies at one device pixel per pixel.
    const QImage Shown = Frame.PaintBox1()->grab().toImage();
    const TPoint Mid = Surface().MMToPixel(MMPoint(10.5, 30), true);
    EXPECT_EQ(Shown.pixelColor(2 * Mid.X, 2 * Mid.Y), QColor(Qt::blue));
}

} // namespace
