// One process-wide service that a backend or main() installs and the portable code reaches
// through an accessor; tests install fakes.
#pragma once

#include <cassert>

template <class T> class TServiceSlot {
public:
    // Asserts that a service is installed.
    T& Get() const {
        assert(FService && "service not installed");
        return *FService;
    }
    // Installs S (not owned) and returns the previous one; nullptr uninstalls.
    T* Set(T* S) {
        T* Old = FService;
        FService = S;
        return Old;
    }

private:
    T* FService = nullptr;
};
