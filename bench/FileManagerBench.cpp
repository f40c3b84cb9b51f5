// The modified test of the document manager on an unchanged 100-part mechanism: the windows ask
// it at every status update, and while the flag is clear it serialises and hashes the model.
#include "MechanismChecks.h"
#include "files/Preferences.h"
#include "files/uFileManager.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"
#include "support/NamedMechanisms.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

// Ten driven units of five joints, four links and a drive of 360 values: 50 joints, 40 links
// (and the frame) and 10 drives, saved to a file of their own.
struct TSavedMechanism {
    static constexpr int Units = 10;
    static constexpr int Positions = 360;

    TSavedMechanism() {
        Data.Clear(true);
        TMechanismBuilder Build(Data);
        Built(BuildDrivenUnits(Build, Units, Positions), "the driven units");
        std::string Template =
            (std::filesystem::temp_directory_path() / "koplar-bench-XXXXXX").string();
        if (!mkdtemp(Template.data()))
            throw std::runtime_error("no temporary folder");
        Folder = Template;
        if (!Manager.SaveAs((Folder / "Getriebe.kxw").string()))
            throw std::runtime_error("the mechanism cannot be saved");
    }
    ~TSavedMechanism() { std::filesystem::remove_all(Folder); }

    // The model reads the part settings while it creates and frees parts.
    TPreferences Prefs;
    TScopedService<TCustomXMLPreferences> Installed{PreferencesSlot(), Prefs};
    TGearData Data;
    TFileManager Manager{Data};
    std::filesystem::path Folder;
};

void BM_IsModifiedHundredParts(benchmark::State& State) {
    TSavedMechanism Saved;
    for (auto _ : State) {
        if (Saved.Manager.IsModified())
            State.SkipWithError("an unchanged mechanism counts as modified");
    }
}
BENCHMARK(BM_IsModifiedHundredParts)->Unit(benchmark::kMicrosecond);

} // namespace
