#include <gtest/gtest.h>

#include "platform/ScriptedInput.h"

using namespace platform;

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
