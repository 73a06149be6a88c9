#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/GAMEMAIN.h"
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

// A record of the test's own that runs a logo's steps through the host alone: the
// overlay fades out, holds, fades in, and the mode moves on to the title.
struct FADING_MODE_DATA {
    static constexpr std::uint32_t kFadeTime = 100;
    static constexpr std::uint32_t kHoldTime = 50;

    std::int32_t Proc(ModeHost& host) {
        GRAPHIC_DATA& fade = host.FadeGraph();
        switch (host.GetProcStep()) {
            case 0:
                if (host.FadeOutTexFunc(&fade.dwTime, &fade.fAlpha, 0.0f, kFadeTime) == 0) {
                    host.StartStep(1);
                }
                break;
            case 1:
                if (host.StepTime() > kHoldTime) host.SetProcStep(2);
                break;
            default:
                if (host.FadeInTexFunc(&fade.dwTime, &fade.fAlpha, 1.0f, kFadeTime) == 0)
                    host.ChangeMode(GAME_MODE_TITLE);
                break;
        }
        return 1;
    }
};

// The host's words are the game's own: the record's steps, start time and fades move
// the game's step word and overlay, on the frame time the game sampled.
TEST(ModeForwarding, ARecordsStepsAndFadesMoveTheGamesOwnWords) {
    zktest::ScriptKit k;
    GAMEMAIN& game = *k.game;
    game.ChangeMode(GAME_MODE_SPECIAL);
    game.FadeGraphData.fAlpha = 1.0f;
    game.FadeGraphData.dwTime = 0;
    FADING_MODE_DATA record;
    std::vector<std::int32_t> steps;
    std::vector<float> alphas;
    std::uint32_t holdStart = 0;
    for (int frame = 1; frame <= 40 && game.nMode == GAME_MODE_SPECIAL; ++frame) {
        game.dwNowTime = 1000 + 16 * static_cast<std::uint32_t>(frame);
        const std::int32_t before = game.nProcStep;
        ASSERT_EQ(game.ForwardProc(record), 1);
        if (before == 0 && game.nProcStep == 1) holdStart = game.dwNowTime;
        steps.push_back(game.nProcStep);
        alphas.push_back(game.FadeGraphData.fAlpha);
    }
    ASSERT_EQ(game.nMode, GAME_MODE_TITLE);
    EXPECT_EQ(game.nOldMode, GAME_MODE_SPECIAL);
    EXPECT_EQ(game.nProcStep, 0);
    EXPECT_EQ(alphas.back(), 1.0f);

    // Each step follows the last in order, the hold lasts just over its time on the
    // sampled clock, and the overlay goes down to 0 and back up.
    EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end() - 1));
    const auto firstHold = std::find(steps.begin(), steps.end(), 1) - steps.begin();
    const auto firstFadeIn = std::find(steps.begin(), steps.end(), 2) - steps.begin();
    ASSERT_GT(firstHold, 0);
    EXPECT_EQ(alphas[firstHold], 0.0f);
    EXPECT_TRUE(std::is_sorted(alphas.rbegin() + (alphas.size() - firstHold), alphas.rend()));
    EXPECT_EQ(16 * (firstFadeIn - firstHold), 64);
    EXPECT_EQ(holdStart, 1000 + 16 * static_cast<std::uint32_t>(firstHold + 1));
    EXPECT_EQ(k.lines(), std::vector<std::string>{});
}

}  // namespace
