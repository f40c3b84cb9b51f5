// Small mechanisms for tests of sliders, the frame and drives: the rig owns every joint and link
// on a surface (joints at once, links when shown) whose mapping is the identity with y flipped
// (world (x, y) is pixel (x, 300 - y)).
#pragma once

#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"
#include "support/FakeControl.h"

#include <initializer_list>
#include <memory>
#include <vector>

class TSliderRig {
public:
    TSliderRig() { Surface().SetMMRect(MMRect(0, 300, 400, 0)); }
    ~TSliderRig() {
        // Off the surface first, so that no repaint meets a half-destroyed mechanism.
        for (auto& L : FLinks)
            L->SetMMSurface(nullptr);
        for (auto& J : FJoints)
            J->SetMMSurface(nullptr);
        FLinks.clear();
        FJoints.clear();
    }

    TMMSurface& Surface() { return *FSurface.Surface; }
    TRecordingCanvas& Canvas() { return FSurface.BufferCanvas(); }

    TJoint* Joint(double X, double Y, bool Virtual = false) {
        auto J = std::make_unique<TJoint>();
        J->SetX(X);
        J->SetY(Y);
        J->SetIsVirtual(Virtual);
        J->SetMMSurface(&Surface());
        FJoints.push_back(std::move(J));
        return FJoints.back().get();
    }

    template <class T> T* Add(std::unique_ptr<T> Link, std::initializer_list<TJoint*> Joints) {
        for (TJoint* J : Joints)
            Link->AddJoint(J);
        T* Result = Link.get();
        FLinks.push_back(std::move(Link));
        return Result;
    }
    TLink* Link(std::initializer_list<TJoint*> Joints) {
        return Add(std::make_unique<TLink>(), Joints);
    }
    TRack* Rack(std::initializer_list<TJoint*> Joints) {
        return Add(std::make_unique<TRack>(), Joints);
    }
    // A slider made the way the model makes one: its virtual joint first, then the pin at
    // (X, Y); the virtual joint also joins the slide link when there is one.
    TSlider* Slider(TLink* Slide, double X, double Y) {
        TJoint* Virtual = Joint(0, 0, true);
        TSlider* S = Add(std::make_unique<TSlider>(), {Virtual, Joint(X, Y)});
        if (Slide)
            Slide->AddJoint(Virtual);
        return S;
    }

    // Registers the part with the surface and forgets what was drawn so far.
    void Show(TMMGraphicItem* Item) {
        Item->SetMMSurface(&Surface());
        Canvas().ClearCalls();
    }

private:
    TSurfaceRig FSurface;
    std::vector<std::unique_ptr<TJoint>> FJoints;
    std::vector<std::unique_ptr<TCustomLink>> FLinks;
};
