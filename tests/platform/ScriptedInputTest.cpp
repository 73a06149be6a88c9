#include <gtest/gtest.h>

#include "platform/input/ScriptedInput.h"

using namespace platform;

TEST(ScriptedInput, EveryKeyOfTheTableCanBeHeldAndNoneOutsideIt) {
    const struct {
        int key;
        bool held;
    } cases[] = {{-1, false}, {0, true}, {255, true}, {256, false}};
    for (const auto& c : cases) {
        ScriptedInput input;
        input.setKey(c.key, true);
        EXPECT_EQ(input.isKeyDown(c.key), c.held) << c.key;
        input.setKey(c.key, false);
        EXPECT_FALSE(input.isKeyDown(c.key)) << c.key;
    }
}
