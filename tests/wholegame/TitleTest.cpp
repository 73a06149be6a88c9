#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "autoplay/MenuItem.h"
#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "mkdemo/ArtCanvas.h"
#include "mkdemo/PicturePainter.h"
#include "platform/audio/AudioEngine.h"
#include "platform/input/VirtualKeys.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/SoundEventLog.h"
#include "support/WholeGameTest.h"
#include "support/WindowTestBench.h"
#include "windows/ConfigControls.h"
#include "windows/SaveRowText.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string kTag = "Error: <GAMEMAIN::TitleProc> ";
const char* const kItemNames[] = {"はじめから", "つづきから", "設定", "おまけ", "終了"};
const char* const kStateSuffix[] = {"", "・選択", "・決定"};

class Title : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }
    std::int32_t step() { return session().procStep(); }

    // The title at its first step, as the movie's end leaves it.
    void begin() {
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        enter(GAME_MODE_TITLE);
        rest();
        ASSERT_TRUE(runFrames(1));
        ASSERT_EQ(step(), 1);
    }
    // The menu standing, the intro skipped by a click.
    void standing() {
        begin();
        ASSERT_TRUE(release(platform::VK_LBUTTON));
        ASSERT_TRUE(runFrames(1));
        ASSERT_EQ(step(), 10);
    }
    // Where the last warp put the pointer.
    std::pair<int, int> warped() {
        const platform::PointerPosition at = session().warps().back();
        return {at.x, at.y};
    }
    // The pointer clear of the items.
    void rest() { session().input().setPointer({400, 100}); }
    void onItem(int nItem) { session().input().setPointer({400, 340 + 40 * (nItem - 1)}); }
    bool clickItem(int nItem) {
        onItem(nItem);
        return runFrames(1) && release(platform::VK_LBUTTON);
    }
    bool reach(std::int32_t nStep, int nFrames = 120) {
        return runUntil([&] { return step() == nStep; }, nFrames);
    }
    std::uint32_t pixel(int x, int y) {
        return session().lastFrame().at(static_cast<std::size_t>(y) * 800 + x) & 0xFFFFFF;
    }
    // The colour the last frame shows on item k's rim, two pixels in from its corner.
    std::uint32_t itemPixel(int nItem) { return pixel(242, 322 + 40 * (nItem - 1)); }
    static std::uint32_t itemCell(int nItem, int nState) {
        return zktest::WindowTestBench::ArtCellColor(
            "TtlMaterial_Surf", std::string(kItemNames[nItem - 1]) + kStateSuffix[nState]);
    }
    // The moon's art at a point of one of its frames, as the demo paints it.
    static std::uint32_t moonArt(int nFrame, int x, int y) {
        const mkdemo::PictureEntry& entry = zktest::WindowTestBench::Entry("TitleMoonMaterial");
        mkdemo::ArtCanvas canvas(entry.width, entry.height);
        EXPECT_TRUE(mkdemo::PicturePainter::DrawArt(canvas, entry));
        const mkdemo::SheetCell& cell = entry.cells[static_cast<std::size_t>(nFrame)];
        return canvas.color(cell.left + x, cell.top + y, 0xFF00FF).value_or(0xFF00FF);
    }
    void expectItems(const std::vector<int>& states) {
        for (int item = 1; item <= 5; ++item) {
            EXPECT_EQ(itemPixel(item), itemCell(item, states[item - 1])) << "item " << item;
        }
    }
    Lines errors() {
        Lines found;
        for (const std::string& line : logTexts()) {
            if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
        }
        return found;
    }
    static std::string effect(const char* name) { return std::string("tmp/") + name + ".sou"; }
};

const std::vector<int> kAllNormal = {0, 0, 0, 0, 0};

}  // namespace

// Three pictures fade through, then the items one after another; the menu stands
// about 5.5 s after the first step, with the title's music.
TEST_F(Title, TheIntroFadesThroughItsPicturesAndItemsToTheMenu) {
    zktest::SoundEventLog sounds;
    begin();
    const std::vector<std::uint32_t>& first = session().lastFrame();
    EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](std::uint32_t p) {
        return (p & 0xFFFFFF) == 0;
    })) << "the title opens from black";
    const std::uint32_t start = game().dwNowTime - 16;
    std::vector<std::int32_t> steps = {1};
    ASSERT_TRUE(runUntil(
        [&] {
            if (steps.back() != step()) steps.push_back(step());
            return step() == 10;
        },
        600));
    EXPECT_EQ(steps, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 10}));
    const std::uint32_t elapsed = game().dwNowTime - start;
    EXPECT_GE(elapsed, 5500u);
    // Each fade stamps its start in its first frame and ends on the first frame past it.
    EXPECT_LE(elapsed, 5500u + 16 * 16);
    expectItems(kAllNormal);
    EXPECT_EQ(sounds.plays("tmp/bgm19.mus", platform::AudioBus::Music), 1);
    for (const int texture : {3, 4, 5}) EXPECT_EQ(session().sprite().GetTexture(texture), nullptr);
    EXPECT_EQ(errors(), Lines{});
}

// A click in the pictures or Ctrl among the items: the next frame shows the whole
// menu and runs it.
TEST_F(Title, AClickOrCtrlSkipsToTheFinishedMenu) {
    const struct {
        int key;
        std::int32_t at;
    } cases[] = {{platform::VK_LBUTTON, 2}, {platform::VK_RETURN, 3}, {platform::VK_CONTROL, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        begin();
        ASSERT_TRUE(reach(c.at, 600));
        down(c.key);
        ASSERT_TRUE(runFrames(1));
        if (c.key != platform::VK_CONTROL) {
            EXPECT_EQ(step(), c.at) << "a press alone does not skip";
            up(c.key);
            ASSERT_TRUE(runFrames(1));
        }
        EXPECT_EQ(step(), 10);
        expectItems(kAllNormal);
        for (const int texture : {0, 3, 4, 5}) {
            EXPECT_EQ(session().sprite().GetTexture(texture), nullptr) << texture;
        }
        up(c.key);
        EXPECT_EQ(errors(), Lines{});
        TearDown();
    }
}

// Up and Down warp onto the items round the ends; hovering sounds once per item and
// shows its pointed cell; a press shows the pressed cell and a release elsewhere
// chooses nothing.
TEST_F(Title, KeysAndPointerMoveOverTheItems) {
    standing();
    zktest::SoundEventLog sounds;
    ASSERT_TRUE(release(platform::VK_UP));
    ASSERT_FALSE(session().warps().empty());
    EXPECT_EQ(warped(), std::pair(400, 340));
    ASSERT_TRUE(runFrames(3));
    expectItems({1, 0, 0, 0, 0});
    EXPECT_EQ(sounds.plays(effect("Cursor_Move"), platform::AudioBus::Effects), 1);
    ASSERT_TRUE(release(platform::VK_UP));
    EXPECT_EQ(warped(), std::pair(400, 500));
    ASSERT_TRUE(release(platform::VK_DOWN));
    EXPECT_EQ(warped(), std::pair(400, 340));
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(sounds.plays(effect("Cursor_Move"), platform::AudioBus::Effects), 3);

    onItem(2);
    down(platform::VK_LBUTTON);
    ASSERT_TRUE(runFrames(1));
    expectItems({0, 2, 0, 0, 0});
    rest();
    ASSERT_TRUE(runFrames(1));
    up(platform::VK_LBUTTON);
    ASSERT_TRUE(runFrames(3));
    EXPECT_EQ(step(), 10);
    expectItems(kAllNormal);
    EXPECT_EQ(sounds.plays(effect("GenPurEnter"), platform::AudioBus::Effects), 0);
}

// New game and extras fade out for a second, leave nothing of the title loaded but
// the overlay's black, and change the mode; the extras menu then stands.
TEST_F(Title, NewGameAndExtrasLeaveTheTitle) {
    const struct {
        int item;
        const char* sound;
        std::int32_t mode;
    } cases[] = {{1, "Title_Start", GAME_MODE_ADV}, {4, "ModeSelect", GAME_MODE_SPECIAL}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        standing();
        zktest::SoundEventLog sounds;
        ASSERT_TRUE(clickItem(c.item));
        EXPECT_EQ(sounds.plays(effect(c.sound), platform::AudioBus::Effects), 1);
        const std::uint32_t chosen = game().dwNowTime;
        ASSERT_TRUE(runUntil([&] { return session().mode() != GAME_MODE_TITLE; }, 120));
        EXPECT_GE(game().dwNowTime - chosen, 1000u);
        EXPECT_EQ(std::pair(session().mode(), step()), std::pair(c.mode, 0));
        EXPECT_EQ(session().previousMode(), GAME_MODE_TITLE);
        EXPECT_NE(session().sprite().GetTexture(0), nullptr) << "black stays";
        for (int i = 1; i < session().sprite().GetTextureCount(); ++i) {
            EXPECT_EQ(session().sprite().GetTexture(i), nullptr) << "texture " << i;
        }
        for (int i = 0; i < session().sprite().GetSurfaceCount(); ++i) {
            EXPECT_EQ(session().sprite().GetSurface(i), nullptr) << "surface " << i;
        }
        for (const int buffer : {2, 4, 5, 6}) EXPECT_LT(game().pSnd->DAGetState(buffer), 0);
        EXPECT_EQ(sounds.stops(platform::AudioBus::Music), 1);
        EXPECT_EQ(game().TitleData.pContext, nullptr);
        if (c.mode == GAME_MODE_SPECIAL) {
            EXPECT_TRUE(reach(2)) << "the extras menu stands";
        }
        EXPECT_EQ(errors(), Lines{});
        TearDown();
    }
}

// Each opener puts its screen over the menu while it is allowed; closing it stands
// the menu again. While refused, the keys and the strip do nothing.
TEST_F(Title, TheOpenersOfTheLoadAndSettingsScreens) {
    enum Opener { Right, KeyC, Item3, MenuSettings, KeyL, Item2, MenuLoad };
    for (const Opener opener : {Right, KeyC, Item3, MenuSettings, KeyL, Item2, MenuLoad}) {
        const bool bLoad = opener >= KeyL;
        for (const bool allowed : {true, false}) {
            if (!allowed && (opener == Item3 || opener == Item2)) continue;
            SCOPED_TRACE(testing::Message() << opener << (allowed ? " allowed" : " refused"));
            standing();
            zktest::SoundEventLog sounds;
            if (!allowed) (bLoad ? game().nLoadEnableFlg : game().nConfigEnableFlg) = 0;
            switch (opener) {
                case Right:
                    ASSERT_TRUE(release(platform::VK_RBUTTON));
                    break;
                case KeyC:
                    ASSERT_TRUE(release('C'));
                    break;
                case KeyL:
                    ASSERT_TRUE(release('L'));
                    break;
                case Item3:
                case Item2:
                    ASSERT_TRUE(clickItem(opener == Item3 ? 3 : 2));
                    break;
                case MenuSettings:
                case MenuLoad:
                    menu(bLoad ? autoplay::MenuItem::Load : autoplay::MenuItem::Settings);
                    ASSERT_TRUE(runFrames(2));
                    break;
            }
            if (!allowed) {
                ASSERT_TRUE(runFrames(5));
                EXPECT_EQ(step(), 10);
                EXPECT_EQ(game().ConfigData.nInitFlg + game().SaveLoadWindowData.nInitFlg, 0u);
                TearDown();
                continue;
            }
            ASSERT_TRUE(reach(bLoad ? 14 : 18));
            EXPECT_EQ(sounds.plays(effect("GenPurEnter"), platform::AudioBus::Effects),
                      opener == Item2 || opener == Item3 ? 1 : 0);
            if (bLoad) {
                EXPECT_EQ(game().SaveLoadWindowData.nKind, SAVE_LOAD_WINDOW_DATA::kKindLoad);
            }
            ASSERT_TRUE(release(platform::VK_RBUTTON));
            ASSERT_TRUE(reach(10));
            EXPECT_EQ(game().TitleData.dwIdleStart, game().dwNowTime);
            EXPECT_EQ(game().ConfigData.nInitFlg + game().SaveLoadWindowData.nInitFlg, 0u);
            EXPECT_EQ(errors(), Lines{});
            TearDown();
        }
    }
}

// The wait ends at 141 s exactly; an opener in the frame the wait ends takes the
// frame, and the attract waits for the next one.
TEST_F(Title, TheIdleWaitEndsAt141SecondsAndYieldsToAnOpener) {
    standing();
    game().TitleData.dwIdleStart = game().dwNowTime + 16 - 140999;
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(step(), 10);
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(step(), 21);
    TearDown();

    standing();
    down('C');
    ASSERT_TRUE(runFrames(1));
    up('C');
    game().TitleData.dwIdleStart = game().dwNowTime + 16 - 141000;
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(step(), 17);
    EXPECT_EQ(game().TitleData.AttractGraphic.nDispFlg, 0u);
}

// Music that cannot play is told, and the title goes on without it.
TEST_F(Title, MusicThatCannotPlayIsToldAndTheTitleGoesOn) {
    ASSERT_TRUE(start());
    replaceMembers("AU.dat", {{"bgm19.mus", "no music"}});
    ASSERT_TRUE(runFrames(1));
    enter(GAME_MODE_TITLE);
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(step(), 1);
    const Lines lines = errors();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), kTag + "BGMの再生に失敗しました");
}

// The settings over the title offer no return to the title: a click where that
// item stands in the story opens no question.
TEST_F(Title, TheSettingsOverTheTitleOfferNoReturnToIt) {
    standing();
    ASSERT_TRUE(release('C'));
    ASSERT_TRUE(reach(18));
    const CONFIG_DATA& screen = game().ConfigData;
    const CONFIG_CONTROL& item = *FindConfigControl(kConfigTitle);
    session().input().setPointer({screen.nX + (item.rcHit.left + item.rcHit.right) / 2,
                                  screen.nY + (item.rcHit.top + item.rcHit.bottom) / 2});
    ASSERT_TRUE(runFrames(1));
    ASSERT_TRUE(release(platform::VK_LBUTTON));
    ASSERT_TRUE(runFrames(30));
    EXPECT_NE(screen.nSlideFlg, CONFIG_DATA::kBoxUp);
    EXPECT_EQ(step(), 18);
}

// A screen that is gone when the title opens it or waits on it ends the game with
// the step's line.
TEST_F(Title, AScreenGoneUnderItsStepIsFatal) {
    const struct {
        int key;
        std::int32_t step;
        const char8_t* line;
    } cases[] = {
        {'L', 13, u8"ロードウィンドウのオープン処理でエラーが発生しました"},
        {'L', 14, u8"ロード待機中にエラーが発生しました"},
        {'C', 17, u8"コンフィグウィンドウのオープン処理でエラーが発生しました"},
        {'C', 18, u8"コンフィグ待機中にエラーが発生しました"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.step);
        standing();
        down(c.key);
        ASSERT_TRUE(runFrames(1));
        up(c.key);
        ASSERT_TRUE(reach(c.step));
        game().SaveLoadWindowData.Release();
        game().ConfigData.Release();
        EXPECT_FALSE(runFrames(1));
        const Lines lines = errors();
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(Lines(lines.end() - 3, lines.end()),
                  (Lines{kTag + reinterpret_cast<const char*>(c.line),
                         "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::TitleProcが失敗しました",
                         "Error: <AppMain> GAMEMAIN::GameMainFuncが失敗しました"}));
        TearDown();
    }
}

// Left alone, however the pointer moves, the menu gives way to the moon after 141 s;
// from its eleventh cell the screen fades out over 4 s to the logo.
TEST_F(Title, TheAttractStartsAfterTheIdleTimeAndFallsBackToTheLogo) {
    standing();
    const std::uint32_t idle = game().TitleData.dwIdleStart;
    advance(141000 - (game().dwNowTime - idle) - 100);
    for (int frame = 0; frame < 4; ++frame) {
        onItem(1 + frame % 2);
        ASSERT_TRUE(runFrames(1));
    }
    EXPECT_EQ(step(), 10);
    const auto place = [&] {
        std::vector<std::uint32_t> shown;
        for (int y = 0; y < 73; ++y) {
            for (int x = 384; x < 472; ++x) shown.push_back(pixel(x, y));
        }
        return shown;
    };
    const std::vector<std::uint32_t> night = place();
    advance(141000);
    onItem(3);
    ASSERT_TRUE(runFrames(2));
    EXPECT_EQ(step(), 21);
    ASSERT_TRUE(runFrames(1));
    // The first frame, drawn as painted, is the very night behind it: no box shows.
    // Only the sheet's key pixel, its first, stands a 16-bit step apart.
    EXPECT_NE(moonArt(0, 44, 68), 0xFF00FFu);
    EXPECT_EQ(pixel(384 + 44, 68), moonArt(0, 44, 68));
    const std::vector<std::uint32_t> shown = place();
    EXPECT_EQ(std::vector(shown.begin() + 1, shown.end()),
              std::vector(night.begin() + 1, night.end()));
    for (const int shift : {16, 8, 0}) {
        EXPECT_LE(std::abs(static_cast<int>(shown[0] >> shift & 0xFF) -
                           static_cast<int>(night[0] >> shift & 0xFF)),
                  8);
    }
    ASSERT_TRUE(reach(22));
    EXPECT_EQ(game().TitleData.AttractGraphic.AnimData.nAnimNo, 10u);
    const std::uint32_t fadeStart = game().dwNowTime;
    ASSERT_TRUE(runUntil([&] { return session().mode() != GAME_MODE_TITLE; }, 400));
    EXPECT_GE(game().dwNowTime - fadeStart, 4000u);
    EXPECT_EQ(std::pair(session().mode(), step()), (std::pair<std::int32_t, std::int32_t>(1, 0)));
    EXPECT_NE(session().sprite().GetTexture(0), nullptr);
    for (int i = 0; i < session().sprite().GetSurfaceCount(); ++i) {
        EXPECT_EQ(session().sprite().GetSurface(i), nullptr) << "surface " << i;
    }
    // Through the logo and a three-second movie back to the title.
    replaceMovie();
    ASSERT_TRUE(runUntil([&] { return session().mode() == GAME_MODE_TITLE && step() == 1; }, 1200));
    EXPECT_EQ(errors(), Lines{"Warn: <ZKDSHOWDATA::DShowStop> 既に停止されています"});
}

// A screen opened at 100 s of idle and closed at 110 s starts the wait afresh.
TEST_F(Title, AWindowRestartsTheIdleWait) {
    standing();
    advance(100000);
    ASSERT_TRUE(release('C'));
    ASSERT_TRUE(reach(18));
    advance(10000);
    ASSERT_TRUE(release(platform::VK_RBUTTON));
    ASSERT_TRUE(reach(10));
    const std::uint32_t closed = game().dwNowTime;
    advance(141000 - 200);
    ASSERT_TRUE(runFrames(3));
    EXPECT_EQ(step(), 10);
    // The frame's logic runs on the time of the frame before.
    advance(200);
    ASSERT_TRUE(runFrames(2));
    EXPECT_EQ(step(), 21);
    EXPECT_GE(game().dwNowTime - closed, 141000u);
}

// The exit item asks the shell's question: no keeps the menu with the wait started
// afresh; yes lets the frame end, runs no other, and the exit writes the settings.
TEST_F(Title, TheExitItemAsksAndQuitsOnYes) {
    for (const int answer : {'N', 'Y'}) {
        SCOPED_TRACE(static_cast<char>(answer));
        standing();
        advance(5000);
        dialog({answer});
        onItem(5);
        ASSERT_TRUE(runFrames(1));
        down(platform::VK_LBUTTON);
        ASSERT_TRUE(runFrames(1));
        up(platform::VK_LBUTTON);
        ASSERT_TRUE(runFrames(1));
        ASSERT_EQ(step(), 20);
        ASSERT_TRUE(runFrames(1));
        EXPECT_TRUE(session().dialogAnswered());
        EXPECT_EQ(step(), 10);
        const std::uint32_t asked = game().dwNowTime;
        EXPECT_EQ(game().TitleData.dwIdleStart, asked);
        EXPECT_EQ(session().quitPosted(), answer == 'Y');
        if (answer == 'N') {
            EXPECT_TRUE(runFrames(3));
        } else {
            EXPECT_FALSE(runFrames(1));
            EXPECT_FALSE(session().fatal());
            EXPECT_EQ(game().dwNowTime, asked) << "no frame ran after the one that asked";
            const fs::path env = session().folder() / "env.env";
            fs::remove(env);
            session().release();
            EXPECT_TRUE(fs::exists(env));
        }
        EXPECT_EQ(errors(), Lines{});
        TearDown();
    }
}

namespace {

// A story to save in: a few lines and a wait.
const std::vector<std::u8string> kStory = {u8"#MsgWndOpen INSTANT", u8"#MsgDisp NULL 一行目",
                                           u8"#MsgDisp NULL 二行目", u8"#MsgDisp NULL 三行目",
                                           u8"#KeyWait"};

class TitleLoad : public Title {
protected:
    bool shown(std::u8string_view text) {
        return game().MsgWindowData.MsgData.szScriptText == zktest::Sjis(text) &&
               game().MsgWindowData.nDispByte == -1;
    }
    bool next(std::u8string_view text) {
        session().input().setPointer({400, 200});
        return release(platform::VK_LBUTTON) && runUntil([&] { return shown(text); }, 120);
    }
    // Row nSlot of the open screen clicked, then yes.
    bool choose(std::int32_t nSlot) {
        const SAVE_LOAD_WINDOW_DATA& s = game().SaveLoadWindowData;
        session().input().setPointer({s.nX + 199, s.nY + 41 + 24 * (nSlot - 1) + 12});
        if (!release(platform::VK_LBUTTON)) return false;
        session().input().setPointer({s.nX + 99, s.nY + 569});
        return release(platform::VK_LBUTTON);
    }
    // A story saved in slot 1 at its second line, in a game that then ends; the
    // next session starts in the same folder. Gives the saved line.
    std::int32_t savedStory() {
        std::u8string plain = u8"// test\r\n";
        for (const std::u8string& line : kStory) plain += line + u8"\r\n";
        replaceScript("prologue.spt", zktest::Sjis(plain));
        EXPECT_TRUE(start());
        EXPECT_TRUE(runFrames(1));
        enter(GAME_MODE_ADV);
        session().input().setPointer({400, 200});
        EXPECT_TRUE(runUntil([&] { return shown(u8"一行目"); }, 300));
        EXPECT_TRUE(next(u8"二行目"));
        EXPECT_TRUE(release('S') && reach(5));
        EXPECT_TRUE(choose(1));
        const std::int32_t line = game().ScrFileData.nLine;
        EXPECT_TRUE(release(platform::VK_RBUTTON) && reach(3));
        restartInSameFolder();
        return line;
    }
    void openLoad() {
        ASSERT_TRUE(release('L'));
        ASSERT_TRUE(reach(14));
    }
};

}  // namespace

// A slot loaded from the title puts its story back at the saved line, after the fade,
// and the adventure goes on from its post-load fade.
TEST_F(TitleLoad, ALoadResumesTheStoryAtItsLine) {
    for (const bool systemSaveFails : {false, true}) {
        SCOPED_TRACE(systemSaveFails);
        const std::int32_t savedLine = savedStory();
        standing();
        if (systemSaveFails) {
            fs::remove("sav/sav00.sav");
            fs::create_directory("sav/sav00.sav.tmp");
        }
        const std::size_t errorsBefore = errors().size();
        openLoad();
        ASSERT_TRUE(choose(1));
        EXPECT_EQ(step(), 16);
        const std::uint32_t confirmed = game().dwNowTime;
        ASSERT_TRUE(runUntil([&] { return session().mode() != GAME_MODE_TITLE; }, 120));
        EXPECT_GE(game().dwNowTime - confirmed, 1000u);
        EXPECT_EQ(std::pair(session().mode(), step()),
                  (std::pair<std::int32_t, std::int32_t>(9, 11)));
        EXPECT_EQ(session().previousMode(), GAME_MODE_ADV);
        EXPECT_EQ(game().ScrFileData.nLine, savedLine);
        EXPECT_TRUE(shown(u8"二行目"));
        EXPECT_EQ(game().TitleData.pContext, nullptr);
        EXPECT_EQ(game().SaveLoadWindowData.nInitFlg, 0u);
        EXPECT_EQ(game().FadeGraphData.fAlpha, 1.0f);
        ASSERT_TRUE(reach(3));
        ASSERT_TRUE(next(u8"三行目"));
        // A system save that cannot be written is told, and the load goes on.
        const Lines lines = errors();
        ASSERT_EQ(lines.size(), errorsBefore + (systemSaveFails ? 2 : 0));
        if (systemSaveFails) {
            EXPECT_EQ(lines.back(), kTag + "統合セーブデータのセーブ処理に失敗しました");
        }
        TearDown();
    }
}

// A damaged slot is refused on the screen: nothing fades, nothing is written, and
// the screen stays in its standby with the notice.
TEST_F(TitleLoad, ADamagedSlotIsRefusedOnTheScreen) {
    savedStory();
    standing();
    const std::string good = zktest::ReadFileBytes("sav/sav01.sav");
    zktest::WriteFileBytes("sav/sav02.sav", good.substr(0, good.size() / 2));
    const auto files = zktest::FolderSnapshot(session().folder() / "sav");
    openLoad();
    const std::size_t errorsBefore = errors().size();
    ASSERT_TRUE(choose(2));
    ASSERT_TRUE(runFrames(10));
    EXPECT_EQ(std::pair(session().mode(), step()), (std::pair<std::int32_t, std::int32_t>(3, 14)));
    EXPECT_EQ(game().FadeGraphData.nDispFlg, 0u);
    EXPECT_FALSE(game().PendingLoad.has_value());
    EXPECT_STREQ(game().SaveLoadWindowData.szStatusMsg,
                 SaveStatusText(SAVE_STATUS::LoadNotice, 2).c_str());
    const Lines lines = errors();
    ASSERT_EQ(lines.size(), errorsBefore + 2);
    EXPECT_TRUE(lines[errorsBefore].starts_with(
        "Error: <GAMEMAIN::LoadIndependentData> セーブファイルでないか、ファイルが壊れています"))
        << lines[errorsBefore];
    EXPECT_EQ(lines.back(), kTag + "ロード処理に失敗しました");
    ASSERT_TRUE(release(platform::VK_RBUTTON));
    ASSERT_TRUE(reach(10));
    EXPECT_EQ(zktest::FolderSnapshot(session().folder() / "sav"), files);
}
