#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/ResourcePlayer.h"
#include "platform/input/VirtualKeys.h"
#include "support/ScriptBench.h"

namespace {

using Lines = std::vector<std::string>;
using platform::AudioBus;
using zktest::ScriptBench;
using zktest::ScriptKit;

// The bench's effects 4 and 5, loaded as it starts.
constexpr const char* kEffect = "GenPurEnter";
constexpr const char* kOtherEffect = "Cursor_Move";

std::int32_t WaveSlot(GAMEMAIN& g, const char* szID) {
    std::int32_t row = -1;
    EXPECT_EQ(g.IDSerch(szID, 2, &row), 1u) << szID;
    return g.pWaveData[row].nIndex;
}

int Loaded(ScriptBench& b, const char* szID) {
    return b.game().pSnd->DAGetLoadState(WaveSlot(b.game(), szID));
}

int Plays(ScriptBench& b, const std::string& file, AudioBus bus) {
    return b.win.sounds.plays("tmp/" + file, bus);
}

// A new name replaces the music, the name playing continues; a name the loaders
// would refuse is refused before it is kept.
TEST(SoundCommands, PlayBGMKeepsOnlyANameItCanPlay) {
    ScriptBench b;
    ScriptKit::WriteArchive("dat/AU.dat",
                            {{"m1.mus", ScriptKit::Tone()}, {"m2.mus", ScriptKit::Tone()}});
    GAMEMAIN& g = b.game();
    const std::string tag = "Error: <GAMEMAIN::PlayBGMProc> [#PlayBGM] ";
    const std::string longName(300, 'm');
    const struct {
        std::string line;
        std::string failure;
        int m1Plays;
        int m2Plays;
    } steps[] = {
        {"#PlayBGM m1.mus", "", 1, 0},
        {"#PlayBGM M1.MUS", "", 1, 0},
        {"#PlayBGM m2.mus", "", 1, 1},
        {"#PlayBGM ../m1.mus", tag + "第1引数が不正です: ../m1.mus", 1, 1},
        {"#PlayBGM " + longName, tag + "第1引数が不正です: " + longName, 1, 1},
        {"#PlayBGM", tag + "再生パスが不正です", 1, 1},
    };
    std::string kept;
    for (const auto& s : steps) {
        SCOPED_TRACE(s.line);
        const Lines lines = b.runLine(s.line);
        if (s.failure.empty()) {
            EXPECT_EQ(lines, Lines{});
            kept = s.line.substr(9);
        } else {
            EXPECT_EQ(lines, ScriptBench::FailureLines(s.failure, 2, "#PlayBGM"));
        }
        EXPECT_EQ(std::string(g.szBGMName), kept);
        EXPECT_EQ(Plays(b, "m1.mus", AudioBus::Music), s.m1Plays);
        EXPECT_EQ(Plays(b, "m2.mus", AudioBus::Music), s.m2Plays);
    }
    EXPECT_EQ(b.runLine("#StopBGM"), Lines{});
    EXPECT_NE(g.pSnd->DAGetState(1), 0);
    EXPECT_EQ(g.pSnd->DAGetLoadState(1), 0);
}

// 0 plays the effect once, -1 for as long as the mix is pulled.
TEST(SoundCommands, PlayWaveLoopsOnANegativeCount) {
    const std::size_t effectFrames = 4410;
    for (const char* loop : {"0", "-1"}) {
        SCOPED_TRACE(loop);
        ScriptBench b;
        b.kit().audio.pull(effectFrames * 4);
        EXPECT_EQ(b.runLine(std::string("#PlayWave ") + kEffect + " " + loop), Lines{});
        const std::vector<float> mix = b.kit().audio.pull(effectFrames * 4);
        // Interleaved stereo: the effect's own length, then twice as long again.
        const std::span<const float> first(mix.data(), effectFrames * 2);
        const std::span<const float> after(mix.data() + effectFrames * 4, effectFrames * 4);
        EXPECT_GT(zktest::Rms(first), 0.0);
        if (loop[0] == '-') {
            EXPECT_GT(zktest::Rms(after), 0.0);
        } else {
            EXPECT_EQ(zktest::Rms(after), 0.0);
        }
    }
}

// FALSE plays what is loaded; without it the registered file is loaded again. An
// effect that cannot play is a warning: the story goes on without it.
TEST(SoundCommands, PlayWaveLoadsUnlessToldAndWarnsWhenItCannotPlay) {
    const std::string tag = "Error: <GAMEMAIN::PlayWaveProc> [#PlayWave] ";
    const std::string failed = tag + "WAVE再生に失敗しました";
    const std::string unknown = tag + "合致するIDが見つかりませんでした";
    const struct {
        std::string line;
        std::string warning;
        int plays;
    } cases[] = {
        {"#PlayWave GenPurEnter 0", "", 1},        {"#PlayWave GenPurEnter 0 FALSE", failed, 0},
        {"#PlayWave GenPurEnter 0 FALSCH", "", 1}, {"#PlayWave SE00 0", failed, 0},
        {"#PlayWave NOPE 0", unknown, 0},          {"#PlayWave", unknown, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ScriptBench b;
        b.runLine(std::string("#UnLoadData ") + kEffect + " WAVE");
        b.win.sounds.clear();
        const Lines lines = b.runLine(c.line);
        EXPECT_EQ(b.lastResult, 2);
        if (c.warning.empty()) {
            EXPECT_EQ(lines, Lines{});
        } else {
            const Lines tail = ScriptBench::WarningLines(c.warning, 2, "#PlayWave");
            ASSERT_GE(lines.size(), tail.size());
            EXPECT_EQ(Lines(lines.end() - 3, lines.end()), tail);
        }
        EXPECT_EQ(Plays(b, std::string(kEffect) + ".sou", AudioBus::Effects), c.plays);
    }
}

// One ID or every registered row; FALSE keeps them loaded, but only after an ID.
TEST(SoundCommands, StopWaveStopsOneRowOrAllAndUnloadsUnlessTold) {
    const std::string unknown =
        "Error: <GAMEMAIN::StopWaveProc> [#StopWave] 合致するIDが見つかりませんでした";
    const struct {
        std::string line;
        int stops;
        int effectLoaded;
        int otherLoaded;
        std::string failure;
    } cases[] = {
        {"#StopWave GenPurEnter", 1, 0, 1, ""},
        {"#StopWave genpurenter FALSE", 1, 1, 1, ""},
        {"#StopWave", 2, 0, 0, ""},
        {"#StopWave NOPE", 0, 1, 1, unknown},
        {"#StopWave FALSE", 0, 1, 1, unknown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ScriptBench b;
        for (const char* id : {kEffect, kOtherEffect}) {
            b.runLine(std::string("#PlayWave ") + id + " -1 FALSE");
        }
        b.win.sounds.clear();
        const Lines lines = b.runLine(c.line);
        if (c.failure.empty()) {
            EXPECT_EQ(lines, Lines{});
        } else {
            const Lines tail = ScriptBench::FailureLines(c.failure, 2, "#StopWave");
            ASSERT_GE(lines.size(), tail.size());
            EXPECT_EQ(Lines(lines.end() - 4, lines.end()), tail);
        }
        EXPECT_EQ(b.win.sounds.stops(AudioBus::Effects), c.stops);
        EXPECT_EQ(Loaded(b, kEffect), c.effectLoaded);
        EXPECT_EQ(Loaded(b, kOtherEffect), c.otherLoaded);
    }
}

// The voice sounding stops in every case but a refused name; a new one starts only
// when lines are not being passed by Ctrl or by skipping, whatever the read limit.
TEST(SoundCommands, PlayVoiceStopsTheVoiceAndIsSilentWhileLinesArePassed) {
    enum class PASS { None, Ctrl, Skip };
    const std::string warning =
        "Warn: <GAMEMAIN::PlayVoiceProc> [#PlayVoice] 第1引数が不正です: ../v.sou";
    const struct {
        std::string line;
        PASS pass;
        int stops;
        int plays;
        std::string warning;
    } cases[] = {
        {"#PlayVoice VSHORT.sou", PASS::None, 1, 1, ""},
        {"#PlayVoice VSHORT.sou", PASS::Ctrl, 1, 0, ""},
        {"#PlayVoice VSHORT.sou", PASS::Skip, 1, 0, ""},
        {"#PlayVoice", PASS::None, 1, 0, ""},
        {"#PlayVoice ../v.sou", PASS::None, 0, 0, warning},
        {"#StopVoice", PASS::None, 1, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line + " " + std::to_string(static_cast<int>(c.pass)));
        ScriptBench b;
        GAMEMAIN& g = b.game();
        ASSERT_EQ(VoicePlay(ScriptBench::kLongVoice, g.pSnd, g.pSystem, *g.pShell), 1);
        b.win.sounds.clear();
        if (c.pass == PASS::Ctrl) b.hold(platform::VK_CONTROL, true);
        if (c.pass == PASS::Skip) {
            // Line 2 lies beyond the read limit: a message would not be skipped.
            g.nScrSkipEnableFlg = 1;
            g.nScrSkipLine = 1;
            g.MsgWindowData.nSkipFlg = 1;
        }
        const Lines lines = b.runLine(c.line);
        EXPECT_EQ(lines, c.warning.empty() ? Lines{}
                                           : ScriptBench::WarningLines(c.warning, 2, "#PlayVoice"));
        EXPECT_EQ(b.win.sounds.stops(AudioBus::Voice), c.stops);
        EXPECT_EQ(Plays(b, ScriptBench::kShortVoice, AudioBus::Voice), c.plays);
    }
}

}  // namespace
