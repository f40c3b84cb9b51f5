#include "platform/qt/QtGuard.h"

#include "platform/qt/QtApplication.h"

#include <QtGlobal>

void ReportGuardedException(const std::string& Message) noexcept {
    if (auto* App = dynamic_cast<TQtApplication*>(QCoreApplication::instance())) {
        App->Report(Message);
        return;
    }
    try {
        TQtApplication::ShowError(Message);
    } catch (const std::exception& E) {
        qCritical("%s (%s)", Message.c_str(), E.what());
    } catch (...) {
        qCritical("%s", Message.c_str());
    }
}
