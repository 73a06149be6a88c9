// Arbitrary bytes as an opened scenario script, run frame by frame until the script
// ends or fails, over a story set up as the story screen has it: the three windows
// with their materials and a row of every kind a command names, so that every
// handler can be reached. Reading, decoding, splitting and every command handler must
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

// The picture a background and a texture row show, present in the archive; the
// character's picture is registered but left out of it.
const std::string& Background() { return AssetManifest::Instance().SurfaceNames().at(264); }
const std::string& Texture() { return AssetManifest::Instance().TextureNames().at(0); }

// The first named sound-effect buffer.
std::string Effect() {
    for (const std::string& name : AssetManifest::Instance().EffectNames()) {
        if (!name.empty()) return name;
    }
    return {};
}

// The window materials and the present pictures in the picture archive: small flat
// pictures, since nothing is drawn and every input loads them afresh.
bool WritePictures() {
    const std::vector<std::uint32_t> pixels(8 * 8, 0x00406080);
    const std::string bitmap = zktools::BitmapBytes(zktools::BitmapForm::Rgb24, 8, 8, pixels);
    std::vector<zktools::CombinedMember> members;
    for (const std::size_t slot : {5u, 6u, 7u}) {
        members.push_back(
            zktools::MemberFromBytes(AssetManifest::Instance().SurfaceNames().at(slot), bitmap));
    }
    members.push_back(zktools::MemberFromBytes(Background(), bitmap));
    members.push_back(zktools::MemberFromBytes(Texture(), bitmap));
    std::string error;
    return zktools::WriteCombinedFile("dat/Img.dat", members, zktools::ListPlace::InArchive, error);
}

// Two bodies and two faces of the missing picture, with two eye frames.
void AddCharacter(std::vector<std::u8string>& lines, const std::string& id) {
    const std::u8string c = U8(id);
    lines.push_back(u8"#REG_DATA " + c + u8" CHAR 2 2");
    for (const char8_t* n : {u8" 1 ", u8" 2 "}) {
        lines.push_back(u8"#CHARA_SET_BODY " + c + n + u8"pic pic 0 0 0 0");
        lines.push_back(u8"#CHARA_SET_FACE " + c + n + u8"pic pic 0 0 2 0 REPETITION");
    }
    lines.push_back(u8"#CHARA_SET_EYE " + c + u8" 1 1 0 0 10 100");
    lines.push_back(u8"#CHARA_SET_EYE " + c + u8" 1 2 10 0 10 100");
}

// Variables DAY and HELP; a background BG00 and a texture TX00 that load, a picture
// pic that does not, and a sound SE00; the four heroines and a character HERO, all
// drawn from pic.
bool StartStory(GAMEMAIN& game) {
    const std::string picture = AssetManifest::Instance().SurfaceNames().at(263);
    std::vector<std::u8string> lines = {u8"// init",
                                        u8"#REG_DATA DAY VAR 1",
                                        u8"#REG_DATA HELP VAR 0",
                                        u8"#REG_DATA pic SURF " + U8(picture),
                                        u8"#REG_DATA pic TEX " + U8(picture),
                                        u8"#REG_DATA BG00 SURF " + U8(Background()),
                                        u8"#REG_DATA TX00 TEX " + U8(Texture()),
                                        u8"#REG_DATA SE00 WAVE " + U8(Effect())};
    for (const char* id : {"HERO", "QUIRA", "DULCANE", "OMBREA", "YSMA"}) AddCharacter(lines, id);
    std::string error;
    const auto coded = zktools::CodedScriptBytes(lines, error);
    if (!coded ||
        !zkfuzz::FuzzEngine::WriteScenario(
            "Init.spt", reinterpret_cast<const std::uint8_t*>(coded->data()), coded->size())) {
        return false;
    }
    return WritePictures() && game.InitScrMain() == 1;
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
