#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "mkdemo/PictureCatalog.h"
#include "support/ScriptKit.h"
#include "support/SoundEventLog.h"
#include "support/TestGlyphScope.h"

namespace zktest {

// The script kit's engine objects set up for the in-game windows: the window materials
// (surfaces 5 to 10), the costume cards' sheets (15 to 18), the extras menu's pictures
// (19 and 20), the dress room's (21 and 22), the music room's (23 and 24), the
// gallery's (30 and 31, QUIRA's first two CG thumbnails, her first scene's and the
// picture EV01) and a recollection scene's return button (32) in mkdemo's plain style,
// effects 4 and 5 loaded and 3, 6, 7 and 8 ready in the archive, two one-second voices
// in VO.dat, 18 short tracks in AU.dat, every play and stop recorded and text drawn as
// boxes. The windows take pointer, button and time as arguments, so a test calls them
// once per simulated frame at Time(k). A failed test keeps its folder, where golden
// mismatches are written.
struct WindowTestBench {
    static constexpr std::uint32_t kT0 = 100000;
    static constexpr std::uint32_t kFrame = 16;
    static constexpr const char* kVoices[] = {"V0001.sou", "V0002.sou"};
    static constexpr int kTracks = 18;
    static constexpr int kTrackMs = 300;

    TestGlyphScope glyphs;
    ScriptKit kit;
    SoundEventLog sounds;
    ZKSPRITE* sprite = &kit.sprites.sprite;
    ZKSND* snd = &kit.snd;
    ZKSYSTEM* sys = &kit.sys;
    const GameContext* context = &kit.game->Context;

    WindowTestBench();
    ~WindowTestBench();

    static std::uint32_t Time(int k) { return kT0 + kFrame * static_cast<std::uint32_t>(k); }
    GAMEMAIN& game() { return *kit.game; }

    // One frame: the scene cleared, draw run, the frame presented and returned
    // (800 x 600, 0x00RRGGBB).
    const std::vector<std::uint32_t>& drawFrame(const std::function<void()>& draw);
    static std::uint32_t At(const std::vector<std::uint32_t>& frame, int x, int y) {
        return frame[static_cast<std::size_t>(y) * 800 + static_cast<std::size_t>(x)];
    }
    // The plain colour of a cell of a window material ("MsgWndMaterial", "skip on").
    static std::uint32_t CellColor(const std::string& stem, const std::string& cell);
    // The colour of a cell in the demo's own art, two pixels in from its corners.
    static std::uint32_t ArtCellColor(const std::string& stem, const std::string& cell);
    // The catalog's entry of a picture of the manifest, by its stem.
    static const mkdemo::PictureEntry& Entry(const std::string& stem);
    // A voice of ms milliseconds, as a sound file.
    static std::string Voice(int ms);
    // The music file of track n, "bgm01.mus" to "bgm18.mus".
    static std::string Track(int track);
    // A frame's worth of the mix pulled, as a session's audio device pulls it, so
    // that music plays on towards its end.
    void pullFrameSound();
    // The window materials in mkdemo's plain style, as archive members.
    static std::vector<std::pair<std::string, std::string>> Materials();
    // Plays of effect record n so far.
    std::uint32_t effects(int record) const {
        return static_cast<std::uint32_t>(
            sounds.plays("tmp/" + ScriptKit::EffectName(record), platform::AudioBus::Effects));
    }

    std::vector<std::string> lines() const { return kit.lines(); }
};

}  // namespace zktest
