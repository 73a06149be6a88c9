#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/ZKSPRITE.h"
#include "support/ScriptBench.h"

namespace {

using zktest::ScriptBench;
using zktest::WindowTestBench;
using Lines = std::vector<std::string>;

const Lines kScriptEnd = {"Message: <GAMEMAIN::ScrMain> スクリプトファイルの終了です"};

std::u8string U8(const std::string& text) { return std::u8string(text.begin(), text.end()); }

// Save, load and settings all allowed.
std::uint32_t Menus(const GAMEMAIN& g) {
    return g.nSaveEnableFlg + g.nLoadEnableFlg + g.nConfigEnableFlg;
}

// The overlay as the story screen draws it, over black: the pixel at the centre.
std::uint32_t OverlayPixel(ScriptBench& b) {
    const GRAPHIC_DATA& o = b.game().FadeGraphData;
    const auto& frame = b.win.drawFrame([&] {
        b.game().pSprite->D3DXSpriteDrawEffectTL(o.nIndex, 0.0f, 0.0f, 0, nullptr, o.fAlpha,
                                                 o.fScaleX, o.fScaleY, 0.0f, 0);
    });
    return WindowTestBench::At(frame, 400, 300);
}

// The overlay fades in from transparent and out from opaque over the command's time;
// save, load and settings stay off from #FadeIn until #FadeOut ends, which gives the
// overlay's texture back.
TEST(FadeCommands, TheOverlayFadesInAndOutAndTheMenusWaitForTheFadeOut) {
    ScriptBench b;
    ASSERT_TRUE(b.open({u8"// c", u8"#FadeIn 160 RED", u8"#FadeOut 160"}));
    b.frame();  // the header line
    const GRAPHIC_DATA& overlay = b.game().FadeGraphData;
    const struct {
        int frame;
        float alpha;
        std::uint32_t pixel;
    } frames[] = {
        {1, 0.0f, 0x000000},  {2, 0.1f, 0x190000},  {6, 0.5f, 0x7F0000},  {10, 0.9f, 0xE50000},
        {11, 1.0f, 0xFF0000}, {12, 1.0f, 0xFF0000}, {13, 0.9f, 0xE50000}, {21, 0.1f, 0x190000},
    };
    int k = 0;
    for (const auto& f : frames) {
        while (k < f.frame) {
            b.frame();
            ++k;
        }
        EXPECT_NEAR(overlay.fAlpha, f.alpha, 1e-6) << "frame " << k;
        EXPECT_EQ(overlay.nIndex, 2) << "frame " << k;
        EXPECT_EQ(overlay.nDispFlg, 1u) << "frame " << k;
        EXPECT_EQ(Menus(b.game()), 0u) << "frame " << k;
        const std::uint32_t pixel = OverlayPixel(b);
        EXPECT_NEAR(static_cast<int>(pixel >> 16), static_cast<int>(f.pixel >> 16), 1)
            << "frame " << k;
        EXPECT_EQ(pixel & 0xFFFF, 0u) << "frame " << k;
    }
    b.frame();
    EXPECT_EQ(overlay.nIndex, -1);
    EXPECT_EQ(overlay.nDispFlg, 0u);
    EXPECT_EQ(Menus(b.game()), 3u);
    EXPECT_EQ(b.game().pSprite->GetTextureLoadState(2), 1);
    EXPECT_TRUE(b.runToEnd(2));
    EXPECT_EQ(b.lines(), kScriptEnd);
}

// Each colour has its texture slot; a colour that follows itself keeps its texture,
// another gives the old one back; FALSE leaves the textures to the script.
TEST(FadeCommands, TheOverlayHoldsTheTextureOfItsColour) {
    const struct {
        std::vector<std::u8string> script;
        std::int32_t index;
        std::vector<int> loaded;  // slots 0, 1, 2: 0 loaded, 1 not
    } cases[] = {
        {{u8"#FadeIn 0 WHITE", u8"#FadeIn 0 white"}, 1, {1, 0, 1}},
        {{u8"#FadeIn 0 WHITE", u8"#FadeIn 0 BLACK"}, 0, {0, 1, 1}},
        {{u8"#FadeIn 0 RED FALSE"}, 2, {1, 1, 1}},
        {{u8"#FadeIn 0 RED", u8"#FadeOut 0 false"}, -1, {1, 1, 0}},
        {{u8"#FadeIn 0 RED", u8"#FadeOut 0"}, -1, {1, 1, 1}},
    };
    for (const auto& c : cases) {
        ScriptBench b;
        std::vector<std::u8string> script = {u8"// c"};
        script.insert(script.end(), c.script.begin(), c.script.end());
        ASSERT_TRUE(b.open(script));
        EXPECT_TRUE(b.runToEnd(20));
        const std::string name(c.script.back().begin(), c.script.back().end());
        EXPECT_EQ(b.game().FadeGraphData.nIndex, c.index) << name;
        std::vector<int> loaded;
        for (int slot = 0; slot < 3; ++slot) {
            loaded.push_back(b.game().pSprite->GetTextureLoadState(slot));
        }
        EXPECT_EQ(loaded, c.loaded) << name;
        if (c.index == 1) {
            EXPECT_EQ(OverlayPixel(b), 0xFFFFFFu);
        }
        EXPECT_EQ(b.lines(), kScriptEnd) << name;
    }
}

// An unknown colour fails the script with the menus already off.
TEST(FadeCommands, AnUnknownColourFailsTheScript) {
    ScriptBench b;
    ASSERT_TRUE(b.open(ScriptBench::Script{u8"// c", u8"#FadeIn 100 BLUE"}));
    b.frame();  // the header line
    EXPECT_EQ(b.frame(), -1);
    EXPECT_EQ(b.lines(),
              (Lines{"Error: <GAMEMAIN::FadeInProc> 定義されていない画像名です",
                     "Error: <GAMEMAIN::ScrExe> 呼び出した命令が失敗しました",
                     "Error: <GAMEMAIN::ScrMain> 呼び出したGAMEMAIN::ScrExeが失敗しました",
                     "---Error Info--- File: test.spt Line: 2 Command: #FadeIn"}));
    EXPECT_EQ(Menus(b.game()), 0u);
    EXPECT_EQ(b.game().FadeGraphData.nDispFlg, 0u);
    EXPECT_TRUE(b.game().ScrFileData.Cmd[0].IsFree());
}

// A negative duration or wait is refused before anything changes; 0 is "at once".
TEST(FadeCommands, NegativeDurationsAndWaitsAreRefused) {
    const struct {
        std::string line;
        std::string refusal;  // empty: accepted, and over within three frames
    } cases[] = {
        {"#MsgDisp NULL abc NULL -1",
         "Error: <GAMEMAIN::MsgDispProc> [#MsgDisp] 第4引数が不正です: -1"},
        {"#FadeIn -1 BLACK", "Error: <GAMEMAIN::FadeInProc> [#FadeIn] 第1引数が不正です: -1"},
        {"#FadeIn -2147483648 BLACK",
         "Error: <GAMEMAIN::FadeInProc> [#FadeIn] 第1引数が不正です: -2147483648"},
        {"#FadeOut -16", "Error: <GAMEMAIN::FadeOutProc> [#FadeOut] 第1引数が不正です: -16"},
        {"#FadeIn 0 BLACK", ""},
        {"#FadeOut 0", ""},
    };
    for (const auto& c : cases) {
        ScriptBench b;
        b.game().MsgWindowData.nAutoFlg = 1;
        ASSERT_TRUE(b.open(ScriptBench::Script{u8"// c", U8(c.line)}));
        b.frame();  // the header line
        const std::int32_t result = b.frame();
        const Lines lines = b.lines();
        if (c.refusal.empty()) {
            EXPECT_TRUE(b.runToEnd(2)) << c.line;
            EXPECT_EQ(lines, Lines{}) << c.line;
            continue;
        }
        EXPECT_EQ(result, -1) << c.line;
        ASSERT_FALSE(lines.empty()) << c.line;
        EXPECT_EQ(lines[0], c.refusal);
        EXPECT_TRUE(b.game().ScrFileData.Cmd[0].IsFree()) << c.line;
        EXPECT_EQ(Menus(b.game()), 3u) << c.line;
        EXPECT_EQ(b.game().FadeGraphData.nDispFlg, 0u) << c.line;
        EXPECT_EQ(b.game().MsgWindowData.BackLog[0].szText[0], '\0') << c.line;
    }
}

}  // namespace
