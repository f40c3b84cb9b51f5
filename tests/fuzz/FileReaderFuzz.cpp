// libFuzzer target: any bytes as a mechanism file. The reader must either read a sound model,
// which writes and reads back to the same text, or refuse the file and leave the open mechanism
// as it was.
#include "files/Preferences.h"
#include "files/uXMLFileParser.h"
#include "gear/uGearData.h"
#include "gear/uGearPrefs.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

std::string TempFile(const char* Kind) {
    return "/tmp/koplar-fuzz-" + std::to_string(getpid()) + Kind + ".kxw";
}

std::string InputFile() {
    static const std::string Name = TempFile("");
    return Name;
}

std::string WrittenFile() {
    static const std::string Name = TempFile("-written");
    return Name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    static TPreferences Prefs;
    static TScopedService<TCustomXMLPreferences> Installed(PreferencesSlot(), Prefs);
    std::ofstream(InputFile(), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(Data), static_cast<std::streamsize>(Size));
    TGearData Model;
    Model.Clear(true);
    TXMLFileParser Parser(Model);
    const std::string Before = Parser.WriteDocumentText(true);
    TLoadResult Result = Parser.LoadFromFile(InputFile());
    if (!Result && Parser.WriteDocumentText(true) != Before)
        std::abort();
    if (Result && !Model.Rack())
        std::abort();
    if (!Result)
        return 0;
    // What was read writes, reads again and writes the same text: a file settles in one read.
    const std::string Written = Parser.WriteDocumentText(true);
    if (!Parser.SaveToFile(WrittenFile()) || !Parser.LoadFromFile(WrittenFile()) ||
        Parser.WriteDocumentText(true) != Written)
        std::abort();
    return 0;
}
