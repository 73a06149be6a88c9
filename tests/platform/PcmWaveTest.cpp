#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/audio/PcmWave.h"
#include "support/Bytes.h"
#include "support/TestKit.h"
#include "support/WaveChunks.h"

using platform::PcmWave;
using zktest::Chunk;
using zktest::Riff;

namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string Samples(PcmWave& wave) {
    const auto samples = wave.samples();
    return {samples.begin(), samples.end()};
}

}  // namespace

// The samples end where FFmpeg's reader stops: at the declared end, or at the end
// of the file when the size is unknown or runs past it; the pad byte and later
// chunks are not samples.
TEST(PcmWave, ReadsTheFormatAndTheSamplesFFmpegWouldRead) {
    const std::string fmt = zktest::PcmFormat({16, 2, 22050});
    const std::string data = "abcdefgh";
    const std::string odd = "abcde";
    const std::string list = Chunk("LIST", "INFO");
    // FFmpeg looks for an S/PDIF burst only near the start of the data.
    std::string far(70000, 'a');
    far.replace(66000, 4, zktest::Hex("72 F8 1F 4E"));
    const struct {
        const char* name;
        std::string file;
        std::string samples;
    } cases[] = {
        {"plain", Riff({Chunk("fmt ", fmt), Chunk("data", data)}), data},
        {"between lists", Riff({list, Chunk("fmt ", fmt), list, Chunk("data", data), list}), data},
        {"bytes after the data", Riff({Chunk("fmt ", fmt), Chunk("data", data), "vwxyz"}), data},
        {"size 0", Riff({Chunk("fmt ", fmt), Chunk("data", data, 0), "wxyz"}), data + "wxyz"},
        {"size unknown", Riff({Chunk("fmt ", fmt), Chunk("data", data, 0xFFFFFFFF)}), data},
        {"size past the end", Riff({Chunk("fmt ", fmt), Chunk("data", data, 4000)}), data},
        {"S/PDIF preamble before the data",
         Riff({Chunk("LIST", "INFO" + zktest::Hex("72 F8 1F 4E")), Chunk("fmt ", fmt),
               Chunk("data", data)}),
         data},
        {"S/PDIF preamble far in", Riff({Chunk("fmt ", fmt), Chunk("data", far)}), far},
        {"fmt with cbSize", Riff({Chunk("fmt ", fmt + "zz"), Chunk("data", data)}), data},
    };
    for (const auto& c : cases) {
        auto wave = PcmWave::Read(Bytes(c.file));
        ASSERT_TRUE(wave.has_value()) << c.name;
        EXPECT_EQ(wave->channels(), 2) << c.name;
        EXPECT_EQ(wave->sampleRate(), 22050) << c.name;
        EXPECT_EQ(wave->bytesPerSample(), 2) << c.name;
        EXPECT_EQ(Samples(*wave), c.samples) << c.name;
    }
    auto mono = PcmWave::Read(
        Bytes(Riff({Chunk("fmt ", zktest::PcmFormat({8, 1, 8000})), Chunk("data", odd), list})));
    ASSERT_TRUE(mono.has_value());
    EXPECT_EQ(mono->channels(), 1);
    EXPECT_EQ(mono->bytesPerSample(), 1);
    EXPECT_EQ(Samples(*mono), odd);
}

TEST(PcmWave, LoadsAFileNoLargerThanTheLimit) {
    zktest::TestKit kit;
    const std::string file =
        Riff({Chunk("fmt ", zktest::PcmFormat({8, 1, 8000})), Chunk("data", "abcd")});
    zktest::WriteFileBytes("s.wav", file);
    EXPECT_TRUE(PcmWave::Load("s.wav", file.size()).has_value());
    EXPECT_FALSE(PcmWave::Load("s.wav", file.size() - 1).has_value());
    EXPECT_FALSE(PcmWave::Load("missing.wav", 1000).has_value());
}
