// Repainting a mechanism of 1,000 parts on a shown full-HD widget with its paint event, and
// presenting a picture alone.
#include "QtBenchSurface.h"
#include "files/Preferences.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"
#include "support/NamedMechanisms.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A chain of 500 joints and 499 bars snaking across the screen, both ends on the frame, with
// the default settings: joint numbers, pole labels and link numbers on.
struct TChainMechanism {
    explicit TChainMechanism(bool Labels) {
        Data.SetMMSurface(View.Surface.get());
        View.Surface->BeginUpdate();
        Data.Clear(true);
        TMechanismBuilder Build(Data);
        BuildSnakeChain(Build, Labels);
        View.Surface->EndUpdate();
        QApplication::processEvents();
    }

    TQtBenchSurface View;
    // The model reads the part settings while it creates and frees parts.
    TPreferences Prefs;
    TScopedService<TCustomXMLPreferences> Installed{PreferencesSlot(), Prefs};
    TGearData Data;
};

// Repaints into the buffer, presents, and lets the paint event show the picture.
void BM_RepaintMechanism(benchmark::State& State) {
    TChainMechanism M(State.range(0) != 0);
    State.SetLabel("device pixel ratio " + std::to_string(M.View.Widget.devicePixelRatioF()));
    for (auto _ : State) {
        M.View.Surface->Repaint(false);
        QApplication::processEvents();
    }
    State.SetItemsProcessed(State.iterations() * 1000);
}
BENCHMARK(BM_RepaintMechanism)->ArgName("labels")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Clearing the whole buffer, presenting it and the paint event that shows it: the most a
// repaint costs beyond drawing the items. The background changes every time, so that all of
// the picture changes.
void BM_ClearAndPresentWholePicture(benchmark::State& State) {
    TQtBenchSurface B;
    bool White = false;
    for (auto _ : State) {
        White = !White;
        B.Surface->SetBackGroundColor(White ? clWhite : clYellow);
        B.Surface->Clear();
        B.Surface->BringBufferToFront();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ClearAndPresentWholePicture)->Unit(benchmark::kMillisecond);

} // namespace
