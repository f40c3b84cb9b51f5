// The Qt backend of the file dialogs: Qt's own QFileDialog, the same on every desktop.
#pragma once

#include "platform/Dialogs.h"

#include <QStringList>

// A "Name|patterns|Name|patterns" filter as Qt's name filters "Name (patterns)". "*.*" becomes "*"
// so that it also matches names without an extension.
QStringList QtNameFilters(const std::string& Filter);

class TQtFileDialogs : public TFileDialogs {
public:
    std::optional<std::string> OpenFile(const TFileDialogRequest& Request) override;
    std::optional<std::string> SaveFile(const TFileDialogRequest& Request) override;
};
