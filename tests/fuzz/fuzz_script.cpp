// Arbitrary bytes as an opened scenario script, run frame by frame until the script
// ends or fails: reading, decoding, splitting and every built command handler must
// hold up without a fault.
#include <cstddef>
#include <cstdint>

#include "FuzzEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zkfuzz::FuzzEngine engine;
    if (!zkfuzz::FuzzEngine::WriteScenario("fuzz.spt", data, size)) return 0;
    engine.game.ScrFileOpen("fuzz.spt");
    for (int frame = 0; frame < 1000; ++frame) {
        const std::int32_t result = engine.game.ScrMain();
        if (result == -1 || result == 2) break;
    }
    engine.game.ScrFileData.Release();
    return 0;
}
