#include "support/NamedMechanisms.h"

#include <cmath>
#include <numbers>
#include <vector>

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

TWindowFourBar BuildWindowFourBar(TMechanismBuilder& Build) {
    TWindowFourBar M;
    M.A = Build.FrameJoint(0, 0);
    M.D = Build.FrameJoint(60, 0);
    M.B = Build.Joint(0, 20);
    M.C = Build.Joint(60, 40);
    M.Crank = Build.Link({M.A, M.B});
    M.Coupler = Build.Link({M.B, M.C});
    M.Rocker = Build.Link({M.D, M.C});
    M.Drive = Build.RotaryDrive(M.A);
    if (M.Drive)
        for (int I = 0; I <= 36; ++I)
            M.Drive->SetValue(I, I * std::numbers::pi / 18);
    return M;
}

void TurnOnce(TDrive& Drive, int Positions, bool BackToStart) {
    Drive.SetIntervals(Positions);
    const int Last = BackToStart ? Positions : Positions - 1;
    for (int I = 0; I <= Last; ++I)
        Drive.SetValue(I, I * 2 * std::numbers::pi / Positions);
}

namespace {

// Turns a drive once round when it could be made; false when it could not.
bool TurnOnceIfMade(TDrive* Drive, int Positions) {
    if (Drive)
        TurnOnce(*Drive, Positions, true);
    return Drive != nullptr;
}

} // namespace

bool BuildDrivenUnits(TMechanismBuilder& Build, int Units, int Positions) {
    bool Whole = true;
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
        Whole = TurnOnceIfMade(Build.RotaryDrive(A0), Positions) && Whole;
    }
    return Whole;
}

namespace {

void ShowLabels(TJoint* J, bool Labels) {
    J->SetShowID(Labels);
    J->SetShowMPol(Labels);
}

} // namespace

void BuildSnakeChain(TMechanismBuilder& Build, bool Labels) {
    constexpr int Joints = 500;
    constexpr int Columns = 25;
    TJoint* Previous = nullptr;
    for (int I = 0; I < Joints; ++I) {
        const int Row = I / Columns;
        const int Column = Row % 2 == 0 ? I % Columns : Columns - 1 - I % Columns;
        const double X = 40 + Column * 74.5, Y = 1040 - Row * 51.5;
        TJoint* J = I == 0 || I == Joints - 1 ? Build.FrameJoint(X, Y) : Build.Joint(X, Y);
        ShowLabels(J, Labels);
        if (Previous)
            Build.Link({Previous, J})->SetShowID(Labels);
        Previous = J;
    }
}

bool BuildGroupChain(TMechanismBuilder& Build, int Joints) {
    const int Groups = (Joints - 2) / 2;
    std::vector<TJoint*> Moving(Groups + 1), Frame(Groups + 1);
    for (int G = Groups; G >= 1; --G) {
        Moving[G] = Build.Joint(10.0 * G, 20);
        Frame[G] = Build.FrameJoint(10.0 * G + 3, 0);
    }
    Moving[0] = Build.Joint(0, 20);
    TJoint* A0 = Build.FrameJoint(0, 0);
    Build.Link({A0, Moving[0]});
    for (int G = 1; G <= Groups; ++G) {
        Build.Link({Moving[G - 1], Moving[G]});
        Build.Link({Frame[G], Moving[G]});
    }
    return TurnOnceIfMade(Build.RotaryDrive(A0), 360);
}

bool BuildLoopChain(TMechanismBuilder& Build) {
    constexpr int Loops = 250;
    constexpr double Frame = 7, Crank = 21, Coupler = 28, Y = 540;
    TJoint* Pivot = Build.FrameJoint(80, Y);
    TJoint* End = Build.Joint(80, Y + Crank);
    ShowLabels(Pivot, true);
    ShowLabels(End, true);
    Build.Link({Pivot, End})->SetShowID(true);
    for (int K = 1; K <= Loops; ++K) {
        const double PX = 80 + Frame * K;
        // The crossing of the circles about the driving end and the new pivot, above the line
        // between them.
        const double DX = PX - End->X(), DY = Y - End->Y();
        const double D = std::hypot(DX, DY);
        const double Along = (Coupler * Coupler - Crank * Crank + D * D) / (2 * D);
        const double Up = std::sqrt(Coupler * Coupler - Along * Along);
        TJoint* Next = Build.Joint(End->X() + (Along * DX + Up * DY) / D,
                                   End->Y() + (Along * DY - Up * DX) / D);
        TJoint* Point = Build.Joint((End->X() + Next->X()) / 2, (End->Y() + Next->Y()) / 2 + 15);
        TJoint* NewPivot = Build.FrameJoint(PX, Y);
        for (TJoint* J : {Next, Point, NewPivot})
            ShowLabels(J, true);
        Build.Link({End, Next, Point})->SetShowID(true);
        Build.Link({NewPivot, Next})->SetShowID(true);
        End = Next;
    }
    return TurnOnceIfMade(Build.RotaryDrive(Pivot), 359);
}

TParallelogramLadder BuildParallelogramLadder(TMechanismBuilder& Build, int Parallelograms,
                                              bool Labels) {
    constexpr int Columns = 100;
    constexpr double Crank = 6;
    TParallelogramLadder M;
    for (int I = 0; I <= Parallelograms; ++I) {
        const int Row = I / Columns;
        const int Column = Row % 2 == 0 ? I % Columns : Columns - 1 - I % Columns;
        // The end rung stands apart, so that a drop of its joint meets no other.
        const double Apart = I == Parallelograms ? 120 : 0;
        const double X = 40 + Column * 18.25, Y = 1040 - Row * 20.25 - Apart;
        TJoint* F = Build.FrameJoint(X, Y);
        TJoint* J = Build.Joint(X + Crank, Y - Crank);
        for (TJoint* Each : {F, J})
            ShowLabels(Each, Labels);
        M.Cranks.push_back(Build.Link({F, J}));
        M.Cranks.back()->SetShowID(Labels);
        if (!M.Moving.empty()) {
            M.Couplers.push_back(Build.Link({M.Moving.back(), J}));
            M.Couplers.back()->SetShowID(Labels);
        }
        M.Frame.push_back(F);
        M.Moving.push_back(J);
    }
    M.Drive = Build.RotaryDrive(M.Frame.front());
    TurnOnceIfMade(M.Drive, 360);
    return M;
}
