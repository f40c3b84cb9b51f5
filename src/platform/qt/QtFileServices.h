// Installs the Qt backends that the settings and file units use, for the lifetime of the object:
// the registry, the desktop shell and the locale's number conventions; the previous ones come
// back afterwards. main() holds one.
#pragma once

#include "platform/FormatSettings.h"
#include "platform/qt/QtDesktopShell.h"
#include "platform/qt/QtRegistry.h"

class TQtFileServices {
public:
    TQtFileServices();
    TQtFileServices(const TQtFileServices&) = delete;
    TQtFileServices& operator=(const TQtFileServices&) = delete;

private:
    TQtRegistry FRegistry;
    TQtDesktopShell FShell;
    const TFormatSettings FFormatSettings;
    TScopedService<TRegistry> FRegistryInstalled;
    TScopedService<TDesktopShell> FShellInstalled;
    TScopedService<const TFormatSettings> FFormatSettingsInstalled;
};
