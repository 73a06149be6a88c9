#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/TestKit.h"
#include "windows/DrawFailureLatch.h"

namespace {

const std::string kFailed = "Error: <WINDOW::Draw> 描画に失敗しました";

// Two items of one call site and another call site of one owner, and a call of
// another owner, driven frame by frame with the results given.
TEST(DrawFailureLatch, EachCallLogsItsFailureOnceUntilItSucceedsAgain) {
    zktest::TestKit kit;
    DrawFailureLatch window;
    DrawFailureLatch other;
    const struct {
        int first, second, item1, elsewhere;
        std::size_t lines;
        const char* what;
    } frames[] = {
        {-1, 1, 1, 1, 1, "a first failure is logged"},
        {-1, 1, 1, 1, 0, "the same failure the next frame is not"},
        {-1, 1, 1, 1, 0, "nor the one after"},
        {0, 1, 1, 1, 0, "a result of 0 is no failure"},
        {-1, 1, 1, 1, 1, "after a success it is logged again"},
        {-1, -1, 1, 1, 1, "another call site logs its own"},
        {-1, -1, -1, 1, 1, "another item of a call site logs its own"},
        {-1, -1, -1, -1, 1, "another owner logs its own"},
        {-1, -1, -1, -1, 0, "all four latched"},
        {1, -1, 1, -1, 0, "successes log nothing"},
        {-1, -1, -1, -1, 2, "and re-arm only the calls that succeeded"},
    };
    for (const auto& f : frames) {
        kit.log.clear();
        for (const auto& [result, item] : {std::pair{f.first, 0}, std::pair{f.item1, 1}}) {
            window.Check("WINDOW::Draw", result, item);
        }
        window.Check("WINDOW::Draw", f.second);
        other.Check("WINDOW::Draw", f.elsewhere);
        EXPECT_EQ(kit.debugLines(), std::vector<std::string>(f.lines, kFailed)) << f.what;
    }
}

}  // namespace
