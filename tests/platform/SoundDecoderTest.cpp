#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "common/BitmapWriter.h"
#include "platform/audio/PcmWave.h"
#include "platform/audio/SoundDecoder.h"
#include "platform/core/HResult.h"
#include "support/Bytes.h"
#include "support/ManualAudio.h"
#include "support/TestKit.h"
#include "support/WaveChunks.h"

using platform::PcmWave;
using platform::SoundDecoder;
using platform::SoundHandle;
using zktest::Chunk;
using zktest::Riff;
using zktools::WavFormat;

namespace {

constexpr std::size_t kWavHeaderBytes = 44;

float SampleAt(const SoundHandle& sound, std::size_t frame, int channel) {
    return sound->samples[frame * platform::kMixChannels + channel] / 32768.0f;
}

std::size_t ExpectedFrames(std::size_t frames, int rate) {
    return frames * platform::kMixRate / rate;
}

bool ReadWithoutFfmpeg(const std::string& file) {
    return PcmWave::Read(std::vector<std::uint8_t>(file.begin(), file.end())).has_value();
}

// Each channel a sine of its own frequency, so that a swap or a shift shows.
std::vector<float> Chord(const WavFormat& format, std::size_t frames) {
    std::vector<float> samples;
    for (std::size_t i = 0; i < frames; ++i) {
        for (int c = 0; c < format.channels; ++c) {
            samples.push_back(0.7f * std::sin(0.013f * (c + 1) * static_cast<float>(i)));
        }
    }
    return samples;
}

const std::string kInfoList = Chunk("LIST", "INFOISFT" + zktest::Hex("06000000") + "tools" + '\0');

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
        ASSERT_TRUE(PcmWave::Load("long.sou", 1u << 20).has_value());
        SoundHandle sound;
        EXPECT_EQ(decoder.decode("long.sou", sound), c.expected) << c.frames;
    }
}

// The same samples as a plain PCM file, read without FFmpeg, and as an extensible
// one, which FFmpeg reads, decode to the same sound sample for sample.
TEST(SoundDecoder, PlainPcmDecodesAsFfmpegDecodesTheSameSamples) {
    zktest::TestKit kit;
    const SoundDecoder decoder;
    using Layout = std::function<std::string(const std::string&, const std::string&)>;
    const struct {
        const char* name;
        Layout layout;
    } layouts[] = {
        {"plain",
         [](auto& f, auto& d) {
             return Riff({Chunk("fmt ", f), Chunk("data", d)});
         }},
        {"lists",
         [](auto& f, auto& d) {
             return Riff({kInfoList, Chunk("fmt ", f), kInfoList, Chunk("data", d), kInfoList});
         }},
        {"size 0",
         [](auto& f, auto& d) {
             return Riff({Chunk("fmt ", f), Chunk("data", d, 0)});
         }},
        {"size unknown",
         [](auto& f, auto& d) {
             return Riff({Chunk("fmt ", f), Chunk("data", d, 0xFFFFFFFF)});
         }},
        {"size past the end",
         [](auto& f, auto& d) {
             return Riff(
                 {Chunk("fmt ", f), Chunk("data", d, static_cast<std::uint32_t>(d.size() + 999))});
         }},
    };
    for (int bits : {8, 16}) {
        for (int channels : {1, 2}) {
            for (int rate : {22050, 44100, 48000}) {
                const WavFormat format{bits, channels, rate};
                const std::string data = zktest::PcmData(format, Chord(format, 3001));
                for (const auto& l : layouts) {
                    SCOPED_TRACE(std::to_string(bits) + " bit, " + std::to_string(channels) +
                                 " channels, " + std::to_string(rate) + " Hz, " + l.name);
                    const std::string plain = l.layout(zktest::PcmFormat(format), data);
                    const std::string extensible = l.layout(zktest::ExtensibleFormat(format), data);
                    ASSERT_TRUE(ReadWithoutFfmpeg(plain));
                    ASSERT_FALSE(ReadWithoutFfmpeg(extensible));
                    zktest::WriteFileBytes("plain.wav", plain);
                    zktest::WriteFileBytes("extensible.wav", extensible);
                    SoundHandle ours;
                    SoundHandle ffmpegs;
                    ASSERT_EQ(decoder.decode("plain.wav", ours), platform::S_OK);
                    ASSERT_EQ(decoder.decode("extensible.wav", ffmpegs), platform::S_OK);
                    EXPECT_NEAR(static_cast<double>(ours->frames()), ExpectedFrames(3001, rate), 2);
                    EXPECT_EQ(ours->samples, ffmpegs->samples);
                    EXPECT_EQ(ours->path, "plain.wav");
                    // Held in the one buffer reserved for it, never grown by copies.
                    EXPECT_LE(ours->samples.capacity() - ours->samples.size(), 2u * (256u + 8u));
                }
            }
        }
    }
    EXPECT_TRUE(kit.debugLines().empty());
}

// A file the plain reader refuses is decoded by FFmpeg as before.
TEST(SoundDecoder, FilesNotPlainPcmGoToFfmpeg) {
    zktest::TestKit kit;
    const WavFormat format{16, 1, 22050};
    const std::string fmt = zktest::PcmFormat(format);
    const std::string data = zktest::PcmData(format, Chord(format, 1000));
    const std::string pcm = Chunk("data", data);
    const auto fields = [](int tag, int channels, std::uint32_t rate, int align, int bits) {
        return Chunk("fmt ", zktest::FormatFields(tag, channels, rate, align, bits));
    };
    // Odd data, a pad byte, then LIST chunks: stepping from the unpadded end of the
    // data, FFmpeg lands inside the second list and steps on, over a padded chunk, to
    // a 'data' chunk of its own.
    const WavFormat bytes{8, 1, 22050};
    const std::string odd = Riff(
        {Chunk("fmt ", zktest::PcmFormat(bytes)), Chunk("data", "abcde"), Chunk("LIST", "INFO"),
         Chunk("LIST", std::string(1095, 'x') + Chunk("junk", "abc") + Chunk("data", data))});
    std::string burst = data;
    burst.replace(100, 4, zktest::Hex("72 F8 1F 4E"));
    const struct {
        const char* name;
        std::string file;
        std::int32_t expected;
    } cases[] = {
        {"truncated header", Riff({}).substr(0, 10), platform::E_FAIL},
        {"no fmt", Riff({pcm}), platform::E_FAIL},
        {"fmt after data", Riff({pcm, Chunk("fmt ", fmt)}), platform::S_OK},
        {"data, fmt, data", Riff({pcm, Chunk("fmt ", fmt), pcm}), platform::S_OK},
        {"two fmt", Riff({Chunk("fmt ", fmt), Chunk("fmt ", fmt), pcm}), platform::S_OK},
        {"short fmt", Riff({Chunk("fmt ", fmt.substr(0, 14)), pcm}), platform::S_OK},
        {"long fmt", Riff({Chunk("fmt ", fmt + "abcd"), pcm}), platform::S_OK},
        {"a-law", Riff({fields(6, 1, 22050, 1, 8), pcm}), platform::S_OK},
        {"24-bit", Riff({fields(1, 1, 22050, 3, 24), pcm}), platform::S_OK},
        {"no channels", Riff({fields(1, 0, 22050, 0, 16), pcm}), platform::E_FAIL},
        {"three channels", Riff({fields(1, 3, 22050, 6, 16), pcm}), platform::S_OK},
        {"rate 0", Riff({fields(1, 1, 0, 2, 16), pcm}), platform::E_FAIL},
        {"negative rate", Riff({fields(1, 1, 0x80000000, 2, 16), pcm}), platform::E_FAIL},
        {"odd block align", Riff({fields(1, 1, 22050, 3, 16), pcm}), platform::S_OK},
        {"partial frame", Riff({Chunk("fmt ", fmt), Chunk("data", data + "x")}), platform::S_OK},
        {"no samples", Riff({Chunk("fmt ", fmt), Chunk("data", "")}), platform::E_FAIL},
        {"two data", Riff({Chunk("fmt ", fmt), pcm, pcm}), platform::S_OK},
        {"fact", Riff({Chunk("fmt ", fmt), Chunk("fact", "abcd"), pcm}), platform::S_OK},
        {"short LIST", Riff({Chunk("fmt ", fmt), Chunk("LIST", "abc"), pcm}), platform::E_FAIL},
        {"cut LIST at the end", Riff({Chunk("fmt ", fmt), pcm, Chunk("LIST", "INFO", 8)}),
         platform::S_OK},
        {"a tag after the data", Riff({Chunk("fmt ", fmt), pcm}) + "data", platform::S_OK},
        {"other chunk", Riff({Chunk("fmt ", fmt), pcm, Chunk("junk", "")}), platform::S_OK},
        {"not WAVE",
         "RIFF" + Riff({Chunk("fmt ", fmt), pcm}).substr(4, 4) + "WAVX" + Chunk("fmt ", fmt) + pcm,
         platform::E_FAIL},
        {"RIFX", "RIFX" + Riff({Chunk("fmt ", fmt), pcm}).substr(4), platform::E_FAIL},
        {"cut fmt", Riff({Chunk("fmt ", fmt)}).substr(0, 30), platform::E_FAIL},
        {"data hidden in a list", odd, platform::S_OK},
        {"cut chunk", Riff({Chunk("fmt ", fmt), Chunk("LIST", "INFO", 99999), pcm}),
         platform::E_FAIL},
        {"S/PDIF preamble", Riff({Chunk("fmt ", fmt), Chunk("data", burst)}), platform::S_OK},
    };
    const SoundDecoder decoder;
    for (const auto& c : cases) {
        EXPECT_FALSE(ReadWithoutFfmpeg(c.file)) << c.name;
        zktest::WriteFileBytes("refused.wav", c.file);
        SoundHandle sound;
        EXPECT_EQ(decoder.decode("refused.wav", sound), c.expected) << c.name;
        EXPECT_EQ(sound != nullptr, c.expected == platform::S_OK) << c.name;
    }
    for (const std::string& line : kit.debugLines())
        EXPECT_EQ(line.rfind("Error: <FFmpeg> ", 0), 0u) << line;
}
