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
                                                   const TGearData& GearData, TJoint* VirtualJoint)
    : TAniData(Joint, VirtualJoint), FDrive(Drive) {
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

TDrivenSlideRadius::TDrivenSlideRadius(const TJoint& Joint, const TJoint& A, const TDrive& Drive)
    : FDrive(Drive), FAlong(JointDistance(A, Joint)), FSlideDistance(FAlong) {
    const TCustomLink* Block = Drive.Link0();
    const TJoint* Reference = Drive.GetJoint();
    const auto* SlideLink = AsBar(Drive.Link1());
    if (!Block || !AsSlider(Block) || Block->Joints().Empty() || !Reference ||
        !SlideLink || SlideLink->Joints().Count() < 2)
        return;
    // The axis points the way a positive value moves the block.
    const long double Angle =
        SlideLink->Angle() + (Drive.SlidesAgainstLinkAngle() ? std::numbers::pi_v<long double> : 0);
    const long double UX = std::cos(Angle), UY = std::sin(Angle);
    const long double DX = static_cast<long double>(Joint.X()) - A.X();
    const long double DY = static_cast<long double>(Joint.Y()) - A.Y();
    FAlong = DX * UX + DY * UY;
    FAcross = DY * UX - DX * UY;
    FSlideDistance = JointDistance(*Block->Joints().Items(0), *Reference);
}

std::optional<long double> TDrivenSlideRadius::At(int Position) const {
    const long double Shift = FDrive.GetValue(Position) / 1000.0L;
    if (!(FSlideDistance + Shift >= 0))
        return std::nullopt;
    return std::hypot(FAlong + Shift, FAcross);
}

TAniDataPistonDrive::TAniDataPistonDrive(TJoint& Joint, const TDrive& Drive, const TJoint& A,
                                         const TJoint& B, TJoint* VirtualJoint)
    : TAniData(Joint, VirtualJoint), FCircleA(TCircle::Through(JointPosition(A), Joint.Position())),
      FCircleB(TCircle::Through(JointPosition(B), Joint.Position())), FRadius(Joint, A, Drive),
      FWhich(ChooseWhich([this](bool Which) { return FCircleA.Intersect(FCircleB, Which); })) {}

bool TAniDataPistonDrive::Calculate(int Position) {
    if (!SetDrivenRadius(FCircleA, FRadius, Position))
        return false;
    return Place(FCircleA.Intersect(FCircleB, FWhich));
}

// In line, the two circles would only touch at the joint; the joint then slides along the line
// A -> B at its distance from B, and B (placed from the drive earlier) carries the drive.
TAniDataPistonDriveSliderJointCrossJoint::TAniDataPistonDriveSliderJointCrossJoint(
    TJoint& Joint, const TDrive& Drive, const TJoint& A, const TJoint& B, TJoint* VirtualJoint)
    : TAniData(Joint, VirtualJoint), FCircleB(TCircle::Through(JointPosition(B), Joint.Position())),
      FRadius(Joint, A, Drive), FWhich(true) {
    if (InLine(A, Joint, B)) {
        FLine.emplace(JointPosition(A), JointPosition(B));
        FWhich = ChooseWhich([this](bool Which) { return FCircleB.IntersectLine(*FLine, Which); });
    } else {
        FCircleA.emplace(TCircle::Through(JointPosition(A), Joint.Position()));
        FWhich = ChooseWhich([this](bool Which) { return FCircleA->Intersect(FCircleB, Which); });
    }
}

bool TAniDataPistonDriveSliderJointCrossJoint::Calculate(int Position) {
    if (!FCircleA)
        return Place(FCircleB.IntersectLine(*FLine, FWhich));
    if (!SetDrivenRadius(*FCircleA, FRadius, Position))
        return false;
    return Place(FCircleA->Intersect(FCircleB, FWhich));
}
