#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/ResourceLoader.h"
#include "support/Bytes.h"
#include "support/GoldenImage.h"
#include "support/WindowTestBench.h"
#include "windows/DAY_WINDOW_DATA.h"
#include "windows/MSG_WINDOW_DATA.h"
#include "windows/SELECT_WINDOW_COLLECT_DATA.h"

using zktest::GoldenImage;
using zktest::Sjis;
using zktest::WindowTestBench;

namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

std::string Golden(const std::string& name) { return std::string(ZK_GOLDEN_DIR) + "/" + name; }

struct Draw : ::testing::Test {
    WindowTestBench bench;
    MSG_WINDOW_DATA& msg = bench.game().MsgWindowData;
    int k = 0;

    void SetUp() override {
        ASSERT_EQ(msg.Initialize(bench.context), 1u);
        ASSERT_EQ(msg.WindowOpen(0), 1);
    }
    const std::vector<std::uint32_t>& frame() {
        return bench.drawFrame([&] { EXPECT_EQ(msg.Draw(), 1u); });
    }
    void standby(int x, int y) {
        msg.WindowStandby(x, y, KEY_STATE_UP, WindowTestBench::Time(k++));
    }
    static std::uint32_t Msg(const char* cell) {
        return WindowTestBench::CellColor("MsgWndMaterial", cell);
    }
};

// The golden pictures cover the layout; these are the cases they do not show. The
// window at (2, 417): buttons from x 555 every 39 pixels, the text box from (20, 456).
TEST_F(Draw, TheRevealANamesLengthTheHoverAndAStrayStatePickTheirCells) {
    msg.MsgData.SetName(Sjis(u8"あいうえおかきく"));
    msg.MsgData.SetText(Sjis(u8"あいう"));
    msg.nAutoFlg = 1;
    msg.nButtonState[MSG_BUTTON_HIDE] = 7;
    standby(555 + 39 + 16, 430);  // over auto
    msg.nDispByte = 3;
    const struct {
        int x, y;
        std::uint32_t color;
        const char* what;
    } probes[] = {
        {20, 456, kWhite, "first character"},
        {44, 456, Msg("panel"), "a half character is not drawn"},
        {39, 403, kWhite, "a 16-byte name at x + 37"},
        {38, 403, Msg("name plate"), "left of the name"},
        {595, 430, Msg("auto hover"), "hover over a toggle that is on"},
        {586, 430, Msg("skip"), "the hovered look leaves its neighbour be"},
        {628, 430, Msg("panel"), "nor spreads past its own place"},
        {751, 427, Msg("hide"), "a state out of range"},
    };
    const auto& shown = frame();
    for (const auto& p : probes) EXPECT_EQ(WindowTestBench::At(shown, p.x, p.y), p.color) << p.what;

    msg.MsgData.szName[0] = '\0';
    for (const std::int32_t shownBytes : {1, 0}) {
        msg.nDispByte = shownBytes;
        const auto& bare = frame();
        EXPECT_EQ(WindowTestBench::At(bare, 20, 456), Msg("panel")) << shownBytes;
        EXPECT_EQ(WindowTestBench::At(bare, 5, 390), kBlack) << "no name, no plate";
    }
}

// A lone lead byte would join the word before it, and the word would wrap.
TEST_F(Draw, ARevealEndingInsideACharacterStopsBeforeIt) {
    msg.MsgData.SetText("a " + std::string(61, 'x') + Sjis(u8"あ"));
    msg.nDispByte = 64;
    const auto& shown = frame();
    EXPECT_EQ(WindowTestBench::At(shown, 44, 456), kWhite) << "the word on the first line";
    EXPECT_EQ(WindowTestBench::At(shown, 20, 480), Msg("panel")) << "nothing on the second";
}

// The voice button cannot replay a line without text, even one with a voice.
TEST_F(Draw, AnEmptyLineShowsTheVoiceButtonDisabled) {
    msg.MsgData.SetVoice(WindowTestBench::kVoices[0]);
    standby(0, 0);
    ASSERT_EQ(msg.nButtonState[MSG_BUTTON_VOICE], MSG_WINDOW_DATA::kButtonNormal);
    EXPECT_EQ(WindowTestBench::At(frame(), 555 + 2 * 39 + 1, 427), Msg("voice off"));
    msg.MsgData.SetText("Line");
    EXPECT_EQ(WindowTestBench::At(frame(), 555 + 2 * 39 + 1, 427), Msg("voice"));
}

// A name's half width counts whole characters of its bytes: three bytes start one
// character left of the centre.
TEST_F(Draw, AnOddNameStartsAWholeCharacterLeftOfTheCentre) {
    msg.MsgData.SetName("abc");
    msg.MsgData.SetText("Line");
    const auto& shown = frame();
    EXPECT_EQ(WindowTestBench::At(shown, 2 + 133 - 12, 403), kWhite);
    EXPECT_EQ(WindowTestBench::At(shown, 2 + 133 - 13, 403), Msg("name plate"));
}

TEST_F(Draw, TheWaitMarkShowsForACompleteLineAndStepsEverySevenFrames) {
    msg.MsgData.SetText("Line");
    const auto mark = [&] { return WindowTestBench::At(frame(), 753, 506); };
    const struct {
        std::int32_t shown;
        std::int32_t page;
        bool mark;
    } cases[] = {{-1, -1, true}, {4, -1, true}, {3, -1, false}, {-1, 0, false}};
    msg.SetBackLog(nullptr, "Old", nullptr);
    for (const auto& c : cases) {
        msg.nDispByte = c.shown;
        msg.nBackLogNo = c.page;
        EXPECT_EQ(mark() != Msg("panel"), c.mark) << c.shown << " " << c.page;
    }
    msg.nBackLogNo = -1;
    // The mark stands still while the line is revealed.
    msg.nDispByte = 2;
    for (; k < 20;) standby(0, 0);
    k = 0;
    msg.nDispByte = -1;
    for (; k < 44;) {
        standby(0, 0);
        const int expected = (k - 1) / 7 % 6;
        EXPECT_EQ(mark(), Msg(("wait " + std::to_string(expected)).c_str())) << "call " << k - 1;
    }
}

// Materials lost behind the windows' backs fail every blit frame after frame: each
// blit's line comes once per window, and again once the blit has succeeded between.
TEST_F(Draw, AMaterialLostBehindTheWindowsBackLogsEachBlitOnceAndKeepsTheText) {
    msg.MsgData.SetText(Sjis(u8"あ"));
    msg.nDispByte = -1;
    DAY_WINDOW_DATA& day = bench.game().DayWindowData;
    ASSERT_EQ(day.Initialize(12, bench.context), 1u);
    ASSERT_EQ(day.WindowOpen(0), 1);
    SELECT_WINDOW_COLLECT_DATA& choice = bench.game().SelectWindowData;
    ASSERT_EQ(choice.Initialize(2, bench.context), 1u);
    std::uint32_t now = WindowTestBench::kT0;
    while (choice.AppSelectWindowProc(now, 0) == 0) now += WindowTestBench::kFrame;
    const int surfaces[] = {MSG_WINDOW_DATA::kSurface, DAY_WINDOW_DATA::kSurface,
                            SELECT_WINDOW_COLLECT_DATA::kSurface};
    const auto failures = [&](const std::string& window) {
        const auto lines = bench.lines();
        return std::count(lines.begin(), lines.end(),
                          "Error: <" + window + "::Draw> 描画に失敗しました");
    };
    const struct {
        bool lost;
        long message, day, plates;
    } frames[] = {
        {true, 8, 4, 2},  // panel, six buttons, wait mark; panel, two digits, label
        {true, 0, 0, 0}, {true, 0, 0, 0}, {false, 0, 0, 0}, {true, 8, 4, 2},
    };
    for (const auto& f : frames) {
        for (const int surface : surfaces) {
            if (f.lost) {
                SurfaceUnload(bench.sprite, bench.sys, surface);
            } else {
                ASSERT_EQ(SurfaceLoad(bench.sprite, bench.sys, surface, 1, 0xFFFFFFFFu), 1);
            }
        }
        bench.kit.clearLog();
        const auto& shown = bench.drawFrame([&] {
            msg.Draw();
            day.Draw();
            choice.Draw();
        });
        EXPECT_EQ(WindowTestBench::At(shown, 20, 456), kWhite);
        EXPECT_EQ(failures("MSG_WINDOW_DATA"), f.message) << f.lost;
        EXPECT_EQ(failures("DAY_WINDOW_DATA"), f.day) << f.lost;
        EXPECT_EQ(failures("SELECT_WINDOW_COLLECT_DATA"), f.plates) << f.lost;
    }
}

TEST_F(Draw, TheDayWindowShowsItsDigitsAndLabel) {
    DAY_WINDOW_DATA& day = bench.game().DayWindowData;
    const auto cell = [](const std::string& name) {
        return WindowTestBench::CellColor("DayWndMaterial", name);
    };
    struct Case {
        std::int32_t day;
        std::vector<std::pair<int, std::string>> digits;  // x of the cell left edge, cell
        bool label;
    };
    std::vector<Case> cases = {{7, {{83, "7"}, {73, "panel"}, {104, "panel"}}, true},
                               {0, {{35, "day zero"}, {83, "day zero"}, {112, "day zero"}}, false},
                               {123, {{94, "3"}, {73, "panel"}}, true},
                               {10, {{73, "1"}, {94, "0"}}, true}};
    for (int d = 1; d <= 9; ++d) cases.push_back({d, {{83, std::to_string(d)}}, true});
    for (const auto& c : cases) {
        ASSERT_EQ(day.Initialize(c.day, bench.context), 1u);
        ASSERT_EQ(day.WindowOpen(0), 1);
        const auto& shown = bench.drawFrame([&] { day.Draw(); });
        for (const auto& [x, name] : c.digits) {
            EXPECT_EQ(WindowTestBench::At(shown, x + 1, 37), cell(name)) << c.day << " " << x;
        }
        EXPECT_EQ(WindowTestBench::At(shown, 30, 58), cell(c.label ? "label" : "panel")) << c.day;
        day.Release();
    }
    // A window set up anew shows from its opening's first frame.
    ASSERT_EQ(day.Initialize(5, bench.context), 1u);
    ASSERT_EQ(day.WindowOpen(10), 0);
    EXPECT_EQ(WindowTestBench::At(bench.drawFrame([&] { day.Draw(); }), 5, 50), cell("panel"));
    bench.kit.clearLog();
    EXPECT_EQ(day.Initialize(-1, bench.context), 0u);
    EXPECT_EQ(bench.lines(),
              std::vector<std::string>{"Error: <DAY_WINDOW_DATA::Initialize> 引数が不正です"});
}

TEST_F(Draw, GoldenPictures) {
    // A line complete on its wait mark's third frame, skip on, auto hovered.
    msg.MsgData.SetName(Sjis(u8"クィラ"));
    msg.MsgData.SetText(
        Sjis(u8"いらっしゃい。 \n新しい見習いさんね。私はクィラヴェル、ここの仕立て係よ。"
             u8"祭りの劇の衣装が、まだ三着しかできていないの。"));
    msg.MsgData.SetVoice(WindowTestBench::kVoices[0]);
    msg.nSkipFlg = 1;
    msg.ButtonDisable(1 << MSG_BUTTON_BACK | 1 << MSG_BUTTON_FORWARD);
    msg.nDispByte = -1;
    for (int i = 0; i <= 14; ++i) standby(555 + 39 + 16, 430);
    const platform::Rect rows{0, 390, 800, 565};
    EXPECT_TRUE(GoldenImage::Matches(Golden("msg-line.png"), frame(), 800, rows));

    // Paging: the first backlog entry in grey, the current text empty.
    msg.SetBackLog(msg.MsgData.szName, Sjis(u8"いらっしゃい。").c_str(), nullptr);
    msg.MsgData.Initialize();
    msg.nBackLogNo = 0;
    msg.ButtonEnable(1 << MSG_BUTTON_FORWARD);
    standby(555 + 4 * 39 + 16, 430);  // over forward
    EXPECT_TRUE(GoldenImage::Matches(Golden("msg-backlog.png"), frame(), 800, rows));

    // Three plates, the middle one chosen: the first zooming out, at 0.52.
    SELECT_WINDOW_COLLECT_DATA& choice = bench.game().SelectWindowData;
    ASSERT_EQ(choice.Initialize(3, bench.context), 1u);
    const char8_t* texts[] = {u8"袖を直す", u8"裾を直す", u8"このままでいい"};
    for (int i = 0; i < 3; ++i) choice.SetSlcWndMsg(i + 1, Sjis(texts[i]).c_str());
    std::uint32_t now = WindowTestBench::kT0;
    while (choice.AppSelectWindowProc(now, 100) == 0) now += WindowTestBench::kFrame;
    ASSERT_EQ(choice.WindowStandby(400, 288, KEY_STATE_RELEASED, now, 1), 2);
    for (const std::uint32_t at : {now, now + 16, now + 64}) choice.DisSelectWindowProc(at, 100);
    ASSERT_EQ(choice.SlcWnd[0].fScale, 0.52f);
    const auto& closing = bench.drawFrame([&] { choice.Draw(); });
    EXPECT_TRUE(GoldenImage::Matches(Golden("choice-closing.png"), closing, 800,
                                     platform::Rect{263, 199, 537, 377}));

    DAY_WINDOW_DATA& day = bench.game().DayWindowData;
    ASSERT_EQ(day.Initialize(12, bench.context), 1u);
    ASSERT_EQ(day.WindowOpen(0), 1);
    const auto& days = bench.drawFrame([&] { day.Draw(); });
    EXPECT_TRUE(
        GoldenImage::Matches(Golden("day-12.png"), days, 800, platform::Rect{0, 0, 138, 109}));
}

}  // namespace
