#include <gtest/gtest.h>

#include "support/ScriptBench.h"

namespace {

using zktest::ScriptBench;

// The bench's set-up is what every handler test stands on: the character with its
// pictures registered, the windows up, the dispatches counted.
TEST(ScriptBench, RunsAScriptFrameByFrameAndCountsItsDispatches) {
    ScriptBench b;
    const ZKCHAR& hero = b.character();
    EXPECT_EQ(std::pair(hero.nBodyNum, hero.nFaceNum), std::pair(3, 3));
    EXPECT_EQ(b.game().MsgWindowData.nInitFlg, 1u);
    EXPECT_EQ(b.game().nSaveEnableFlg, 1u);
    ASSERT_TRUE(b.open({u8"// c", u8"#EndIf 1", u8"#endif 2", u8"#RandomEnd 3"}));
    EXPECT_TRUE(b.runToEnd());
    EXPECT_EQ(b.lastResult, 2);
    EXPECT_EQ(b.count("#EndIf"), 2);
    EXPECT_EQ(b.count("#RandomEnd"), 1);
}

}  // namespace
