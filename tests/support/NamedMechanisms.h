// The mechanisms that tests and benchmarks are tried on, each built in one place by coordinates
// through a mechanism builder. No Qt and no test framework: the model's tests and the benchmarks
// share them. A drive that cannot be made is nullptr in the result, or makes the result false.
#pragma once

#include "support/MechanismBuilder.h"

#include <optional>
#include <vector>

// Frame joints A0(0,0) and B0(45,0); crank A0-A(0,10), coupler A-B(24,28), rocker B0-B, a
// rotary drive at A0.
struct TCrankRocker {
    TJoint *A0 = nullptr, *A = nullptr, *B0 = nullptr, *B = nullptr;
    TLink *Crank = nullptr, *Coupler = nullptr, *Rocker = nullptr;
    TDrive* Drive = nullptr;
};
// The pivot B0 may be given: a joint placed before, on the frame or on another link. The crank
// may be drawn at CrankDegrees from the x axis instead of upright.
TCrankRocker BuildCrankRocker(TMechanismBuilder& Build, TJoint* B0 = nullptr,
                              std::optional<double> CrankDegrees = std::nullopt);

// On the crank-rocker: plates A-B-C(10,45) and B0-B-E(55,30), links C-Knee and Knee-E with the
// knee at (35,60), first in the joint list.
struct TSixBar : TCrankRocker {
    TJoint *C = nullptr, *E = nullptr, *Knee = nullptr;
};
TSixBar BuildSixBar(TMechanismBuilder& Build, TJoint* B0 = nullptr);

// Frame joints A(0,0) and D(60,0); crank A-B(0,20), coupler B-C(60,40), rocker D-C, and a rotary
// drive at A whose values turn the crank once round in 10 degree steps: the window tests' four-bar.
struct TWindowFourBar {
    TJoint *A = nullptr, *B = nullptr, *C = nullptr, *D = nullptr;
    TLink *Crank = nullptr, *Coupler = nullptr, *Rocker = nullptr;
    TDrive* Drive = nullptr;
};
TWindowFourBar BuildWindowFourBar(TMechanismBuilder& Build);

// The drive turns its joint once around in Positions equal steps, from the drawing on. With
// BackToStart the last entry is the full turn as well, else it is left at 0.
void TurnOnce(TDrive& Drive, int Positions, bool BackToStart = false);

// Units driven cranks side by side, 100 mm apart, each of five joints (frame joints A0 and B0),
// four links and a rotary drive once around in Positions steps: the file benchmark's mechanism.
bool BuildDrivenUnits(TMechanismBuilder& Build, int Units, int Positions);

// 500 joints and 499 bars snaking across 1920 x 1080 mm in rows of 25, both ends on the frame:
// the 1,000 parts of the repaint benchmark. Labels sets joint numbers, pole labels and link
// numbers.
void BuildSnakeChain(TMechanismBuilder& Build, bool Labels);

// A crank and a chain of two-link groups, each a joint on bars to the joint before and to a
// frame joint of its own, Joints in all. The joints are made last group first, as a file may
// list them, so that each pass of the planner places one group.
bool BuildGroupChain(TMechanismBuilder& Build, int Joints);

// 250 drag-link loops in a row, each loop's rocker the next loop's crank: frame 7 mm, crank and
// rocker 21 mm, a coupler plate of 28 mm with a point above it. All turn fully, so every one of
// the 359 positions solves. About 500 moving joints, labels on.
bool BuildLoopChain(TMechanismBuilder& Build);

// A ladder of Parallelograms parallelograms: frame joints snaking across 1920 x 1080 mm in rows
// of 100, each with a crank of its own to a moving joint 6 mm right and 6 mm down, and a coupler
// between each two neighbouring moving joints; the end rung stands 120 mm below its row. Each
// frame joint is made just before its crank's joint, the end joint last; one degree of freedom, a
// rotary drive at the first frame joint. Labels sets joint numbers, pole labels and link numbers.
struct TParallelogramLadder {
    std::vector<TJoint*> Frame, Moving;
    std::vector<TLink*> Cranks, Couplers;
    TDrive* Drive = nullptr;
};
TParallelogramLadder BuildParallelogramLadder(TMechanismBuilder& Build, int Parallelograms,
                                              bool Labels);
