// The mechanism builder on a fake surface: loose parts (TPartsRig) or a data model (TModelRig).
// Each rig holds its surface in a base that is built before the builder and freed after it, so
// the parts leave the surface before it goes.
#pragma once

#include "gear/uGearData.h"
#include "support/BuilderChecks.h"
#include "support/FakeControl.h"
#include "support/GearFixture.h"
#include "support/ModelInvariants.h"
#include "support/NamedMechanisms.h"
#include "support/PreferencesFixture.h"

#include <memory>

// A 400 x 300 pixel fake surface whose mapping is the identity with y flipped: world (x, y) is
// pixel (x, 300 - y).
struct TFlippedSurface {
    TFlippedSurface() { Fake.Surface->SetMMRect(MMRect(0, 300, 400, 0)); }
    TSurfaceRig Fake;
};

// Loose parts on the flipped surface, each registered with it as it is made.
class TPartsRig : private TFlippedSurface, public TCheckedBuilder {
public:
    TPartsRig() : TCheckedBuilder(Fake.Surface.get()) {}

    TMMSurface& Surface() { return *Fake.Surface; }
    TRecordingCanvas& Canvas() { return Fake.BufferCanvas(); }
    // Registers the item with the surface and forgets what was drawn so far.
    void Show(TMMGraphicItem* Item) {
        Item->SetMMSurface(&Surface());
        Canvas().ClearCalls();
    }
};

// A data model bound to a 200 x 200 pixel surface showing 0..100 mm (2 pixels per mm), with the
// default settings installed and a repaint counter.
struct TModelView {
    TModelView() {
        Data->SetMMSurface(&View.Surface());
        View.Surface().OnPaint = [this](TObject*) { ++Paints; };
    }
    ~TModelView() { View.Surface().OnPaint = nullptr; }
    TModelView(const TModelView&) = delete;
    TModelView& operator=(const TModelView&) = delete;

    TPreferencesFixture Prefs;
    TGearSurface View;
    std::unique_ptr<TGearData> Data = std::make_unique<TGearData>();
    int Paints = 0;
};

// Whole mechanisms built through the model on that surface, from a fresh frame on; the named
// crank-rocker and six-bar at hand by their joints and links. A slider crank, for instance:
//   TJoint* A = Rig.Joint(10, 30);
//   Rig.Link({Rig.FrameJoint(10, 10), A});
//   TSlider* S = Rig.Slider(Rig.Link({Rig.FrameJoint(0, 0), Rig.Joint(100, 0)}), 50, 0);
//   Rig.Link({A, Rig.Pin(S)});
struct TModelRig : TModelView, TCheckedBuilder {
    TModelRig() : TCheckedBuilder(*Data) {}

    TGearData& D() { return *Data; }
    TMMSurface& Surface() { return View.Surface(); }
    TFakePlatform& Platform() { return View.Rig.Platform; }
    TFakeControl& Control() { return View.Rig.Control; }
    // The pixel of a world point.
    static TPoint Px(double X, double Y) { return TGearSurface::Px(X, Y); }

    TJoint *A0 = nullptr, *A = nullptr, *B0 = nullptr, *B = nullptr, *C = nullptr;
    TJoint *E = nullptr, *Knee = nullptr;
    TLink *Crank = nullptr, *Coupler = nullptr, *Rocker = nullptr;
    TDrive* Drive = nullptr;

    // The crank-rocker; the pivot B0 may be placed before, on another link instead of the frame.
    void CrankRocker() { Take(BuildCrankRocker(*this, B0)); }
    // The crank-rocker with its crank drawn at Degrees from the x axis.
    void CrankRockerAt(double Degrees) { Take(BuildCrankRocker(*this, B0, Degrees)); }
    // The six-bar on the crank-rocker.
    void SixBar() {
        const TSixBar M = BuildSixBar(*this, B0);
        Take(M);
        C = M.C;
        E = M.E;
        Knee = M.Knee;
    }
    // The drive turns the crank once around in Positions equal steps, from the drawing on.
    void TurnOnce(int Positions) { ::TurnOnce(*Drive, Positions); }

private:
    void Take(const TCrankRocker& M) {
        A0 = M.A0;
        A = M.A;
        B0 = M.B0;
        B = M.B;
        Crank = M.Crank;
        Coupler = M.Coupler;
        Rocker = M.Rocker;
        Drive = M.Drive;
    }
};
