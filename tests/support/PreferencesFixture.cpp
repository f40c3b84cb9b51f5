#include "support/PreferencesFixture.h"

TPreferencesFixture::TPreferencesFixture() : FPrevious(SetPreferences(&FPreferences)) {}

TPreferencesFixture::~TPreferencesFixture() { SetPreferences(FPrevious); }
