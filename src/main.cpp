// Program start: the Qt backends, the random generator and the main window.
#include "platform/Random.h"
#include "platform/qt/QtFileServices.h"
#include "platform/qt/QtPlatform.h"
#include "ui/fmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication App(argc, argv);
    TQtPlatform QtPlatform;
    SetPlatform(&QtPlatform);
    TQtFileServices FileServices;
    Randomize();
    int Result = 0;
    {
        TFormMain FormMain;
        FormMain.show();
        Result = App.exec();
    }
    SetPlatform(nullptr);
    return Result;
}
