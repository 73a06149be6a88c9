#include <gtest/gtest.h>

#include "support/Bytes.h"
#include "support/SpriteKit.h"

namespace {

std::string Attempt(const char* level, const char* outcome) {
    return std::string("Message: <ZKSPRITE::Initialize> ") + level + "でD3DXContextを作成します……" +
           outcome;
}

}  // namespace

TEST(ZKSPRITESetup, ShellRetryFindsTheOnlyDepth) {
    zktest::SpriteKit k;
    k.onlyModes({{640, 480, 32, 60}, {800, 600, 16, 60}});
    const std::string unsupported = "Error: <ZKSPRITE::CreateD3DXContext> ビデオモードが未対応です";
    const std::string refused = Attempt("HW T&L", "ビデオモードが未対応です");
    EXPECT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1), 0);
    EXPECT_EQ(k.sprite.GetDisplayBits(), 16u);
    EXPECT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 24, 1), 0);
    EXPECT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 16, 1), 1);
    EXPECT_EQ(k.debugLines(), (std::vector<std::string>{unsupported, refused, unsupported, refused,
                                                        Attempt("HW T&L", "成功しました")}));
    EXPECT_EQ(k.sprite.dwDeviceIndex, -6);
    // The mode asked for was the last one listed.
    EXPECT_EQ(k.sprite.nModeCount, 2u);
    EXPECT_EQ(k.sprite.pModeTable[0].width, 0xFFFFFFFFu);
}

TEST(ZKSPRITESetup, NoModeListFailsEveryLevel) {
    zktest::SpriteKit k;
    k.onlyModes({});
    EXPECT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1), -1);
    EXPECT_EQ(k.sprite.GetDisplayBits(), 32u);
    EXPECT_EQ(k.debugLines(),
              (std::vector<std::string>{
                  Attempt("HW T&L", "失敗しました"), Attempt("Rasterizer", "失敗しました"),
                  Attempt("デフォルトモード", "失敗しました"), Attempt("2Dモード", "失敗しました"),
                  Attempt("リファレンスモード", "失敗しました"),
                  "Error: <ZKSPRITE::Initialize> D3DXContextの初期化に失敗しました"}));
    // No usable depth at all is final too.
    k.onlyModes({{800, 600, 8, 60}});
    k.clearLog();
    EXPECT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1), -1);
    EXPECT_EQ(k.sprite.GetDisplayBits(), 0u);
    EXPECT_TRUE(k.debugLines().empty());
}

TEST(ZKSPRITESetup, LowerLevelTakesOverWhenTheBestFail) {
    zktest::SpriteKit k;
    k.display.contextFailsAt = {-6, -5};
    EXPECT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 24, 0), 1);
    EXPECT_EQ(k.debugLines(), (std::vector<std::string>{
                                  Attempt("HW T&L", "失敗しました"),
                                  Attempt("Rasterizer", "失敗しました"),
                                  Attempt("デフォルトモード", "成功しました"),
                              }));
    EXPECT_EQ(k.sprite.dwDeviceIndex, -1);
}

TEST(ZKSPRITESetup, PixelFormatOfEachDepth) {
    const struct {
        std::uint32_t bits;
        std::uint32_t fullScreen;
        std::vector<std::uint32_t> masksShiftsWidths;
    } cases[] = {
        {32, 1, {0xFF0000, 0xFF00, 0xFF, 16, 8, 0, 8, 8, 8}},
        {24, 1, {0xFF0000, 0xFF00, 0xFF, 16, 8, 0, 8, 8, 8}},
        {16, 1, {0xF800, 0x07E0, 0x1F, 11, 5, 0, 5, 6, 5}},
        {16, 0, {0xFF0000, 0xFF00, 0xFF, 16, 8, 0, 8, 8, 8}},  // a window is 32-bit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits * 10 + c.fullScreen);
        zktest::SpriteKit k;
        ASSERT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, c.bits, c.fullScreen), 1);
        const ZKSPRITE& s = k.sprite;
        EXPECT_EQ((std::vector{s.dwRMask, s.dwGMask, s.dwBMask, s.dwRShift, s.dwGShift, s.dwBShift,
                               s.dwRBits, s.dwGBits, s.dwBBits}),
                  c.masksShiftsWidths);
        EXPECT_EQ(k.sprite.ddsdPrimary.bitCount, c.fullScreen ? c.bits : 32u);
        EXPECT_EQ(k.debugLines(), std::vector<std::string>{Attempt("HW T&L", "成功しました")});
    }
    zktest::SpriteKit k;
    k.onlyModes({{800, 600, 8, 60}, {800, 600, 16, 60}});
    EXPECT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 8, 1), 0);
    EXPECT_EQ(k.debugLines().back(),
              "Error: <ZKSPRITE::Initalize> ピクセルフォーマットのチェックに失敗しました");
    EXPECT_EQ(k.sprite.nInitFlg, 1u);
}

TEST(ZKSPRITESetup, MissingObjectsFailWithTheirLine) {
    using HD = platform::HeadlessDisplay;
    const struct {
        bool HD::*fault;
        const char* line;
        bool box;
    } cases[] = {
        {&HD::deviceMissing, "D3DXデバイス取得に失敗しました", false},
        {&HD::directDrawMissing, "DDrawオブジェクト取得に失敗しました", false},
        {&HD::clipperMissing, "クリッパーオブジェクト作成に失敗しました", false},
        {&HD::primaryMissing, "プライマリサーフェス取得に失敗", true},
        {&HD::backBufferMissing, "バックサーフェス取得に失敗", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        zktest::SpriteKit k;
        k.display.*c.fault = true;
        EXPECT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1), 0);
        EXPECT_EQ(k.sprite.nInitFlg, 0u);
        std::vector<std::string> expected = {Attempt("HW T&L", "成功しました")};
        if (c.box) expected.push_back("Error: DirectXの初期化に失敗しました");
        expected.push_back(std::string("Error: <ZKSPRITE::Initialize> ") + c.line);
        EXPECT_EQ(k.debugLines(), expected);
        const std::vector<platform::HeadlessMessageBox::Shown> boxes = {
            {"Error", zktest::Sjis(u8"DirectXの初期化に失敗しました")}};
        EXPECT_EQ(k.messageBox.shown(), c.box ? boxes : decltype(boxes){});
    }
}

TEST(ZKSPRITESetup, RenderStateFailuresOnlyWarn) {
    zktest::SpriteKit k;
    k.display.renderSettingsFail = true;
    EXPECT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1), 1);
    const std::string w = "Warn: <ZKSPRITE::Initialize> ";
    EXPECT_EQ(k.debugLines(), (std::vector<std::string>{
                                  Attempt("HW T&L", "成功しました"),
                                  w + "TextureStageStateに失敗しました",
                                  w + "SetRenderStateのディザ無効に失敗しました",
                                  w + "SetRenderStateのカリング無効に失敗しました",
                                  w + "SetRenderStateのライティング無効に失敗しました",
                                  w + "SetRenderStateのZバッファ無効に失敗しました",
                                  w + "SetClearColorの設定に失敗しました",
                              }));
}

TEST(ZKSPRITESetup, FontSmoothingIsSwitchedOnOnlyWhenOff) {
    const struct {
        bool initially;
        bool readFails;
        bool switchFails;
        std::uint32_t found;
        bool after;
        const char* warning;
    } cases[] = {
        {false, false, false, 0, true, nullptr},
        {true, false, false, 1, true, nullptr},
        {false, true, false, 0, false, "スクリーンフォントの状態取得に失敗しました"},
        {false, false, true, 0, false, "スクリーンフォントの滑らか設定に失敗しました"},
    };
    for (const auto& c : cases) {
        zktest::SpriteKit k;
        k.display.setInitialFontSmoothing(c.initially);
        k.display.fontSmoothingReadFails = c.readFails;
        k.display.fontSmoothingSwitchFails = c.switchFails;
        EXPECT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1), 1);
        EXPECT_EQ(k.sprite.nFontSmoothing, c.found);
        EXPECT_EQ(k.display.fontSmoothing(), c.after);
        const auto lines = k.debugLines();
        ASSERT_EQ(lines.size(), c.warning ? 2u : 1u);
        if (c.warning) {
            EXPECT_EQ(lines[1], std::string("Warn: <ZKSPRITE::Initialize> ") + c.warning);
        }
    }
}

TEST(ZKSPRITESetup, RepeatedInitializeReplacesEverythingAndKeepsTheSlots) {
    zktest::SpriteKit k(32, 1);
    k.loadPicture(0, 4, 4);
    const platform::Surface* firstBack = k.sprite.pBack;
    ASSERT_EQ(k.sprite.SetClipper(nullptr), 1);
    ASSERT_EQ(k.sprite.DDTextOutLock(0, 0, "a", 0xFFFFFF, 24, 400), 1);
    EXPECT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 16, 1), 1);
    EXPECT_EQ(k.sprite.DDTextOutUnlock(), 1) << "the text run closed with its back buffer";
    EXPECT_NE(k.sprite.pBack, firstBack);
    EXPECT_EQ(k.sprite.pBack->format().bytesPerPixel(), 2u);
    EXPECT_EQ(k.sprite.GetSurfaceLoadState(0), 0);
    // A failed attempt leaves no object behind that a drawing call could reach.
    k.display.primaryMissing = true;
    EXPECT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1), 0);
    EXPECT_EQ(k.sprite.pBack, nullptr);
    k.clearLog();
    EXPECT_EQ(k.sprite.D3DXDrawStart(), 0);
    EXPECT_EQ(k.sprite.DDBlt(0, 0, 0, 0), 0);
    EXPECT_EQ(k.debugLines().size(), 2u);
}

TEST(ZKSPRITESetup, AFailedLibraryStartFailsTheSetUp) {
    zktest::SpriteKit k;
    k.display.libraryStartFails = true;
    k.sprite.InitD3DX();
    EXPECT_EQ(k.debugLines(),
              std::vector<std::string>{"Error: <ZKSPRITE::ZKSPRITE> DirectXの初期化に失敗"});
    EXPECT_EQ(k.sprite.Initialize(nullptr, nullptr, 800, 600, 32, 1), -1);
}
