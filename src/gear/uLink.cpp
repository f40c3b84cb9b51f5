#include "gear/uLink.h"

#include "gear/uGearUtils.h"
#include "gear/uJoint.h"
#include "surface/UtilLib.h"

#include <algorithm>
#include <cmath>

namespace {

// Ends the surface batch of a move even when the move throws.
class TMoveGuard {
public:
    explicit TMoveGuard(TCustomLink& Link) : FLink(Link) { FLink.BeginMove(); }
    ~TMoveGuard() { FLink.EndMove(); }
    TMoveGuard(const TMoveGuard&) = delete;
    TMoveGuard& operator=(const TMoveGuard&) = delete;

private:
    TCustomLink& FLink;
};

} // namespace

// --- TCustomLink

TCustomLink::TCustomLink(TComponent* AOwner) : TGearPart(AOwner) {}

TCustomLink::~TCustomLink() {
    // Leave the surface while still a whole link: the repaint that follows lets the joints read
    // this link's number.
    SetMMSurface(nullptr);
    // The joints may already be gone (the model frees joints first): never read them here.
    FReferenceJointID = -1;
    FJoints.Clear();
}

TJoint* TCustomLink::ReferenceJoint() const {
    if (FReferenceJointID < 0 || FReferenceJointID >= FJoints.Count())
        return nullptr;
    return FJoints.Items(FReferenceJointID);
}

void TCustomLink::SetListing(TPartListing* Listing) {
    TGearPart::SetListing(Listing);
    FJoints.SetRevision(Listing ? &Listing->Revision() : nullptr);
}

void TCustomLink::SetReferenceJoint(TJoint* Joint) {
    if (Joint)
        SetReferenceJointID(FJoints.IndexOf(Joint));
}

std::string TCustomLink::GetDisplayText() const {
    return PaddedInt(ID(), 2) + " - \"" + Identifier() + "\"";
}

void TCustomLink::GetBounds(TMMRect&) {}

double TCustomLink::Angle() const {
    return 0.0;
}

void TCustomLink::SetAngle(double) {}

TMMPoint TCustomLink::GlobalToLocal(TMMPoint P) const {
    const TJoint* Origin = ReferenceJoint();
    return Origin ? ToLocalCoords(P, Origin->Position(), Angle()) : P;
}

TMMPoint TCustomLink::LocalToGlobal(TMMPoint P) const {
    const TJoint* Origin = ReferenceJoint();
    return Origin ? ToGlobalCoords(P, Origin->Position(), Angle()) : P;
}

void TCustomLink::JointMoved(TObject*, TJoint*) {
    Changed();
}

void TCustomLink::AddJoint(TJoint* Joint) {
    if (FJoints.Contains(Joint))
        return;
    FJoints.Add(Joint);
    Joint->AddLink(this);
    if (!ReferenceJoint())
        FReferenceJointID = 0;
}

int TCustomLink::RemoveFromJoints(TJoint* Joint) {
    int Index = FJoints.Remove(Joint);
    if (Index >= 0 && Index < FReferenceJointID)
        --FReferenceJointID;
    return Index;
}

void TCustomLink::MoveUpdating(TObject* Source, bool Relative, double X, double Y) {
    TMoveGuard Guard(*this);
    Move(Source, Relative, X, Y);
}

void TCustomLink::BeginMove() {
    FIsMoving = true;
    if (MMSurface())
        MMSurface()->BeginUpdate();
}

void TCustomLink::EndMove() {
    FIsMoving = false;
    if (MMSurface())
        MMSurface()->EndUpdate();
}

// --- TLink

TLink::TLink(TComponent* AOwner) : TCustomLink(AOwner) {
    SetOrder(20);
}

double TLink::Length() const {
    if (Joints().Count() < 2)
        return 0.0;
    return JointDistance(*Joints().Items(0), *Joints().Items(1));
}

void TLink::SetLength(double Value) {
    if (Joints().Count() < 2)
        return;
    double A = Angle();
    TJoint* Fixed = Joints().Items(FixedEndIndex());
    TJoint* Moving = Joints().Items(1 - FixedEndIndex());
    Moving->SetPosition(this, Fixed->X() + Value * std::cos(A), Fixed->Y() + Value * std::sin(A));
}

TJoint* TLink::OtherJoint(const TJoint* Joint) const {
    if (Joints().Count() < 2)
        return nullptr;
    return Joints().Items(0) == Joint ? Joints().Items(1) : Joints().Items(0);
}

double TLink::Angle() const {
    if (Joints().Count() < 2)
        return 0.0;
    const TJoint* From = Joints().Items(FixedEndIndex());
    const TJoint* To = Joints().Items(1 - FixedEndIndex());
    return LineAngle(From->Position(), To->Position());
}

void TLink::SetAngle(double Value) {
    TJoint* Center = ReferenceJoint();
    if (!Center)
        return;
    double D = Value - Angle();
    for (int I = 0; I < Joints().Count(); ++I)
        if (I != ReferenceJointID())
            RotateJointAbout(this, *Center, *Joints().Items(I), D);
}

void TLink::JointMoved(TObject* Source, TJoint* Joint) {
    int Index = Joints().IndexOf(Joint);
    if (Joints().Count() >= 2 && Index >= 0) {
        if (Joint->IsVirtual() && Index >= 2)
            TurnToVirtualJoint(Joint);
        else if (!Joint->IsVirtual() && Index <= 1)
            PutVirtualJointsOnLine(Joint);
        // A real coupler point moved on its own deforms the plate; the line through joints 0
        // and 1, and so the sliders on it, stay where they are.
    }
    TCustomLink::JointMoved(Source, Joint);
}

void TLink::TurnToVirtualJoint(TJoint* Moved) {
    TJoint* Center = Joints().Items(FixedEndIndex());
    TJoint* End = Joints().Items(1 - FixedEndIndex());
    // Taken once, before anything moves: the link turns rigidly about its fixed end.
    double D = JointAngleBetween(*Center, *End, *Moved);
    RotateJointAbout(this, *Center, *End, D);
    for (int I = 2; I < Joints().Count(); ++I)
        if (Joints().Items(I) != Moved)
            RotateJointAbout(this, *Center, *Joints().Items(I), D);
}

void TLink::PutVirtualJointsOnLine(TJoint* Moved) {
    TJoint* Pivot = OtherJoint(Moved);
    for (int I = 0; I < Joints().Count(); ++I) {
        TJoint* V = Joints().Items(I);
        if (!V->IsVirtual())
            continue;
        double D = VertexAngle(Pivot->Position(), Moved->Position(), V->Position());
        RotateJointAbout(this, *Pivot, *V, D);
    }
}

void TLink::Move(TObject*, bool Relative, double X, double Y) {
    if (Relative)
        for (int I = 0; I < Joints().Count(); ++I)
            Joints().Items(I)->MoveBy(this, X, Y);
    Raise(OnMove, this);
}

void TLink::RemoveJoint(TJoint* Joint) {
    if (!Joints().Contains(Joint))
        return;
    if (Joints().Count() <= 2) {
        // A link cannot stand on fewer than two joints: it lets go of both.
        while (!Joints().Empty()) {
            TJoint* Last = Joints().Last();
            Last->RemoveLink(this);
            Joints().Delete(Joints().Count() - 1);
        }
        SetReferenceJointID(-1);
        return;
    }
    bool WasReference = Joints().IndexOf(Joint) == ReferenceJointID();
    RemoveFromJoints(Joint);
    if (WasReference)
        SetReferenceJointID(0);
}

double TLink::DistanceBound(double X, double Y) const {
    const TJointList& J = Joints();
    if (J.Count() < 2)
        return 0.0;
    double Left = J.Items(0)->X(), Right = Left, Bottom = J.Items(0)->Y(), Top = Bottom;
    for (const TJoint* K : J) {
        Left = std::min(Left, K->X());
        Right = std::max(Right, K->X());
        Bottom = std::min(Bottom, K->Y());
        Top = std::max(Top, K->Y());
    }
    const double DX = std::max({Left - X, 0.0, X - Right});
    const double DY = std::max({Bottom - Y, 0.0, Y - Top});
    // A little less, so that the rounding of the exact distance cannot fall below it.
    return std::max(DX, DY) * (1 - 1e-9);
}

double TLink::DistanceTo(double X, double Y) const {
    double Best = 1e20;
    const TJointList& J = Joints();
    auto Take = [&](const TJoint* A, const TJoint* B) {
        double D = PointSegmentDistance(A->X(), A->Y(), B->X(), B->Y(), X, Y);
        if (D < Best)
            Best = D;
    };
    for (int I = 1; I < J.Count(); ++I) {
        Take(J.Items(0), J.Items(I));
        if (I >= 2)
            Take(J.Items(1), J.Items(I));
    }
    return Best;
}
