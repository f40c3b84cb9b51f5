// The about box: its texts and the version label from the compiled-in project version.
#include "support/DenseScreens.h"
#include "support/PixelHash.h"
#include "support/QtTestApp.h"
#include "ui/fmAbout_new.h"

#include <QLabel>
#include <QScreen>
#include <gtest/gtest.h>

namespace {

TEST(AboutBox, VersionLabelShowsMajorAndMinor) {
    const struct {
        const char* Version;
        const char* Label;
    } Cases[] = {{"2.7.3.100", "Version 2.7"},
                 {"1.0.0", "Version 1.0"},
                 {"10.12", "Version 10.12"},
                 {"", ""},
                 {"7", ""},
                 {"1.x", ""}};
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Version);
        EXPECT_EQ(VersionLabelText(C.Version).toStdString(), C.Label);
    }
}

TEST(AboutBox, ShowsTheTitlesAndTheProgramsVersion) {
    QtTestApp();
    TFormAbout_New Form;
    EXPECT_EQ(Form.windowTitle(), "Info über KOPLAR für Windows (GE)");
    EXPECT_EQ(Form.size(), QSize(513, 399));
    EXPECT_EQ(Form.Label4()->text(), VersionLabelText(KOPLAR_VERSION));
    EXPECT_FALSE(Form.Label4()->text().isEmpty());
    QStringList Texts;
    for (QLabel* L : Form.findChildren<QLabel*>())
        Texts << L->text();
    for (const char* Title : {"KOPLAR", "für Windows", "Grafische Eingabe"})
        EXPECT_TRUE(Texts.contains(QString::fromUtf8(Title))) << Title;
    EXPECT_FALSE(Texts.join(' ').contains("Projektleiter"));
}

// The picture beside the titles is drawn at the ratio of the screen the box opens on, the main
// window's, and again when the box is moved to a screen of another ratio; on a screen of ratio 1
// it is the picture the box always showed.
TEST(AboutBoxOnDenseScreen, ThePictureIsDrawnAtTheRatioOfItsScreen) {
    QtTestApp();
    const auto Picture = [](const TFormAbout_New& Form) {
        for (const QLabel* L : Form.findChildren<QLabel*>())
            if (!L->pixmap().isNull())
                return L->pixmap();
        return QPixmap();
    };
    QWidget Main;
    Main.show();
    for (const qreal Ratio : {1.5, 2.0}) {
        SCOPED_TRACE(Ratio);
        QScreen* Screen = ScreenOfRatio(Ratio);
        ASSERT_NE(Screen, nullptr);
        MoveToScreen(Main, Screen, QSize(700, 500));
        TFormAbout_New Form(&Main);
        Form.show();
        QCoreApplication::processEvents();
        ASSERT_EQ(Form.screen(), Screen);
        EXPECT_EQ(Picture(Form).devicePixelRatio(), Ratio);
        EXPECT_EQ(Picture(Form).size(), QSize(200, 360) * Ratio);
        EXPECT_EQ(Picture(Form).deviceIndependentSize(), QSizeF(200, 360));

        MoveToScreen(Form, QGuiApplication::primaryScreen(), Form.size());
        EXPECT_EQ(Picture(Form).devicePixelRatio(), 1.0);
        EXPECT_EQ(PixelHash(Picture(Form)), "0402005ca8839ef72173e800f8f324ccf7b76e24");
        MoveToScreen(Form, Screen, Form.size());
        EXPECT_EQ(Picture(Form).size(), QSize(200, 360) * Ratio);
    }
}

} // namespace
