#include "ui/fmMain.h"

void TFormMain::aFileNewExecute() {
    aEditExecute();
    FGear->Clear();
}
