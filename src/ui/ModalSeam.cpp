#include "ui/ModalSeam.h"

#include <QDialog>

namespace {

TModalRunner& CurrentRunner() {
    static TModalRunner Runner = [](QDialog& Dialog) { return Dialog.exec(); };
    return Runner;
}

} // namespace

int RunModal(QDialog& Dialog) {
    return CurrentRunner()(Dialog);
}

TScopedModalRunner::TScopedModalRunner(TModalRunner Runner)
    : FPrevious(std::exchange(CurrentRunner(), std::move(Runner))) {}

TScopedModalRunner::~TScopedModalRunner() {
    CurrentRunner() = std::move(FPrevious);
}
