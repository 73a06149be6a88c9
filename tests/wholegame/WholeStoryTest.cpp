#include <algorithm>
#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "autoplay/InputRunner.h"
#include "autoplay/InputScript.h"
#include "game/GAMEMAIN.h"
#include "game/SystemSaveFile.h"
#include "platform/input/VirtualKeys.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/WholeGameTest.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::Sjis;

// The system save as the game's own reader takes it: the flag words and the list of
// scripts read, each as "name\tposition".
struct SystemSave {
    std::uint32_t cg[8] = {};
    std::uint32_t replay[6] = {};
    std::uint32_t gameClear = 0;
    std::int32_t clothes[14] = {};
    AUTO_SKIP_FILE_DATA list[SystemSaveValues::kListSize] = {};

    Lines entries() const {
        Lines found;
        for (const AUTO_SKIP_FILE_DATA& entry : list) {
            if (entry.szFileName[0] == '\0') break;
            found.push_back(std::string(entry.szFileName) + "\t" + std::to_string(entry.nPosition));
        }
        return found;
    }
};

// The costume words after costumes 1 to 3 were unlocked and the first one played.
constexpr std::int32_t kUnlockedCostumes[14] = {5, 5, 5};
// The scene words after the finale unlocked QUIRA's first scene.
constexpr std::uint32_t kUnlockedScenes[6] = {1};

class WholeStory : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }
    std::string line() { return game().MsgWindowData.MsgData.szScriptText; }
    bool click() { return release(platform::VK_LBUTTON); }
    bool reach(std::int32_t mode, std::int32_t step, int maxFrames) {
        return runUntil([&] { return session().mode() == mode && session().procStep() == step; },
                        maxFrames);
    }
    bool choiceUp() { return game().SelectWindowData.SlcWnd[1].nClickFlg == 1; }
    // From a pointer off the plates, DOWN goes to the first plate and on.
    bool pickByKeys(int plate) {
        session().input().setPointer({400, 500});
        for (int i = 0; i < plate; ++i) {
            if (!release(platform::VK_DOWN)) return false;
        }
        if (!release(platform::VK_RETURN)) return false;
        session().input().setPointer({400, 200});
        return true;
    }
    // Clicks the story on, taking the plates in turn at its choices, until it leaves
    // the adventure; notes every line shown on the way.
    bool playUntilLeaving(std::deque<int> plates) {
        session().input().setPointer({400, 200});
        for (int i = 0; i < 600 && session().mode() == GAME_MODE_ADV; ++i) {
            // The frame that leaves is the last: the next mode may not be built yet.
            for (int n = 0; n < 4 && session().mode() == GAME_MODE_ADV; ++n) {
                if (!runFrames(1)) return false;
            }
            if (session().mode() != GAME_MODE_ADV) break;
            note();
            if (choiceUp()) {
                if (plates.empty() || !pickByKeys(plates.front())) return false;
                plates.pop_front();
            } else if (!click()) {
                return false;
            }
            note();
        }
        return plates.empty() && session().mode() != GAME_MODE_ADV;
    }
    void note() {
        if (!line().empty() && (seen.empty() || seen.back() != line())) seen.push_back(line());
    }
    Lines errors() const {
        Lines found;
        for (const std::string& text : logTexts()) {
            if (text.starts_with("Error")) found.push_back(text);
        }
        return found;
    }
    // Ends the game as the program's exit does and reads the system save it left.
    SystemSave releasedSave() {
        session().release();
        SystemSave save;
        const SystemSaveValues values{save.cg, save.replay, save.gameClear, save.clothes,
                                      save.list};
        const SystemSaveDamage damage = ReadSystemSave(
            zktest::ReadFileBytes((session().folder() / "sav/sav00.sav").string()), values);
        EXPECT_EQ(damage.count, 0);
        return save;
    }

    Lines seen;
};

// From the title's new-game item the prologue's second plate, costume 1 and the third
// plate of its scenario lead through the finale to the staff roll; the scripts read to
// their ends and the unlocked costumes and scene stay in the system save.
TEST_F(WholeStory, TheSecondPlateAndTheFirstCostumeReachTheStaffRoll) {
    ASSERT_TRUE(start());
    ASSERT_TRUE(reach(GAME_MODE_DEMO, 1, 400));
    ASSERT_TRUE(click());
    ASSERT_TRUE(reach(GAME_MODE_TITLE, 2, 400));
    ASSERT_TRUE(click());
    ASSERT_TRUE(reach(GAME_MODE_TITLE, 10, 10));
    session().input().setPointer({400, 340});
    ASSERT_TRUE(runFrames(1));
    ASSERT_TRUE(click());
    ASSERT_TRUE(reach(GAME_MODE_ADV, 3, 200));
    ASSERT_TRUE(playUntilLeaving({2}));
    ASSERT_EQ(session().mode(), GAME_MODE_CLOTHES_SELECT);
    EXPECT_NE(
        std::find(seen.begin(), seen.end(), Sjis(u8"いい目をしてる。その青は舞台でよく映えるわ。")),
        seen.end());

    ASSERT_TRUE(reach(GAME_MODE_CLOTHES_SELECT, 2, 200));
    session().input().setPointer({348, 165});
    ASSERT_TRUE(runFrames(2));
    ASSERT_TRUE(click());
    ASSERT_TRUE(reach(GAME_MODE_ADV, 3, 200));
    EXPECT_STREQ(game().ScrFileData.szFileName, "cos01.spt");
    seen.clear();
    ASSERT_TRUE(playUntilLeaving({3}));
    EXPECT_EQ(session().mode(), GAME_MODE_STAFFROLL);
    const Lines picked = {Sjis(u8"ありがとう。自信が出てきたわ。"),
                          Sjis(u8"あなたが選んだ青い糸、ちゃんと使ったのよ。")};
    const auto at = std::search(seen.begin(), seen.end(), picked.begin(), picked.end());
    EXPECT_NE(at, seen.end()) << "the third plate's line, then the blue thread's";
    EXPECT_EQ(seen.back(), Sjis(u8"表では拍手が続いている。 \n月祭りの劇は、無事に幕を下ろした。"));
    EXPECT_EQ(errors(), Lines{});

    const SystemSave save = releasedSave();
    EXPECT_EQ(save.cg[0], 1u);
    EXPECT_TRUE(std::all_of(save.cg + 1, save.cg + 8, [](std::uint32_t w) { return w == 0; }));
    EXPECT_EQ(save.gameClear, 1u);
    EXPECT_TRUE(std::equal(save.clothes, save.clothes + 14, kUnlockedCostumes));
    EXPECT_TRUE(std::equal(save.replay, save.replay + 6, kUnlockedScenes));
    EXPECT_EQ(save.entries(), (Lines{"prologue.spt\t-1", "cos01.spt\t-1", "finale.spt\t-1"}));
}

// The demo's playthrough plays to its end, through the staff roll and back into the
// extras menu; through the rehearsal the prologue is left by a file change that does
// not record it.
TEST_F(WholeStory, ThePlaythroughRunsThroughTheStaffRoll) {
    std::string error;
    const std::optional<autoplay::InputScript> script = autoplay::InputScript::Parse(
        zktest::ReadFileBytes(zktest::DemoData::SourceDir() + "/playthrough.txt"), error);
    ASSERT_TRUE(script) << error;
    autoplay::RunSettings settings;
    settings.frames = script->frames.value_or(600);
    settings.outDir = (session().folder() / "shots").string();
    const autoplay::RunOutcome outcome = autoplay::InputRunner::Run(session(), *script, settings);
    ASSERT_EQ(outcome.exitCode, autoplay::RunOutcome::kDone) << outcome.reason;
    EXPECT_EQ(std::pair(session().mode(), session().procStep()),
              std::pair(static_cast<std::int32_t>(GAME_MODE_SPECIAL), 2));

    const SystemSave save = releasedSave();
    EXPECT_EQ(save.cg[0], 1u);
    EXPECT_EQ(save.cg[5], 2u);
    EXPECT_EQ(save.gameClear, 1u);
    EXPECT_TRUE(std::equal(save.clothes, save.clothes + 14, kUnlockedCostumes));
    EXPECT_TRUE(std::equal(save.replay, save.replay + 6, kUnlockedScenes));
    EXPECT_EQ(save.entries(), (Lines{"rehearsal.spt\t-1", "cos01.spt\t-1", "finale.spt\t-1"}));
}

}  // namespace
