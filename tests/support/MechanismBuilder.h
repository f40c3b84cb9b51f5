// Mechanisms for tests, built joint by joint: either loose parts that the builder owns (put on a
// surface when one is given) or parts made through a data model, with its settings and numbering,
// which owns them. No test framework: a part that cannot be made comes back as nullptr, and the
// reason goes to Failed, which the test rigs turn into a test failure.
#pragma once

#include "gear/uDrive.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

class TGearData;
class TMMSurface;

class TMechanismBuilder {
public:
    // Loose parts, each put on Surface (when given) as it is made, freed with the builder.
    explicit TMechanismBuilder(TMMSurface* Surface = nullptr);
    // Parts made by Model on its surface; the model owns them.
    explicit TMechanismBuilder(TGearData& Model);
    virtual ~TMechanismBuilder();
    TMechanismBuilder(const TMechanismBuilder&) = delete;
    TMechanismBuilder& operator=(const TMechanismBuilder&) = delete;

    TJoint* Joint(double X, double Y);
    TJoint* VirtualJoint(double X, double Y);
    TJoint* FrameJoint(double X, double Y);
    // The frame, made on first use; it takes on the given joints.
    TRack* Frame(std::initializer_list<TJoint*> Joints = {});
    // A bar, or a coupler plate when given more joints; the first joint is the reference.
    TLink* Link(std::initializer_list<TJoint*> Joints);
    // A slider made the way the model makes one: its virtual joint first, then the pin at (X, Y)
    // or the given one; the virtual joint joins Slide when there is one.
    TSlider* Slider(TCustomLink* Slide, double X, double Y);
    TSlider* Slider(TCustomLink* Slide, TJoint* Pin);
    // The slider's virtual joint joins the link where it stands, as a file gives it.
    static void PutOn(TSlider* S, TCustomLink* Slide);
    // A rotary drive at the joint, between its first two links; nullptr when none is possible.
    TDrive* RotaryDrive(TJoint* J);
    // A sliding drive of the slider along its slide link; nullptr when none is possible.
    TDrive* SlidingDrive(TSlider* S);

    // What could not be made, in order.
    const std::vector<std::string>& Failures() const { return FFailures; }

    static TJoint* Pin(const TSlider* S) { return S->Joints().Items(1); }
    static TJoint* Virtual(const TSlider* S) { return S->Joints().Items(0); }

    // A loose part of any kind (a spy link, say), owned by the builder, over the given joints.
    template <class T, class... TArgs>
    T* Part(std::initializer_list<TJoint*> Joints, TArgs&&... Args) {
        T* Result = NewPart<T>(std::forward<TArgs>(Args)...);
        for (TJoint* J : Joints)
            Result->AddJoint(J);
        return Result;
    }

protected:
    // Each part that cannot be made is told here; the builder keeps the reason in Failures.
    virtual void Failed(const std::string& What) { FFailures.push_back(What); }

private:
    // The one place where loose parts are made, and the one where they are freed: a registry of
    // the builder's own owns them, as the model's owns its parts.
    template <class T, class... TArgs> T* NewPart(TArgs&&... Args) {
        auto Made = std::make_unique<T>(std::forward<TArgs>(Args)...);
        Made->SetMMSurface(FSurface);
        FItems.push_back(Made.get());
        if constexpr (std::is_base_of_v<TGearPart, T>)
            return FParts.Adopt(std::move(Made));
        else
            return static_cast<T*>(FParts.AdoptDrive(std::move(Made)));
    }
    void FreeParts();

    TSlider* NewSlider();

    TGearData* FModel = nullptr;
    TMMSurface* FSurface = nullptr;
    TRack* FFrame = nullptr;
    TGearPartlist FParts;
    std::vector<TMMGraphicItem*> FItems;
    std::vector<std::string> FFailures;
};
