// Opening and saving a mechanism file of 1,000 parts: 500 joints, 400 links and 100 rotary
// drives of 360 values each.
#include "files/Preferences.h"
#include "files/uXMLFileParser.h"
#include "gear/uDrive.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"
#include "gear/uJoint.h"
#include "gear/uRack.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int JointCount = 500;
constexpr int LinkCount = 400;
constexpr int DriveCount = 100;
constexpr int Positions = 360;

// The default settings for the scope, a model holding the mechanism and a folder for its file.
class TLargeMechanism {
public:
    TLargeMechanism() {
        FDir = std::filesystem::temp_directory_path() /
               ("koplar-file-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(FDir);
        Build();
    }
    ~TLargeMechanism() { std::filesystem::remove_all(FDir); }
    std::string File() const { return (FDir / "large.kxw").string(); }
    TGearData& Data() { return FData; }

private:
    void Build() {
        FData.Clear(true);
        std::vector<TJoint*> J;
        for (int I = 0; I < JointCount; ++I)
            J.push_back(FData.CreateJointOffSurface(I * 10.5, (I % 7) * 3.25));
        FData.AttachJointToRack(J[0]);
        FData.AttachJointToRack(J[1]);
        // Bars along the chain, every fourth with a coupler point of the last hundred joints.
        for (int K = 0; K < LinkCount - 1; ++K) {
            TLink* Link = FData.CreateLooseLink("Glied");
            Link->AddJoint(J[K]);
            Link->AddJoint(J[K + 1]);
            Link->AddJoint(J[LinkCount + K / 4]);
            FData.AddLink(Link);
        }
        for (int K = 0; K < DriveCount; ++K) {
            TDrive* Drive = FData.CreateDriveOffSurface();
            Drive->SetJoint(J[K + 1]);
            Drive->SetLink0(FData.Links().Items(K));
            Drive->SetLink1(FData.Links().Items(K + 1));
            Drive->SetIntervals(Positions);
            for (int I = 0; I < Positions; ++I)
                Drive->SetValue(I, I * 0.017453292519943295);
        }
    }

    TPreferences FPrefs;
    TScopedService<TCustomXMLPreferences> FInstalled{PreferencesSlot(), FPrefs};
    TGearData FData;
    std::filesystem::path FDir;
};

void BM_SaveMechanismFile(benchmark::State& State) {
    TLargeMechanism Mechanism;
    TXMLFileParser Parser(Mechanism.Data());
    for (auto _ : State)
        if (!Parser.SaveToFile(Mechanism.File()))
            State.SkipWithError("save failed");
}
BENCHMARK(BM_SaveMechanismFile)->Unit(benchmark::kMillisecond);

// The same without the file: the document as text, as the checksum builds it.
void BM_WriteMechanismText(benchmark::State& State) {
    TLargeMechanism Mechanism;
    TXMLFileParser Parser(Mechanism.Data());
    for (auto _ : State)
        benchmark::DoNotOptimize(Parser.WriteDocumentText(true));
}
BENCHMARK(BM_WriteMechanismText)->Unit(benchmark::kMillisecond);

void BM_OpenMechanismFile(benchmark::State& State) {
    TLargeMechanism Mechanism;
    TXMLFileParser Writer(Mechanism.Data());
    Writer.SaveToFile(Mechanism.File());
    TGearData Target;
    TXMLFileParser Parser(Target);
    for (auto _ : State)
        if (!Parser.LoadFromFile(Mechanism.File()))
            State.SkipWithError("open failed");
    State.counters["joints"] = Target.Joints().Count();
    State.counters["links"] = Target.Links().Count();
    State.counters["drives"] = Target.Drives().Count();
}
BENCHMARK(BM_OpenMechanismFile)->Unit(benchmark::kMillisecond);

// Every joint of the file shares one uid, and the frame holds them all: each connection finds
// its joint in constant time, however many parts share the number.
void BM_OpenFileWithSharedNumbers(benchmark::State& State) {
    TPreferences Prefs;
    TScopedService<TCustomXMLPreferences> Installed{PreferencesSlot(), Prefs};
    const int Joints = static_cast<int>(State.range(0));
    const auto File = std::filesystem::temp_directory_path() /
                      ("koplar-shared-numbers-" + std::to_string(getpid()) + ".kxw");
    {
        std::ofstream Out(File);
        Out << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?><data>"
               "<fileinfo Fileversion=\"3\"/><gearinfo Description=\"\" Author=\"\"/><joints>";
        for (int I = 0; I < Joints; ++I)
            Out << "<joint uid=\"50\" number=\"1\" name=\"J\" virtual=\"False\" visible=\"True\" "
                   "x=\""
                << I << "\" y=\"0\" selected=\"False\"/>";
        Out << "</joints><links><rack uid=\"7\" number=\"1\" name=\"G\" selected=\"False\" "
               "visible=\"True\" refjoint=\"-1\" "
               "color=\"0\"/></links><connections><linkconnections>";
        for (int I = 0; I < Joints; ++I)
            Out << "<con linkidx=\"7\" jointidx=\"50\"/>";
        Out << "</linkconnections><jointconnections>";
        for (int I = 0; I < Joints; ++I)
            Out << "<con jointidx=\"50\" linkidx=\"7\"/>";
        Out << "</jointconnections></connections><drives/><planes/><curves/></data>";
    }
    TGearData Target;
    TXMLFileParser Parser(Target);
    for (auto _ : State)
        if (!Parser.LoadFromFile(File.string()))
            State.SkipWithError("open failed");
    State.counters["joints"] = Target.Joints().Count();
    std::filesystem::remove(File);
}
BENCHMARK(BM_OpenFileWithSharedNumbers)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
