#include <gtest/gtest.h>

#include "support/CdImage.h"
#include "support/RunTool.h"
#include "support/TempWorkDir.h"

TEST(Zksnd, ListsADiscImagesTracksLengthAndIdAndRefusesBadCommandLines) {
    zktest::TempWorkDir dir;
    const std::string cue = zktest::CdImage::Write("disc", {{300, true}, {225, true}, {75, false}});
    const platform::ProcessResult run = zktest::RunTool("zksnd", {"cd", "tracks", cue});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out,
              "track 1 audio 00:04:00\ntrack 2 audio 00:03:00\ntrack 3 other 00:01:00\n"
              "length 00:08:00\nid 11000803\n");
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"cd"},
        {"cd", "play"},
        {"cd", "play", "x", "y"},
        {"mixer", "set", "0"},
        {"play"},
        {"avi", "m.avi", "1", "2"},
        {"tune"},
    };
    for (const auto& args : bad) {
        EXPECT_EQ(zktest::RunTool("zksnd", args).exitStatus, 2) << ::testing::PrintToString(args);
    }
}
