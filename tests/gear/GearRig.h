// The mechanism component on the 200 x 200 pixel fake surface of the model rigs (0..100 mm, so
// world (x, y) is pixel (2x, 200 - 2y)). Mechanisms are built in the rig's own model, as the
// linkage rigs build them, and then handed to the component (Adopt).
#pragma once

#include "files/uFileManager.h"
#include "gear/uGear.h"
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

struct TGearRig : TModelRig {
    TGearRig() {
        // A frame from the start, as the component's own model has one.
        D().Clear(true);
        Gear->SetMMSurface(&Surface());
        Gear->Clear();
        Surface().SetMMRect(MMRect(0, 100, 100, 0));
    }

    static std::unique_ptr<TGear> MakeGear() {
        return std::make_unique<TGear>(
            nullptr, [](TGearData& D) { return std::make_unique<TFileManager>(D); });
    }
    // What was built so far becomes the component's mechanism.
    void Adopt() { Gear->GearData().TakeOver(D()); }
    TGearData& G() { return Gear->GearData(); }
    std::vector<TAskedMessage>& Asked() { return Platform().Scripted().Asked; }

    // Mouse messages at world points.
    void Move(TPoint P, TShiftState Shift = {}) {
        Control().Send(TMessageId::WM_MOUSEMOVE, P.X, P.Y, Shift);
    }
    void Press(TPoint P, TShiftState Shift = {}, bool Right = false) {
        Control().Send(Right ? TMessageId::WM_RBUTTONDOWN : TMessageId::WM_LBUTTONDOWN, P.X, P.Y,
                       Shift);
    }
    void Release(TPoint P, TShiftState Shift = {}, bool Right = false) {
        Control().Send(Right ? TMessageId::WM_RBUTTONUP : TMessageId::WM_LBUTTONUP, P.X, P.Y,
                       Shift);
    }
    // Press, move with the button held, release.
    void Drag(TPoint From, TPoint To, bool Right = false) {
        Press(From, {}, Right);
        Move(To, Right ? TShiftState(TShiftState::ssRight) : TShiftState(TShiftState::ssLeft));
        Release(To, {}, Right);
    }
    // A pixel over the link but over none of the joints.
    TPoint OnLinkOnly(const TCustomLink* Link) {
        for (int Y = 0; Y < 200; ++Y)
            for (int X = 0; X < 200; ++X)
                if (G().FindLinkAt(X, Y) == Link && !G().FindJointAt(X, Y))
                    return TPoint{X, Y};
        ADD_FAILURE() << "no pixel over the link alone";
        return {};
    }

    std::unique_ptr<TGear> Gear = MakeGear();
};
