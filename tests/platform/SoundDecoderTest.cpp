#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/BitmapWriter.h"
#include "platform/audio/SoundDecoder.h"
#include "platform/core/HResult.h"
#include "support/Bytes.h"
#include "support/ManualAudio.h"
#include "support/TestKit.h"

using platform::SoundDecoder;
using platform::SoundHandle;
using zktools::WavFormat;

namespace {

constexpr std::size_t kWavHeaderBytes = 44;

float SampleAt(const SoundHandle& sound, std::size_t frame, int channel) {
    return sound->samples[frame * platform::kMixChannels + channel] / 32768.0f;
}

std::size_t ExpectedFrames(std::size_t frames, int rate) {
    return frames * platform::kMixRate / rate;
}

}  // namespace

TEST(SoundDecoder, EveryPcmLayoutBecomesStereoAtTheMixRate) {
    zktest::TestKit kit;
    const SoundDecoder decoder;
    for (int bits : {8, 16}) {
        for (int channels : {1, 2}) {
            for (int rate : {22050, 44100, 48000}) {
                const WavFormat format{bits, channels, rate};
                const std::size_t frames = rate / 4;
                std::vector<float> samples;
                for (std::size_t i = 0; i < frames; ++i) {
                    samples.push_back(0.5f);
                    if (channels == 2) samples.push_back(-0.25f);
                }
                zktools::WriteWavFile("s.wav", format, samples);
                SoundHandle sound;
                SCOPED_TRACE(std::to_string(bits) + " bit, " + std::to_string(channels) +
                             " channels, " + std::to_string(rate) + " Hz");
                ASSERT_EQ(decoder.decode("s.wav", sound), platform::S_OK);
                EXPECT_NEAR(static_cast<double>(sound->frames()), ExpectedFrames(frames, rate), 2);
                const std::size_t middle = sound->frames() / 2;
                EXPECT_NEAR(SampleAt(sound, middle, 0), 0.5f, 1e-3f);
                EXPECT_NEAR(SampleAt(sound, middle, 1), channels == 1 ? 0.5f : -0.25f, 1e-3f);
            }
        }
    }
}

TEST(SoundDecoder, ContentDecidesAndTruncatedDataDecodesWhatIsThere) {
    zktest::TestKit kit;
    const SoundDecoder decoder;
    const WavFormat format{16, 1, 44100};
    const std::string wav = zktools::WavBytes(format, zktools::ConstantLevel(format, 1000, 0.5f));
    for (const char* name : {"x.sou", "x.mus", "x.png", "noextension", "a:b.sou"}) {
        zktest::WriteFileBytes(name, wav);
        SoundHandle sound;
        ASSERT_EQ(decoder.decode(name, sound), platform::S_OK) << name;
        EXPECT_EQ(sound->frames(), 1000u) << name;
    }

    zktest::WriteFileBytes("cut.sou", wav.substr(0, kWavHeaderBytes + 2 * 400));
    SoundHandle sound;
    ASSERT_EQ(decoder.decode("cut.sou", sound), platform::S_OK);
    EXPECT_NEAR(static_cast<double>(sound->frames()), 400, 2);
}

TEST(SoundDecoder, BadFilesFailWithoutASound) {
    zktest::TestKit kit;
    const WavFormat format{16, 2, 44100};
    const std::string wav = zktools::WavBytes(format, zktools::ConstantLevel(format, 10, 0.5f));
    // A 1 x 1 24-bit bitmap: a media file without an audio stream.
    const std::string bitmap =
        zktools::BitmapBytes(zktools::BitmapForm::Rgb24, 1, 1, std::vector<std::uint32_t>{0xFF});
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + 13) % 251);
    const WavFormat absurd{8, 1, 1000000000};
    const std::string gigahertz =
        zktools::WavBytes(absurd, zktools::ConstantLevel(absurd, 64, 0.5f));
    const struct {
        const char* name;
        std::string bytes;
        std::int32_t expected;
    } cases[] = {
        {"garbage.sou", garbage, platform::E_FAIL},
        {"gigahertz.sou", gigahertz, platform::E_FAIL},
        {"empty.sou", "", platform::E_FAIL},
        {"header.sou", wav.substr(0, kWavHeaderBytes), platform::E_FAIL},
        {"picture.mus", bitmap, platform::E_FAIL},
    };
    const SoundDecoder decoder;
    for (const auto& c : cases) {
        zktest::WriteFileBytes(c.name, c.bytes);
        SoundHandle sound;
        EXPECT_EQ(decoder.decode(c.name, sound), c.expected) << c.name;
        EXPECT_EQ(sound, nullptr) << c.name;
    }
    SoundHandle sound;
    EXPECT_EQ(decoder.decode("missing.sou", sound), platform::E_FILE_NOT_FOUND);
    for (const std::string& line : kit.debugLines())
        EXPECT_EQ(line.rfind("Error: <FFmpeg> ", 0), 0u) << line;
}

TEST(SoundDecoder, RefusesASoundLongerThanTheCap) {
    zktest::TestKit kit;
    const SoundDecoder decoder(1000);
    const struct {
        std::size_t frames;
        WavFormat format;
        std::int32_t expected;
    } cases[] = {
        {1000, {16, 1, 44100}, platform::S_OK},
        {1001, {16, 1, 44100}, platform::E_FAIL},
        {100, {8, 1, 4000}, platform::E_FAIL},  // short on disk, 1102 frames once resampled
    };
    for (const auto& c : cases) {
        zktest::WriteLevelWav("long.sou", c.frames, 0.5f, c.format);
        SoundHandle sound;
        EXPECT_EQ(decoder.decode("long.sou", sound), c.expected) << c.frames;
    }
}
