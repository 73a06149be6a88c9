#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/ResourcePlayer.h"
#include "platform/input/VirtualKeys.h"
#include "support/Bytes.h"
#include "support/ScriptBench.h"

namespace {

using zktest::Hex;
using zktest::ScriptBench;
using Lines = std::vector<std::string>;

constexpr std::uint32_t kNever = 0xFFFFFFFF;
const std::string kNoState = "Error: <GAMEMAIN::MsgDispProc> 再生状態の取得に失敗しました";

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

// One #MsgDisp line run on the bench, timed from its set-up frame.
struct MsgLine {
    ScriptBench b;
    std::uint32_t t0 = 0;

    SCR_CMD_DATA& slot() { return b.game().ScrFileData.Cmd[0]; }
    MSG_WINDOW_DATA& window() { return b.game().MsgWindowData; }
    std::uint32_t elapsed() { return b.game().dwNowTime - t0; }
    // The slot's phase, or -1 once the line has ended.
    long phase() { return slot().IsFree() ? -1 : static_cast<long>(slot().dwPhase); }

    // Opens a script of these lines (after the header) and runs the first one's set-up.
    void start(const std::vector<std::u8string>& lines) {
        std::vector<std::u8string> script = {u8"// c"};
        script.insert(script.end(), lines.begin(), lines.end());
        ASSERT_TRUE(b.open(script));
        b.frame();  // the header line
        b.frame();
        t0 = b.game().dwNowTime;
    }
    void runTo(std::uint32_t ms) {
        while (elapsed() < ms) b.frame();
    }
    // When the line ended, after its set-up; kNever when it still runs at limit ms.
    std::uint32_t endTime(std::uint32_t limit = 8000) {
        while (!slot().IsFree() && elapsed() < limit) b.frame();
        return slot().IsFree() ? elapsed() : kNever;
    }
    int voicePlays(const std::string& name) {
        return b.win.sounds.plays("tmp/" + name, platform::AudioBus::Voice);
    }
    // The long voice, sounding before the line, as a replay would start it.
    void playElsewhere() {
        ASSERT_EQ(VoicePlay(ScriptBench::kLongVoice, &b.kit().snd, &b.kit().sys, b.kit().shell), 1);
        b.win.sounds.clear();
    }
    void skipping() {
        b.game().nScrSkipEnableFlg = 1;
        b.game().nScrSkipLine = -1;
        window().nSkipFlg = 1;
    }
};

// 60 bytes appear per message-speed milliseconds; a speed of 0 reveals as 1000.
TEST(MsgDisp, RevealsSixtyBytesPerSpeedAndCompletesAtTheLastByte) {
    const std::string text(120, 'x');
    const struct {
        std::uint32_t speed;
        std::uint32_t ms;
        std::int32_t shown;
    } cases[] = {
        {1000, 16, 0},   {1000, 1968, 118}, {1000, 1984, -1},  {0, 1968, 118},   {0, 1984, -1},
        {500, 976, 117}, {500, 992, -1},    {2000, 3952, 118}, {2000, 3968, -1},
    };
    for (const auto& c : cases) {
        MsgLine m;
        m.b.game().SetMsgSpeed(c.speed);
        m.start({U8("#MsgDisp NULL " + text)});
        m.runTo(c.ms);
        EXPECT_EQ(m.window().nDispByte, c.shown) << c.speed << " at " << c.ms;
        EXPECT_EQ(m.phase(), c.shown == -1 ? 2 : 1) << c.speed << " at " << c.ms;
    }
}

// Automatic advance waits 75 ms per raw byte and 500 more, or the line's own wait,
// from the line's start; an empty text completes at once and waits its 500 ms.
TEST(MsgDisp, AdvancesAutomaticallyAfterItsWait) {
    const std::string x20(20, 'x');
    const struct {
        std::string line;
        bool autoOn;
        std::uint32_t end;
    } cases[] = {
        {"#MsgDisp NULL " + x20, true, 2000},
        {"#MsgDisp NULL abcd\\nefgh", true, 1264},
        {"#MsgDisp NULL " + x20 + " NULL 3000", true, 3008},
        // The text completes at 320 ms, after the wait.
        {"#MsgDisp NULL " + x20 + " NULL 300", true, 336},
        {"#MsgDisp NULL " + x20 + " NULL 0", true, 336},
        {"#MsgDisp HERO", true, 512},
        {"#MsgDisp NULL " + x20, false, kNever},
    };
    for (const auto& c : cases) {
        MsgLine m;
        m.window().nAutoFlg = c.autoOn ? 1 : 0;
        m.start({U8(c.line)});
        EXPECT_EQ(m.endTime(), c.end) << c.line;
    }
}

// A click is a left-button release, or a Return release with the left button up,
// and never one over a bar button: it shows the whole text, and the next ends the line.
TEST(MsgDisp, AClickShowsTheWholeTextAndTheNextEndsTheLine) {
    enum Step { LeftDown, LeftUp, ReturnDown, ReturnUp, Hover };
    const struct {
        const char* name;
        std::vector<Step> steps;
        long phase;
    } cases[] = {
        {"left release", {LeftDown, LeftUp}, 2},
        {"Return release", {ReturnDown, ReturnUp}, 2},
        {"Return release, left held", {LeftDown, ReturnDown, ReturnUp}, 1},
        {"left release over the bar", {LeftDown, Hover, LeftUp}, 1},
    };
    for (const auto& c : cases) {
        MsgLine m;
        m.start({U8("#MsgDisp NULL " + std::string(120, 'x'))});
        for (Step s : c.steps) {
            if (s == Hover) {
                m.window().nHoverButton = 1;
                continue;
            }
            const bool down = s == LeftDown || s == ReturnDown;
            m.b.hold(s == LeftDown || s == LeftUp ? platform::VK_LBUTTON : platform::VK_RETURN,
                     down);
            m.b.frame();
        }
        EXPECT_EQ(m.phase(), c.phase) << c.name;
        EXPECT_EQ(m.window().nDispByte == -1, c.phase == 2) << c.name;
        EXPECT_LT(m.elapsed(), 1984u);
    }
    MsgLine m;
    m.start({U8("#MsgDisp NULL " + std::string(120, 'x'))});
    m.b.click();
    EXPECT_EQ(m.phase(), 2);
    m.b.click();
    EXPECT_EQ(m.phase(), -1);
}

// A line waits for the voice it started: polled from 500 ms after the text completed,
// a sounding voice holds it another 500 ms; any other state lets it go, and a state
// that cannot be read is reported once.
TEST(MsgDisp, WaitsOnlyForAVoiceItStartedAndStillSounding) {
    enum class Act { None, Finish, StopPartWay };
    const struct {
        const char* name;
        bool voiceOn;
        bool sound;
        bool elsewhere;  // the long voice sounds, started before the line
        bool ctrlAtSetUp;
        Act act;
        std::uint32_t actAt;
        std::uint32_t hiddenUntil;
        std::uint32_t end;
        int linePlays;
        Lines lines;
    } cases[] = {
        // Polled at 656 ms, then every 512 ms while it sounds.
        {"sounding for 5 s", true, true, false, false, Act::Finish, 5000, 0, 5264, 1, {}},
        {"voices off", false, true, false, false, Act::None, 0, 0, 656, 0, {}},
        {"stopped part-way", true, true, false, false, Act::StopPartWay, 0, 0, 656, 1, {}},
        // Hidden until 2000 ms, so polled every frame from 656 ms.
        {"no sound", true, false, false, false, Act::None, 0, 2000, 2016, 0, {kNoState}},
        {"not started while Ctrl was held", true, true, true, true, Act::None, 0, 0, 656, 0, {}},
    };
    for (const auto& c : cases) {
        MsgLine m;
        m.b.kit().shell.settings.voiceOn = c.voiceOn ? 1 : 0;
        m.b.kit().shell.soundAvailable = c.sound ? 1 : 0;
        m.window().nAutoFlg = 1;
        if (c.elsewhere) m.playElsewhere();
        m.b.hold(platform::VK_CONTROL, c.ctrlAtSetUp);
        m.start({u8"#MsgDisp NULL ab VLONG.sou"});
        m.b.hold(platform::VK_CONTROL, false);
        m.b.game().nMsgWndDispFlg = c.hiddenUntil > 0 ? 0 : 1;
        m.runTo(c.actAt);
        if (c.act != Act::None) {
            m.b.kit().audio.pull(c.act == Act::Finish ? 100000 : 4410);
            if (c.act == Act::StopPartWay) VoiceStop(&m.b.kit().snd, m.b.kit().shell);
        }
        m.runTo(c.hiddenUntil);
        m.b.game().nMsgWndDispFlg = 1;
        EXPECT_EQ(m.endTime(), c.end) << c.name;
        EXPECT_EQ(m.voicePlays(ScriptBench::kLongVoice), c.linePlays) << c.name;
        EXPECT_EQ(m.b.lines(), c.lines) << c.name;
    }
}

// A voice still sounding from elsewhere (a replay, another command) is stopped,
// without a failure line, before the line's own starts.
TEST(MsgDisp, StopsASoundingVoiceBeforeStartingItsOwn) {
    MsgLine m;
    m.playElsewhere();
    m.start({u8"#MsgDisp NULL ab VSHORT.sou"});
    const std::vector<platform::SoundEvent>& events = m.b.win.sounds.events();
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events.front().kind, platform::SoundEvent::Kind::Stop);
    EXPECT_EQ(events.front().buses, std::vector{platform::AudioBus::Voice});
    EXPECT_EQ(events.back().path, "tmp/VSHORT.sou");
    EXPECT_EQ(m.b.lines(), Lines{});
}

// A sound object that fails leaves its trace under the line's own tag, and the line
// still advances: each failed state query is reported once, not again for the next
// line, whose voice fails to play as its own.
TEST(MsgDisp, AFailingSoundObjectIsLoggedAndTheLineGoesOn) {
    MsgLine m;
    m.window().nAutoFlg = 1;
    m.b.kit().snd.Release();
    m.start({u8"#MsgDisp NULL ab VLONG.sou", u8"#MsgDisp NULL cd VLONG.sou"});
    const auto own = [&] {
        Lines found;
        for (const std::string& line : m.b.lines()) {
            if (line.find("<GAMEMAIN::MsgDispProc>") != std::string::npos) found.push_back(line);
        }
        m.b.clearLog();
        return found;
    };
    EXPECT_EQ(m.endTime(), 656u);
    EXPECT_EQ(own(),
              (Lines{"Error: <GAMEMAIN::MsgDispProc> 呼び出したZKSND::DAGetPlayStateが失敗しました",
                     "Error: <GAMEMAIN::MsgDispProc> 音声再生に失敗しました",
                     "Error: <GAMEMAIN::MsgDispProc> 再生状態の取得に失敗しました"}));
    m.b.frame();
    EXPECT_EQ(std::string(m.window().MsgData.szScriptText), "cd");
    EXPECT_NE(m.endTime(), kNever);
    EXPECT_EQ(own(), Lines{"Error: <GAMEMAIN::MsgDispProc> 音声再生に失敗しました"});
}

// With Ctrl held or skipping, a line takes three frames (set-up, reveal, end) and
// starts no voice. Skipping stops at the read limit, and in the wait also while a
// settings or save/load screen is open; Ctrl does not.
TEST(MsgDisp, CtrlAndSkippingTakeThreeFramesAndStartNoVoice) {
    const struct {
        const char* name;
        bool ctrl;
        bool skip;
        std::int32_t readLimit;
        bool screenOpen;
        std::vector<long> phases;
        int plays;
    } cases[] = {
        {"Ctrl", true, false, -1, false, {1, 2, -1}, 0},
        {"Ctrl, screen open", true, false, -1, true, {1, 2, -1}, 0},
        {"skip", false, true, -1, false, {1, 2, -1}, 0},
        {"skip, read up to line 3", false, true, 3, false, {1, 2, -1}, 0},
        {"skip, read up to line 2", false, true, 2, false, {1, 1, 2}, 1},
        {"skip, screen open", false, true, -1, true, {1, 2, 2}, 0},
    };
    for (const auto& c : cases) {
        MsgLine m;
        if (c.skip) m.skipping();
        m.b.game().nScrSkipLine = c.readLimit;
        m.window().nBarUseFlg = c.screenOpen ? 1 : 0;
        m.b.hold(platform::VK_CONTROL, c.ctrl);
        std::vector<long> phases;
        m.start({u8"#MsgDisp NULL ab VLONG.sou"});
        phases.push_back(m.phase());
        for (int i = 0; i < 2; ++i) {
            m.b.frame();
            phases.push_back(m.phase());
        }
        EXPECT_EQ(phases, c.phases) << c.name;
        EXPECT_EQ(m.voicePlays(ScriptBench::kLongVoice), c.plays) << c.name;
        // The screen's hold on the line ends with it.
        EXPECT_EQ(m.window().nBarUseFlg, c.screenOpen && m.phase() != -1 ? 1u : 0u) << c.name;
    }
}

// Speaker, text and voice are refused before anything is shown when their records
// could not hold them; a voice must name a file in the voice archive's folder.
TEST(MsgDisp, RefusesWordsItsRecordsCannotHold) {
    const std::string x99(99, 'x');
    const std::string x255(255, 'x');
    const struct {
        std::string line;
        std::string refusal;  // empty: accepted
    } cases[] = {
        {"#MsgDisp " + x99 + " a", ""},
        {"#MsgDisp " + x99 + "y a",
         "Error: <GAMEMAIN::MsgDispProc> [#MsgDisp] 第1引数が長すぎます: 100バイト (上限99バイト)"},
        {"#MsgDisp NULL " + x255 + " VSHORT.sou", ""},
        {"#MsgDisp NULL " + x255 + "y",
         "Error: <GAMEMAIN::MsgDispProc> [#MsgDisp] 第2引数が長すぎます: 256バイト "
         "(上限255バイト)"},
        {"#MsgDisp NULL a null", ""},
        {"#MsgDisp NULL a ../V.sou",
         "Error: <GAMEMAIN::MsgDispProc> [#MsgDisp] 第3引数が不正です: ../V.sou"},
        {"#MsgDisp NULL a " + std::string(260, 'v'),
         "Error: <GAMEMAIN::MsgDispProc> [#MsgDisp] 第3引数が不正です: " + std::string(260, 'v')},
    };
    for (const auto& c : cases) {
        MsgLine m;
        m.start({U8(c.line)});
        const Lines lines = m.b.lines();
        if (c.refusal.empty()) {
            EXPECT_EQ(lines, Lines{}) << c.line;
            EXPECT_EQ(m.phase(), 1) << c.line;
            const MSG_DATA& msg = m.window().MsgData;
            EXPECT_EQ(std::string(msg.szScriptText), std::string(msg.szText)) << c.line;
            continue;
        }
        EXPECT_EQ(m.b.lastResult, -1);
        EXPECT_EQ(m.phase(), -1);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], c.refusal);
        EXPECT_EQ(m.window().BackLog[0].szText[0], '\0') << c.line;
        EXPECT_EQ(m.b.win.sounds.events().size(), 0u);
    }
}

// What the window and its backlog get: the speaker unless NULL, the text with each
// escape as blank + line feed (a two-byte character ending in 0x5C followed by "n"
// is no escape), the voice; the backlog-back button comes on with a second line.
TEST(MsgDisp, ShowsSpeakerTextAndVoiceAndLogsThemInTheBacklog) {
    MsgLine m;
    m.window().ButtonDisable(8);
    m.start({u8"#MsgDisp HERO 表n\\nソn VSHORT.sou", u8"#MsgDisp NULL b"});
    const std::string shown = Hex("95 5C") + "n \n" + Hex("83 5C") + "n";
    const MSG_DATA& line = m.window().MsgData;
    EXPECT_EQ(std::string(line.szName), "HERO");
    EXPECT_EQ(std::string(line.szText), shown);
    EXPECT_EQ(std::string(line.szScriptText), shown);
    EXPECT_EQ(std::string(line.szVoice), ScriptBench::kShortVoice);
    EXPECT_EQ(std::string(m.window().BackLog[0].szText), shown);
    EXPECT_EQ(std::string(m.window().BackLog[0].szVoice), ScriptBench::kShortVoice);
    EXPECT_EQ(m.window().nButtonState[MSG_BUTTON_BACK], MSG_WINDOW_DATA::kButtonDisable);
    EXPECT_EQ(m.window().dwAutoWaitTime, 8 * 75 + 500u);
    EXPECT_EQ(m.b.game().dwMsgTextWork[2], 7u);
    m.b.click();
    m.b.click();
    m.b.frame();
    EXPECT_EQ(std::string(line.szName), "");
    EXPECT_EQ(std::string(line.szVoice), "");
    EXPECT_EQ(std::string(m.window().BackLog[1].szText), "b");
    EXPECT_EQ(m.window().nButtonState[MSG_BUTTON_BACK], MSG_WINDOW_DATA::kButtonNormal);
}

// A browsed backlog holds the line; a hidden window holds its end.
TEST(MsgDisp, WaitsWhileTheBacklogIsBrowsedOrTheWindowHidden) {
    MsgLine m;
    m.window().nAutoFlg = 1;
    m.start({u8"#MsgDisp NULL ab"});
    m.window().nBackLogNo = 0;
    m.runTo(1000);
    EXPECT_EQ(m.phase(), 1);
    EXPECT_EQ(m.b.lines(), Lines{});
    m.window().nBackLogNo = -1;
    m.b.game().nMsgWndDispFlg = 0;
    m.runTo(2000);
    EXPECT_EQ(m.phase(), 2);
    m.b.game().nMsgWndDispFlg = 1;
    m.b.frame();
    EXPECT_EQ(m.phase(), -1);
}

// #MsgClear empties the window's line and frees its slot at once.
TEST(MsgClear, EmptiesTheShownLine) {
    MsgLine m;
    m.b.hold(platform::VK_CONTROL, true);
    m.start({u8"#MsgDisp HERO abc", u8"#MsgClear"});
    m.b.runToEnd();
    EXPECT_EQ(m.b.count("#MsgClear"), 1);
    EXPECT_EQ(std::string(m.window().MsgData.szText), "");
    EXPECT_EQ(std::string(m.window().MsgData.szName), "");
    EXPECT_EQ(m.window().nDispByte, 0);
    EXPECT_EQ(std::string(m.window().BackLog[0].szText), "abc");
    EXPECT_EQ(m.b.lines(), Lines{"Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です"});
}

}  // namespace
