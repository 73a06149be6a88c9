#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "mkdemo/MovieMaker.h"
#include "platform/core/ProcessRunner.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/ManualAudio.h"
#include "support/MovieBand.h"
#include "support/RunTool.h"
#include "support/TempWorkDir.h"

using zktest::ReadFileBytes;
using zktest::WriteFileBytes;
namespace fs = std::filesystem;

namespace {

// The movies are read back by the ffmpeg program, a reader independent of ours.
std::string Decoded(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {"ffmpeg", "-nostdin", "-loglevel", "error"};
    argv.insert(argv.end(), args.begin(), args.end());
    const platform::ProcessResult result = platform::RunProcess(argv);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    return result.out;
}

// The picture shown at seconds, as XRGB.
std::vector<std::uint32_t> PictureAt(const std::string& path, double seconds) {
    const std::string bytes = Decoded({"-ss", std::to_string(seconds), "-i", path, "-frames:v", "1",
                                       "-f", "rawvideo", "-pix_fmt", "bgr0", "-"});
    std::vector<std::uint32_t> pixels(bytes.size() / 4);
    if (!pixels.empty()) std::memcpy(pixels.data(), bytes.data(), pixels.size() * 4);
    return pixels;
}

// The sound between from and to seconds as 44 100 Hz stereo float.
std::vector<float> SoundBetween(const std::string& path, double from, double to) {
    const std::string bytes =
        Decoded({"-i", path, "-map", "0:a", "-af",
                 "atrim=start=" + std::to_string(from) + ":end=" + std::to_string(to), "-f",
                 "f32le", "-ac", "2", "-ar", "44100", "-"});
    std::vector<float> samples(bytes.size() / 4);
    if (!samples.empty()) std::memcpy(samples.data(), bytes.data(), samples.size() * 4);
    return samples;
}

// Stream kinds, picture sizes and sound formats as the ffprobe program reports them.
std::string Streams(const std::string& path) {
    const platform::ProcessResult result = platform::RunProcess(
        {"ffprobe", "-v", "error", "-show_entries",
         "stream=codec_name,width,height,sample_rate,channels", "-of", "csv=p=0", path});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    return result.out;
}

}  // namespace

TEST(DemoMovie, CarriesItsPictureNumbersAndTheToneForThreeSeconds) {
    const std::string movie = zktest::DemoData::Dir() + "/dat/Mov.vid";
    EXPECT_EQ(Streams(movie), "mpeg4,640,480\npcm_s16le,44100,2\n");
    const struct {
        double seconds;
        int number;
    } pictures[] = {{0.0, 0}, {1.48, 37}, {2.96, 74}};
    for (const auto& p : pictures) {
        const auto pixels = PictureAt(movie, p.seconds);
        ASSERT_EQ(pixels.size(), 640u * 480u) << p.seconds;
        EXPECT_EQ(zktest::MovieBand::Read(pixels, 640, 0, 0, 640), p.number) << p.seconds;
    }
    const platform::ProcessResult counted =
        platform::RunProcess({"ffprobe", "-v", "error", "-count_frames", "-select_streams", "v",
                              "-show_entries", "stream=nb_read_frames", "-of", "csv=p=0", movie});
    EXPECT_EQ(counted.out, "75\n");
    EXPECT_EQ(SoundBetween(movie, 0.0, 10.0).size(), 3u * 44100u * 2u);
    EXPECT_NEAR(zktest::Rms(SoundBetween(movie, 0.1, 0.9)), 0.0884, 0.0884 * 0.05);
}

TEST(MovieMaker, TestRecipesGiveTheStreamsAskedForTheSameBytesEachTime) {
    zktest::TempWorkDir dir;
    const struct {
        mkdemo::MovieRecipe recipe;
        const char* streams;
    } cases[] = {
        {{}, "mpeg4,160,120\npcm_s16le,44100,2\n"},
        {{.sound = false}, "mpeg4,160,120\n"},
        {{.picture = false, .soundRate = 48000, .channels = 1}, "pcm_s16le,48000,1\n"},
        {{.container = mkdemo::MovieContainer::Avi}, "mpeg4,160,120\npcm_s16le,44100,2\n"},
        {{.picture = false, .container = mkdemo::MovieContainer::MpegProgram}, "mp2,44100,2\n"},
    };
    for (const auto& c : cases) {
        std::string error;
        ASSERT_TRUE(mkdemo::MovieMaker::Make(c.recipe, "a.mkv", error)) << error;
        ASSERT_TRUE(mkdemo::MovieMaker::Make(c.recipe, "b.mkv", error)) << error;
        EXPECT_EQ(Streams("a.mkv"), c.streams);
        EXPECT_TRUE(ReadFileBytes("a.mkv") == ReadFileBytes("b.mkv")) << c.streams;
        if (!c.recipe.picture) continue;
        const auto last = PictureAt("a.mkv", 0.9);
        ASSERT_EQ(last.size(), 160u * 120u);
        EXPECT_EQ(zktest::MovieBand::Read(last, 160, 0, 0, 160), 9);
    }
}

TEST(MovieMaker, WithoutTheProgramMkdemoFailsAndLeavesTheFolderAsItWas) {
    zktest::TempWorkDir dir;
    fs::create_directories("out/dat");
    WriteFileBytes("out/dat/Img.dat", "old");
    const std::string path = std::getenv("PATH");
    setenv("PATH", (fs::current_path() / "nothing").c_str(), 1);
    const platform::ProcessResult run = zktest::RunTool("mkdemo", {"out"});
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err.rfind("mkdemo: Mov.vid: cannot run ffmpeg: ", 0), 0u) << run.err;
    EXPECT_EQ(ReadFileBytes("out/dat/Img.dat"), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator("out/dat"), fs::directory_iterator()), 1);

    std::string error;
    mkdemo::MovieRecipe broken;
    broken.width = 0;
    EXPECT_FALSE(mkdemo::MovieMaker::Make(broken, "c.mkv", error));
    EXPECT_EQ(error.rfind("ffmpeg failed: ", 0), 0u) << error;
}
