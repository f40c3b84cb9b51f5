// The images of the tool-bar commands, drawn from the program's own vector icons.
#pragma once

#include <QIcon>
#include <QString>

// The icon of the command named ActionName, rendered sharp at each of the given pixel sizes.
QIcon ActionIcon(const QString& ActionName, std::initializer_list<int> Sizes);
