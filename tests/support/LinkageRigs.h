// The crank-rocker and the six-bar built on it, drawn by coordinates through the model: the
// mechanisms the planner, the calculator and the position cache are tried on.
#pragma once

#include "support/MechanismRigs.h"

#include <numbers>

struct TLinkageRig : TModelRig {
    TJoint *A0 = nullptr, *A = nullptr, *B0 = nullptr, *B = nullptr, *C = nullptr;
    TJoint *E = nullptr, *Knee = nullptr;
    TLink *Crank = nullptr, *Coupler = nullptr, *Rocker = nullptr;
    TDrive* Drive = nullptr;

    TLinkageRig() { D().Clear(true); }

    // Frame joints A0(0,0), B0(45,0); crank to A(0,10), coupler to B(24,28), rocker B0-B,
    // turned at A0. The pivot B0 may sit on another link instead of the frame.
    void CrankRocker() {
        A0 = FrameJoint(0, 0);
        A = Joint(0, 10);
        Crank = Link({A0, A});
        if (!B0)
            B0 = FrameJoint(45, 0);
        B = Joint(24, 28);
        Coupler = Link({A, B});
        Rocker = Link({B0, B});
        Drive = D().AddRotaryDrive(A0, true);
    }
    // On the crank-rocker: plates A-B-C and B0-B-E, links C-Knee and Knee-E, the knee first in
    // the joint list.
    void SixBar() {
        Knee = Joint(35, 60);
        CrankRocker();
        C = Joint(10, 45);
        Coupler->AddJoint(C);
        E = Joint(55, 30);
        Rocker->AddJoint(E);
        Link({C, Knee});
        Link({Knee, E});
    }
    // The drive turns the crank once around in Positions equal steps, from the drawing on.
    void TurnOnce(int Positions) {
        Drive->SetIntervals(Positions);
        for (int I = 0; I < Positions; ++I)
            Drive->SetValue(I, I * 2 * std::numbers::pi / Positions);
    }
};
