// The six-bar of the benchmarks: a crank-rocker whose coupler and rocker are plates joined by a
// two-link chain, on a model without a surface, turned once around in equal steps.
#pragma once

#include "files/Preferences.h"
#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"

#include <initializer_list>
#include <numbers>

struct TSixBarModel {
    explicit TSixBarModel(int Positions) {
        Data.Clear(true);
        TJoint* D = Joint(35, 60);
        TJoint* A0 = FrameJoint(0, 0);
        TJoint* A = Joint(0, 10);
        TJoint* B0 = FrameJoint(45, 0);
        TJoint* B = Joint(24, 28);
        TJoint* C = Joint(10, 45);
        TJoint* E = Joint(55, 30);
        Link({A0, A});
        Link({A, B, C});
        Link({B0, B, E});
        Link({C, D});
        Link({D, E});
        TDrive* Drive = Data.AddRotaryDrive(A0, true);
        Drive->SetIntervals(Positions);
        for (int I = 0; I < Positions; ++I)
            Drive->SetValue(I, I * 2 * std::numbers::pi / Positions);
    }

    TJoint* Joint(double X, double Y) { return Data.CreateJoint(false, true, X, Y); }
    TJoint* FrameJoint(double X, double Y) {
        TJoint* J = Joint(X, Y);
        Data.AttachJointToRack(J);
        return J;
    }
    void Link(std::initializer_list<TJoint*> Joints) {
        TLink* L = Data.CreateLink(false, true, "Glied");
        for (TJoint* J : Joints)
            L->AddJoint(J);
    }

    // The model reads the part settings while it creates and frees parts.
    TPreferences Prefs;
    TScopedService<TCustomXMLPreferences> Installed{PreferencesSlot(), Prefs};
    TGearData Data;
};
