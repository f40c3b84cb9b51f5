// The portable number conventions read from the system locale.
#pragma once

#include "platform/FormatSettings.h"

TFormatSettings SystemFormatSettings();
