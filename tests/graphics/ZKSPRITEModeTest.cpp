#include <gtest/gtest.h>

#include <filesystem>

#include "common/CombinedFileWriter.h"
#include "support/Bytes.h"
#include "support/SpriteKit.h"

using zktest::SpriteKit;

namespace {

// Masks, shifts and widths of red, green and blue.
std::vector<std::uint32_t> PixelFormatFields(const ZKSPRITE& s) {
    return {s.dwRMask,  s.dwGMask, s.dwBMask, s.dwRShift, s.dwGShift,
            s.dwBShift, s.dwRBits, s.dwGBits, s.dwBBits};
}

void* const kWindow = reinterpret_cast<void*>(0x1234);
void* const kInstance = reinterpret_cast<void*>(0x5678);

// A windowed 32-bit object with: slot 0 keyed by a given colour, slot 1 registered
// only, slot 2 a white work surface, slot 3 loaded and its file since deleted (the
// archive has it), texture 0 loaded.
struct ModeKit : SpriteKit {
    ModeKit() {
        EXPECT_EQ(sprite.Initialize(kWindow, kInstance, 800, 600, 32, 0), 1);
        sprite.CreateSurfaceBuffer(4);
        sprite.CreateTextureBuffer(2);
        loadPicture(0, 30, 20, 1, 0x050403);
        registerPicture(1, 4, 4);
        sprite.CreateEmptySurface(2, 50, 40);
        sprite.GetSurface(2)->fill({0, 0, 50, 40}, 0xFFFFFF);
        const std::string pic3 = registerPicture(3, 12, 10);
        std::filesystem::create_directory("dat");
        std::string error;
        EXPECT_TRUE(zktools::WriteCombinedFile(
            "dat/Img.dat", {zktools::MemberFromBytes(pic3, zktest::ReadFileBytes(pic3))},
            zktools::ListPlace::InArchive, error));
        EXPECT_EQ(sprite.CreateSurface(3, 0, 0xFFFFFFFFu), 0);
        std::filesystem::remove(pic3);
        loadTexture(0, 8, 8, zktest::CoordPicture(8, 8));
        clearLog();
    }

    void expectSlotsKept() {
        const int loaded[] = {0, 1, 0, 0};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(sprite.GetSurfaceLoadState(i), loaded[i]) << i;
            EXPECT_EQ(std::string(sprite.GetSurfacePath(i)),
                      i == 2 ? "" : "pic" + std::to_string(i) + ".gpc");
        }
        EXPECT_EQ(sprite.GetTextureLoadState(0), 0);
        EXPECT_EQ(sprite.GetTextureLoadState(1), 1);
        EXPECT_EQ(sprite.GetSurfaceWidth(2), 50u);
        EXPECT_EQ(sprite.GetSurfaceHeight(2), 40u);
        EXPECT_EQ(slotPixel(2, 10, 10), 0u) << "a work surface comes back black";
        const platform::PixelFormat& format = sprite.GetSurface(3)->format();
        EXPECT_EQ(slotPixel(3, 11, 9), format.toXrgb(format.fromXrgb(zktest::CoordColor(11, 9))));
        std::uint32_t corner = 0;
        sprite.GetSurface(0)->rawPixel(0, 0, corner);
        EXPECT_EQ(sprite.GetSurface(0)->colorKey(), corner) << "the key comes from (0, 0)";
        EXPECT_FALSE(zktest::FileExists("pic3.gpc"));
    }
};

}  // namespace

TEST(ZKSPRITEMode, ReleaseReturnsToTheDefaults) {
    for (const bool smoothingBefore : {false, true}) {
        SpriteKit k;
        k.display.setInitialFontSmoothing(smoothingBefore);
        ASSERT_EQ(k.sprite.Initialize(kWindow, kInstance, 800, 600, 32, 1), 1);
        k.sprite.CreateSurfaceBuffer(2);
        k.sprite.CreateTextureBuffer(2);
        k.loadPicture(0, 8, 8);
        k.sprite.SetFrameStartTime();
        k.sprite.D3DXDrawStart();
        k.sprite.Release();
        // Nothing a later call could reach is left: no flag set, no table, no object.
        const ZKSPRITE& s = k.sprite;
        EXPECT_EQ(s.nInitFlg | s.nSurfaceBufferFlg | s.nTextureBufferFlg | s.nSceneFlg |
                      s.nClipFlg | s.nFullScreen,
                  0u);
        EXPECT_EQ(s.nSurfaceCount + s.nTextureCount, 0);
        EXPECT_EQ((std::vector<std::uint32_t>{s.dwWidth, s.dwHeight, s.dwBitCount}),
                  (std::vector<std::uint32_t>{640, 480, 16}))
            << "the size and depth a later set-up starts from";
        EXPECT_EQ(PixelFormatFields(s), std::vector<std::uint32_t>(9, 0))
            << "no pixel format until the next set-up";
        EXPECT_TRUE(!s.pSurfaceTable && !s.pPrimary && !s.pBack && !s.pDD && !s.pD3DXContext &&
                    s.pModeTable.empty());
        EXPECT_EQ(k.display.fontSmoothing(), smoothingBefore);
    }
    SpriteKit k(32);
    k.display.fontSmoothingSwitchFails = true;
    k.display.libraryEndFails = true;
    k.sprite.Release();
    k.sprite.DeleteD3DX();
    EXPECT_EQ(k.debugLines(),
              (std::vector<std::string>{
                  "Warn: <ZKSPRITE::Release> スクリーンフォントの非滑らか設定に失敗しました",
                  "Error: <ZKSPRITE::DeleteD3DX> D3DXUninitializeが失敗しました",
              }));
}

TEST(ZKSPRITEMode, WindowToFullScreen16KeepsEverySlot) {
    ModeKit k;
    EXPECT_EQ(k.sprite.ChangeScreenMode(1, 16), 1);
    EXPECT_EQ(k.sprite.nFullScreen, 1u);
    EXPECT_EQ(k.sprite.pBack->format().storage, platform::PixelStorage::Rgb565);
    EXPECT_EQ(k.sprite.GetSurface(0)->format().storage, platform::PixelStorage::Rgb565);
    EXPECT_EQ(k.sprite.hWnd, kWindow);
    k.expectSlotsKept();
    k.sprite.Release();
    EXPECT_FALSE(k.display.fontSmoothing()) << "off again, as before the first set-up";
}

TEST(ZKSPRITEMode, AMissingModeFallsBackToThePreviousOne) {
    const std::string failed = "Error: <ZKSPRITE::ChangeScreenMode> 初期化が失敗しました";
    const std::string back = "Message: <ZKSPRITE::ChangeScreenMode> 元の画面モードに戻します";
    ModeKit k;
    const auto ownLines = [&] {
        std::vector<std::string> own;
        for (const auto& line : k.debugLines()) {
            if (line.find("ChangeScreenMode") != std::string::npos) own.push_back(line);
        }
        k.clearLog();
        return own;
    };
    k.onlyModes({{800, 600, 32, 60}});
    EXPECT_EQ(k.sprite.ChangeScreenMode(1, 16), 0);
    EXPECT_EQ(ownLines(), (std::vector<std::string>{failed, back}));
    EXPECT_EQ(k.sprite.nFullScreen, 0u);
    EXPECT_EQ(k.sprite.dwBitCount, 32u);
    EXPECT_EQ(k.sprite.nInitFlg, 1u);
    k.expectSlotsKept();

    k.onlyModes({});
    EXPECT_EQ(k.sprite.ChangeScreenMode(1, 16), 0);
    EXPECT_EQ(k.sprite.nSurfaceBufferFlg, 0u);
    EXPECT_EQ(k.sprite.pSurfaceTable, nullptr);
    EXPECT_EQ(ownLines(), (std::vector<std::string>{failed, back, failed}));
    EXPECT_EQ(PixelFormatFields(k.sprite), std::vector<std::uint32_t>(9, 0))
        << "nothing is left of the mode given up";
}

TEST(ZKSPRITEMode, TablesNeverMadeCanStillBeMadeAfterAChange) {
    SpriteKit k;
    ASSERT_EQ(k.sprite.Initialize(kWindow, kInstance, 800, 600, 32, 0), 1);
    EXPECT_EQ(k.sprite.ChangeScreenMode(1, 16), 1);
    EXPECT_EQ(k.sprite.nSurfaceBufferFlg, 0u);
    EXPECT_EQ(k.sprite.CreateSurfaceBuffer(3), 1);
    EXPECT_EQ(k.sprite.GetSurfaceCount(), 3);
}
