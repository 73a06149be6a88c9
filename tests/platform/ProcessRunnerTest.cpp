#include <gtest/gtest.h>
#include <sys/time.h>

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

// The input goes in piece by piece while the output comes back, however large both
// are; a program that stops reading is not fed on and does not end this one.
TEST(ProcessRunner, FeedsTheInputAsTheProgramReadsAndStopsWhenItStops) {
    int asked = 0;
    const auto pieces = [&asked](int count) {
        return [&asked, count] {
            return asked++ < count ? std::string(100000, static_cast<char>('a' + asked % 26))
                                   : std::string();
        };
    };
    const auto copied = RunProcess({"cat"}, pieces(3));
    EXPECT_EQ(copied.exitStatus, 0);
    EXPECT_EQ(copied.out,
              std::string(100000, 'b') + std::string(100000, 'c') + std::string(100000, 'd'));
    EXPECT_EQ(asked, 4);

    asked = 0;
    const auto stopped = RunProcess({"head", "-c", "5"}, pieces(100000));
    EXPECT_EQ(stopped.exitStatus, 0);
    EXPECT_EQ(stopped.out, "bbbbb");
    EXPECT_LT(asked, 1000);
    sigset_t pending;
    sigpending(&pending);
    EXPECT_EQ(sigismember(&pending, SIGPIPE), 0);
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

// A signal the caller catches (a timer, say) interrupts the waits for the output and
// for the end: the runner waits again and loses neither.
TEST(ProcessRunner, CaughtSignalsLoseNeitherOutputNorStatus) {
    struct sigaction caught {};
    caught.sa_handler = [](int) {};
    struct sigaction before {};
    ASSERT_EQ(sigaction(SIGALRM, &caught, &before), 0);
    const itimerval everyMs{{0, 1000}, {0, 1000}};
    setitimer(ITIMER_REAL, &everyMs, nullptr);
    const auto result =
        RunProcess({"sh", "-c", "sleep 0.1; printf out; exec >&- 2>&-; sleep 0.1; exit 4"});
    const itimerval off{};
    setitimer(ITIMER_REAL, &off, nullptr);
    sigaction(SIGALRM, &before, nullptr);
    ASSERT_TRUE(result.started) << result.startError;
    EXPECT_EQ(result.out, "out");
    EXPECT_EQ(result.exitStatus, 4);
}
