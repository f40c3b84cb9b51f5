// The six-bar of the benchmarks: a crank-rocker whose coupler and rocker are plates joined by a
// two-link chain, on a model without a surface, turned once around in equal steps.
#pragma once

#include "BenchMechanism.h"
#include "files/Preferences.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"

struct TSixBarModel {
    explicit TSixBarModel(int Positions) {
        TBenchMechanism M(Data);
        TJoint* D = M.Joint(35, 60);
        TJoint* A0 = M.FrameJoint(0, 0);
        TJoint* A = M.Joint(0, 10);
        TJoint* B0 = M.FrameJoint(45, 0);
        TJoint* B = M.Joint(24, 28);
        TJoint* C = M.Joint(10, 45);
        TJoint* E = M.Joint(55, 30);
        M.Link({A0, A});
        M.Link({A, B, C});
        M.Link({B0, B, E});
        M.Link({C, D});
        M.Link({D, E});
        M.Crank(A0, Positions);
    }

    // The model reads the part settings while it creates and frees parts.
    TPreferences Prefs;
    TScopedService<TCustomXMLPreferences> Installed{PreferencesSlot(), Prefs};
    TGearData Data;
};
