#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "platform/video/DisplayStatus.h"
#include "support/SpriteKit.h"

using zktest::CoordColor;

namespace {

// A set-up object with a coordinate picture of w x h in surface slot 0, inside a
// frame that the test closes with present().
struct BlitKit : zktest::SpriteKit {
    BlitKit(int w, int h, std::uint32_t bits = 32) {
        setUp(bits);
        loadPicture(0, w, h);
        sprite.D3DXDrawStart();
    }
    // Presents the frame and reads the captured pixel.
    std::uint32_t shown(int x, int y) {
        if (display.presents() == 0) sprite.D3DXDrawEnd();
        return display.frame()[static_cast<std::size_t>(y) * 800 + x];
    }
    std::size_t drawnPixels() {
        shown(0, 0);
        std::size_t count = 0;
        for (const auto pixel : display.frame()) count += pixel != 0;
        return count;
    }
};

struct Expect {
    int x, y;
    std::uint32_t color;
};
using Pixels = std::vector<Expect>;

}  // namespace

TEST(ZKSPRITEBlit, WholeSlotClippedAtEveryScreenEdge) {
    const struct {
        int x, y;
        int result;
        Pixels pixels;
        std::size_t drawn;
    } cases[] = {
        {-30, 10, 1, Pixels{{0, 10, CoordColor(30, 0)}, {69, 59, CoordColor(99, 49)}, {70, 10, 0}},
         70 * 50},
        {750, 580, 1, {{750, 580, CoordColor(0, 0)}, {799, 599, CoordColor(49, 19)}}, 50 * 20 - 1},
        {10, -20, 1, {{10, 0, CoordColor(0, 20)}, {109, 29, CoordColor(99, 49)}}, 100 * 30},
        {801, 0, 0, {}, 0},
        {0, 601, 0, {}, 0},
        {-100, 0, 1, {}, 0},  // the right edge lies on 0: issued, empty
        {800, 600, 1, {}, 0},
        {-101, 0, 0, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        BlitKit k(100, 50);
        EXPECT_EQ(k.sprite.DDBlt(0, c.x, c.y, 0), c.result);
        for (const Expect& e : c.pixels) EXPECT_EQ(k.shown(e.x, e.y), e.color);
        EXPECT_EQ(k.drawnPixels(), c.drawn);
        EXPECT_TRUE(k.debugLines().empty());
    }
}

TEST(ZKSPRITEBlit, RangeCentreAndKeyedBlits) {
    EXPECT_EQ(zktest::SpriteKit().sprite.DDBltRange(0, 5, 5, 10, 0, 10, 50, 1), 1);

    BlitKit k(101, 51);
    ASSERT_EQ(k.sprite.DDBltRange(0, -5, 0, 10, 20, 30, 25, 0), 1);
    ASSERT_EQ(k.sprite.DDBltCenter(0, 400, 300, 0), 1);
    k.sprite.GetSurface(0)->setColorKey(CoordColor(1, 0));
    ASSERT_EQ(k.sprite.DDBlt(0, 600, 0, 1), 1);
    EXPECT_EQ(k.shown(0, 0), CoordColor(15, 20));
    EXPECT_EQ(k.shown(14, 4), CoordColor(29, 24));
    EXPECT_EQ(k.shown(15, 0), 0u);
    EXPECT_EQ(k.shown(350, 275), CoordColor(0, 0));
    EXPECT_EQ(k.shown(450, 325), CoordColor(100, 50));
    EXPECT_EQ(k.shown(600, 0), CoordColor(0, 0));
    EXPECT_EQ(k.shown(601, 0), 0u);  // keyed out
    EXPECT_EQ(k.shown(602, 0), CoordColor(2, 0));
}

TEST(ZKSPRITEBlit, ScaledPlateAndFactors) {
    BlitKit k(274, 50);
    ASSERT_EQ(k.sprite.DDBltScale(0, 400, 300, 0, 0, 274, 50, 0.5f, 0.5f, 1), platform::DD_OK);
    EXPECT_EQ(k.shown(332, 288), CoordColor(0, 0));
    EXPECT_EQ(k.shown(468, 312), CoordColor(272, 48));
    EXPECT_EQ(k.shown(469, 300), 0u);
    EXPECT_EQ(k.shown(331, 300), 0u);
    EXPECT_EQ(k.shown(400, 313), 0u);
    EXPECT_EQ(k.drawnPixels(), 137u * 25u - 1);  // less the black top-left pixel

    const float nan = std::nanf("");
    const struct {
        float factor;
        int x;
    } nothing[] = {{0.0f, -50}, {-1.0f, 10}, {nan, 10}, {INFINITY, 10}};
    for (const auto& n : nothing) {
        BlitKit e(10, 10);
        EXPECT_EQ(e.sprite.DDBltScale(0, n.x, 0, n.factor, n.factor, 0), 1);
        EXPECT_EQ(e.sprite.DDBltScale(0, n.x, 0, n.factor, 1.0f, 0, ZKSPRITE::kCenter), 1);
        EXPECT_EQ(e.sprite.DDBltScale(0, n.x, 0, 0, 0, 10, 10, 1.0f, n.factor, 0), 0);
        EXPECT_EQ(e.drawnPixels(), 0u);
    }

    // Factor 2 past the right edge and past the left edge.
    BlitKit two(10, 10);
    ASSERT_EQ(two.sprite.DDBltScale(0, 790, 0, 2.0f, 2.0f, 0), 1);
    ASSERT_EQ(two.sprite.DDBltScale(0, -5, 100, 2.0f, 2.0f, 0), 1);
    ASSERT_EQ(two.sprite.DDBltScale(0, 400, 300, 2.0f, 2.0f, 0, ZKSPRITE::kCenter), 1);
    EXPECT_EQ(two.shown(790, 0), CoordColor(0, 0));
    EXPECT_EQ(two.shown(799, 19), CoordColor(4, 9));
    EXPECT_EQ(two.shown(0, 100), CoordColor(2, 0));
    EXPECT_EQ(two.shown(15, 119), CoordColor(9, 9));
    EXPECT_EQ(two.shown(390, 290), CoordColor(0, 0));
    EXPECT_EQ(two.shown(409, 309), CoordColor(9, 9));
    // Each picture but the cut one shows its black top-left pixel four times.
    EXPECT_EQ(two.drawnPixels(), (200u - 4) + 320u + (400u - 4));
}

TEST(ZKSPRITEBlit, ScaledBlitGuardAndIndex) {
    zktest::SpriteKit before;
    EXPECT_EQ(before.sprite.DDBltScale(0, 0, 0, 1.0f, 1.0f, 0), 0);
    EXPECT_EQ(before.sprite.DDBltScale(0, 0, 0, 0, 0, 0, 5, 1.0f, 1.0f, 0), 1);
    EXPECT_EQ(before.debugLines(),
              std::vector<std::string>{"Error: <ZKSPRITE::DDBltScale> 初期化されていません"});

    BlitKit k(10, 10);
    EXPECT_EQ(k.sprite.DDBltScale(99, 0, 0, 1.0f, 1.0f, 0), -1);
    EXPECT_EQ(k.sprite.DDBltScale(3, 0, 0, 1.0f, 1.0f, 0, ZKSPRITE::kCenter), -1);
    EXPECT_EQ(k.sprite.DDBltScale(-1, 0, 0, 0, 0, 5, 5, 1.0f, 1.0f, 0), -1);
    EXPECT_EQ(k.sprite.DDBlt(3, 0, 0, 0), -1);
    EXPECT_EQ(k.sprite.DDBltCenter(8, 0, 0, 0), -1);
    const std::string head = "Error: <ZKSPRITE::";
    EXPECT_EQ(k.debugLines(),
              (std::vector<std::string>{
                  head + "DDBltScale> 出力元のインデックス番号外を指定しています",
                  head + "DDBltScale> 何らかの要因で出力元サーフェスポインタが消失しています",
                  head + "DDBltScale> 出力元のインデックス番号外を指定しています",
                  head + "DDBlt> 何らかの要因で出力元サーフェスポインタが消失しています",
                  head + "DDBlt> 出力元のインデックス番号外を指定しています",
              }));
}

TEST(ZKSPRITEBlit, SourceRectangleOutsideThePictureIsRefused) {
    BlitKit k(100, 50);
    EXPECT_EQ(k.sprite.DDBltRange(0, 0, 0, 50, 0, 101, 10, 0), -1);
    EXPECT_EQ(k.sprite.DDBltRange(0, 0, 0, -1, 0, 10, 10, 0), -1);
    EXPECT_EQ(k.sprite.DDBltScale(0, 400, 300, 0, 40, 10, 60, 1.0f, 1.0f, 0), -1);
    ASSERT_EQ(k.sprite.CreateEmptySurface(1, 100, 50), platform::DD_OK);
    const platform::Rect outside{90, 0, 110, 10};
    EXPECT_EQ(k.sprite.SurfaceComposition(1, 0, 0, 0, &outside, 1.0f, 1.0f, 0), 0);
    EXPECT_EQ(k.drawnPixels(), 0u);
    const std::string text = "> 転送元の矩形が画像の外にあります";
    EXPECT_EQ(k.debugLines(), (std::vector<std::string>{
                                  "Error: <ZKSPRITE::DDBltRange" + text,
                                  "Error: <ZKSPRITE::DDBltRange" + text,
                                  "Error: <ZKSPRITE::DDBltScale" + text,
                                  "Error: <ZKSPRITE::SurfaceComposition> 合成に失敗しました",
                              }));
}

// Drawn every frame, a refused source is told once for its place and picture, and
// again only after that place has drawn it in between.
TEST(ZKSPRITEBlit, ARefusedSourceIsToldOncePerPlaceAndPictureUntilItDrawsAgain) {
    const std::string lost = "何らかの要因で出力元サーフェスポインタが消失しています";
    const std::string gone = "何らかの要因で出力元テクスチャポインタが消失しています";
    const std::string outside = "転送元の矩形が画像の外にあります";
    const struct {
        const char* name;
        bool texture;
        // Slot i drawn from one place; wide asks for more than the picture holds.
        std::function<int(ZKSPRITE&, int i, bool wide)> draw;
    } places[] = {
        {"DDBlt", false, [](ZKSPRITE& s, int i, bool) { return s.DDBlt(i, 0, 0, 0); }},
        {"DDBltRange", false,
         [](ZKSPRITE& s, int i, bool wide) {
             return s.DDBltRange(i, 0, 0, 0, 0, wide ? 11 : 5, 5, 0);
         }},
        {"DDBlt", false, [](ZKSPRITE& s, int i, bool) { return s.DDBltCenter(i, 9, 9, 0); }},
        {"DDBltScale", false,
         [](ZKSPRITE& s, int i, bool) { return s.DDBltScale(i, 0, 0, 2.0f, 2.0f, 0); }},
        {"DDBltScale", false,
         [](ZKSPRITE& s, int i, bool wide) {
             return s.DDBltScale(i, 50, 50, 0, 0, 5, wide ? 11 : 5, 2.0f, 2.0f, 0);
         }},
        {"D3DXSpriteDrawTL", true,
         [](ZKSPRITE& s, int i, bool) {
             return s.D3DXSpriteDrawTL(i, 0, 0, 0, nullptr, 1, 1, 0, 0);
         }},
        {"D3DXSpriteDrawCenter", true,
         [](ZKSPRITE& s, int i, bool) {
             return s.D3DXSpriteDrawCenter(i, 9, 9, 0, nullptr, 1, 1, 0, 0);
         }},
        {"D3DXSpriteDrawEffectTL", true,
         [](ZKSPRITE& s, int i, bool) {
             return s.D3DXSpriteDrawEffectTL(i, 0, 0, 0, nullptr, 1, 1, 1, 0, 0);
         }},
        {"D3DXRGBDraw", true,
         [](ZKSPRITE& s, int i, bool) { return s.D3DXRGBDraw(i, 0, 0, 0, 0xFFFFFF, nullptr, 0); }},
    };
    for (const auto& p : places) {
        SCOPED_TRACE(p.name);
        BlitKit k(10, 10);
        k.loadFlatTexture(0, 10, 10, 0x808080);
        ZKIMAGEDATA& slot = p.texture ? k.sprite.pTextureTable[0] : k.sprite.pSurfaceTable[0];
        const auto frames = [&](int n, int i, bool wide = false) {
            for (int frame = 0; frame < n; ++frame) p.draw(k.sprite, i, wide);
        };
        slot.Release();
        frames(3, 0);
        // Another picture at the same place has its own line.
        frames(2, 1);
        if (p.texture) {
            k.loadFlatTexture(0, 10, 10, 0x808080);
        } else {
            k.loadPicture(0, 10, 10);
        }
        EXPECT_GE(p.draw(k.sprite, 0, false), 0);
        slot.Release();
        frames(2, 0);
        const std::string head = std::string("Error: <ZKSPRITE::") + p.name + "> ";
        const std::string missing = head + (p.texture ? gone : lost);
        EXPECT_EQ(k.debugLines(), (std::vector<std::string>{missing, missing, missing}));
    }
    // A range outside its picture, and after a draw inside it, outside again.
    BlitKit k(10, 10);
    for (const bool wide : {true, true, false, true}) places[1].draw(k.sprite, 0, wide);
    EXPECT_EQ(k.debugLines(),
              (std::vector<std::string>{"Error: <ZKSPRITE::DDBltRange> " + outside,
                                        "Error: <ZKSPRITE::DDBltRange> " + outside}));
}

TEST(ZKSPRITEBlit, SurfaceCompositionFillsCopiesAndScales) {
    BlitKit k(4, 4);
    ASSERT_EQ(k.sprite.CreateEmptySurface(5, 800, 600), platform::DD_OK);
    platform::Surface* dest = k.sprite.GetSurface(5);
    dest->fill(dest->bounds(), 0xFFFFFF);
    EXPECT_EQ(k.sprite.SurfaceComposition(5, -1, 123, 456, nullptr, 9.0f, 9.0f, 1), 1);
    EXPECT_EQ(k.slotPixel(5, 0, 0), 0u);
    EXPECT_EQ(k.slotPixel(5, 799, 599), 0u);
    const platform::Rect part{1, 1, 3, 3};
    EXPECT_EQ(k.sprite.SurfaceComposition(5, 0, 10, 10, &part, 1.0f, 1.0f, 0), 1);
    EXPECT_EQ(k.sprite.SurfaceComposition(5, 0, 20, 20, nullptr, 0.5f, 0.5f, 0), 1);
    EXPECT_EQ(k.sprite.SurfaceComposition(5, 0, 30, 30, nullptr, 0.0f, 0.0f, 0), 1);
    const Expect expect[] = {{10, 10, CoordColor(1, 1)},
                             {11, 11, CoordColor(2, 2)},
                             {12, 10, 0},
                             {20, 20, CoordColor(0, 0)},
                             {21, 21, CoordColor(2, 2)},
                             {22, 20, 0},
                             {30, 30, 0}};
    for (const auto& e : expect) EXPECT_EQ(k.slotPixel(5, e.x, e.y), e.color) << e.x << "," << e.y;
    EXPECT_TRUE(k.debugLines().empty());

    const std::string head = "Error: <ZKSPRITE::SurfaceComposition> ";
    EXPECT_EQ(k.sprite.SurfaceComposition(8, -2, 0, 0, nullptr, 1.0f, 1.0f, 0), 0);
    EXPECT_EQ(k.sprite.SurfaceComposition(6, 0, 0, 0, nullptr, 1.0f, 1.0f, 0), 0);
    EXPECT_EQ(k.sprite.SurfaceComposition(5, 6, 0, 0, nullptr, 1.0f, 1.0f, 0), 0);
    k.sprite.GetSurface(0)->markLost();
    EXPECT_EQ(k.sprite.SurfaceComposition(5, 0, 0, 0, nullptr, 1.0f, 1.0f, 0), 0);
    EXPECT_EQ(k.debugLines(), (std::vector<std::string>{
                                  head + "引数が不正です",
                                  head + "引数が不正です",
                                  head + "出力先サーフェスポインタが失われています",
                                  head + "合成元サーフェスポインタが失われています",
                                  head + "合成に失敗しました",
                              }));
}

TEST(ZKSPRITEBlit, FillAndRectangleOnEveryTarget) {
    BlitKit k(4, 4);
    const platform::Rect rect{10, 10, 16, 15};
    EXPECT_EQ(k.sprite.DDFillRect(-1, &rect, 0x0000FF), 0);
    EXPECT_EQ(k.sprite.DDRectangle(-1, &rect, 0x00FF00), 0);
    EXPECT_EQ(k.sprite.DDFillRect(-2, &rect, 0xFF0000), 0);
    EXPECT_EQ(k.sprite.DDRectangle(0, &rect, 0x00FF00), 0);  // wholly outside the 4 x 4 slot
    const platform::Rect corner{-1, -1, 3, 3};
    EXPECT_EQ(k.sprite.DDFillRect(0, &corner, 0xFFFFFF), 0);
    EXPECT_EQ(k.slotPixel(0, 2, 2), 0xFFFFFFu);
    EXPECT_EQ(k.slotPixel(0, 3, 3), CoordColor(3, 3));
    // The outline is two pixels wide inside the rectangle, the inside white.
    for (int y = 10; y < 15; ++y) {
        for (int x = 10; x < 16; ++x) {
            const bool edge = x < 12 || x > 13 || y < 12 || y > 12;
            EXPECT_EQ(k.shown(x, y), edge ? 0x00FF00u : 0xFFFFFFu) << x << "," << y;
        }
    }
    EXPECT_EQ(k.shown(16, 10), 0u);

    const std::string fill = "Error: <ZKSPRITE::DDFillRect> ";
    const std::string shape = "Error: <ZKSPRITE::DDRectangle> ";
    EXPECT_EQ(k.sprite.DDRectangle(-3, &rect, 0), -1);
    EXPECT_EQ(k.sprite.DDRectangle(8, &rect, 0), -1);
    EXPECT_EQ(k.sprite.DDFillRect(1, &rect, 0), -1);
    k.sprite.pBack->markLost();
    k.sprite.GetSurface(0)->markLost();
    EXPECT_EQ(k.sprite.DDFillRect(-1, &rect, 0), -1);
    EXPECT_EQ(k.sprite.DDRectangle(0, &rect, 0), -1);
    EXPECT_EQ(k.debugLines(),
              (std::vector<std::string>{
                  shape + "インデックス番号外を指定しています",
                  shape + "インデックス番号外を指定しています",
                  fill + "何らかの要因で出力先サーフェスポインタが消失しています",
                  fill + "バックサーフェスからデバイスコンテキストの取得に失敗しました",
                  shape + "指定サーフェスからデバイスコンテキストの取得に失敗しました",
              }));
    zktest::SpriteKit none;
    EXPECT_EQ(none.sprite.DDFillRect(-1, &rect, 0), 0);
}
