// Application settings for a test: a TPreferences with every default registered, installed as
// Preferences() for the lifetime of the object, the previous one back afterwards.
#pragma once

#include "files/Preferences.h"

class TPreferencesFixture {
public:
    TPreferencesFixture();
    ~TPreferencesFixture();
    TPreferencesFixture(const TPreferencesFixture&) = delete;
    TPreferencesFixture& operator=(const TPreferencesFixture&) = delete;

    TPreferences& Prefs() { return FPreferences; }

private:
    TPreferences FPreferences;
    TPreferences* FPrevious;
};
