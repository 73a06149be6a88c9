#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "autoplay/PngWriter.h"
#include "game/GAMEMAIN.h"
#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "mkdemo/StorySources.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/SoundEventLog.h"
#include "support/WholeGameTest.h"
#include "support/WindowTestBench.h"
#include "windows/SAVE_LOAD_WINDOW_DATA.h"

using zktest::DemoData;

namespace {

constexpr int kW = autoplay::GameSession::kWidth;

// Where a test expects a cell of a material: two pixels in from its top-left
// corner as drawn, which shows the cell's own colour in mkdemo's pictures.
struct Probe {
    int x, y;
    const char* cell;
};

class WindowMaterial : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }
    std::uint32_t now() { return kT0 + 16 * static_cast<std::uint32_t>(k_++); }

    // Draws one frame with draw and keeps it as name.png for viewing.
    const std::vector<std::uint32_t>& shot(const std::string& name,
                                           const std::function<void()>& draw) {
        game().pSprite->D3DXDrawStart();
        draw();
        game().pSprite->D3DXDrawEnd();
        const auto& frame = session().lastFrame();
        std::filesystem::create_directories(ZK_WINDOW_SHOTS_DIR);
        zktest::WriteFileBytes(std::string(ZK_WINDOW_SHOTS_DIR) + "/" + name,
                               autoplay::PngBytes(kW, autoplay::GameSession::kHeight, frame));
        return frame;
    }
    void expectCells(const std::vector<std::uint32_t>& frame, const std::string& stem,
                     const std::vector<Probe>& probes) {
        for (const Probe& p : probes) {
            EXPECT_EQ(frame[static_cast<std::size_t>(p.y + 2) * kW + p.x + 2] & 0xFFFFFF,
                      zktest::WindowTestBench::ArtCellColor(stem, p.cell))
                << stem << " " << p.cell;
        }
    }
    // The words of the script's lines (ended by CR LF) that start with command.
    static std::vector<std::vector<std::string>> Lines(const std::string& script,
                                                       const std::string& command) {
        std::vector<std::vector<std::string>> found;
        std::istringstream plain(DemoData::PlainScript(script));
        for (std::string line; std::getline(plain, line);) {
            auto words = mkdemo::StorySources::Words(line.substr(0, line.size() - 1));
            if (!words.empty() && words[0] == command) found.push_back(words);
        }
        return found;
    }

    int k_ = 0;
};

}  // namespace

TEST_F(WindowMaterial, TheDemoDrawsTheThreeWindowsFromItsOwnPicturesAndSounds) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    zktest::SoundEventLog sounds;
    GAMEMAIN& g = game();
    for (const int effect : {4, 5})
        ASSERT_EQ(SELoad(g.pSnd, g.pSystem, effect, nullptr, *g.pShell), 1);

    // The message window slides in with the prologue's first two lines.
    MSG_WINDOW_DATA& msg = g.MsgWindowData;
    ASSERT_EQ(msg.Initialize(&g.Context), 1u);
    int calls = 0;
    while (msg.WindowOpen(20) == 0) ASSERT_LT(++calls, 30);
    const auto lines = Lines("prologue.spt", "#MsgDisp");
    ASSERT_GE(lines.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& w = lines[i];
        msg.MsgData.Initialize();
        if (w[1] != "NULL") msg.MsgData.SetName(w[1]);
        msg.MsgData.SetScriptText(w[2]);
        g.TextEscapeToLF(msg.MsgData.szScriptText, msg.MsgData.szText);
        if (w.size() > 3) msg.MsgData.SetVoice(w[3]);
        msg.SetBackLog(msg.MsgData.szName, msg.MsgData.szText, msg.MsgData.szVoice);
    }
    msg.nDispByte = -1;
    const auto onButton = [&](int b, KEY_STATE key) {
        return msg.WindowStandby(2 + 553 + 39 * b + 16, 417 + 21, key, now());
    };
    onButton(MSG_BUTTON_VOICE, KEY_STATE_PRESSED);
    EXPECT_EQ(onButton(MSG_BUTTON_VOICE, KEY_STATE_RELEASED), 3);
    EXPECT_EQ(sounds.plays("tmp/V0001.sou", platform::AudioBus::Voice), 1);
    msg.WindowStandby(0, 0, KEY_STATE_UP, now());
    expectCells(shot("msg.png", [&] { msg.Draw(); }), "MsgWndMaterial",
                {{2, 417, "panel"},
                 {5, 390, "name plate"},
                 {555, 426, "skip"},
                 {594, 426, "auto"},
                 {633, 426, "voice off"},
                 {672, 426, "back"},
                 {711, 426, "forward"},
                 {750, 426, "hide"},
                 {752, 505, "wait 0"}});
    onButton(MSG_BUTTON_BACK, KEY_STATE_PRESSED);
    EXPECT_EQ(onButton(MSG_BUTTON_BACK, KEY_STATE_RELEASED), 2);
    EXPECT_EQ(msg.nBackLogNo, 1);
    EXPECT_EQ(sounds.plays("tmp/GenPurEnter.sou", platform::AudioBus::Effects), 1);
    EXPECT_EQ(sounds.stops(platform::AudioBus::Voice), 1);

    DAY_WINDOW_DATA& day = g.DayWindowData;
    ASSERT_EQ(day.Initialize(2, &g.Context), 1u);
    for (calls = 0; day.WindowOpen(10) == 0;) ASSERT_LT(++calls, 40);
    expectCells(shot("day.png", [&] { day.Draw(); }), "DayWndMaterial",
                {{2, 2, "panel"}, {83, 36, "2"}, {29, 57, "label"}});

    // cos01's three plates, the pointer on the second.
    SELECT_WINDOW_COLLECT_DATA& choice = g.SelectWindowData;
    const auto select = Lines("cos01.spt", "#SelectStart");
    ASSERT_EQ(select.size(), 1u);
    ASSERT_EQ(choice.Initialize(3, &g.Context), 1u);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(choice.SetSlcWndMsg(i, select[0][static_cast<std::size_t>(2 + i)].c_str()), 1u);
    }
    std::uint32_t at = now();
    while (choice.AppSelectWindowProc(at, 100) == 0) at = now();
    EXPECT_EQ(choice.WindowStandby(400, 288, KEY_STATE_UP, now(), 1), 1);
    expectCells(shot("choice.png", [&] { choice.Draw(); }), "SlcWndMaterial",
                {{263, 199, "plate"}, {263, 263, "glow 0"}, {263, 327, "plate"}});

    for (const std::string& text : logTexts()) {
        EXPECT_FALSE(text.starts_with("Error:") || text.starts_with("Warn:")) << text;
    }
    msg.Release();
    day.Release();
    choice.Release();
}

// Both screens find their panel, the close button's looks and their sounds in the
// demo, and play "Load_Select.sou" for yes on the load screen.
TEST_F(WindowMaterial, TheDemoDrawsTheSaveAndLoadScreensFromItsOwnPictures) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    zktest::SoundEventLog sounds;
    GAMEMAIN& g = game();
    for (const int effect : {4, 5})
        ASSERT_EQ(SELoad(g.pSnd, g.pSystem, effect, nullptr, *g.pShell), 1);
    zktest::WriteFileBytes("sav/sav02.sav", "2026 12 5 18 7 9 3\n");
    SAVE_LOAD_WINDOW_DATA screen;
    const struct {
        int kind;
        const char* stem;
        KEY_STATE left;
        const char* close;
    } cases[] = {{1, "SaveWindowMaterial", KEY_STATE_UP, "close-h"},
                 {2, "LoadWindowMaterial", KEY_STATE_HELD, "close-p"}};
    for (const auto& c : cases) {
        ASSERT_EQ(screen.Initialize(c.kind, &g.Context), 1);
        int calls = 0;
        while (screen.WindowOpen(100) == 0) ASSERT_LT(++calls, 10);
        screen.SaveStandby(200 + 370, 5 + 10, c.left, KEY_STATE_UP);
        expectCells(shot(std::string(c.stem) + ".png", [&] { screen.Draw(); }), c.stem,
                    {{200, 5, "panel"}, {200 + 365, 5 + 7, c.close}});
    }
    screen.LoadStandby(300, 5 + 41 + 24 + 5, KEY_STATE_RELEASED, KEY_STATE_UP);
    EXPECT_EQ(screen.LoadStandby(200 + 80, 5 + 560, KEY_STATE_RELEASED, KEY_STATE_UP), 2);
    EXPECT_EQ(screen.nSelectNo, 2);
    EXPECT_EQ(sounds.plays("tmp/Load_Select.sou", platform::AudioBus::Effects), 1);
    screen.Release();
    for (const std::string& text : logTexts()) {
        EXPECT_FALSE(text.starts_with("Error:") || text.starts_with("Warn:")) << text;
    }
}
