// Program start: the Qt backends, the random generator and the main window.
#include "files/Preferences.h"
#include "files/SettingsLocation.h"
#include "gear/uGearPrefs.h"
#include "platform/Random.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtFileServices.h"
#include "platform/qt/QtPlatform.h"
#include "ui/fmMain.h"

int main(int argc, char* argv[]) {
    TQtApplication App(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KOPLAR für Windows (GE)"));
    TQtPlatform QtPlatform;
    TScopedService<TPlatform> PlatformInstalled(PlatformSlot(), QtPlatform);
    TQtFileServices FileServices;
    // The settings and their defaults are in force before any window exists; they are loaded
    // first so that the save after the message loop never replaces the user's values.
    TPreferences AppPreferences;
    TScopedService<TCustomXMLPreferences> PreferencesInstalled(PreferencesSlot(), AppPreferences);
    LoadSettings(AppPreferences, SettingsLocation());
    AppPreferences.RegisterFileType();
    Randomize();
    int Result = 0;
    {
        TMainWindowSeams Seams;
        TFormMain FormMain(Seams);
        FormMain.show();
        Result = App.exec();
    }
    AppPreferences.SaveToFile();
    return Result;
}
