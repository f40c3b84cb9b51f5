// One process-wide service that a backend or main() installs and the portable code reaches
// through an accessor; tests install fakes. Services are installed only for a scope
// (TScopedService), so whatever was installed before comes back in every case.
#pragma once

#include <cassert>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>

template <class T> class TScopedService;

template <class T> class TServiceSlot {
public:
    // Name says in the error which service is missing. Default is in force while nothing else
    // is installed; without one, a slot starts empty.
    constexpr explicit TServiceSlot(const char* Name, T* Default = nullptr)
        : FName(Name), FService(Default) {}
    TServiceSlot(const TServiceSlot&) = delete;
    TServiceSlot& operator=(const TServiceSlot&) = delete;

    // Throws std::logic_error when no service is installed: that is a fault of the program's
    // start-up or of a test, never of the user's data.
    T& Get() const {
        if (!FService)
            throw std::logic_error(std::string("Der Dienst \"") + FName +
                                   "\" ist nicht eingerichtet.");
        return *FService;
    }
    bool Installed() const { return FService != nullptr; }

private:
    friend class TScopedService<T>;
    const char* FName;
    T* FService;
};

// Installs a service (not owned) into a slot for the lifetime of the object and puts the previous
// one back afterwards. Installations nest like scopes.
template <class T> class TScopedService {
public:
    TScopedService(TServiceSlot<T>& Slot, T& Service) : TScopedService(Slot, &Service) {}
    // Leaves the slot empty for the scope.
    TScopedService(TServiceSlot<T>& Slot, std::nullptr_t)
        : TScopedService(Slot, static_cast<T*>(nullptr)) {}
    ~TScopedService() {
        assert(FSlot.FService == FInstalled && "services uninstalled out of order");
        FSlot.FService = FPrevious;
    }
    TScopedService(const TScopedService&) = delete;
    TScopedService& operator=(const TScopedService&) = delete;

private:
    TScopedService(TServiceSlot<T>& Slot, T* Service)
        : FSlot(Slot), FInstalled(Service), FPrevious(Slot.FService) {
        Slot.FService = Service;
    }

    TServiceSlot<T>& FSlot;
    T* FInstalled;
    T* FPrevious;
};

// A service that the installer holds itself (a function, say), installed for its lifetime.
template <class T> class TOwnedScopedService {
public:
    TOwnedScopedService(TServiceSlot<const T>& Slot, T Service)
        : FService(std::move(Service)), FInstalled(Slot, FService) {}

private:
    const T FService;
    TScopedService<const T> FInstalled;
};
