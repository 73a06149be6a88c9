#include <gtest/gtest.h>

#include "platform/video/DisplayStatus.h"
#include "support/SpriteKit.h"

TEST(ZKSPRITEFrame, PresentedFrameEqualsTheBackBuffer) {
    for (const std::uint32_t bits : {32u, 16u}) {
        SCOPED_TRACE(bits);
        zktest::SpriteKit k(bits);
        k.sprite.pBack->setPixel(5, 7, 0x0000840F);
        k.sprite.pBack->setPixel(799, 599, 0xFFFFFF);
        ASSERT_EQ(k.sprite.D3DXDrawEnd(), 1);
        ASSERT_EQ(k.display.presents(), 1);
        ASSERT_EQ(k.display.frame(), k.sprite.pBack->toXrgb());
        EXPECT_EQ(k.display.frame()[7 * 800 + 5], bits == 16 ? 0x088600u : 0x0F8400u);
        EXPECT_EQ(k.display.frame().back(), 0xFFFFFFu);
        EXPECT_TRUE(k.debugLines().empty());
    }
}

TEST(ZKSPRITEFrame, StartClearsOnlyWhenNoSceneIsOpen) {
    zktest::SpriteKit k;
    EXPECT_EQ(k.sprite.D3DXDrawStart(), 0);
    EXPECT_EQ(k.sprite.D3DXDrawEnd(), 0);
    k.setUp();
    k.sprite.pBack->setPixel(1, 1, 0xFFFFFF);
    ASSERT_EQ(k.sprite.D3DXDrawStart(), 1);
    EXPECT_EQ(k.backPixel(1, 1), 0u);
    EXPECT_TRUE(k.sprite.pD3DDevice->sceneOpen);
    k.sprite.pBack->setPixel(1, 1, 0xFFFFFF);
    ASSERT_EQ(k.sprite.D3DXDrawStart(), 1);
    EXPECT_EQ(k.backPixel(1, 1), 0xFFFFFFu);
    ASSERT_EQ(k.sprite.D3DXDrawEnd(), 1);
    EXPECT_EQ(k.sprite.nSceneFlg, 0u);
    EXPECT_FALSE(k.sprite.pD3DDevice->sceneOpen);
}

TEST(ZKSPRITEFrame, FrameFailuresAndTheirLines) {
    using HD = platform::HeadlessDisplay;
    const std::string start = "<ZKSPRITE::D3DXDrawStart> ", end = "<ZKSPRITE::D3DXDrawEnd> ";
    const struct {
        bool HD::*fault;
        int presentFailures;
        int start;
        std::string line;
    } cases[] = {
        {&HD::clearFails, 0, 1, "Warn: " + start + "画面のクリアに失敗しました"},
        {&HD::beginSceneFails, 0, 0, "Error: " + start + "描画開始に失敗しました"},
        {&HD::endSceneFails, 0, 1, "Warn: " + end + "描画終了に失敗しました"},
        {nullptr, 1, 1, "Error: " + end + "フレームの更新に失敗しました"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        zktest::SpriteKit k(32);
        if (c.fault != nullptr) k.display.*c.fault = true;
        k.display.presentFailures = c.presentFailures;
        k.display.presentStatus = platform::DDERR_INVALIDPARAMS;
        EXPECT_EQ(k.sprite.D3DXDrawStart(), c.start);
        EXPECT_EQ(k.sprite.D3DXDrawEnd(), 1);
        EXPECT_EQ(k.sprite.nSceneFlg, 0u);
        EXPECT_EQ(k.debugLines(), std::vector<std::string>{c.line});
    }
}

TEST(ZKSPRITEFrame, FlipToGdiNamesEachCode) {
    const std::string head = "Error: <ZKSPRITE::DDFlipToGDI> ";
    const struct {
        std::int32_t status;
        const char* detail;
        bool setUp;  // before set-up there is no object to flip
    } cases[] = {
        {platform::DD_OK, nullptr, true},
        {platform::DDERR_INVALIDOBJECT, "DDERR_INVALIDOBJECTが検出", true},
        {platform::DDERR_INVALIDPARAMS, "DDERR_INVALIDPARAMSが検出", true},
        {platform::DDERR_NOTFOUND, "DDERR_NOTFOUNDが検出", true},
        {platform::DDERR_SURFACELOST, "不明なエラーが検出", true},
        {platform::DDERR_INVALIDOBJECT, "DDERR_INVALIDOBJECTが検出", false},
    };
    for (const auto& c : cases) {
        zktest::SpriteKit k;
        if (c.setUp) k.setUp();
        k.display.flipStatus = c.setUp ? c.status : platform::DD_OK;
        EXPECT_EQ(k.sprite.DDFlipToGDI(), c.status);
        std::vector<std::string> lines;
        if (c.detail) lines = {head + "GDI描画設定に失敗しました", head + c.detail};
        EXPECT_EQ(k.debugLines(), lines);
    }
}

TEST(ZKSPRITEFrame, ClipperOnOffAndFailures) {
    zktest::SpriteKit k(32);
    k.loadPicture(0, 10, 10);
    const platform::ClipRegion region({{0, 0, 4, 4}});
    ASSERT_EQ(k.sprite.SetClipper(&region), 1);
    EXPECT_EQ(k.sprite.GetClipState(), 1u);
    ASSERT_EQ(k.sprite.DDBlt(0, 0, 0, 0), 1);
    EXPECT_EQ(k.backPixel(3, 3), zktest::CoordColor(3, 3));
    EXPECT_EQ(k.backPixel(4, 3), 0u);
    ASSERT_EQ(k.sprite.SetClipper(nullptr), 1);
    EXPECT_EQ(k.sprite.GetClipState(), 0u);
    ASSERT_EQ(k.sprite.DDBlt(0, 0, 0, 0), 1);
    EXPECT_EQ(k.backPixel(4, 3), zktest::CoordColor(4, 3));

    const std::string head = "Error: <ZKSPRITE::SetClipper> ";
    const struct {
        bool platform::HeadlessDisplay::*fault;
        bool set;
        const char* line;
    } cases[] = {
        {&platform::HeadlessDisplay::setClipListFails, true, "クリップリストの登録に失敗しました"},
        {&platform::HeadlessDisplay::attachClipperFails, true, "クリッパーの登録に失敗しました"},
        {&platform::HeadlessDisplay::setClipListFails, false, "クリップリストの削除に失敗しました"},
        {&platform::HeadlessDisplay::attachClipperFails, false, "クリッパー解除に失敗しました"},
    };
    for (const auto& c : cases) {
        k.display.setClipListFails = false;
        k.display.attachClipperFails = false;
        k.display.*c.fault = true;
        k.clearLog();
        EXPECT_EQ(k.sprite.SetClipper(c.set ? &region : nullptr), 0);
        EXPECT_EQ(k.sprite.GetClipState(), c.set ? 1u : 0u);  // what was asked
        EXPECT_EQ(k.debugLines(), std::vector<std::string>{head + c.line});
    }
}
