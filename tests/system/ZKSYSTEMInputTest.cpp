#include <gtest/gtest.h>

#include <utility>

#include "platform/input/VirtualKeys.h"
#include "support/Bytes.h"
#include "support/TestKit.h"
#include "system/ZKSYSTEM.h"

using namespace platform;

namespace {

// A system started as the game starts it, in the kit's working folder.
struct StartedSystem : ::testing::Test {
    zktest::TestKit kit;
    ZKSYSTEM sys;
    StartedSystem() { sys.Initialize(nullptr, 1); }
    void frame(int vk, bool down) {
        kit.input.setKey(vk, down);
        sys.MainLoop(nullptr);
    }
};

using ZKSYSTEMKeys = StartedSystem;
using ZKSYSTEMPointer = StartedSystem;

}  // namespace

TEST_F(ZKSYSTEMKeys, StatesPushAndLatchFollowTheFrameSamples) {
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
        frame(VK_SPACE, f.down);
        EXPECT_EQ(sys.GetVKeyStatus(VK_SPACE), f.state);
        EXPECT_EQ(sys.GetKey(SYSTEM_KEY_SPACE), f.down ? 1u : 0u);
        EXPECT_EQ(sys.GetKeyPush(SYSTEM_KEY_SPACE), f.push);
        EXPECT_EQ(sys.GetKeyPushLatch(SYSTEM_KEY_SPACE), f.latch);
    }

    frame(VK_SPACE, true);
    sys.ClearKeyState();  // still down, but the states start afresh; the latch stays
    EXPECT_EQ(sys.GetVKeyStatus(VK_SPACE), KEY_STATE_UP);
    EXPECT_EQ(sys.GetKeyPushLatch(SYSTEM_KEY_SPACE), 1u);
    sys.ClearKeyPushLatch();
    EXPECT_EQ(sys.GetKeyPushLatch(SYSTEM_KEY_SPACE), 0u);
    EXPECT_TRUE(kit.debugLines().empty());
}

TEST_F(ZKSYSTEMKeys, EachSystemKeyReadsItsOwnVirtualKey) {
    const int codes[] = {13, 17, 32, 38, 40, 37, 39, 1, 2, 46, 27};  // SYSTEM_KEY 0 to 10
    for (int key = 0; key <= SYSTEM_KEY_ESCAPE; ++key) {
        frame(codes[key], true);
        for (int other = 0; other <= SYSTEM_KEY_ESCAPE; ++other) {
            EXPECT_EQ(sys.GetKey(static_cast<SYSTEM_KEY>(other)), other == key ? 1u : 0u);
        }
        frame(codes[key], false);
    }
}

TEST_F(ZKSYSTEMKeys, OutOfRangeQueriesWarnAndReadZero) {
    for (int vk = 0; vk < 256; ++vk) kit.input.setKey(vk, true);
    sys.MainLoop(nullptr);

    std::vector<std::string> expected;
    for (const int bad : {11, -1}) {
        const auto key = static_cast<SYSTEM_KEY>(bad);
        EXPECT_EQ(sys.GetKey(key) + sys.GetKeyPush(key) + sys.GetKeyPushLatch(key), 0u);
        for (const char* tag : {"GetKey", "GetKeyPush", "GetKeyPushLatch"}) {
            expected.push_back(std::string("Warn: <ZKSYSTEM::") + tag +
                               "> 定義されていない列挙名です");
        }
    }
    for (const int vk : {256, -1}) {
        EXPECT_EQ(sys.GetVKeyStatus(vk), KEY_STATE_UP);
        expected.push_back("Warn: <ZKSYSTEM::GetVKeyStatus> 仮想キーコードが範囲外です");
    }
    EXPECT_EQ(kit.debugLines(), expected);
}

TEST_F(ZKSYSTEMKeys, RestartClearsKeysButKeepsPendingDeletions) {
    zktest::WriteFileBytes("held.gpc", "x");
    kit.files.markInUse("held.gpc");
    EXPECT_EQ(sys.RemoveFile(nullptr, "held.gpc", 0), 0);
    frame(VK_CONTROL, true);
    frame(VK_CONTROL, true);

    sys.Initialize(nullptr, 0);
    EXPECT_EQ(sys.GetVKeyStatus(VK_CONTROL), KEY_STATE_UP);
    frame(VK_CONTROL, true);
    EXPECT_EQ(sys.GetVKeyStatus(VK_CONTROL), KEY_STATE_PRESSED);  // held across: pressed again

    char path[ZKSYSTEM::kPathSize];
    EXPECT_STREQ(sys.GetRemoveFileListPath(0, path, sizeof path), "held.gpc");
    sys.Initialize(nullptr, 1);
    EXPECT_STREQ(sys.GetRemoveFileListPath(0, path, sizeof path), "");
}

TEST_F(ZKSYSTEMPointer, CaptionOffsetAppliesToReadsAndWarps) {
    kit.input.setPointer({5, 7});
    sys.Initialize(nullptr, 1);
    const auto position = [&] {
        int x = -1, y = -1;
        sys.GetMousePos(&x, &y);
        return std::pair(x, y);
    };
    EXPECT_EQ(position(), std::pair(5, 7));  // the first sample is stored as it stands

    sys.SetYOffset(19);
    kit.input.setPointer({100, 0});
    sys.MainLoop(nullptr);
    EXPECT_EQ(position(), std::pair(100, 19));

    sys.SetMousePos(348, 19);
    ASSERT_EQ(kit.input.warps().size(), 1u);
    EXPECT_EQ(kit.input.warps()[0].y, 0);
    sys.MainLoop(nullptr);  // the warped pointer reads back where the game put it
    EXPECT_EQ(position(), std::pair(348, 19));
}

TEST_F(ZKSYSTEMPointer, ButtonValuesAndCursorModes) {
    // Only the two buttons hold a value.
    sys.SetMouseButtonValue(SYSTEM_KEY_RBUTTON, 80);
    sys.SetMouseButtonValue(SYSTEM_KEY_RETURN, 99);
    EXPECT_EQ(sys.GetMouseButtonValue(SYSTEM_KEY_RBUTTON), 80u);
    EXPECT_EQ(sys.GetMouseButtonValue(SYSTEM_KEY_RETURN), 0u);

    // The game cursor is the original one, so mode 0 changes nothing.
    EXPECT_EQ(sys.SetCursorMode(0), 1);
    EXPECT_TRUE(kit.input.cursorChanges().empty());
    EXPECT_EQ(sys.SetCursorMode(1), 1);
    EXPECT_EQ(kit.input.cursorChanges(), std::vector<CursorHandle>{ScriptedInput::fixedCursor()});
}

TEST(ZKSYSTEMTime, FrameWaitSleepsOutTheInterval) {
    const struct {
        std::uint32_t fps, sinceLastFrame, achieved;
        std::vector<std::uint32_t> sleeps;
    } cases[] = {
        {0, 300, 1, {700}},    // as for 1 frame per second
        {5000, 0, 1000, {1}},  // as for 1000
        {60, 3, 62, {13}},     // 16 ms frames
        {60, 40, 25, {}},      // a late frame returns at once
        {60, 2000, 1, {}},     // never below 1
    };
    for (const auto& c : cases) {
        zktest::TestKit kit;
        ZKSYSTEM sys;
        sys.Initialize(nullptr, 1);
        sys.FrameWait(1000);  // stamps the previous frame
        kit.clock.advance(c.sinceLastFrame);
        EXPECT_EQ(sys.FrameWait(c.fps), c.achieved) << c.fps;
        EXPECT_EQ(kit.clock.sleeps(), c.sleeps) << c.fps;
    }
}
