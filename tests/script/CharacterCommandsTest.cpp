#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "graphics/ZKSPRITE.h"
#include "support/ScriptBench.h"

namespace {

using Lines = std::vector<std::string>;
using zktest::ScriptBench;

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

// The hero's pictures whose slots hold an image: "B1 F3" names body 1 and face 3,
// counted from 1 as scripts count them.
std::string Loaded(ScriptBench& b, bool bTextures) {
    const ZKSPRITE& sprite = *b.win.sprite;
    const ZKCHAR& hero = b.character();
    std::string names;
    const auto add = [&](char kind, int n, int surface, int texture) {
        const int state =
            bTextures ? sprite.GetTextureLoadState(texture) : sprite.GetSurfaceLoadState(surface);
        if (state != 0) return;
        if (!names.empty()) names += ' ';
        names += kind + std::to_string(n + 1);
    };
    for (int n = 0; n < hero.nBodyNum; ++n) {
        add('B', n, hero.pBodyData[n].nSurfaceIndex, hero.pBodyData[n].nTextureIndex);
    }
    for (int n = 0; n < hero.nFaceNum; ++n) {
        add('F', n, hero.pFaceData[n].nSurfaceIndex, hero.pFaceData[n].nTextureIndex);
    }
    return names;
}

bool AllSlotsFree(ScriptBench& b) {
    for (const SCR_CMD_DATA& slot : b.game().ScrFileData.Cmd) {
        if (!slot.IsFree()) return false;
    }
    return true;
}

// Opens a script whose line 2 brings the hero on at once with body 1 and face 1 and
// runs it up to there.
void StandHero(ScriptBench& b, const std::string& line3) {
    ASSERT_TRUE(b.open({u8"// c", u8"#CharIn HERO CENTER DEFAULT 1 1 0", U8(line3)}));
    ASSERT_TRUE(b.runUntil([&] { return b.game().ScrFileData.nLine == 2 && AllSlotsFree(b); }));
}

TEST(CharacterCommands, PositionKeywordsPlaceTheCharacter) {
    const struct {
        const char* x;
        const char* y;
        std::int32_t nX;
        std::int32_t nY;
    } cases[] = {
        {"CENTER", "DEFAULT", 400, 0}, {"left", "Default", 190, 0}, {"RIGHT", "12", 590, 12},
        {"120", "30", 120, 30},        {"-40", "MIDDLE", -40, 0},
    };
    for (const auto& c : cases) {
        for (const std::string word : {"#CharIn HERO ", "#CharMove HERO "}) {
            SCOPED_TRACE(word + c.x + " " + c.y);
            ScriptBench b;
            const std::string tail = word == "#CharIn HERO " ? " 1 1 0" : "";
            ASSERT_TRUE(b.open(ScriptBench::Script{u8"// c", U8(word + c.x + " " + c.y + tail)}));
            EXPECT_TRUE(b.runToEnd());
            EXPECT_EQ(b.lastResult, 2);
            EXPECT_EQ(std::pair(b.character().nX, b.character().nY), std::pair(c.nX, c.nY));
        }
    }
}

// Pictures that fade are drawn from textures, pictures at rest from surfaces; a
// command readies them at its start and settles them at its end. The textures of the
// pictures a hidden character last held (body 1, face 1) stay loaded after the first
// entrance, until the mode unloads everything.
TEST(CharacterCommands, FadesLoadTexturesForTheFadeAndSettleOnSurfaces) {
    const struct {
        const char* line;
        const char* fadeTextures;
        const char* fadeSurfaces;
        const char* endTextures;
        const char* endSurfaces;
    } steps[] = {
        {"#CharIn HERO CENTER DEFAULT 2 2 200", "B1 B2 F1 F2", "", "B1 F1", "B2 F2"},
        {"#CharaBodyChange HERO 3 200", "B1 B2 B3 F1", "F2", "B1 F1", "B3 F2"},
        {"#CharaFaceChange HERO 0 200", "B1 F1 F2", "B3", "B1 F1", "B3"},
        {"#CharaFaceBodyChange HERO 3 1 200", "B1 B3 F1 F3", "", "F1", "B1 F3"},
        {"#CharOut HERO 200", "B1 F1 F3", "", "F1", ""},
        {"#CharIn HERO 0 0 1 1 0", nullptr, nullptr, "", "B1 F1"},
        {"#CharaBodyChange HERO 2 200 FALSE", "", "B1 F1", "", "B1 B2 F1"},
        {"#CharaFaceBodyChange HERO 2 3 200 false", "", "B1 B2 F1", "", "B1 B2 B3 F1 F2"},
        {"#CharOut HERO 0 FALSE", nullptr, nullptr, "", "B1 B2 B3 F1 F2"},
    };
    ScriptBench b;
    ScriptBench::Script script = {u8"// c"};
    for (const auto& step : steps) script.push_back(U8(step.line));
    ASSERT_TRUE(b.open(script));
    EXPECT_EQ(Loaded(b, true), "");
    EXPECT_EQ(Loaded(b, false), "");
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        SCOPED_TRACE(steps[i].line);
        const auto line = static_cast<std::int32_t>(i + 2);
        ASSERT_TRUE(b.runUntil([&] { return b.game().ScrFileData.nLine == line; }));
        if (steps[i].fadeTextures != nullptr) {
            b.frame();
            EXPECT_EQ(b.character().nState, 1);
            EXPECT_EQ(Loaded(b, true), steps[i].fadeTextures);
            EXPECT_EQ(Loaded(b, false), steps[i].fadeSurfaces);
        }
        ASSERT_TRUE(b.runUntil([&] { return AllSlotsFree(b); }));
        EXPECT_EQ(Loaded(b, true), steps[i].endTextures);
        EXPECT_EQ(Loaded(b, false), steps[i].endSurfaces);
    }
    const ZKCHAR& hero = b.character();
    EXPECT_EQ(hero.nDispFlg, 0);
    EXPECT_EQ(std::pair(hero.nBody, hero.nFace), std::pair(-1, -1));
    EXPECT_EQ(b.lines(), Lines{});
}

// A refused command changes nothing: the standing hero keeps its pictures, their
// slots and its state, the windows stay as they are, and the story stops. A number
// outside the character's pictures is refused before anything is loaded; a negative
// duration, eye time or slide step would run for about 49 days.
TEST(CharacterCommands, RefusedCommandsChangeNothing) {
    const std::string noMatch = "Message: <GAMEMAIN::IDSerch> キャラデータのIDと照合しませんでした";
    const struct {
        const char* line;
        Lines refusal;
    } cases[] = {
        {"#CharIn HERO CENTER DEFAULT 4 1 500",
         {"Error: <GAMEMAIN::CharInProc> [#CharIn] 第4引数が不正です: 4"}},
        {"#CharIn HERO CENTER DEFAULT -1 1 500",
         {"Error: <GAMEMAIN::CharInProc> [#CharIn] 第4引数が不正です: -1"}},
        {"#CharIn HERO CENTER DEFAULT 1 4 500",
         {"Error: <GAMEMAIN::CharInProc> [#CharIn] 第5引数が不正です: 4"}},
        {"#CharIn HERO CENTER DEFAULT 2 -1 500",
         {"Error: <GAMEMAIN::CharInProc> [#CharIn] 第5引数が不正です: -1"}},
        {"#CharaBodyChange HERO 0 500",
         {"Error: <GAMEMAIN::CharBodyChangeProc> [#CharaBodyChange] 第2引数が不正です: 0"}},
        {"#CharaBodyChange HERO 4 500",
         {"Error: <GAMEMAIN::CharBodyChangeProc> [#CharaBodyChange] 第2引数が不正です: 4"}},
        {"#CharaFaceChange HERO 4 500",
         {"Error: <GAMEMAIN::CharFaceChangeProc> [#CharaFaceChange] 第2引数が不正です: 4"}},
        {"#CharaFaceChange HERO -1 500",
         {"Error: <GAMEMAIN::CharFaceChangeProc> [#CharaFaceChange] 第2引数が不正です: -1"}},
        {"#CharaFaceBodyChange HERO 0 2 500",
         {"Error: <GAMEMAIN::CharFaceBodyChangeProc> [#CharaFaceBodyChange] 第2引数が不正です: 0"}},
        {"#CharaFaceBodyChange HERO 4 2 500",
         {"Error: <GAMEMAIN::CharFaceBodyChangeProc> [#CharaFaceBodyChange] 第2引数が不正です: 4"}},
        {"#CharaFaceBodyChange HERO 2 0 500",
         {"Error: <GAMEMAIN::CharFaceBodyChangeProc> [#CharaFaceBodyChange] 第3引数が不正です: 0"}},
        {"#CharaFaceBodyChange HERO 2 4 500",
         {"Error: <GAMEMAIN::CharFaceBodyChangeProc> [#CharaFaceBodyChange] 第3引数が不正です: 4"}},
        {"#CtrlEyeAnimation HERO 0 1 500",
         {"Error: <GAMEMAIN::CtrlEyeAnimationProc> [#CtrlEyeAnimation] 第2引数が不正です: 0"}},
        {"#CtrlEyeAnimation HERO 4 1 500",
         {"Error: <GAMEMAIN::CtrlEyeAnimationProc> [#CtrlEyeAnimation] 第2引数が不正です: 4"}},
        {"#CtrlEyeAnimation HERO 1 4 500",
         {"Error: <ZKCHARA::SetEyeData> 指定した目スプライト番号は不正です"}},
        {"#CtrlEyeAnimation HERO 1 -2147483648 500",
         {"Error: <ZKCHARA::SetEyeData> 指定した目スプライト番号は不正です"}},
        // Negative times and steps.
        {"#CharIn HERO CENTER DEFAULT 2 2 -1",
         {"Error: <GAMEMAIN::CharInProc> [#CharIn] 第6引数が不正です: -1"}},
        {"#CharOut HERO -5", {"Error: <GAMEMAIN::CharOutProc> [#CharOut] 第2引数が不正です: -5"}},
        {"#CharaBodyChange HERO 2 -1",
         {"Error: <GAMEMAIN::CharBodyChangeProc> [#CharaBodyChange] 第3引数が不正です: -1"}},
        {"#CharaFaceChange HERO 2 -1",
         {"Error: <GAMEMAIN::CharFaceChangeProc> [#CharaFaceChange] 第3引数が不正です: -1"}},
        {"#CharaFaceBodyChange HERO 2 2 -2147483648",
         {"Error: <GAMEMAIN::CharFaceBodyChangeProc> [#CharaFaceBodyChange] 第4引数が不正です: "
          "-2147483648"}},
        {"#CtrlEyeAnimation HERO 1 1 -1",
         {"Error: <GAMEMAIN::CtrlEyeAnimationProc> [#CtrlEyeAnimation] 第4引数が不正です: -1"}},
        {"#MsgWndOpen SLIDE -1",
         {"Error: <GAMEMAIN::MsgWndOpenProc> [#MsgWndOpen] 第2引数が不正です: -1"}},
        {"#MsgWndClose slide -20",
         {"Error: <GAMEMAIN::MsgWndCloseProc> [#MsgWndClose] 第2引数が不正です: -20"}},
        {"#DayWndOpen SLIDE -1",
         {"Error: <GAMEMAIN::DayWndOpenProc> [#DayWndOpen] 第2引数が不正です: -1"}},
        {"#DayWndClose SLIDE -3",
         {"Error: <GAMEMAIN::DayWndCloseProc> [#DayWndClose] 第2引数が不正です: -3"}},
        // Unknown characters, each told under its command's own name.
        {"#CharIn NOBODY CENTER DEFAULT 1 1 0",
         {noMatch, "Error: <GAMEMAIN::CharInProc> [#CharIn] 合致するIDが見つかりませんでした"}},
        {"#CharOut NOBODY 0",
         {noMatch, "Error: <GAMEMAIN::CharOutProc> [#CharOut] 合致するIDが見つかりませんでした"}},
        {"#CharMove NOBODY 1 1",
         {noMatch, "Error: <GAMEMAIN::CharMoveProc> [#CharMove] 合致するIDが見つかりませんでした"}},
        {"#CharaBodyChange NOBODY 1 0",
         {noMatch,
          "Error: <GAMEMAIN::CharBodyChangeProc> [#CharBodyChange] "
          "合致するIDが見つかりませんでした"}},
        {"#CharaFaceChange NOBODY 1 0",
         {noMatch,
          "Error: <GAMEMAIN::CharFaceChangeProc> [#CharFaceChange] "
          "合致するIDが見つかりませんでした"}},
        {"#CharaFaceBodyChange NOBODY 1 1 0",
         {noMatch,
          "Error: <GAMEMAIN::CharFaceBodyChangeProc> [#CharFaceBodyChange] "
          "合致するIDが見つかりませんでした"}},
        {"#CtrlEyeAnimation NOBODY 1 1 0",
         {noMatch,
          "Error: <GAMEMAIN::CtrlEyeAnimationProc> [#CtrlEyeAnimation] "
          "合致するIDが見つかりませんでした"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ScriptBench b;
        GAMEMAIN& g = b.game();
        StandHero(b, c.line);
        g.nMsgWndDispFlg = 0;
        const std::string textures = Loaded(b, true);
        const std::string surfaces = Loaded(b, false);
        b.clearLog();
        EXPECT_TRUE(b.runToEnd());
        EXPECT_EQ(b.lastResult, -1);
        const std::string word = std::string(c.line).substr(0, std::string(c.line).find(' '));
        Lines expected = ScriptBench::FailureLines(c.refusal.back(), 3, word);
        expected.insert(expected.begin(), c.refusal.begin(), c.refusal.end() - 1);
        EXPECT_EQ(b.lines(), expected);
        EXPECT_EQ(Loaded(b, true), textures);
        EXPECT_EQ(Loaded(b, false), surfaces);
        const ZKCHAR& hero = b.character();
        EXPECT_EQ(std::tuple(hero.nDispFlg, hero.nX, hero.nBody, hero.nFace, hero.nState),
                  std::tuple(1, 400, 0, 0, 0));
        EXPECT_EQ(std::pair(hero.nNextBody, hero.nNextFace), std::pair(-1, -1));
        EXPECT_EQ(hero.pFaceData[0].pEyeData[0].dwTime, 1000u);
        EXPECT_EQ(g.nMsgWndDispFlg, 0u);
        EXPECT_EQ(g.nSaveEnableFlg, 1u);
        EXPECT_EQ(g.DayWindowData.nInitFlg, 0u);
        EXPECT_TRUE(AllSlotsFree(b));
    }
}

// The eye frame named by the script (counted from 1) takes the new time from the next
// blink on: the face shows frame 1, then 2, each for its own time.
TEST(CharacterCommands, ANewEyeTimeHoldsFromTheNextBlink) {
    const struct {
        const char* line;
        std::uint32_t toFrame2;
        std::uint32_t toFrame3;
    } cases[] = {
        {"#CtrlEyeAnimation HERO 1 1 2500", 2512, 2512 + 1008},
        {"#CtrlEyeAnimation HERO 1 2 40", 1008, 1008 + 48},
        {"#CtrlEyeAnimation HERO 2 1 40", 1008 - 16, 2000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ScriptBench b;
        StandHero(b, c.line);
        ASSERT_TRUE(b.runUntil([&] { return b.count("#CtrlEyeAnimation") == 1; }));
        const std::uint32_t start = b.game().GetTime();
        const ANIMATION_DATA& eyes = b.character().pFaceData[0].Animation;
        ASSERT_TRUE(b.runUntil([&] { return eyes.nAnimNo == 1; }));
        EXPECT_EQ(b.game().GetTime() - start, c.toFrame2);
        ASSERT_TRUE(b.runUntil([&] { return eyes.nAnimNo == 2; }));
        EXPECT_EQ(b.game().GetTime() - start, c.toFrame3);
        EXPECT_EQ(b.lines(), Lines{"Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です"});
    }
}

// Halfway through an entrance the body is drawn from its texture at half alpha; its
// key-coloured border must let the background through, not show the key.
TEST(CharacterCommands, AnEnteringCharactersKeyColourShowsTheBackground) {
    ScriptBench b;
    ASSERT_TRUE(b.open(ScriptBench::Script{u8"// c", u8"#CharIn HERO CENTER DEFAULT 1 1 1000"}));
    const ZKCHAR& hero = b.character();
    ASSERT_TRUE(b.runUntil([&] { return hero.fBodyAlpha >= 0.5f; }));
    ASSERT_LT(hero.fBodyAlpha, 0.6f);
    const platform::Rect screen{0, 0, 800, 600};
    const auto& frame = b.win.drawFrame([&] {
        b.win.sprite->DDFillRect(-1, &screen, 0x00306090);
        b.character().Draw();
    });
    const std::uint32_t background = b.win.At(frame, 5, 5);
    // The body stands at (300, 40) with an 8-pixel key border; the face begins at
    // (360, 70).
    EXPECT_EQ(b.win.At(frame, 302, 42), background);
    EXPECT_EQ(b.win.At(frame, 330, 44), background);
    const std::uint32_t body = b.win.At(frame, 330, 55);
    EXPECT_NE(body, background);
    EXPECT_NE(body, ScriptBench::kBodyColors[0]);
}

}  // namespace
