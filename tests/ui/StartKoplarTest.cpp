// The start window: the layout rule as a table, the ways it closes, Escape, a missing picture,
// and its own pictures on screens of every ratio.
#include "support/DenseScreens.h"
#include "support/PixelHash.h"
#include "support/QtTestApp.h"
#include "ui/ModalSeam.h"
#include "ui/fmStartKoplar.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(StartKoplarLayout, PlacesThePictureByTheProportions) {
    const struct {
        const char* Name;
        QSize Client, Picture;
        std::optional<QRect> Background;
    } Cases[] = {
        {"wider window: full width, bottom aligned",
         {1000, 500},
         {800, 600},
         QRect(0, -250, 1000, 750)},
        {"taller window: full height, centred",
         {500, 1000},
         {800, 600},
         QRect(-416, 0, 1333, 1000)},
        {"same proportions", {400, 300}, {800, 600}, QRect(0, 0, 400, 300)},
        {"no window area", {0, 500}, {800, 600}, std::nullopt},
        {"no picture", {1000, 500}, {0, 0}, std::nullopt},
        {"picture without height", {1000, 500}, {800, 0}, std::nullopt},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        const TStartLayout L =
            StartKoplarLayout({C.Client, C.Picture, {281, 41}, {120, 19}, 71}, {200, 19});
        EXPECT_EQ(L.Background, C.Background);
    }
}

TEST(StartKoplarLayout, PutsTheTextsAndTheButtonInTheirPlaces) {
    const TStartLayout L =
        StartKoplarLayout({{1000, 500}, {800, 600}, {281, 41}, {120, 19}, 71}, {200, 19});
    EXPECT_EQ(L.Logo, QRect(40, 24, 206, 60));
    EXPECT_EQ(L.LineTop, QRect(40, 102, 920, 1));
    EXPECT_EQ(L.Fak.topLeft(), QPoint(40, 104));
    EXPECT_EQ(L.LineBottom, QRect(40, 125, 920, 1));
    EXPECT_EQ(L.Title, QRect(40, 160, 960, 71));
    EXPECT_EQ(L.GE.top(), 231);
    EXPECT_EQ(L.Button, QRect(1000 - 281 - 24, 500 - 41 - 24, 281, 41));
    EXPECT_GT(L.Inst.left(), L.Fak.right()); // side by side between the lines
    EXPECT_EQ(L.Inst.top(), L.Fak.top());
}

class StartKoplar : public ::testing::Test {
protected:
    QApplication& App = QtTestApp();
    QImage Picture{800, 600, QImage::Format_RGB888};
};

TEST_F(StartKoplar, TheCloseBoxCancelsWithStartedSet) {
    TScopedModalRunner CloseBox([](QDialog& D) {
        D.show();
        EXPECT_FALSE(static_cast<TFormStartKoplar&>(D).Started());
        D.close();
        return D.result();
    });
    const bool Ends = StartWindowEndsProgram(nullptr);
    EXPECT_TRUE(Ends);
}

TEST_F(StartKoplar, TheStartButtonAnswersOk) {
    TScopedModalRunner StartButton([](QDialog& D) {
        auto& Form = static_cast<TFormStartKoplar&>(D);
        D.show();
        QTest::mouseClick(Form.btnStartKoplar(), Qt::LeftButton);
        EXPECT_TRUE(Form.Started());
        EXPECT_FALSE(D.isVisible());
        return D.result();
    });
    const bool Ends = StartWindowEndsProgram(nullptr);
    EXPECT_FALSE(Ends);
}

TEST_F(StartKoplar, EscapeDoesNothing) {
    TFormStartKoplar Form(Picture);
    Form.show();
    QTest::keyClick(&Form, Qt::Key_Escape);
    EXPECT_TRUE(Form.isVisible());
    EXPECT_FALSE(Form.Started());
}

TEST_F(StartKoplar, ShowsMaximisedWithTheButtonAndThePictureLaidOut) {
    TFormStartKoplar Form(Picture);
    EXPECT_EQ(Form.windowTitle(), "KOPLAR für Windows");
    EXPECT_TRUE(Form.windowState() & Qt::WindowMaximized);
    Form.setWindowState(Qt::WindowNoState);
    Form.resize(1000, 500);
    Form.show();
    EXPECT_EQ(Form.imgKoplarBackground()->geometry(), QRect(0, -250, 1000, 750));
    EXPECT_EQ(Form.btnStartKoplar()->geometry(), QRect(695, 435, 281, 41));
    EXPECT_EQ(Form.btnStartKoplar()->text(), "Grafische Eingabe");
    EXPECT_EQ(Form.btnStartKoplar()->toolTip(), "Getriebeeingabe starten");
}

TEST_F(StartKoplar, AMissingPictureLeavesADarkBackgroundBehindWhiteTexts) {
    TFormStartKoplar Form{QImage()};
    Form.setWindowState(Qt::WindowNoState);
    Form.resize(800, 600);
    Form.show();
    EXPECT_FALSE(Form.imgKoplarBackground()->isVisible());
    const QImage Shot = Form.grab().toImage();
    EXPECT_LT(qGray(Shot.pixel(700, 300)), 80); // plain and dark
    int White = 0;
    for (int X = 40; X < 760; ++X)
        White += qGray(Shot.pixel(X, 195)) > 200; // through "KOPLAR für Windows"
    EXPECT_GT(White, 20);
}

// The logo and the start button's glyph are drawn at the ratio of the screen the start window is
// on, and again when it moves to a screen of another ratio.
using StartKoplarOnDenseScreen = StartKoplar;

TEST_F(StartKoplarOnDenseScreen, TheLogoAndTheGlyphAreDrawnAtTheScreensRatio) {
    TFormStartKoplar Form(Picture);
    Form.setWindowState(Qt::WindowNoState);
    Form.show();
    for (const qreal Ratio : {1.5, 2.0, 1.0}) {
        SCOPED_TRACE(Ratio);
        QScreen* Screen = Ratio == 1.0 ? QGuiApplication::primaryScreen() : ScreenOfRatio(Ratio);
        ASSERT_NE(Screen, nullptr);
        MoveToScreen(Form, Screen, QSize(600, 450));
        ASSERT_EQ(Form.screen(), Screen);
        const QPixmap Logo = Form.imgLogo()->pixmap();
        EXPECT_EQ(Logo.devicePixelRatio(), Ratio);
        EXPECT_EQ(Logo.size(), QSize(206, 60) * Ratio);
        EXPECT_EQ(Form.imgLogo()->geometry(), QRect(40, 24, 206, 60));
        const QPixmap Glyph = Form.btnStartKoplar()->icon().pixmap(QSize(32, 32), Ratio);
        EXPECT_EQ(Glyph.devicePixelRatio(), Ratio);
        EXPECT_EQ(Glyph.size(), QSize(32, 32) * Ratio);
    }
    EXPECT_EQ(PixelHash(Form.btnStartKoplar()->icon().pixmap(QSize(32, 32), 1.0)),
              "020116d6f64a2d447dbd8a299a81c7c9a64ef975");
}

} // namespace
