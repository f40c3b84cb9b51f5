// The runtime's pseudo-random whole numbers, seeded once at start. Tests seed it or script it.
#pragma once

#include <cstdint>
#include <functional>

// A whole number from 0 to N - 1 (0 when N <= 0).
int Random(int N);
// Seeds from the high-resolution clock.
void Randomize();
void RandSeed(std::uint32_t Seed);
// Replaces the generator (tests); an empty function restores it.
void SetRandomSource(std::function<int(int N)> Source);
