#include <gtest/gtest.h>

#include <vector>

#include "game/ModeHost.h"
#include "support/ScriptKit.h"

namespace {

// A mode record of the test's own: it notes the context of each host it is handed
// and gives back the results it is told to.
struct TEST_MODE_DATA {
    std::int32_t nProcResult = 0;
    std::uint32_t nDrawResult = 1;
    std::vector<const GameContext*> procContexts;
    std::vector<const GameContext*> drawContexts;

    std::int32_t Proc(ModeHost& host) {
        procContexts.push_back(&host.Context());
        return nProcResult;
    }
    std::uint32_t DrawProc(ModeHost& host) {
        drawContexts.push_back(&host.Context());
        return nDrawResult;
    }
};

// The record's steps and draw run with a host over the game that forwards them, and
// their results reach the dispatch unchanged: -1 is the mode's failure there, which
// logs the mode's own text.
TEST(ModeForwarding, TheRecordRunsWithTheGamesHostAndItsResultsComeBack) {
    zktest::ScriptKit k;
    GAMEMAIN& game = *k.game;
    TEST_MODE_DATA record;
    for (const std::int32_t result : {0, 1, 2, -1}) {
        record.nProcResult = result;
        EXPECT_EQ(game.ForwardProc(record), result);
    }
    for (const std::uint32_t result : {1u, 0u}) {
        record.nDrawResult = result;
        EXPECT_EQ(game.ForwardDrawProc(record), result);
    }
    EXPECT_EQ(record.procContexts, std::vector<const GameContext*>(4, &game.Context));
    EXPECT_EQ(record.drawContexts, std::vector<const GameContext*>(2, &game.Context));
    EXPECT_EQ(game.Context.pSprite, &k.sprites.sprite);
    EXPECT_EQ(k.lines(), std::vector<std::string>{});
}

// A record's failure is its mode's failure: the dispatch gives it the text of the
// mode's procedure, for each of the modes their records run.
TEST(ModeForwarding, ARecordsFailureGivesItsModesText) {
    zktest::ScriptKit k;
    GAMEMAIN& game = *k.game;
    TEST_MODE_DATA record;
    const struct {
        std::int32_t mode;
        const char* proc;
    } modes[] = {{GAME_MODE_TITLE, "TitleProc"},
                 {GAME_MODE_SPECIAL, "SpecialProc"},
                 {GAME_MODE_CG, "CGModeProc"},
                 {GAME_MODE_BGM, "BGMModeMainProc"},
                 {GAME_MODE_CLOTHES_SELECT, "ClothesSelectProc"},
                 {GAME_MODE_DRESS_ROOM, "DressRoomMainProc"},
                 {GAME_MODE_STAFFROLL, "StaffroomMainProc"}};
    for (const auto& m : modes) {
        game.ChangeMode(m.mode);
        for (const std::int32_t result : {0, 1, 2}) {
            record.nProcResult = result;
            EXPECT_EQ(game.ModeResult(game.ForwardProc(record)), 1u) << m.proc << " " << result;
        }
        EXPECT_EQ(k.lines(), std::vector<std::string>{}) << m.proc;
        record.nProcResult = -1;
        EXPECT_EQ(game.ModeResult(game.ForwardProc(record)), 0u) << m.proc;
        EXPECT_EQ(k.lines(), std::vector<std::string>{"Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::" +
                                                      std::string(m.proc) + "が失敗しました"});
        k.clearLog();
    }
}

}  // namespace
