// The six-bar of the benchmarks: a crank-rocker whose coupler and rocker are plates joined by a
// two-link chain, on a model without a surface, turned once around in equal steps.
#pragma once

#include "MechanismChecks.h"
#include "files/Preferences.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"
#include "support/NamedMechanisms.h"

struct TSixBarModel {
    explicit TSixBarModel(int Positions) {
        Data.Clear(true);
        TMechanismBuilder Build(Data);
        TurnOnce(Made(BuildSixBar(Build).Drive, "the six-bar's drive"), Positions, true);
    }

    // The model reads the part settings while it creates and frees parts.
    TPreferences Prefs;
    TScopedService<TCustomXMLPreferences> Installed{PreferencesSlot(), Prefs};
    TGearData Data;
};
