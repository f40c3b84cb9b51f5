// Filling the position cache of the six-bar: solving and storing every gear position, the work
// done each time the mechanism enters animation mode.
#include "SixBarFixture.h"
#include "gear/uGearCache.h"
#include "gear/uGearCalc.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

void BM_SixBarCacheFillMillionPositions(benchmark::State& State) {
    constexpr int Positions = 1000000;
    TSixBarModel SixBar(Positions);
    TGearCalculator Calculator(SixBar.Data);
    Calculator.Prepare();
    if (!Calculator.CanCalculate())
        throw std::logic_error("the six-bar cannot be planned");
    TGearCache Cache(SixBar.Data, Calculator);
    for (auto _ : State) {
        if (!Cache.Calculate())
            throw std::runtime_error("the rows do not fit");
        benchmark::DoNotOptimize(Cache.Row(Positions - 1).Valid());
    }
    State.SetItemsProcessed(State.iterations() * Positions);
}
BENCHMARK(BM_SixBarCacheFillMillionPositions)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
