// Widgets carry the names their dialogs give them, so tests and the wiring find them by name.
#pragma once

#include <QString>

template <class T> T* Named(T* Widget, const char* Name) {
    Widget->setObjectName(QString::fromLatin1(Name));
    return Widget;
}
