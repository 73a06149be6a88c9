#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "game/GAMEMAIN.h"
#include "platform/audio/SoundDecoder.h"
#include "platform/input/VirtualKeys.h"
#include "shell/EnvData.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/WholeGameTest.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::Sjis;

// A #MsgDisp of the demo's prologue: its line in the file (the comment line is 1),
// its text as the message window holds it and its voice.
struct ScriptMsg {
    std::int32_t nLine = 0;
    std::string text;
    std::string voice;
};

std::vector<ScriptMsg> PrologueMessages() {
    std::istringstream in(zktest::DemoData::PlainScript("prologue.spt"));
    std::vector<ScriptMsg> found;
    std::string row;
    for (std::int32_t n = 1; std::getline(in, row); ++n) {
        if (row.ends_with('\r')) row.pop_back();
        if (!row.starts_with("#MsgDisp ")) continue;
        std::vector<std::string> words;
        std::istringstream split(row);
        for (std::string word; split >> word;) words.push_back(word);
        // The window keeps the byte count: a written line break becomes a blank and LF.
        std::string text = words.at(2);
        for (std::size_t at = text.find("\\n"); at != std::string::npos; at = text.find("\\n")) {
            text.replace(at, 2, " \n");
        }
        found.push_back({n, text, words.size() > 3 ? words[3] : ""});
    }
    return found;
}

// The prologue's message that starts with these words.
ScriptMsg Msg(std::u8string_view start) {
    const std::string wanted = Sjis(start);
    for (const ScriptMsg& msg : PrologueMessages()) {
        if (msg.text.starts_with(wanted)) return msg;
    }
    ADD_FAILURE() << "no message starts so";
    return {};
}

// The current line is drawn in white, a backlog entry in grey; edges blend into both.
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGrey = 0xB4B4B4;
constexpr std::uint32_t kFrameStep = 16;

class Prologue : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }

    // Boots with these settings and a read limit for the prologue, if any, then
    // enters the adventure after frame 0; the pointer rests over the scene.
    void begin(const EnvSettings& env = {}, std::optional<std::int32_t> readLimit = {}) {
        zktest::WriteFileBytes((session().folder() / "env.env").string(), FormatEnvSettings(env));
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        if (readLimit) {
            ASSERT_EQ(game().AddAutoSkipFileList("prologue.spt", *readLimit), 1u);
        }
        game().SetScrRandomSource([] { return 0; });
        game().SetScrObserver([this](const char* szWord) {
            if (std::string_view(szWord) != "#MsgDisp") return;
            for (const SCR_CMD_DATA& slot : game().ScrFileData.Cmd) {
                if (std::string_view(slot.szCommand) == "#MsgDisp") {
                    dispatches[slot.nLine].push_back(game().dwNowTime);
                }
            }
        });
        enter(GAME_MODE_ADV);
        rest();
    }
    void rest() { session().input().setPointer({400, 200}); }
    std::string line() { return game().MsgWindowData.MsgData.szScriptText; }
    bool complete() { return game().MsgWindowData.nDispByte == -1; }
    // The key goes down in one frame and is released in the next.
    bool click() { return release(platform::VK_LBUTTON); }
    // Runs until the message shows, noting each line that came up on the way.
    bool reach(const ScriptMsg& msg, int maxFrames = 600) {
        return runUntil(
            [&] {
                if (line() != seen.back()) seen.push_back(line());
                return line() == msg.text;
            },
            maxFrames);
    }
    // Clicks until the message comes up, then shows it whole.
    bool clickTo(const ScriptMsg& msg) {
        for (int i = 0; i < 300 && line() != msg.text; ++i) {
            if (!click()) return false;
        }
        return line() == msg.text && (complete() || click());
    }
    // The prologue's two plates are up and take clicks.
    bool choiceUp() {
        return runUntil([&] { return game().SelectWindowData.SlcWnd[1].nClickFlg == 1; }, 600);
    }
    // Clicks the plate's centre; where the click was.
    std::optional<std::pair<int, int>> pickByPointer(int plate) {
        const platform::Rect& rc = game().SelectWindowData.SlcWnd[plate - 1].rcHit;
        const std::pair<int, int> centre{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        session().input().setPointer({centre.first, centre.second});
        if (!runFrames(1) || !click()) return std::nullopt;
        rest();
        return centre;
    }
    // From a pointer off the plates and the bar, DOWN goes to the first plate and on.
    bool pickByKeys(int plate) {
        session().input().setPointer({400, 500});
        for (int i = 0; i < plate; ++i) {
            if (!release(platform::VK_DOWN)) return false;
        }
        return release(platform::VK_RETURN);
    }
    // The places the keys warped the pointer to.
    std::vector<std::pair<int, int>> warps() {
        std::vector<std::pair<int, int>> found;
        for (const platform::PointerPosition& p : session().input().warps()) {
            found.emplace_back(p.x, p.y);
        }
        return found;
    }
    Lines errors() const {
        Lines found;
        for (const std::string& text : logTexts()) {
            if (text.starts_with("Error") || text.starts_with("Warn")) found.push_back(text);
        }
        return found;
    }
    // Nothing is wrong but the lines expected.
    void expectOnly(const Lines& expected = {}) { EXPECT_EQ(errors(), expected); }
    // Pixels of exactly this colour in the message window's text box.
    int textPixels(std::uint32_t colour) {
        const MSG_WINDOW_DATA& w = game().MsgWindowData;
        const std::vector<std::uint32_t>& frame = session().lastFrame();
        int count = 0;
        for (int y = w.nY + 39; y < w.nY + 140; ++y) {
            for (int x = w.nX + 18; x < w.nX + 782; ++x) {
                count += (frame[y * 800 + x] & 0xFFFFFF) == colour ? 1 : 0;
            }
        }
        return count;
    }
    std::int32_t voiceState() { return game().pSnd->DAGetState(0); }

    Lines seen{""};
    // Game times of each #MsgDisp's runs, by its line.
    std::map<std::int32_t, std::vector<std::uint32_t>> dispatches;
};

// Clicked through to its end, the prologue shows every line in order: a click while
// a line comes up completes it, the next goes on. The choice's three plates take the
// pointer or the arrow keys and Return; the backlog holds the pick just before the
// line of its branch, and the condition shows the line of the HELP the pick set.
TEST_F(Prologue, ClickedThroughItShowsEveryLineAndLeavesForTheCostumeSelect) {
    using Places = std::vector<std::pair<int, int>>;
    const struct {
        bool keys;
        int plate;
        const char8_t* picked;
        const char8_t* branch;
        const char8_t* condition;
        Places pointer;
    } runs[] = {
        {false, 1, u8"布を運ぶ", u8"助かるわ", u8"布運びを", {{400, 224}}},
        {false, 2, u8"糸を選ぶ", u8"いい目をしてる", u8"その青い糸", {{400, 288}}},
        {true, 2, u8"糸を選ぶ", u8"いい目をしてる", u8"その青い糸", {{400, 224}, {400, 288}}}};
    for (const auto& run : runs) {
        SCOPED_TRACE(testing::Message() << run.plate << (run.keys ? " by keys" : ""));
        begin();
        const std::vector<ScriptMsg> story = {Msg(u8"月祭りまで"),     Msg(u8"いらっしゃい"),
                                              Msg(u8"作業台の上には"), Msg(u8"祭りの劇の衣装"),
                                              Msg(run.branch),         Msg(u8"クィラ、通し稽古"),
                                              Msg(run.condition),      Msg(u8"私にも手伝える"),
                                              Msg(u8"まずは一着"),     Msg(u8"窓の外で、祭りの")};
        Lines expected{""};
        for (const ScriptMsg& msg : story) {
            SCOPED_TRACE(msg.nLine);
            if (msg.text == story[4].text) {
                ASSERT_TRUE(choiceUp());
                if (run.keys) {
                    const std::size_t before = warps().size();
                    ASSERT_TRUE(pickByKeys(run.plate));
                    const Places all = warps();
                    EXPECT_EQ(Places(all.begin() + static_cast<long>(before), all.end()),
                              run.pointer);
                } else {
                    const auto clicked = pickByPointer(run.plate);
                    ASSERT_TRUE(clicked);
                    EXPECT_EQ(Places{*clicked}, run.pointer);
                }
            }
            ASSERT_TRUE(reach(msg));
            expected.push_back(msg.text);
            ASSERT_FALSE(complete());
            ASSERT_TRUE(click());
            EXPECT_EQ(line(), msg.text);
            EXPECT_TRUE(complete());
            ASSERT_TRUE(click());
        }
        EXPECT_EQ(seen, expected);
        EXPECT_EQ(story[6].voice, run.plate == 1 ? "V0007.sou" : "V0008.sou");
        const MSG_WINDOW_DATA& w = game().MsgWindowData;
        const auto branch =
            std::find_if(std::begin(w.BackLog), std::end(w.BackLog),
                         [&](const MSG_DATA& e) { return e.szText == story[4].text; });
        ASSERT_NE(branch, std::begin(w.BackLog));
        ASSERT_NE(branch, std::end(w.BackLog));
        EXPECT_EQ((branch - 1)->szText, Sjis(u8"【選択肢】 \n") + Sjis(run.picked));

        // The last line stays up, whole, for one more click; then the window is
        // cleared and the story leaves with its music playing on into the costume select.
        ASSERT_TRUE(runFrames(30));
        EXPECT_EQ(line(), story.back().text);
        EXPECT_TRUE(complete());
        EXPECT_EQ(session().mode(), GAME_MODE_ADV);
        ASSERT_TRUE(click());
        ASSERT_TRUE(runUntil([&] { return line().empty(); }, 60));
        ASSERT_TRUE(runUntil([&] { return session().mode() == GAME_MODE_CLOTHES_SELECT; }, 400));
        ASSERT_TRUE(runUntil([&] { return session().procStep() == 2; }, 120));
        EXPECT_EQ(game().pSnd->DAGetState(1), 0) << "the music";
        EXPECT_EQ(game().ClothesSelectData.nInitFlg, 1u);
        expectOnly();
        TearDown();
        seen = {""};
    }
}

// The arrow keys take the pointer to the bar's back button and Return pages: the
// backlog's entry shows in grey while the script's line stands, a click on the scene
// included; forward pages return to it, the bar hides the windows and the story
// goes on.
TEST_F(Prologue, TheBacklogPagedByKeysShowsGreyWhileTheLineHolds) {
    begin();
    const ScriptMsg third = Msg(u8"作業台の上には");
    ASSERT_TRUE(clickTo(third));
    EXPECT_GT(textPixels(kWhite), textPixels(kGrey));
    for (const int key : {platform::VK_UP, platform::VK_RIGHT, platform::VK_RIGHT,
                          platform::VK_RIGHT, platform::VK_RETURN, platform::VK_RETURN}) {
        ASSERT_TRUE(release(key));
    }
    MSG_WINDOW_DATA& w = game().MsgWindowData;
    ASSERT_GE(w.nBackLogNo, 0);
    EXPECT_EQ(w.BackLog[w.nBackLogNo].szText, Msg(u8"いらっしゃい").text);
    // A click on the scene does not move the story on while it is browsed.
    const std::int32_t page = w.nBackLogNo;
    rest();
    ASSERT_TRUE(click());
    ASSERT_TRUE(runFrames(30));
    EXPECT_GT(textPixels(kGrey), textPixels(kWhite));
    EXPECT_EQ(std::pair(line(), w.nBackLogNo), std::pair(third.text, page));
    for (const int key :
         {platform::VK_UP, platform::VK_RIGHT, platform::VK_RIGHT, platform::VK_RIGHT,
          platform::VK_RIGHT, platform::VK_RETURN, platform::VK_RETURN}) {
        ASSERT_TRUE(release(key));
    }
    EXPECT_EQ(w.nBackLogNo, -1);
    EXPECT_GT(textPixels(kWhite), textPixels(kGrey));
    // The bar's last button hides the windows; a click shows them and does no more.
    ASSERT_TRUE(release(platform::VK_RIGHT));
    ASSERT_TRUE(release(platform::VK_RETURN));
    EXPECT_EQ(game().nMsgWndDispFlg, 0u);
    EXPECT_EQ(textPixels(kWhite), 0);
    rest();
    ASSERT_TRUE(click());
    ASSERT_TRUE(runFrames(30));
    EXPECT_EQ(game().nMsgWndDispFlg, 1u);
    EXPECT_EQ(line(), third.text);
    ASSERT_TRUE(click());
    ASSERT_TRUE(reach(Msg(u8"祭りの劇の衣装"), 60));
    expectOnly();
}

// The save, load and settings screens open over the story and close with their own
// keys, and the story's line stays as it was.
TEST_F(Prologue, TheScreensOverTheStoryKeepItsLine) {
    begin();
    const ScriptMsg first = Msg(u8"月祭りまで");
    ASSERT_TRUE(clickTo(first));
    const auto step = [&] { return session().procStep(); };
    const std::pair<int, std::int32_t> screens[] = {{'S', 5}, {'L', 8}, {'C', 13}};
    for (const auto& [key, standby] : screens) {
        SCOPED_TRACE(key);
        ASSERT_TRUE(release(key));
        ASSERT_TRUE(runUntil([&] { return step() == standby; }, 120));
        ASSERT_TRUE(release(key));
        ASSERT_TRUE(runUntil([&] { return step() == 3; }, 120));
    }
    ASSERT_TRUE(runFrames(30));
    EXPECT_EQ(line(), first.text);
    EXPECT_TRUE(complete());
    expectOnly();
}

// With the skip on, read text passes at three frames a line without a voice, up to
// the read limit: the line there comes up as usual, with its voice.
TEST_F(Prologue, ReadTextIsSkippedUpToTheReadLimit) {
    const ScriptMsg fourth = Msg(u8"祭りの劇の衣装");
    for (const std::int32_t limit : {-1, fourth.nLine}) {
        SCOPED_TRACE(limit);
        EnvSettings env;
        env.autoSkip = 1;
        begin(env, limit);
        // Whether a voice played before the fourth line, and while it stands.
        bool voicedBefore = false;
        bool voicedAt = false;
        const bool choiceCame = runUntil(
            [&] {
                (line() == fourth.text ? voicedAt : voicedBefore) |= voiceState() == 0;
                return game().SelectWindowData.SlcWnd[0].nDispFlg != 0;
            },
            300);
        for (const char8_t* start : {u8"月祭りまで", u8"いらっしゃい", u8"作業台の上には"}) {
            EXPECT_EQ(dispatches[Msg(start).nLine].size(), 3u) << Msg(start).nLine;
        }
        EXPECT_FALSE(voicedBefore);
        const bool skipped = limit == -1;
        EXPECT_EQ(choiceCame, skipped);
        EXPECT_EQ(voicedAt, !skipped) << "the fourth line's voice";
        if (skipped) {
            EXPECT_EQ(dispatches[fourth.nLine].size(), 3u);
        } else {
            EXPECT_EQ(line(), fourth.text);
            EXPECT_TRUE(complete());
        }
        expectOnly();
        TearDown();
        dispatches.clear();
    }
}

// Automatic advance: an unvoiced line ends in the first frame its reading time has
// passed; a voiced line with a shorter wait waits for its voice to end.
TEST_F(Prologue, AutomaticAdvanceWaitsTheReadingTimeOrTheVoice) {
    const ScriptMsg voiced = Msg(u8"クィラ、通し稽古");
    ASSERT_EQ(voiced.voice, "V0005.sou");
    const std::string path = (session().folder() / "voice.sou").string();
    zktest::WriteFileBytes(
        path, zktest::DemoData::Members(zktest::DemoData::Archive("VO.dat")).at(voiced.voice));
    platform::SoundHandle sound;
    ASSERT_EQ(platform::SoundDecoder().decode(path, sound), 0);
    const auto voiceMs = static_cast<std::uint32_t>(sound->frames() * 1000 / platform::kMixRate);
    ASSERT_GT(voiceMs, 1500u);

    EnvSettings env;
    env.handsFree = 1;
    begin(env);
    for (const char8_t* start : {u8"月祭りまで", u8"作業台の上には"}) {
        const ScriptMsg msg = Msg(start);
        SCOPED_TRACE(msg.nLine);
        ASSERT_TRUE(reach(msg));
        ASSERT_TRUE(runUntil([&] { return line() != msg.text; }, 1000));
        const std::vector<std::uint32_t>& runs = dispatches[msg.nLine];
        const auto wait = static_cast<std::uint32_t>(msg.text.size() * 75 + 500);
        EXPECT_GE(runs.back() - runs.front(), wait);
        EXPECT_LT(runs.back() - kFrameStep - runs.front(), wait);
    }
    ASSERT_TRUE(choiceUp());
    ASSERT_TRUE(pickByPointer(1));
    ASSERT_TRUE(reach(voiced));
    ASSERT_TRUE(runUntil([&] { return line() != voiced.text; }, 1000));
    const std::vector<std::uint32_t>& runs = dispatches[voiced.nLine];
    EXPECT_GE(runs.back() - runs.front(), voiceMs);
    EXPECT_LE(runs.back() - runs.front(), voiceMs + 500 + kFrameStep);
    expectOnly();
}

}  // namespace
