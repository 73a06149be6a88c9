#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/SpriteKit.h"

using platform::Rect;
using zktest::SpriteKit;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0;

// The smallest rectangle holding every back-buffer pixel that is not the background.
Rect DrawnBounds(const SpriteKit& k, std::uint32_t background) {
    Rect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    const auto pixels = k.sprite.pBack->toXrgb();
    for (int y = 0; y < 600; ++y) {
        for (int x = 0; x < 800; ++x) {
            if (pixels[static_cast<std::size_t>(y) * 800 + x] == background) continue;
            r = Rect{std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
                     std::max(r.bottom, y + 1)};
        }
    }
    return r;
}

std::uint32_t Channel(std::uint32_t xrgb, int shift) { return xrgb >> shift & 0xFF; }

}  // namespace

TEST(ZKSPRITESprite, CoveredPixelsOfEachPlacement) {
    SpriteKit k(32);
    k.loadFlatTexture(0, 100, 50, kBlack);
    k.loadFlatTexture(1, 16, 16, kBlack);
    k.loadFlatTexture(2, 256, 128, kWhite);
    ZKSPRITE& s = k.sprite;
    const Rect small{0, 0, 20, 10};
    const Rect quarter{64, 0, 128, 64};
    const auto topLeft = [&](const Rect* src, float scale, float angle) {
        return s.D3DXSpriteDrawTL(0, 10, 20, 0, src, 1, scale, angle, 0);
    };
    const float turn = std::numbers::pi_v<float> / 2;
    const struct {
        const char* what;
        std::uint32_t background;
        std::function<int()> draw;
        Rect bounds;
    } cases[] = {
        {"top-left", kWhite, [&] { return topLeft(nullptr, 1, 0); }, {10, 20, 110, 70}},
        {"top-left at scale 2", kWhite, [&] { return topLeft(nullptr, 2, 0); }, {10, 20, 210, 120}},
        {"source rectangle", kWhite, [&] { return topLeft(&small, 1, 0); }, {10, 20, 30, 30}},
        {"quarter turn", kWhite, [&] { return topLeft(nullptr, 1, turn); }, {35, 0, 85, 95}},
        {"stretched over the screen", kWhite,
         [&] { return s.D3DXSpriteDrawEffectTL(1, 0, 0, 0, nullptr, 1, 50, 37.5f, 0, 0); },
         Rect{0, 0, 800, 600}},
        {"quad of a quarter", kBlack,
         [&] { return s.D3DXRGBDraw(2, 100, 100, 0, 0xFFFFFF, &quarter, 0); },
         Rect{100, 100, 164, 164}},
    };
    for (const auto& c : cases) {
        k.fillBack(c.background);
        EXPECT_EQ(c.draw(), 1) << c.what;
        EXPECT_EQ(DrawnBounds(k, c.background), c.bounds) << c.what;
    }
    EXPECT_TRUE(k.debugLines().empty());
}

TEST(ZKSPRITESprite, AlignedDrawsCopyTexelsExactly) {
    for (const std::uint32_t bits : {32u, 16u}) {
        SpriteKit k(bits);
        const auto picture = zktest::CoordPicture(800, 600);
        k.loadTexture(0, 800, 600, picture);
        k.loadTexture(1, 64, 32, zktest::CoordPicture(64, 32));
        const platform::PixelFormat& format = k.sprite.pBack->format();
        const auto expect = [&](std::uint32_t xrgb) {
            return format.toXrgb(format.fromXrgb(xrgb));
        };

        ASSERT_EQ(k.sprite.D3DXSpriteDrawEffectTL(0, 0, 0, 0, nullptr, 1, 1, 1, 0, 0), 1);
        const auto overlay = k.sprite.pBack->toXrgb();
        for (std::size_t i = 0; i < overlay.size(); i += 97) {
            ASSERT_EQ(overlay[i], expect(picture[i])) << "pixel " << i << " at " << bits;
        }
        ASSERT_EQ(k.sprite.D3DXSpriteDrawTL(1, 5, 7, 0, nullptr, 1, 1, 0, 0), 1);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 64; ++x) {
                ASSERT_EQ(k.backPixel(5 + x, 7 + y), expect(zktest::CoordColor(x, y)));
            }
        }
    }
}

TEST(ZKSPRITESprite, BlendValues) {
    SpriteKit k(32);
    k.loadFlatTexture(0, 800, 600, kBlack);
    k.loadFlatTexture(1, 10, 10, 0x808080);
    k.loadFlatTexture(2, 10, 10, 0x202020);
    k.loadFlatTexture(3, 10, 10, 0xC8C8C8);  // 200
    ZKSPRITE& s = k.sprite;

    // The fade overlay at half alpha: (0 * 128 + 255 * 127 + 127) / 255.
    k.fillBack(kWhite);
    s.D3DXSpriteDrawEffectTL(0, 0, 0, 0, nullptr, 0.5f, 1, 1, 0, 0);
    EXPECT_EQ(k.backPixel(400, 300), 0x7F7F7Fu);

    // Additive sprites add and saturate; alpha has no effect there.
    k.fillBack(0xC01010);
    s.D3DXSpriteDrawTL(1, 0, 0, 0, nullptr, 0.25f, 1, 0, 1);
    s.D3DXSpriteDrawTL(2, 0, 0, 0, nullptr, 0.25f, 1, 0, 1);
    EXPECT_EQ(k.backPixel(5, 5), 0xFFB0B0u);

    // Two quads of grey levels a and 255 - a make a cross-fade over black.
    k.fillBack(kBlack);
    s.D3DXRGBDraw(3, 0, 0, 0, 0x646464, nullptr, 0);  // 200 at a = 100
    s.D3DXRGBDraw(1, 0, 0, 0, 0x9B9B9B, nullptr, 0);  // 128 at 155
    const std::uint32_t level = (200 * 100 + 127) / 255 + (128 * 155 + 127) / 255;
    EXPECT_EQ(k.backPixel(3, 3), level * 0x010101u);
    EXPECT_EQ(k.backPixel(10, 3), kBlack);
}

TEST(ZKSPRITESprite, KeyAndFilteringKeepToTheTexturesColours) {
    SpriteKit k(32);
    // Left half in the key colour (the top-left pixel), right half red.
    std::vector<std::uint32_t> keyed(16, 0xFF00FF);
    for (int y = 0; y < 4; ++y) keyed[y * 4 + 2] = keyed[y * 4 + 3] = 0xFF0000;
    k.loadTexture(0, 4, 4, keyed, 1);
    k.loadTexture(1, 2, 1, {0x204060, 0x80A0C0});
    k.fillBack(kWhite);
    ASSERT_EQ(k.sprite.D3DXSpriteDrawTL(0, 10, 10, 1, nullptr, 1, 2, 0, 0), 1);
    ASSERT_EQ(k.sprite.D3DXSpriteDrawTL(1, 100, 100, 0, nullptr, 1, 2, 0, 0), 1);
    EXPECT_EQ(k.backPixel(11, 11), kWhite) << "keyed texels are transparent";
    EXPECT_EQ(k.backPixel(17, 11), 0xFF0000u);
    bool blended = false;
    for (int x = 10; x < 18; ++x) {
        const std::uint32_t p = k.backPixel(x, 12);
        // White and red only: a key-coloured fringe would lower green against blue.
        EXPECT_EQ(Channel(p, 16), 255u);
        EXPECT_EQ(Channel(p, 8), Channel(p, 0)) << x;
    }
    for (int x = 100; x < 104; ++x) {
        const std::uint32_t p = k.backPixel(x, 100);
        for (const int shift : {16, 8, 0}) {
            EXPECT_GE(Channel(p, shift), Channel(0x204060, shift));
            EXPECT_LE(Channel(p, shift), Channel(0x80A0C0, shift));
        }
        blended = blended || (p != 0x204060 && p != 0x80A0C0);
    }
    EXPECT_TRUE(blended);
    EXPECT_EQ(k.backPixel(104, 100), kWhite);
}

TEST(ZKSPRITESprite, SourceBeyondTheTextureRepeatsItsEdge) {
    SpriteKit k(32);
    k.loadFlatTexture(0, 800, 600, kBlack);
    k.fillBack(kBlack);
    const Rect strip{0, 800, 400, 856};
    ASSERT_EQ(k.sprite.D3DXSpriteDrawTL(0, 0, 100, 0, &strip, 1, 1, 0, 0), 1);
    EXPECT_EQ(DrawnBounds(k, kBlack).left, INT32_MAX) << "every covered pixel is the edge's";
    k.fillBack(kWhite);
    ASSERT_EQ(k.sprite.D3DXSpriteDrawTL(0, 0, 100, 0, &strip, 1, 1, 0, 0), 1);
    EXPECT_EQ(DrawnBounds(k, kWhite), (Rect{0, 100, 400, 156}));
}

TEST(ZKSPRITESprite, StatesAreSwitchedOffAfterSuccessAndFailure) {
    SpriteKit k(32);
    k.loadFlatTexture(0, 10, 10, 0x808080);
    const platform::RenderState& state = k.sprite.pD3DDevice->state;
    const auto expectStates = [&](bool key, platform::BlendMode blend) {
        EXPECT_EQ(state.colorKey, key);
        EXPECT_EQ(state.blend(), blend);
    };
    EXPECT_EQ(k.sprite.D3DXSpriteDrawTL(0, 0, 0, 1, nullptr, 1, 1, 0, 1), 1);
    expectStates(false, platform::BlendMode::Normal);

    // A lost back buffer whose restore cannot help: the draw fails, the states go off.
    k.display.loseEverything();
    k.display.restoreAllFails = true;
    EXPECT_EQ(k.sprite.D3DXSpriteDrawTL(0, 0, 0, 1, nullptr, 1, 1, 0, 1), 0);
    expectStates(false, platform::BlendMode::Normal);
    EXPECT_EQ(k.debugLines(),
              std::vector<std::string>{"Error: <ZKSPRITE::D3DXSpriteDrawCenter> "
                                       "D3DXDrawSpriteSimpleでの描画に失敗しました"});

    // The effect pair switches the same states for a series of draws.
    EXPECT_EQ(k.sprite.D3DXSpriteEffectSet(1, 1), 1);
    expectStates(true, platform::BlendMode::Additive);
    EXPECT_EQ(k.sprite.D3DXSpriteEffectRelease(1, 1), 1);
    expectStates(false, platform::BlendMode::Normal);

    k.clearLog();
    k.display.renderSettingsFail = true;
    k.sprite.D3DXSpriteEffectSet(1, 1);
    k.sprite.D3DXSpriteEffectRelease(1, 1);
    const std::string set = "Warn: <ZKSPRITE::D3DXSpriteEffectSet> ";
    const std::string release = "Warn: <ZKSPRITE::D3DXSpriteEffectRelease> ";
    EXPECT_EQ(k.debugLines(), (std::vector<std::string>{
                                  set + "カラーキー設定に失敗しました",
                                  set + "デバイスのアルファブレンディング有効化に失敗しました",
                                  set + "転送元画像のアルファブレンディング設定に失敗しました",
                                  set + "転送先画像のアルファブレンディング設定に失敗しました",
                                  release + "デバイスのアルファブレンディング無効化に失敗しました",
                                  release + "D3DXPrepareDeviceForSpriteが失敗しました",
                                  release + "テクスチャ状態の初期設定に失敗しました",
                                  release + "カラーキー無効に失敗しました",
                              }));
}

TEST(ZKSPRITESprite, FlatRectanglesIgnoreTheLastTexture) {
    SpriteKit k(32);
    k.loadFlatTexture(0, 10, 10, 0x808080);
    k.sprite.D3DXSpriteDrawTL(0, 0, 0, 0, nullptr, 1, 1, 0, 0);
    k.fillBack(kWhite);
    const Rect rects[] = {{10, 10, 20, 20}, {30, 30, 30, 40}};
    const platform::ColorRef colors[] = {0x0000FF, 0x00FF00};  // red, then an empty green one
    EXPECT_EQ(k.sprite.D3DXFillRectDraw(rects, colors, 2), 0);
    EXPECT_EQ(DrawnBounds(k, kWhite), rects[0]);
    EXPECT_EQ(k.backPixel(15, 15), 0xFF0000u);

    EXPECT_EQ(k.sprite.D3DXFillRectDraw(rects, colors, 0), 0);
    EXPECT_EQ(k.sprite.D3DXFillRectDraw(rects, colors, -1), 0);
    EXPECT_EQ(k.sprite.D3DXFillRectDraw(nullptr, colors, 1), 0);
    EXPECT_EQ(k.debugLines(), (std::vector<std::string>{
                                  "Error: <ZKSPRITE::D3DXFillRectDraw> 短形数が不正です",
                                  "Error: <ZKSPRITE::D3DXFillRectDraw> 引数のポインタが不正です",
                              }));
}

TEST(ZKSPRITESprite, BadIndexesAndEmptySlotsWithoutALossReloadNothing) {
    SpriteKit k(32);
    k.loadPicture(0, 8, 8);
    ZKSPRITE& s = k.sprite;
    // The draws share one slot check; the centred draw alone skips the reload.
    const struct {
        const char* name;
        std::function<int(int)> draw;
    } draws[] = {
        {"D3DXSpriteDrawCenter",
         [&](int i) { return s.D3DXSpriteDrawCenter(i, 0, 0, 0, nullptr, 1, 1, 0, 0); }},
        {"D3DXSpriteDrawTL",
         [&](int i) { return s.D3DXSpriteDrawTL(i, 0, 0, 0, nullptr, 1, 1, 0, 0); }},
    };
    for (const auto& d : draws) {
        k.clearLog();
        EXPECT_EQ(d.draw(4), 0);
        EXPECT_EQ(d.draw(-1), 0);
        EXPECT_EQ(d.draw(1), 0);
        const std::string tag = std::string("Error: <ZKSPRITE::") + d.name + "> ";
        EXPECT_EQ(k.debugLines(),
                  (std::vector<std::string>{
                      tag + "インデックス番号外を指定しています",
                      tag + "インデックス番号外を指定しています",
                      tag + "何らかの要因で出力元テクスチャポインタが消失しています",
                  }))
            << "no reload line, so nothing was read again";
    }
}

TEST(ZKSPRITESprite, ALossIsRestoredAndTheDrawRetried) {
    SpriteKit k(32);
    k.loadFlatTexture(0, 10, 10, 0x808080);
    k.display.loseEverything();
    EXPECT_EQ(k.sprite.D3DXSpriteDrawTL(0, 0, 0, 0, nullptr, 1, 1, 0, 0), 1);
    EXPECT_EQ(k.backPixel(9, 9), 0x808080u);
    const auto lines = k.debugLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "Reload中 … サーフェス枚数: 8");
    EXPECT_EQ(lines.back(),
              "Message: <ZKSPRITE::ReLoadTexture> 0番目のテクスチャをリロードしました");
}

TEST(ZKSPRITESprite, TheCallersRectangleIsLeftAsGiven) {
    SpriteKit k(32);
    k.loadFlatTexture(0, 16, 16, kBlack);
    Rect src{0, 0, 16, 16};
    for (int frame = 0; frame < 3; ++frame) {
        k.fillBack(kWhite);
        EXPECT_EQ(k.sprite.D3DXSpriteDrawEffectTL(0, 0, 0, 0, &src, 1, 1, 1, 0, 0), 1);
        EXPECT_EQ(src, (Rect{0, 0, 16, 16}));
        EXPECT_EQ(DrawnBounds(k, kWhite), (Rect{0, 0, 16, 16}));
    }
    const Rect thin{0, 0, 1, 1};  // shrinks to nothing: drawn as nothing, still a success
    k.fillBack(kWhite);
    EXPECT_EQ(k.sprite.D3DXSpriteDrawEffectTL(0, 0, 0, 0, &thin, 1, 1, 1, 0, 0), 1);
    EXPECT_EQ(DrawnBounds(k, kWhite).left, INT32_MAX);
}

TEST(ZKSPRITESprite, PixelRead) {
    EXPECT_EQ(SpriteKit().sprite.GetSurfaceColor(-1, 0, 0), 0);
    for (const std::uint32_t bits : {32u, 16u}) {
        SpriteKit k(bits);
        k.loadPicture(0, 8, 8);
        k.fillBack(0x123456);
        const platform::PixelFormat& format = k.sprite.pBack->format();
        const auto colorRef = [&](std::uint32_t xrgb) {
            return static_cast<std::int32_t>(format.toColorRef(format.fromXrgb(xrgb)));
        };
        EXPECT_EQ(k.sprite.GetSurfaceColor(-1, 3, 3), colorRef(0x123456));
        EXPECT_EQ(k.sprite.GetSurfaceColor(0, 5, 6), colorRef(zktest::CoordColor(5, 6)));
        EXPECT_EQ(static_cast<std::uint32_t>(k.sprite.GetSurfaceColor(0, 8, 0)), 0xFFFFFFFFu);
        EXPECT_EQ(k.sprite.GetSurfaceColor(8, 0, 0), 0);
        EXPECT_EQ(k.sprite.GetSurfaceColor(1, 0, 0), 0);
        k.display.loseEverything();
        EXPECT_EQ(k.sprite.GetSurfaceColor(-1, 0, 0), -1);
        EXPECT_EQ(k.debugLines(),
                  (std::vector<std::string>{
                      "Error: <ZKSPRITE::GetSurfaceColor> インデックス番号外を指定しています",
                      "Error: <ZKSPRITE::GetSurfaceColor> "
                      "何らかの要因でサーフェスポインタが消失しています",
                  }));
    }
}
