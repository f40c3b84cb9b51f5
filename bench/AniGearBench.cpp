// Solving gear positions of a six-bar with the kinematic planner's plan: the animation's hot loop.
#include "SixBarFixture.h"
#include "gear/uTAniGear.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

// The six-bar, turned in steps of a tenth of a degree, with its plan.
struct TSixBar : TSixBarModel {
    static constexpr int Positions = 3600;

    TSixBar() : TSixBarModel(Positions) {
        if (!Gear.BuildFrom())
            throw std::logic_error("the six-bar cannot be planned");
    }

    TAniGear Gear{Data};
};

void BM_SixBarMillionPositions(benchmark::State& State) {
    TSixBar SixBar;
    constexpr int Count = 1000000;
    for (auto _ : State) {
        int Solved = 0;
        for (int I = 0; I < Count; ++I)
            Solved += SixBar.Gear.Calculate(I % TSixBar::Positions);
        benchmark::DoNotOptimize(Solved);
    }
    State.SetItemsProcessed(State.iterations() * Count);
}
BENCHMARK(BM_SixBarMillionPositions)->Unit(benchmark::kMillisecond);

} // namespace
