// The control over a real QWidget, offscreen: mouse, size and paint events reach the surface as
// messages, and what the surface paints is what the widget shows.
#include "platform/qt/QtControl.h"
#include "platform/qt/QtBitmap.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtPixelWrites.h"
#include "support/DenseScreens.h"
#include "support/QtSurfaceRig.h"
#include "surface/MMSurface.h"

#include <QBackingStore>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegion>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// Logs what reaches its own handlers.
class TLoggingWidget : public QWidget {
public:
    std::vector<std::string> Log;

protected:
    void mousePressEvent(QMouseEvent*) override { Log.push_back("press"); }
    void mouseReleaseEvent(QMouseEvent*) override { Log.push_back("release"); }
    void mouseDoubleClickEvent(QMouseEvent*) override { Log.push_back("double"); }
};

// A filled square of 11 x 11 pixels around a world point.
class TSquareItem : public TMMGraphicItem {
public:
    TMMPoint At{50, 50};
    TColor Color = clRed;
    void Paint() override {
        if (!Visible() || !MMSurface() || !MMSurface()->GetCanvas())
            return;
        TCanvas& C = *MMSurface()->GetCanvas();
        const TPoint P = MMSurface()->MMToPixel(At, true);
        C.Brush().Color = Color;
        C.FillRect(Rect(P.X - 5, P.Y - 5, P.X + 6, P.Y + 6));
    }
};

class QtControl : public ::testing::Test, protected TQtSurfaceRig<TLoggingWidget> {
protected:
    QtControl() : TQtSurfaceRig(100, 100, MMRect(0, 100, 100, 0), false) {
        Item.SetVisible(true);
        Item.SetMMSurface(Surface.get());
    }
    ~QtControl() override {
        // The surface first: it lets go of the item without repainting, so no handler of a
        // finished test runs.
        Surface.reset();
    }

    void Send(QEvent::Type Type, QPoint P, Qt::MouseButton Button, Qt::MouseButtons Buttons,
              Qt::KeyboardModifiers Mods = Qt::NoModifier) {
        QMouseEvent E(Type, QPointF(P), Widget.mapToGlobal(QPointF(P)), Button, Buttons, Mods);
        QApplication::sendEvent(&Widget, &E);
    }
    QColor Shown(int X, int Y) { return Widget.grab().toImage().pixelColor(X, Y); }

    TSquareItem Item;
};

TEST_F(QtControl, ALeftPressReachesOnMouseDownInMillimetresBeforeTheWidget) {
    std::vector<std::string> Seen;
    Surface->OnMouseDown = [&](TObject* S, TMouseButton B, TShiftState Shift, int X, int Y,
                               double MMX, double MMY) {
        EXPECT_EQ(S, Surface.get());
        EXPECT_EQ(B, TMouseButton::mbLeft);
        EXPECT_TRUE(Shift.Contains(TShiftState::ssLeft));
        EXPECT_TRUE(Shift.Contains(TShiftState::ssCtrl));
        EXPECT_FALSE(Shift.Contains(TShiftState::ssShift));
        EXPECT_EQ(X, 10);
        EXPECT_EQ(Y, 20);
        EXPECT_DOUBLE_EQ(MMX, 10.0);
        EXPECT_DOUBLE_EQ(MMY, 80.0);
        EXPECT_TRUE(Widget.Log.empty());
        Seen.push_back("down");
    };
    // Through the window, as the window system delivers it.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Widget));
    QTest::mousePress(Widget.windowHandle(), Qt::LeftButton, Qt::ControlModifier, QPoint(10, 20));
    EXPECT_EQ(Seen, std::vector<std::string>{"down"});
    EXPECT_EQ(Widget.Log, std::vector<std::string>{"press"});
    Surface->OnMouseDown = nullptr;
    QTest::mouseRelease(Widget.windowHandle(), Qt::LeftButton, Qt::ControlModifier, QPoint(10, 20));
}

TEST_F(QtControl, ButtonsMovesAndDoubleClicksMapToTheirMessages) {
    std::vector<std::string> Seen;
    auto Button = [&](const char* What) {
        return [&, What](TObject*, TMouseButton B, TShiftState, int, int, double, double) {
            Seen.push_back(std::string(What) + std::to_string(static_cast<int>(B)));
        };
    };
    Surface->OnMouseDown = Button("down");
    Surface->OnMouseUp = Button("up");
    Surface->OnMouseMove = [&](TObject*, TShiftState S, int X, int Y, double, double) {
        Seen.push_back("move" + std::to_string(X) + "," + std::to_string(Y) +
                       (S.Contains(TShiftState::ssRight) ? "R" : ""));
    };
    EXPECT_TRUE(Widget.hasMouseTracking());
    Send(QEvent::MouseMove, QPoint(-3, 150), Qt::NoButton, Qt::NoButton);
    Send(QEvent::MouseButtonPress, QPoint(5, 5), Qt::RightButton, Qt::RightButton);
    Send(QEvent::MouseMove, QPoint(6, 5), Qt::NoButton, Qt::RightButton);
    Send(QEvent::MouseButtonRelease, QPoint(6, 5), Qt::RightButton, Qt::NoButton);
    Send(QEvent::MouseButtonPress, QPoint(5, 5), Qt::MiddleButton, Qt::MiddleButton);
    Send(QEvent::MouseButtonRelease, QPoint(5, 5), Qt::MiddleButton, Qt::NoButton);
    EXPECT_EQ(Seen,
              (std::vector<std::string>{"move-3,150", "down1", "move6,5R", "up1", "down2", "up2"}));
    // A double click through the window: Qt turns the second press into a double click.
    Seen.clear();
    Widget.Log.clear();
    Surface->OnMouseMove = nullptr; // the window first sees the pointer arrive
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Widget));
    QTest::mouseDClick(Widget.windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(Seen, (std::vector<std::string>{"down0", "up0", "up0"}));
    EXPECT_EQ(Widget.Log, (std::vector<std::string>{"press", "release", "double", "release"}));
}

TEST_F(QtControl, TheWidgetShowsTheItemsAtTheirMappedPixels) {
    EXPECT_EQ(Shown(50, 50), QColor(Qt::red));
    EXPECT_EQ(Shown(45, 45), QColor(Qt::red));
    EXPECT_EQ(Shown(44, 50), QColor(Qt::white));
    Item.At = MMPoint(20, 80); // pixel (20, 20)
    Item.Changed();
    EXPECT_EQ(Shown(20, 20), QColor(Qt::red));
    EXPECT_EQ(Shown(50, 50), QColor(Qt::white));
}

TEST_F(QtControl, APaintEventNotAskedForByTheSurfaceIsAPaintMessage) {
    Widget.grab(); // shows what the surface presented
    int Paints = 0;
    Surface->OnPaint = [&](TObject*) { ++Paints; };
    EXPECT_EQ(Shown(50, 50), QColor(Qt::red));
    EXPECT_EQ(Paints, 2); // once after the repaint, once for the message
    Item.Color = clBlue;
    Item.Changed(); // repaints and presents: the paint event only shows the picture
    EXPECT_EQ(Paints, 3);
    EXPECT_EQ(Shown(50, 50), QColor(Qt::blue));
    EXPECT_EQ(Paints, 3);
}

TEST_F(QtControl, APaintEventWhoseRepaintThrowsLeavesTheControlPresenting) {
    Widget.grab();
    Surface->OnPaint = [](TObject*) { throw std::runtime_error("paint failed"); };
    QPaintEvent Event(Widget.rect());
    {
        TCaughtExceptions Caught;
        QApplication::sendEvent(&Widget, &Event);
        EXPECT_EQ(Caught.Messages, std::vector<std::string>{"paint failed"});
    }
    int Paints = 0;
    Surface->OnPaint = [&](TObject*) { ++Paints; };
    Item.Color = clBlue;
    Item.Changed();
    EXPECT_EQ(Paints, 1);
    // The new picture was asked to be shown: no paint message is needed for it.
    EXPECT_EQ(Shown(50, 50), QColor(Qt::blue));
    EXPECT_EQ(Paints, 1);
}

TEST_F(QtControl, AResizeUpdatesTheView) {
    int Resized = 0;
    Surface->OnResize = [&](TObject*) { ++Resized; };
    Widget.resize(200, 100);
    EXPECT_GE(Resized, 1);
    EXPECT_EQ(Surface->Buffer().Width(), 200);
    EXPECT_DOUBLE_EQ(Surface->ScaleX(), 2.0);
    EXPECT_EQ(Shown(100, 50), QColor(Qt::red));
    EXPECT_EQ(Shown(199, 99), QColor(Qt::white));
}

TEST_F(QtControl, DuringABatchThePaintEventShowsTheLastPicture) {
    EXPECT_EQ(Shown(50, 50), QColor(Qt::red));
    Surface->BeginUpdate();
    Item.Color = clBlue;
    Item.Changed();
    int Paints = 0;
    Surface->OnPaint = [&](TObject*) { ++Paints; };
    const QImage Picture = Widget.grab().toImage();
    EXPECT_EQ(Picture.pixelColor(50, 50), QColor(Qt::red));
    EXPECT_EQ(Picture.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(Paints, 1); // the paint event's own, no repaint
    Surface->EndUpdate();
    EXPECT_EQ(Shown(50, 50), QColor(Qt::blue));
}

TEST_F(QtControl, DrawingIntoTheBufferLeavesThePresentedPictureAlone) {
    EXPECT_EQ(Shown(50, 50), QColor(Qt::red));
    TCanvas& Buffer = *Surface->GetCanvas();
    Buffer.Brush().Color = clBlue;
    Buffer.FillRect(Rect(0, 0, 100, 100));
    EXPECT_EQ(Control->Picture().pixelColor(50, 50), QColor(Qt::red));
}

TEST_F(QtControl, DrawingOnTheControlCanvasShowsOnTopOfThePicture) {
    EXPECT_EQ(Shown(50, 50), QColor(Qt::red));
    TCanvas& Screen = *Surface->GetControlCanvas();
    Screen.Pen().Color = clBlue;
    Screen.MoveTo(0, 10);
    Screen.LineTo(100, 10);
    TQtBitmap Small(4, 4);
    Small.Canvas().Brush().Color = clGreen;
    Small.Canvas().FillRect(Rect(0, 0, 4, 4));
    Screen.Draw(0, 0, Small);
    const QImage Picture = Widget.grab().toImage();
    EXPECT_EQ(Picture.pixelColor(1, 1), QColor(Qt::darkGreen));
    EXPECT_EQ(Picture.pixelColor(60, 10), QColor(Qt::blue));
    EXPECT_EQ(Picture.pixelColor(50, 50), QColor(Qt::red)); // the rest stays
    // The back buffer knows nothing of it.
    EXPECT_EQ(static_cast<TQtBitmap&>(Surface->Buffer()).Image().pixelColor(60, 10),
              QColor(Qt::white));
}

TEST_F(QtControl, PresentingSharesThePictureAndTheNextRepaintDrawsOnTheOneBefore) {
    auto Buffer = [this] { return static_cast<TQtBitmap&>(Surface->Buffer()).Image().constBits(); };
    auto Presented = [this] { return std::as_const(Control->Picture()).constBits(); };
    Item.Changed();
    const uchar* First = Buffer();
    EXPECT_EQ(Presented(), First); // shared, not copied
    Item.Color = clBlue;
    Item.Changed();
    const uchar* Second = Buffer();
    EXPECT_NE(Second, First); // the shown picture stayed as it was while the next was drawn
    EXPECT_EQ(Presented(), Second);
    Item.Color = clGreen;
    Item.Changed();
    EXPECT_EQ(Buffer(), First); // no longer shown: drawn on again instead of a new one
    EXPECT_EQ(Presented(), First);
    EXPECT_EQ(Shown(50, 50), QColor(Qt::darkGreen));
    EXPECT_EQ(Shown(0, 0), QColor(Qt::white));
}

// Records the regions of the widget's paint events before the control handles them.
class TPaintRegions : public QObject {
public:
    std::vector<QRegion> Regions;

protected:
    bool eventFilter(QObject*, QEvent* Event) override {
        if (Event->type() == QEvent::Paint)
            Regions.push_back(static_cast<QPaintEvent*>(Event)->region());
        return false;
    }
};

TEST_F(QtControl, APresentShowsOnlyWhatChangedAndTheScreenHoldsEachPicture) {
    QApplication::processEvents();
    TPaintRegions Paints;
    Widget.installEventFilter(&Paints); // asked before the control
    auto OnScreen = [this] {
        QApplication::processEvents();
        const auto* Store = dynamic_cast<QImage*>(Widget.backingStore()->paintDevice());
        return Store ? Store->copy(Widget.rect()) : QImage();
    };
    auto Buffer = [this] { return static_cast<TQtBitmap&>(Surface->Buffer()).Image(); };
    struct TStep {
        TMMPoint At;
        TColor Color;
        TColor Background;
        bool Band; // drawn on the screen, over the picture
        bool Partial;
    };
    const TStep Steps[] = {
        {{20, 20}, clRed, clWhite, false, true},   {{70, 60}, clRed, clWhite, false, true},
        {{70, 60}, clBlue, clWhite, false, true},  {{70, 60}, clBlue, clYellow, false, false},
        {{30, 40}, clBlue, clYellow, false, true}, {{30, 40}, clRed, clWhite, false, false},
        {{50, 80}, clRed, clWhite, true, false},   {{52, 80}, clRed, clWhite, false, true},
    };
    for (const TStep& S : Steps) {
        Item.At = S.At;
        Item.Color = S.Color;
        Surface->SetBackGroundColor(S.Background);
        if (S.Band) {
            TCanvas& Screen = *Surface->GetControlCanvas();
            Screen.Pen().Color = clGreen;
            Screen.MoveTo(0, 5);
            Screen.LineTo(100, 95);
            OnScreen();
        }
        Paints.Regions.clear();
        Item.Changed();
        const QImage Shown = OnScreen();
        ASSERT_FALSE(Shown.isNull());
        EXPECT_EQ(Shown.convertToFormat(QImage::Format_RGB32), Buffer());
        // Nothing of the pictures before is left in the buffer either.
        QImage Expected(100, 100, QImage::Format_RGB32);
        Expected.fill(TQtCanvas::ToQColor(S.Background));
        const TPoint P = Surface->MMToPixel(S.At, true);
        QPainter(&Expected).fillRect(P.X - 5, P.Y - 5, 11, 11, TQtCanvas::ToQColor(S.Color));
        EXPECT_EQ(Buffer(), Expected);
        ASSERT_EQ(Paints.Regions.size(), 1u);
        EXPECT_EQ(Paints.Regions[0].boundingRect() != Widget.rect(), S.Partial)
            << Paints.Regions[0].boundingRect().width();
    }
    Widget.removeEventFilter(&Paints);
}

TEST_F(QtControl, ExposesDuringABatchShowTheLastPictureWithTheBandOnTop) {
    // A band above everything, as the part creator draws one.
    TSquareItem Band;
    Band.At = MMPoint(55, 50);
    Band.Color = clGreen;
    Band.SetOrder(std::numeric_limits<int>::max());
    Band.SetVisible(true);
    Band.SetMMSurface(Surface.get());
    for (TColor C : {clBlue, clRed, clBlue}) {
        Item.Color = C;
        Item.Changed();
    }
    Surface->BeginUpdate();
    Item.Color = clRed;
    Item.Changed();
    Band.At = MMPoint(10, 10);
    Band.Changed();
    // An expose of a part, then of all, while the batch is open.
    QImage Part(40, 40, QImage::Format_RGB32);
    Part.fill(Qt::black);
    Widget.render(&Part, QPoint(), QRegion(40, 40, 20, 20)); // its corner goes to (0, 0)
    EXPECT_EQ(Part.pixelColor(6, 10), QColor(Qt::blue));
    EXPECT_EQ(Part.pixelColor(18, 10), QColor(Qt::darkGreen));
    EXPECT_EQ(Part.pixelColor(30, 30), QColor(Qt::black)); // beyond the exposed part
    EXPECT_EQ(Shown(46, 50), QColor(Qt::blue));
    EXPECT_EQ(Shown(58, 50), QColor(Qt::darkGreen));
    Surface->EndUpdate();
    const QImage After = Widget.grab().toImage();
    EXPECT_EQ(After.pixelColor(46, 50), QColor(Qt::red));
    EXPECT_EQ(After.pixelColor(58, 50), QColor(Qt::white));
    EXPECT_EQ(After.pixelColor(10, 90), QColor(Qt::darkGreen));
    Band.SetMMSurface(nullptr);
}

TEST_F(QtControl, AWidgetFreedFirstLeavesAnEmptyControl) {
    auto* Child = new QWidget;
    Child->resize(30, 40);
    TQtControl C(Child);
    EXPECT_EQ(C.ClientRect(), Rect(0, 0, 30, 40));
    Surface->SetControl(&C);
    delete Child;
    EXPECT_EQ(C.ClientRect(), TRect{});
    EXPECT_NO_THROW(Surface->Update());
    EXPECT_EQ(Surface->Buffer().Width(), 0);
    Surface->SetControl(nullptr);
}

TEST_F(QtControl, AControlFreedFirstUnhooksTheSurface) {
    Control.reset();
    EXPECT_EQ(Surface->Control(), nullptr);
    // The widget goes on without the surface.
    Send(QEvent::MouseButtonPress, QPoint(1, 1), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(Widget.Log, std::vector<std::string>{"press"});
    EXPECT_FALSE(Widget.grab().isNull());
}

} // namespace

namespace {

TEST_F(QtControl, AHandlerMayFreeTheWidgetItWasCalledFrom) {
    auto* Doomed = new TLoggingWidget;
    Doomed->resize(50, 50);
    TQtControl C(Doomed);
    TMMSurface S;
    S.SetControl(&C);
    S.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int, double, double) {
        delete Doomed;
    };
    QMouseEvent E(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Doomed, &E);
    EXPECT_EQ(C.Widget(), nullptr);
    EXPECT_EQ(S.GetPixelWidth(), 0);
}

} // namespace

namespace {

// On a screen of higher density the buffer and the shown picture have its device pixels, while
// sizes, positions and millimetres stay in pixels; back on the plain screen all is as before.
class QtControlOnDenseScreen : public QtControl, public ::testing::WithParamInterface<qreal> {};

TEST_P(QtControlOnDenseScreen, DrawsAtItsRatioAndCountsInPixels) {
    const qreal Ratio = GetParam();
    MoveToScreen(Widget, ScreenOfRatio(Ratio), QSize(100, 100));
    ASSERT_EQ(Widget.devicePixelRatioF(), Ratio);
    Widget.grab(); // the paint event that notices the new ratio
    auto& Buffer = dynamic_cast<TQtBitmap&>(Surface->Buffer());
    EXPECT_EQ(Buffer.PixelRatio(), Ratio);
    EXPECT_EQ(Buffer.Width(), 100);
    EXPECT_EQ(Buffer.Image().size(), QtPixelWrites::DeviceSize(QSize(100, 100), Ratio));
    EXPECT_EQ(Surface->GetPixelWidth(), 100);

    // The square's edges fall on device pixels: no pixel of it is scaled up.
    const QImage Picture = Widget.grab().toImage();
    ASSERT_EQ(Picture.devicePixelRatio(), Ratio);
    const QRect Square = QtPixelWrites::TDeviceGrid(Ratio).Fill(QRect(45, 45, 11, 11));
    EXPECT_EQ(Picture.pixelColor(Square.topLeft()), QColor(Qt::red));
    EXPECT_EQ(Picture.pixelColor(Square.bottomRight()), QColor(Qt::red));
    EXPECT_EQ(Picture.pixelColor(Square.topLeft() - QPoint(1, 0)), QColor(Qt::white));
    EXPECT_EQ(Picture.pixelColor(Square.bottomRight() + QPoint(0, 1)), QColor(Qt::white));

    // A position between pixels lies in the pixel it has reached.
    std::vector<std::string> Seen;
    Surface->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y, double MMX,
                               double MMY) {
        Seen.push_back(std::to_string(X) + "," + std::to_string(Y) + " " + std::to_string(MMX) +
                       "," + std::to_string(MMY));
    };
    QMouseEvent Press(QEvent::MouseButtonPress, QPointF(10.5, 20.5),
                      Widget.mapToGlobal(QPointF(10.5, 20.5)), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(&Widget, &Press);
    EXPECT_EQ(Seen, std::vector<std::string>{"10,20 10.000000,80.000000"});
    Surface->OnMouseDown = nullptr;

    MoveToScreen(Widget, QGuiApplication::primaryScreen(), QSize(100, 100));
    Widget.grab();
    EXPECT_EQ(Buffer.PixelRatio(), 1);
    EXPECT_EQ(Buffer.Image().size(), QSize(100, 100));
    EXPECT_EQ(Shown(45, 45), QColor(Qt::red));
    EXPECT_EQ(Shown(44, 50), QColor(Qt::white));
}

INSTANTIATE_TEST_SUITE_P(Ratios, QtControlOnDenseScreen, ::testing::Values(2.0, 1.5));

} // namespace
