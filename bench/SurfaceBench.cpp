// Repainting a surface full of line items into a full-HD buffer, and mapping world points.
#include "platform/qt/QtControl.h"
#include "platform/qt/QtPlatform.h"
#include "surface/MMSurface.h"

#include <QApplication>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

QApplication& App() {
    static int Argc = 1;
    static char Name[] = "koplar-bench";
    static char* Argv[] = {Name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication A(Argc, Argv);
    return A;
}

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

struct TBench {
    TBench() {
        Widget.resize(1920, 1080);
        Control = std::make_unique<TQtControl>(&Widget);
        Surface = std::make_unique<TMMSurface>();
        Surface->SetControl(Control.get());
        Surface->SetMMRect(MMRect(0, 1080, 1920, 0));
    }
    ~TBench() {
        Items.clear();
        Surface.reset();
        Control.reset();
    }
    QApplication& Application = App(); // before the widget
    TQtPlatform Platform;
    TScopedService<TPlatform> PlatformInstalled{PlatformSlot(), Platform};
    QWidget Widget;
    std::unique_ptr<TQtControl> Control;
    std::unique_ptr<TMMSurface> Surface;
    std::vector<std::unique_ptr<TLineItem>> Items;
};

void BM_RepaintThousandLines(benchmark::State& State) {
    TBench B;
    std::srand(1);
    B.Surface->BeginUpdate();
    for (int I = 0; I < 1000; ++I) {
        auto Item = std::make_unique<TLineItem>(MMPoint(std::rand() % 1920, std::rand() % 1080),
                                                MMPoint(std::rand() % 1920, std::rand() % 1080));
        Item->SetOrder(I % 7);
        Item->SetMMSurface(B.Surface.get());
        B.Items.push_back(std::move(Item));
    }
    B.Surface->EndUpdate();
    for (auto _ : State)
        B.Surface->Repaint(false);
    State.SetItemsProcessed(State.iterations() * 1000);
}
BENCHMARK(BM_RepaintThousandLines)->Unit(benchmark::kMillisecond);

void BM_MapMillionPoints(benchmark::State& State) {
    TBench B;
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
