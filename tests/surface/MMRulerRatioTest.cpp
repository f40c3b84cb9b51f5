// Axes and rulers on screens of every device pixel ratio Qt may report: in the pictures the
// widgets show, the axes and every tick of rulers drawn in each direction have ink at their
// device position, and one-pixel ticks are equally wide.
#include "platform/qt/QtControl.h"
#include "support/DenseScreens.h"
#include "support/QtSurfaceRig.h"
#include "surface/MMCoord.h"
#include "surface/MMRuler.h"
#include "surface/MMSurface.h"

#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int Side = 30; // thickness of the rulers

// The first device pixel of pixel P, where a box's edge at P falls.
int DeviceEdge(int P, qreal Ratio) {
    return static_cast<int>(std::floor(P * Ratio + 0.5));
}

bool Black(const QImage& I, int X, int Y) {
    return I.valid(X, Y) && I.pixelColor(X, Y) == QColor(Qt::black);
}

// A run of black device pixels along a line of a picture.
struct TRun {
    int First;
    int Length;
};

std::vector<TRun> BlackRuns(const QImage& I, bool AlongY, int Across, int From, int To) {
    std::vector<TRun> Runs;
    for (int At = From; At < To; ++At) {
        const bool Ink = AlongY ? Black(I, Across, At) : Black(I, At, Across);
        if (!Ink)
            continue;
        if (!Runs.empty() && Runs.back().First + Runs.back().Length == At)
            ++Runs.back().Length;
        else
            Runs.push_back(TRun{At, 1});
    }
    return Runs;
}

struct TRulerCase {
    const char* Name;
    TRulerOrientation Orientation;
    TScalaOrientation Scala;
    QRect Geometry; // within the window
};

// Around a drawing area: ticks grow down, up, right and left.
const TRulerCase Rulers[] = {
    {"below, ticks down", TRulerOrientation::roHorizontal, TScalaOrientation::soTopLeft,
     QRect(Side, 330, 360, Side)},
    {"above, ticks up", TRulerOrientation::roHorizontal, TScalaOrientation::soBottomRight,
     QRect(Side, 0, 360, Side)},
    {"right, ticks right", TRulerOrientation::roVertical, TScalaOrientation::soTopLeft,
     QRect(390, Side, Side, 300)},
    {"left, ticks left", TRulerOrientation::roVertical, TScalaOrientation::soBottomRight,
     QRect(0, Side, Side, 300)},
};

class QtRulersOnDenseScreen : public ::testing::TestWithParam<qreal> {
protected:
    QtRulersOnDenseScreen() {
        Window.resize(WindowSize);
        Area->setGeometry(Side, Side, 360, 300);
        for (const TRulerCase& C : Rulers) {
            auto* Panel = new QWidget(&Window);
            Panel->setGeometry(C.Geometry);
            Panels.push_back(Panel);
        }
        Window.show();
        Surface->SetControl(&AreaControl);
        Axes.SetMMSurface(Surface.get());
        for (std::size_t I = 0; I < Panels.size(); ++I) {
            Controls.push_back(std::make_unique<TQtControl>(Panels[I]));
            auto R = std::make_unique<TMMRuler>();
            R->SetControl(Controls.back().get());
            R->SetRulerOrientation(Rulers[I].Orientation);
            R->SetScalaOrientation(Rulers[I].Scala);
            R->SetMMSurface(Surface.get());
            Scales.push_back(std::move(R));
        }
    }
    ~QtRulersOnDenseScreen() override {
        Scales.clear();
        Surface.reset();
    }

    // The pixels along a ruler where its surface's ticks fall, as the ruler places them: majors
    // at every multiple of the increment, nine minors between.
    std::vector<int> TickPixels(const TRulerCase& C, QWidget* Panel) const {
        const bool Vertical = C.Orientation == TRulerOrientation::roVertical;
        const QPoint Offset = Area->mapToGlobal(QPoint(0, 0)) - Panel->mapToGlobal(QPoint(0, 0));
        const int Inc = Vertical ? Surface->VertScalaIncrement() : Surface->HorizScalaIncrement();
        const double Min = Vertical ? Surface->YMin() : Surface->XMin();
        const double Max = Vertical ? Surface->YMax() : Surface->XMax();
        std::vector<int> Pixels;
        for (long V = static_cast<long>(std::floor(Min / Inc)) * Inc - Inc; V <= Max + Inc;
             V += Inc)
            for (int J = 0; J <= 9; ++J) {
                const double W = V + Inc * J / 10.0;
                Pixels.push_back(Vertical ? Surface->MMToPixelY(W, true) + Offset.y()
                                          : Surface->MMToPixelX(W, true) + Offset.x());
            }
        return Pixels;
    }

    void ExpectAxesInked(qreal Ratio) {
        const QImage Picture = Area->grab().toImage();
        ASSERT_EQ(Picture.width(), DeviceEdge(Area->width(), Ratio));
        const int X0 = Surface->MMToPixelX(0, true);
        const int Y0 = Surface->MMToPixelY(0, true);
        // Away from the arrow heads and labels at the ends.
        for (int Y = 40; Y < Area->height() - 1; Y += 7)
            EXPECT_TRUE(Black(Picture, DeviceEdge(X0, Ratio), DeviceEdge(Y, Ratio)))
                << "y axis at row " << Y;
        for (int X = 0; X < Area->width() - 60; X += 7)
            EXPECT_TRUE(Black(Picture, DeviceEdge(X, Ratio), DeviceEdge(Y0, Ratio)))
                << "x axis at column " << X;
        // Across each axis, one line of device pixels as wide as the other.
        const std::vector<TRun> AcrossY = BlackRuns(Picture, false, DeviceEdge(Y0 + 40, Ratio), 0,
                                                    DeviceEdge(Area->width() - 60, Ratio));
        const std::vector<TRun> AcrossX = BlackRuns(Picture, true, DeviceEdge(X0 - 40, Ratio),
                                                    DeviceEdge(40, Ratio), Picture.height());
        ASSERT_EQ(AcrossY.size(), 1u);
        ASSERT_EQ(AcrossX.size(), 1u);
        EXPECT_EQ(AcrossY[0].First, DeviceEdge(X0, Ratio));
        EXPECT_EQ(AcrossX[0].First, DeviceEdge(Y0, Ratio));
        EXPECT_EQ(AcrossY[0].Length, AcrossX[0].Length);
    }

    // Along the ruler one pixel in from the edge the ticks grow from, where only ticks reach:
    // a run of ink at every tick, all runs equally wide.
    void ExpectTicksInked(std::size_t I, qreal Ratio) {
        const TRulerCase& C = Rulers[I];
        SCOPED_TRACE(C.Name);
        QWidget* Panel = Panels[I];
        const QImage Picture = Panel->grab().toImage();
        const bool Vertical = C.Orientation == TRulerOrientation::roVertical;
        const int Length = Vertical ? Panel->height() : Panel->width();
        const int Depth = C.Scala == TScalaOrientation::soTopLeft ? 1 : Side - 2;
        std::set<int> Expected;
        for (int P : TickPixels(C, Panel))
            if (P >= 2 && P < Length - 2)
                Expected.insert(DeviceEdge(P, Ratio));
        ASSERT_GT(Expected.size(), 20u);
        std::vector<TRun> Runs;
        for (const TRun& R : BlackRuns(Picture, Vertical, DeviceEdge(Depth, Ratio), 0,
                                       Vertical ? Picture.height() : Picture.width()))
            if (R.First >= DeviceEdge(2, Ratio) && R.First < DeviceEdge(Length - 2, Ratio))
                Runs.push_back(R);
        std::set<int> Found;
        for (const TRun& R : Runs) {
            Found.insert(R.First);
            EXPECT_EQ(R.Length, Runs.front().Length) << "tick at device pixel " << R.First;
        }
        EXPECT_EQ(Found, Expected);
        ASSERT_FALSE(Runs.empty());
        EXPECT_GE(Runs.front().Length, 1);
        EXPECT_LE(Runs.front().Length, std::ceil(Ratio));
    }

    const QSize WindowSize{420, 360};
    QApplication& App = QtTestApp();
    TInstalledQtPlatform Platform;
    QWidget Window;
    QWidget* Area = new QWidget(&Window); // owned by the window
    std::vector<QWidget*> Panels;         // owned by the window
    TQtControl AreaControl{Area};
    std::vector<std::unique_ptr<TQtControl>> Controls;
    std::unique_ptr<TMMSurface> Surface = std::make_unique<TMMSurface>();
    TMMCoord Axes;
    std::vector<std::unique_ptr<TMMRuler>> Scales;
};

TEST_P(QtRulersOnDenseScreen, AxesAndEveryTickHaveInkAndTicksAreEquallyWide) {
    MoveToScreen(Window,
                 GetParam() == 1 ? QGuiApplication::primaryScreen() : ScreenOfRatio(GetParam()),
                 WindowSize);
    // The window's ratio may differ from its screen's in the last digits.
    const qreal Ratio = Area->devicePixelRatioF();
    ASSERT_NEAR(Ratio, GetParam(), 1e-4);
    // Views with the origin inside, each at another scale and phase of the pixels.
    const TMMRect Views[] = {MMRect(-35, 35, 35, -35), MMRect(-61.3, 47.9, 83.1, -52.7),
                             MMRect(-40.3, 160.4, 250.2, -52.1)};
    for (const TMMRect& View : Views) {
        SCOPED_TRACE(std::to_string(View.Left) + " .. " + std::to_string(View.Right));
        Surface->SetMMRect(View);
        ExpectAxesInked(Ratio);
        for (std::size_t I = 0; I < Panels.size(); ++I)
            ExpectTicksInked(I, Ratio);
    }
}

INSTANTIATE_TEST_SUITE_P(Ratios, QtRulersOnDenseScreen,
                         ::testing::Values(1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0));

} // namespace
