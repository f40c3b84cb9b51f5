// Mechanisms of the benchmarks, built through a data model, which numbers and owns the parts.
#pragma once

#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"

#include <initializer_list>
#include <numbers>
#include <stdexcept>

class TBenchMechanism {
public:
    // Starts the model afresh with an empty frame.
    explicit TBenchMechanism(TGearData& Data) : FData(Data) { FData.Clear(true); }

    TJoint* Joint(double X, double Y) { return FData.CreateJoint(false, true, X, Y); }
    TJoint* FrameJoint(double X, double Y) {
        TJoint* J = Joint(X, Y);
        FData.AttachJointToRack(J);
        return J;
    }
    // A bar, or a plate when given more joints.
    void Link(std::initializer_list<TJoint*> Joints) {
        TLink* L = FData.CreateLink(false, true, "Glied");
        for (TJoint* J : Joints)
            L->AddJoint(J);
    }
    // A rotary drive at the crank's frame joint, once around in Positions equal steps.
    void Crank(TJoint* A0, int Positions) {
        TDrive* Drive = FData.AddRotaryDrive(A0, true);
        if (!Drive)
            throw std::logic_error("no drive at the crank");
        Drive->SetIntervals(Positions);
        for (int I = 0; I <= Positions; ++I)
            Drive->SetValue(I, I * 2 * std::numbers::pi / Positions);
    }

private:
    TGearData& FData;
};
