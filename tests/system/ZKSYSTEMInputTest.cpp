#include <gtest/gtest.h>

#include "platform/VirtualKeys.h"
#include "support/Bytes.h"
#include "support/TestKit.h"
#include "system/ZKSYSTEM.h"

using namespace platform;
using zktest::TestKit;

namespace {

// A system started as the game starts it, in the kit's working folder.
struct StartedSystem {
    TestKit kit;
    ZKSYSTEM sys;
    StartedSystem() { sys.Initialize(nullptr, 1); }
    void frame() { sys.MainLoop(nullptr); }
};

}  // namespace

TEST(ZKSYSTEMKeys, StatesFollowTheFrameSamples) {
    StartedSystem s;
    // A press and release between two samples (frames 6 and 7) is never seen.
    const struct {
        bool downAtSample;
        KEY_STATE expected;
    } frames[] = {
        {true, KEY_STATE_PRESSED},   {true, KEY_STATE_HELD}, {true, KEY_STATE_HELD},
        {false, KEY_STATE_RELEASED}, {false, KEY_STATE_UP},  {false, KEY_STATE_UP},
        {false, KEY_STATE_UP},
    };
    for (const auto& f : frames) {
        s.kit.input.setKey(VK_RETURN, f.downAtSample);
        s.frame();
        EXPECT_EQ(s.sys.GetVKeyStatus(VK_RETURN), f.expected);
        EXPECT_EQ(s.sys.GetKey(SYSTEM_KEY_RETURN), f.downAtSample ? 1u : 0u);
    }
    EXPECT_TRUE(s.kit.debugLines().empty());
}

TEST(ZKSYSTEMKeys, EachSystemKeyReadsItsOwnVirtualKey) {
    const struct {
        SYSTEM_KEY key;
        int vk;
    } table[] = {
        {SYSTEM_KEY_RETURN, 13}, {SYSTEM_KEY_CONTROL, 17}, {SYSTEM_KEY_SPACE, 32},
        {SYSTEM_KEY_UP, 38},     {SYSTEM_KEY_DOWN, 40},    {SYSTEM_KEY_LEFT, 37},
        {SYSTEM_KEY_RIGHT, 39},  {SYSTEM_KEY_LBUTTON, 1},  {SYSTEM_KEY_RBUTTON, 2},
        {SYSTEM_KEY_DELETE, 46}, {SYSTEM_KEY_ESCAPE, 27},
    };
    for (const auto& row : table) {
        StartedSystem s;
        s.kit.input.setKey(row.vk, true);
        s.frame();
        s.kit.input.setKey(row.vk, false);
        s.frame();
        for (const auto& other : table) {
            const std::uint32_t expected = other.key == row.key ? 1u : 0u;
            EXPECT_EQ(s.sys.GetKeyPush(other.key), expected) << row.vk << " vs " << other.vk;
        }
    }
}

TEST(ZKSYSTEMKeys, PushLastsOneFrameAndTheLatchUntilCleared) {
    StartedSystem s;
    const struct {
        bool down;
        std::uint32_t push;
        std::uint32_t latch;
    } frames[] = {{true, 0, 0}, {false, 1, 1}, {false, 0, 1}, {true, 0, 1}};
    for (const auto& f : frames) {
        s.kit.input.setKey(VK_SPACE, f.down);
        s.frame();
        EXPECT_EQ(s.sys.GetKeyPush(SYSTEM_KEY_SPACE), f.push);
        EXPECT_EQ(s.sys.GetKeyPushLatch(SYSTEM_KEY_SPACE), f.latch);
    }

    s.sys.ClearKeyState();  // the key is still down, but the states start afresh
    EXPECT_EQ(s.sys.GetVKeyStatus(VK_SPACE), KEY_STATE_UP);
    EXPECT_EQ(s.sys.GetKeyPushLatch(SYSTEM_KEY_SPACE), 1u);
    s.frame();
    EXPECT_EQ(s.sys.GetVKeyStatus(VK_SPACE), KEY_STATE_PRESSED);

    s.sys.ClearKeyPushLatch();
    EXPECT_EQ(s.sys.GetKeyPushLatch(SYSTEM_KEY_SPACE), 0u);
}

TEST(ZKSYSTEMKeys, OutOfRangeQueriesWarnAndReadZero) {
    StartedSystem s;
    for (int vk = 0; vk < 256; ++vk) s.kit.input.setKey(vk, true);
    s.frame();

    for (const int bad : {11, -1}) {
        const auto key = static_cast<SYSTEM_KEY>(bad);
        EXPECT_EQ(s.sys.GetKey(key), 0u);
        EXPECT_EQ(s.sys.GetKeyPush(key), 0u);
        EXPECT_EQ(s.sys.GetKeyPushLatch(key), 0u);
    }
    for (const int vk : {256, -1}) EXPECT_EQ(s.sys.GetVKeyStatus(vk), KEY_STATE_UP);

    const std::string keyWarn = " 定義されていない列挙名です";
    const std::string vkWarn = "Warn: <ZKSYSTEM::GetVKeyStatus> 仮想キーコードが範囲外です";
    const std::vector<std::string> expected = {
        "Warn: <ZKSYSTEM::GetKey>" + keyWarn,
        "Warn: <ZKSYSTEM::GetKeyPush>" + keyWarn,
        "Warn: <ZKSYSTEM::GetKeyPushLatch>" + keyWarn,
        "Warn: <ZKSYSTEM::GetKey>" + keyWarn,
        "Warn: <ZKSYSTEM::GetKeyPush>" + keyWarn,
        "Warn: <ZKSYSTEM::GetKeyPushLatch>" + keyWarn,
        vkWarn,
        vkWarn,
    };
    EXPECT_EQ(s.kit.debugLines(), expected);
}

TEST(ZKSYSTEMKeys, RestartClearsKeysButKeepsPendingDeletions) {
    StartedSystem s;
    zktest::WriteFileBytes("held.gpc", "x");
    s.kit.files.markInUse("held.gpc");
    EXPECT_EQ(s.sys.RemoveFile(nullptr, "held.gpc", 0), 0);
    s.kit.input.setKey(VK_CONTROL, true);
    s.frame();
    s.frame();
    ASSERT_EQ(s.sys.GetVKeyStatus(VK_CONTROL), KEY_STATE_HELD);

    s.sys.Initialize(nullptr, 0);
    EXPECT_EQ(s.sys.GetVKeyStatus(VK_CONTROL), KEY_STATE_UP);
    s.frame();
    EXPECT_EQ(s.sys.GetVKeyStatus(VK_CONTROL), KEY_STATE_PRESSED);  // held across: pressed again

    char path[ZKSYSTEM::kPathSize];
    EXPECT_STREQ(s.sys.GetRemoveFileListPath(0, path, sizeof path), "held.gpc");
    s.sys.Initialize(nullptr, 1);
    EXPECT_STREQ(s.sys.GetRemoveFileListPath(0, path, sizeof path), "");
}

TEST(ZKSYSTEMPointer, CaptionOffsetAppliesToReadsAndWarps) {
    TestKit kit;
    kit.input.setPointer({5, 7});
    ZKSYSTEM sys;
    sys.Initialize(nullptr, 1);
    int x = -1;
    int y = -1;
    sys.GetMousePos(&x, &y);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 7);  // the first sample is stored as it stands

    sys.SetYOffset(19);
    kit.input.setPointer({100, 0});
    sys.MainLoop(nullptr);
    sys.GetMousePos(&x, &y);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 19);

    sys.SetMousePos(348, 19);
    ASSERT_EQ(kit.input.warps().size(), 1u);
    EXPECT_EQ(kit.input.warps()[0].x, 348);
    EXPECT_EQ(kit.input.warps()[0].y, 0);
    sys.GetMousePos(&x, &y);
    EXPECT_EQ(y, 19);
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
    for (const std::uint32_t t : {0xFFFFFFF0u, 0xFFFFFFFFu, 0x10u}) {
        s.kit.clock.set(t);
        EXPECT_EQ(s.sys.UpdateTime(), t);
        EXPECT_EQ(s.sys.GetTime(), t);
    }
}

TEST(ZKSYSTEMTime, FrameWaitSleepsOutTheInterval) {
    const struct {
        std::uint32_t fps;
        std::uint32_t sinceLastFrame;
        std::uint32_t expectedSleep;  // 0: no sleep
        std::uint32_t expectedFps;
    } cases[] = {
        {0, 300, 700, 1},    // as for 1 frame per second
        {5000, 0, 1, 1000},  // as for 1000
        {60, 3, 13, 62},     // 16 ms frames
        {60, 40, 0, 25},     // a late frame returns at once
        {60, 2000, 0, 1},    // never below 1
    };
    for (const auto& c : cases) {
        StartedSystem s;
        s.sys.FrameWait(1000);  // sets the previous frame's time stamp
        const std::size_t sleepsBefore = s.kit.clock.sleeps().size();
        s.kit.clock.advance(c.sinceLastFrame);
        EXPECT_EQ(s.sys.FrameWait(c.fps), c.expectedFps) << c.fps;
        const std::vector<std::uint32_t> sleeps(s.kit.clock.sleeps().begin() + sleepsBefore,
                                                s.kit.clock.sleeps().end());
        const std::vector<std::uint32_t> expected =
            c.expectedSleep ? std::vector<std::uint32_t>{c.expectedSleep}
                            : std::vector<std::uint32_t>{};
        EXPECT_EQ(sleeps, expected) << c.fps;
    }
}
