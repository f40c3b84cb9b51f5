// The main window's drawing area and rulers after the window is resized: every pixel shows what
// the surface and the rulers drew, never a widget's own background.
#include "MainWindowRig.h"
#include "gear/uGearLimits.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QSizeGrip>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

// No drawing of the surface or the rulers uses it: where it shows, nothing of theirs was drawn.
const QColor Unpainted(255, 0, 255);

struct TResizeCase {
    const char* Name;
    std::vector<QSize> Sizes; // the window's sizes, one after the other, from 803 x 621
};

const TResizeCase ResizeCases[] = {
    {"taller, back, then wider", {{803, 900}, {803, 621}, {1400, 621}}},
    {"taller", {{803, 900}}},
    {"wider", {{1400, 621}}},
    {"smaller", {{640, 480}}},
    {"shorter, then taller", {{803, 450}, {803, 800}}},
    {"narrower, then wider", {{500, 621}, {1200, 621}}},
    {"larger, smaller, larger", {{1400, 900}, {640, 480}, {1100, 800}}},
};

class FormMainResize : public ::testing::TestWithParam<TResizeCase>, public TQtMainWindowRig {
protected:
    FormMainResize() {
        for (QWidget* W : {Form->DrawArea(), Ruler("Ruler1Panel"), Ruler("Ruler4Panel")}) {
            QPalette P = W->palette();
            P.setColor(QPalette::Window, Unpainted);
            W->setPalette(P);
        }
        Settings.Prefs().SetValue("Program", "StartMaximized", false);
        Form->show();
        Form->OpenFile(KOPLAR_TEST_DATA_DIR "/files/four-bar.kxw");
    }

    QWidget* Ruler(const char* Name) const {
        return Form->findChild<QWidget*>(QString::fromLatin1(Name));
    }

    void ResizeTo(QSize Size) {
        Form->resize(Size);
        QApplication::processEvents();
    }

    static int UnpaintedPixels(const QImage& Shown) {
        int Count = 0;
        for (int Y = 0; Y < Shown.height(); ++Y)
            for (int X = 0; X < Shown.width(); ++X)
                Count += Shown.pixelColor(X, Y) == Unpainted;
        return Count;
    }
    // The pixels of W that the window shows and W did not draw: the window's own picture, as a
    // grab paints W anew.
    int UnpaintedOnScreen(QWidget* W) const {
        const QPoint At = W->mapTo(Form.get(), QPoint());
        const QImage Shown =
            Form->screen()
                ->grabWindow(Form->winId(), At.x(), At.y(), W->width(), W->height())
                .toImage();
        EXPECT_EQ(Shown.size(), W->size());
        return UnpaintedPixels(Shown);
    }
};

TEST_P(FormMainResize, EveryPixelOfTheDrawingAreaAndTheRulersIsDrawn) {
    ASSERT_EQ(Form->size(), QSize(803, 621));
    for (const QSize& Size : GetParam().Sizes) {
        SCOPED_TRACE(std::to_string(Size.width()) + " x " + std::to_string(Size.height()));
        ResizeTo(Size);
        ASSERT_EQ(Form->size(), Size.expandedTo(Form->minimumSize()));
        EXPECT_EQ(Form->MMSurface1().Buffer().Width(), Form->DrawArea()->width());
        EXPECT_EQ(Form->MMSurface1().Buffer().Height(), Form->DrawArea()->height());
        EXPECT_EQ(UnpaintedOnScreen(Form->DrawArea()), 0);
        EXPECT_EQ(UnpaintedOnScreen(Ruler("Ruler1Panel")), 0);
        EXPECT_EQ(UnpaintedOnScreen(Ruler("Ruler4Panel")), 0);
        EXPECT_EQ(UnpaintedPixels(Form->DrawArea()->grab().toImage()), 0);
    }
    // A zoom after the resizes is drawn all over as well.
    Form->Action("aZoomIn")->trigger();
    QApplication::processEvents();
    EXPECT_EQ(UnpaintedOnScreen(Form->DrawArea()), 0);
}

// However small the window is made, the right-hand tool bar's buttons stand apart, each whole.
TEST_F(FormMainResize, TheRightToolBarsButtonsNeverOverlap) {
    ResizeTo(QSize(100, 100));
    const auto* Bar = Form->findChild<QToolBar*>(QStringLiteral("tbRight"));
    ASSERT_NE(Bar, nullptr);
    std::vector<QRect> Buttons;
    for (const QToolButton* B : Bar->findChildren<QToolButton*>())
        if (B->defaultAction() && B->isVisible())
            Buttons.push_back(QRect(B->mapTo(Form.get(), QPoint()), B->size()));
    ASSERT_EQ(Buttons.size(), 12u);
    const QRect Shown(Bar->mapTo(Form.get(), QPoint()), Bar->size());
    for (std::size_t I = 0; I < Buttons.size(); ++I) {
        EXPECT_TRUE(Shown.contains(Buttons[I])) << I;
        for (std::size_t J = I + 1; J < Buttons.size(); ++J)
            EXPECT_FALSE(Buttons[I].intersects(Buttons[J])) << I << " and " << J;
    }
}

// At its smallest the window still shows each status panel whole beside the others, the mode text
// whole in edit mode, in animation mode and at the highest gear position, and a drawing area to
// work in; the designed size lies above that smallest one, and no resize goes below it.
TEST_F(FormMainResize, AtItsSmallestNoStatusPanelIsCutOrCovered) {
    const int DesignedWidths[] = {20, 150, 180, 180};
    const QString WidestMode = QStringLiteral("Getriebestellung %1").arg(MaxIntervals);
    for (const QSize& Asked : {QSize(500, 380), QSize(100, 100), QSize(0, 0)}) {
        SCOPED_TRACE(std::to_string(Asked.width()) + " x " + std::to_string(Asked.height()));
        ResizeTo(Asked);
        EXPECT_EQ(Form->size(), Form->minimumSize());
        EXPECT_LE(Form->width(), 803);
        EXPECT_LE(Form->height(), 621);
        EXPECT_GE(Form->DrawArea()->width(), 200);
        EXPECT_GE(Form->DrawArea()->height(), 200);
        const QStatusBar* Bar = Form->statusBar();
        std::vector<QRect> Taken;
        for (int I = 0; I < TFormMain::StatusPanelCount; ++I) {
            const QLabel* Panel = Form->StatusPanel(I);
            Taken.push_back(Panel->geometry());
            EXPECT_TRUE(Bar->rect().contains(Panel->geometry())) << I;
            if (I < 4) {
                EXPECT_GE(Panel->width(), DesignedWidths[I]) << I;
            }
        }
        for (const QSizeGrip* Grip : Bar->findChildren<QSizeGrip*>())
            if (Grip->isVisible())
                Taken.push_back(Grip->geometry());
        for (std::size_t I = 0; I < Taken.size(); ++I)
            for (std::size_t J = I + 1; J < Taken.size(); ++J)
                EXPECT_FALSE(Taken[I].intersects(Taken[J])) << I << " and " << J;
        const QLabel* Mode = Form->StatusPanel(4);
        EXPECT_EQ(Mode->text().toStdString(), "Editiermodus");
        EXPECT_LE(Mode->fontMetrics().horizontalAdvance(Mode->text()),
                  Mode->contentsRect().width());
        EXPECT_LE(Mode->fontMetrics().horizontalAdvance(WidestMode), Mode->contentsRect().width());
        Form->Action("aAnimate")->trigger();
        QApplication::processEvents();
        EXPECT_EQ(Mode->text().toStdString(), "Getriebestellung 1");
        EXPECT_LE(Mode->fontMetrics().horizontalAdvance(Mode->text()),
                  Mode->contentsRect().width());
        Form->Action("aEdit")->trigger();
        QApplication::processEvents();
    }
}

INSTANTIATE_TEST_SUITE_P(Sequences, FormMainResize, ::testing::ValuesIn(ResizeCases),
                         [](const auto& Info) {
                             std::string Name;
                             for (const char* C = Info.param.Name; *C; ++C)
                                 Name += std::isalnum(static_cast<unsigned char>(*C)) ? *C : '_';
                             return Name;
                         });

} // namespace
