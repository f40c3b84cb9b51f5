// The main window's seed: caption, client size and the mechanism view's surface on its drawing
// area.
#include "MainWindowRig.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(FormMainSeed, ShowsTheMechanismViewInAWindowOfTheDesignedSize) {
    TQtMainWindowRig Rig;
    TFormMain& Form = *Rig.Form;
    Form.show();
    EXPECT_EQ(Form.windowTitle().toStdString(), "KOPLAR für Windows - Unbenannt1.kxw*");
    EXPECT_EQ(Form.size(), QSize(803, 621));
    TMMSurface& S = Form.MMSurface1();
    EXPECT_TRUE(S.Square());
    EXPECT_EQ(S.BackGroundColor(), clWhite);
    ASSERT_NE(S.Control(), nullptr);
    EXPECT_EQ(S.GetPixelWidth(), Form.DrawArea()->width());
    EXPECT_EQ(S.GetPixelHeight(), Form.DrawArea()->height());
    // The new mechanism's view, squared against the final size, holds -50..100 mm both ways.
    EXPECT_LE(S.XMin(), -50);
    EXPECT_GE(S.XMax(), 100);
    EXPECT_LE(S.YMin(), -50);
    EXPECT_GE(S.YMax(), 100);
    EXPECT_DOUBLE_EQ(S.ScaleX(), S.ScaleY());
    const QImage Shown = Form.DrawArea()->grab().toImage();
    EXPECT_EQ(Shown.pixelColor(Shown.width() / 2, Shown.height() / 2), QColor(Qt::white));
}

} // namespace
