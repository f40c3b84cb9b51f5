// Links and the sliders that run on them, moving one another.
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uSlider.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

namespace {

constexpr double Eps = 1e-9;

struct TMechanism {
    std::vector<std::unique_ptr<TJoint>> Joints;
    std::vector<std::unique_ptr<TCustomLink>> Links;

    TJoint& Joint(double X, double Y, bool IsVirtual = false) {
        Joints.push_back(std::make_unique<TJoint>());
        Joints.back()->SetX(X);
        Joints.back()->SetY(Y);
        Joints.back()->SetIsVirtual(IsVirtual);
        return *Joints.back();
    }
    template <class T> T& Link(std::initializer_list<TJoint*> On) {
        Links.push_back(std::make_unique<T>());
        for (TJoint* J : On)
            Links.back()->AddJoint(J);
        return static_cast<T&>(*Links.back());
    }
    // A slider on Slide whose virtual joint takes the pin's place.
    TSlider& Slider(TLink& Slide, TJoint& Pin) {
        TJoint& V = Joint(0, 0, true);
        Slide.AddJoint(&V);
        return Link<TSlider>({&V, &Pin});
    }
    TSlider& Slider(TLink& Slide, double X, double Y) { return Slider(Slide, Joint(X, Y)); }
};

void ExpectAt(const TJoint& J, double X, double Y) {
    EXPECT_NEAR(J.X(), X, Eps);
    EXPECT_NEAR(J.Y(), Y, Eps);
}

TEST(TLinkWithSliders, TurningTheSlideLinkCarriesTheSliders) {
    TMechanism M;
    TJoint& J0 = M.Joint(0, 0);
    TJoint& J1 = M.Joint(10, 0);
    TLink& Slide = M.Link<TLink>({&J0, &J1});
    TSlider& Near = M.Slider(Slide, 4, 0);
    TSlider& Far = M.Slider(Slide, 25, 0);
    ExpectAt(*Near.Joints().Items(0), 4, 0);

    J1.SetPosition(nullptr, 0, 10);
    for (auto [S, D] : {std::pair{&Near, 4.0}, std::pair{&Far, 25.0}}) {
        SCOPED_TRACE(D);
        ExpectAt(*S->Joints().Items(0), 0, D);
        ExpectAt(*S->Joints().Items(1), 0, D);
        EXPECT_NEAR(S->GetSlideDistance(), D, Eps);
    }
}

TEST(TLinkWithSliders, MovingASliderTurnsItsSlideLinkWithItsCouplerPoints) {
    TMechanism M;
    TJoint& J0 = M.Joint(0, 0);
    TJoint& J1 = M.Joint(10, 0);
    TJoint& C = M.Joint(10, 5);
    TLink& Slide = M.Link<TLink>({&J0, &J1, &C});
    TSlider& S = M.Slider(Slide, 5, 0);

    S.MoveUpdating(nullptr, false, 0, 5);
    ExpectAt(J0, 0, 0);
    ExpectAt(J1, 0, 10);
    ExpectAt(C, -5, 10);
    ExpectAt(*S.Joints().Items(1), 0, 5);

    // Along the line the link keeps its direction and the pin follows.
    S.MoveUpdating(nullptr, true, 0, 2);
    ExpectAt(J1, 0, 10);
    ExpectAt(*S.Joints().Items(1), 0, 7);
}

TEST(TLinkWithSliders, APinMovedByAnotherLinkTurnsTheSlideLink) {
    TMechanism M;
    TJoint& J0 = M.Joint(0, 0);
    TJoint& J1 = M.Joint(10, 0);
    TLink& Slide = M.Link<TLink>({&J0, &J1});
    TSlider& S = M.Slider(Slide, 5, 0);
    TJoint& Pin = *S.Joints().Items(1);
    TJoint& Crank = M.Joint(5, -10);
    TLink& Rod = M.Link<TLink>({&Crank, &Pin});

    Pin.SetPosition(&Rod, 5, 5);
    EXPECT_NEAR(Slide.Angle(), std::numbers::pi / 4, Eps);
    ExpectAt(*S.Joints().Items(0), 5, 5);
    EXPECT_NEAR(J1.DistanceTo(0, 0), 10, Eps);
}

// Two slide links, each carrying the slider whose pin is the other one's joint 1: every move
// comes back around. A small move settles; the large one never does and is ended by the nesting
// limit. Either way the cascade ends and nothing becomes NaN.
TEST(TLinkWithSliders, AClosedSliderLoopEnds) {
    TMechanism M;
    TJoint& A0 = M.Joint(0, 0);
    TJoint& B0 = M.Joint(20, 0);
    TJoint& PinOnA = M.Joint(7, 3);
    TJoint& PinOnB = M.Joint(13, 4);
    TLink& A = M.Link<TLink>({&A0, &PinOnB});
    TLink& B = M.Link<TLink>({&B0, &PinOnA});
    M.Slider(A, PinOnA);
    M.Slider(B, PinOnB);

    A0.SetPosition(nullptr, -3, 2);
    A0.SetPosition(nullptr, 30, 40);
    B0.MoveBy(nullptr, 1, 1);
    for (const auto& J : M.Joints) {
        EXPECT_TRUE(std::isfinite(J->X()));
        EXPECT_TRUE(std::isfinite(J->Y()));
    }
}

} // namespace
