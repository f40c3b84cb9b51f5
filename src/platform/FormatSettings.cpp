#include "platform/FormatSettings.h"

TServiceSlot<const TFormatSettings>& FormatSettingsSlot() {
    static const TFormatSettings Neutral;
    static TServiceSlot<const TFormatSettings> Slot("Zahlenformat", &Neutral);
    return Slot;
}

const TFormatSettings& FormatSettings() {
    return FormatSettingsSlot().Get();
}
