#include "IndependentSolve.h"

#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

bool IsFrame(const TCustomLink* L) {
    return dynamic_cast<const TRack*>(L) != nullptr;
}
bool OnFrame(const TJoint* J) {
    return std::any_of(J->Links().begin(), J->Links().end(), IsFrame);
}
// The frame, and any link that two frame joints hold to it.
bool IsHeld(const TCustomLink* L) {
    return IsFrame(L) || std::count_if(L->Joints().begin(), L->Joints().end(), OnFrame) > 1;
}

// Solves A x = b in place by elimination with the largest pivot; false when A is near singular
// against its own size.
bool SolveLinear(std::vector<std::vector<double>>& A, std::vector<double>& B) {
    const std::size_t N = B.size();
    double Largest = 0;
    for (const auto& Row : A)
        for (double V : Row)
            Largest = std::max(Largest, std::abs(V));
    for (std::size_t K = 0; K < N; ++K) {
        std::size_t Best = K;
        for (std::size_t I = K + 1; I < N; ++I)
            if (std::abs(A[I][K]) > std::abs(A[Best][K]))
                Best = I;
        if (!(std::abs(A[Best][K]) > 1e-9 * Largest))
            return false;
        std::swap(A[K], A[Best]);
        std::swap(B[K], B[Best]);
        for (std::size_t I = K + 1; I < N; ++I) {
            const double F = A[I][K] / A[K][K];
            for (std::size_t C = K; C < N; ++C)
                A[I][C] -= F * A[K][C];
            B[I] -= F * B[K];
        }
    }
    for (std::size_t K = N; K-- > 0;) {
        double S = B[K];
        for (std::size_t C = K + 1; C < N; ++C)
            S -= A[K][C] * B[C];
        B[K] = S / A[K][K];
    }
    return true;
}

double Cross(TMMPoint U, TMMPoint V) {
    return U.X * V.Y - U.Y * V.X;
}
double Dot(TMMPoint U, TMMPoint V) {
    return U.X * V.X + U.Y * V.Y;
}
TMMPoint Minus(TMMPoint P, TMMPoint Q) {
    return {P.X - Q.X, P.Y - Q.Y};
}

} // namespace

TIndependentSolve::TIndependentSolve(const TGearData& Data) {
    for (const TJoint* J : Data.Joints())
        FDrawn[J] = J->Position();
    for (const TCustomLink* L : Data.Links()) {
        if (IsHeld(L)) {
            FBodyOf[L] = -1;
            continue;
        }
        TBody Body;
        for (const TJoint* J : L->Joints()) {
            Body.Centre.X += J->X() / L->Joints().Count();
            Body.Centre.Y += J->Y() / L->Joints().Count();
        }
        FBodyOf[L] = static_cast<int>(FBodies.size());
        FBodies.push_back(Body);
    }
    const auto BodyOf = [this](const TCustomLink* L) { return FBodyOf.at(L); };
    for (const TJoint* J : Data.Joints()) {
        std::vector<int> Moving;
        bool Held = false;
        for (const TCustomLink* L : J->Links()) {
            if (BodyOf(L) < 0)
                Held = true;
            else
                Moving.push_back(BodyOf(L));
        }
        FReadFrom[J] = {Held || Moving.empty() ? -1 : Moving.front(), J};
        if (J->IsVirtual()) {
            // Read from its block, which the slide conditions keep on the line.
            for (const TCustomLink* L : J->Links())
                if (dynamic_cast<const TSlider*>(L))
                    FReadFrom[J] = {BodyOf(L), J};
            continue;
        }
        if (Held)
            for (int B : Moving)
                FGrounded.push_back({B, J});
        else
            for (std::size_t I = 1; I < Moving.size(); ++I)
                FPins.push_back({{Moving[0], J}, {Moving[I], J}});
    }
    for (const TCustomLink* L : Data.Links()) {
        const auto* S = dynamic_cast<const TSlider*>(L);
        const TLink* Line = S ? S->SlideLink() : nullptr;
        if (!Line || Line->Joints().Count() < 2)
            continue;
        TBlock B{BodyOf(S), BodyOf(Line), S->Joints().Items(0), Line->Joints().Items(0),
                 Line->Joints().Items(1)};
        B.Offset = DrawnOnLine(B.Virtual, B.Line0, B.Line1).Y;
        FBlocks.push_back(B);
    }
    for (const TDrive* D : Data.Drives()) {
        TDriveLaw Law;
        Law.Drive = D;
        Law.Driven = BodyOf(D->Link1());
        Law.Holding = BodyOf(D->Link0());
        if (D->DriveType() == dtSliding) {
            const auto* S = dynamic_cast<const TSlider*>(D->Link0());
            Law.Kind = TDriveLaw::Slide;
            Law.Driven = BodyOf(S);
            Law.Holding = BodyOf(D->Link1());
            Law.Virtual = S->Joints().Items(0);
            Law.Line0 = D->Link1()->Joints().Items(0);
            Law.Line1 = D->Link1()->Joints().Items(1);
            Law.Along = DrawnOnLine(Law.Virtual, Law.Line0, Law.Line1).X;
            // A value lengthens the block's distance from the line's reference joint.
            const TMMPoint U = Minus(Law.Line1->Position(), Law.Line0->Position());
            const TMMPoint Away = Minus(Law.Virtual->Position(), D->GetJoint()->Position());
            if (Dot(Away, U) / std::hypot(U.X, U.Y) < -1e-9)
                Law.Sense = -1;
        } else if (Law.Driven < 0) {
            // Against the frame, the moving link turns by the value whichever way it is named.
            std::swap(Law.Driven, Law.Holding);
        }
        FDrives.push_back(Law);
    }
    FRows = 2 * static_cast<int>(FPins.size() + FGrounded.size() + FBlocks.size()) +
            static_cast<int>(FDrives.size());
}

TMMPoint TIndependentSolve::DrawnOnLine(const TJoint* Virtual, const TJoint* Line0,
                                        const TJoint* Line1) const {
    const TMMPoint U = Direction(TState(3 * FBodies.size(), 0.0), -1, Line0, Line1);
    const TMMPoint D = Minus(FDrawn.at(Virtual), FDrawn.at(Line0));
    return {Dot(D, U), Cross(U, D)};
}

TMMPoint TIndependentSolve::Centre(const TState& X, int Body) const {
    const TBody& B = FBodies[static_cast<std::size_t>(Body)];
    return {B.Centre.X + X[3 * static_cast<std::size_t>(Body)],
            B.Centre.Y + X[3 * static_cast<std::size_t>(Body) + 1]};
}

TMMPoint TIndependentSolve::Place(const TState& X, TOnBody P) const {
    const TMMPoint Q = FDrawn.at(P.Joint);
    if (P.Body < 0)
        return Q;
    const TBody& B = FBodies[static_cast<std::size_t>(P.Body)];
    const double* T = &X[3 * static_cast<std::size_t>(P.Body)];
    const double C = std::cos(T[2]), S = std::sin(T[2]);
    const double DX = Q.X - B.Centre.X, DY = Q.Y - B.Centre.Y;
    return {B.Centre.X + T[0] + C * DX - S * DY, B.Centre.Y + T[1] + S * DX + C * DY};
}

TMMPoint TIndependentSolve::Direction(const TState& X, int Body, const TJoint* Line0,
                                      const TJoint* Line1) const {
    const TMMPoint D = Minus(FDrawn.at(Line1), FDrawn.at(Line0));
    const double Length = std::hypot(D.X, D.Y);
    const double C = std::cos(Turn(X, Body)), S = std::sin(Turn(X, Body));
    return {(C * D.X - S * D.Y) / Length, (S * D.X + C * D.Y) / Length};
}

// The conditions at X and their derivatives by the bodies' shifts and turns.
void TIndependentSolve::Conditions(const TState& X, const std::vector<double>& Values,
                                   std::vector<double>& F, TMatrix& J) const {
    F.clear();
    J.clear();
    const std::size_t N = X.size();
    const auto Row = [&](double Value) -> std::vector<double>& {
        F.push_back(Value);
        J.emplace_back(N, 0.0);
        return J.back();
    };
    // Adds Sign times the derivative of one coordinate (Axis 0: x, 1: y) of a body's place.
    const auto AddPlace = [&](std::vector<double>& R, double Sign, TOnBody P, int Axis) {
        if (P.Body < 0)
            return;
        const std::size_t B = 3 * static_cast<std::size_t>(P.Body);
        const TMMPoint Arm = Minus(Place(X, P), Centre(X, P.Body));
        R[B + static_cast<std::size_t>(Axis)] += Sign;
        R[B + 2] += Sign * (Axis == 0 ? -Arm.Y : Arm.X);
    };
    const auto Meet = [&](TOnBody P, TOnBody Q) {
        const TMMPoint A = Place(X, P), B = Place(X, Q);
        for (int Axis = 0; Axis < 2; ++Axis) {
            std::vector<double>& R = Row(Axis == 0 ? A.X - B.X : A.Y - B.Y);
            AddPlace(R, 1, P, Axis);
            AddPlace(R, -1, Q, Axis);
        }
    };
    const auto AddTurn = [&](std::vector<double>& R, double Sign, int Body) {
        if (Body >= 0)
            R[3 * static_cast<std::size_t>(Body) + 2] += Sign;
    };
    for (const auto& [P, Q] : FPins)
        Meet(P, Q);
    for (const TOnBody& P : FGrounded)
        Meet(P, {-1, P.Joint});
    // The block's virtual joint seen from the line's first joint, along (Across false) or across
    // the line, less its drawn value, with its derivatives.
    const auto OnLine = [&](double Target, bool Across, int Block, int Line, const TJoint* Virtual,
                            const TJoint* Line0, const TJoint* Line1) {
        const TMMPoint U = Direction(X, Line, Line0, Line1);
        const TMMPoint DU{-U.Y, U.X}; // by the line's turn
        const TOnBody V{Block, Virtual}, O{Line, Line0};
        const TMMPoint D = Minus(Place(X, V), Place(X, O));
        // The measure is Dot(D, U) or Cross(U, D) = Dot(D, (-U.Y, U.X)).
        const TMMPoint W = Across ? TMMPoint{-U.Y, U.X} : U;
        const TMMPoint DW = Across ? TMMPoint{-DU.Y, DU.X} : DU;
        std::vector<double>& R = Row(Dot(D, W) - Target);
        AddPlace(R, W.X, V, 0);
        AddPlace(R, W.Y, V, 1);
        AddPlace(R, -W.X, O, 0);
        AddPlace(R, -W.Y, O, 1);
        AddTurn(R, Dot(D, DW), Line);
    };
    for (const TBlock& B : FBlocks) {
        OnLine(B.Offset, true, B.Block, B.Line, B.Virtual, B.Line0, B.Line1);
        std::vector<double>& R = Row(Turn(X, B.Block) - Turn(X, B.Line));
        AddTurn(R, 1, B.Block);
        AddTurn(R, -1, B.Line);
    }
    for (std::size_t I = 0; I < FDrives.size(); ++I) {
        const TDriveLaw& D = FDrives[I];
        if (D.Kind == TDriveLaw::Turn) {
            std::vector<double>& R = Row(Turn(X, D.Driven) - Turn(X, D.Holding) - Values[I]);
            AddTurn(R, 1, D.Driven);
            AddTurn(R, -1, D.Holding);
            continue;
        }
        OnLine(D.Along + D.Sense * Values[I] / 1000, false, D.Driven, D.Holding, D.Virtual, D.Line0,
               D.Line1);
    }
}

bool TIndependentSolve::Newton(TState& X, const std::vector<double>& Values) const {
    std::vector<double> F;
    TMatrix J;
    for (int Iteration = 0; Iteration < 60; ++Iteration) {
        Conditions(X, Values, F, J);
        double Worst = 0;
        for (double V : F)
            Worst = std::max(Worst, std::abs(V));
        // Singular is singular even where the conditions already hold.
        if (!SolveLinear(J, F))
            return false;
        double Step = 0;
        for (std::size_t C = 0; C < X.size(); ++C) {
            X[C] -= F[C];
            Step = std::max(Step, std::abs(F[C]));
        }
        if (Worst < 1e-11 && Step < 1e-12)
            return true;
    }
    return false;
}

std::optional<TIndependentSolve::TPlaces> TIndependentSolve::At(int Position) const {
    if (!IsSquare())
        return std::nullopt;
    std::vector<double> Values;
    for (const TDriveLaw& D : FDrives)
        Values.push_back(D.Drive->GetValue(Position));
    TState X(3 * FBodies.size(), 0.0);
    constexpr int Steps = 40;
    for (int K = 1; K <= Steps; ++K) {
        std::vector<double> Partial;
        for (double V : Values)
            Partial.push_back(V * K / Steps);
        const TState Before = X;
        if (!Newton(X, Partial))
            return std::nullopt;
        // A big leap in one small step of the drive is a jump to another branch.
        for (const auto& [Joint, From] : FReadFrom)
            if (std::hypot(Place(X, From).X - Place(Before, From).X,
                           Place(X, From).Y - Place(Before, From).Y) > 5)
                return std::nullopt;
    }
    TPlaces Places;
    for (const auto& [Joint, From] : FReadFrom)
        Places[Joint] = Place(X, From);
    return Places;
}
