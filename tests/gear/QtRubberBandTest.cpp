// The rubber band of a link being drawn, on a real offscreen surface: the widget shows it at the
// mouse only, under the first joint, through moves, repaints and resizes, and nothing after it.
#include "gear/uGearData.h"
#include "gear/uLink.h"
#include "gear/uPartCreator.h"
#include "support/PreferencesFixture.h"
#include "support/QtSurfaceRig.h"

#include <QImage>
#include <gtest/gtest.h>

#include <memory>

namespace {

const QColor BandRed(Qt::red);
const QColor JointGreen(Qt::green);

// 2 px/mm until resized: world (x, y) at pixel (2x, 200 - 2y).
class QtRubberBand : public ::testing::Test {
protected:
    QtRubberBand() {
        Settings.Prefs().SetValue("Links", "LineColor", TVariant(std::int32_t{0x0000FF}));
        Settings.Prefs().SetValue("Joints", "FillColor", TVariant(std::int32_t{0x00FF00}));
        Data->SetMMSurface(View.Surface.get());
        Creator->StartCreation(TGearPartType::ptLink, "Glied");
        Creator->MouseDown(40, 160);
    }

    QImage Shown() { return View.Widget.grab().toImage(); }
    // The band passes within a pixel of (X, Y).
    static bool BandNear(const QImage& Picture, int X, int Y) {
        for (int DY = -1; DY <= 1; ++DY)
            for (int DX = -1; DX <= 1; ++DX)
                if (Picture.pixelColor(X + DX, Y + DY) == BandRed)
                    return true;
        return false;
    }
    static int BandPixelsInRow(const QImage& Picture, int Y, int FromX) {
        int N = 0;
        for (int X = FromX; X < Picture.width(); ++X)
            N += Picture.pixelColor(X, Y) == BandRed;
        return N;
    }

    TPreferencesFixture Settings;
    TQtSurfaceRig<> View{200, 200, MMRect(0, 100, 100, 0), false};
    std::unique_ptr<TGearData> Data = std::make_unique<TGearData>();
    std::unique_ptr<TGearPartCreator> Creator = std::make_unique<TGearPartCreator>(*Data);
};

TEST_F(QtRubberBand, FollowsTheMouseUnderTheFirstJointAndLeavesNoLineBehind) {
    Creator->MouseMove(160, 160);
    QImage Picture = Shown();
    EXPECT_EQ(Picture.pixelColor(120, 160), BandRed);
    EXPECT_EQ(Picture.pixelColor(40, 160), JointGreen); // the joint on top of the band

    Creator->MouseMove(160, 40);
    Picture = Shown();
    EXPECT_EQ(BandPixelsInRow(Picture, 160, 50), 0);
    EXPECT_TRUE(BandNear(Picture, 100, 100));
    // A paint event of the window's own (the second grab) repaints the surface: the band is
    // still where the mouse is, and only there.
    Shown();
    Picture = Shown();
    EXPECT_EQ(BandPixelsInRow(Picture, 160, 50), 0);
    EXPECT_TRUE(BandNear(Picture, 100, 100));
    EXPECT_EQ(Picture.pixelColor(40, 160), JointGreen);

    // A resize moves the joint (2.2 px/mm across); the band follows it to the same mouse pixel.
    View.Widget.resize(220, 200);
    Picture = Shown();
    EXPECT_EQ(Picture.pixelColor(44, 160), JointGreen);
    EXPECT_EQ(BandPixelsInRow(Picture, 160, 50), 0);
    EXPECT_TRUE(BandNear(Picture, 102, 100));

    Creator->CancelCreation();
    Picture = Shown();
    EXPECT_EQ(Picture.pixelColor(44, 160), QColor(Qt::white));
    for (int Y = 0; Y < Picture.height(); ++Y)
        ASSERT_EQ(BandPixelsInRow(Picture, Y, 0), 0) << "row " << Y;
}

TEST_F(QtRubberBand, TheSecondClickEndsTheBand) {
    Creator->OnPartCreated = [this](TObject*, TGearPart* Part, TGearPartType) {
        Data->AddLink(dynamic_cast<TCustomLink*>(Part));
    };
    Creator->MouseMove(160, 160);
    Creator->MouseDown(160, 40);
    const QImage Picture = Shown();
    EXPECT_EQ(BandPixelsInRow(Picture, 160, 50), 0);
    EXPECT_EQ(Picture.pixelColor(160, 40), JointGreen);
}

} // namespace
