// How this project's windows are shown modally: through a replaceable runner, so tests answer a
// window without blocking in exec().
#pragma once

#include <QDialog>

#include <functional>

using TRunModal = std::function<int(QDialog&)>;

inline int ExecModal(QDialog& Dialog) {
    return Dialog.exec();
}
