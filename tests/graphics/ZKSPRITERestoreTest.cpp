#include <gtest/gtest.h>

#include <filesystem>

#include "common/BitmapWriter.h"
#include "common/CombinedFileWriter.h"
#include "platform/video/DisplayStatus.h"
#include "support/Bytes.h"
#include "support/SpriteKit.h"

using zktest::SpriteKit;

namespace {

// Slots: 0 loaded from its file, 1 registered only, 2 loaded but its file deleted
// (the archive has it), 3 a work surface; texture 0 keyed. The archive
// dat/Img.dat holds both pictures.
struct RestoreKit : SpriteKit {
    RestoreKit() {
        setUp(32, 1, 4, 2);
        const std::string pic2 = registerPicture(2, 20, 10);
        std::filesystem::create_directory("dat");
        std::string error;
        EXPECT_TRUE(zktools::WriteCombinedFile(
            "dat/Img.dat",
            {zktools::MemberFromBytes("pic0.gpc",
                                      zktest::ReadFileBytes(registerPicture(0, 30, 20))),
             zktools::MemberFromBytes(pic2, zktest::ReadFileBytes(pic2))},
            zktools::ListPlace::InArchive, error))
            << error;
        EXPECT_EQ(sprite.CreateSurface(0, 1, 0xFFFFFFFFu), 0);
        EXPECT_EQ(sprite.CreateSurface(2, 0, 0xFFFFFFFFu), 0);
        std::filesystem::remove(pic2);
        registerPicture(1, 4, 4);
        EXPECT_EQ(sprite.CreateEmptySurface(3, 50, 40), 0);
        sprite.GetSurface(3)->fill({0, 0, 50, 40}, 0xFFFFFF);
        loadTexture(0, 8, 8, zktest::CoordPicture(8, 8), 1);
        display.loseEverything();
        clearLog();
    }
};

const std::vector<std::string> kReloadLines = {
    "Reload中 … サーフェス枚数: 4",
    "0 番目のリストア開始",
    "Message: <ZKSPRITE::ReLoadSurface> "
    "リソースから画像を取得出来なかったのでファイルから取得します",
    "Message: <ZKSPRITE::ReLoadSurface> 0番目のサーフェスのリロード完了",
    "1 番目のリストア開始",
    "2 番目のリストア開始",
    "Message: <ZKSPRITE::ReLoadSurface> "
    "リソースから画像を取得出来なかったのでファイルから取得します",
    "Message: <ZKSPRITE::ReLoadSurface> 2番目のサーフェスのリロード完了",
    "3 番目のリストア開始",
    "Message: <ZKSPRITE::ReLoadSurface> 3番目のサーフェスのリロード完了",
    "Message: <ZKSPRITE::ReLoadTexture> 0番目のテクスチャをリロードしました",
};

}  // namespace

TEST(ZKSPRITERestore, EveryLoadedSlotIsReloadedInOrder) {
    RestoreKit k;
    EXPECT_EQ(k.sprite.ZKSpriteRestore(), 1);
    EXPECT_EQ(k.debugLines(), kReloadLines);
    EXPECT_FALSE(k.display.anythingLost());
    EXPECT_EQ(k.slotPixel(0, 29, 19), zktest::CoordColor(29, 19));
    EXPECT_EQ(k.slotPixel(2, 19, 9), zktest::CoordColor(19, 9)) << "extracted again";
    EXPECT_EQ(k.slotPixel(3, 10, 10), 0u) << "a work surface comes back black";
    EXPECT_EQ(k.sprite.GetSurface(0)->colorKey(), zktest::CoordColor(0, 0));
    EXPECT_EQ(k.sprite.GetSurface(1), nullptr);
    ASSERT_NE(k.sprite.GetTexture(0), nullptr);
    EXPECT_EQ(k.sprite.GetTexture(0)->colorKey(), zktest::CoordColor(0, 0));
    EXPECT_EQ(k.sprite.GetTexture(0)->texel(7, 7) & 0xFFFFFF, zktest::CoordColor(7, 7));
    for (const char* file : {"pic0.gpc", "pic2.gpc", "tex0.gpc"}) {
        EXPECT_FALSE(zktest::FileExists(file)) << file << " is not left behind";
    }
    EXPECT_TRUE(zktest::FileExists("pic1.gpc")) << "an unloaded slot's file is not touched";
}

TEST(ZKSPRITERestore, WaitingForTheDisplay) {
    const platform::ManualClock* clock = nullptr;
    {
        RestoreKit k;
        clock = &k.kit.clock;
        k.display.cooperativeLevelAnswers.assign(4, platform::DDERR_NOEXCLUSIVEMODE);
        EXPECT_EQ(k.sprite.ZKSpriteRestore(), 1);
        EXPECT_EQ(clock->sleeps(), std::vector<std::uint32_t>(4, 500));
        EXPECT_EQ(k.debugLines(), kReloadLines);
    }
    RestoreKit k;
    k.display.cooperativeLevelAnswers.assign(13, platform::DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(k.sprite.ZKSpriteRestore(), 0);
    EXPECT_EQ(k.kit.clock.sleeps(), std::vector<std::uint32_t>(12, 500));
    EXPECT_EQ(k.debugLines(), std::vector<std::string>{
                                  "Error: <ZKSPRITE::ZKSpriteRestore> リストアに失敗しました"});
}

TEST(ZKSPRITERestore, FailingRestoreSteps) {
    {
        RestoreKit k;
        k.display.restoreAllFails = true;
        EXPECT_EQ(k.sprite.ZKSpriteRestore(), 1);
        EXPECT_TRUE(k.debugLines().empty()) << "nothing reloaded";
    }
    {
        RestoreKit k;
        k.display.restoreFailsFor = k.sprite.pPrimary;
        EXPECT_EQ(k.sprite.ReLoadSurface(), 0);
        EXPECT_EQ(k.debugLines(),
                  (std::vector<std::string>{
                      kReloadLines[0],
                      "Error: <ZKSPRITE::ReLoadSurface> プライマリサーフェスのリストアに失敗"}));
    }
    {
        RestoreKit k;
        k.display.restoreFailsFor = k.sprite.pBack;
        EXPECT_EQ(k.sprite.ReLoadSurface(), 1);
        EXPECT_EQ(k.debugLines(), std::vector<std::string>{kReloadLines[0]});
    }
    {
        RestoreKit k;
        k.display.restoreFailsFor = k.sprite.GetSurface(0);
        EXPECT_EQ(k.sprite.ZKSpriteRestore(), 1);
        auto expected = kReloadLines;
        expected.erase(expected.begin() + 2, expected.begin() + 4);
        expected.insert(expected.begin() + 2,
                        "Error: <ZKSPRITE::ReLoadSurface> 0 番目のリストアに失敗しました");
        EXPECT_EQ(k.debugLines(), expected);
    }
    {
        RestoreKit k;
        std::filesystem::remove("dat/Img.dat");
        std::filesystem::remove("tex0.gpc");
        EXPECT_EQ(k.sprite.ZKSpriteRestore(), 1);
        const auto lines = k.debugLines();
        EXPECT_NE(std::find(lines.begin(), lines.end(),
                            "Error: <ZKSPRITE::ReLoadSurface> 画像を展開出来ませんでした"),
                  lines.end());
        EXPECT_EQ(lines.back(), "Error: <ZKSPRITE::ReLoadTexture> 画像を展開出来ませんでした");
        EXPECT_EQ(k.sprite.GetTexture(0), nullptr);
    }
}

TEST(ZKSPRITERestore, FrameEndRestoresOnlyARealLoss) {
    {
        RestoreKit k;
        k.display.presentFailures = 1;
        k.display.presentStatus = platform::DDERR_SURFACELOST;
        EXPECT_EQ(k.sprite.D3DXDrawEnd(), 1);
        auto expected = kReloadLines;
        expected.insert(expected.begin(),
                        "Message: <ZKSPRITE::D3DXDrawEnd> "
                        "テクスチャを失っています。リストア処理を開始します");
        EXPECT_EQ(k.debugLines(), expected);
    }
    RestoreKit k;
    k.sprite.ZKSpriteRestore();
    k.clearLog();
    k.display.presentFailures = 1;
    k.display.presentStatus = platform::DDERR_SURFACEBUSY;
    EXPECT_EQ(k.sprite.D3DXDrawEnd(), 1);
    EXPECT_EQ(
        k.debugLines(),
        std::vector<std::string>{
            "Message: <ZKSPRITE::D3DXDrawEnd> テクスチャを失っています。リストア処理を開始します"});
    ASSERT_EQ(k.sprite.D3DXDrawStart(), 1);
    k.display.loseEverything();
    k.display.cooperativeLevelAnswers = {platform::DDERR_INVALIDOBJECT};
    EXPECT_EQ(k.sprite.D3DXDrawEnd(), 0);
    EXPECT_EQ(k.sprite.nSceneFlg, 1u) << "the next frame start opens no second scene";
}

// One blit per restoring path: the ranged plain blit shares the whole one's.
TEST(ZKSPRITERestore, BlitsOnALostBackBuffer) {
    const std::string lost = "サーフェスを失っています。サーフェスのリロードを開始します";
    const struct {
        const char* name;
        std::function<int(ZKSPRITE&)> blit;
        int restored;
    } blits[] = {
        {"DDBlt", [](ZKSPRITE& s) { return s.DDBlt(0, 0, 0, 0); }, 1},
        {"DDBltScale", [](ZKSPRITE& s) { return s.DDBltScale(0, 0, 0, 2.0f, 2.0f, 0); }, 1},
        {"DDBltScale",
         [](ZKSPRITE& s) { return s.DDBltScale(0, 100, 100, 0, 0, 10, 10, 1.0f, 1.0f, 0); },
         platform::DDERR_SURFACELOST},
    };
    for (const auto& b : blits) {
        const std::string tag = std::string("<ZKSPRITE::") + b.name + "> ";
        {
            RestoreKit k;
            EXPECT_EQ(b.blit(k.sprite), b.restored) << b.name;
            auto expected = kReloadLines;
            expected.insert(expected.begin(), "Message: " + tag + lost);
            EXPECT_EQ(k.debugLines(), expected);
        }
        RestoreKit k;
        k.display.cooperativeLevelAnswers = {platform::DDERR_INVALIDOBJECT};
        EXPECT_EQ(b.blit(k.sprite), -1) << b.name;
        EXPECT_EQ(k.debugLines(), (std::vector<std::string>{
                                      "Message: " + tag + lost,
                                      "Error: <ZKSPRITE::ZKSpriteRestore> リストアに失敗しました",
                                      "Warn: " + tag + "リストア処理に失敗",
                                  }));
    }
}

TEST(ZKSPRITERestore, YuvCopyOfBothLayouts) {
    SpriteKit k;
    // White then pure red; a third pixel makes the width odd.
    const std::vector<std::uint32_t> pixels = {0xFFFFFF, 0xFF0000, 0x000000};
    ASSERT_TRUE(zktools::WriteBitmapFile(
        "yuv.bmp", zktools::BitmapBytes(zktools::BitmapForm::Rgb24, 3, 1, pixels)));
    const auto bitmap = platform::BitmapFile::Load("yuv.bmp");
    ASSERT_TRUE(bitmap);
    // White: Y 255 (capped), U 128 - 0.14*255 - 0.29*255 + 0.43*255 = 128.
    // Red: Y trunc(76.245) = 76, V 128 + 0.36*255 = 219.8 -> 219.
    // Black, then the missing fourth pixel read as white: Y 0, U 128, Y 255, V 128 - 0 = 128.
    const struct {
        std::uint32_t fourCC;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {platform::kFourCCUyvy, {128, 255, 219, 76, 128, 0, 128, 255}},
        {platform::kFourCCYuy2, {255, 128, 76, 219, 0, 128, 255, 128}},
    };
    for (const auto& c : cases) {
        platform::YuvSurface wide(3, 1, c.fourCC, 8);
        EXPECT_EQ(k.sprite.DDCopyBitmapYUV(&wide, *bitmap), 1);
        EXPECT_EQ(wide.bytes(), c.bytes);
        platform::YuvSurface tight(3, 1, c.fourCC, 6);
        EXPECT_EQ(k.sprite.DDCopyBitmapYUV(&tight, *bitmap), 1);
        EXPECT_EQ(tight.bytes(), std::vector<std::uint8_t>(c.bytes.begin(), c.bytes.begin() + 6))
            << "the half pair stops at the row's end";
    }
    platform::YuvSurface other(2, 1, platform::FourCC('I', '4', '2', '0'), 4);
    EXPECT_EQ(k.sprite.DDCopyBitmapYUV(&other, *bitmap), 1);
    EXPECT_EQ(other.bytes(), std::vector<std::uint8_t>(4, 0));
    other.markLost();
    EXPECT_EQ(k.sprite.DDCopyBitmapYUV(&other, *bitmap), 0);
    EXPECT_EQ(k.sprite.DDCopyBitmapYUV(nullptr, *bitmap), 0);
}
