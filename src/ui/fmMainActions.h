// The main window's commands: one named action each, with the caption and hint users know.
#pragma once

#include <QAction>
#include <QHash>
#include <QString>

class TMainActions {
public:
    // Creates every command as a child of Owner, in the order of the command list.
    explicit TMainActions(QObject* Owner);

    QAction* operator[](const char* Name) const;

private:
    QHash<QString, QAction*> FByName;
};
