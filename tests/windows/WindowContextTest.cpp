#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "game/GameContext.h"
#include "platform/audio/AudioFormat.h"
#include "support/WindowTestBench.h"

namespace {

using platform::AudioBus;
using zktest::ScriptKit;
using zktest::WindowTestBench;

// Each window refuses no context, or one without an engine object or the shell's
// words, with its own line; the host is not among what a window needs.
TEST(WindowContext, EachWindowRefusesAContextMissingAPiece) {
    WindowTestBench bench;
    GAMEMAIN& game = bench.game();
    const struct {
        const char* tag;
        std::function<std::uint32_t(const GameContext*)> initialize;
    } windows[] = {
        {"MSG_WINDOW_DATA", [&](const GameContext* c) { return game.MsgWindowData.Initialize(c); }},
        {"SELECT_WINDOW_COLLECT_DATA",
         [&](const GameContext* c) { return game.SelectWindowData.Initialize(2, c); }},
        {"DAY_WINDOW_DATA",
         [&](const GameContext* c) { return game.DayWindowData.Initialize(1, c); }},
    };
    const struct {
        const char* without;
        std::function<void(GameContext&)> remove;
        std::uint32_t result;
    } contexts[] = {
        {"system", [](GameContext& c) { c.pSystem = nullptr; }, 0},
        {"sprite", [](GameContext& c) { c.pSprite = nullptr; }, 0},
        {"sound", [](GameContext& c) { c.pSnd = nullptr; }, 0},
        {"shell", [](GameContext& c) { c.pShell = nullptr; }, 0},
        {"host", [](GameContext& c) { c.pHost = nullptr; }, 1},
    };
    for (const auto& w : windows) {
        const std::string refused =
            "Error: <" + std::string(w.tag) + "::Initialize> 引数が不正です";
        bench.kit.clearLog();
        EXPECT_EQ(w.initialize(nullptr), 0u) << w.tag;
        EXPECT_EQ(bench.lines(), std::vector<std::string>{refused}) << w.tag;
        for (const auto& c : contexts) {
            GameContext context = *bench.context;
            c.remove(context);
            bench.kit.clearLog();
            EXPECT_EQ(w.initialize(&context), c.result) << w.tag << " without " << c.without;
            const auto expected =
                c.result == 0 ? std::vector<std::string>{refused} : std::vector<std::string>{};
            EXPECT_EQ(bench.lines(), expected) << w.tag << " without " << c.without;
        }
    }
}

// A window whose material cannot be loaded says so under its own tag and stays
// down; a window that is not up draws nothing and reports no failure.
TEST(WindowContext, AWindowWithoutItsMaterialSaysSoAndAWindowNotUpDrawsNothing) {
    WindowTestBench bench;
    GAMEMAIN& game = bench.game();
    std::filesystem::remove("dat/Img.dat");
    const struct {
        const char* tag;
        std::function<std::uint32_t()> initialize;
        std::function<std::uint32_t()> draw;
    } windows[] = {
        {"MSG_WINDOW_DATA", [&] { return game.MsgWindowData.Initialize(bench.context); },
         [&] { return game.MsgWindowData.Draw(); }},
        {"SELECT_WINDOW_COLLECT_DATA",
         [&] { return game.SelectWindowData.Initialize(2, bench.context); },
         [&] { return game.SelectWindowData.Draw(); }},
        {"DAY_WINDOW_DATA", [&] { return game.DayWindowData.Initialize(1, bench.context); },
         [&] { return game.DayWindowData.Draw(); }},
    };
    for (const auto& w : windows) {
        bench.kit.clearLog();
        EXPECT_EQ(w.initialize(), 0u) << w.tag;
        const auto lines = bench.lines();
        const std::string failed =
            "Error: <" + std::string(w.tag) + "::Initialize> 画像のロードに失敗しました";
        EXPECT_NE(std::find(lines.begin(), lines.end(), failed), lines.end()) << w.tag;
        bench.kit.clearLog();
        EXPECT_EQ(w.draw(), 1u) << w.tag;
        EXPECT_EQ(bench.lines(), std::vector<std::string>{}) << w.tag;
    }
}

// The context's sound view plays on the context's engine objects, after the
// shell's switches.
TEST(WindowContext, TheSoundViewPlaysEffectsVoicesAndMusicByName) {
    WindowTestBench bench;
    ScriptKit::WriteArchive("dat/AU.dat", {{"m1.sou", ScriptKit::Tone()}});
    const GameSound sound = bench.context->Sound();
    EXPECT_EQ(sound.Effect(4), 1);
    EXPECT_EQ(bench.effects(4), 1u);
    EXPECT_EQ(bench.effects(5), 0u);
    EXPECT_EQ(sound.Voice(WindowTestBench::kVoices[1]), 1);
    EXPECT_EQ(
        bench.sounds.plays(std::string("tmp/") + WindowTestBench::kVoices[1], AudioBus::Voice), 1);
    EXPECT_EQ(sound.StopVoice(), 1);
    EXPECT_EQ(bench.sounds.stops(AudioBus::Voice), 1);
    EXPECT_EQ(sound.Music("m1.sou"), 1);
    EXPECT_EQ(bench.sounds.plays("tmp/m1.sou", AudioBus::Music), 1);

    // Without sound every call succeeds and plays nothing.
    bench.kit.shell.soundAvailable = 0;
    bench.sounds.clear();
    EXPECT_EQ(sound.Effect(5), 1);
    EXPECT_EQ(sound.Voice(WindowTestBench::kVoices[0]), 1);
    EXPECT_EQ(sound.Music("m1.sou"), 1);
    EXPECT_TRUE(bench.sounds.events().empty());
    EXPECT_EQ(bench.lines(), std::vector<std::string>{});
}

}  // namespace
