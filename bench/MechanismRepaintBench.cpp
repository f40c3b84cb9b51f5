// Repainting a mechanism of 1,000 parts on a shown full-HD widget with its paint event, and
// presenting a picture alone.
#include "QtBenchSurface.h"
#include "files/Preferences.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// A chain of 500 joints and 499 bars snaking across the screen, both ends on the frame, with
// the default settings: joint numbers, pole labels and link numbers on.
struct TChainMechanism {
    static constexpr int Joints = 500;
    static constexpr int Columns = 25;

    explicit TChainMechanism(bool Labels) {
        Data.SetMMSurface(View.Surface.get());
        View.Surface->BeginUpdate();
        Data.Clear(true);
        TJoint* Previous = nullptr;
        for (int I = 0; I < Joints; ++I) {
            const int Row = I / Columns;
            const int Column = Row % 2 == 0 ? I % Columns : Columns - 1 - I % Columns;
            TJoint* J = Data.CreateJoint(true, true, 40 + Column * 74.5, 1040 - Row * 51.5);
            J->SetShowID(Labels);
            J->SetShowMPol(Labels);
            if (I == 0 || I == Joints - 1)
                Data.AttachJointToRack(J);
            if (Previous) {
                TLink* L = Data.CreateLink(true, true, "Glied");
                L->SetShowID(Labels);
                L->AddJoint(Previous);
                L->AddJoint(J);
            }
            Previous = J;
        }
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
