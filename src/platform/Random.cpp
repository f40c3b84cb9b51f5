#include "platform/Random.h"

#include <chrono>
#include <random>

namespace {
std::mt19937& Generator() {
    static std::mt19937 G(0);
    return G;
}
} // namespace

TServiceSlot<const TRandomSource>& RandomSourceSlot() {
    static const TRandomSource Seeded = [](int N) {
        return std::uniform_int_distribution<int>(0, N - 1)(Generator());
    };
    static TServiceSlot<const TRandomSource> Slot("Zufallszahlen", &Seeded);
    return Slot;
}

int Random(int N) {
    return N <= 0 ? 0 : RandomSourceSlot().Get()(N);
}

void Randomize() {
    RandSeed(static_cast<std::uint32_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

void RandSeed(std::uint32_t Seed) {
    Generator().seed(Seed);
}
