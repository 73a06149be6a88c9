#include <gtest/gtest.h>

#include <algorithm>
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
// archive has it), texture 0 loaded, texture 1 loaded from the archive as slot 3.
struct ModeKit : SpriteKit {
    // The archive's members as the loads left them: slot 3's and texture 1's pictures.
    std::vector<std::pair<std::string, std::string>> members;

    ModeKit() {
        EXPECT_EQ(sprite.Initialize(kWindow, kInstance, 800, 600, 32, 0), 1);
        sprite.CreateSurfaceBuffer(4);
        sprite.CreateTextureBuffer(2);
        loadPicture(0, 30, 20, 1, 0x050403);
        registerPicture(1, 4, 4);
        sprite.CreateEmptySurface(2, 50, 40);
        sprite.GetSurface(2)->fill({0, 0, 50, 40}, 0xFFFFFF);
        loadPicture(3, 12, 10);
        loadTexture(0, 8, 8, zktest::CoordPicture(8, 8));
        loadTexture(1, 6, 5, zktest::CoordPicture(6, 5));
        for (const std::string name : {"pic3.gpc", "tex1.gpc"}) {
            members.emplace_back(name, zktest::ReadFileBytes(name));
            std::filesystem::remove(name);
        }
        writeArchive();
        clearLog();
    }

    void writeArchive() {
        std::vector<zktools::CombinedMember> packed;
        for (const auto& [name, bytes] : members) {
            packed.push_back(zktools::MemberFromBytes(name, bytes));
        }
        std::filesystem::create_directory("dat");
        std::string error;
        EXPECT_TRUE(zktools::WriteCombinedFile("dat/Img.dat", packed, zktools::ListPlace::InArchive,
                                               error));
    }

    std::vector<std::string> problemLines() const {
        std::vector<std::string> found;
        for (const auto& line : debugLines()) {
            if (line.starts_with("Error") || line.starts_with("Warn")) found.push_back(line);
        }
        return found;
    }

    void expectSlotsKept(int brokenSurface = -1, int brokenTexture = -1) {
        const int loaded[] = {0, 1, 0, 0};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(sprite.GetSurfaceLoadState(i), i == brokenSurface ? 1 : loaded[i]) << i;
            EXPECT_EQ(std::string(sprite.GetSurfacePath(i)),
                      i == 2 ? "" : "pic" + std::to_string(i) + ".gpc");
        }
        EXPECT_EQ(sprite.GetTextureLoadState(0), 0);
        EXPECT_EQ(sprite.GetTextureLoadState(1), brokenTexture == 1 ? 1 : 0);
        EXPECT_EQ(sprite.GetSurfaceWidth(2), 50u);
        EXPECT_EQ(sprite.GetSurfaceHeight(2), 40u);
        EXPECT_EQ(slotPixel(2, 10, 10), 0u) << "a work surface comes back black";
        if (brokenSurface != 3) {
            const platform::PixelFormat& format = sprite.GetSurface(3)->format();
            EXPECT_EQ(slotPixel(3, 11, 9),
                      format.toXrgb(format.fromXrgb(zktest::CoordColor(11, 9))));
        }
        if (brokenTexture != 1) {
            EXPECT_EQ(sprite.GetTexture(1)->texel(5, 4), 0xFF000000u | zktest::CoordColor(5, 4));
        }
        std::uint32_t corner = 0;
        sprite.GetSurface(0)->rawPixel(0, 0, corner);
        EXPECT_EQ(sprite.GetSurface(0)->colorKey(), corner) << "the key comes from (0, 0)";
        EXPECT_TRUE(brokenSurface == 3 || !zktest::FileExists("pic3.gpc"));
        EXPECT_TRUE(brokenTexture == 1 || !zktest::FileExists("tex1.gpc"));
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
    EXPECT_EQ(k.problemLines(), std::vector<std::string>{})
        << "pictures whose files the loads deleted come back from the archive quietly";
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

// A picture that cannot be had again is one error line; the mode changes and every
// other slot comes back. A damaged copy left in the folder is replaced from the archive.
TEST(ZKSPRITEMode, APictureThatCannotBeReadBackIsOneErrorLine) {
    enum class Harm { DropMember, DamageMember, LeaveDamagedCopy };
    const std::string tag = "Error: <ZKSPRITE::ChangeScreenMode> ";
    const std::string notExtracted = tag + "画像を展開出来ませんでした";
    const struct {
        const char* member;
        Harm harm;
        int brokenSurface;
        int brokenTexture;
        std::vector<std::string> lines;
    } cases[] = {
        {"pic3.gpc", Harm::DropMember, 3, -1, {notExtracted}},
        {"pic3.gpc", Harm::DamageMember, 3, -1, {tag + "サーフェスの作成に失敗しました"}},
        {"tex1.gpc", Harm::DropMember, -1, 1, {notExtracted}},
        {"tex1.gpc", Harm::DamageMember, -1, 1, {tag + "テクスチャの作成に失敗しました"}},
        {"pic3.gpc", Harm::LeaveDamagedCopy, -1, -1, {}},
        {"tex1.gpc", Harm::LeaveDamagedCopy, -1, -1, {}},
    };
    const std::string damaged = "BM damaged";
    for (const auto& c : cases) {
        const std::string what = std::string(c.member) + " " + std::to_string(int(c.harm));
        ModeKit k;
        const auto member = std::find_if(k.members.begin(), k.members.end(),
                                         [&](const auto& m) { return m.first == c.member; });
        ASSERT_NE(member, k.members.end());
        if (c.harm == Harm::DropMember) k.members.erase(member);
        if (c.harm == Harm::DamageMember) member->second = damaged;
        if (c.harm == Harm::LeaveDamagedCopy) zktest::WriteFileBytes(c.member, damaged);
        k.writeArchive();
        EXPECT_EQ(k.sprite.ChangeScreenMode(1, 16), 1) << what;
        EXPECT_EQ(k.problemLines(), c.lines) << what;
        k.expectSlotsKept(c.brokenSurface, c.brokenTexture);
    }
}
