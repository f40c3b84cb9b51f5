// Every dialog that one window opens from another is shown through here, so that tests answer it
// instead of blocking in its message loop.
#pragma once

#include <functional>

class QDialog;

using TModalRunner = std::function<int(QDialog&)>;

// Shows Dialog modally and returns its result (QDialog::Accepted or Rejected).
int RunModal(QDialog& Dialog);

// Replaces how dialogs are shown while it lives; the previous way comes back afterwards.
class TScopedModalRunner {
public:
    explicit TScopedModalRunner(TModalRunner Runner);
    ~TScopedModalRunner();
    TScopedModalRunner(const TScopedModalRunner&) = delete;
    TScopedModalRunner& operator=(const TScopedModalRunner&) = delete;

private:
    TModalRunner FPrevious;
};
