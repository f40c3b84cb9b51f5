// Program start: the Qt backends, the settings, the random generator and the windows.
#include "files/Preferences.h"
#include "files/SettingsLocation.h"
#include "gear/uGearPrefs.h"
#include "platform/Random.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtFileServices.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/QtTranslations.h"
#include "ui/AppWindows.h"
#include "ui/fmMain.h"

int main(int argc, char* argv[]) {
    TQtApplication App(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KOPLAR für Windows (GE)"));
    InstallGermanQtTexts(App);
    TQtPlatform QtPlatform;
    TScopedService<TPlatform> PlatformInstalled(PlatformSlot(), QtPlatform);
    TQtFileServices FileServices;
    // The settings are read once, here, before any window exists, so that every window is made
    // with them; the main window takes only its recent files from them when it is first shown.
    TPreferences AppPreferences;
    TScopedService<TCustomXMLPreferences> PreferencesInstalled(PreferencesSlot(), AppPreferences);
    LoadSettings(AppPreferences, SettingsLocation());
    AppPreferences.RegisterFileType();
    Randomize();
    int Result = 0;
    {
        TAppWindows Windows(App, QCoreApplication::arguments());
        Windows.FormMain().show();
        Result = App.exec();
    }
    AppPreferences.SaveToFile();
    return Result;
}
