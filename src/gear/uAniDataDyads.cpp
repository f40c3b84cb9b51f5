// The steps that cross two figures through known joints, without a drive.
#include "gear/uAniData.h"

#include "gear/uGearUtils.h"
#include "gear/uJoint.h"
#include "gear/uTCoordSystem.h"

TAniDataJointByTwoOthers::TAniDataJointByTwoOthers(TJoint& Joint, const TJoint& A, const TJoint& B,
                                                   TVirtualJoints VirtualJoints)
    : TAniData(Joint, std::move(VirtualJoints)),
      FCircleA(TCircle::Through(JointPosition(A), Joint.Position())),
      FCircleB(TCircle::Through(JointPosition(B), Joint.Position())),
      FWhich(
          ChooseWhich([this](bool Which) { return FCircleA.Intersect(FCircleB, Which); }, true)) {}

bool TAniDataJointByTwoOthers::Calculate(int) {
    return Place(FCircleA.Intersect(FCircleB, FWhich));
}

TAniDataSliderJoint::TAniDataSliderJoint(TJoint& Joint, const TJoint& C, const TJoint& L1,
                                         const TJoint& L2, TVirtualJoints VirtualJoints)
    : TAniData(Joint, std::move(VirtualJoints)), FLine(JointPosition(L1), JointPosition(L2)),
      FCircle(TCircle::Through(JointPosition(C), Joint.Position())),
      FWhich(ChooseWhich([this](bool Which) { return FCircle.IntersectLine(FLine, Which); })) {}

bool TAniDataSliderJoint::Calculate(int) {
    return Place(FCircle.IntersectLine(FLine, FWhich));
}

// The joint keeps its drawn signed distance from the slide line, so it crosses the circle with
// the line shifted by that distance.
TAniDataCrosspointSliderByStraightOne::TAniDataCrosspointSliderByStraightOne(
    TJoint& Joint, const TJoint& N, const TJoint& L1, const TJoint& L2,
    TVirtualJoints VirtualJoints)
    : TAniData(Joint, std::move(VirtualJoints)),
      FCircle(TCircle::Through(JointPosition(N), Joint.Position())),
      FLine(JointPosition(L1), JointPosition(L2)),
      FOffset(TCoordSystem(L1.Position(), L2.Position()).ToLocalY(Joint.X(), Joint.Y())),
      FWhich(ChooseWhich(
          [this](bool Which) { return FCircle.IntersectLine(FLine.Parallel(FOffset), Which); })) {}

bool TAniDataCrosspointSliderByStraightOne::Calculate(int) {
    return Place(FCircle.IntersectLine(FLine.Parallel(FOffset), FWhich));
}
