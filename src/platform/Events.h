// Events are std::function members, raised with the sender first and only when assigned.
#pragma once

#include "platform/Object.h"

#include <functional>
#include <utility>

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Calls the handler when one is assigned.
template <class Handler, class... Args> void Raise(const Handler& Event, Args&&... A) {
    if (Event)
        Event(std::forward<Args>(A)...);
}
