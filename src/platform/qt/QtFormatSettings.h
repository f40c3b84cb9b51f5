// Fills the portable number conventions from the system locale; called once at program start.
#pragma once

void InstallSystemFormatSettings();
