#include "gear/uAniData.h"

#include "gear/uDrive.h"
#include "gear/uJoint.h"

#include <cmath>

namespace {
// The drawn place and a probe coincide strictly below this distance.
constexpr double MatchDistance = 1e-10;

double Distance(TMMPoint A, TMMPoint B) {
    return std::hypot(A.X - B.X, A.Y - B.Y);
}
} // namespace

void TAniData::UpdateVirtualJoint() {
    for (TJoint* Virtual : FVirtualJoints) {
        Virtual->SetX(FJoint.X());
        Virtual->SetY(FJoint.Y());
    }
}

bool TAniData::Place(const std::optional<TMMPoint>& P) {
    if (!P)
        return false;
    FJoint.SetX(P->X);
    FJoint.SetY(P->Y);
    UpdateVirtualJoint();
    return true;
}

bool TAniData::ChooseWhich(const TProbe& Probe, bool FalseWins) const {
    const TMMPoint J = FJoint.Position();
    const std::optional<TMMPoint> OnTrue = Probe(true);
    const std::optional<TMMPoint> OnFalse = Probe(false);
    const bool TrueMatches = OnTrue && Distance(*OnTrue, J) < MatchDistance;
    const bool FalseMatches = OnFalse && Distance(*OnFalse, J) < MatchDistance;
    if (FalseMatches && (FalseWins || !TrueMatches))
        return false;
    if (TrueMatches || !OnFalse)
        return true;
    if (!OnTrue)
        return false;
    return Distance(*OnTrue, J) <= Distance(*OnFalse, J);
}

namespace {
struct TDirection {
    long double X, Y;
};

// The unit vector from From to To; coincident points give the direction pi / 2, as their angle
// does.
TDirection UnitDirection(const TJoint& From, const TJoint& To) {
    const long double DX = static_cast<long double>(To.X()) - From.X();
    const long double DY = static_cast<long double>(To.Y()) - From.Y();
    const long double Length = std::sqrt(DX * DX + DY * DY);
    if (!(Length > 0))
        return {0, 1};
    return {DX / Length, DY / Length};
}
} // namespace

TRigidPlacement::TRigidPlacement(const TJoint& Joint, const TJoint& A, const TJoint& From,
                                 const TJoint& To)
    : FA(A), FFrom(From), FTo(To) {
    const TDirection U = UnitDirection(From, To);
    const long double DX = static_cast<long double>(Joint.X()) - A.X();
    const long double DY = static_cast<long double>(Joint.Y()) - A.Y();
    FAlong = DX * U.X + DY * U.Y;
    FLeft = DY * U.X - DX * U.Y;
}

TMMPoint TRigidPlacement::Place() const {
    const TDirection U = UnitDirection(FFrom, FTo);
    return TMMPoint{static_cast<double>(FA.X() + FAlong * U.X - FLeft * U.Y),
                    static_cast<double>(FA.Y() + FAlong * U.Y + FLeft * U.X)};
}

TAniDataRackDriveConJoint::TAniDataRackDriveConJoint(TJoint& Joint, const TDrive& Drive,
                                                     TVirtualJoints VirtualJoints)
    : TAniData(Joint, std::move(VirtualJoints)), FDrive(Drive), FCenter(Drive.GetJoint()) {
    if (FCenter) {
        FStartX = static_cast<long double>(Joint.X()) - FCenter->X();
        FStartY = static_cast<long double>(Joint.Y()) - FCenter->Y();
    }
}

// The drive angle is turned in double precision: extended sine and cosine would cost several
// times a whole position.
bool TAniDataRackDriveConJoint::Calculate(int Position) {
    if (!FCenter)
        return false;
    const double Angle = FDrive.GetValue(Position);
    const long double Cos = std::cos(Angle);
    const long double Sin = std::sin(Angle);
    return Place(TMMPoint{static_cast<double>(FCenter->X() + Cos * FStartX - Sin * FStartY),
                          static_cast<double>(FCenter->Y() + Sin * FStartX + Cos * FStartY)});
}

// The pin B is where the drawing put it, so the joint's angle against the ray A -> B is kept
// rather than assuming the joint lies on that ray.
TAniDataJointBySlider::TAniDataJointBySlider(TJoint& Joint, const TJoint& A, const TJoint& B,
                                             const TJoint* Guide, TVirtualJoints VirtualJoints)
    : TAniData(Joint, std::move(VirtualJoints)), FPlacement(Joint, A, A, Guide ? *Guide : B) {}

bool TAniDataJointBySlider::Calculate(int) {
    return Place(FPlacement.Place());
}

TAniDataCrossjoint::TAniDataCrossjoint(TJoint& Joint, const TJoint& A, const TJoint& B,
                                       TVirtualJoints VirtualJoints)
    : TAniData(Joint, std::move(VirtualJoints)), FPlacement(Joint, A, A, B) {}

bool TAniDataCrossjoint::Calculate(int) {
    return Place(FPlacement.Place());
}

// The slide line B -> C is the direction the slider turns with, so the offset is measured
// against it; the direction to C would differ when the slider lies beyond C.
TAniDataCrossjointSlider::TAniDataCrossjointSlider(TJoint& Joint, const TJoint& A, const TJoint& B,
                                                   const TJoint& C, TVirtualJoints VirtualJoints)
    : TAniData(Joint, std::move(VirtualJoints)), FPlacement(Joint, A, B, C) {}

bool TAniDataCrossjointSlider::Calculate(int) {
    return Place(FPlacement.Place());
}

TAniDataSliderByCrosspointStraightOne::TAniDataSliderByCrosspointStraightOne(
    TJoint& Joint, const TJoint& A, const TJoint& B, const TJoint& C, TVirtualJoints VirtualJoints)
    : TAniData(Joint, std::move(VirtualJoints)), FPlacement(Joint, A, B, C) {}

bool TAniDataSliderByCrosspointStraightOne::Calculate(int) {
    return Place(FPlacement.Place());
}
