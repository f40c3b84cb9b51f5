// Loading settings files that users have grown or mangled: many categories, many items in one
// category, deep nesting, unclosed tags, long attribute lists and many line breaks.
#include "files/Preferences.h"
#include "files/RecentFiles.h"
#include "xml/XMLParser.h"
#include "xml/XMLPrefs.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// A settings file in a folder of its own, removed with it.
class TSettingsFile {
public:
    explicit TSettingsFile(const std::string& Body) {
        FDir = std::filesystem::temp_directory_path() /
               ("koplar-bench-" + std::to_string(getpid()) + "-" + std::to_string(++Serial));
        std::filesystem::create_directories(FDir);
        std::ofstream(Path(), std::ios::binary)
            << "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<data>\r\n<categories>\r\n"
            << Body << "</categories>\r\n</data>\r\n";
    }
    ~TSettingsFile() { std::filesystem::remove_all(FDir); }
    std::string Path() const { return (FDir / "settings.xml").string(); }

private:
    static inline int Serial = 0;
    std::filesystem::path FDir;
};

void LoadStore(benchmark::State& State, const std::string& Body) {
    const TSettingsFile File(Body);
    for (auto _ : State) {
        TCustomXMLPreferences Store;
        Store.LoadFromFile(File.Path());
        benchmark::DoNotOptimize(Store.Count());
    }
    State.SetBytesProcessed(State.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(File.Path())));
}

// About 20 bytes per category: 10,000 categories make a 200 KB file.
void BM_LoadManyCategories(benchmark::State& State) {
    std::string Body;
    for (int I = 0; I < State.range(0); ++I)
        Body += "<c" + std::to_string(I) + "><v/></c" + std::to_string(I) + ">\r\n";
    LoadStore(State, Body);
}
BENCHMARK(BM_LoadManyCategories)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadManyItemsInOneCategory(benchmark::State& State) {
    std::string Body = "<c>\r\n";
    for (int I = 0; I < State.range(0); ++I)
        Body += "<i" + std::to_string(I) + "/>\r\n";
    LoadStore(State, Body + "</c>\r\n");
}
BENCHMARK(BM_LoadManyItemsInOneCategory)->Arg(3000)->Arg(30000)->Unit(benchmark::kMillisecond);

void ParseText(benchmark::State& State, const std::string& Text) {
    TXMLParser Parser;
    for (auto _ : State) {
        TXMLTag Root;
        Parser.Parse(Text, Root);
        benchmark::DoNotOptimize(Root.Items().GetCount());
    }
    State.SetBytesProcessed(State.iterations() * static_cast<std::int64_t>(Text.size()));
}

// Nesting far beyond the depth limit, range(0) levels of "<n>" ... "</n>".
void BM_ParseDeepNesting(benchmark::State& State) {
    std::string Text;
    for (int I = 0; I < State.range(0); ++I)
        Text += "<n>";
    Text += "x";
    for (int I = 0; I < State.range(0); ++I)
        Text += "</n>";
    ParseText(State, Text);
}
BENCHMARK(BM_ParseDeepNesting)->Arg(30000)->Arg(300000)->Unit(benchmark::kMillisecond);

// range(0) start tags that no closing tag follows.
void BM_ParseUnclosedTags(benchmark::State& State) {
    std::string Text;
    for (int I = 0; I < State.range(0); ++I)
        Text += "<a>";
    ParseText(State, Text);
}
BENCHMARK(BM_ParseUnclosedTags)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ParseManyAttributes(benchmark::State& State) {
    std::string Text = "<t";
    for (int I = 0; I < State.range(0); ++I)
        Text += " a" + std::to_string(I);
    ParseText(State, Text + "/>");
}
BENCHMARK(BM_ParseManyAttributes)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// A text with a line break every 64 characters, range(0) bytes long.
void BM_ParseLineBreaks(benchmark::State& State) {
    std::string Text;
    while (Text.size() < static_cast<std::size_t>(State.range(0)))
        Text += std::string(63, 'x') + "\n";
    ParseText(State, "<t>" + Text + "</t>");
}
BENCHMARK(BM_ParseLineBreaks)->Arg(500000)->Arg(5000000)->Unit(benchmark::kMillisecond);

void BM_LoadManyRecentFiles(benchmark::State& State) {
    TPreferences Prefs;
    for (int I = 0; I < State.range(0); ++I)
        TXMLTag::CreateWithText(*Prefs.RecentFilesTag(), "file",
                                "/tmp/missing-" + std::to_string(I));
    TRecentFiles List;
    List.SetNumFiles(10);
    for (auto _ : State) {
        Prefs.LoadRecentFiles(List);
        benchmark::DoNotOptimize(List.GetCount());
    }
}
BENCHMARK(BM_LoadManyRecentFiles)->Arg(3000)->Arg(30000)->Unit(benchmark::kMillisecond);

} // namespace
