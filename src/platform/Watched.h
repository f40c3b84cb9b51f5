// A pointer to a component that the holder does not own, cleared when that component is freed:
// the free notification that every such pointer needs, in one place.
#pragma once

#include "platform/Component.h"

#include <functional>
#include <utility>

template <class T> class TWatched : private TComponent {
public:
    TWatched() = default;
    // OnFreed hears, after the pointer was cleared, that the component went.
    explicit TWatched(std::function<void()> OnFreed) : FOnFreed(std::move(OnFreed)) {}
    ~TWatched() override {
        if (FWatched)
            RemoveFreeNotification(FWatched);
    }
    TWatched(const TWatched&) = delete;
    TWatched& operator=(const TWatched&) = delete;

    T* Get() const { return FTarget; }
    operator T*() const { return FTarget; }
    T* operator->() const { return FTarget; }

    // Watches Target instead (nullptr: nothing).
    TWatched& operator=(T* Target) {
        if (Target == FTarget)
            return *this;
        if (FWatched)
            RemoveFreeNotification(FWatched);
        FTarget = Target;
        FWatched = Target;
        if (FWatched)
            FreeNotification(FWatched);
        return *this;
    }

private:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (Operation != TOperation::opRemove || !FWatched || AComponent != FWatched)
            return;
        FTarget = nullptr;
        FWatched = nullptr;
        if (FOnFreed)
            FOnFreed();
    }

    T* FTarget = nullptr;
    // The same object as a component: the one that the notification names.
    TComponent* FWatched = nullptr;
    std::function<void()> FOnFreed;
};
