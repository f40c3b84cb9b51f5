#include "platform/qt/QtDesktopShell.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace {
// The database tools finish in well under a second; a hanging one must not stop the start.
constexpr int ToolTimeoutMs = 30000;
} // namespace

TQtDesktopShell::TQtDesktopShell() {
    // The resources live in a static library; without this the linker may drop them.
    Q_INIT_RESOURCE(appicon);
}

std::string TQtDesktopShell::ProgramIcon() const {
    QFile F(QStringLiteral(":/icons/koplar.svg"));
    if (!F.open(QIODevice::ReadOnly))
        return {};
    return F.readAll().toStdString();
}

bool TQtDesktopShell::HasTool(const std::string& Tool) const {
    return !QStandardPaths::findExecutable(QString::fromStdString(Tool)).isEmpty();
}

bool TQtDesktopShell::RunTool(const std::string& Tool, const std::vector<std::string>& Arguments) {
    const QString Program = QStandardPaths::findExecutable(QString::fromStdString(Tool));
    if (Program.isEmpty())
        return false;
    QStringList Args;
    for (const std::string& A : Arguments)
        Args << QString::fromStdString(A);
    QProcess P;
    P.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    P.setStandardOutputFile(QProcess::nullDevice());
    P.start(Program, Args);
    if (!P.waitForFinished(ToolTimeoutMs)) {
        P.kill();
        P.waitForFinished();
        return false;
    }
    return P.exitStatus() == QProcess::NormalExit && P.exitCode() == 0;
}
