// Drawing settings copied into new joints, links, sliders, the frame and drives.
#include "gear/uDrive.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "gear/uRack.h"
#include "gear/uSlider.h"
#include "support/PreferencesFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <numbers>

TEST(GearPrefs, LinksOfEveryKindUnderTheDefaults) {
    TPreferencesFixture Fixture;
    struct Case {
        const char* Kind;
        std::unique_ptr<TCustomLink> Link;
        int LineThickness;
    };
    Case Cases[] = {
        {"bar", std::make_unique<TLink>(), 2},
        {"slider", std::make_unique<TSlider>(), 2},
        // The frame's own thickness replaces the links' one.
        {"frame", std::make_unique<TRack>(), 1},
    };
    for (Case& C : Cases) {
        SCOPED_TRACE(C.Kind);
        TCustomLink& L = *C.Link;
        L.SetSolidEdges(true);
        ApplyToLink(L);
        // Sliders and the frame share the links' order.
        EXPECT_EQ(L.Order(), 50);
        EXPECT_EQ(L.LineThickness(), C.LineThickness);
        EXPECT_EQ(L.IDTextHeight(), 15);
        EXPECT_EQ(L.IdentifierTextHeight(), 16);
        EXPECT_TRUE(L.ShowID());
        EXPECT_FALSE(L.ShowIdentifier());
        EXPECT_FALSE(L.ShowLinkCoord());
        EXPECT_EQ(L.LineColor(), clBlack);
        EXPECT_EQ(L.LineColorSelected(), clBlue);
        EXPECT_EQ(L.FillColor(), clWhite);
        EXPECT_EQ(L.FillColorSelected(), clWhite);
        EXPECT_EQ(L.ThinLineThickness(), 1);
        EXPECT_TRUE(L.ThinCoupleLines());
        EXPECT_FALSE(L.SolidEdges());
        EXPECT_EQ(L.SolidEdgeSize(), 10);
        if (auto* S = dynamic_cast<TSlider*>(&L)) {
            EXPECT_EQ(S->SizeX(), 30);
            EXPECT_EQ(S->SizeY(), 16);
        }
        if (auto* R = dynamic_cast<TRack*>(&L)) {
            EXPECT_EQ(R->Size(), 10);
            EXPECT_EQ(R->JointStyle(), 0);
        }
    }
}

TEST(GearPrefs, JointsUnderTheDefaults) {
    TPreferencesFixture Fixture;
    TJoint J;
    J.SetShowMiddle(true);
    ApplyToJoint(J);
    // Above links (50), drives (60), planes (70) and curves (71).
    EXPECT_EQ(J.Order(), 80);
    // The view's text heights, not the joints' own TextHeight and IDTextHeight settings.
    EXPECT_EQ(J.IDTextHeight(), 15);
    EXPECT_EQ(J.IdentifierTextHeight(), 16);
    EXPECT_TRUE(J.ShowID());
    EXPECT_FALSE(J.ShowIdentifier());
    EXPECT_FALSE(J.ShowMiddle());
    EXPECT_TRUE(J.ShowMPol());
    EXPECT_EQ(J.LineColor(), clBlack);
    EXPECT_EQ(J.LineColorSelected(), clBlue);
    EXPECT_EQ(J.FillColor(), clWhite);
    EXPECT_EQ(J.FillColorSelected(), clYellow);
    EXPECT_EQ(J.LineThickness(), 1);
    EXPECT_EQ(J.Radius(), 5);
    EXPECT_EQ(J.SmallRadius(), 4);
}

TEST(GearPrefs, DrivesUnderTheDefaults) {
    TPreferencesFixture Fixture;
    TDrive D;
    D.SetRadius(3);
    D.SetLineColor(clRed);
    ApplyToDrive(D);
    EXPECT_EQ(D.Order(), 60);
    EXPECT_EQ(D.Radius(), 20);
    EXPECT_DOUBLE_EQ(D.Angle1(), 10 * std::numbers::pi / 180);
    EXPECT_DOUBLE_EQ(D.Angle2(), 175 * std::numbers::pi / 180);
    EXPECT_EQ(D.ArrowWidth(), 10);
    EXPECT_EQ(D.ArrowHeight(), 6);
    EXPECT_EQ(D.LineThickness(), 1);
    EXPECT_EQ(D.LineColor(), clGreen);
}

TEST(GearPrefs, ChangedSettingsReachNewObjects) {
    TPreferencesFixture Fixture;
    TPreferences& P = Fixture.Prefs();
    // Sizes scaled for a printer page become fractions; they round halves to even.
    P.SetValue("Joints", "Radius", TVariant(2.5));
    P.SetValue("Joints", "SmallRadius", TVariant(3.5));
    P.SetValue("Rack", "LineThickness", TVariant(2.5));
    P.SetValue("Slider", "SizeX", TVariant::Byte(41));
    P.SetValue("Links", "LineColor", TVariant(static_cast<std::int32_t>(0x00AABB)));
    P.SetValue("Order", "Links", TVariant::Byte(55));
    P.SetValue("Drives", "Angle2", TVariant(1.25));
    TJoint J;
    ApplyToJoint(J);
    EXPECT_EQ(J.Radius(), 2);
    EXPECT_EQ(J.SmallRadius(), 4);
    TRack Frame;
    ApplyToLink(Frame);
    EXPECT_EQ(Frame.LineThickness(), 2);
    EXPECT_EQ(Frame.Order(), 55);
    TSlider S;
    ApplyToLink(S);
    EXPECT_EQ(S.SizeX(), 41);
    EXPECT_EQ(S.LineColor(), 0x00AABBu);
    TDrive D;
    ApplyToDrive(D);
    EXPECT_DOUBLE_EQ(D.Angle2(), 1.25);
}
