// The env.env reader on arbitrary bytes: whatever the file holds, the settings it
// gives are ones the engine can use (levels 1-10, a depth it asks for, a speed the
// text reveal can divide by), and the file written from them reads back the same.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "shell/EnvData.h"

using zkfuzz::Require;

namespace {

EnvSettings Read(std::string_view bytes) { return zkfuzz::ReadFromMemory(bytes, ReadEnvSettings); }

bool Level(std::uint32_t level) { return level >= 1 && level <= 10; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zkfuzz::QuietLog quiet;
    if (size == 0) return 0;
    const EnvSettings s = Read({reinterpret_cast<const char*>(data), size});
    const SettingsWords& w = s.settings;
    Require(Level(w.bgmVolume) && Level(w.voiceVolume) && Level(w.seVolume), "level out of range");
    Require(w.colourDepth == 16 || w.colourDepth == 24 || w.colourDepth == 32, "bad depth");
    Require(s.msgSpeed != 0, "speed 0");
    const std::string written = FormatEnvSettings(s);
    Require(FormatEnvSettings(Read(written)) == written, "written file reads back differently");
    return 0;
}
