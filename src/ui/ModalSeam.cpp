#include "ui/ModalSeam.h"

#include <QDialog>

TServiceSlot<const TModalRunner>& ModalRunnerSlot() {
    static const TModalRunner Exec = [](QDialog& Dialog) { return Dialog.exec(); };
    static TServiceSlot<const TModalRunner> Slot("Dialoge", &Exec);
    return Slot;
}

int RunModal(QDialog& Dialog) {
    return ModalRunnerSlot().Get()(Dialog);
}
