// The runtime's pseudo-random whole numbers, seeded once at start. Tests install a source of
// their own.
#pragma once

#include "platform/ServiceSlot.h"

#include <cstdint>
#include <functional>

// Answers a whole number from 0 to N - 1; asked only for N > 0.
using TRandomSource = std::function<int(int N)>;

// The seeded generator while nothing else is installed.
TServiceSlot<const TRandomSource>& RandomSourceSlot();

// A whole number from 0 to N - 1 (0 when N <= 0).
int Random(int N);
// Seeds the generator from the high-resolution clock.
void Randomize();
void RandSeed(std::uint32_t Seed);

// Another source of random numbers while it lives.
class TScopedRandomSource : public TOwnedScopedService<TRandomSource> {
public:
    explicit TScopedRandomSource(TRandomSource Source)
        : TOwnedScopedService(RandomSourceSlot(), std::move(Source)) {}
};
