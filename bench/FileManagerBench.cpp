// The modified test of the document manager on an unchanged 100-part mechanism: the windows ask
// it at every status update, and while the flag is clear it serialises and hashes the model.
#include "files/Preferences.h"
#include "files/uFileManager.h"
#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uLink.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <numbers>
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
        for (int U = 0; U < Units; ++U) {
            const double X = 100.0 * U;
            TJoint* A0 = FrameJoint(X, 0);
            TJoint* A = Joint(X + 0.5, 10.25);
            TJoint* B = Joint(X + 40.125, 30.5);
            TJoint* C = Joint(X + 20.75, 45.375);
            TJoint* B0 = FrameJoint(X + 50, 0);
            Link({A0, A});
            Link({A, B, C});
            Link({B0, B});
            Link({C, B0});
            TDrive* Drive = Data.AddRotaryDrive(A0, true);
            if (!Drive)
                throw std::logic_error("no drive at the crank");
            Drive->SetIntervals(Positions);
            for (int I = 0; I < Positions; ++I)
                Drive->SetValue(I, I * std::numbers::pi / 180);
        }
        std::string Template =
            (std::filesystem::temp_directory_path() / "koplar-bench-XXXXXX").string();
        if (!mkdtemp(Template.data()))
            throw std::runtime_error("no temporary folder");
        Folder = Template;
        if (!Manager.SaveAs((Folder / "Getriebe.kxw").string()))
            throw std::runtime_error("the mechanism cannot be saved");
    }
    ~TSavedMechanism() { std::filesystem::remove_all(Folder); }

    TJoint* Joint(double X, double Y) { return Data.CreateJoint(false, true, X, Y); }
    TJoint* FrameJoint(double X, double Y) {
        TJoint* J = Joint(X, Y);
        Data.AttachJointToRack(J);
        return J;
    }
    void Link(std::initializer_list<TJoint*> Joints) {
        TLink* L = Data.CreateLink(false, true, "Glied");
        for (TJoint* J : Joints)
            L->AddJoint(J);
    }

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
