// The Qt backend of the registry: an INI file in the user's configuration folder.
#pragma once

#include "platform/Registry.h"

#include <QSettings>
#include <QString>

class TQtRegistry : public TRegistry {
public:
    // The file ~/.config/koplar/registry.ini unless another is given.
    explicit TQtRegistry(const QString& FileName = DefaultFileName());

    std::optional<std::string> ReadString(const std::string& Key,
                                          const std::string& Name) const override;
    bool WriteString(const std::string& Key, const std::string& Name,
                     const std::string& Value) override;
    void DeleteKey(const std::string& Key) override;

    static QString DefaultFileName();

private:
    mutable QSettings FSettings;
};
