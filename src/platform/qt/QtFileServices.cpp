#include "platform/qt/QtFileServices.h"

#include "platform/qt/QtFormatSettings.h"

TQtFileServices::TQtFileServices()
    : FPreviousRegistry(SetRegistry(&FRegistry)), FPreviousShell(SetDesktopShell(&FShell)) {
    InstallSystemFormatSettings();
}

TQtFileServices::~TQtFileServices() {
    SetDesktopShell(FPreviousShell);
    SetRegistry(FPreviousRegistry);
}
