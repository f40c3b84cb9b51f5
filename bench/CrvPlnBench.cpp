// Drawing the coupler curve of a crank-rocker over 3,600 cached positions into a full-HD picture:
// the curve alone, and the whole repaint of a surface that shows only the curve.
#include "MechanismChecks.h"
#include "files/Preferences.h"
#include "gear/uAnimator.h"
#include "gear/uCrvPln.h"
#include "gear/uGearCache.h"
#include "gear/uGearCalc.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"
#include "platform/qt/QtCanvas.h"
#include "platform/qt/QtPlatform.h"
#include "support/NamedMechanisms.h"
#include "surface/MMSurface.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <stdexcept>

namespace {

// A full-HD control whose screen is a picture: painting needs no window system.
class TPictureControl : public TControl {
public:
    TRect ClientRect() const override { return Rect(0, 0, 1920, 1080); }
    TPoint ClientOrigin() const override { return TPoint{0, 0}; }
    std::unique_ptr<TCanvas> CreateCanvas() override {
        return std::make_unique<TQtCanvas>(&FScreen);
    }

private:
    QImage FScreen{1920, 1080, QImage::Format_RGB32};
};

// A crank-rocker with a coupler point, turned in steps of a tenth of a degree, its cache filled
// and the coupler point's curve on a surface that shows the whole path.
struct TCurveBench {
    static constexpr int Positions = 3600;

    TCurveBench() {
        Data.Clear(true);
        TMechanismBuilder Build(Data);
        const TCrankRocker M = BuildCrankRocker(Build);
        TJoint* C = Build.Joint(10, 45);
        M.Coupler->AddJoint(C);
        TurnOnce(Made(M.Drive, "the crank-rocker's drive"), Positions, true);
        Calculator.Prepare();
        if (!Calculator.CanCalculate() || !Cache.Calculate())
            throw std::logic_error("the crank-rocker cannot be animated");

        Surface.SetControl(&Control);
        Surface.SetMMRect(MMRect(-40, 80, 80, -20));
        Curve.SetJoint(C);
        Curve.SetMMSurface(&Surface);
    }

    TQtPlatform Platform;
    TScopedService<TPlatform> PlatformInstalled{PlatformSlot(), Platform};
    TPreferences Prefs;
    TScopedService<TCustomXMLPreferences> Installed{PreferencesSlot(), Prefs};
    TGearData Data;
    TGearCalculator Calculator{Data};
    TGearCache Cache{Data, Calculator};
    TPictureControl Control;
    TMMSurface Surface;
    TAnimator Animator{Data, Cache};
    TCurve Curve{Data, Cache, Animator};
};

void BM_CouplerCurvePaint(benchmark::State& State) {
    TCurveBench B;
    for (auto _ : State)
        B.Curve.Paint();
    State.SetItemsProcessed(State.iterations() * TCurveBench::Positions);
}
BENCHMARK(BM_CouplerCurvePaint)->Unit(benchmark::kMicrosecond);

// Clearing the buffer, painting the curve and presenting the picture.
void BM_CouplerCurveRepaint(benchmark::State& State) {
    TCurveBench B;
    for (auto _ : State)
        B.Surface.Repaint(false);
    State.SetItemsProcessed(State.iterations() * TCurveBench::Positions);
}
BENCHMARK(BM_CouplerCurveRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
