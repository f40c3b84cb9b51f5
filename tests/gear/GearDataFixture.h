// A data model bound to a 200 x 200 pixel surface showing 0..100 mm (2 pixels per mm), with the
// default settings installed, a repaint counter and short builders for small mechanisms.
#pragma once

#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"
#include "support/GearFixture.h"
#include "support/ModelInvariants.h"
#include "support/PreferencesFixture.h"

#include <initializer_list>
#include <memory>
#include <string>

struct TModelRig {
    TPreferencesFixture Prefs;
    TGearSurface View;
    std::unique_ptr<TGearData> Data = std::make_unique<TGearData>();
    int Paints = 0;

    TModelRig() {
        Data->SetMMSurface(&View.Surface());
        View.Surface().OnPaint = [this](TObject*) { ++Paints; };
    }
    ~TModelRig() { View.Surface().OnPaint = nullptr; }

    TGearData& D() { return *Data; }
    TMMSurface& Surface() { return View.Surface(); }

    // A new frame "Gestell" (the model's own new mechanism).
    TRack* Frame() {
        D().Clear(true);
        return D().Rack();
    }
    TJoint* J(double X, double Y) { return D().CreateJoint(true, true, X, Y); }
    TJoint* FrameJoint(double X, double Y) {
        TJoint* Joint = J(X, Y);
        D().AttachJointToRack(Joint);
        return Joint;
    }
    TLink* Link(std::initializer_list<TJoint*> Joints, const std::string& Name = "Glied") {
        TLink* L = D().CreateLink(true, true, Name);
        for (TJoint* Joint : Joints)
            L->AddJoint(Joint);
        return L;
    }
    // A slider with its virtual joint under the pin at (X, Y); on no slide link yet.
    TSlider* Slider(double X, double Y) {
        TSlider* S = D().CreateSlider(true, true, "Gleitstein", true);
        S->AddJoint(J(X, Y));
        return S;
    }
    static TJoint* Pin(const TSlider* S) { return S->Joints().Items(1); }
    static TJoint* Virtual(const TSlider* S) { return S->Joints().Items(0); }
    // The slider's virtual joint joins the link, as dropping it there does.
    void PutOn(TSlider* S, TCustomLink* L) {
        L->AddJoint(Virtual(S));
        Virtual(S)->AddLink(L);
    }
    // The pixel of a world point.
    static TPoint Px(double X, double Y) { return TGearSurface::Px(X, Y); }
};
