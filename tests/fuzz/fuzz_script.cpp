// Arbitrary bytes as an opened scenario script, run frame by frame until the script
// ends or fails, over a story set up as the story screen has it: the three windows
// with their materials, a registered variable DAY and a character whose pictures
// are missing. Reading, decoding, splitting and every built command handler must
// hold up without a fault. Random numbers come from a fixed source, so a failing
// input repeats.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzEngine.h"
#include "common/BitmapWriter.h"
#include "common/CodedScriptWriter.h"
#include "shell/AssetManifest.h"

namespace {

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

// The window materials in the picture archive: small flat pictures, since nothing
// is drawn and every input loads them afresh.
bool WriteMaterials() {
    const std::vector<std::uint32_t> pixels(8 * 8, 0x00406080);
    std::vector<zktools::CombinedMember> members;
    for (const std::size_t slot : {5u, 6u, 7u}) {
        members.push_back(zktools::MemberFromBytes(
            AssetManifest::Instance().SurfaceNames().at(slot),
            zktools::BitmapBytes(zktools::BitmapForm::Rgb24, 8, 8, pixels)));
    }
    std::string error;
    return zktools::WriteCombinedFile("dat/Img.dat", members, zktools::ListPlace::InArchive, error);
}

// A variable DAY and a character of two bodies and two faces whose pictures are
// registered but not in the archive.
bool StartStory(GAMEMAIN& game) {
    const std::string picture = AssetManifest::Instance().SurfaceNames().at(263);
    const std::vector<std::u8string> lines = {u8"// init",
                                              u8"#REG_DATA DAY VAR 1",
                                              u8"#REG_DATA pic SURF " + U8(picture),
                                              u8"#REG_DATA pic TEX " + U8(picture),
                                              u8"#REG_DATA HERO CHAR 2 2",
                                              u8"#CHARA_SET_BODY HERO 1 pic pic 0 0 0 0",
                                              u8"#CHARA_SET_BODY HERO 2 pic pic 0 0 0 0",
                                              u8"#CHARA_SET_FACE HERO 1 pic pic 0 0 2 0 REPETITION",
                                              u8"#CHARA_SET_FACE HERO 2 pic pic 0 0 2 0 REPETITION",
                                              u8"#CHARA_SET_EYE HERO 1 1 0 0 10 100",
                                              u8"#CHARA_SET_EYE HERO 1 2 10 0 10 100"};
    std::string error;
    const auto coded = zktools::CodedScriptBytes(lines, error);
    if (!coded ||
        !zkfuzz::FuzzEngine::WriteScenario(
            "Init.spt", reinterpret_cast<const std::uint8_t*>(coded->data()), coded->size())) {
        return false;
    }
    return WriteMaterials() && game.InitScrMain() == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static zkfuzz::FuzzEngine engine;
    static const bool started = StartStory(engine.game);
    zkfuzz::Require(started, "the story could not be set up");
    GAMEMAIN& game = engine.game;
    if (!zkfuzz::FuzzEngine::WriteScenario("fuzz.spt", data, size)) return 0;
    game.MsgWindowData.Initialize(&game.Context);
    game.DayWindowData.Initialize(1, &game.Context);
    game.nMsgWndDispFlg = 1;
    game.SetScrRandomSource([next = 0]() mutable { return next++; });
    game.ScrFileOpen("fuzz.spt");
    for (int frame = 0; frame < 1000; ++frame) {
        game.dwNowTime += 16;
        const std::int32_t result = game.ScrMain();
        if (result == -1 || result == 2) break;
    }
    game.ScrFileData.Release();
    game.SelectWindowData.Release();
    game.DayWindowData.Release();
    game.MsgWindowData.Release();
    return 0;
}
