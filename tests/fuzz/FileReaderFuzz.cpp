// libFuzzer target: any bytes as a mechanism file. The reader must either read a sound model or
// refuse the file and leave the open mechanism as it was.
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

std::string InputFile() {
    static const std::string Name = "/tmp/koplar-fuzz-" + std::to_string(getpid()) + ".kxw";
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
    // What was read must write and read again.
    Parser.WriteDocumentText(false);
    return 0;
}
