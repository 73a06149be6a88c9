#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/input/VirtualKeys.h"
#include "script/ScrCmdWords.h"
#include "support/Bytes.h"
#include "support/ScriptBench.h"

namespace {

using zktest::ScriptBench;

// The choice window is up and waits for a pick.
bool ChoiceWaits(GAMEMAIN& game) {
    for (const SCR_CMD_DATA& slot : game.ScrFileData.Cmd) {
        if (std::string(slot.szCommand) == "#SelectWait") {
            return game.ScrFileData.nSelectPhase == 0 && game.SelectWindowData.nSelect == -1;
        }
    }
    return false;
}

// Runs the open script until requested() holds, picking the plates in turn at each
// choice; false when the script ended, failed or ran too long first, or a choice came
// with no plate left to pick.
bool PlayUntil(ScriptBench& b, const std::vector<int>& plates,
               const std::function<bool()>& requested) {
    for (const int plate : plates) {
        if (!b.runUntil([&] { return requested() || ChoiceWaits(b.game()) || b.lastResult == -1; },
                        6000)) {
            return false;
        }
        if (requested() || b.lastResult == -1) break;
        b.pickChoice(plate);
    }
    return b.runUntil([&] { return requested() || ChoiceWaits(b.game()) || b.lastResult == -1; },
                      6000) &&
           requested();
}

std::vector<std::string> ErrorsAndWarnings(const std::vector<std::string>& lines) {
    std::vector<std::string> found;
    for (const std::string& line : lines) {
        if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
    }
    return found;
}

// No line written to be skipped reached the backlog.
void ExpectNoSkippedLine(GAMEMAIN& game) {
    const std::string skipped = zktest::Sjis(u8"この行");
    for (const MSG_DATA& entry : game.MsgWindowData.BackLog) {
        EXPECT_EQ(std::string(entry.szScriptText).find(skipped), std::string::npos)
            << entry.szScriptText;
    }
}

// The path through the story: the plates picked in the prologue and the scenes it
// enters, and in the first costume's scenario.
struct StoryPath {
    std::vector<int> prologuePlates;
    int costumePlate;
    std::int32_t random;
};

// The demo's story at script level with Ctrl held, as a player would skip through it:
// the prologue to the costume select, then the first costume's scenario and the
// finale to the end of the story, with no error or warning on the way, and no
// #KeyWait under an empty message window, which would look like a hang.
void PlayStory(ScriptBench& b, const StoryPath& path) {
    GAMEMAIN& game = b.game();
    SCR_FILE_DATA& scr = game.ScrFileData;
    const auto emptyWaits = std::make_shared<int>(0);
    game.SetScrObserver([&b, emptyWaits](const char* szWord) {
        ++b.dispatched[szWord];
        const bool wait = std::strcmp(szWord, "#KeyWait") == 0;
        if (wait && b.game().MsgWindowData.MsgData.szText[0] == '\0') ++*emptyWaits;
    });
    b.hold(platform::VK_CONTROL, true);
    game.SetScrRandomSource([&path] { return path.random; });

    ASSERT_TRUE(b.open("prologue.spt"));
    ASSERT_TRUE(PlayUntil(b, path.prologuePlates, [&] { return scr.nGoToClothesFlg != 0; }));
    EXPECT_EQ(scr.nEndScriptFlg, 0u);
    for (std::int32_t i = 0; i < game.nCharNum; ++i) {
        EXPECT_EQ(game.pCharData[i].nDispFlg, 0) << game.pCharData[i].szID;
    }
    ExpectNoSkippedLine(game);

    // The costume select would open the picked costume's scenario here.
    ASSERT_TRUE(b.open("cos01.spt"));
    ASSERT_TRUE(PlayUntil(b, {path.costumePlate}, [&] { return scr.nEndScriptFlg != 0; }));
    EXPECT_STREQ(scr.szFileName, "finale.spt");
    ExpectNoSkippedLine(game);
    EXPECT_EQ(ErrorsAndWarnings(b.lines()), std::vector<std::string>{});
    EXPECT_EQ(*emptyWaits, 0);
}

TEST(StoryScript, TheDemoRunsFromThePrologueThroughTheFinale) {
    const StoryPath paths[] = {{{1}, 1, 0}, {{2}, 3, 1}};
    for (const StoryPath& path : paths) {
        SCOPED_TRACE(path.prologuePlates[0]);
        ScriptBench b(ScriptBench::Data::Demo);
        PlayStory(b, path);
    }
}

// The story's main path enters the rehearsal from the prologue's third plate: along
// it every word a script can write runs, and the rehearsal leaves the scene clean.
TEST(StoryScript, TheMainPathRunsEveryWordAScriptCanWrite) {
    ScriptBench b(ScriptBench::Data::Demo);
    PlayStory(b, {{3, 1}, 3, 0});
    for (const char* word : ScrCmdWords) {
        if (std::strcmp(word, "#SelectWait") != 0) {
            EXPECT_GT(b.count(word), 0) << word;
        }
    }

    GAMEMAIN& game = b.game();
    std::int32_t help = -1;
    ASSERT_EQ(game.IDSerch("HELP", 3, &help), 1u);
    EXPECT_EQ(game.pVarData[help].nValue, 3);
    const ZKCHAR& ombrea = b.character("OMBREA");
    EXPECT_EQ(ombrea.nLoveValue, 5);
    EXPECT_EQ(ombrea.dwEventFlg & 1u, 1u);
    EXPECT_EQ(b.character("YSMA").nLoveValue, 3);
    // OMBREA's gallery starts at word 5: her item 2 is its bit 1. QUIRA's item 1 is
    // bit 0 of word 0.
    EXPECT_EQ(game.dwCGFlg[5], 1u << 1);
    EXPECT_EQ(game.dwCGFlg[0], 1u << 0);
    EXPECT_EQ(game.nGameClearFlg, 1u);
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(game.nClothesFlg[n] & 1, 1);
        EXPECT_EQ(game.ClothesSelectData.ClothesData[n].dwFlag & 1u, 1u);
        EXPECT_EQ(game.ClothesSelectData.nSortNo[n], n);
    }
    EXPECT_EQ(std::pair(game.ClippingData.nClipNum, game.ClippingData.prcClip.get()),
              std::pair(0, static_cast<platform::Rect*>(nullptr)));
    EXPECT_EQ(std::tuple(game.nMosaicDispFlg, game.nMosaicCellNum, game.prcMosaic.get()),
              std::tuple(0u, 0u, static_cast<platform::Rect*>(nullptr)));
    for (const GRAPHIC_DATA_EX* layer : {&game.PRIM1, &game.PRIM2}) {
        EXPECT_EQ(std::tuple(layer->nDispFlg, layer->nIndex, layer->nAnimNum),
                  std::tuple(0u, -1, 0u));
    }
    EXPECT_EQ(std::tuple(game.nSaveEnableFlg, game.nLoadEnableFlg, game.nConfigEnableFlg),
              std::tuple(1u, 1u, 1u));
}

}  // namespace
