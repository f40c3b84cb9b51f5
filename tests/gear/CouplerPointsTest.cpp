// A link's coupler points: adding one, and the second assembly position of a joint, which keeps
// the points of each link that shares none on their link and leaves shared ones where they are.
#include "gear/uCouplerPoints.h"
#include "support/MechanismRigs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double Distance(TMMPoint P, TMMPoint Q) {
    return std::hypot(P.X - Q.X, P.Y - Q.Y);
}
// The side of P from the line through A towards B: the sign of the cross product.
double Side(TMMPoint A, TMMPoint B, TMMPoint P) {
    return (B.X - A.X) * (P.Y - A.Y) - (B.Y - A.Y) * (P.X - A.X);
}
// P mirrored across the line through A and B.
TMMPoint Mirrored(TMMPoint P, TMMPoint A, TMMPoint B) {
    const double DX = B.X - A.X, DY = B.Y - A.Y;
    const double T = ((P.X - A.X) * DX + (P.Y - A.Y) * DY) / (DX * DX + DY * DY);
    const TMMPoint Foot = MMPoint(A.X + T * DX, A.Y + T * DY);
    return MMPoint(2 * Foot.X - P.X, 2 * Foot.Y - P.Y);
}

TEST(CouplerPoints, AreTheJointsAfterTheTwoThatDefineTheLink) {
    TModelRig R;
    R.CrankRocker();
    EXPECT_TRUE(CouplerPoints(*R.Coupler).empty());
    TJoint* P = R.Joint(30, 50);
    TJoint* Q = R.Joint(20, 40);
    R.Coupler->AddJoint(P);
    R.Coupler->AddJoint(Q);
    EXPECT_EQ(CouplerPoints(*R.Coupler), (std::vector<TJoint*>{P, Q}));
    EXPECT_FALSE(HasSharedCouplerPoint(*R.Coupler));
    R.Link({Q, R.Joint(20, 80)});
    EXPECT_TRUE(HasSharedCouplerPoint(*R.Coupler));
    EXPECT_FALSE(HasSharedCouplerPoint(*R.Rocker));
}

TEST(CouplerPoints, ANewPointStandsBesideTheMiddleOfABarAndNeverOnASlideLink) {
    TModelRig R;
    TJoint* A = R.Joint(10, 10);
    TJoint* B = R.Joint(50, 40); // length 50
    TLink* Bar = R.Link({A, B});
    TJoint* P = AddCouplerPoint(R.D(), *Bar);
    ASSERT_NE(P, nullptr);
    EXPECT_TRUE(R.D().Joints().Contains(P));
    EXPECT_EQ(CouplerPoints(*Bar), std::vector<TJoint*>{P});
    // Half way along, a quarter of the length off the line.
    const double Along = ((P->X() - 10) * 40 + (P->Y() - 10) * 30) / 50;
    const double Off = std::abs(Side(A->Position(), B->Position(), P->Position())) / 50;
    EXPECT_NEAR(Along, 25, 1e-9);
    EXPECT_NEAR(Off, 12.5, 1e-9);

    TLink* Slide = R.Link({R.Joint(0, 80), R.Joint(100, 80)});
    R.Slider(Slide, 40, 80);
    const int Joints = R.D().Joints().Count();
    const int OnSlide = Slide->Joints().Count();
    EXPECT_EQ(AddCouplerPoint(R.D(), *Slide), nullptr);
    EXPECT_EQ(R.D().Joints().Count(), Joints);
    EXPECT_EQ(Slide->Joints().Count(), OnSlide);
}

struct TAssemblyCase {
    const char* Name;
    bool SliderFirst; // the joint's slider joins it before its bar
    bool Expected;
};

TEST(CouplerPoints, ASecondAssemblyPositionIsFoundForTwoBarsOrABarTurningAboutASlider) {
    {
        TModelRig R;
        R.CrankRocker();
        EXPECT_TRUE(HasSecondAssemblyPosition(*R.B));   // coupler and rocker
        EXPECT_FALSE(HasSecondAssemblyPosition(*R.A0)); // the frame and the crank
        EXPECT_FALSE(HasSecondAssemblyPosition(*R.Joint(70, 70)));
    }
    const TAssemblyCase Cases[] = {{"slider then bar", true, true},
                                   {"bar then slider", false, false}};
    for (const TAssemblyCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TModelRig R;
        TLink* Slide = R.Link({R.Joint(0, 50), R.Joint(100, 50)});
        TJoint* J = R.Joint(30, 50);
        TJoint* A = R.Joint(30, 0);
        if (C.SliderFirst) {
            R.Slider(Slide, J);
            R.Link({J, A});
        } else {
            R.Link({A, J});
            R.Slider(Slide, J);
        }
        EXPECT_EQ(HasSecondAssemblyPosition(*J), C.Expected);
    }
}

TEST(CouplerPoints, TheSecondAssemblyPositionCarriesUnsharedPointsAlongWithTheirLink) {
    TModelRig R;
    R.CrankRocker();
    TJoint* P = R.Joint(30, 50);
    R.Coupler->AddJoint(P);
    const TMMPoint A = R.A->Position(), B0 = R.B0->Position();
    const double ToA = Distance(P->Position(), A), ToB = Distance(P->Position(), R.B->Position());
    const double SideBefore = Side(A, R.B->Position(), P->Position());
    const TMMPoint Expected = Mirrored(R.B->Position(), A, B0);
    ASSERT_FALSE(SecondAssemblyKeepsSharedPoints(*R.B));

    MoveToSecondAssemblyPosition(R.D(), *R.B);
    ExpectAt(R.B, Expected.X, Expected.Y);
    ExpectAt(R.A, A.X, A.Y);
    // The coupler moved as one body: the point keeps its distances and its side.
    EXPECT_NEAR(Distance(P->Position(), A), ToA, 1e-9);
    EXPECT_NEAR(Distance(P->Position(), R.B->Position()), ToB, 1e-9);
    EXPECT_GT(Side(A, R.B->Position(), P->Position()) * SideBefore, 0);
}

TEST(CouplerPoints, TheSecondAssemblyPositionLeavesSharedPointsWhereTheyAre) {
    TModelRig R;
    R.CrankRocker();
    TJoint* P = R.Joint(30, 50);
    R.Coupler->AddJoint(P);
    R.Link({P, R.Joint(30, 80)}); // P drives a further link
    ASSERT_TRUE(SecondAssemblyKeepsSharedPoints(*R.B));
    const TMMPoint Expected = Mirrored(R.B->Position(), R.A->Position(), R.B0->Position());
    MoveToSecondAssemblyPosition(R.D(), *R.B);
    ExpectAt(R.B, Expected.X, Expected.Y);
    ExpectAt(P, 30, 50);
}

} // namespace
