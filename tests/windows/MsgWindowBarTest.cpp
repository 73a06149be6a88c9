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
        ASSERT_EQ(window.Initialize(bench.context), 1u);
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
    // A full click: pressed in one frame, released in the next; the release's result.
    std::int32_t click(int b) {
        frame(b, KEY_STATE_PRESSED);
        return frame(b, KEY_STATE_RELEASED);
    }
    int voicePlays(int voice) const {
        return bench.sounds.plays(std::string("tmp/") + WindowTestBench::kVoices[voice],
                                  AudioBus::Voice);
    }
    void playVoice() {
        ASSERT_EQ(VoicePlay(WindowTestBench::kVoices[0], bench.snd, bench.sys, bench.kit.shell), 1);
    }
    void backLog(int lines) {
        for (int i = 0; i < lines; ++i) {
            window.SetBackLog("N", ("L" + std::to_string(i)).c_str(), WindowTestBench::kVoices[1]);
        }
    }
};

TEST_F(Bar, HoverSoundsOnceTogglesAndHideFrameByFrame) {
    window.ButtonDisable(1 << MSG_BUTTON_BACK);
    // Per frame: result, effects 4 and 5 so far, skip, auto, bar used.
    const struct {
        int button;
        KEY_STATE key;
        std::vector<long> after;
    } frames[] = {
        {kOff, KEY_STATE_UP, {0, 0, 0, 0, 0, 0}},
        {MSG_BUTTON_SKIP, KEY_STATE_UP, {1, 1, 0, 0, 0, 0}},
        {MSG_BUTTON_SKIP, KEY_STATE_PRESSED, {0, 1, 0, 0, 0, 0}},
        {MSG_BUTTON_SKIP, KEY_STATE_RELEASED, {2, 1, 1, 1, 0, 0}},
        {MSG_BUTTON_AUTO, KEY_STATE_UP, {1, 2, 1, 1, 0, 0}},
        {MSG_BUTTON_AUTO, KEY_STATE_RELEASED, {2, 2, 2, 1, 1, 1}},
        {MSG_BUTTON_BACK, KEY_STATE_RELEASED, {1, 2, 2, 1, 1, 1}},
        {MSG_BUTTON_VOICE, KEY_STATE_UP, {1, 3, 2, 1, 1, 1}},
        {MSG_BUTTON_HIDE, KEY_STATE_PRESSED, {1, 4, 2, 1, 1, 1}},
        {MSG_BUTTON_HIDE, KEY_STATE_RELEASED, {4, 4, 3, 1, 1, 1}},
        {kOff, KEY_STATE_RELEASED, {0, 4, 3, 1, 1, 1}},
    };
    for (const auto& f : frames) {
        const std::int32_t result = frame(f.button, f.key);
        EXPECT_EQ((std::vector<long>{result, bench.effects(4), bench.effects(5), window.nSkipFlg,
                                     window.nAutoFlg, window.nBarUseFlg}),
                  f.after)
            << "frame " << k - 1;
    }
    EXPECT_EQ(window.nHoverButton, 0u);
    // Away from its resting place the voice button hovers in silence.
    window.nY = 430;
    EXPECT_EQ(frame(MSG_BUTTON_VOICE, KEY_STATE_UP), 1);
    EXPECT_EQ(bench.effects(4), 4u);
}

// Only a voice that plays keeps the replay button disabled, also in a frame in which
// skip was clicked; a replay plays the shown line's voice.
TEST_F(Bar, ReplayWaitsOnlyForAPlayingVoiceAndPlaysTheShownLine) {
    playVoice();
    const struct {
        std::size_t pulled;  // frames of the mix before the voice stops
        bool stop;
        std::int32_t state;
    } states[] = {{0, false, 0}, {4410, true, 1}, {50000, false, 2}};
    for (const auto& s : states) {
        playVoice();
        bench.kit.audio.pull(s.pulled);
        if (s.stop) VoiceStop(bench.snd, bench.kit.shell);
        ASSERT_EQ(bench.snd->DAGetState(0), s.state);
        const std::uint32_t expected = s.state == 0 ? 4 : 0;
        frame(MSG_BUTTON_SKIP, KEY_STATE_RELEASED);
        EXPECT_EQ(window.nButtonState[MSG_BUTTON_VOICE], expected) << s.state << " with skip";
        frame(kOff, KEY_STATE_UP);
        EXPECT_EQ(window.nButtonState[MSG_BUTTON_VOICE], expected) << s.state;
    }
    VoiceUnload(bench.snd, bench.sys, bench.kit.shell);
    ASSERT_EQ(bench.snd->DAGetState(0), -2);
    bench.sounds.clear();
    EXPECT_EQ(click(MSG_BUTTON_VOICE), 3);
    EXPECT_EQ(voicePlays(0), 1);

    VoiceStop(bench.snd, bench.kit.shell);
    backLog(2);
    window.nBackLogNo = 0;
    EXPECT_EQ(click(MSG_BUTTON_VOICE), 3);
    EXPECT_EQ(voicePlays(1), 1);
    EXPECT_EQ(bench.effects(5), 0u);
}

// Each step, and the release, plays effect 5 and stops the voice.
TEST_F(Bar, HoldingBackRepeatsAt500And1000MsThenEvery100) {
    backLog(7);
    playVoice();
    bench.sounds.clear();
    const std::uint32_t start = WindowTestBench::Time(k);
    frame(MSG_BUTTON_BACK, KEY_STATE_PRESSED);
    std::vector<std::uint32_t> steps;
    for (std::int32_t shown = window.nBackLogNo; WindowTestBench::Time(k) - start < 1350;) {
        const std::uint32_t now = WindowTestBench::Time(k);
        const std::int32_t result = frame(MSG_BUTTON_BACK, KEY_STATE_HELD);
        EXPECT_EQ(result, window.nBackLogNo != shown ? 2 : 0);
        if (window.nBackLogNo != shown) steps.push_back(now - start);
        shown = window.nBackLogNo;
    }
    EXPECT_EQ(steps, (std::vector<std::uint32_t>{512, 1008, 1120, 1232, 1344}));
    EXPECT_EQ(window.nBackLogNo, 2);
    EXPECT_EQ(bench.effects(5), 5u);
    EXPECT_EQ(bench.sounds.stops(AudioBus::Voice), 1);
    EXPECT_EQ(window.nBarUseFlg, 1u);
    EXPECT_EQ(window.nDispByte, -1);

    playVoice();
    EXPECT_EQ(frame(MSG_BUTTON_BACK, KEY_STATE_RELEASED), 2);
    EXPECT_EQ(window.nBackLogNo, 2);
    EXPECT_EQ(bench.effects(5), 6u);
    EXPECT_EQ(bench.sounds.stops(AudioBus::Voice), 2);

    // Forward from the newest entry comes back to the current line.
    window.nBackLogNo = 6;
    EXPECT_EQ(click(MSG_BUTTON_FORWARD), 2);
    EXPECT_EQ(window.nBackLogNo, -1);
    EXPECT_EQ(window.nButtonState[MSG_BUTTON_FORWARD], 4u);
}

// The repeat's edges to the millisecond: a step exactly 500 ms after the press, the
// fast pace from 1000 ms and exactly 100 ms apart, none a millisecond before.
TEST_F(Bar, HoldRepeatStepsOnItsExactMilliseconds) {
    backLog(7);
    const std::uint32_t start = WindowTestBench::Time(0);
    const int x = window.nX + 553 + 39 * MSG_BUTTON_BACK + 16;
    ASSERT_EQ(window.WindowStandby(x, window.nY + 21, KEY_STATE_PRESSED, start), 1) << "hover";
    const struct {
        std::uint32_t ms;
        std::int32_t result;
    } holds[] = {{499, 0},  {500, 2},  {999, 0},  {1000, 2},
                 {1099, 0}, {1100, 2}, {1199, 0}, {1200, 2}};
    for (const auto& h : holds) {
        EXPECT_EQ(window.WindowStandby(x, window.nY + 21, KEY_STATE_HELD, start + h.ms), h.result)
            << h.ms << " ms";
    }
}

// Each back step enables forward again, also one made by holding, before the release.
TEST_F(Bar, PagingBackAndForwardAgain) {
    backLog(3);
    const auto page = [&] {
        return std::vector<std::int32_t>{
            window.nBackLogNo, static_cast<std::int32_t>(window.nButtonState[MSG_BUTTON_FORWARD])};
    };
    click(MSG_BUTTON_BACK);
    EXPECT_EQ(page(), (std::vector<std::int32_t>{2, 0}));
    click(MSG_BUTTON_FORWARD);
    EXPECT_EQ(page(), (std::vector<std::int32_t>{-1, 4}));
    click(MSG_BUTTON_BACK);
    EXPECT_EQ(page(), (std::vector<std::int32_t>{2, 0}));
    click(MSG_BUTTON_FORWARD);
    EXPECT_EQ(page(), (std::vector<std::int32_t>{-1, 4}));
    frame(MSG_BUTTON_BACK, KEY_STATE_PRESSED);
    while (window.nBackLogNo == -1 && k < 100) frame(MSG_BUTTON_BACK, KEY_STATE_HELD);
    EXPECT_EQ(page(), (std::vector<std::int32_t>{2, 0})) << "held";
    frame(MSG_BUTTON_BACK, KEY_STATE_RELEASED);
    click(MSG_BUTTON_FORWARD);
    EXPECT_EQ(page(), (std::vector<std::int32_t>{-1, 4}));
    // A release 500 ms or more after the press steps no more, but enables forward.
    const std::int32_t x = window.nX + 553 + 39 * MSG_BUTTON_BACK + 16;
    const std::uint32_t pressed = WindowTestBench::Time(k);
    window.WindowStandby(x, window.nY + 21, KEY_STATE_PRESSED, pressed);
    window.WindowStandby(x, window.nY + 21, KEY_STATE_RELEASED, pressed + 505);
    EXPECT_EQ(page(), (std::vector<std::int32_t>{-1, 0})) << "late release";
}

// With all thirty entries in use, forward from the last one is the current line.
TEST_F(Bar, ForwardFromTheLastOfAFullBackLogReturnsToTheCurrentLine) {
    backLog(MSG_WINDOW_DATA::kBackLogSize);
    window.nBackLogNo = MSG_WINDOW_DATA::kBackLogSize - 1;
    EXPECT_EQ(click(MSG_BUTTON_FORWARD), 2);
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
    EXPECT_EQ(bench.effects(5), 0u);
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
