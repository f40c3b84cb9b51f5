// Every dialog that one window opens from another is shown through here, so that tests answer it
// instead of blocking in its message loop.
#pragma once

#include "platform/ServiceSlot.h"

#include <functional>

class QDialog;

// Shows a dialog and returns its result (QDialog::Accepted or Rejected).
using TModalRunner = std::function<int(QDialog&)>;

// The dialog's own modal loop while nothing else is installed.
TServiceSlot<const TModalRunner>& ModalRunnerSlot();

// Shows Dialog modally and returns its result.
int RunModal(QDialog& Dialog);

// Another way of showing dialogs while it lives.
class TScopedModalRunner : public TOwnedScopedService<TModalRunner> {
public:
    explicit TScopedModalRunner(TModalRunner Runner)
        : TOwnedScopedService(ModalRunnerSlot(), std::move(Runner)) {}
};
