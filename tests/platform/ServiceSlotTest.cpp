// Process-wide services: installed for a scope, the previous one back afterwards, a clear error
// when none is installed.
#include "platform/ServiceSlot.h"
#include "platform/FormatSettings.h"
#include "platform/Platform.h"
#include "platform/Random.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {
struct TService {
    int Id;
};
} // namespace

TEST(ServiceSlot, InstallationsNestAndPutThePreviousServiceBack) {
    TServiceSlot<TService> Slot("Testdienst");
    TService A{1}, B{2};
    EXPECT_FALSE(Slot.Installed());
    {
        TScopedService<TService> First(Slot, A);
        EXPECT_EQ(Slot.Get().Id, 1);
        {
            TScopedService<TService> Second(Slot, B);
            EXPECT_EQ(Slot.Get().Id, 2);
            TScopedService<TService> None(Slot, nullptr);
            EXPECT_FALSE(Slot.Installed());
        }
        EXPECT_EQ(&Slot.Get(), &A);
    }
    EXPECT_FALSE(Slot.Installed());
}

TEST(ServiceSlot, AMissingServiceIsAnErrorNamingIt) {
    TServiceSlot<TService> Slot("Testdienst");
    try {
        Slot.Get();
        ADD_FAILURE() << "no error";
    } catch (const std::logic_error& E) {
        EXPECT_EQ(std::string(E.what()), "Der Dienst \"Testdienst\" ist nicht eingerichtet.");
    }
    TScopedService<TPlatform> NoPlatform(PlatformSlot(), nullptr);
    EXPECT_THROW(MessageDlg("?", TMsgDlgType::mtError, mbOK), std::logic_error);
}

TEST(ServiceSlot, PlatformOfATestIsInstalledWhileItLives) {
    TScopedService<TPlatform> NoPlatform(PlatformSlot(), nullptr);
    {
        TFakePlatform Fake;
        EXPECT_EQ(&Platform(), &Fake);
        MessageDlg("Hallo", TMsgDlgType::mtInformation, mbOK);
        ASSERT_EQ(Fake.Scripted().Asked.size(), 1u);
    }
    EXPECT_FALSE(PlatformSlot().Installed());
}

TEST(ServiceSlot, NumberConventionsFallBackToThePoint) {
    EXPECT_EQ(FormatSettings().DecimalSeparator, '.');
    const TFormatSettings Comma{','};
    {
        TScopedService<const TFormatSettings> Installed(FormatSettingsSlot(), Comma);
        EXPECT_EQ(FormatSettings().DecimalSeparator, ',');
    }
    EXPECT_EQ(FormatSettings().DecimalSeparator, '.');
}

TEST(ServiceSlot, ARandomSourceServesItsScopeAndTheSeededGeneratorComesBack) {
    RandSeed(7);
    const int Seeded = Random(1000);
    RandSeed(7);
    {
        TScopedRandomSource Outer([](int) { return 3; });
        EXPECT_EQ(Random(10), 3);
        {
            TScopedRandomSource Inner([](int N) { return N - 1; });
            EXPECT_EQ(Random(10), 9);
        }
        EXPECT_EQ(Random(10), 3);
        EXPECT_EQ(Random(0), 0); // never asks the source
    }
    EXPECT_EQ(Random(1000), Seeded);
}
