#include "platform/qt/QtRegistry.h"

#include <QStandardPaths>

namespace {

// Registry paths use "\" between levels, QSettings groups "/".
QString GroupOf(const std::string& Key) {
    return QString::fromStdString(Key).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QString PathOf(const std::string& Key, const std::string& Name) {
    return GroupOf(Key) + QLatin1Char('/') + QString::fromStdString(Name);
}

} // namespace

TQtRegistry::TQtRegistry(const QString& FileName) : FSettings(FileName, QSettings::IniFormat) {}

QString TQtRegistry::DefaultFileName() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1String("/koplar/registry.ini");
}

std::optional<std::string> TQtRegistry::ReadString(const std::string& Key,
                                                   const std::string& Name) const {
    const QString Path = PathOf(Key, Name);
    if (!FSettings.contains(Path))
        return std::nullopt;
    return FSettings.value(Path).toString().toStdString();
}

bool TQtRegistry::WriteString(const std::string& Key, const std::string& Name,
                              const std::string& Value) {
    FSettings.setValue(PathOf(Key, Name), QString::fromStdString(Value));
    FSettings.sync();
    return FSettings.status() == QSettings::NoError;
}

void TQtRegistry::DeleteKey(const std::string& Key) {
    FSettings.remove(GroupOf(Key));
    FSettings.sync();
}
