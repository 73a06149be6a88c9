// Arbitrary bytes as the Init.spt member, run through the whole script start-up
// with the engine objects built once: counting, registration, characters and
// costumes must refuse what they cannot hold, never fault or allocate past their
// limits, and leave every count within its table.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/CombinedFileWriter.h"
#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "platform/HeadlessMessageBox.h"
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

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_init_script: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Engine engine;
    platform::HeadlessMessageBox boxes;
    platform::ScopedService<platform::MessageBox> recorded(boxes);
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (!zktools::WriteCombinedFile("dat/Scenario.dat",
                                    {zktools::MemberFromBytes("Init.spt", bytes)},
                                    zktools::ListPlace::InArchive, error)) {
        return 0;
    }
    GAMEMAIN& game = engine.game;
    const std::int32_t result = game.InitScrMain();
    Require(result == 1 || boxes.shown().size() >= 1, "a failed start-up without its box");
    for (const std::int32_t count :
         {game.nTextureNum, game.nSurfaceNum, game.nWaveNum, game.nVarNum, game.nCharNum}) {
        Require(count >= 0 && count <= 4096, "a table beyond its limit");
    }
    for (std::int32_t i = 0; i < game.nCharNum; ++i) {
        const ZKCHAR& chara = game.pCharData[i];
        Require(chara.nBodyNum <= 256 && chara.nFaceNum <= 256, "a character beyond its limit");
        for (std::int32_t f = 0; f < chara.nFaceNum; ++f) {
            Require(chara.pFaceData[f].nEyeNum <= 256, "a face beyond its eye limit");
        }
    }
    return 0;
}
