// The main window, full-HD, on ladders of parallelograms of 4,002 and 10,000 joints with labels
// on: opening the file, a drag step of the end joint, mouse-down and mouse-up, entering animation
// mode, and the memory the labels take. Beside them, in the model and the reader: a new joint
// among 10,000 and a file of 10,000 drives of 80 values.
#include "MechanismChecks.h"
#include "QtBenchSurface.h"
#include "files/Preferences.h"
#include "files/uFileManager.h"
#include "files/uXMLFileParser.h"
#include "gear/uGear.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "support/NamedMechanisms.h"
#include "ui/fmMain.h"
#include "ui/fmMainSeams.h"

#include <QAction>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <optional>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct TBenchSettings {
    TPreferences Prefs;
    TScopedService<TCustomXMLPreferences> Installed{PreferencesSlot(), Prefs};
};

// The open dialog answers with the one file.
class TChosenFile : public TFileDialogs {
public:
    std::string File;
    std::optional<std::string> OpenFile(const TFileDialogRequest&) override { return File; }
    std::optional<std::string> SaveFile(const TFileDialogRequest&) override { return File; }
};

// A message box would wait for a user: each is answered No and remembered.
class TAnsweredNo : public TMessageService {
public:
    std::vector<std::string> Asked;
    TModalResult MessageDlg(const std::string& Text, TMsgDlgType, TMsgDlgButtons) override {
        Asked.push_back(Text);
        return TModalResult::mrNo;
    }
};

class TBenchPlatform : public TQtPlatform {
public:
    TFileDialogs& FileDialogs() override { return Chosen; }
    TMessageService& Messages() override { return Answered; }
    TChosenFile Chosen;
    TAnsweredNo Answered;
};

std::size_t HeapInUse() {
    const struct mallinfo2 Info = mallinfo2();
    return Info.uordblks + Info.hblkhd;
}

std::filesystem::path TemporaryFolder() {
    std::string Template =
        (std::filesystem::temp_directory_path() / "koplar-ladder-XXXXXX").string();
    if (!mkdtemp(Template.data()))
        throw std::runtime_error("no temporary folder");
    return Template;
}

// The ladder saved to a file and opened from it through the window's open command, so that the
// document counts as unchanged.
struct TLadderWindow {
    explicit TLadderWindow(int Parallelograms, bool Labels = true) : Folder(TemporaryFolder()) {
        ShowLabels(Labels);
        Form.resize(1920, 1080);
        Form.show();
        QApplication::processEvents();
        Open(Save(Parallelograms));
    }
    ~TLadderWindow() { std::filesystem::remove_all(Folder); }

    std::string Save(int Parallelograms) {
        TGearData Data;
        TMechanismBuilder Build(Data);
        Made(BuildParallelogramLadder(Build, Parallelograms, true).Drive, "the ladder's drive");
        const std::string File =
            (Folder / ("Leiter" + std::to_string(Parallelograms) + ".kxw")).string();
        if (!TXMLFileParser(Data).SaveToFile(File))
            throw std::runtime_error("the ladder cannot be saved");
        return File;
    }
    // Opening applies the settings, the labels among them.
    void ShowLabels(bool Show) {
        for (const char* Category : {"Joints", "Links"})
            Settings.Prefs.SetValue(Category, "ShowID", Show);
        Settings.Prefs.SetValue("Joints", "ShowMPol", Show);
    }
    void Open(const std::string& File) {
        Platform.Chosen.File = File;
        Open();
    }
    void Open() {
        Form.Action("aFileOpen")->trigger();
        QApplication::processEvents();
    }
    void Mouse(QEvent::Type Type, QPoint At, Qt::MouseButtons Buttons) {
        SendMouse(Form.DrawArea(), Type, At, Buttons);
        QApplication::processEvents();
    }
    // The pixel of the end joint, the one made last.
    QPoint EndPixel() {
        const TJointList& Joints = Form.Gear()->GearData().Joints();
        const TJoint* End = Joints.FindByID(Joints.Count());
        const TPoint P = Form.MMSurface1().MMToPixel(End->Position(), true);
        return {P.X, P.Y};
    }
    int JointCount() const { return Form.Gear()->GearData().Joints().Count(); }
    // A benchmark that met a message box measured something else.
    void ExpectNoQuestion(benchmark::State& State) const {
        if (!Platform.Answered.Asked.empty())
            State.SkipWithError(("asked: " + Platform.Answered.Asked.front()).c_str());
    }

    QApplication& Application = BenchApp();
    TBenchPlatform Platform;
    TScopedService<TPlatform> PlatformInstalled{PlatformSlot(), Platform};
    TBenchSettings Settings;
    TMainWindowSeams Seams;
    TFormMain Form{Seams};
    std::filesystem::path Folder;
};

// The ladders of the window benchmarks, by their number of parallelograms.
void Ladders(benchmark::internal::Benchmark* B) {
    B->ArgName("parallelograms")->Arg(2000)->Arg(4999)->Unit(benchmark::kMillisecond);
}

void BM_LadderOpen(benchmark::State& State) {
    TLadderWindow W(static_cast<int>(State.range(0)));
    for (auto _ : State)
        W.Open();
    State.counters["joints"] = W.JointCount();
    W.ExpectNoQuestion(State);
}
BENCHMARK(BM_LadderOpen)->Apply(Ladders);

void BM_LadderDragStep(benchmark::State& State) {
    TLadderWindow W(static_cast<int>(State.range(0)));
    const QPoint Start = W.EndPixel();
    W.Mouse(QEvent::MouseButtonPress, Start, Qt::LeftButton);
    int Step = 0;
    for (auto _ : State)
        W.Mouse(QEvent::MouseMove, Start + QPoint(Step++ % 2 ? 3 : 0, 0), Qt::LeftButton);
    if (!W.Form.FileManager()->IsModified())
        State.SkipWithError("the drag moved nothing");
    W.ExpectNoQuestion(State);
}
BENCHMARK(BM_LadderDragStep)->Apply(Ladders);

// Mouse-down on the end joint, then a step and mouse-up untimed; each press is where the joint
// is, so that the joint goes back and forth instead of walking away from the presses.
void BM_LadderMouseDown(benchmark::State& State) {
    TLadderWindow W(static_cast<int>(State.range(0)));
    const QPoint Start = W.EndPixel();
    int Step = 0;
    for (auto _ : State) {
        const QPoint From = Start + QPoint(Step % 2 ? 3 : 0, 0);
        W.Mouse(QEvent::MouseButtonPress, From, Qt::LeftButton);
        State.PauseTiming();
        const QPoint To = Start + QPoint(Step++ % 2 ? 0 : 3, 0);
        W.Mouse(QEvent::MouseMove, To, Qt::LeftButton);
        W.Mouse(QEvent::MouseButtonRelease, To, Qt::NoButton);
        State.ResumeTiming();
    }
    W.ExpectNoQuestion(State);
}
BENCHMARK(BM_LadderMouseDown)->Apply(Ladders);

// Mouse-up after a step of the end joint, mouse-down and the step untimed.
void BM_LadderMouseUp(benchmark::State& State) {
    TLadderWindow W(static_cast<int>(State.range(0)));
    const QPoint Start = W.EndPixel();
    int Step = 0;
    for (auto _ : State) {
        State.PauseTiming();
        const QPoint From = Start + QPoint(Step % 2 ? 3 : 0, 0);
        const QPoint To = Start + QPoint(Step++ % 2 ? 0 : 3, 0);
        W.Mouse(QEvent::MouseButtonPress, From, Qt::LeftButton);
        W.Mouse(QEvent::MouseMove, To, Qt::LeftButton);
        State.ResumeTiming();
        W.Mouse(QEvent::MouseButtonRelease, To, Qt::NoButton);
    }
    W.ExpectNoQuestion(State);
}
BENCHMARK(BM_LadderMouseUp)->Apply(Ladders);

void BM_LadderEnterAnimation(benchmark::State& State) {
    TLadderWindow W(static_cast<int>(State.range(0)));
    for (auto _ : State) {
        W.Form.Action("aAnimate")->trigger();
        QApplication::processEvents();
        if (!W.Form.Gear()->CanAnimate())
            State.SkipWithError("the ladder cannot be animated");
        State.PauseTiming();
        W.Form.Action("aEdit")->trigger();
        QApplication::processEvents();
        State.ResumeTiming();
    }
    W.ExpectNoQuestion(State);
}
BENCHMARK(BM_LadderEnterAnimation)->Apply(Ladders);

// The heap the labels take: the ladder opened without labels, then with them.
void BM_LadderLabelMemory(benchmark::State& State) {
    TLadderWindow W(static_cast<int>(State.range(0)), false);
    double MiB = 0;
    for (auto _ : State) {
        const std::size_t Without = HeapInUse();
        W.ShowLabels(true);
        W.Open();
        MiB = (static_cast<double>(HeapInUse()) - static_cast<double>(Without)) / (1 << 20);
    }
    State.counters["label_MiB"] = MiB;
    W.ExpectNoQuestion(State);
}
BENCHMARK(BM_LadderLabelMemory)->Apply(Ladders)->Iterations(1);

// A joint made and freed again among the ladder's 10,000.
void BM_NewJointAmongTenThousand(benchmark::State& State) {
    TBenchSettings Settings;
    TGearData Data;
    TMechanismBuilder Build(Data);
    Made(BuildParallelogramLadder(Build, 4999, true).Drive, "the ladder's drive");
    for (auto _ : State) {
        TJoint* J = Data.CreateJointOffSurface(5, 5);
        benchmark::DoNotOptimize(J->ID());
        Data.DeleteJoint(J);
    }
    State.counters["joints"] = Data.Joints().Count();
}
BENCHMARK(BM_NewJointAmongTenThousand)->Unit(benchmark::kMicrosecond);

// A rotary drive of 80 values at every joint of the 10,000-joint ladder.
void BM_OpenTenThousandDrives(benchmark::State& State) {
    TBenchSettings Settings;
    const std::filesystem::path Folder = TemporaryFolder();
    const std::string File = (Folder / "Antriebe.kxw").string();
    {
        TGearData Data;
        TMechanismBuilder Build(Data);
        const TParallelogramLadder Ladder = BuildParallelogramLadder(Build, 4999, false);
        for (TJoint* J : Ladder.Frame)
            if (J != Ladder.Frame.front())
                TurnOnce(Made(Build.RotaryDrive(J), "a frame joint's drive"), 79, true);
        for (TJoint* J : Ladder.Moving)
            TurnOnce(Made(Build.RotaryDrive(J), "a moving joint's drive"), 79, true);
        TurnOnce(Made(Ladder.Drive, "the ladder's drive"), 79, true);
        TXMLFileParser(Data).SaveToFile(File);
    }
    TGearData Target;
    for (auto _ : State)
        if (!TXMLFileParser(Target).LoadFromFile(File))
            State.SkipWithError("the file cannot be read");
    State.counters["drives"] = Target.Drives().Count();
    std::filesystem::remove_all(Folder);
}
BENCHMARK(BM_OpenTenThousandDrives)->Unit(benchmark::kMillisecond);

} // namespace
