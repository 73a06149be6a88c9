#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "autoplay/MenuItem.h"
#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "platform/input/VirtualKeys.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/SoundEventLog.h"
#include "support/WholeGameTest.h"
#include "support/WindowTestBench.h"
#include "windows/SaveRowText.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string kTag = "Error: <GAMEMAIN::ClothesSelectProc> ";

// The prologue's way into the costume select: its music, its three costumes in
// places 1 to 3, the other places empty.
const std::vector<std::u8string> kToCostumes = {u8"#PlayBGM bgm01.mus",
                                                u8"#ClothesDataChange 1 1 1 NULL NULL",
                                                u8"#ClothesDataChange 2 1 2 NULL NULL",
                                                u8"#ClothesDataChange 3 1 3 NULL NULL",
                                                u8"#ClothesDataSort 1 BASIC",
                                                u8"#ClothesDataSort 2 WHITE_MINI",
                                                u8"#ClothesDataSort 3 KIMONO",
                                                u8"#GoToClothesSelect"};

struct Point {
    int x;
    int y;
};

// The centre of place p.
Point Centre(int p) { return {348 + 128 * ((p - 1) % 4), p <= 4 ? 165 : 333}; }
// Place p's card two pixels in from its lower right corner, on its rim, clear of its
// label and number.
Point CardRim(int p) { return {403 + 128 * ((p - 1) % 4), p <= 4 ? 237 : 405}; }
// The large picture's rim two pixels in from its lower right corner.
constexpr Point kBodyRim{271, 439};

class ClothesSelectRun : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }
    CLT_SLC_DATA& cards() { return game().ClothesSelectData; }
    SAVE_LOAD_WINDOW_DATA& slots() { return game().SaveLoadWindowData; }
    std::int32_t step() { return session().procStep(); }

    // The story leaves for the costume select, which stands in its main step.
    void begin() {
        std::u8string plain = u8"// test\r\n";
        for (const std::u8string& line : kToCostumes) plain += line + u8"\r\n";
        replaceScript("prologue.spt", zktest::Sjis(plain));
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        enter(GAME_MODE_ADV);
        off();
        ASSERT_TRUE(runUntil([&] { return session().mode() == GAME_MODE_CLOTHES_SELECT; }, 300));
        openedAt = game().dwNowTime;
        ASSERT_TRUE(runUntil([&] { return step() == 2; }, 120));
    }
    // The pointer clear of every card.
    void off() { session().input().setPointer({100, 500}); }
    bool reach(std::int32_t nStep, int frames = 120) {
        return runUntil([&] { return step() == nStep; }, frames);
    }
    bool clickAt(int x, int y) {
        session().input().setPointer({x, y});
        return release(platform::VK_LBUTTON);
    }
    // Row nSlot of the open save/load screen clicked, then yes.
    bool choose(std::int32_t nSlot) {
        return clickAt(slots().nX + 199, slots().nY + 41 + 24 * (nSlot - 1) + 12) &&
               clickAt(slots().nX + 99, slots().nY + 569);
    }
    bool saveIn(std::int32_t nSlot) {
        return release('S') && reach(5) && choose(nSlot) && release('S') && reach(2);
    }
    // The settings' return to the title, confirmed; the checks of what it ended.
    void returnToTheTitle() {
        GAMEMAIN& g = game();
        std::int32_t quira = -1;
        ASSERT_EQ(g.IDSerch("QUIRA", 4, &quira), 1u);
        g.pCharData[quira].nLoveValue = 7;
        // Layers a slot may have brought back with the screen go with the story.
        for (GRAPHIC_DATA* layer :
             {static_cast<GRAPHIC_DATA*>(&g.PRIM1), static_cast<GRAPHIC_DATA*>(&g.PRIM2),
              &g.BGGraphData1, &g.BGGraphData2}) {
            layer->nDispFlg = 1;
        }
        ASSERT_TRUE(release(platform::VK_RBUTTON));
        ASSERT_TRUE(reach(13));
        ASSERT_TRUE(answerReturnToTitle());
        ASSERT_TRUE(reach(16));
        const std::uint32_t start = g.dwNowTime;
        ASSERT_TRUE(runUntil([&] { return session().mode() != GAME_MODE_CLOTHES_SELECT; }, 100));
        EXPECT_GE(g.dwNowTime - start, 1000u);
        EXPECT_EQ(std::tuple(session().mode(), session().previousMode(), step()),
                  std::tuple(static_cast<std::int32_t>(GAME_MODE_TITLE),
                             static_cast<std::int32_t>(GAME_MODE_CLOTHES_SELECT), 0));
        EXPECT_EQ(std::tuple(cards().nInitFlg, g.ConfigData.nInitFlg), std::tuple(0u, 0u));
        EXPECT_EQ(g.pCharData[quira].nLoveValue, 0);
        EXPECT_EQ(std::tuple(g.PRIM1.nDispFlg, g.PRIM2.nDispFlg, g.BGGraphData1.nDispFlg,
                             g.BGGraphData2.nDispFlg),
                  std::tuple(0u, 0u, 0u, 0u));
        EXPECT_NE(g.pSnd->DAGetState(1), 0) << "the music stopped and unloaded";
        expectOnlyTheOverlayLeft(-1);
        EXPECT_EQ(errors(), Lines{});
    }
    // A slot saved here, then costume 2 chosen and the slot loaded from its story:
    // the screen is back, at its fade in.
    bool backFromTheStory() {
        if (!saveIn(4)) return false;
        pointAt(Centre(2));
        if (!runFrames(2) || !release(platform::VK_LBUTTON)) return false;
        if (!runUntil([&] { return session().mode() == GAME_MODE_ADV && step() == 3; }, 600)) {
            return false;
        }
        off();
        return release('L') && reach(8) && choose(4) &&
               runUntil([&] { return session().mode() == GAME_MODE_CLOTHES_SELECT; }, 120);
    }
    std::uint32_t pixel(Point p) { return session().lastFrame()[p.y * 800 + p.x] & 0xFFFFFF; }
    // The colour the demo's art shows at the cell's rim points.
    static std::uint32_t Cell(const char* stem, const std::u8string& cell) {
        return zktest::WindowTestBench::ArtCellColor(stem,
                                                     reinterpret_cast<const char*>(cell.c_str()));
    }
    // Pure white pixels in a rectangle of the last frame.
    int whites(int left, int top, int right, int bottom) {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) count += pixel({x, y}) == 0xFFFFFF ? 1 : 0;
        }
        return count;
    }
    // Plays of the effect in slot nEffect, whose file was extracted into tmp/.
    int effectPlays(const zktest::SoundEventLog& sounds, int nEffect) {
        char path[512] = {};
        if (game().pSnd->DAGetWAVEPath(nEffect, path, sizeof path) == nullptr) return -1;
        return sounds.plays(std::string("tmp/") + path, platform::AudioBus::Effects);
    }
    std::string slotPath(int nSlot) const {
        char name[32];
        std::snprintf(name, sizeof name, "sav/sav%02d.sav", nSlot);
        return name;
    }
    // Every slot of the screen gone: texture 0 (the overlay) and surface nKeptSurface
    // stay, and no effect.
    void expectOnlyTheOverlayLeft(int nKeptSurface) {
        GAMEMAIN& g = game();
        EXPECT_NE(g.pSprite->GetTexture(0), nullptr);
        for (int i = 1; i < g.pSprite->GetTextureCount(); ++i) {
            EXPECT_EQ(g.pSprite->GetTexture(i), nullptr) << "texture " << i;
        }
        for (int i = 0; i < g.pSprite->GetSurfaceCount(); ++i) {
            EXPECT_EQ(g.pSprite->GetSurface(i) != nullptr, i == nKeptSurface) << "surface " << i;
        }
        for (int i = 2; i < static_cast<int>(g.pSnd->DAGetDataNum()); ++i) {
            EXPECT_EQ(g.pSnd->DAGetLoadState(i), 0) << "effect " << i;
        }
    }
    Lines errors() const {
        Lines found;
        for (const std::string& line : logTexts()) {
            if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
        }
        return found;
    }

    std::uint32_t openedAt = 0;
};

// The screen fades in over the story's music: the sorted costumes' faces in places 1
// to 3, backs elsewhere, and the empty large picture while nothing is hovered.
TEST_F(ClothesSelectRun, TheScreenShowsTheSortedCardsOverTheStorysMusic) {
    begin();
    EXPECT_GE(game().dwNowTime - openedAt, 1000u);
    EXPECT_EQ(game().pSnd->DAGetState(1), 0) << "the music plays on";
    EXPECT_EQ(std::tuple(game().nSaveEnableFlg, game().nLoadEnableFlg, game().nConfigEnableFlg),
              std::tuple(1u, 1u, 1u));
    ASSERT_TRUE(runFrames(1));
    const std::u8string faces[] = {u8"衣装1", u8"衣装2", u8"衣装3"};
    for (int p = 1; p <= 3; ++p) {
        EXPECT_EQ(pixel(CardRim(p)), Cell("ClothesCard_F", faces[p - 1])) << p;
    }
    const std::u8string backs[] = {u8"裏4", u8"裏5", u8"裏6", u8"裏7", u8"裏8"};
    for (int p = 4; p <= 8; ++p) {
        EXPECT_EQ(pixel(CardRim(p)), Cell("ClothesCard_R", backs[p - 4])) << p;
    }
    EXPECT_EQ(pixel(kBodyRim), Cell("ClothesSelectBody", u8"選択なし"));
    EXPECT_EQ(errors(), Lines{});
}

// Hovering place 1 plays the hover sound once, shows costume 0's picture and names and
// types its description; an empty place is neither hovered nor chosen.
TEST_F(ClothesSelectRun, OnlyAPlacedCostumeIsHoveredAndChosen) {
    begin();
    ASSERT_TRUE(runFrames(1));
    const int names = whites(8, 50, 280, 88);
    const int description = whites(22, 465, 786, 540);
    zktest::SoundEventLog sounds;
    pointAt(Centre(1));
    ASSERT_TRUE(runFrames(60));
    EXPECT_EQ(cards().nCursorPos, 1);
    EXPECT_EQ(effectPlays(sounds, 4), 1);
    EXPECT_EQ(pixel(kBodyRim), Cell("ClothesSelectBody", u8"衣装1 全身"));
    EXPECT_GT(whites(8, 50, 280, 88), names) << "the names";
    EXPECT_GT(whites(22, 465, 786, 540), description) << "the description";
    pointAt(Centre(5));
    ASSERT_TRUE(runFrames(60));
    EXPECT_EQ(std::pair(cards().nCursorPos, cards().nMousePos), std::pair(0, 5));
    EXPECT_EQ(cards().szDescription[0], '\0');
    EXPECT_EQ(effectPlays(sounds, 4), 1) << "no sound for an empty place";
    EXPECT_EQ(whites(22, 465, 786, 540), description);
    ASSERT_TRUE(release(platform::VK_LBUTTON));
    ASSERT_TRUE(runFrames(30));
    EXPECT_EQ(std::pair(session().mode(), step()),
              std::pair(static_cast<std::int32_t>(GAME_MODE_CLOTHES_SELECT), 2));
    EXPECT_EQ(effectPlays(sounds, 5), 0);
    EXPECT_EQ(errors(), Lines{});
}

// Choosing costume 1 fades out, opens its scenario and gives the story back its
// message window; every slot of the screen goes, the music plays on.
TEST_F(ClothesSelectRun, ChoosingACostumeContinuesTheStoryWithItsScenario) {
    begin();
    zktest::SoundEventLog sounds;
    pointAt(Centre(1));
    ASSERT_TRUE(runFrames(2));
    ASSERT_TRUE(release(platform::VK_LBUTTON));
    EXPECT_EQ(effectPlays(sounds, 5), 1);
    EXPECT_EQ(step(), 3);
    const std::uint32_t chosenAt = game().dwNowTime;
    ASSERT_TRUE(runUntil([&] { return session().mode() == GAME_MODE_ADV; }, 60));
    GAMEMAIN& g = game();
    EXPECT_GE(g.dwNowTime - chosenAt, 500u);
    EXPECT_EQ(std::tuple(step(), session().previousMode()),
              std::tuple(1, static_cast<std::int32_t>(GAME_MODE_CLOTHES_SELECT)));
    EXPECT_STREQ(g.ScrFileData.szFileName, "cos01.spt");
    EXPECT_NE(g.ScrFileData.fp, nullptr);
    EXPECT_TRUE(zktest::FileExists("tmp/cos01.spt"));
    EXPECT_EQ(std::tuple(cards().nInitFlg, slots().nInitFlg, g.ConfigData.nInitFlg),
              std::tuple(0u, 0u, 0u));
    EXPECT_EQ(g.MsgWindowData.nInitFlg, 1u);
    EXPECT_EQ(std::pair(g.FadeGraphData.nDispFlg, g.FadeGraphData.fAlpha), std::pair(1u, 1.0f));
    expectOnlyTheOverlayLeft(5);
    EXPECT_EQ(g.pSnd->DAGetState(1), 0) << "the music plays on";
    ASSERT_TRUE(runUntil([&] { return step() == 3; }, 120));
    EXPECT_EQ(errors(), Lines{});
}

// The chosen scenario may be skipped as far as the already-read list says, and not at
// all when it is not listed.
TEST_F(ClothesSelectRun, TheChosenScenarioSkipsAsFarAsItWasRead) {
    const struct {
        const char* listed;
        std::int32_t position;
        std::uint32_t skip;
        std::int32_t line;
    } cases[] = {
        {nullptr, 0, 0, 99},
        {"cos02.spt", 12, 0, 99},
        {"cos01.spt", 12, 1, 12},
        {"cos01.spt", -1, 1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.listed ? c.listed : "none") << " " << c.position);
        begin();
        GAMEMAIN& g = game();
        if (c.listed != nullptr) {
            ASSERT_EQ(g.AddAutoSkipFileList(c.listed, c.position), 1u);
        }
        g.nScrSkipEnableFlg = 1 - c.skip;
        g.nScrSkipLine = 99;
        pointAt(Centre(1));
        ASSERT_TRUE(runFrames(2));
        ASSERT_TRUE(release(platform::VK_LBUTTON));
        ASSERT_TRUE(runUntil([&] { return session().mode() == GAME_MODE_ADV; }, 60));
        EXPECT_EQ(std::pair(g.nScrSkipEnableFlg, g.nScrSkipLine), std::pair(c.skip, c.line));
        TearDown();
    }
}

// A costume whose scenario cannot be opened ends the game with the reason, after the
// fade, with the screen still set up.
TEST_F(ClothesSelectRun, AScenarioThatCannotBeOpenedIsFatal) {
    const struct {
        const char* scenario;
        std::string line;
    } cases[] = {
        {"missing.spt", kTag + "取り出すファイルに該当ファイルが存在しません"},
        {"", "Error: <GAMEMAIN::ScrFileOpen> 不正なファイル名です: "},
        {"../cos01.spt", "Error: <GAMEMAIN::ScrFileOpen> 不正なファイル名です: ../cos01.spt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.scenario);
        begin();
        std::strcpy(cards().ClothesData[0].szScenario, c.scenario);
        pointAt(Centre(1));
        ASSERT_TRUE(runFrames(2));
        ASSERT_TRUE(release(platform::VK_LBUTTON));
        EXPECT_FALSE(runFrames(60));
        const Lines lines = errors();
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(Lines(lines.end() - 3, lines.end()),
                  (Lines{c.line,
                         "Error: <GAMEMAIN::GameMainFunc> "
                         "GAMEMAIN::ClothesSelectProcが失敗しました",
                         "Error: <AppMain> GAMEMAIN::GameMainFuncが失敗しました"}));
        EXPECT_EQ(session().mode(), GAME_MODE_CLOTHES_SELECT);
        TearDown();
    }
}

// A card screen that lost its set-up under the main step ends the game with its line.
TEST_F(ClothesSelectRun, AStandbyFailureIsFatal) {
    begin();
    cards().nInitFlg = 0;
    EXPECT_FALSE(runFrames(1));
    const Lines lines = errors();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3],
              kTag + "呼び出したCLT_SLC_DATA::ClothesSelectStandbyが失敗しました");
}

// The overlay's picture gone as the screen opens ends the game with its line.
TEST_F(ClothesSelectRun, AMissingOverlayPictureAtTheOpeningIsFatal) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    replaceMembers("Img.dat", {{game().pSprite->GetTextureFileName(0), ""}});
    enter(GAME_MODE_CLOTHES_SELECT);
    EXPECT_FALSE(runFrames(1));
    const Lines lines = errors();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(Lines(lines.end() - 3, lines.end()),
              (Lines{kTag + "呼び出したTextureLoadが失敗しました",
                     "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::ClothesSelectProcが失敗しました",
                     "Error: <AppMain> GAMEMAIN::GameMainFuncが失敗しました"}));
    EXPECT_EQ(cards().nInitFlg, 0u);
}

// Each opener works only while its screen is allowed; the card under the pointer is
// not chosen by the click that the screen takes.
TEST_F(ClothesSelectRun, TheOpenersActOnlyWhileAllowed) {
    enum Opener { Right, KeyS, KeyL, KeyC, MenuSave, MenuLoad, MenuSettings };
    const struct {
        Opener opener;
        std::uint32_t GAMEMAIN::*permission;
        std::int32_t standby;
    } cases[] = {
        {Right, &GAMEMAIN::nConfigEnableFlg, 13},       {KeyS, &GAMEMAIN::nSaveEnableFlg, 5},
        {KeyL, &GAMEMAIN::nLoadEnableFlg, 8},           {KeyC, &GAMEMAIN::nConfigEnableFlg, 13},
        {MenuSave, &GAMEMAIN::nSaveEnableFlg, 5},       {MenuLoad, &GAMEMAIN::nLoadEnableFlg, 8},
        {MenuSettings, &GAMEMAIN::nConfigEnableFlg, 13}};
    for (const auto& c : cases) {
        for (const bool allowed : {true, false}) {
            SCOPED_TRACE(testing::Message() << c.opener << (allowed ? " allowed" : " refused"));
            begin();
            game().*c.permission = allowed ? 1 : 0;
            switch (c.opener) {
                case Right:
                    ASSERT_TRUE(release(platform::VK_RBUTTON));
                    break;
                case KeyS:
                case KeyL:
                case KeyC:
                    ASSERT_TRUE(release(c.opener == KeyS ? 'S' : c.opener == KeyL ? 'L' : 'C'));
                    break;
                case MenuSave:
                case MenuLoad:
                case MenuSettings:
                    menu(c.opener == MenuSave   ? autoplay::MenuItem::Save
                         : c.opener == MenuLoad ? autoplay::MenuItem::Load
                                                : autoplay::MenuItem::Settings);
                    ASSERT_TRUE(runFrames(1));
                    break;
            }
            if (allowed) {
                EXPECT_TRUE(reach(c.standby));
            } else {
                ASSERT_TRUE(runFrames(10));
                EXPECT_EQ(step(), 2);
                EXPECT_EQ(std::pair(slots().nInitFlg, game().ConfigData.nInitFlg),
                          std::pair(0u, 0u));
            }
            EXPECT_EQ(errors(), Lines{});
            TearDown();
        }
    }
}

// Of openers acting in one frame the first in the order right button, 'S', 'L', 'C',
// the strip wins; any of them keeps a click on a card from choosing it.
TEST_F(ClothesSelectRun, OfOpenersInOneFrameTheFirstWins) {
    const struct {
        std::vector<int> keys;
        bool menuSave;
        std::int32_t standby;
    } cases[] = {
        {{platform::VK_RBUTTON, 'S'}, false, 13},
        {{'S', 'L'}, false, 5},
        {{'L', 'C'}, false, 8},
        {{'C'}, true, 13},
        {{platform::VK_LBUTTON}, true, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.standby);
        begin();
        pointAt(Centre(1));
        ASSERT_TRUE(runFrames(2));
        for (const int key : c.keys) down(key);
        ASSERT_TRUE(runFrames(1));
        for (const int key : c.keys) up(key);
        if (c.menuSave) menu(autoplay::MenuItem::Save);
        ASSERT_TRUE(runFrames(1));
        EXPECT_TRUE(reach(c.standby));
        EXPECT_EQ(session().mode(), GAME_MODE_CLOTHES_SELECT);
        TearDown();
    }
}

// A slot saved here resumes here ("10 9"); saving after a hover, which turns the
// description's escapes into line breaks, writes the same slot.
TEST_F(ClothesSelectRun, ASlotSavedHereIsTheSameAfterAHover) {
    begin();
    ASSERT_TRUE(saveIn(1));
    pointAt(Centre(1));
    ASSERT_TRUE(runFrames(600));
    ASSERT_EQ(cards().nDescLength, -1);
    ASSERT_TRUE(saveIn(2));
    const std::string before = zktest::ReadFileBytes(slotPath(1));
    const std::string after = zktest::ReadFileBytes(slotPath(2));
    EXPECT_NE(before.find("\n10 9\n"), std::string::npos);
    EXPECT_EQ(before.substr(before.find('\n')), after.substr(after.find('\n')));
    EXPECT_EQ(errors(), Lines{});
}

// A save that cannot be written keeps the older slot and the screen, which says so.
TEST_F(ClothesSelectRun, AFailedSaveKeepsTheScreen) {
    begin();
    ASSERT_TRUE(saveIn(3));
    const std::string before = zktest::ReadFileBytes(slotPath(3));
    fs::create_directory(slotPath(3) + ".tmp");
    ASSERT_TRUE(release('S'));
    ASSERT_TRUE(reach(5));
    ASSERT_TRUE(choose(3));
    ASSERT_TRUE(runFrames(10));
    EXPECT_EQ(step(), 5);
    EXPECT_STREQ(slots().szStatusMsg, SaveStatusText(SAVE_STATUS::SaveNotice, 3).c_str());
    EXPECT_EQ(zktest::ReadFileBytes(slotPath(3)), before);
    const Lines lines = errors();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), kTag + "セーブ処理に失敗しました");
    ASSERT_TRUE(release('S'));
    EXPECT_TRUE(reach(2));
}

// A damaged slot is refused on the load screen: nothing fades, nothing is written,
// and the cards stay as they were.
TEST_F(ClothesSelectRun, ADamagedSlotIsRefused) {
    begin();
    ASSERT_TRUE(saveIn(1));
    const std::string good = zktest::ReadFileBytes(slotPath(1));
    zktest::WriteFileBytes(slotPath(2), good.substr(0, good.size() / 2));
    const auto files = zktest::FolderSnapshot(session().folder() / "sav");
    ASSERT_TRUE(release('L'));
    ASSERT_TRUE(reach(8));
    ASSERT_TRUE(choose(2));
    ASSERT_TRUE(runFrames(10));
    EXPECT_EQ(std::pair(session().mode(), step()),
              std::pair(static_cast<std::int32_t>(GAME_MODE_CLOTHES_SELECT), 8));
    EXPECT_EQ(game().FadeGraphData.nDispFlg, 0u);
    EXPECT_STREQ(slots().szStatusMsg, SaveStatusText(SAVE_STATUS::LoadNotice, 2).c_str());
    EXPECT_EQ(errors().back(), kTag + "ロード処理に失敗しました");
    EXPECT_EQ(zktest::FolderSnapshot(session().folder() / "sav"), files);
    ASSERT_TRUE(release('L'));
    ASSERT_TRUE(reach(2));
    EXPECT_EQ(cards().nSortNo[0], 0);
    EXPECT_EQ(cards().nInitFlg, 1u);
}

// A slot saved on the costume select, loaded from the story, brings back the screen
// with its cards and its music.
TEST_F(ClothesSelectRun, ASlotSavedHereLoadsBackFromTheStory) {
    begin();
    ASSERT_TRUE(backFromTheStory());
    EXPECT_EQ(step(), 11);
    EXPECT_EQ(cards().nInitFlg, 1u);
    EXPECT_EQ(game().ScrFileData.fp, nullptr);
    ASSERT_TRUE(reach(2));
    ASSERT_TRUE(runFrames(1));
    EXPECT_EQ(pixel(CardRim(2)), Cell("ClothesCard_F", u8"衣装2"));
    EXPECT_EQ(pixel(CardRim(4)), Cell("ClothesCard_R", u8"裏4"));
    EXPECT_STREQ(game().szBGMName, "bgm01.mus");
    EXPECT_EQ(game().pSnd->DAGetState(1), 0);
    EXPECT_EQ(errors(), Lines{});
}

// The settings' return to the title fades out over a second and ends the story: the
// music stops, the characters are reset, only the overlay's black stays, also of what
// the story had loaded before a slot brought the screen back.
TEST_F(ClothesSelectRun, TheReturnToTheTitleEndsTheStory) {
    for (const bool viaStory : {false, true}) {
        SCOPED_TRACE(viaStory);
        begin();
        if (viaStory) {
            ASSERT_TRUE(backFromTheStory());
            ASSERT_TRUE(reach(2));
        }
        returnToTheTitle();
        TearDown();
    }
}

}  // namespace
