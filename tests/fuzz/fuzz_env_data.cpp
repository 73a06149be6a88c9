// The env.env reader on arbitrary bytes: whatever the file holds, the settings it
// gives are ones the engine can use (levels 1-10, a depth it asks for, a speed the
// text reveal can divide by), and the file written from them reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/LogSink.h"
#include "platform/Services.h"
#include "shell/EnvData.h"

namespace {

class QuietSink : public platform::LogSink {
public:
    void write(platform::LogChannel, std::string_view) override {}
};

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_env_data: %s\n", what);
    std::abort();
}

EnvSettings Read(const std::string& bytes) {
    std::string copy = bytes;
    std::FILE* stream = fmemopen(copy.data(), copy.size(), "rb");
    Check(stream != nullptr, "fmemopen failed");
    const EnvSettings settings = ReadEnvSettings(stream);
    std::fclose(stream);
    return settings;
}

bool Level(std::uint32_t level) { return level >= 1 && level <= 10; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QuietSink sink;
    static platform::ScopedService<platform::LogSink> quiet(sink);
    if (size == 0) return 0;
    const EnvSettings s = Read(std::string(reinterpret_cast<const char*>(data), size));
    Check(Level(s.bgmVolume) && Level(s.voiceVolume) && Level(s.seVolume), "level out of range");
    Check(s.colourDepth == 16 || s.colourDepth == 24 || s.colourDepth == 32, "bad depth");
    Check(s.msgSpeed != 0, "speed 0");
    const std::string written = FormatEnvSettings(s);
    Check(FormatEnvSettings(Read(written)) == written, "written file reads back differently");
    return 0;
}
