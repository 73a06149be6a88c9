#include <gtest/gtest.h>

#include "platform/VirtualKeys.h"
#include "support/Bytes.h"
#include "support/TestKit.h"
#include "system/ZKSYSTEM.h"

using namespace platform;

namespace {

// A system started as the game starts it, in the kit's working folder.
struct StartedSystem {
    zktest::TestKit kit;
    ZKSYSTEM sys;
    StartedSystem() { sys.Initialize(nullptr, 1); }
    void frame(int vk, bool down) {
        kit.input.setKey(vk, down);
        sys.MainLoop(nullptr);
    }
};

}  // namespace

TEST(ZKSYSTEMKeys, StatesPushAndLatchFollowTheFrameSamples) {
    StartedSystem s;
    // A press and release between two samples (after the last frame) is never seen.
    const struct {
        bool down;
        KEY_STATE state;
        std::uint32_t push;
        std::uint32_t latch;
    } frames[] = {
        {true, KEY_STATE_PRESSED, 0, 0},   {true, KEY_STATE_HELD, 0, 0},
        {false, KEY_STATE_RELEASED, 1, 1}, {false, KEY_STATE_UP, 0, 1},
        {false, KEY_STATE_UP, 0, 1},
    };
    for (const auto& f : frames) {
        s.frame(VK_SPACE, f.down);
        EXPECT_EQ(s.sys.GetVKeyStatus(VK_SPACE), f.state);
        EXPECT_EQ(s.sys.GetKey(SYSTEM_KEY_SPACE), f.down ? 1u : 0u);
        EXPECT_EQ(s.sys.GetKeyPush(SYSTEM_KEY_SPACE), f.push);
        EXPECT_EQ(s.sys.GetKeyPushLatch(SYSTEM_KEY_SPACE), f.latch);
    }

    s.frame(VK_SPACE, true);
    s.sys.ClearKeyState();  // still down, but the states start afresh; the latch stays
    EXPECT_EQ(s.sys.GetVKeyStatus(VK_SPACE), KEY_STATE_UP);
    EXPECT_EQ(s.sys.GetKeyPushLatch(SYSTEM_KEY_SPACE), 1u);
    s.sys.ClearKeyPushLatch();
    EXPECT_EQ(s.sys.GetKeyPushLatch(SYSTEM_KEY_SPACE), 0u);
    EXPECT_TRUE(s.kit.debugLines().empty());
}

TEST(ZKSYSTEMKeys, EachSystemKeyReadsItsOwnVirtualKey) {
    const int codes[] = {13, 17, 32, 38, 40, 37, 39, 1, 2, 46, 27};  // SYSTEM_KEY 0 to 10
    StartedSystem s;
    for (int key = 0; key <= SYSTEM_KEY_ESCAPE; ++key) {
        s.frame(codes[key], true);
        for (int other = 0; other <= SYSTEM_KEY_ESCAPE; ++other) {
            EXPECT_EQ(s.sys.GetKey(static_cast<SYSTEM_KEY>(other)), other == key ? 1u : 0u);
        }
        s.frame(codes[key], false);
    }
}

TEST(ZKSYSTEMKeys, OutOfRangeQueriesWarnAndReadZero) {
    StartedSystem s;
    for (int vk = 0; vk < 256; ++vk) s.kit.input.setKey(vk, true);
    s.sys.MainLoop(nullptr);

    std::vector<std::string> expected;
    for (const int bad : {11, -1}) {
        const auto key = static_cast<SYSTEM_KEY>(bad);
        EXPECT_EQ(s.sys.GetKey(key) + s.sys.GetKeyPush(key) + s.sys.GetKeyPushLatch(key), 0u);
        for (const char* tag : {"GetKey", "GetKeyPush", "GetKeyPushLatch"}) {
            expected.push_back(std::string("Warn: <ZKSYSTEM::") + tag +
                               "> 定義されていない列挙名です");
        }
    }
    for (const int vk : {256, -1}) {
        EXPECT_EQ(s.sys.GetVKeyStatus(vk), KEY_STATE_UP);
        expected.push_back("Warn: <ZKSYSTEM::GetVKeyStatus> 仮想キーコードが範囲外です");
    }
    EXPECT_EQ(s.kit.debugLines(), expected);
}

TEST(ZKSYSTEMKeys, RestartClearsKeysButKeepsPendingDeletions) {
    StartedSystem s;
    zktest::WriteFileBytes("held.gpc", "x");
    s.kit.files.markInUse("held.gpc");
    EXPECT_EQ(s.sys.RemoveFile(nullptr, "held.gpc", 0), 0);
    s.frame(VK_CONTROL, true);
    s.frame(VK_CONTROL, true);

    s.sys.Initialize(nullptr, 0);
    EXPECT_EQ(s.sys.GetVKeyStatus(VK_CONTROL), KEY_STATE_UP);
    s.frame(VK_CONTROL, true);
    EXPECT_EQ(s.sys.GetVKeyStatus(VK_CONTROL), KEY_STATE_PRESSED);  // held across: pressed again

    char path[ZKSYSTEM::kPathSize];
    EXPECT_STREQ(s.sys.GetRemoveFileListPath(0, path, sizeof path), "held.gpc");
    s.sys.Initialize(nullptr, 1);
    EXPECT_STREQ(s.sys.GetRemoveFileListPath(0, path, sizeof path), "");
}

TEST(ZKSYSTEMPointer, CaptionOffsetAppliesToReadsAndWarps) {
    zktest::TestKit kit;
    kit.input.setPointer({5, 7});
    ZKSYSTEM sys;
    sys.Initialize(nullptr, 1);
    int x = -1;
    int y = -1;
    sys.GetMousePos(&x, &y);
    EXPECT_EQ(y, 7);  // the first sample is stored as it stands

    sys.SetYOffset(19);
    kit.input.setPointer({100, 0});
    sys.MainLoop(nullptr);
    sys.GetMousePos(&x, &y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 19);

    sys.SetMousePos(348, 19);
    ASSERT_EQ(kit.input.warps().size(), 1u);
    EXPECT_EQ(kit.input.warps()[0].y, 0);
    sys.MainLoop(nullptr);  // the warped pointer reads back where the game put it
    sys.GetMousePos(&x, &y);
    EXPECT_EQ(x, 348);
    EXPECT_EQ(y, 19);
}

TEST(ZKSYSTEMPointer, ButtonValuesAndCursorModes) {
    StartedSystem s;
    s.sys.SetMouseButtonValue(SYSTEM_KEY_LBUTTON, 70);
    s.sys.SetMouseButtonValue(SYSTEM_KEY_RBUTTON, 80);
    s.sys.SetMouseButtonValue(SYSTEM_KEY_RETURN, 99);
    EXPECT_EQ(s.sys.GetMouseButtonValue(SYSTEM_KEY_LBUTTON), 70u);
    EXPECT_EQ(s.sys.GetMouseButtonValue(SYSTEM_KEY_RBUTTON), 80u);
    EXPECT_EQ(s.sys.GetMouseButtonValue(SYSTEM_KEY_RETURN), 0u);

    // The game cursor is the original one, so mode 0 changes nothing.
    EXPECT_EQ(s.sys.SetCursorMode(0), 1);
    EXPECT_TRUE(s.kit.input.cursorChanges().empty());
    EXPECT_EQ(s.sys.SetCursorMode(1), 1);
    EXPECT_EQ(s.kit.input.cursorChanges(), std::vector<CursorHandle>{ScriptedInput::fixedCursor()});
}

TEST(ZKSYSTEMTime, UpdateTimeFollowsTheClockAcrossTheWrap) {
    StartedSystem s;
    for (const std::uint32_t t : {0xFFFFFFFFu, 0x10u}) {
        s.kit.clock.set(t);
        EXPECT_EQ(s.sys.UpdateTime(), t);
        EXPECT_EQ(s.sys.GetTime(), t);
    }
}

TEST(ZKSYSTEMTime, FrameWaitSleepsOutTheInterval) {
    const struct {
        std::uint32_t fps;
        std::uint32_t sinceLastFrame;
        std::vector<std::uint32_t> sleeps;
        std::uint32_t achieved;
    } cases[] = {
        {0, 300, {700}, 1},    // as for 1 frame per second
        {5000, 0, {1}, 1000},  // as for 1000
        {60, 3, {13}, 62},     // 16 ms frames
        {60, 40, {}, 25},      // a late frame returns at once
        {60, 2000, {}, 1},     // never below 1
    };
    for (const auto& c : cases) {
        StartedSystem s;
        s.sys.FrameWait(1000);  // stamps the previous frame
        s.kit.clock.advance(c.sinceLastFrame);
        EXPECT_EQ(s.sys.FrameWait(c.fps), c.achieved) << c.fps;
        EXPECT_EQ(s.kit.clock.sleeps(), c.sleeps) << c.fps;
    }
}
