// A ruler on a real offscreen window, below a drawing area that sits further right: its tick of
// world 0 lines up with the surface's pixel of x = 0, also after the drawing area moves.
#include "platform/qt/QtControl.h"
#include "support/QtSurfaceRig.h"
#include "surface/MMCoord.h"
#include "surface/MMRuler.h"
#include "surface/MMSurface.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int RulerTop = 220;

class QtRuler : public ::testing::Test {
protected:
    QtRuler() {
        Window.resize(320, 250);
        Area->setGeometry(20, 0, 280, 200);
        Panel->setGeometry(0, RulerTop, 320, 30);
        Window.show();
        Surface->SetControl(&AreaControl);
        Surface->SetMMRect(MMRect(-35, 35, 35, -35));
        Axes.SetMMSurface(Surface.get());
        Ruler.SetControl(&PanelControl);
        Ruler.SetRulerOrientation(TRulerOrientation::roHorizontal);
        Ruler.SetMMSurface(Surface.get());
    }
    // The window's columns whose pixel in Row is black.
    std::vector<int> BlackColumns(int Row) {
        const QImage Picture = Window.grab().toImage();
        std::vector<int> Columns;
        for (int X = 0; X < Picture.width(); ++X)
            if (Picture.pixelColor(X, Row) == QColor(Qt::black))
                Columns.push_back(X);
        return Columns;
    }
    // Where the y axis, the line of world x = 0, crosses a row of the drawing area.
    int AxisColumn() {
        const std::vector<int> Columns = BlackColumns(150);
        EXPECT_EQ(Columns.size(), 1u);
        return Columns.empty() ? -1 : Columns.front();
    }

    QApplication& App = QtTestApp();
    TInstalledQtPlatform Platform;
    QWidget Window;
    QWidget* Area = new QWidget(&Window);  // owned by the window
    QWidget* Panel = new QWidget(&Window); // owned by the window
    TQtControl AreaControl{Area};
    TQtControl PanelControl{Panel};
    std::unique_ptr<TMMSurface> Surface = std::make_unique<TMMSurface>();
    TMMCoord Axes;
    TMMRuler Ruler;
};

TEST_F(QtRuler, TheTickOfWorldZeroLinesUpWithTheSurfacesPixelOfZero) {
    // Only major ticks reach 12 px into the ruler (8 pt labels take at most 15 of its 30 px).
    const int MajorRow = RulerTop + 12;
    const int Axis = AxisColumn();
    ASSERT_EQ(Axis, 20 + Surface->MMToPixelX(0, true));
    std::vector<int> Majors = BlackColumns(MajorRow);
    EXPECT_NE(std::find(Majors.begin(), Majors.end(), Axis), Majors.end());
    // The neighbouring majors lie one increment away on the surface's scale.
    const int Step = Surface->MMToPixelX(Surface->HorizScalaIncrement(), false);
    EXPECT_NE(std::find(Majors.begin(), Majors.end(), Axis + Step), Majors.end());
    EXPECT_EQ(std::find(Majors.begin(), Majors.end(), Axis - 20), Majors.end());

    Area->move(40, 0); // the drawing area moves right; the surface tells its followers
    const int Moved = AxisColumn();
    ASSERT_EQ(Moved, Axis + 20);
    Majors = BlackColumns(MajorRow);
    EXPECT_NE(std::find(Majors.begin(), Majors.end(), Moved), Majors.end());
}

TEST_F(QtRuler, ShowsItsBackgroundWithoutSurface) {
    Ruler.SetMMSurface(nullptr);
    Ruler.Paint();
    const QImage Picture = Panel->grab().toImage();
    for (int X = 0; X < Picture.width(); X += 7)
        for (int Y = 0; Y < Picture.height(); Y += 3)
            ASSERT_EQ(Picture.pixelColor(X, Y), QColor(240, 240, 240)) << X << ", " << Y;
}

} // namespace
