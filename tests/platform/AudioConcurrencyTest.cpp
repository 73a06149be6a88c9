#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/audio/AudioEngine.h"
#include "platform/core/HResult.h"
#include "support/ManualAudio.h"
#include "support/TestKit.h"

using platform::AudioBus;

// The device's thread renders without pause while the game thread changes every
// piece of engine state: the sanitizers judge the sharing, and what was mixed must
// be the sounds' level within the mix's range, never a torn instance's garbage.
TEST(AudioEngineConcurrency, RenderingWhileTheGameThreadLoadsPlaysStopsAndDrops) {
    zktest::TestKit kit;
    zktest::ManualAudio audio;
    zktest::WriteLevelWav("a.sou", 300, 0.25f);
    zktest::WriteLevelWav("b.mus", 500, 0.25f, {8, 2, 22050});

    platform::AudioEngine engine;
    ASSERT_TRUE(engine.open());
    std::atomic<bool> done{false};
    std::size_t sounding = 0, outOfRange = 0;
    std::thread device([&] {
        while (!done) {
            for (const float sample : audio.pull(64)) {
                sounding += sample > 0.0f ? 1 : 0;
                outOfRange += sample >= 0.0f && sample <= 1.0f ? 0 : 1;
            }
        }
    });

    platform::InstanceHandle latest;
    std::vector<platform::InstanceHandle> started;
    for (int i = 0; i < 1000; ++i) {
        platform::SoundHandle sound;
        ASSERT_EQ(engine.load(i % 2 ? "a.sou" : "b.mus", sound), platform::S_OK);
        const auto bus = static_cast<AudioBus>(i % 4);
        engine.setBusVolume(bus, -(i % 7) * 1000);
        latest = engine.play(sound, bus, i % 3 - 1, i % 5 ? latest : nullptr);
        started.push_back(latest);
        if (i % 10 == 0) engine.stop(started);
        if (i % 50 == 0) engine.stopAll();
        engine.anyActive(started);
        engine.position(latest);
        if (started.size() > 20) started.erase(started.begin());
    }
    done = true;
    device.join();
    EXPECT_GT(sounding, 0u);
    EXPECT_EQ(outOfRange, 0u);
    engine.stopAll();
    EXPECT_EQ(zktest::SoundingFrames(audio.pull(64)), 0u);
}
