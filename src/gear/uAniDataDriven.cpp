// The steps whose construction a sliding drive lengthens: the drive value moves the slider along
// its slide line, which changes a circle's radius.
#include "gear/uAniData.h"

#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uGearUtils.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uLinkKind.h"
#include "gear/uSlider.h"

#include <cmath>
#include <numbers>

namespace {
// A sliding drive's value is in thousandths of a millimetre. A length below zero is no position
// of the mechanism, so the circle is left as it is and the position fails.
bool SetDrivenLength(TCircle& Circle, long double Base, const TDrive& Drive, int Position) {
    const long double Radius = Base + Drive.GetValue(Position) / 1000.0L;
    if (!(Radius >= 0))
        return false;
    Circle.SetRadius(Radius);
    return true;
}

bool SetDrivenRadius(TCircle& Circle, const TDrivenSlideRadius& Radius, int Position) {
    const std::optional<long double> Value = Radius.At(Position);
    if (Value)
        Circle.SetRadius(*Value);
    return Value.has_value();
}

// A, J and B in one line within rounding, relative to the lengths involved.
bool InLine(const TJoint& A, const TJoint& J, const TJoint& B) {
    const long double ABX = static_cast<long double>(B.X()) - A.X();
    const long double ABY = static_cast<long double>(B.Y()) - A.Y();
    const long double AJX = static_cast<long double>(J.X()) - A.X();
    const long double AJY = static_cast<long double>(J.Y()) - A.Y();
    const long double Cross = ABX * AJY - ABY * AJX;
    return std::fabs(Cross) <= 1e-10L * std::hypot(ABX, ABY) * std::hypot(AJX, AJY);
}

const TLink* SlideLinkOf(const TJoint& Joint, const TGearData& GearData) {
    const TSlider* Slider = GearData.FindSliderOfJoint(&Joint);
    const TLink* SlideLink = Slider ? Slider->SlideLink() : nullptr;
    return SlideLink && SlideLink->Joints().Count() >= 2 ? SlideLink : nullptr;
}
} // namespace

TAniDataSliderDriveJoint::TAniDataSliderDriveJoint(TJoint& Joint, const TDrive& Drive,
                                                   const TGearData& GearData,
                                                   TVirtualJoints VirtualJoints)
    : TAniData(Joint, std::move(VirtualJoints)), FDrive(Drive) {
    const TJoint* Reference = Drive.GetJoint();
    const TLink* SlideLink = SlideLinkOf(Joint, GearData);
    if (!Reference || !SlideLink)
        return;
    FBase = JointDistance(*Reference, Joint);
    FCircle.emplace(TCircle::Through(JointPosition(*Reference), Joint.Position()));
    FLine.emplace(JointPosition(*SlideLink->Joints().Items(0)),
                  JointPosition(*SlideLink->Joints().Items(1)));
    FWhich = ChooseWhich([this](bool Which) { return FCircle->IntersectLine(*FLine, Which); });
}

bool TAniDataSliderDriveJoint::Calculate(int Position) {
    if (!FCircle || !SetDrivenLength(*FCircle, FBase, FDrive, Position))
        return false;
    return Place(FCircle->IntersectLine(*FLine, FWhich));
}

TDrivenAxis::TDrivenAxis(const TJoint& Joint, const TJoint& A, const TDrive& Drive) {
    const TCustomLink* Block = Drive.Link0();
    const TJoint* Reference = Drive.GetJoint();
    const auto* SlideLink = AsBar(Drive.Link1());
    if (!Block || !AsSlider(Block) || Block->Joints().Empty() || !Reference || !SlideLink ||
        SlideLink->Joints().Count() < 2) {
        const long double Length = JointDistance(A, Joint);
        if (Length > 0) {
            UX = (static_cast<long double>(Joint.X()) - A.X()) / Length;
            UY = (static_cast<long double>(Joint.Y()) - A.Y()) / Length;
        }
        SlideDistance = Length;
        return;
    }
    const long double Angle =
        SlideLink->Angle() + (Drive.SlidesAgainstLinkAngle() ? std::numbers::pi_v<long double> : 0);
    UX = std::cos(Angle);
    UY = std::sin(Angle);
    SlideDistance = JointDistance(*Block->Joints().Items(0), *Reference);
}

TDrivenAxis::TSeen TDrivenAxis::Seen(const TJoint& P, const TJoint& From) const {
    const long double DX = static_cast<long double>(P.X()) - From.X();
    const long double DY = static_cast<long double>(P.Y()) - From.Y();
    return {DX * UX + DY * UY, DY * UX - DX * UY};
}

TDrivenSlideRadius::TDrivenSlideRadius(const TJoint& Joint, const TJoint& A, const TDrive& Drive)
    : FDrive(Drive), FAxis(Joint, A, Drive), FSeen(FAxis.Seen(Joint, A)) {}

std::optional<long double> TDrivenSlideRadius::At(int Position) const {
    const long double Shift = FDrive.GetValue(Position) / 1000.0L;
    if (!(FAxis.SlideDistance + Shift >= 0))
        return std::nullopt;
    return std::hypot(FSeen.Along + Shift, FSeen.Across);
}

TDrivenBlockPlacement::TDrivenBlockPlacement(const TJoint& Joint, const TJoint& A, const TJoint& B,
                                             const TDrive& Drive)
    : FA(A), FB(B), FDrive(Drive), FAxis(Joint, A, Drive), FBSeen(FAxis.Seen(B, A)),
      FJointSeen(FAxis.Seen(Joint, B)) {}

std::optional<TMMPoint> TDrivenBlockPlacement::Place(int Position) const {
    const long double Shift = FDrive.GetValue(Position) / 1000.0L;
    if (!(FAxis.SlideDistance + Shift >= 0))
        return std::nullopt;
    // The turn that carries B - A as the block frame holds it now onto B - A as it stands.
    const long double SX = FBSeen.Along + Shift, SY = FBSeen.Across;
    const long double WX = static_cast<long double>(FB.X()) - FA.X();
    const long double WY = static_cast<long double>(FB.Y()) - FA.Y();
    const long double Lengths = std::hypot(SX, SY) * std::hypot(WX, WY);
    if (!(Lengths > 0))
        return std::nullopt;
    // The same turn carries the block frame's axes into the world.
    const long double Cos = (SX * WX + SY * WY) / Lengths, Sin = (SX * WY - SY * WX) / Lengths;
    const TDrivenAxis::TSeen& J = FJointSeen;
    return TMMPoint{static_cast<double>(FB.X() + J.Along * Cos - J.Across * Sin),
                    static_cast<double>(FB.Y() + J.Along * Sin + J.Across * Cos)};
}

namespace {
// B is a point of the block the drive moves, held with the joint on one rigid body.
bool OnDrivenBlock(const TJoint& B, const TDrive& Drive) {
    const auto* Block = AsSlider(Drive.Link0());
    return Block && Block->Joints().Contains(&B);
}
} // namespace

TAniDataPistonDrive::TAniDataPistonDrive(TJoint& Joint, const TDrive& Drive, const TJoint& A,
                                         const TJoint& B, TVirtualJoints VirtualJoints)
    : TAniData(Joint, std::move(VirtualJoints)),
      FCircleA(TCircle::Through(JointPosition(A), Joint.Position())),
      FCircleB(TCircle::Through(JointPosition(B), Joint.Position())), FRadius(Joint, A, Drive),
      FWhich(ChooseWhich([this](bool Which) { return FCircleA.Intersect(FCircleB, Which); })) {
    // Two circles would keep the joint on its drawn side of the line A -> B, which the block
    // leaves when A passes that line as it slides.
    if (OnDrivenBlock(B, Drive))
        FOnBlock.emplace(Joint, A, B, Drive);
}

bool TAniDataPistonDrive::Calculate(int Position) {
    if (FOnBlock)
        return Place(FOnBlock->Place(Position));
    if (!SetDrivenRadius(FCircleA, FRadius, Position))
        return false;
    return Place(FCircleA.Intersect(FCircleB, FWhich));
}

TAniDataPistonDriveSliderJointCrossJoint::TAniDataPistonDriveSliderJointCrossJoint(
    TJoint& Joint, const TDrive& Drive, const TJoint& A, const TJoint& B,
    TVirtualJoints VirtualJoints)
    : TAniData(Joint, std::move(VirtualJoints)),
      FCircleB(TCircle::Through(JointPosition(B), Joint.Position())), FRadius(Joint, A, Drive),
      FWhich(true) {
    // In line, the two circles would only touch at the joint; off the line they would keep the
    // joint on its drawn side of A -> B, which the block leaves as A passes that line.
    if (InLine(A, Joint, B) || OnDrivenBlock(B, Drive)) {
        FOnBlock.emplace(Joint, A, B, Drive);
    } else {
        FCircleA.emplace(TCircle::Through(JointPosition(A), Joint.Position()));
        FWhich = ChooseWhich([this](bool Which) { return FCircleA->Intersect(FCircleB, Which); });
    }
}

bool TAniDataPistonDriveSliderJointCrossJoint::Calculate(int Position) {
    if (FOnBlock)
        return Place(FOnBlock->Place(Position));
    if (!SetDrivenRadius(*FCircleA, FRadius, Position))
        return false;
    return Place(FCircleA->Intersect(FCircleB, FWhich));
}
