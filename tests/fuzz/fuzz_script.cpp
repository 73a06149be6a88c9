// Arbitrary bytes as an opened scenario script, run frame by frame until the script
// ends or fails: reading, decoding, splitting and every built command handler must
// hold up without a fault.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/CombinedFileWriter.h"
#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "platform/LogSink.h"
#include "platform/Services.h"
#include "shell/RegisterResourceFiles.h"
#include "sound/ZKSND.h"
#include "system/ZKSYSTEM.h"

namespace {

class QuietSink : public platform::LogSink {
public:
    void write(platform::LogChannel, std::string_view) override {}
};

// The engine objects, built once for the whole run.
struct Engine {
    QuietSink sink;
    platform::ScopedService<platform::LogSink> quiet{sink};
    ZKSYSTEM sys;
    ZKSPRITE sprite;
    ZKSND snd;
    GAMEMAIN game;

    Engine() {
        sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1);
        snd.Initialize(nullptr, nullptr, 0);
        RegisterResourceFiles(sprite, snd);
        sys.Initialize(nullptr, 1);
        game.Initialize(&sys, &sprite, &snd);
        std::filesystem::create_directory("dat");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Engine engine;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (!zktools::WriteCombinedFile("dat/Scenario.dat",
                                    {zktools::MemberFromBytes("fuzz.spt", bytes)},
                                    zktools::ListPlace::InArchive, error)) {
        return 0;
    }
    engine.game.ScrFileOpen("fuzz.spt");
    for (int frame = 0; frame < 1000; ++frame) {
        const std::int32_t result = engine.game.ScrMain();
        if (result == -1 || result == 2) break;
    }
    engine.game.ScrFileData.Release();
    return 0;
}
