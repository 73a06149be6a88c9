#include <gtest/gtest.h>

#include "platform/input/ScriptedInput.h"

using namespace platform;

TEST(ScriptedInput, KeysOutsideTheTableAreNeverDown) {
    ScriptedInput input;
    input.setKey(-1, true);
    input.setKey(256, true);
    EXPECT_FALSE(input.isKeyDown(-1));
    EXPECT_FALSE(input.isKeyDown(256));
}
