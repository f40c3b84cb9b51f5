#include "gear/uAniData.h"

#include "gear/uDrive.h"
#include "gear/uGearUtils.h"
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
    if (FVirtualJoint) {
        FVirtualJoint->SetX(FJoint.X());
        FVirtualJoint->SetY(FJoint.Y());
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

TRigidPlacement::TRigidPlacement(const TJoint& Joint, const TJoint& A, const TJoint& From,
                                 const TJoint& To, int Sign)
    : FA(A), FFrom(From), FTo(To), FSign(Sign),
      FAngleOffset(static_cast<long double>(Sign > 0 ? JointDirection2(A, Joint)
                                                     : JointDirection2(Joint, A)) -
                   JointDirection2(From, To)),
      FDistance(JointDistance(Joint, A)) {}

TMMPoint TRigidPlacement::Place() const {
    const long double Angle = JointDirection2(FFrom, FTo) + FAngleOffset;
    const long double Reach = FSign * FDistance;
    return TMMPoint{static_cast<double>(FA.X() + Reach * std::cos(Angle)),
                    static_cast<double>(FA.Y() + Reach * std::sin(Angle))};
}

TAniDataRackDriveConJoint::TAniDataRackDriveConJoint(TJoint& Joint, const TDrive& Drive,
                                                     TJoint* VirtualJoint)
    : TAniData(Joint, VirtualJoint), FDrive(Drive), FCenter(Drive.GetJoint()) {
    if (FCenter) {
        FStartAngle = TCircle::Angle(static_cast<long double>(Joint.Y()) - FCenter->Y(),
                                     static_cast<long double>(Joint.X()) - FCenter->X());
        FRadius = JointDistance(*FCenter, Joint);
    }
}

bool TAniDataRackDriveConJoint::Calculate(int Position) {
    if (!FCenter)
        return false;
    const long double Angle = FDrive.GetValue(Position) + FStartAngle;
    return Place(TMMPoint{static_cast<double>(FCenter->X() + FRadius * std::cos(Angle)),
                          static_cast<double>(FCenter->Y() + FRadius * std::sin(Angle))});
}

// The pin B is where the drawing put it, so the joint's angle against the ray A -> B is kept
// rather than assuming the joint lies on that ray.
TAniDataJointBySlider::TAniDataJointBySlider(TJoint& Joint, const TJoint& A, const TJoint& B,
                                             TJoint* VirtualJoint)
    : TAniData(Joint, VirtualJoint), FPlacement(Joint, A, A, B, 1) {}

bool TAniDataJointBySlider::Calculate(int) {
    return Place(FPlacement.Place());
}

TAniDataCrossjoint::TAniDataCrossjoint(TJoint& Joint, const TJoint& A, const TJoint& B,
                                       TJoint* VirtualJoint)
    : TAniData(Joint, VirtualJoint), FPlacement(Joint, A, A, B, 1) {}

bool TAniDataCrossjoint::Calculate(int) {
    return Place(FPlacement.Place());
}

// The slide line B -> C is the direction the slider turns with, so the offset is measured
// against it; the direction to C would differ when the slider lies beyond C.
TAniDataCrossjointSlider::TAniDataCrossjointSlider(TJoint& Joint, const TJoint& A, const TJoint& B,
                                                   const TJoint& C, TJoint* VirtualJoint)
    : TAniData(Joint, VirtualJoint), FPlacement(Joint, A, B, C, 1) {}

bool TAniDataCrossjointSlider::Calculate(int) {
    return Place(FPlacement.Place());
}

TAniDataSliderByCrosspointStraightOne::TAniDataSliderByCrosspointStraightOne(
    TJoint& Joint, const TJoint& A, const TJoint& B, const TJoint& C, TJoint* VirtualJoint)
    : TAniData(Joint, VirtualJoint), FPlacement(Joint, A, B, C, -1) {}

bool TAniDataSliderByCrosspointStraightOne::Calculate(int) {
    return Place(FPlacement.Place());
}
