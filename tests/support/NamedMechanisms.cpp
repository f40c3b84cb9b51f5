#include "support/NamedMechanisms.h"

#include <cmath>
#include <numbers>

TCrankRocker BuildCrankRocker(TMechanismBuilder& Build, TJoint* B0,
                              std::optional<double> CrankDegrees) {
    TCrankRocker M;
    M.A0 = Build.FrameJoint(0, 0);
    if (CrankDegrees) {
        const double Angle = *CrankDegrees * std::numbers::pi / 180;
        M.A = Build.Joint(10 * std::cos(Angle), 10 * std::sin(Angle));
    } else {
        M.A = Build.Joint(0, 10);
    }
    M.Crank = Build.Link({M.A0, M.A});
    M.B0 = B0 ? B0 : Build.FrameJoint(45, 0);
    M.B = Build.Joint(24, 28);
    M.Coupler = Build.Link({M.A, M.B});
    M.Rocker = Build.Link({M.B0, M.B});
    M.Drive = Build.RotaryDrive(M.A0);
    return M;
}

TSixBar BuildSixBar(TMechanismBuilder& Build, TJoint* B0) {
    TSixBar M;
    M.Knee = Build.Joint(35, 60);
    static_cast<TCrankRocker&>(M) = BuildCrankRocker(Build, B0);
    M.C = Build.Joint(10, 45);
    M.Coupler->AddJoint(M.C);
    M.E = Build.Joint(55, 30);
    M.Rocker->AddJoint(M.E);
    Build.Link({M.C, M.Knee});
    Build.Link({M.Knee, M.E});
    return M;
}

void TurnOnce(TDrive& Drive, int Positions, bool BackToStart) {
    Drive.SetIntervals(Positions);
    const int Last = BackToStart ? Positions : Positions - 1;
    for (int I = 0; I <= Last; ++I)
        Drive.SetValue(I, I * 2 * std::numbers::pi / Positions);
}

void BuildDrivenUnits(TMechanismBuilder& Build, int Units, int Positions) {
    for (int U = 0; U < Units; ++U) {
        const double X = 100.0 * U;
        TJoint* A0 = Build.FrameJoint(X, 0);
        TJoint* A = Build.Joint(X + 0.5, 10.25);
        TJoint* B = Build.Joint(X + 40.125, 30.5);
        TJoint* C = Build.Joint(X + 20.75, 45.375);
        TJoint* B0 = Build.FrameJoint(X + 50, 0);
        Build.Link({A0, A});
        Build.Link({A, B, C});
        Build.Link({B0, B});
        Build.Link({C, B0});
        TurnOnce(*Build.RotaryDrive(A0), Positions, true);
    }
}
