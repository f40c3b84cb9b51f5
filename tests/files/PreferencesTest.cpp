#include "files/Preferences.h"
#include "support/PreferencesFixture.h"

#include <gtest/gtest.h>

TEST(PreferenceDefaults, EveryDefaultIsRegisteredInItsType) {
    TPreferencesFixture F;
    TPreferences& P = Preferences();
    EXPECT_EQ(&P, &F.Prefs());
    EXPECT_EQ(P.Count(), 82);
    struct Case {
        const char* Category;
        const char* Name;
        TVariant Value;
    } Cases[] = {
        {"MMSurface", "BackGroundColor", TVariant(0xFFFFFF)},
        {"MMGrid", "GridColor", TVariant::LongWord(0xFFFFB0)},
        {"Joints", "Radius", TVariant::Byte(5)},
        {"Animator", "JumpToFirstIfStoppped", TVariant(false)},
        {"Animator", "TimerInterval", TVariant::Byte(100)},
        {"Drives", "Angle2", TVariant(3.0543261909900767)},
        {"Edit", "MaxSelectDistance", TVariant::Byte(8)},
        {"Zoom", "InFactor", TVariant::Currency(TCurrency{12500})},
        {"Order", "Joints", TVariant::Byte(80)},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(std::string(C.Category) + "/" + C.Name);
        EXPECT_EQ(P.GetValue(C.Category, C.Name), C.Value);
    }
    EXPECT_EQ(P.GetItem(0)->Name(), "BackGroundColor");
    EXPECT_EQ(P.GetItem(81)->Category(), "Order");
    EXPECT_EQ(P.GetColor("MMGrid", "GridColor"), 0xFFFFB0u);
    EXPECT_DOUBLE_EQ(P.GetDouble("Zoom", "OutFactor"), 0.5);
}

TEST(PreferenceDefaults, FixtureRestoresThePreviousPreferences) {
    TPreferences Outer;
    TPreferences* Before = SetPreferences(&Outer);
    {
        TPreferencesFixture F;
        EXPECT_EQ(&Preferences(), &F.Prefs());
    }
    EXPECT_EQ(&Preferences(), &Outer);
    SetPreferences(Before);
}
