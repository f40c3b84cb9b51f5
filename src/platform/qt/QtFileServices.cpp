#include "platform/qt/QtFileServices.h"

#include "platform/qt/QtFormatSettings.h"

TQtFileServices::TQtFileServices()
    : FFormatSettings(SystemFormatSettings()), FRegistryInstalled(RegistrySlot(), FRegistry),
      FShellInstalled(DesktopShellSlot(), FShell),
      FFormatSettingsInstalled(FormatSettingsSlot(), FFormatSettings) {}
