#include "platform/Random.h"

#include <chrono>
#include <random>

namespace {
std::mt19937& Generator() {
    static std::mt19937 G(0);
    return G;
}
std::function<int(int)>& Source() {
    static std::function<int(int)> S;
    return S;
}
} // namespace

int Random(int N) {
    if (N <= 0)
        return 0;
    if (Source())
        return Source()(N);
    return std::uniform_int_distribution<int>(0, N - 1)(Generator());
}

void Randomize() {
    RandSeed(static_cast<std::uint32_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

void RandSeed(std::uint32_t Seed) { Generator().seed(Seed); }

void SetRandomSource(std::function<int(int N)> Source_) { Source() = std::move(Source_); }
