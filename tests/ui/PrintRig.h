// A mechanism on a fake screen surface of a given size with the default settings, and a printer
// item that prints it through a given printer, applying the settings to the model when asked.
#pragma once

#include "files/ApplyPreferences.h"
#include "gear/uGearData.h"
#include "support/BuilderChecks.h"
#include "support/FakeControl.h"
#include "support/PreferencesFixture.h"
#include "support/QtTestApp.h"
#include "ui/MMPrinter.h"

#include <functional>
#include <memory>

class TPrintRig {
public:
    TPrintRig(int ScreenW, int ScreenH, TPrinter& Printer)
        : View(ScreenW, ScreenH), Item(Printer, Prefs.Prefs(), [this] { ApplyAll(); }) {
        Data->SetMMSurface(View.Surface.get());
        Item.SetMMSurface(View.Surface.get());
        Item.SetGearData(Data.get());
    }
    ~TPrintRig() {
        Item.SetMMSurface(nullptr);
        Build.reset();
        Data.reset();
    }
    TPrintRig(const TPrintRig&) = delete;
    TPrintRig& operator=(const TPrintRig&) = delete;

    TMMSurface& Surface() { return *View.Surface; }
    TPreferences& Settings() { return Prefs.Prefs(); }
    // Runs after the settings were applied, with the number of times so far.
    std::function<void(int)> OnApplied;

    QApplication& App = QtTestApp();
    TSurfaceRig View;
    TPreferencesFixture Prefs;
    std::unique_ptr<TGearData> Data = std::make_unique<TGearData>();
    std::unique_ptr<TCheckedBuilder> Build = std::make_unique<TCheckedBuilder>(*Data);
    TMMPrinter Item;
    int Applied = 0;

private:
    void ApplyAll() {
        TApplyTargets Targets;
        Targets.Main.Surface = View.Surface.get();
        Targets.GearData = Data.get();
        Prefs.Prefs().ApplyToAll(Targets);
        ++Applied;
        if (OnApplied)
            OnApplied(Applied);
    }
};
