// A small mechanism drawn on a real widget offscreen: the frame with two bearings, a bar, a
// coupler plate, a slider on a slide link and both kinds of drive, found in their colours at
// their mapped places. Set KOPLAR_PICTURE_DIR to keep the picture (parts.png) for a look.
#include "gear/uGearData.h"
#include "platform/qt/QtCanvas.h"
#include "support/BuilderChecks.h"
#include "support/PreferencesFixture.h"
#include "support/QtSurfaceRig.h"
#include "surface/MMSurface.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr TColor BarColor = 0x0000C0;   // dark red
constexpr TColor PlateColor = 0xC00000; // dark blue
constexpr TColor SliderFill = 0x00C0C0; // olive yellow
constexpr TColor SlideColor = 0x808000; // teal

class PartsPicture : public ::testing::Test, protected TQtSurfaceRig<> {
protected:
    // 2 pixels per millimetre: world (x, y) is pixel (2 x, 300 - 2 y).
    PartsPicture() : TQtSurfaceRig(400, 300, MMRect(0, 150, 200, 0), true) {
        Model.SetMMSurface(Surface.get());
        Surface->BeginUpdate();
        Build();
        Surface->EndUpdate();
    }

    void Build() {
        TJoint* F1 = M.FrameJoint(20, 30);
        TJoint* F2 = M.FrameJoint(150, 30);
        TJoint* A = M.Joint(20, 70);
        TJoint* B = M.Joint(90, 90);
        TJoint* C = M.Joint(60, 120);
        TJoint* E = M.Joint(150, 130);
        M.Link({F1, A})->SetLineColor(BarColor);
        M.Link({A, B, C})->SetLineColor(PlateColor);
        TLink* Slide = M.Link({F2, E});
        Slide->SetLineColor(SlideColor);
        TSlider* S = M.Slider(Slide, 150, 90);
        S->SetFillColor(SliderFill);
        S->AddJoint(M.Joint(180, 110)); // a coupler point on the block
        M.Link({B, M.Pin(S)})->SetLineColor(BarColor);
        SetLastValue(M.RotaryDrive(F1), 1.0);
        SetLastValue(M.SlidingDrive(S), -1.0);
    }
    // The sign of the last value gives the arrow's direction.
    static void SetLastValue(TDrive* Drive, double Value) {
        Drive->SetValue(Drive->GetLastIndex(), Value);
    }

    // Whether a pixel within one of (X, Y) has the colour.
    static bool Near(const QImage& Image, int X, int Y, TColor Color) {
        for (int DY = -1; DY <= 1; ++DY)
            for (int DX = -1; DX <= 1; ++DX)
                if (Image.pixelColor(X + DX, Y + DY) == TQtCanvas::ToQColor(Color))
                    return true;
        return false;
    }

    TPreferencesFixture Settings;
    TGearData Model;
    TCheckedBuilder M{Model};
};

} // namespace

TEST_F(PartsPicture, EveryPartShowsInItsColourAtItsPlace) {
    const QImage Picture = Widget.grab().toImage();
    QTemporaryDir Temp;
    const char* Keep = std::getenv("KOPLAR_PICTURE_DIR");
    QString Dir = Keep ? QString::fromLocal8Bit(Keep) : Temp.path();
    EXPECT_TRUE(Picture.save(QDir(Dir).filePath("parts.png")));

    struct Spot {
        const char* What;
        int X, Y;
        TColor Color;
    } Spots[] = {
        {"background", 200, 20, clWhite},
        {"bearing base at the first frame joint", 34, 250, clBlack},
        {"hatch of the second frame joint", 297, 253, clBlack},
        {"bar below its number", 40, 200, BarColor},
        {"coupler plate from A to C", 80, 110, PlateColor},
        {"coupler plate's bar from A to B", 110, 140, PlateColor},
        {"slide link below the slider", 300, 170, SlideColor},
        {"slider block", 306, 130, SliderFill},
        {"bar on the pin", 250, 120, BarColor},
        // The joints' labels paint over the right half of the arc.
        {"rotary drive's arc at 150 degrees", 23, 230, clGreen},
        {"rotary drive's arrow at the arc's end", 20, 241, clGreen},
        {"sliding drive's line beside the slider", 316, 128, clGreen},
        {"sliding drive's arrow at the lower end", 316, 140, clGreen},
        {"joint fill", 300, 120, clWhite},
        {"slider's line out to its coupler point", 340, 90, clBlack},
    };
    for (const Spot& S : Spots) {
        SCOPED_TRACE(S.What);
        EXPECT_TRUE(Near(Picture, S.X, S.Y, S.Color))
            << "at (" << S.X << ", " << S.Y << ") "
            << Picture.pixelColor(S.X, S.Y).name().toStdString();
    }
}
