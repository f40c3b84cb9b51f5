// Application settings for a test: a TPreferences with every default registered, installed as
// the model's and the application's settings for the lifetime of the object, the previous ones
// back afterwards. Also the number conventions of a locale, installed the same way.
#pragma once

#include "files/Preferences.h"
#include "gear/uGearPrefs.h"
#include "platform/FormatSettings.h"
#include "support/ScratchDir.h"

class TPreferencesFixture {
public:
    TPreferencesFixture() = default;
    TPreferencesFixture(const TPreferencesFixture&) = delete;
    TPreferencesFixture& operator=(const TPreferencesFixture&) = delete;

    TPreferences& Prefs() { return FPreferences; }

private:
    TPreferences FPreferences;
    TScopedService<TCustomXMLPreferences> FInstalled{PreferencesSlot(), FPreferences};
};

// Puts a decimal separator in force for its lifetime.
class TSeparatorGuard {
public:
    explicit TSeparatorGuard(char C) : FSettings{C} {}
    TSeparatorGuard(const TSeparatorGuard&) = delete;
    TSeparatorGuard& operator=(const TSeparatorGuard&) = delete;

private:
    const TFormatSettings FSettings;
    TScopedService<const TFormatSettings> FInstalled{FormatSettingsSlot(), FSettings};
};
