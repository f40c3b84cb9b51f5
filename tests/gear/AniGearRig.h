// The planner's rig: mechanisms drawn by coordinates through the data model, the planner on them,
// and the checks every solved position must pass.
#pragma once

#include "IndependentSolve.h"
#include "gear/uAniData.h"
#include "gear/uTAniGear.h"
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <map>
#include <numbers>
#include <optional>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

namespace AniGearRig {
inline constexpr double Tol = 1e-9;
inline constexpr double Pi = std::numbers::pi;

// Mechanisms drawn by coordinates through the data model, the planner on them, and the checks
// every solved position must pass.
struct TAniGearRig : TModelRig {
    TAniGear Gear{D()};
    // The joints and links of the mechanisms below besides the linkages'; each builder sets the
    // ones it draws.
    TJoint *BlockPin = nullptr, *Hub = nullptr;
    TLink* Guide = nullptr;
    TSlider* Block = nullptr;

    // A slider whose pin is the existing joint P, put on the slide link.
    TSlider* SliderAt(TJoint* P, TLink* SlideLink) { return TModelRig::Slider(SlideLink, P); }
    static void SetValues(TDrive* Drive, std::initializer_list<double> Values) {
        Drive->SetIntervals(static_cast<int>(Values.size()) - 1);
        int I = 0;
        for (double V : Values)
            Drive->SetValue(I++, V);
    }

    // The rocker pivot on a plate held by two frame joints.
    void PlateFixedCrankRocker() {
        B0 = Joint(45, 0);
        Link({FrameJoint(40, -10), FrameJoint(50, -10), B0});
        CrankRocker();
    }
    // Crank A0(0,0)-A(0,10), coupler to the pin (24,0) of a block on a guide (10,0)-(50,0) held
    // by two frame joints; turned at A0 or pushed along the guide.
    void SliderCrank(bool Sliding) {
        A0 = FrameJoint(0, 0);
        A = Joint(0, 10);
        Crank = Link({A0, A});
        Guide = Link({FrameJoint(10, 0), FrameJoint(50, 0)});
        Block = Slider(nullptr, 24, 0);
        BlockPin = Pin(Block);
        PutOn(Block, Guide);
        Coupler = Link({A, BlockPin});
        Drive = Sliding ? D().AddSlidingDrive(Block, true) : D().AddRotaryDrive(A0, true);
    }
    // Crank A0(0,0)-A(10,0); A is the pin of a block on the lever B0(0,-30)-C(20,30).
    void QuickReturn() {
        A0 = FrameJoint(0, 0);
        A = Joint(10, 0);
        Crank = Link({A0, A});
        B0 = FrameJoint(0, -30);
        C = Joint(20, 30);
        Guide = Link({B0, C});
        Block = SliderAt(A, Guide);
        Drive = D().AddRotaryDrive(A0, true);
    }
    // A cylinder pivoted at C0(0,0) with its far end Hub(24,18), whose piston pin P(40,30) is
    // the end of a lever about L0(40,0); the drive pushes the piston.
    void HydraulicCylinder() {
        TJoint* C0 = FrameJoint(0, 0);
        B0 = FrameJoint(40, 0);
        Block = Slider(nullptr, 40, 30);
        BlockPin = Pin(Block);
        Rocker = Link({B0, BlockPin});
        Hub = Joint(24, 18);
        Guide = Link({C0, Hub});
        PutOn(Block, Guide);
        Drive = D().AddSlidingDrive(Block, true);
    }
    // A cylinder body about C0(0,0) to Hub(60,0), drawn from the hub when HubFirst, carrying a
    // block with its pin at (30,0) and a second joint C at (30, 20 Side), which hangs on a bar
    // from B0(30, 60 Side); the drive pushes the block.
    void OffsetCylinder(bool HubFirst, double Side) {
        TJoint* C0 = FrameJoint(0, 0);
        Hub = Joint(60, 0);
        Guide = HubFirst ? Link({Hub, C0}) : Link({C0, Hub});
        Block = Slider(Guide, 30, 0);
        BlockPin = Pin(Block);
        C = Joint(30, 20 * Side);
        Block->AddJoint(C);
        B0 = FrameJoint(30, 60 * Side);
        Rocker = Link({B0, C});
        Drive = D().AddSlidingDrive(Block, true);
    }
    // A body from C0(0,0) to Hub, drawn from the hub when HubFirst, whose block has its pin at
    // (40,30). The body turns and the pin hangs on a bar from B0(40,0); or, Fixed, the body is a
    // guide held by two frame joints.
    void PushedAlongABody(TMMPoint HubAt, bool HubFirst, bool Fixed) {
        TJoint* C0 = FrameJoint(0, 0);
        Hub = Fixed ? FrameJoint(HubAt.X, HubAt.Y) : Joint(HubAt.X, HubAt.Y);
        Guide = HubFirst ? Link({Hub, C0}) : Link({C0, Hub});
        Block = Slider(Guide, 40, 30);
        BlockPin = Pin(Block);
        if (!Fixed)
            Rocker = Link({B0 = FrameJoint(40, 0), BlockPin});
        Drive = D().AddSlidingDrive(Block, true);
    }
    // A0(0,0), B0(30,0), A(0,10), B(30,10), turned at A0.
    void Parallelogram() {
        A0 = FrameJoint(0, 0);
        B0 = FrameJoint(30, 0);
        A = Joint(0, 10);
        B = Joint(30, 10);
        Crank = Link({A0, A});
        Coupler = Link({A, B});
        Rocker = Link({B0, B});
        Drive = D().AddRotaryDrive(A0, true);
    }

    void RememberDrawing() {
        for (const TJoint* Joint : D().Joints())
            Drawn[Joint] = Joint->Position();
    }
    ::testing::AssertionResult AtDrawnPlaces() const {
        for (const auto& [Joint, P] : Drawn)
            if (!Near(Joint->Position(), P))
                return ::testing::AssertionFailure()
                       << "joint " << Joint->ID() << " at " << Joint->X() << ", " << Joint->Y();
        return ::testing::AssertionSuccess();
    }
    // Distances between the real joints of each link as drawn; every virtual joint on its pin.
    ::testing::AssertionResult KeepsItsShape() const {
        for (const TCustomLink* L : Data->Links()) {
            const TJointList& Js = L->Joints();
            for (int I = 0; I < Js.Count(); ++I)
                for (int K = I + 1; K < Js.Count(); ++K) {
                    const TJoint* P = Js.Items(I);
                    const TJoint* Q = Js.Items(K);
                    if (P->IsVirtual() || Q->IsVirtual())
                        continue;
                    const double Now = P->DistanceToJoint(*Q);
                    const TMMPoint DP = Drawn.at(P), DQ = Drawn.at(Q);
                    const double Then = std::hypot(DP.X - DQ.X, DP.Y - DQ.Y);
                    if (std::abs(Now - Then) > Tol)
                        return ::testing::AssertionFailure()
                               << "joints " << P->ID() << " and " << Q->ID() << ": " << Now
                               << " instead of " << Then;
                }
            if (auto* S = dynamic_cast<const TSlider*>(L); S && Js.Count() > 1) {
                if (!Near(Js.Items(0)->Position(), Js.Items(1)->Position()))
                    return ::testing::AssertionFailure() << "virtual joint off its pin";
                if (::testing::AssertionResult Kept = KeepsItsPlaceOnTheSlideLink(*S); !Kept)
                    return Kept;
            }
        }
        return ::testing::AssertionSuccess();
    }
    // Lengths alone miss a block turned against its slide link: in the frame of the slide line
    // through the block's virtual joint, every joint of the block keeps its drawn coordinates,
    // and the virtual joint its drawn distance from the line.
    ::testing::AssertionResult KeepsItsPlaceOnTheSlideLink(const TSlider& S) const {
        const TLink* Line = S.SlideLink();
        if (!Line || Line->Joints().Count() < 2)
            return ::testing::AssertionSuccess();
        const TJoint* L0 = Line->Joints().Items(0);
        const TJoint* L1 = Line->Joints().Items(1);
        const TJoint* Origin = S.Joints().Items(0);
        const auto Local = [](TMMPoint P, TMMPoint O, TMMPoint From, TMMPoint To) {
            const double Length = std::hypot(To.X - From.X, To.Y - From.Y);
            const double UX = (To.X - From.X) / Length, UY = (To.Y - From.Y) / Length;
            const double DX = P.X - O.X, DY = P.Y - O.Y;
            return TMMPoint{DX * UX + DY * UY, DY * UX - DX * UY};
        };
        const TMMPoint OnLineNow =
            Local(Origin->Position(), L0->Position(), L0->Position(), L1->Position());
        const TMMPoint OnLineThen =
            Local(Drawn.at(Origin), Drawn.at(L0), Drawn.at(L0), Drawn.at(L1));
        if (std::abs(OnLineNow.Y - OnLineThen.Y) > Tol)
            return ::testing::AssertionFailure()
                   << "slider " << S.ID() << " " << OnLineNow.Y << " off its slide line instead of "
                   << OnLineThen.Y;
        for (const TJoint* K : S.Joints()) {
            const TMMPoint Now =
                Local(K->Position(), Origin->Position(), L0->Position(), L1->Position());
            const TMMPoint Then = Local(Drawn.at(K), Drawn.at(Origin), Drawn.at(L0), Drawn.at(L1));
            if (!Near(Now, Then))
                return ::testing::AssertionFailure()
                       << "joint " << K->ID() << " of slider " << S.ID() << " at " << Now.X << ", "
                       << Now.Y << " on its block instead of " << Then.X << ", " << Then.Y;
        }
        return ::testing::AssertionSuccess();
    }
    // What RowsMoveAsDrawn saw: the rows the plan solved, and those the independent solve reached.
    struct TRowCount {
        int Valid = 0, Compared = 0;
    };
    // Plans the mechanism as it stands and solves every gear position; every row the plan solves
    // keeps every link's shape and every block its place on its slide link, and agrees joint by
    // joint with the independent solve wherever that one reaches.
    ::testing::AssertionResult RowsMoveAsDrawn(TRowCount* Count = nullptr, double Within = Tol) {
        RememberDrawing();
        const TIndependentSolve Solve(D());
        if (!Gear.BuildFrom())
            return ::testing::AssertionFailure() << "not planned";
        TRowCount Seen;
        for (int Position = 0; Position < D().PositionCount(); ++Position) {
            if (!Gear.Calculate(Position))
                continue;
            ++Seen.Valid;
            if (::testing::AssertionResult Kept = KeepsItsShape(); !Kept)
                return Kept << " in position " << Position;
            const std::optional<TIndependentSolve::TPlaces> Want = Solve.At(Position);
            if (!Want)
                continue;
            ++Seen.Compared;
            for (const auto& [Joint, P] : *Want)
                if (std::abs(Joint->X() - P.X) > Within || std::abs(Joint->Y() - P.Y) > Within)
                    return ::testing::AssertionFailure()
                           << "joint " << Joint->ID() << " at " << Joint->X() << ", " << Joint->Y()
                           << " instead of " << P.X << ", " << P.Y << " in position " << Position;
        }
        if (Count)
            *Count = Seen;
        return ::testing::AssertionSuccess();
    }
    static bool Near(TMMPoint P, TMMPoint Q) {
        return std::abs(P.X - Q.X) <= Tol && std::abs(P.Y - Q.Y) <= Tol;
    }
    // The class of each step and the joint it places, in plan order.
    using TPlan = std::vector<std::pair<std::string, const TJoint*>>;
    TPlan Plan() const {
        TPlan Steps;
        for (const auto& Step : Gear.Solvers())
            Steps.emplace_back(typeid(*Step).name(), &Step->Joint());
        return Steps;
    }
    template <class Step> static std::pair<std::string, const TJoint*> By(const TJoint* J) {
        return {typeid(Step).name(), J};
    }

    std::map<const TJoint*, TMMPoint> Drawn;
};

} // namespace AniGearRig
