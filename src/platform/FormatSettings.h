// The number conventions of the user's locale that texts shown to the user and the settings file
// follow. Portable code reads them here instead of asking the C library, whose locale Qt changes.
#pragma once

#include "platform/ServiceSlot.h"

struct TFormatSettings {
    char DecimalSeparator = '.';
};

// Where the backend installs the locale's conventions (TScopedService); until then the point.
TServiceSlot<const TFormatSettings>& FormatSettingsSlot();
// The conventions in force.
const TFormatSettings& FormatSettings();
