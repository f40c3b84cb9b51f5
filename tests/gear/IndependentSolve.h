// A solve of a drawn mechanism that shares nothing with the planner or its steps: every moving
// link and block is a rigid body, the links at a joint meet there, every block's virtual joint
// stays on its slide line at its drawn offset and every block at its drawn angle against its
// slide link, and each drive holds its value. Newton's method on the bodies' turns and shifts,
// continued from the drawing in small steps of the drive values.
#pragma once

#include "surface/MMTypes.h"

#include <map>
#include <optional>
#include <vector>

class TDrive;
class TGearData;
class TJoint;

class TIndependentSolve {
public:
    using TPlaces = std::map<const TJoint*, TMMPoint>;

    // Reads the mechanism as it stands now, which counts as the drawing.
    explicit TIndependentSolve(const TGearData& Data);

    // As many conditions as unknowns: the mechanism has exactly the freedoms its drives take.
    bool IsSquare() const { return FRows == 3 * static_cast<int>(FBodies.size()); }
    // Every joint's place at the drive values of Position; none where the conditions cannot be
    // met on the way there or do not fix the mechanism (a dead centre, a locked or loose part).
    std::optional<TPlaces> At(int Position) const;

private:
    // A moving body's drawn centre, about which it turns.
    struct TBody {
        TMMPoint Centre{0, 0};
    };
    // A joint on one body: the body's index, or -1 for the frame and the links held by it.
    struct TOnBody {
        int Body;
        const TJoint* Joint;
    };
    struct TBlock {
        int Block, Line;
        const TJoint *Virtual, *Line0, *Line1;
        double Offset = 0; // the virtual joint's drawn distance across the line
    };
    struct TDriveLaw {
        enum { Turn, Slide } Kind = Turn;
        // Bodies: a turn's driven link against its holding one, a slide's block on its line.
        int Driven = -1, Holding = -1;
        const TJoint* Virtual = nullptr;
        const TJoint *Line0 = nullptr, *Line1 = nullptr;
        double Sense = 1; // how a slide's value moves the block along its line
        double Along = 0; // the virtual joint's drawn place along the line
        const TDrive* Drive = nullptr;
    };
    using TState = std::vector<double>;
    using TMatrix = std::vector<std::vector<double>>;

    TMMPoint Place(const TState& X, TOnBody P) const;
    TMMPoint Centre(const TState& X, int Body) const;
    // The drawn virtual joint along and across the line Line0 -> Line1 from Line0.
    TMMPoint DrawnOnLine(const TJoint* Virtual, const TJoint* Line0, const TJoint* Line1) const;
    // The direction of the line Line0 -> Line1 of the body.
    TMMPoint Direction(const TState& X, int Body, const TJoint* Line0, const TJoint* Line1) const;
    double Turn(const TState& X, int Body) const { return Body < 0 ? 0 : X[3 * Body + 2]; }
    void Conditions(const TState& X, const std::vector<double>& Values, std::vector<double>& F,
                    TMatrix& J) const;
    bool Newton(TState& X, const std::vector<double>& Values) const;

    std::map<const void*, int> FBodyOf;
    std::vector<TBody> FBodies;
    std::map<const TJoint*, TMMPoint> FDrawn;
    // Pairs of places that must coincide, a body's place that must stay where it was drawn.
    std::vector<std::pair<TOnBody, TOnBody>> FPins;
    std::vector<TOnBody> FGrounded;
    std::vector<TBlock> FBlocks;
    std::vector<TDriveLaw> FDrives;
    // Where each joint is read from in the answer.
    std::map<const TJoint*, TOnBody> FReadFrom;
    int FRows = 0;
};
