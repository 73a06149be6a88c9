#include "support/WindowTestBench.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <map>

#include "common/WavWriter.h"
#include "game/ResourceLoader.h"
#include "mkdemo/PictureCatalog.h"
#include "mkdemo/PicturePainter.h"
#include "shell/AssetManifest.h"

namespace zktest {

namespace {

constexpr const char* kMaterials[] = {"MsgWndMaterial",
                                      "SlcWndMaterial",
                                      "DayWndMaterial",
                                      "ConfigMaterial",
                                      "SaveWindowMaterial",
                                      "LoadWindowMaterial",
                                      "SpecialBack",
                                      "SpecialMaterial",
                                      "ClothesSelectMaterial",
                                      "ClothesCard_F",
                                      "ClothesCard_R",
                                      "ClothesSelectBody",
                                      "DressRoomBack",
                                      "QuiraFaceWnd",
                                      "BGMModeBack",
                                      "BGMModeMaterial",
                                      "CGBack",
                                      "CGMaterial",
                                      "ReplayMaterial"};
// The gallery's thumbnails and pictures its tests unlock.
constexpr const char* kGalleryPictures[] = {"Tb_cg_Quira_01", "Tb_cg_Quira_02", "Tb_rp_Quira_01",
                                            "EV01"};
constexpr int kEffects[] = {4, 5};
// In the archive for the screens that load them themselves.
constexpr int kScreenEffects[] = {3, 6, 7, 8};

}  // namespace

const mkdemo::PictureEntry& WindowTestBench::Entry(const std::string& stem) {
    static const std::vector<mkdemo::PictureEntry> catalog = [] {
        std::string error;
        auto entries = mkdemo::PictureCatalog::Build(AssetManifest::Instance(), error);
        EXPECT_TRUE(entries) << error;
        return entries.value_or(std::vector<mkdemo::PictureEntry>{});
    }();
    const auto it = std::find_if(catalog.begin(), catalog.end(),
                                 [&](const auto& entry) { return entry.stem == stem; });
    if (it == catalog.end()) throw std::runtime_error("no picture " + stem);
    return *it;
}

// Painting is most of a bench's set-up, so a test that builds many benches paints once.
std::vector<std::pair<std::string, std::string>> WindowTestBench::Materials() {
    static const std::vector<std::pair<std::string, std::string>> painted = [] {
        std::vector<std::pair<std::string, std::string>> pictures;
        std::vector<const char*> stems(std::begin(kMaterials), std::end(kMaterials));
        stems.insert(stems.end(), std::begin(kGalleryPictures), std::end(kGalleryPictures));
        for (const char* stem : stems) {
            const mkdemo::PictureEntry& entry = Entry(stem);
            pictures.emplace_back(entry.name, mkdemo::PicturePainter::PlainBitmapOf(entry));
        }
        return pictures;
    }();
    return painted;
}

std::string WindowTestBench::Track(int track) {
    char name[16] = {};
    std::snprintf(name, sizeof name, "bgm%02d.mus", track);
    return name;
}

void WindowTestBench::pullFrameSound() { kit.audio.pull(kFrame * 441 / 10); }

std::string WindowTestBench::Voice(int ms) {
    static std::map<int, std::string> made;
    auto it = made.find(ms);
    if (it == made.end()) {
        const zktools::WavFormat format;
        it = made.emplace(ms, zktools::WavBytes(format,
                                                zktools::Sine(format, 441 * ms / 10, 330.0, 0.5f)))
                 .first;
    }
    return it->second;
}

WindowTestBench::WindowTestBench() {
    ScriptKit::WriteArchive("dat/Img.dat", Materials());
    std::vector<std::pair<std::string, std::string>> effects;
    for (const int record : kEffects)
        effects.emplace_back(ScriptKit::EffectName(record), ScriptKit::Tone());
    for (const int record : kScreenEffects)
        effects.emplace_back(ScriptKit::EffectName(record), ScriptKit::Tone());
    ScriptKit::WriteArchive("dat/SE.dat", effects);
    std::vector<std::pair<std::string, std::string>> voices;
    for (const char* voice : kVoices) voices.emplace_back(voice, Voice(1000));
    ScriptKit::WriteArchive("dat/VO.dat", voices);
    std::vector<std::pair<std::string, std::string>> music;
    for (int track = 1; track <= kTracks; ++track)
        music.emplace_back(Track(track), Voice(kTrackMs));
    ScriptKit::WriteArchive("dat/AU.dat", music);
    for (const int record : kEffects)
        EXPECT_EQ(SELoad(snd, sys, record, nullptr, kit.shell), 1) << record;
    kit.clearLog();
}

WindowTestBench::~WindowTestBench() {
    if (::testing::Test::HasFailure()) {
        kit.sprites.kit.dir.keep();
        std::printf("window test folder kept: %s\n", kit.sprites.kit.dir.path().c_str());
    }
}

const std::vector<std::uint32_t>& WindowTestBench::drawFrame(const std::function<void()>& draw) {
    sprite->D3DXDrawStart();
    draw();
    sprite->D3DXDrawEnd();
    return kit.sprites.display.frame();
}

std::uint32_t WindowTestBench::CellColor(const std::string& stem, const std::string& cell) {
    return mkdemo::PicturePainter::PlainCellColors(Entry(stem)).at(cell);
}

std::uint32_t WindowTestBench::ArtCellColor(const std::string& stem, const std::string& cell) {
    return mkdemo::PicturePainter::CellColors(Entry(stem)).at(cell);
}

}  // namespace zktest
