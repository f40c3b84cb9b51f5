// The number conventions of the user's locale that texts shown to the user and the settings file
// follow. Portable code reads them here instead of asking the C library, whose locale Qt changes.
#pragma once

struct TFormatSettings {
    char DecimalSeparator = '.';
};

// The process-wide settings; the Qt backend fills them from the system locale at start-up.
TFormatSettings& FormatSettings();
