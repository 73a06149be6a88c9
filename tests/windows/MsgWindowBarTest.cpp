#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "support/WindowTestBench.h"
#include "windows/MSG_WINDOW_DATA.h"

using platform::AudioBus;
using zktest::WindowTestBench;

namespace {

constexpr int kOff = -1;

// The message window open at rest, its line with a voice that has not played.
struct Bar : ::testing::Test {
    WindowTestBench bench;
    MSG_WINDOW_DATA& window = bench.game().MsgWindowData;
    int k = 0;

    void SetUp() override {
        ASSERT_EQ(window.Initialize(bench.sprite, bench.snd, bench.sys), 1u);
        ASSERT_EQ(window.WindowOpen(0), 1);
        window.MsgData.SetText("Line");
        window.MsgData.SetVoice(WindowTestBench::kVoices[0]);
        bench.sounds.clear();
    }
    // One frame with the pointer over button b (bar order) or off the bar.
    std::int32_t frame(int b, KEY_STATE key) {
        const int x = b == kOff ? 100 : window.nX + 553 + 39 * b + 16;
        return window.WindowStandby(x, window.nY + 21, key, WindowTestBench::Time(k++));
    }
    int effects(int record) const {
        return bench.sounds.plays(WindowTestBench::EffectPath(record), AudioBus::Effects);
    }
    int voicePlays(int voice) const {
        return bench.sounds.plays(std::string("tmp/") + WindowTestBench::kVoices[voice],
                                  AudioBus::Voice);
    }
    void backLog(int lines) {
        for (int i = 0; i < lines; ++i) {
            window.SetBackLog("N", ("L" + std::to_string(i)).c_str(), WindowTestBench::kVoices[1]);
        }
    }
};

TEST_F(Bar, HoverSoundsOnceTogglesAndHideFrameByFrame) {
    window.ButtonDisable(1 << MSG_BUTTON_BACK);
    const struct {
        int button;
        KEY_STATE key;
        std::int32_t result;
        int cursor, enter;  // effects 4 and 5 so far
        std::uint32_t skip, autoOn, barUsed;
    } frames[] = {
        {kOff, KEY_STATE_UP, 0, 0, 0, 0, 0, 0},
        {MSG_BUTTON_SKIP, KEY_STATE_UP, 1, 1, 0, 0, 0, 0},
        {MSG_BUTTON_SKIP, KEY_STATE_PRESSED, 0, 1, 0, 0, 0, 0},
        {MSG_BUTTON_SKIP, KEY_STATE_RELEASED, 2, 1, 1, 1, 0, 0},
        {MSG_BUTTON_AUTO, KEY_STATE_UP, 1, 2, 1, 1, 0, 0},
        {MSG_BUTTON_AUTO, KEY_STATE_RELEASED, 2, 2, 2, 1, 1, 1},
        {MSG_BUTTON_BACK, KEY_STATE_RELEASED, 1, 2, 2, 1, 1, 1},
        {MSG_BUTTON_VOICE, KEY_STATE_UP, 1, 3, 2, 1, 1, 1},
        {MSG_BUTTON_HIDE, KEY_STATE_PRESSED, 1, 4, 2, 1, 1, 1},
        {MSG_BUTTON_HIDE, KEY_STATE_RELEASED, 4, 4, 3, 1, 1, 1},
        {kOff, KEY_STATE_RELEASED, 0, 4, 3, 1, 1, 1},
    };
    for (const auto& f : frames) {
        EXPECT_EQ(frame(f.button, f.key), f.result) << "frame " << k - 1;
        EXPECT_EQ(effects(4), f.cursor) << "frame " << k - 1;
        EXPECT_EQ(effects(5), f.enter) << "frame " << k - 1;
        EXPECT_EQ(window.nSkipFlg, f.skip) << "frame " << k - 1;
        EXPECT_EQ(window.nAutoFlg, f.autoOn) << "frame " << k - 1;
        EXPECT_EQ(window.nBarUseFlg, f.barUsed) << "frame " << k - 1;
    }
    EXPECT_EQ(window.nHoverButton, 0u);
    // Away from its resting place the voice button hovers in silence.
    window.nY = 430;
    EXPECT_EQ(frame(MSG_BUTTON_VOICE, KEY_STATE_UP), 1);
    EXPECT_EQ(effects(4), 4);
}

// Only a voice that plays keeps the replay button disabled, also in a frame in which
// skip was clicked; a replay plays the shown line's voice.
TEST_F(Bar, ReplayWaitsOnlyForAPlayingVoiceAndPlaysTheShownLine) {
    ASSERT_EQ(VoicePlay(WindowTestBench::kVoices[0], bench.snd, bench.sys, bench.kit.shell), 1);
    const struct {
        const char* made;
        std::size_t pulled;  // frames of the mix before the voice stops
        bool stop;
        std::int32_t state;
    } states[] = {{"playing", 0, false, 0},
                  {"halted part-way", 4410, true, 1},
                  {"played to its end", 50000, false, 2}};
    for (const auto& s : states) {
        ASSERT_EQ(VoicePlay(WindowTestBench::kVoices[0], bench.snd, bench.sys, bench.kit.shell), 1);
        bench.kit.audio.pull(s.pulled);
        if (s.stop) VoiceStop(bench.snd, bench.kit.shell);
        ASSERT_EQ(bench.snd->DAGetState(0), s.state) << s.made;
        const std::uint32_t expected = s.state == 0 ? 4 : 0;
        frame(MSG_BUTTON_SKIP, KEY_STATE_RELEASED);
        EXPECT_EQ(window.nButtonState[MSG_BUTTON_VOICE], expected) << s.made << " with skip";
        frame(kOff, KEY_STATE_UP);
        EXPECT_EQ(window.nButtonState[MSG_BUTTON_VOICE], expected) << s.made;
    }
    VoiceUnload(bench.snd, bench.sys, bench.kit.shell);
    ASSERT_EQ(bench.snd->DAGetState(0), -2);
    bench.sounds.clear();
    frame(MSG_BUTTON_VOICE, KEY_STATE_PRESSED);
    EXPECT_EQ(frame(MSG_BUTTON_VOICE, KEY_STATE_RELEASED), 3);
    EXPECT_EQ(voicePlays(0), 1);

    VoiceStop(bench.snd, bench.kit.shell);
    backLog(2);
    window.nBackLogNo = 0;
    frame(MSG_BUTTON_VOICE, KEY_STATE_PRESSED);
    EXPECT_EQ(frame(MSG_BUTTON_VOICE, KEY_STATE_RELEASED), 3);
    EXPECT_EQ(voicePlays(1), 1);
    EXPECT_EQ(effects(5), 0);
}

TEST_F(Bar, HoldingBackRepeatsAt500And1000MsThenEvery100) {
    backLog(7);
    ASSERT_EQ(VoicePlay(WindowTestBench::kVoices[0], bench.snd, bench.sys, bench.kit.shell), 1);
    bench.sounds.clear();
    const std::uint32_t start = WindowTestBench::Time(k);
    frame(MSG_BUTTON_BACK, KEY_STATE_PRESSED);
    std::vector<std::uint32_t> steps;
    std::vector<std::int32_t> shown;
    while (WindowTestBench::Time(k) - start < 1350) {
        const std::uint32_t now = WindowTestBench::Time(k);
        const std::int32_t before = window.nBackLogNo;
        const int enter = effects(5);
        const std::int32_t result = frame(MSG_BUTTON_BACK, KEY_STATE_HELD);
        EXPECT_EQ(result, window.nBackLogNo != before ? 2 : 0);
        if (window.nBackLogNo == before) continue;
        steps.push_back(now - start);
        shown.push_back(window.nBackLogNo);
        EXPECT_EQ(effects(5), enter + 1);
    }
    ASSERT_EQ(steps.size(), 5u);
    const std::uint32_t earliest[] = {500, 1000};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const std::uint32_t due = i < 2 ? earliest[i] : steps[i - 1] + 100;
        EXPECT_GE(steps[i], due) << i;
        EXPECT_LT(steps[i], due + WindowTestBench::kFrame) << i;
    }
    EXPECT_EQ(shown, (std::vector<std::int32_t>{6, 5, 4, 3, 2}));
    EXPECT_EQ(bench.sounds.stops(AudioBus::Voice), 1);
    EXPECT_EQ(window.nBarUseFlg, 1u);
    EXPECT_EQ(window.nDispByte, -1);

    ASSERT_EQ(VoicePlay(WindowTestBench::kVoices[0], bench.snd, bench.sys, bench.kit.shell), 1);
    EXPECT_EQ(frame(MSG_BUTTON_BACK, KEY_STATE_RELEASED), 2);
    EXPECT_EQ(window.nBackLogNo, 2);
    EXPECT_EQ(effects(5), 6);
    EXPECT_EQ(bench.sounds.stops(AudioBus::Voice), 2);

    // Forward from the newest entry comes back to the current line.
    window.nBackLogNo = 6;
    frame(MSG_BUTTON_FORWARD, KEY_STATE_PRESSED);
    EXPECT_EQ(frame(MSG_BUTTON_FORWARD, KEY_STATE_RELEASED), 2);
    EXPECT_EQ(window.nBackLogNo, -1);
    EXPECT_EQ(window.nButtonState[MSG_BUTTON_FORWARD], 4u);
}

TEST_F(Bar, BackWithOnlyTheFirstEntryCompletesTheLineAndDisablesBack) {
    backLog(1);
    window.nDispByte = 2;
    EXPECT_EQ(frame(MSG_BUTTON_BACK, KEY_STATE_PRESSED), 1);
    EXPECT_EQ(window.nDispByte, -1);
    EXPECT_EQ(window.nBackLogNo, -1);
    EXPECT_EQ(window.nButtonState[MSG_BUTTON_BACK], 4u);
    EXPECT_EQ(frame(MSG_BUTTON_BACK, KEY_STATE_RELEASED), 0);
    EXPECT_EQ(effects(5), 0);
    EXPECT_EQ(bench.sounds.stops(AudioBus::Voice), 0);
}

TEST_F(Bar, AClosedOrUninitialisedWindowAnswersNothing) {
    window.nOpenFlg = 0;
    EXPECT_EQ(frame(MSG_BUTTON_SKIP, KEY_STATE_RELEASED), 0);
    window.Release();
    window.nOpenFlg = 1;
    EXPECT_EQ(frame(MSG_BUTTON_SKIP, KEY_STATE_RELEASED), 0);
    EXPECT_EQ(window.nSkipFlg, 0u);
    EXPECT_EQ(window.nHoverButton, 0u);
    EXPECT_TRUE(bench.sounds.events().empty());
}

}  // namespace
