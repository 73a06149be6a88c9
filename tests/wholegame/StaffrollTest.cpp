#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "game/GAMEMAIN.h"
#include "game/SystemSaveFile.h"
#include "graphics/ZKSPRITE.h"
#include "platform/input/VirtualKeys.h"
#include "sound/ZKSND.h"
#include "support/Bytes.h"
#include "support/SoundEventLog.h"
#include "support/WholeGameTest.h"

namespace {

using Lines = std::vector<std::string>;
using platform::AudioBus;

constexpr const char* kCreditsMusic = "tmp/bgm18.mus";
constexpr const char* kEndMusic = "tmp/bgm15.mus";
constexpr const char* kModeFailed =
    "Error: <GAMEMAIN::GameMainFunc> GAMEMAIN::StaffroomMainProcが失敗しました";
constexpr const char* kGameFailed = "Error: <AppMain> GAMEMAIN::GameMainFuncが失敗しました";
constexpr std::uint32_t kEndingWord = 0x5;

// The staff roll entered right after boot; every time is counted from the frame of
// its step 0, as the roll counts it.
class Staffroll : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }
    std::int32_t mode() { return session().mode(); }
    std::int32_t step() { return session().procStep(); }
    STAFFROLL_DATA& roll() { return game().StaffrollData; }
    std::uint32_t elapsed() { return game().dwNowTime - started; }

    void begin() {
        ASSERT_TRUE(start());
        ASSERT_TRUE(runFrames(1));
        game().nGameClearFlg = kEndingWord;
        enter(GAME_MODE_STAFFROLL);
        ASSERT_TRUE(runFrames(1));
        started = game().dwNowTime;
        ASSERT_EQ(step(), 1);
    }
    bool reach(std::int32_t nStep, int nFrames = 400) {
        return runUntil([&] { return step() == nStep; }, nFrames);
    }
    bool press(int key) {
        down(key);
        return runFrames(1);
    }
    bool release(int key) {
        up(key);
        return runFrames(1);
    }
    // Advances so that the next frame runs at elapsed ms.
    // The game samples each frame's time a frame late: the second frame from now
    // runs at ms of the roll.
    void advanceTo(std::uint32_t ms) { advance(ms - elapsed() - 32); }
    Lines errors() {
        Lines found;
        for (const std::string& line : logTexts()) {
            if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
        }
        return found;
    }

    void EndsByItself(bool bJump);

    std::uint32_t started = 0;
};

// Input in the first second is not read; a press there released in step 2 ends the
// credits. The music stops in that frame, the roll keeps moving under a two-second
// fade, the end picture fades in over four with its looping music, and a click leaves
// for the logo a second later with only the black left and the system save written.
TEST_F(Staffroll, AClickPassesTheCreditsThenTheEndPicture) {
    begin();
    zktest::SoundEventLog sounds;
    ASSERT_TRUE(press(platform::VK_LBUTTON));
    ASSERT_TRUE(release(platform::VK_LBUTTON));
    ASSERT_TRUE(press(platform::VK_RETURN));
    ASSERT_TRUE(release(platform::VK_RETURN));
    EXPECT_EQ(step(), 1);
    ASSERT_TRUE(press(platform::VK_LBUTTON));
    ASSERT_TRUE(reach(2, 100));
    EXPECT_GE(elapsed(), 1000u);
    EXPECT_EQ(game().pSnd->DAGetState(1), 0) << "the credits' music plays";
    ASSERT_TRUE(release(platform::VK_LBUTTON));
    ASSERT_EQ(step(), 3);
    EXPECT_LT(game().pSnd->DAGetState(1), 0) << "stopped and unloaded in that frame";
    EXPECT_EQ(sounds.stops(AudioBus::Music), 1);
    const std::uint32_t skipped = game().dwNowTime;
    const std::int32_t bg1 = roll().nBG1X;
    ASSERT_TRUE(runFrames(60));
    EXPECT_EQ(step(), 3);
    EXPECT_GT(roll().nBG1X, bg1) << "the backgrounds move under the fade";
    ASSERT_TRUE(reach(4, 100));
    EXPECT_GE(game().dwNowTime - skipped, 2000u);
    ASSERT_TRUE(reach(6, 5));
    EXPECT_EQ(sounds.plays(kEndMusic, AudioBus::Music), 1);
    EXPECT_EQ(roll().nInitFlg, 0u);
    const std::uint32_t shown = game().dwNowTime;
    ASSERT_TRUE(reach(7, 400));
    EXPECT_GE(game().dwNowTime - shown, 4000u);
    ASSERT_TRUE(runFrames(100));
    EXPECT_EQ(step(), 7) << "the end picture waits";
    EXPECT_EQ(game().pSnd->DAGetState(1), 0) << "its music goes on";

    ASSERT_TRUE(press(platform::VK_LBUTTON));
    ASSERT_EQ(step(), 8);
    const std::uint32_t clicked = game().dwNowTime;
    ASSERT_TRUE(runUntil([&] { return mode() != GAME_MODE_STAFFROLL; }, 100));
    EXPECT_GE(game().dwNowTime - clicked, 1000u);
    EXPECT_EQ(std::tuple(mode(), session().previousMode(), step()),
              std::tuple(static_cast<std::int32_t>(GAME_MODE_LOGO),
                         static_cast<std::int32_t>(GAME_MODE_STAFFROLL), 0));
    EXPECT_NE(game().pSprite->GetTexture(0), nullptr);
    for (int i = 1; i < game().pSprite->GetTextureCount(); ++i)
        EXPECT_EQ(game().pSprite->GetTexture(i), nullptr) << "texture " << i;
    for (int i = 0; i < game().pSprite->GetSurfaceCount(); ++i)
        EXPECT_EQ(game().pSprite->GetSurface(i), nullptr) << "surface " << i;
    EXPECT_LT(game().pSnd->DAGetState(1), 0) << "no music";
    std::uint32_t cg[8] = {}, replay[6] = {}, clear = 0;
    std::int32_t clothes[14] = {};
    static AUTO_SKIP_FILE_DATA list[SystemSaveValues::kListSize];
    const SystemSaveDamage damage =
        ReadSystemSave(zktest::ReadFileBytes((session().folder() / "sav/sav00.sav").string()),
                       SystemSaveValues{cg, replay, clear, clothes, list});
    EXPECT_EQ(damage.count, 0);
    EXPECT_EQ(clear, kEndingWord);
    EXPECT_EQ(errors(), Lines{});
}

// Return and Ctrl pass the credits as a click does; the credits' music plays once,
// the end picture's loops.
TEST_F(Staffroll, ReturnOrCtrlPassTheCredits) {
    for (const int key : {platform::VK_RETURN, platform::VK_CONTROL}) {
        SCOPED_TRACE(key);
        zktest::SoundEventLog sounds;
        begin();
        ASSERT_TRUE(reach(2, 100));
        ASSERT_TRUE(runFrames(10));
        ASSERT_EQ(step(), 2);
        ASSERT_TRUE(press(key));
        EXPECT_EQ(step(), 3);
        ASSERT_TRUE(release(key));
        ASSERT_TRUE(reach(7, 500));
        int creditsRepeats = -2, endRepeats = -2;
        for (const auto& e : sounds.events()) {
            if (e.kind != platform::SoundEvent::Kind::Play) continue;
            if (e.path == kCreditsMusic) creditsRepeats = e.repeats;
            if (e.path == kEndMusic) endRepeats = e.repeats;
        }
        EXPECT_EQ(creditsRepeats, 0);
        EXPECT_NE(endRepeats, 0);
        EXPECT_NE(endRepeats, -2);
        restartInSameFolder();
    }
}

// Ctrl held from the start passes the credits in step 2's first frame and the end
// picture in step 7's; nothing the menu or the right button asks is done.
TEST_F(Staffroll, CtrlHeldPassesEachWaitInItsFirstFrame) {
    begin();
    down(platform::VK_CONTROL);
    std::vector<std::int32_t> steps;
    while (mode() == GAME_MODE_STAFFROLL) {
        if (steps.size() % 3 == 0) {
            menu(autoplay::MenuItem::Settings);
            down(platform::VK_RBUTTON);
            down('C');
        }
        if (steps.size() % 3 == 1) menu(autoplay::MenuItem::Save);
        if (steps.size() % 3 == 2) {
            menu(autoplay::MenuItem::Load);
            up(platform::VK_RBUTTON);
            up('C');
        }
        steps.push_back(step());
        ASSERT_TRUE(runFrames(1));
        ASSERT_LT(steps.size(), 1000u);
        EXPECT_EQ(game().nConfigEnableFlg + game().nSaveEnableFlg + game().nLoadEnableFlg, 0u);
    }
    const auto last = [&](std::int32_t s) { return std::count(steps.begin(), steps.end(), s); };
    EXPECT_EQ(last(2), 1);
    EXPECT_EQ(last(7), 1);
    EXPECT_EQ(last(4), 1);
    EXPECT_EQ(last(5), 1);
    EXPECT_EQ(mode(), GAME_MODE_LOGO);
    EXPECT_EQ(errors(), Lines{});
}

// Without input the roll ends in the first frame at or after 135500 ms; with the
// clock jumping over the logo's hold it ends all the same.
void Staffroll::EndsByItself(bool bJump) {
    begin();
    ASSERT_TRUE(reach(2, 100));
    advanceTo(bJump ? 134000 : 135000);
    ASSERT_TRUE(runFrames(2));
    EXPECT_EQ(elapsed(), bJump ? 134000u : 135000u);
    EXPECT_EQ(roll().nPhase, 1);
    if (bJump) advanceTo(141000);
    ASSERT_TRUE(runUntil([&] { return step() == 3; }, 100));
    EXPECT_GE(elapsed(), 135500u);
    EXPECT_LT(elapsed(), bJump ? 141017u : 135516u);
    EXPECT_EQ(errors(), Lines{});
}

TEST_F(Staffroll, TheRollEndsByItselfAfterTheLogo) { EndsByItself(false); }

TEST_F(Staffroll, TheRollEndsWhenTheClockJumpsOverTheLogosHold) { EndsByItself(true); }

// A missing logo texture: left alone, the frame at 130000 ms ends the game; passed
// before, the failing load is logged in each fade frame and the end picture follows.
TEST_F(Staffroll, AMissingLogoEndsTheCreditsOnlyWhileTheyRun) {
    replaceMembers("Img.dat", {{"Staffroll_Material_Tex.gpc", ""}});
    begin();
    ASSERT_TRUE(reach(2, 100));
    advanceTo(130000);
    ASSERT_TRUE(runFrames(1));
    EXPECT_FALSE(runFrames(1));
    EXPECT_EQ(elapsed(), 130000u);
    const Lines lines = errors();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(Lines(lines.end() - 4, lines.end()),
              (Lines{"Error: <STAFFROLL_DATA::StaffroolStandby> 画像のロードに失敗しました",
                     "Error: <GAMEMAIN::StaffrollMainProc> "
                     "呼び出したSTAFFROLL_DATA::StaffroolStandbyが失敗しました",
                     kModeFailed, kGameFailed}));
}

TEST_F(Staffroll, AMissingLogoAfterASkipIsOnlyLogged) {
    replaceMembers("Img.dat", {{"Staffroll_Material_Tex.gpc", ""}});
    begin();
    ASSERT_TRUE(reach(2, 100));
    advanceTo(129000);
    ASSERT_TRUE(runFrames(1));
    ASSERT_TRUE(press(platform::VK_LBUTTON));
    EXPECT_EQ(elapsed(), 129000u);
    ASSERT_EQ(step(), 3);
    ASSERT_TRUE(reach(7, 500));
    int failures = 0;
    for (const std::string& line : errors())
        failures += line == "Error: <STAFFROLL_DATA::StaffroolStandby> 画像のロードに失敗しました";
    EXPECT_GE(failures, 50);
}

// Without the credits picture step 0 ends the game with the roll's lines.
TEST_F(Staffroll, AMissingCreditsPictureEndsTheGameAtTheStart) {
    replaceMembers("Img.dat", {{"Staffroll_Credit.gpc", ""}});
    ASSERT_TRUE(start());
    ASSERT_TRUE(runFrames(1));
    enter(GAME_MODE_STAFFROLL);
    EXPECT_FALSE(runFrames(1));
    const Lines lines = errors();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(
        Lines(lines.end() - 4, lines.end()),
        (Lines{"Error: <STAFFROLL_DATA::Initialize> 画像のロードに失敗しました",
               "Error: <GAMEMAIN::StaffrollMainProc> スタッフロールクラスの初期化に失敗しました",
               kModeFailed, kGameFailed}));
}

// A system save that cannot be written is told by its writer, and the game starts
// again at the logo all the same.
TEST_F(Staffroll, AFailingSystemSaveStillLeavesForTheLogo) {
    begin();
    down(platform::VK_CONTROL);
    ASSERT_TRUE(reach(8, 1000));
    const std::filesystem::path sav = session().folder() / "sav";
    std::filesystem::remove(sav / "sav00.sav");
    std::filesystem::create_directory(sav / "sav00.sav.tmp");
    ASSERT_TRUE(runUntil([&] { return mode() != GAME_MODE_STAFFROLL; }, 100));
    EXPECT_EQ(std::pair(mode(), step()), (std::pair<std::int32_t, std::int32_t>(1, 0)));
    EXPECT_NE(errors(), Lines{});
    EXPECT_FALSE(std::filesystem::exists(sav / "sav00.sav"));
    ASSERT_TRUE(runFrames(5));
}

}  // namespace
