// The model rig with the named crank-rocker and six-bar at hand by their joints and links: the
// mechanisms the planner, the calculator and the position cache are tried on.
#pragma once

#include "support/MechanismRigs.h"
#include "support/NamedMechanisms.h"

struct TLinkageRig : TModelRig {
    TJoint *A0 = nullptr, *A = nullptr, *B0 = nullptr, *B = nullptr, *C = nullptr;
    TJoint *E = nullptr, *Knee = nullptr;
    TLink *Crank = nullptr, *Coupler = nullptr, *Rocker = nullptr;
    TDrive* Drive = nullptr;

    TLinkageRig() { D().Clear(true); }

    // The crank-rocker; the pivot B0 may be placed before, on another link instead of the frame.
    void CrankRocker() { Take(BuildCrankRocker(*this, B0)); }
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
