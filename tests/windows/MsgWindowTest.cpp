#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/window/MenuStrip.h"
#include "shell/ShellResources.h"
#include "support/Bytes.h"
#include "support/WindowTestBench.h"
#include "windows/MSG_WINDOW_DATA.h"
#include "windows/SELECT_WINDOW_COLLECT_DATA.h"

using zktest::WindowTestBench;

namespace {

std::vector<std::string> Texts(const MSG_WINDOW_DATA& window) {
    std::vector<std::string> texts;
    for (const MSG_DATA& entry : window.BackLog) texts.emplace_back(entry.szText);
    return texts;
}

TEST(MsgBackLog, TheThirtyFirstLineDropsTheOldestAndAnEmptyTextKeepsNoEntry) {
    auto window = std::make_unique<MSG_WINDOW_DATA>();
    std::vector<std::string> expected;
    for (int i = 0; i <= MSG_WINDOW_DATA::kBackLogSize; ++i) {
        const std::string text = "L" + std::to_string(i);
        window->SetBackLog("N", text.c_str(), "V0001.sou");
        expected.push_back(text);
    }
    expected.erase(expected.begin());
    EXPECT_EQ(Texts(*window), expected);

    window->Clear();
    window->SetBackLog(nullptr, "A", nullptr);
    window->SetBackLog("x", "", "x");
    window->SetBackLog("x", nullptr, "x");
    window->SetBackLog(nullptr, "B", nullptr);
    EXPECT_EQ(Texts(*window)[1], "B");
    EXPECT_STREQ(window->BackLog[1].szName, "");
    EXPECT_EQ(Texts(*window)[2], "");
}

// Each field keeps at most its size less the terminator, and never half a
// character: the limits of these all-two-byte texts fall inside one.
TEST(MsgRecords, LongTextsKeepWholeCharactersWithinTheirFields) {
    const std::string two = zktest::Sjis(u8"あ");
    const auto text = [&](std::size_t bytes) {
        std::string s;
        while (s.size() < bytes) s += two;
        return s;
    };
    MSG_DATA line;
    line.SetName(text(120));
    line.SetText(text(300));
    line.SetScriptText(text(300));
    line.SetVoice(text(300));
    SELECT_MSG_DATA choice;
    choice.SetText(text(300));
    const struct {
        const char* field;
        const char* kept;
        std::size_t expected;
    } fields[] = {{"name", line.szName, 98},
                  {"text", line.szText, 254},
                  {"script text", line.szScriptText, 254},
                  {"voice", line.szVoice, 258},
                  {"choice", choice.szText, 254}};
    for (const auto& f : fields) EXPECT_EQ(std::string(f.kept), text(f.expected)) << f.field;
    // A voice is a file name of single bytes: all but the terminator's byte are kept.
    line.SetVoice(std::string(300, 'v'));
    EXPECT_EQ(std::string(line.szVoice), std::string(259, 'v'));
}

// The toggles are settings: they live in the window, survive its resets and the
// game's, and the masks reach the bar's buttons.
TEST(MsgWindowWiring, SettingsAndStatusMasksReachTheWindow) {
    WindowTestBench bench;
    GAMEMAIN& game = bench.game();
    MSG_WINDOW_DATA& window = game.MsgWindowData;
    game.SetMsgConfig(1000, 1, 0);
    EXPECT_EQ(window.nAutoFlg, 1u);
    EXPECT_EQ(window.nSkipFlg, 0u);
    ASSERT_EQ(window.Initialize(bench.context), 1u);
    ASSERT_EQ(game.DayWindowData.Initialize(2, bench.context), 1u);
    window.nSkipFlg = 1;
    bench.kit.clearLog();
    game.Clear();
    EXPECT_EQ(bench.lines(), std::vector<std::string>{});
    EXPECT_EQ(game.Initialize(bench.sys, bench.sprite, bench.snd), 1u);
    EXPECT_EQ(window.nInitFlg, 0u);
    EXPECT_EQ(game.DayWindowData.nInitFlg, 0u);
    EXPECT_EQ(bench.sprite->GetSurfaceLoadState(MSG_WINDOW_DATA::kSurface), 1) << "unloaded";
    ASSERT_EQ(window.Initialize(bench.context), 1u);
    EXPECT_EQ(game.GetHandsFree(), 1u);
    EXPECT_EQ(game.GetAutoSkip(), 1u);

    using States = std::vector<std::uint32_t>;
    const auto states = [&] {
        return States(std::begin(window.nButtonState), std::end(window.nButtonState));
    };
    // Back needs text in the backlog and forward a page shown to be enabled.
    window.ButtonDisable(63);
    const struct {
        std::int32_t mask;
        std::uint32_t on;
        bool backLog;  // a line logged before the change
        States after;
    } changes[] = {{48, 1, false, {0, 0, 4, 4, 4, 4}},  {128, 1, false, {0, 0, 4, 4, 4, 4}},
                   {128, 1, true, {0, 0, 4, 0, 4, 4}},  {128, 0, false, {0, 0, 4, 4, 4, 4}},
                   {256, 1, false, {0, 0, 4, 4, 4, 4}}, {65535, 0, false, {4, 4, 4, 4, 4, 4}}};
    for (const auto& c : changes) {
        if (c.backLog) window.SetBackLog(nullptr, "A", nullptr);
        game.MsgWndStatusChange(c.mask, c.on);
        EXPECT_EQ(states(), c.after) << c.mask << " " << c.on;
    }
    // Without a menu the change fails and the buttons stay.
    EXPECT_EQ(game.MenuMsgWndStatusChange(65535, 1), 0u);
    EXPECT_EQ(states(), (States{4, 4, 4, 4, 4, 4}));
    platform::MenuStrip menu;
    BuildShellMenu(menu);
    bench.kit.shell.hMenu = &menu;
    EXPECT_EQ(game.MenuMsgWndStatusChange(65535, 1), 1u);
    EXPECT_EQ(states(), (States{0, 0, 0, 0, 4, 0}));
}

}  // namespace
