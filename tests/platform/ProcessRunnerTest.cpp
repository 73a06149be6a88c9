#include <gtest/gtest.h>

#include <csignal>

#include "platform/core/ProcessRunner.h"

using platform::RunProcess;

TEST(ProcessRunner, CollectsStatusAndBothStreams) {
    const auto result = RunProcess({"sh", "-c", "printf out; printf err >&2; exit 3"});
    ASSERT_TRUE(result.started) << result.startError;
    EXPECT_EQ(result.exitStatus, 3);
    EXPECT_EQ(result.signal, 0);
    EXPECT_EQ(result.out, "out");
    EXPECT_EQ(result.err, "err");
}

TEST(ProcessRunner, LargeOutputOnBothStreamsDoesNotBlock) {
    const auto result =
        RunProcess({"sh", "-c", "head -c 200000 /dev/zero; head -c 200000 /dev/zero >&2"});
    ASSERT_TRUE(result.started);
    EXPECT_EQ(result.out.size(), 200000u);
    EXPECT_EQ(result.err.size(), 200000u);
}

TEST(ProcessRunner, ReportsSignalsAndProgramsThatCannotStart) {
    const auto killed = RunProcess({"sh", "-c", "kill -TERM $$"});
    ASSERT_TRUE(killed.started);
    EXPECT_EQ(killed.signal, SIGTERM);

    const auto missing = RunProcess({"no-such-program-zk"});
    EXPECT_FALSE(missing.started);
    EXPECT_FALSE(missing.startError.empty());
    EXPECT_FALSE(RunProcess({}).started);
}
