#include <gtest/gtest.h>

#include "platform/ScriptedInput.h"

using namespace platform;

TEST(ScriptedInput, WarpsMoveTheHeldPointerAndAreRecorded) {
    ScriptedInput input;
    input.setPointer({10, 20});
    input.warpPointer({300, -5});
    EXPECT_EQ(std::pair(input.pointer().x, input.pointer().y), std::pair(300, -5));
    ASSERT_EQ(input.warps().size(), 1u);
    EXPECT_EQ(std::pair(input.warps()[0].x, input.warps()[0].y), std::pair(300, -5));
}

TEST(ScriptedInput, FrameStatesReplaceKeysAndPointer) {
    ScriptedInput input;
    input.setKey(VK_SPACE, true);
    input.queueFrame({{VK_RETURN, VK_LBUTTON}, {1, 2}});
    input.queueFrame({{}, {3, 4}});
    ASSERT_TRUE(input.applyNextFrame());
    EXPECT_TRUE(input.isKeyDown(VK_RETURN));
    EXPECT_TRUE(input.isKeyDown(VK_LBUTTON));
    EXPECT_FALSE(input.isKeyDown(VK_SPACE));
    ASSERT_TRUE(input.applyNextFrame());
    EXPECT_FALSE(input.isKeyDown(VK_RETURN));
    EXPECT_EQ(input.pointer().x, 3);
    EXPECT_FALSE(input.applyNextFrame());
    EXPECT_FALSE(input.isKeyDown(-1));
    EXPECT_FALSE(input.isKeyDown(256));
}

TEST(ScriptedInput, CursorChangesAreRecordedAndTheCurrentOneIsFixed) {
    ScriptedInput input;
    const CursorHandle other = nullptr;
    input.setCursor(other);
    EXPECT_EQ(input.currentCursor(), ScriptedInput::fixedCursor());
    EXPECT_EQ(input.cursorChanges(), std::vector<CursorHandle>{other});
}
