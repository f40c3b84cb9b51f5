// Repainting a surface full of line items into a full-HD buffer, and mapping world points.
#include "QtBenchSurface.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

class TLineItem : public TMMGraphicItem {
public:
    TLineItem(TMMPoint A, TMMPoint B) : FA(A), FB(B) { SetVisible(true); }
    void Paint() override {
        TCanvas* C = MMSurface()->GetCanvas();
        if (!Visible() || !C)
            return;
        const TPoint P = MMSurface()->MMToPixel(FA, true);
        const TPoint Q = MMSurface()->MMToPixel(FB, true);
        C->Pen().Color = clBlue;
        C->MoveTo(P.X, P.Y);
        C->LineTo(Q.X, Q.Y);
    }

private:
    TMMPoint FA, FB;
};

void BM_RepaintThousandLines(benchmark::State& State) {
    TQtBenchSurface B;
    std::vector<std::unique_ptr<TLineItem>> Items; // freed before the surface
    std::srand(1);
    B.Surface->BeginUpdate();
    for (int I = 0; I < 1000; ++I) {
        auto Item = std::make_unique<TLineItem>(MMPoint(std::rand() % 1920, std::rand() % 1080),
                                                MMPoint(std::rand() % 1920, std::rand() % 1080));
        Item->SetOrder(I % 7);
        Item->SetMMSurface(B.Surface.get());
        Items.push_back(std::move(Item));
    }
    B.Surface->EndUpdate();
    for (auto _ : State)
        B.Surface->Repaint(false);
    State.SetItemsProcessed(State.iterations() * 1000);
}
BENCHMARK(BM_RepaintThousandLines)->Unit(benchmark::kMillisecond);

void BM_MapMillionPoints(benchmark::State& State) {
    TQtBenchSurface B;
    std::vector<TMMPoint> Points(1000000);
    for (std::size_t I = 0; I < Points.size(); ++I)
        Points[I] = MMPoint(static_cast<double>(I % 1920) + 0.25, static_cast<double>(I % 1080));
    for (auto _ : State) {
        long long Sum = 0;
        for (const TMMPoint& P : Points) {
            const TPoint Q = B.Surface->MMToPixel(P, true);
            Sum += Q.X + Q.Y;
        }
        benchmark::DoNotOptimize(Sum);
    }
    State.SetItemsProcessed(State.iterations() * static_cast<long long>(Points.size()));
}
BENCHMARK(BM_MapMillionPoints)->Unit(benchmark::kMillisecond);

} // namespace
