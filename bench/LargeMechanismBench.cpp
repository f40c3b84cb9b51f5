// Large mechanisms: planning a long chain, entering animation mode with a chain of 250 four-bar
// loops, and the main window's answer to a mouse move and to a drag step on 1,000 parts.
#include "MechanismChecks.h"
#include "QtBenchSurface.h"
#include "files/Preferences.h"
#include "files/uFileManager.h"
#include "files/uXMLFileParser.h"
#include "gear/uGear.h"
#include "gear/uGearPrefs.h"
#include "gear/uTAniGear.h"
#include "support/NamedMechanisms.h"
#include "ui/fmMain.h"
#include "ui/fmMainSeams.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The part settings that the model reads while it creates parts.
struct TBenchSettings {
    TPreferences Prefs;
    TScopedService<TCustomXMLPreferences> Installed{PreferencesSlot(), Prefs};
};

void BM_PlanGroupChain(benchmark::State& State) {
    TBenchSettings Settings;
    TGearData Data;
    TMechanismBuilder Build(Data);
    Built(BuildGroupChain(Build, static_cast<int>(State.range(0))), "the chain of groups");
    TAniGear Gear(Data);
    for (auto _ : State)
        if (!Gear.BuildFrom())
            State.SkipWithError("the chain cannot be planned");
    State.counters["joints"] = Data.Joints().Count();
}
BENCHMARK(BM_PlanGroupChain)
    ->ArgName("joints")
    ->Arg(204)
    ->Arg(404)
    ->Arg(804)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

// A file of 5,000 frames, each after a link numbered 1, which the frame renumbers as it takes
// number 1 itself.
void BM_OpenFileWithManyFrames(benchmark::State& State) {
    constexpr int Frames = 5000;
    TBenchSettings Settings;
    const std::filesystem::path File =
        std::filesystem::temp_directory_path() / ("koplar-frames-" + std::to_string(getpid()));
    {
        std::ofstream Out(File);
        Out << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><data>"
               "<fileinfo Fileversion=\"3\"/><gearinfo Description=\"\" Author=\"\"/>"
               "<joints/><links>";
        for (int I = 0; I < Frames; ++I)
            for (const char* Kind : {"link", "rack"})
                Out << '<' << Kind << " uid=\"" << 2 * I + (Kind[0] == 'l' ? 1 : 2)
                    << "\" number=\"" << (Kind[0] == 'l' ? 1 : 2)
                    << "\" name=\"G\" selected=\"False\" visible=\"True\" refjoint=\"-1\" "
                       "color=\"0\"/>";
        Out << "</links><connections><linkconnections/><jointconnections/></connections>"
               "<drives/><planes/><curves/></data>";
    }
    for (auto _ : State) {
        TGearData Data;
        TXMLFileParser Parser(Data);
        if (!Parser.LoadFromFile(File.string()))
            State.SkipWithError("the file cannot be read");
    }
    std::filesystem::remove(File);
}
BENCHMARK(BM_OpenFileWithManyFrames)->Unit(benchmark::kMillisecond);

// Leaving edit mode: the checks, the plan, the position cache and the first repaint.
void BM_EnterAnimationLoopChain(benchmark::State& State) {
    TBenchSettings Settings;
    TQtBenchSurface View;
    TGear Gear(nullptr, [](TGearData& Data) { return std::make_unique<TFileManager>(Data); });
    Gear.SetMMSurface(View.Surface.get());
    Gear.Clear();
    View.Surface->SetMMRect(MMRect(0, 1080, 1920, 0));
    View.Surface->BeginUpdate();
    TMechanismBuilder Build(Gear.GearData());
    Built(BuildLoopChain(Build), "the chain of loops");
    View.Surface->EndUpdate();
    QApplication::processEvents();
    for (auto _ : State) {
        Gear.SetEditing(false);
        QApplication::processEvents();
        if (!Gear.CanAnimate())
            State.SkipWithError("the loop chain cannot be animated");
        State.PauseTiming();
        Gear.SetEditing(true);
        QApplication::processEvents();
        State.ResumeTiming();
    }
    State.counters["joints"] = Gear.GearData().Joints().Count();
}
BENCHMARK(BM_EnterAnimationLoopChain)->Unit(benchmark::kMillisecond);

// The main window, full-HD, with the 1,000-part chain of the repaint benchmark saved to a file
// of its own, so that the document counts as unchanged.
struct TMainWindowWithChain {
    TMainWindowWithChain() {
        Form.resize(1920, 1080);
        Form.show();
        QApplication::processEvents();
        TGearData& Data = Form.Gear()->GearData();
        Form.MMSurface1().SetMMRect(MMRect(0, 1080, 1920, 0));
        TMechanismBuilder Build(Data);
        BuildSnakeChain(Build, true);
        Data.DataChanged();
        std::string Template =
            (std::filesystem::temp_directory_path() / "koplar-bench-XXXXXX").string();
        if (!mkdtemp(Template.data()))
            throw std::runtime_error("no temporary folder");
        Folder = Template;
        if (!Form.FileManager()->SaveAs((Folder / "Kette.kxw").string()))
            throw std::runtime_error("the chain cannot be saved");
        QApplication::processEvents();
    }
    ~TMainWindowWithChain() { std::filesystem::remove_all(Folder); }

    void Mouse(QEvent::Type Type, QPoint At, Qt::MouseButtons Buttons) {
        SendMouse(Form.DrawArea(), Type, At, Buttons);
    }
    // The pixel of the chain's first moving joint.
    QPoint JointPixel() {
        const TJoint* J = Form.Gear()->GearData().Joints().Items(1);
        const TPoint P = Form.MMSurface1().MMToPixel(J->Position(), true);
        return {P.X, P.Y};
    }

    QApplication& Application = BenchApp();
    TQtPlatform Platform;
    TScopedService<TPlatform> PlatformInstalled{PlatformSlot(), Platform};
    TBenchSettings Settings;
    TMainWindowSeams Seams;
    TFormMain Form{Seams};
    std::filesystem::path Folder;
};

// A move over the canvas away from every part: the status bar and the caption.
void BM_MouseMoveNothingChanged(benchmark::State& State) {
    TMainWindowWithChain W;
    const QPoint Here = W.JointPixel() + QPoint(30, 20);
    int Step = 0;
    for (auto _ : State) {
        W.Mouse(QEvent::MouseMove, Here + QPoint(Step++ % 2, 0), Qt::NoButton);
        QApplication::processEvents();
    }
    if (W.Form.FileManager()->IsModified())
        State.SkipWithError("the mechanism counts as modified");
}
BENCHMARK(BM_MouseMoveNothingChanged)->Unit(benchmark::kMicrosecond);

// One step of dragging a joint: the move, the repaint, the status bar and the caption.
void BM_DragJointStep(benchmark::State& State) {
    TMainWindowWithChain W;
    const QPoint Start = W.JointPixel();
    W.Mouse(QEvent::MouseButtonPress, Start, Qt::LeftButton);
    int Step = 0;
    for (auto _ : State) {
        W.Mouse(QEvent::MouseMove, Start + QPoint(Step++ % 2 ? 3 : 0, 0), Qt::LeftButton);
        QApplication::processEvents();
    }
    // No drop: a drop next to a joint would ask whether to merge them.
    if (!W.Form.FileManager()->IsModified())
        State.SkipWithError("the drag moved nothing");
}
BENCHMARK(BM_DragJointStep)->Unit(benchmark::kMillisecond);

} // namespace
