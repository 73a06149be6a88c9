#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "extras/STAFFROLL_DATA.h"
#include "game/GameContext.h"
#include "graphics/ZKSPRITE.h"
#include "mkdemo/PicturePainter.h"
#include "support/WindowTestBench.h"

namespace {

using zktest::ScriptKit;
using zktest::WindowTestBench;
using K = STAFFROLL_CREDIT_DATA::FADE_KIND;
using platform::Rect;

constexpr std::uint32_t kBG1 = 0x305070;
constexpr std::uint32_t kLogoSurf = 0xE0C040;
constexpr std::uint32_t kLogoTex = 0x40C0E0;
constexpr std::uint32_t kT0 = WindowTestBench::kT0;

// The roll over the bench, its pictures flat colours but the credits sheet, which has
// mkdemo's plain cells; the second background is all key and never shows.
struct Roll : ::testing::Test {
    WindowTestBench bench;
    STAFFROLL_DATA roll;

    explicit Roll(bool bWithLogo = true) { WritePictures(bWithLogo, false); }
    // The first background flat, or with mkdemo's art and ruler.
    static void WritePictures(bool bWithLogo, bool bRuled) {
        auto pictures = WindowTestBench::Materials();
        const auto painted = [](const char* stem) {
            return mkdemo::PicturePainter::PlainBitmapOf(WindowTestBench::Entry(stem));
        };
        pictures.emplace_back("Staffroll_BG1.gpc",
                              bRuled ? painted("Staffroll_BG1") : ScriptKit::Flat(2400, 600, kBG1));
        pictures.emplace_back("Staffroll_BG2.gpc", ScriptKit::Flat(3120, 211, 0xFF00FF));
        pictures.emplace_back("Staffroll_Credit.gpc", painted("Staffroll_Credit"));
        pictures.emplace_back("black.gpc", ScriptKit::Flat(800, 600, 0));
        pictures.emplace_back("Staffroll_Material_Surf.gpc", ScriptKit::Flat(152, 64, kLogoSurf));
        if (bWithLogo) {
            pictures.emplace_back("Staffroll_Material_Tex.gpc", ScriptKit::Flat(152, 64, kLogoTex));
        }
        ScriptKit::WriteArchive("dat/Img.dat", pictures);
    }
    ~Roll() override { roll.Release(); }

    void Start() {
        ASSERT_EQ(roll.Initialize(bench.context, kT0), 1u);
        bench.kit.clearLog();
    }
    std::int32_t At(std::uint32_t ms) { return roll.StaffroolStandby(kT0 + ms); }
    const std::vector<std::uint32_t>& Frame() {
        return bench.drawFrame([&] { roll.Draw(); });
    }
    static std::uint32_t Cell(const std::string& name) {
        return WindowTestBench::CellColor("Staffroll_Credit", name);
    }
};

struct RollWithoutLogo : Roll {
    RollWithoutLogo() : Roll(false) {}
};

// One table of instants, called in order as frames would be: what each record holds,
// the phase, the result and the backgrounds.
TEST_F(Roll, TheTimelineAtItsInstants) {
    Start();
    EXPECT_EQ(roll.nBG1X, -1600);
    EXPECT_EQ(roll.nBG2X, -2320);
    EXPECT_EQ(roll.nBG2Y, 389);
    const Rect kFirst{0, 0, 400, 24};
    const Rect kUpper{0, 160, 400, 176};
    const struct {
        std::uint32_t ms;
        std::int32_t result, phase, bg1, bg2;
        Rect rc0;
        float value0;
        bool shown1;
    } steps[] = {
        {0, 0, 0, -1600, -2320, {}, 0.0f, false},
        {1, 0, 0, -1599, -2319, {}, 0.0f, false},
        {3349, 0, 0, -1558, -2260, {}, 0.0f, false},
        {3350, 0, 0, -1558, -2260, kFirst, 1.0f, false},
        {3600, 0, 0, -1555, -2255, kFirst, 0.5f, false},
        {3850, 0, 0, -1552, -2251, kFirst, 0.0f, false},
        {7200, 0, 0, -1511, -2191, kFirst, 0.0f, false},
        {7700, 0, 0, -1505, -2182, {}, 0.0f, false},
        {50000, 0, 0, -984, -1427, kUpper, 0.0f, true},
        {65000, 0, 0, -800, -1160, kUpper, 0.0f, true},
        {72750, 0, 0, -704, -1021, kUpper, 0.0f, true},
        {127200, 0, 0, -34, -49, {0, 256, 400, 272}, 1.0f, false},
        {129999, 0, 0, 0, 0, {0, 256, 400, 272}, 1.0f, false},
        {130000, 0, 1, 0, 0, {}, 0.0f, false},
        {133000, 0, 1, 0, 0, {0, 0, 1, 1}, 0.0f, false},
        {133250, 0, 1, 0, 0, {0, 0, 1, 1}, 0.5f, false},
        {133500, 0, 1, 0, 0, {0, 0, 1, 1}, 1.0f, false},
        {135499, 0, 1, 0, 0, {0, 0, 1, 1}, 1.0f, false},
        {135500, 1, 1, 0, 0, {0, 0, 1, 1}, 1.0f, false},
        {141000, 1, 1, 0, 0, {0, 0, 1, 1}, 1.0f, false},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.ms);
        EXPECT_EQ(At(s.ms), s.result);
        EXPECT_EQ(roll.nPhase, s.phase);
        EXPECT_EQ(roll.nBG1X, s.bg1);
        EXPECT_EQ(roll.nBG2X, s.bg2);
        EXPECT_EQ(roll.CreditData[0].rcSrc, s.rc0);
        EXPECT_FLOAT_EQ(roll.CreditData[0].fFadeValue, s.value0);
        const STAFFROLL_CREDIT_DATA& lower = roll.CreditData[1];
        EXPECT_EQ(!lower.rcSrc.empty() && lower.fFadeValue < 1.0f, s.shown1);
    }
    EXPECT_EQ(roll.CreditData[0].nX, 324);
    EXPECT_EQ(roll.CreditData[0].nY, 268);
    EXPECT_EQ(roll.CreditData[0].nFadeKind, K::FADE_ONE);
    EXPECT_EQ(bench.lines(), std::vector<std::string>{});
}

// Five lower strips come and go under the upper strip, which stays plain.
TEST_F(Roll, TheUpperStripStaysWhileFiveLowerStripsPass) {
    Start();
    std::vector<int> lowers;
    for (std::uint32_t ms = 50000; ms <= 72750; ms += 50) {
        At(ms);
        EXPECT_EQ(roll.CreditData[0].rcSrc, (Rect{0, 160, 400, 176})) << ms;
        EXPECT_EQ(roll.CreditData[0].fFadeValue, 0.0f) << ms;
        const Rect& rc = roll.CreditData[1].rcSrc;
        if (lowers.empty() || lowers.back() != rc.top) lowers.push_back(rc.top);
    }
    EXPECT_EQ(lowers, (std::vector<int>{528, 552, 576, 600, 768}));
}

// Only the backgrounds between the last strip and the logo.
TEST_F(Roll, NothingButTheBackgroundsBetweenTheLastStripAndTheLogo) {
    Start();
    for (std::uint32_t ms = 127200; ms <= 133000; ms += 100) {
        At(ms);
        const std::vector<std::uint32_t>& frame = Frame();
        for (const int y : {270, 300, 530, 540, 560}) {
            EXPECT_EQ(WindowTestBench::At(frame, 400, y), kBG1) << ms << " y " << y;
        }
    }
}

// The strip plain, half covered, hidden; the logo blended, then the surface itself.
TEST_F(Roll, StripsAndTheLogoOnScreen) {
    Start();
    const std::uint32_t title = Cell("題 0");
    const auto channel = [](std::uint32_t c, int shift) {
        return static_cast<int>((c >> shift) & 0xFF);
    };
    At(3350);
    At(5000);
    EXPECT_EQ(WindowTestBench::At(Frame(), 400, 548), title);
    At(3600);
    const std::uint32_t half = WindowTestBench::At(Frame(), 400, 548);
    for (const int shift : {0, 8, 16}) {
        EXPECT_LE(std::abs(channel(half, shift) - channel(title, shift) / 2), 2) << shift;
    }
    // Outside the strip's rows the background shows.
    EXPECT_EQ(WindowTestBench::At(Frame(), 400, 535), kBG1);
    EXPECT_EQ(WindowTestBench::At(Frame(), 400, 560), kBG1);
    At(7700);
    EXPECT_EQ(WindowTestBench::At(Frame(), 400, 548), kBG1);

    At(130000);
    At(133250);
    const std::uint32_t blend = WindowTestBench::At(Frame(), 400, 300);
    for (const int shift : {0, 8, 16}) {
        const int expected = (channel(kBG1, shift) + channel(kLogoTex, shift)) / 2;
        EXPECT_LE(std::abs(channel(blend, shift) - expected), 2) << shift;
    }
    EXPECT_EQ(WindowTestBench::At(Frame(), 323, 300), kBG1);
    At(134000);
    const std::vector<std::uint32_t>& frame = Frame();
    EXPECT_EQ(WindowTestBench::At(frame, 324, 268), kLogoSurf);
    EXPECT_EQ(WindowTestBench::At(frame, 475, 331), kLogoSurf);
    EXPECT_EQ(WindowTestBench::At(frame, 476, 331), kBG1);
    EXPECT_EQ(bench.lines(), std::vector<std::string>{});
}

TEST_F(Roll, NothingIsDrawnBeforeInitialize) {
    const std::vector<std::uint32_t>& frame = Frame();
    EXPECT_EQ(std::count(frame.begin(), frame.end(), 0u), 800 * 600);
}

// Half way through the credits the first background has moved 800 pixels: its ruler
// line at picture x 1200 stands at screen x 400, two pixels wide.
TEST_F(Roll, TheRulerPansWithTheFirstBackground) {
    WritePictures(true, true);
    Start();
    At(65000);
    const std::vector<std::uint32_t>& frame = Frame();
    for (const int y : {10, 200, 388}) {
        EXPECT_EQ(WindowTestBench::At(frame, 400, y), 0x202020u) << y;
        EXPECT_EQ(WindowTestBench::At(frame, 401, y), 0x202020u) << y;
        EXPECT_NE(WindowTestBench::At(frame, 399, y), 0x202020u) << y;
        EXPECT_NE(WindowTestBench::At(frame, 402, y), 0x202020u) << y;
        EXPECT_NE(WindowTestBench::At(frame, 350, y), 0x202020u) << y;
    }
    EXPECT_EQ(WindowTestBench::At(frame, 300, 200), 0x202020u);
}

// A background blit that fails is logged in every frame, its blit's own line once;
// the strips still draw.
TEST_F(Roll, AFailingBackgroundIsLoggedEachFrame) {
    Start();
    At(5000);
    bench.sprite->pSurfaceTable[STAFFROLL_DATA::kSurfaceBG1].Release();
    Frame();
    const std::vector<std::uint32_t>& frame = Frame();
    EXPECT_EQ(WindowTestBench::At(frame, 400, 548), Cell("題 0"));
    const std::string blt =
        "Error: <ZKSPRITE::DDBlt> 何らかの要因で出力元サーフェスポインタが消失しています";
    const std::string line = "Error: <STAFFROLL_DATA::Draw> 描画に失敗しました";
    EXPECT_EQ(bench.lines(), (std::vector<std::string>{blt, line, line}));
}

// The logo's pictures are tried again each call until they load; the roll stays in
// its credits, the backgrounds unmoved, the records as the last window left them.
TEST_F(RollWithoutLogo, AMissingLogoIsTriedAgainEachCall) {
    Start();
    At(129000);
    const std::int32_t bg1 = roll.nBG1X;
    for (const std::uint32_t ms : {130000u, 131000u}) {
        EXPECT_EQ(At(ms), -1);
        EXPECT_EQ(roll.nPhase, 0);
        EXPECT_EQ(roll.nBG1X, bg1);
        EXPECT_EQ(roll.CreditData[0].fFadeValue, 1.0f);
    }
    EXPECT_EQ(bench.lines(),
              (std::vector<std::string>{
                  "Error: <TextureLoad> 該当ファイルが見つかりません",
                  "Error: <STAFFROLL_DATA::StaffroolStandby> 画像のロードに失敗しました",
                  "Error: <TextureLoad> 該当ファイルが見つかりません",
                  "Error: <STAFFROLL_DATA::StaffroolStandby> 画像のロードに失敗しました"}));
}

// Bad pointers and a missing picture fail with their lines; what loaded stays until
// Release, which unloads every picture of the roll.
TEST_F(Roll, InitializeFailsWithItsLinesAndReleaseUnloadsEverything) {
    GameContext noSprite = *bench.context;
    GameContext noSound = *bench.context;
    GameContext noSystem = *bench.context;
    noSprite.pSprite = nullptr;
    noSound.pSnd = nullptr;
    noSystem.pSystem = nullptr;
    EXPECT_EQ(roll.Initialize(nullptr, kT0), 0u);
    for (const GameContext* context : {&noSprite, &noSound, &noSystem}) {
        EXPECT_EQ(roll.Initialize(context, kT0), 0u);
    }
    EXPECT_EQ(roll.nInitFlg, 0u);
    EXPECT_EQ(bench.lines(),
              std::vector<std::string>(4, "Error: <STAFFROLL_DATA::Initialize> 引数が不正です"));
    bench.kit.clearLog();

    // Halfway through, both backgrounds have moved; a release puts them back.
    Start();
    At(65000);
    ASSERT_NE(std::pair(roll.nBG1X, roll.nBG2X), std::pair(0, 0));
    roll.Release();
    EXPECT_EQ(std::pair(roll.nBG1X, roll.nBG2X), std::pair(0, 0));

    Start();
    At(130000);
    for (const int s : {25, 26, 28, 29})
        EXPECT_TRUE(bench.sprite->pSurfaceTable[s].IsLoaded()) << s;
    roll.Release();
    for (const int s : {25, 26, 28, 29})
        EXPECT_FALSE(bench.sprite->pSurfaceTable[s].IsLoaded()) << s;
    EXPECT_EQ(roll.pContext, nullptr);
    EXPECT_EQ(roll.nPhase, 0);
    EXPECT_EQ(roll.nInitFlg, 0u);
    EXPECT_EQ(roll.nBG2Y, 0);

    auto pictures = WindowTestBench::Materials();
    pictures.emplace_back("Staffroll_BG1.gpc", ScriptKit::Flat(2400, 600, kBG1));
    pictures.emplace_back("Staffroll_BG2.gpc", ScriptKit::Flat(3120, 211, 0xFF00FF));
    ScriptKit::WriteArchive("dat/Img.dat", pictures);
    EXPECT_EQ(roll.Initialize(bench.context, kT0), 0u);
    EXPECT_EQ(bench.lines(),
              (std::vector<std::string>{
                  "Error: <SurfaceLoad> 該当ファイルが見つかりません",
                  "Error: <STAFFROLL_DATA::Initialize> 画像のロードに失敗しました"}));
    EXPECT_TRUE(bench.sprite->pSurfaceTable[26].IsLoaded());
    EXPECT_EQ(roll.nInitFlg, 0u);
}

}  // namespace
