#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/audio/AudioMixer.h"
#include "support/ManualAudio.h"

using platform::AudioBus;
using platform::AudioMixer;
using zktest::AllFramesAt;
using zktest::LevelSound;
using zktest::SoundingFrames;

namespace {

std::vector<float> Render(AudioMixer& mixer, std::size_t frames) {
    std::vector<float> out(frames * platform::kMixChannels);
    mixer.render(out.data(), frames);
    return out;
}

}  // namespace

TEST(AudioMixer, GainLawAndClipping) {
    const struct {
        int volume;
        float expected;
    } cases[] = {
        {0, 0.5f},      {-600, 0.25059f}, {-2000, 0.05f}, {-9600, 0.0f},
        {-10000, 0.0f}, {-20000, 0.0f},   {1000, 1.0f},  // 3.162 x 0.5, clipped
    };
    for (const auto& c : cases) {
        AudioMixer mixer;
        mixer.setBusVolume(AudioBus::Music, c.volume);
        mixer.play(LevelSound(64, 0.5f), AudioBus::Music, -1, nullptr);
        EXPECT_TRUE(AllFramesAt(Render(mixer, 32), c.expected, 1e-4f)) << c.volume;
    }
    AudioMixer quiet;
    quiet.setBusVolume(AudioBus::Music, -9599);
    quiet.play(LevelSound(64, 0.5f), AudioBus::Music, -1, nullptr);
    EXPECT_GT(Render(quiet, 1)[0], 0.0f);
}

TEST(AudioMixer, RepeatsPlayWholePassesThenFallSilent) {
    constexpr std::size_t kLength = 100;
    for (int repeats : {0, 2}) {
        AudioMixer mixer;
        const auto instance =
            mixer.play(LevelSound(kLength, 0.5f), AudioBus::Effects, repeats, nullptr);
        const auto mix = Render(mixer, 10 * kLength);
        EXPECT_EQ(SoundingFrames(mix), (repeats + 1) * kLength) << repeats;
        EXPECT_FALSE(mixer.isActive(instance));
        EXPECT_EQ(mixer.position(instance), kLength);
    }

    AudioMixer mixer;
    const auto endless = mixer.play(LevelSound(kLength, 0.5f), AudioBus::Effects, -5, nullptr);
    EXPECT_TRUE(AllFramesAt(Render(mixer, 10 * kLength + 50), 0.5f));
    EXPECT_EQ(mixer.position(endless), 50u);
    mixer.stop(std::vector{endless});
    EXPECT_EQ(SoundingFrames(Render(mixer, kLength)), 0u);
    EXPECT_EQ(mixer.position(endless), 50u);
}

TEST(AudioMixer, ReplayCutsTheOldInstanceAtTheFrameTheNewStarts) {
    AudioMixer mixer;
    const auto sound = LevelSound(1000, 0.5f);
    auto previous = mixer.play(sound, AudioBus::Effects, -1, nullptr);
    for (int i = 0; i < 5; ++i) {
        auto mix = Render(mixer, 37);
        auto next = mixer.play(sound, AudioBus::Effects, 0, previous);
        mix = Render(mixer, 37);
        EXPECT_TRUE(AllFramesAt(mix, 0.5f)) << "one copy, no gap, replay " << i;
        EXPECT_FALSE(mixer.isActive(previous));
        previous = next;
    }
}

TEST(AudioMixer, HandleOutlivesItsSoundWhichIsFreedOnceNothingPlaysIt) {
    AudioMixer mixer;
    auto sound = LevelSound(100, 0.5f);
    const std::weak_ptr<const platform::DecodedSound> watch = sound;
    const auto instance = mixer.play(std::move(sound), AudioBus::Voice, 0, nullptr);
    Render(mixer, 30);
    EXPECT_TRUE(mixer.isActive(instance));
    EXPECT_EQ(mixer.position(instance), 30u);
    EXPECT_FALSE(watch.expired());

    Render(mixer, 200);
    mixer.stopAll();  // any call from the game thread lets the ended sound go
    EXPECT_TRUE(watch.expired());
    EXPECT_FALSE(mixer.isActive(instance));
    EXPECT_EQ(mixer.position(instance), 100u);
}
