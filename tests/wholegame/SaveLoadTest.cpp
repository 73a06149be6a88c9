#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "autoplay/InputRunner.h"
#include "autoplay/InputScript.h"
#include "game/GAMEMAIN.h"
#include "platform/input/VirtualKeys.h"
#include "shell/EnvData.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/WholeGameTest.h"

namespace {

// The prologue's lines the runs below stop at.
constexpr std::u8string_view kThirdLine =
    u8"作業台の上には、色とりどりの布が山のように積まれている。";
constexpr std::u8string_view kBranch2Line = u8"いい目をしてる。その青は舞台でよく映えるわ。";

// From a new game to the prologue's third line shown whole.
const std::string kToThirdLine =
    "at 0 enter 9\n"
    "wait mode 9 step 3 within 120\n"
    "at +75 click 400 200\nat +85 click 400 200\nat +148 click 400 200\n"
    "at +158 click 400 200\nat +166 click 400 200\n";

// The screen open in its standby (the panel at 200, 5): row nSlot clicked, then yes,
// each at +1 and +4 of that leg.
std::string ChooseRow(int nSlot) {
    return "at +1 click 399 " + std::to_string(5 + 41 + 24 * (nSlot - 1) + 12) +
           "\nat +4 click 299 574\n";
}

// A save into nSlot from the main loop, the screen closed again afterwards.
std::string SaveIn(int nSlot, int at) {
    return "at +" + std::to_string(at) + " press S\nwait mode 9 step 5 within 120\n" +
           ChooseRow(nSlot) + "at +10 press S\nwait mode 9 step 3 within 120\n";
}

// A load of nSlot from the main loop, up to the story running again.
std::string LoadFrom(int nSlot, int at) {
    return "at +" + std::to_string(at) + " menu load\nwait mode 9 step 8 within 120\n" +
           ChooseRow(nSlot) + "wait mode 9 step 3 within 200\n";
}

class SaveLoad : public zktest::WholeGameTest {
protected:
    GAMEMAIN& game() { return session().game(); }

    // Plays an input script into this test's game; the exit code autoplay would give.
    int play(const std::string& input, std::function<void()> afterStep = {}) {
        std::string error;
        const std::optional<autoplay::InputScript> script =
            autoplay::InputScript::Parse(input, error);
        EXPECT_TRUE(script) << error;
        if (!script) return -1;
        autoplay::RunSettings settings;
        settings.frames = script->frames.value_or(1500);
        settings.outDir = (session().folder() / "shots").string();
        settings.afterStep = std::move(afterStep);
        const autoplay::RunOutcome outcome =
            autoplay::InputRunner::Run(session(), *script, settings);
        EXPECT_EQ(outcome.exitCode, 0) << outcome.reason;
        return outcome.exitCode;
    }
    std::string shownText() { return game().MsgWindowData.MsgData.szScriptText; }
    // The script line and its number the story stands at.
    std::pair<std::string, std::int32_t> position() {
        return {shownText(), game().ScrFileData.nLine};
    }
};

// The demo's input: the story stands after the load where it stood at the save.
TEST_F(SaveLoad, TheDemoInputRestoresTheSavedLine) {
    std::pair<std::string, std::int32_t> saved;
    std::pair<std::string, std::int32_t> loaded;
    bool faded = false;
    const std::string input =
        zktest::ReadFileBytes(zktest::DemoData::SourceDir() + "/saveload.txt");
    ASSERT_EQ(play(input,
                   [&] {
                       const std::int32_t step = session().procStep();
                       if (step == 5 && saved.second == 0) saved = position();
                       if (step == 10) faded = true;
                       if (faded && step == 3 && loaded.second == 0) loaded = position();
                   }),
              0);
    EXPECT_EQ(saved.first, zktest::Sjis(kThirdLine));
    EXPECT_GT(saved.second, 0);
    EXPECT_EQ(loaded, saved);
}

// A slot saved at the choice in one game session loads in the next, whose choice the
// keys then take: the second plate's branch follows.
TEST_F(SaveLoad, AChoiceSavedInOneSessionIsTakenByKeysInTheNext) {
    ASSERT_EQ(play(kToThirdLine +
                   "at +190 click 400 200\nat +198 click 400 200\n"
                   "at +208 click 400 200\n" +
                   SaveIn(1, 240) + "at +1 end\n"),
              0);
    ASSERT_EQ(game().SelectWindowData.nInitFlg, 1u) << "saved while the choice waits";
    restartInSameFolder();
    ASSERT_EQ(play("at 0 enter 9\nwait mode 9 step 3 within 120\n" + LoadFrom(1, 90) +
                   "at +1 move 400 500\nat +3 press DOWN\nat +7 press DOWN\n"
                   "at +11 press RETURN\nat +120 end\n"),
              0);
    EXPECT_EQ(shownText(), zktest::Sjis(kBranch2Line));
}

// A loaded story saved again writes the same file but for its header line. The load
// screen is opened once before the first save: the file keeps the colour key of every
// picture slot, loaded or not, and the screen's own material leaves its key behind.
TEST_F(SaveLoad, SavingALoadedStoryWritesTheSameSlot) {
    ASSERT_EQ(play(kToThirdLine +
                   "at +180 menu load\nwait mode 9 step 8 within 120\nat +5 press L\n"
                   "wait mode 9 step 3 within 120\n" +
                   SaveIn(1, 10) + LoadFrom(1, 10) + SaveIn(2, 10) + "at +1 end\n"),
              0);
    const std::string first =
        zktest::ReadFileBytes((session().folder() / "sav/sav01.sav").string());
    const std::string second =
        zktest::ReadFileBytes((session().folder() / "sav/sav02.sav").string());
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(second.substr(second.find('\n')), first.substr(first.find('\n')));
}

// The day panel's corner of the screen: the panel's material at 2, 2.
std::vector<std::uint32_t> DayCorner(const std::vector<std::uint32_t>& frame) {
    std::vector<std::uint32_t> corner;
    for (int y = 2; y < 109; ++y) {
        corner.insert(corner.end(), frame.begin() + y * 800 + 2, frame.begin() + y * 800 + 138);
    }
    return corner;
}

// A load shows the saved scene alone in its first frame after the fades: the day panel
// the save was made under, and none of the running story's mosaic or wipe strips.
TEST_F(SaveLoad, ALoadShowsTheSavedWindowsAndDropsTheEffects) {
    std::vector<std::uint32_t> saved;
    std::vector<std::uint32_t> closed;
    std::vector<std::uint32_t> loaded;
    bool faded = false;
    GAMEMAIN* g = nullptr;
    const auto watch = [&] {
        g = &game();
        const std::int32_t step = session().procStep();
        if (step == 5 && saved.empty()) saved = DayCorner(session().lastFrame());
        if (step == 8 && closed.empty()) {
            closed = DayCorner(session().lastFrame());
            // A mosaic and a wipe of the story that runs when the load is confirmed.
            g->prcMosaic = std::make_unique<platform::Rect[]>(4);
            g->pdwMosaicColor = std::make_unique<platform::ColorRef[]>(4);
            g->nMosaicCellNum = 4;
            g->nMosaicDispFlg = 1;
            g->ClippingData.nClipNum = 2;
            g->ClippingData.prcClip = std::make_unique<platform::Rect[]>(2);
        }
        if (step == 10) faded = true;
        if (faded && step == 3 && loaded.empty()) loaded = DayCorner(session().lastFrame());
    };
    // Saved at the first line, under the day panel, loaded at the second, without it.
    ASSERT_EQ(
        play("at 0 enter 9\nwait mode 9 step 3 within 120\nat +75 click 400 200\n" + SaveIn(1, 80) +
                 "at +5 click 400 200\nat +70 click 400 200\n" + LoadFrom(1, 80) + "at +0 end\n",
             watch),
        0);
    ASSERT_FALSE(saved.empty());
    EXPECT_NE(closed, saved) << "the panel had closed before the load";
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(std::pair(g->prcMosaic.get(), g->nMosaicDispFlg),
              std::pair(static_cast<platform::Rect*>(nullptr), 0u));
    EXPECT_EQ(std::pair(g->ClippingData.nClipNum, g->ClippingData.prcClip.get()),
              std::pair(0, static_cast<platform::Rect*>(nullptr)));
}

// A slot saved while the choice waits resumes at the plate the pointer clicks.
TEST_F(SaveLoad, AWaitingChoiceResumesAtTheClickedPlate) {
    ASSERT_EQ(play(kToThirdLine +
                   "at +190 click 400 200\nat +198 click 400 200\n"
                   "at +208 click 400 200\n" +
                   SaveIn(1, 240) + LoadFrom(1, 10) + "at +0 end\n"),
              0);
    ASSERT_EQ(game().SelectWindowData.nInitFlg, 1u);
    const platform::Rect plate = game().SelectWindowData.SlcWnd[1].rcHit;
    session().input().setPointer({(plate.left + plate.right) / 2, (plate.top + plate.bottom) / 2});
    down(platform::VK_LBUTTON);
    ASSERT_TRUE(runFrames(1));
    up(platform::VK_LBUTTON);
    ASSERT_TRUE(runUntil([&] { return shownText() == zktest::Sjis(kBranch2Line); }, 200));
}

// Where no sound device opens, automatic advance runs the prologue's voiced lines up
// to its choice with no click, and two saves and the music room after them log each
// sound failure once.
TEST_F(SaveLoad, WithoutASoundDeviceTheVoicedLinesAdvanceAndEachFailureIsLoggedOnce) {
    zktest::WriteFileBytes((session().folder() / "env.env").string(),
                           FormatEnvSettings({.settings = {.soundWarning = 0}, .handsFree = 1}));
    session().audio().refuseOpen(true);
    std::vector<std::string> voiced;
    bool choiceAtSave = false;
    ASSERT_EQ(
        play("frames 2600\nat 0 enter 9\nwait mode 9 step 3 within 120\n" + SaveIn(1, 1800) +
                 SaveIn(2, 10) + "at +1 enter 8\nwait mode 8 step 2 within 120\nat +60 end\n",
             [&] {
                 const MSG_DATA& line = game().MsgWindowData.MsgData;
                 if (line.szVoice[0] != '\0' && (voiced.empty() || voiced.back() != line.szVoice)) {
                     voiced.emplace_back(line.szVoice);
                 }
                 if (session().procStep() == 5 && !choiceAtSave) {
                     choiceAtSave = game().SelectWindowData.nInitFlg == 1;
                 }
             }),
        0);
    EXPECT_EQ(voiced, (std::vector<std::string>{"V0001.sou", "V0002.sou"}));
    EXPECT_TRUE(choiceAtSave);
    EXPECT_TRUE(std::filesystem::exists(session().folder() / "sav/sav02.sav"));
    const std::string notInitialised = "ZKSND::Initializeの処理を終えずに呼び出されました";
    std::vector<std::string> failures;
    for (const std::string& text : logTexts()) {
        if (text.starts_with("Error") || text.starts_with("Warn")) failures.push_back(text);
    }
    EXPECT_EQ(failures,
              (std::vector<std::string>{
                  "Error: <ZKSND::DAudioInit> DMusicパフォーマンスの初期化に失敗しました",
                  "Error: <ZKSND::Initialize> 呼び出したZKSND::DAInitがエラーで終了しました",
                  "Error: <GAMEMAIN::MsgDispProc> 再生状態の取得に失敗しました",
                  "Error: <ZKSND::DAGetLoadState> " + notInitialised,
                  "Error: <ZKSND::DAGetState> " + notInitialised,
              }));
}

}  // namespace
