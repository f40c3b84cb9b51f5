// A small mechanism drawn on a real widget offscreen: the frame with two bearings, a bar, a
// coupler plate, a slider on a slide link and both kinds of drive, found in their colours at
// their mapped places. Set KOPLAR_PICTURE_DIR to keep the picture (parts.png) for a look.
#include "gear/uDrive.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"
#include "platform/qt/QtCanvas.h"
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
#include <initializer_list>
#include <memory>
#include <vector>

namespace {

constexpr TColor BarColor = 0x0000C0;   // dark red
constexpr TColor PlateColor = 0xC00000; // dark blue
constexpr TColor SliderFill = 0x00C0C0; // olive yellow
constexpr TColor SlideColor = 0x808000; // teal

class PartsPicture : public ::testing::Test, protected TQtSurfaceRig<> {
protected:
    // 2 pixels per millimetre: world (x, y) is pixel (2 x, 300 - 2 y).
    PartsPicture() : TQtSurfaceRig(400, 300, MMRect(0, 150, 200, 0), true) { Build(); }
    ~PartsPicture() override {
        for (auto& D : Drives)
            D->SetMMSurface(nullptr);
        for (auto& L : Links)
            L->SetMMSurface(nullptr);
        for (auto& J : Joints)
            J->SetMMSurface(nullptr);
        Drives.clear();
        Links.clear();
        Joints.clear();
    }

    TJoint* Joint(double X, double Y, bool Virtual = false) {
        auto J = std::make_unique<TJoint>();
        J->SetX(X);
        J->SetY(Y);
        J->SetIsVirtual(Virtual);
        ApplyToJoint(*J);
        J->SetID(static_cast<int>(Joints.size()) + 1);
        Joints.push_back(std::move(J));
        return Joints.back().get();
    }
    template <class T> T* Link(std::initializer_list<TJoint*> Of, TColor Color) {
        auto L = std::make_unique<T>();
        for (TJoint* J : Of)
            L->AddJoint(J);
        ApplyToLink(*L);
        L->SetLineColor(Color);
        L->SetID(static_cast<int>(Links.size()) + 1);
        T* Result = L.get();
        Links.push_back(std::move(L));
        return Result;
    }
    TDrive* Drive(std::uint8_t Kind, TCustomLink* L0, TCustomLink* L1, TJoint* J, double Last) {
        auto D = std::make_unique<TDrive>();
        ApplyToDrive(*D);
        D->SetDriveType(Kind);
        D->SetLink0(L0);
        D->SetLink1(L1);
        D->SetJoint(J);
        D->SetValue(D->GetLastIndex(), Last);
        Drives.push_back(std::move(D));
        return Drives.back().get();
    }

    void Build() {
        TJoint* F1 = Joint(20, 30);
        TJoint* F2 = Joint(150, 30);
        TJoint* A = Joint(20, 70);
        TJoint* B = Joint(90, 90);
        TJoint* C = Joint(60, 120);
        TJoint* E = Joint(150, 130);
        TRack* Frame = Link<TRack>({F1, F2}, clBlack);
        TLink* Crank = Link<TLink>({F1, A}, BarColor);
        Link<TLink>({A, B, C}, PlateColor);
        TLink* Slide = Link<TLink>({F2, E}, SlideColor);
        TJoint* Virtual = Joint(0, 0, true);
        TJoint* Pin = Joint(150, 90);
        auto* S = Link<TSlider>({Virtual, Pin}, clBlack);
        S->SetFillColor(SliderFill);
        S->AddJoint(Joint(180, 110)); // a coupler point on the block
        Slide->AddJoint(Virtual);
        Link<TLink>({B, Pin}, BarColor);
        Drive(dtRotary, Frame, Crank, F1, 1.0);
        Drive(dtSliding, S, Slide, nullptr, -1.0);

        Surface->BeginUpdate();
        for (auto& J : Joints)
            J->SetMMSurface(Surface.get());
        for (auto& L : Links)
            L->SetMMSurface(Surface.get());
        for (auto& D : Drives)
            D->SetMMSurface(Surface.get());
        Surface->EndUpdate();
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
    std::vector<std::unique_ptr<TJoint>> Joints;
    std::vector<std::unique_ptr<TCustomLink>> Links;
    std::vector<std::unique_ptr<TDrive>> Drives;
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
