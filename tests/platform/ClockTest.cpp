#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

#include "platform/audio/AudioEngine.h"
#include "platform/audio/AudioStream.h"
#include "platform/core/ManualClock.h"
#include "platform/core/SteadyClock.h"
#include "platform/media/MediaClock.h"
#include "support/ManualAudio.h"
#include "support/TestKit.h"

using platform::ManualClock;

TEST(ManualClockDeathTest, SpinningOnNowAborts) {
    EXPECT_DEATH(
        {
            ManualClock clock;
            while (clock.now() < 10) {
            }
        },
        "busy wait");
}

// The manual calendar stays where a test put it while the milliseconds run on.
TEST(ManualClock, TheCalendarIsFixedUntilSet) {
    ManualClock clock;
    EXPECT_EQ(clock.localTime(), (platform::CalendarTime{2026, 12, 5, 18, 7, 9}));
    const platform::CalendarTime saved{2005, 5, 1, 9, 5, 0};
    clock.setLocalTime(saved);
    clock.advance(86400000);
    EXPECT_EQ(clock.localTime(), saved);
}

// The real calendar is this machine's local time: month and year counted from 1
// and from year 0, not as the C library stores them.
TEST(SteadyClock, TheCalendarIsThisMachinesLocalTime) {
    const auto calendarAt = [](std::time_t seconds) {
        std::tm parts{};
        EXPECT_NE(localtime_r(&seconds, &parts), nullptr);
        return platform::CalendarTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                                      parts.tm_hour,        parts.tm_min,     parts.tm_sec};
    };
    const std::time_t before = std::time(nullptr);
    const platform::CalendarTime now = platform::SteadyClock().localTime();
    const std::time_t after = std::time(nullptr);
    EXPECT_TRUE(now == calendarAt(before) || now == calendarAt(after));
}

// The mix takes the movie's sound a block at a time, while there is a block to take,
// and the game reads the clock more often: between blocks the clock runs on, but
// never back, never past the next block's end and never past the sound given.
TEST(MediaClock, RunsOnBetweenBlocksNeverBackNorPastTheSoundGiven) {
    constexpr std::size_t kBlock = 1024;
    const auto units = [](std::uint64_t frames) {
        return static_cast<std::int64_t>(frames * 10000000 / platform::kMixRate);
    };
    for (const std::size_t given : {std::size_t{2500}, std::size_t{20000}}) {
        SCOPED_TRACE(given);
        zktest::TestKit kit;
        zktest::ManualAudio audio;
        platform::AudioEngine engine;
        ASSERT_TRUE(engine.open());
        auto stream = std::make_shared<platform::AudioStream>();
        const std::vector<float> silence(2 * given, 0.0f);
        ASSERT_EQ(stream->push(silence.data(), given), given);
        engine.addStream(stream);
        stream->setArmed(true);
        platform::MediaClock clock;
        clock.start(0, kit.clock.now(), stream.get());
        std::int64_t last = 0;
        int movedBetweenBlocks = 0;
        for (int read = 0; read < 24; ++read) {
            if (read % 3 == 0 && stream->available() >= kBlock) audio.pull(kBlock);
            kit.clock.advance(7);
            const std::int64_t position = clock.at(kit.clock.now());
            EXPECT_GE(position, last) << read;
            EXPECT_LE(position, units(std::min(stream->consumed() + kBlock, given))) << read;
            if (read % 3 != 0 && position > last) ++movedBetweenBlocks;
            last = position;
        }
        EXPECT_GT(movedBetweenBlocks, 4);
    }
}

// Before the device takes its first block, the clock runs as if one block of the
// device's size were in flight: from the first read on, up to that block or the
// sound given, whichever ends first.
TEST(MediaClock, RunsBeforeTheFirstBlockUpToOneBlockOfTheDevice) {
    const auto units = [](std::uint64_t frames) {
        return static_cast<std::int64_t>(frames * 10000000 / platform::kMixRate);
    };
    const struct {
        std::size_t given;
        std::int64_t at10, at40;
    } rows[] = {
        {20000, 100000, units(platform::kDeviceBlockFrames)},
        {300, units(300), units(300)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.given);
        zktest::TestKit kit;
        zktest::ManualAudio audio;
        platform::AudioEngine engine;
        ASSERT_TRUE(engine.open());
        auto stream = std::make_shared<platform::AudioStream>();
        const std::vector<float> silence(2 * row.given, 0.0f);
        ASSERT_EQ(stream->push(silence.data(), row.given), row.given);
        engine.addStream(stream);
        stream->setArmed(true);
        platform::MediaClock clock;
        clock.start(0, kit.clock.now(), stream.get());
        kit.clock.advance(10);
        EXPECT_EQ(clock.at(kit.clock.now()), row.at10);
        kit.clock.advance(30);
        EXPECT_EQ(clock.at(kit.clock.now()), row.at40);
        EXPECT_EQ(clock.at(kit.clock.now()), row.at40);
    }
}
