#include <gtest/gtest.h>

#include "common/BitmapWriter.h"
#include "platform/video/DisplayStatus.h"
#include "support/Bytes.h"
#include "support/SpriteKit.h"

using zktools::BitmapForm;

namespace {

constexpr std::uint32_t kTopLeft = 0xFFFFFFFFu;

std::uint32_t RawAt(const platform::Surface* surface, int x, int y) {
    std::uint32_t pixel = 0;
    EXPECT_EQ(surface->rawPixel(x, y, pixel), platform::DD_OK);
    return pixel;
}

}  // namespace

TEST(ZKSPRITELoad, SurfaceTakesTheFileSizeAndLoadsOnce) {
    zktest::SpriteKit k(32);
    k.registerPicture(1, 7, 3);
    ASSERT_EQ(k.sprite.CreateSurface(1, 0, kTopLeft), platform::DD_OK);
    platform::Surface* first = k.sprite.GetSurface(1);
    EXPECT_EQ(first->bounds(), (platform::Rect{0, 0, 7, 3}));
    EXPECT_EQ(RawAt(first, 6, 2), zktest::CoordColor(6, 2));
    EXPECT_EQ(k.sprite.CreateSurface(1, 0, kTopLeft), 0);
    EXPECT_EQ(k.sprite.GetSurface(1), first);
    k.sprite.ReleaseSurface(1);
    EXPECT_EQ(k.sprite.GetSurfaceLoadState(1), 1);
    EXPECT_STREQ(k.sprite.GetSurfacePath(1), "pic1.gpc");
    ASSERT_EQ(k.sprite.CreateSurface(1, 0, kTopLeft), platform::DD_OK);
    EXPECT_EQ(k.sprite.GetSurfaceLoadState(1), 0);
    k.sprite.ReleaseSurface(8);
    k.sprite.ReleaseTexture(-1);
    EXPECT_EQ(k.sprite.CreateSurface(8, 0, kTopLeft), -1);
    EXPECT_EQ(k.debugLines(),
              (std::vector<std::string>{
                  "Error: <ZKSPRITE::ReleaseSurface> インデックス番号外を指定しています",
                  "Error: <ZKSPRITE::ReleaseTexture> インデックス番号外を指定しています",
                  "Error: <ZKSPRITE::CreateSurface> インデックス番号外を指定しています",
              }));
}

TEST(ZKSPRITELoad, VideoMemoryRetryAndCreationFailures) {
    const std::string retry =
        "Message: <ZKSPRITE::CreateSurface> VRAMで取得に失敗しました。メインメモリで再試行します";
    const std::string failed = "Error: <ZKSPRITE::CreateSurface> オフスクリーン作成に失敗しました";
    const struct {
        std::uint32_t videoMemory;
        bool allFail;
        std::int32_t result;
        std::vector<std::string> lines;
    } cases[] = {
        {1, false, platform::DD_OK, {retry}},
        {0, false, platform::DD_OK, {}},
        {1, true, platform::DDERR_OUTOFMEMORY, {retry, failed}},
        {0, true, platform::DDERR_OUTOFMEMORY, {failed}},
    };
    for (const auto& c : cases) {
        zktest::SpriteKit k(32);
        k.display.videoMemoryFull = true;
        k.display.surfaceCreationFails = c.allFail;
        k.registerPicture(0, 2, 2);
        k.sprite.SetSurface(0, nullptr, nullptr, c.videoMemory);
        EXPECT_EQ(k.sprite.CreateSurface(0, 0, kTopLeft), c.result);
        EXPECT_EQ(k.sprite.GetSurfaceLoadState(0), c.allFail ? 1 : 0);
        EXPECT_EQ(k.debugLines(), c.lines);
    }
}

TEST(ZKSPRITELoad, ColourKeysFollowTheSurfaceFormat) {
    const struct {
        std::uint32_t bits;
        std::uint32_t rgb;
        std::uint32_t key;
    } cases[] = {
        {32, kTopLeft, 0x112233}, {24, kTopLeft, 0x112233}, {16, kTopLeft, 0x1106},
        {32, 0x0000FF, 0xFF0000}, {16, 0x0000FF, 0xF800},
    };
    const std::vector<std::uint32_t> picture = {0x112233, 0xFC0000, 0xFF0000, 0x000000};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits * 1000 + (c.rgb & 0xFF));
        zktest::SpriteKit k(c.bits);
        zktools::WriteBitmapFile("k.gpc", zktools::BitmapBytes(BitmapForm::Rgb24, 4, 1, picture));
        k.sprite.SetSurface(0, "", "k.gpc", 0);
        ASSERT_EQ(k.sprite.CreateSurface(0, 1, c.rgb), platform::DD_OK);
        EXPECT_EQ(k.sprite.GetSurfaceColorKey(0), 1);
        EXPECT_EQ(k.sprite.pSurfaceTable[0].ddck.dwColorSpaceLowValue, c.key);
        EXPECT_EQ(k.sprite.pSurfaceTable[0].ddck.dwColorSpaceHighValue, c.key);
        const platform::Surface* surface = k.sprite.GetSurface(0);
        EXPECT_EQ(RawAt(surface, 0, 0), surface->format().fromXrgb(0x112233));
    }
}

TEST(ZKSPRITELoad, SurfaceAndTextureHoldTheWholeDecodedPicture) {
    const int width = 7, height = 3;
    for (const std::uint32_t bits : {32u, 16u}) {
        SCOPED_TRACE(bits);
        zktest::SpriteKit k(bits);
        const std::string file = k.registerPicture(0, width, height);
        const auto decoded = platform::BitmapFile::Load(file);
        ASSERT_TRUE(decoded);
        k.sprite.SetTexture(1, "", file.c_str(), 0);
        ASSERT_EQ(k.sprite.CreateSurface(0, 0, kTopLeft), platform::DD_OK);
        ASSERT_EQ(k.sprite.CreateTexture(1, 0, kTopLeft), platform::DD_OK);
        const platform::Surface* surface = k.sprite.GetSurface(0);
        const platform::Texture* texture = k.sprite.GetTexture(1);
        ASSERT_EQ(surface->bounds(), (platform::Rect{0, 0, width, height}));
        ASSERT_EQ(texture->width(), width);
        ASSERT_EQ(texture->height(), height);
        EXPECT_EQ(k.sprite.pTextureTable[1].dwWidth, static_cast<std::uint32_t>(width));
        EXPECT_EQ(k.sprite.pTextureTable[1].dwHeight, static_cast<std::uint32_t>(height));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                EXPECT_EQ(RawAt(surface, x, y), surface->format().fromXrgb(decoded->pixel(x, y)));
                EXPECT_EQ(texture->texel(x, y), decoded->pixel(x, y));
            }
        }
    }
}

TEST(ZKSPRITELoad, GetColorKeyReadsOnePixelAndNeverWrites) {
    zktest::SpriteKit k(16);
    ASSERT_EQ(k.sprite.CreateEmptySurface(0, 1, 1), platform::DD_OK);
    platform::Surface* tiny = k.sprite.GetSurface(0);
    tiny->setPixel(0, 0, 0xFFFFFF);
    EXPECT_EQ(k.sprite.GetColorKey(tiny, kTopLeft), 0xFFFFu);
    EXPECT_EQ(k.sprite.GetColorKey(tiny, 0x00FF00), 0x07E0u);
    EXPECT_EQ(RawAt(tiny, 0, 0), 0xFFFFu);
    tiny->markLost();
    EXPECT_EQ(k.sprite.GetColorKey(tiny, kTopLeft), 0xFFFFFFFFu);
    EXPECT_EQ(k.sprite.GetColorKey(static_cast<platform::Surface*>(nullptr), 0), 0u);
    EXPECT_EQ(k.debugLines(),
              std::vector<std::string>{"Error: <ZKSPRITE::GetColorKey> 画像データがありません"});
}

TEST(ZKSPRITELoad, TextureKeepsPictureSizeAndRgbKey) {
    zktest::SpriteKit k(32);
    const auto picture = zktest::CoordPicture(801, 3);
    zktools::WriteBitmapFile("t.gpc", zktools::BitmapBytes(BitmapForm::Rgb24, 801, 3, picture));
    k.sprite.SetTexture(2, "", "t.gpc", 0);
    ASSERT_EQ(k.sprite.CreateTexture(2, 1, kTopLeft), platform::DD_OK);
    EXPECT_EQ(k.sprite.GetTexture(2)->width(), 801);
    EXPECT_EQ(k.sprite.GetTexture(2)->colorKey(), zktest::CoordColor(0, 0));
    EXPECT_EQ(k.sprite.CreateTexture(2, 0, kTopLeft), 0);
    k.sprite.ReleaseTexture(2);
    ASSERT_EQ(k.sprite.CreateTexture(2, 1, 0x00563412), platform::DD_OK);
    EXPECT_EQ(k.sprite.pTextureTable[2].ddck.dwColorSpaceLowValue, 0x123456u);
    EXPECT_EQ(k.sprite.GetTexture(2)->texel(0, 0), 0xFF000000u | zktest::CoordColor(0, 0));

    zktools::WriteBitmapFile("t.TGA", zktools::BitmapBytes(BitmapForm::Rgb24, 801, 3, picture));
    k.sprite.SetTexture(3, "", "t.TGA", 0);
    k.clearLog();
    EXPECT_LT(k.sprite.CreateTexture(3, 0, kTopLeft), 0);
    EXPECT_EQ(k.sprite.GetTextureLoadState(3), 1);
    EXPECT_EQ(k.debugLines(), std::vector<std::string>{"Error: <ZKSPRITE::CreateTexture> "
                                                       "D3DXCreateTextureFromFileに失敗しました"});
}

TEST(ZKSPRITELoad, DamagedFileOrFailedCopyLeavesTheSlotEmpty) {
    zktest::SpriteKit k(32);
    zktest::WriteFileBytes("bad.gpc", "BM not a picture at all");
    // A run-length picture whose first run is one pixel longer than the row.
    const std::vector<std::uint32_t> palette = {0x000000, 0xFFFFFF};
    std::string overrun = zktools::IndexedBitmapBytes(BitmapForm::Rle8, 4, 2,
                                                      std::vector<std::uint8_t>(8, 1), palette);
    ASSERT_EQ(overrun[62], 4);
    overrun[62] = 5;
    zktest::WriteFileBytes("overrun.gpc", overrun);
    k.sprite.SetSurface(0, "", "bad.gpc", 0);
    k.sprite.SetSurface(1, "", "missing.gpc", 0);
    k.sprite.SetSurface(2, std::string(200, 'd').c_str(), std::string(100, 'f').c_str(), 0);
    k.sprite.SetSurface(4, "", "overrun.gpc", 0);
    k.sprite.SetTexture(0, "", "bad.gpc", 0);
    for (const int i : {0, 1, 2, 4}) EXPECT_EQ(k.sprite.CreateSurface(i, 1, kTopLeft), -1);
    EXPECT_LT(k.sprite.CreateTexture(0, 1, kTopLeft), 0);
    k.registerPicture(3, 2, 2);
    k.display.nextSurfaceLost = true;
    EXPECT_EQ(k.sprite.CreateSurface(3, 1, kTopLeft), -1);
    for (const int i : {0, 1, 2, 3, 4}) EXPECT_EQ(k.sprite.GetSurfaceLoadState(i), 1);
    const std::string noBitmap =
        "Error: <ZKSPRITE::CreateSurface> ビットマップハンドル取得に失敗しました";
    EXPECT_EQ(k.debugLines(),
              (std::vector<std::string>{
                  noBitmap,
                  noBitmap,
                  noBitmap,
                  noBitmap,
                  "Error: <ZKSPRITE::CreateTexture> D3DXCreateTextureFromFileに失敗しました",
                  "Error: <ZKSPRITE::CreateSurface> BitBltに失敗しました",
              }));
}

TEST(ZKSPRITELoad, EmptySurfaceIsBlackAtTheAskedSize) {
    zktest::SpriteKit k(32);
    ASSERT_EQ(k.sprite.CreateEmptySurface(4, 800, 600), platform::DD_OK);
    EXPECT_EQ(k.sprite.GetSurfaceWidth(4), 800u);
    const platform::Surface* surface = k.sprite.GetSurface(4);
    for (const auto& [x, y] : {std::pair{0, 0}, {799, 599}, {400, 300}}) {
        EXPECT_EQ(RawAt(surface, x, y), 0u);
    }
    EXPECT_EQ(k.sprite.CreateEmptySurface(4, 8, 8), 0);
    EXPECT_EQ(k.sprite.CreateEmptySurface(5, 0, 600), platform::DDERR_OUTOFMEMORY);
    EXPECT_EQ(k.sprite.CreateEmptySurface(-1, 1, 1), -1);
    EXPECT_EQ(k.debugLines(),
              (std::vector<std::string>{
                  "Error: <ZKSPRITE::CreateEmptySurface> オフスクリーン作成に失敗しました",
                  "Error: <ZKSPRITE::CreateEmptySurface> インデックス番号外を指定しています",
              }));
}

TEST(ZKSPRITELoad, GraphicSizeOfAFile) {
    zktest::SpriteKit k(32);
    k.registerPicture(0, 9, 5, "size.gpc");
    GraphicSize size;
    EXPECT_EQ(k.sprite.GetGraphicSize(&size, "size.gpc"), 1);
    EXPECT_EQ(size.cx, 9);
    EXPECT_EQ(size.cy, 5);
    EXPECT_EQ(k.sprite.GetGraphicSize(&size, "none.gpc"), 0);
    EXPECT_EQ(k.debugLines(),
              std::vector<std::string>{
                  "Error: <ZKSPRITE::GetGraphicSize> ビットマップハンドル取得に失敗しました"});
}

// Without a context there is nothing to resize.
TEST(ZKSPRITELoad, ReSizeWindowBeforeSetUp) {
    EXPECT_EQ(zktest::SpriteKit().sprite.ReSizeWindow(0x02580320), 1);
}
