#include <gtest/gtest.h>

#include "support/Bytes.h"
#include "support/SpriteKit.h"

using platform::Rect;
using zktest::Sjis;
using zktest::SpriteKit;

namespace {

constexpr std::uint32_t kBlack = 0;

// Columns of the surface that hold anything but black.
std::vector<int> InkedColumns(const platform::Surface& surface, const Rect& area) {
    std::vector<int> columns;
    const auto pixels = surface.toXrgb();
    for (int x = area.left; x < area.right; ++x) {
        for (int y = area.top; y < area.bottom; ++y) {
            if (pixels[static_cast<std::size_t>(y) * surface.width() + x] != kBlack) {
                columns.push_back(x);
                break;
            }
        }
    }
    return columns;
}

bool AnyInk(const platform::Surface& surface, const Rect& area) {
    return !InkedColumns(surface, area).empty();
}

}  // namespace

TEST(ZKSPRITEText, TargetsAndTheirFailures) {
    SpriteKit k(32, 1, 4, 1);
    k.loadPicture(0, 100, 40);
    k.sprite.GetSurface(0)->fill({0, 0, 100, 40}, 0);
    const std::string text = Sjis(u8"表示");
    const Rect box{0, 0, 100, 40};
    ZKSPRITE& s = k.sprite;
    const struct {
        const char* name;
        std::function<int(int)> draw;
    } operations[] = {
        {"DDTextOut", [&](int t) { return s.DDTextOut(t, 0, 0, text.c_str(), 0xFFFFFF, 24, 400); }},
        {"DDTextOutRange",
         [&](int t) { return s.DDTextOutRange(t, &box, text.c_str(), 0xFFFFFF, 24, -1, 400, 0); }},
    };
    for (const auto& op : operations) {
        k.clearLog();
        for (const int target : {-1, -2, 0}) {
            EXPECT_EQ(op.draw(target), 0) << op.name << " " << target;
        }
        EXPECT_TRUE(AnyInk(*s.pBack, box));
        EXPECT_TRUE(AnyInk(*s.pPrimary, box));
        EXPECT_TRUE(AnyInk(*s.GetSurface(0), box));
        const std::string tag = std::string("Error: <ZKSPRITE::") + op.name + "> ";
        const struct {
            int target;
            const char* line;
        } failures[] = {
            {1, "指定サーフェスからデバイスコンテキストの取得に失敗しました"},  // an empty slot
            {4, "インデックス番号外を指定しています"},
            {-3, "インデックス番号外を指定しています"},
        };
        for (const auto& f : failures) {
            k.clearLog();
            EXPECT_EQ(op.draw(f.target), -1);
            EXPECT_EQ(k.debugLines(), std::vector<std::string>{tag + f.line});
        }
    }
    k.display.loseEverything();
    k.clearLog();
    EXPECT_EQ(s.DDTextOut(-1, 0, 0, "a", 0, 24, 400), -1);
    EXPECT_EQ(s.DDTextOutLock(0, 0, "a", 0, 24, 400), -1);
    EXPECT_EQ(k.debugLines(), (std::vector<std::string>{
                                  "Error: <ZKSPRITE::DDTextOut> "
                                  "バックサーフェスからデバイスコンテキストの取得に失敗しました",
                                  "Error: <ZKSPRITE::DDTextOutLock> "
                                  "バックサーフェスからデバイスコンテキストの取得に失敗しました",
                              }));
}

TEST(ZKSPRITEText, LengthOfARangedText) {
    SpriteKit k(32);
    const std::string text = "ABCDEFGHIJ";  // ten cells of 12 pixels
    const Rect box{0, 0, 400, 24};
    const struct {
        int length;
        int lastInkedCell;
    } cases[] = {{1000, 9}, {-1, 9}, {-5, 9}, {4, 3}, {0, -1}};
    for (const auto& c : cases) {
        k.fillBack(kBlack);
        EXPECT_EQ(k.sprite.DDTextOutRange(-1, &box, text.c_str(), 0xFFFFFF, 24, c.length, 400, 0),
                  0);
        const auto columns = InkedColumns(*k.sprite.pBack, box);
        const int last = columns.empty() ? -1 : columns.back() / 12;
        EXPECT_EQ(last, c.lastInkedCell) << "length " << c.length;
    }
}

TEST(ZKSPRITEText, ALockedRunKeepsTheFontOfItsFirstCall) {
    SpriteKit k(32);
    const std::string text = Sjis(u8"表");
    EXPECT_EQ(k.sprite.DDTextOutUnlock(), 1) << "no run open";
    EXPECT_EQ(k.sprite.DDTextOutLock(0, 0, text.c_str(), 0xFFFFFF, 24, 700), 1);
    EXPECT_EQ(k.sprite.DDTextOutLock(0, 100, text.c_str(), 0xFFFFFF, 16, 400), 1);
    EXPECT_EQ(k.sprite.DDTextOutUnlock(), 0);
    EXPECT_EQ(k.sprite.hTextDC, nullptr);
    const auto pixels = k.sprite.pBack->toXrgb();
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            ASSERT_EQ(pixels[y * 800 + x], pixels[(y + 100) * 800 + x]) << x << "," << y;
        }
    }
    EXPECT_TRUE(AnyInk(*k.sprite.pBack, {0, 16, 24, 24})) << "drawn 24 pixels high";
    EXPECT_TRUE(k.debugLines().empty());
}

TEST(ZKSPRITEText, FrameEndAndReleaseCloseAnOpenRun) {
    SpriteKit k(32);
    k.sprite.DDTextOutLock(0, 0, "a", 0xFFFFFF, 24, 400);
    EXPECT_EQ(k.sprite.D3DXDrawEnd(), 1);
    EXPECT_EQ(k.sprite.hTextDC, nullptr);
    EXPECT_EQ(k.debugLines(), std::vector<std::string>{"Warn: <ZKSPRITE::D3DXDrawEnd> "
                                                       "テキスト出力のロックが解除されていません"});
    k.sprite.DDTextOutLock(0, 0, "a", 0xFFFFFF, 24, 400);
    k.sprite.Release();
    EXPECT_EQ(k.sprite.hTextDC, nullptr);
    EXPECT_FALSE(k.sprite.hTextFont.has_value());
}
