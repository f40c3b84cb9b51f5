#include "support/MechanismRigs.h"
#include "support/ModelInvariants.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Sliders that share a pin and run on several links pose constraints that the cascade of moves
// never settles; each move fans out over the links. The edit still ends, and leaves the model
// whole with every joint at a finite place.
TEST(MoveCascade, SlidersSharingAPinOnSeveralLinksEndTheEdit) {
    TModelRig R;
    R.D().Clear(false);
    TSlider* S1 = R.Slider(nullptr, 100, -100);
    TSlider* S2 = R.Slider(nullptr, 50, -50);
    TSlider* S3 = R.Slider(nullptr, TModelRig::Pin(S2));
    TLink* L1 = R.Link({R.Joint(0, 0), TModelRig::Pin(S1)});
    TLink* L2 = R.Link({R.Joint(0, -80), R.Joint(-100, 20)});
    TLink* L3 = R.Link({R.Joint(0, 50), R.Joint(100, 50)});
    R.D().ConnectSliderToLink(S2, L1);
    R.D().ConnectSliderToLink(S3, L1);
    R.D().ConnectSliderToLink(S1, L2);
    R.D().ConnectSliderToLink(S3, L2);
    // So far the cascades end on their own, where they always ended: every slider sits on its
    // pin, and the pins lie on one line through the origin.
    for (TSlider* S : {S1, S2, S3})
        EXPECT_NEAR(TModelRig::Virtual(S)->DistanceToJoint(*TModelRig::Pin(S)), 0, 1e-9);
    EXPECT_NEAR(TModelRig::Pin(S1)->X(), -103.0288583817, 1e-9);
    EXPECT_NEAR(TModelRig::Pin(S1)->Y(), -96.8764901334, 1e-9);
    EXPECT_NEAR(TModelRig::Pin(S2)->X(), -51.5144291909, 1e-9);
    EXPECT_NEAR(TModelRig::Pin(S2)->Y(), -48.4382450667, 1e-9);
    R.D().ConnectSliderToLink(S3, L3);

    EXPECT_TRUE(ModelIsConsistent(R.D()));
    for (TLink* L : {L1, L2, L3})
        EXPECT_TRUE(L->Joints().Contains(TModelRig::Virtual(S3)));
    for (const TJoint* J : R.D().Joints()) {
        EXPECT_TRUE(std::isfinite(J->X()));
        EXPECT_TRUE(std::isfinite(J->Y()));
    }
    // A later drag ends as well.
    TModelRig::Pin(S2)->MoveBy(nullptr, 5, 5);
    for (const TJoint* J : R.D().Joints())
        EXPECT_TRUE(std::isfinite(J->X()) && std::isfinite(J->Y()));
}

} // namespace
