// Arbitrary bytes as the Init.spt member, run through the whole script start-up
// with the engine objects built once: counting, registration, characters and
// costumes must refuse what they cannot hold, never fault or allocate past their
// limits, and leave every count within its table.
#include <cstdint>

#include "FuzzEngine.h"
#include "platform/window/HeadlessMessageBox.h"

using zkfuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zkfuzz::FuzzEngine engine;
    platform::HeadlessMessageBox boxes;
    platform::ScopedService<platform::MessageBox> recorded(boxes);
    if (!zkfuzz::FuzzEngine::WriteScenario("Init.spt", data, size)) return 0;
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
