#include "RandomMechanism.h"

#include "support/MechanismRigs.h"

#include <algorithm>
#include <cmath>

void TRandomMechanism::Draw(int Groups) {
    AddCrank();
    for (int G = 0; G < Groups; ++G) {
        FEarlier = static_cast<int>(FPoints.size());
        switch (Pick(12)) {
        case 0:
            AddCrank();
            break;
        case 3:
            AddCouplerPoint();
            break;
        case 4:
            AddSliderDyad();
            break;
        case 5:
            AddCylinder();
            break;
        case 7:
            AddFixedSlot();
            break;
        case 8:
            AddSecondBlock();
            break;
        case 9:
            AddSecondFrame();
            break;
        case 10:
            AddDrivenLink();
            break;
        default:
            AddDyad();
            break;
        }
    }
    Realise();
}

int TRandomMechanism::NewPoint(bool Frame) {
    FPoints.push_back({Uniform(-100, 100), Uniform(-100, 100), Frame});
    return static_cast<int>(FPoints.size()) - 1;
}

int TRandomMechanism::PointAt(double X, double Y) {
    FPoints.push_back({X, Y, false});
    return static_cast<int>(FPoints.size()) - 1;
}

int TRandomMechanism::AddLink(std::vector<int> Joints) {
    FLinks.push_back(std::move(Joints));
    return static_cast<int>(FLinks.size()) - 1;
}

int TRandomMechanism::PointOnLine(int From, int Through, double T) {
    const TPoint A = FPoints[From], B = FPoints[Through];
    return PointAt(A.X + T * (B.X - A.X), A.Y + T * (B.Y - A.Y));
}

int TRandomMechanism::PointOnLink(int Link, bool NearAnEnd) {
    const double T = !NearAnEnd ? Uniform(-0.5, 1.5)
                     : Pick(2)  ? Uniform(-0.15, 0.15)
                                : Uniform(0.85, 1.15);
    return PointOnLine(FLinks[Link][0], FLinks[Link][1], T);
}

void TRandomMechanism::AddCrank() {
    const int Pivot = NewPoint(true);
    FCranks.push_back(AddLink({Pivot, NewPoint(false)}));
}

void TRandomMechanism::AddDyad() {
    AddDyadFrom(AnyPoint());
}

void TRandomMechanism::AddDyadFrom(int P) {
    int Q = AnyPoint();
    if (Q == P)
        Q = NewPoint(true);
    const int N = NewPoint(false);
    AddLink({P, N});
    AddLink(Pick(2) ? std::vector<int>{Q, N} : std::vector<int>{N, Q});
}

// A block on any link, often near one of its first joints so that it may pass it, the link with
// a point of its own now and then.
void TRandomMechanism::AddSliderDyad() {
    const int Link = AnyLink();
    const int Pin = PointOnLink(Link, Pick(3) == 0);
    FBlocks.push_back({Link, Pin, {}, false});
    AddLink({AnyPoint(), Pin});
    if (Pick(3) == 0)
        AddCouplerPointTo(FBlocks.back());
    if (Pick(3) == 0)
        FLinks[Link].push_back(NewPoint(false));
}

// A body about a known point with a free hub, pushed by a drive, its block hanging on a bar at
// the pin or at a block point; a second block point may lie in line with the body's pivot and the
// first, as a drawing snapped to a grid gives it.
void TRandomMechanism::AddCylinder() {
    const int Pivot = AnyPoint();
    const int Body = AddLink(Pick(2) ? std::vector<int>{Pivot, NewPoint(false)}
                                     : std::vector<int>{NewPoint(false), Pivot});
    const int Pin = PointOnLink(Body, false);
    FBlocks.push_back({Body, Pin, {}, true});
    int Hung = Pin;
    if (const int Points = Pick(3)) {
        TBlock& Block = FBlocks.back();
        AddCouplerPointTo(Block);
        Hung = Block.Couplers.back();
        if (Points == 2)
            Block.Couplers.push_back(PointOnLine(Pivot, Hung, Uniform(1.2, 1.6)));
        // The points of a block are listed either way round.
        if (Pick(2))
            std::reverse(Block.Couplers.begin(), Block.Couplers.end());
    }
    AddLink({AnyPoint(), Hung});
}

// A block on a guide held by two frame joints, the guide with a point of its own now and then.
// The block is pulled by a bar, or pushed along the guide, its pin then driving a dyad or running
// in a turning slotted arm as well.
void TRandomMechanism::AddFixedSlot() {
    const int Guide = AddLink({NewPoint(true), NewPoint(true)});
    const int Pin = PointOnLink(Guide, Pick(2));
    const bool Pushed = Pick(2);
    FBlocks.push_back({Guide, Pin, {}, Pushed});
    if (Pick(2))
        FLinks[Guide].push_back(NewPoint(false));
    if (!Pushed)
        AddLink({AnyPoint(), Pin});
    else if (Pick(3) == 0)
        AddSlottedArm(Pin);
    else
        AddDyadFrom(Pin);
}

// A block in a slotted arm turning about a known point, at the pin or point of another block or
// at any moving joint.
void TRandomMechanism::AddSecondBlock() {
    const int Joint = AnyPoint();
    if (FBlocks.empty() || Pick(2)) {
        if (FPoints[Joint].Frame)
            return AddDyad();
        return AddSlottedArm(Joint);
    }
    const TBlock& First = FBlocks[Pick(static_cast<int>(FBlocks.size()))];
    const int At = Pick(static_cast<int>(First.Couplers.size()) + 1);
    AddSlottedArm(At == 0 ? First.Pin : First.Couplers[At - 1]);
}

// The arm's far end lies beyond the pin, near it or behind the pivot, so that the pin may pass
// it; the arm has a point of its own now and then.
void TRandomMechanism::AddSlottedArm(int Pin) {
    int Pivot = AnyPoint();
    if (Pivot == Pin)
        Pivot = NewPoint(true);
    const int Where = Pick(3);
    const double T = Where == 0   ? Uniform(1.1, 1.8)
                     : Where == 1 ? Uniform(0.85, 1.15)
                                  : Uniform(-0.8, -0.2);
    const int End = PointOnLine(Pivot, Pin, T);
    const int Arm = AddLink(Pick(2) ? std::vector<int>{Pivot, End} : std::vector<int>{End, Pivot});
    FBlocks.push_back({Arm, Pin, {}, false});
    if (Pick(3) == 0)
        AddCouplerPointTo(FBlocks.back());
    if (Pick(2))
        FLinks[Arm].push_back(NewPoint(false));
}

// A plate that two frame joints hold still, with a joint of its own that later groups may use.
void TRandomMechanism::AddSecondFrame() {
    AddLink({NewPoint(true), NewPoint(true), NewPoint(false)});
}

// A link on a moving joint, turned against a link already there by a drive of its own.
void TRandomMechanism::AddDrivenLink() {
    const int Joint = AnyPoint();
    const auto Holding = std::find_if(FLinks.begin(), FLinks.end(), [Joint](const auto& L) {
        return std::find(L.begin(), L.end(), Joint) != L.end();
    });
    if (FPoints[Joint].Frame || Holding == FLinks.end())
        return AddDyad();
    const int HoldingIndex = static_cast<int>(Holding - FLinks.begin());
    FLinkDrives.push_back({Joint, HoldingIndex, AddLink({Joint, NewPoint(false)})});
}

void TRandomMechanism::Realise() {
    std::vector<int> Order(FPoints.size());
    for (std::size_t I = 0; I < Order.size(); ++I)
        Order[I] = static_cast<int>(I);
    std::shuffle(Order.begin(), Order.end(), FRandom);
    std::vector<TJoint*> Joints(FPoints.size());
    for (int I : Order)
        Joints[I] = FPoints[I].Frame ? FRig.FrameJoint(FPoints[I].X, FPoints[I].Y)
                                     : FRig.Joint(FPoints[I].X, FPoints[I].Y);
    std::vector<TLink*> Links;
    for (const std::vector<int>& L : FLinks) {
        Links.push_back(FRig.Link({Joints[L[0]], Joints[L[1]]}));
        for (std::size_t K = 2; K < L.size(); ++K)
            Links.back()->AddJoint(Joints[L[K]]);
    }
    std::shuffle(FBlocks.begin(), FBlocks.end(), FRandom);
    for (const TBlock& B : FBlocks) {
        TSlider* S = FRig.Slider(Links[B.Link], Joints[B.Pin]);
        for (int K : B.Couplers)
            S->AddJoint(Joints[K]);
        if (B.Driven)
            FRig.D().AddSlidingDrive(S, true);
    }
    for (int Crank : FCranks)
        FRig.D().AddRotaryDrive(Links[Crank]->Joints().Items(0), true);
    for (const TLinkDrive& L : FLinkDrives)
        if (TDrive* Drive = FRig.D().AddRotaryDrive(Joints[L.Joint], true)) {
            Drive->SetLink0(Links[L.Holding]);
            Drive->SetLink1(Links[L.Driven]);
        }
}
