#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "mkdemo/ArtStyle.h"
#include "mkdemo/CharacterSheets.h"
#include "mkdemo/MovieMaker.h"
#include "mkdemo/MusicComposer.h"
#include "mkdemo/MusicSynth.h"
#include "mkdemo/OpeningMovie.h"
#include "mkdemo/Waveform.h"
#include "platform/core/ProcessRunner.h"
#include "support/Bytes.h"
#include "support/DemoData.h"
#include "support/ManualAudio.h"
#include "support/MovieBand.h"
#include "support/PictureDistance.h"
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

// The opening as an independent decoder reads it: its streams, its 500 pictures each
// as painted, and 20 s of its music.
TEST(DemoMovie, HoldsThePaintedOpeningAndItsMusicForTwentySeconds) {
    using mkdemo::OpeningMovie;
    const std::string movie = zktest::DemoData::Dir() + "/dat/Mov.vid";
    EXPECT_EQ(Streams(movie), "mpeg4,640,480\npcm_s16le,44100,2\n");
    const OpeningMovie opening;
    // The town, each heroine, the name held, the last picture.
    for (const int n : {0, 70, 172, 237, 302, 367, 440, 499}) {
        const auto pixels = PictureAt(movie, std::max(0.0, (n - 0.25) / OpeningMovie::kRate));
        ASSERT_EQ(pixels.size(), 640u * 480u) << n;
        EXPECT_LT(zktest::PictureDistance(pixels, 640, 480, opening.picture(n), 640, 480), 3) << n;
    }
    const platform::ProcessResult counted =
        platform::RunProcess({"ffprobe", "-v", "error", "-count_frames", "-select_streams", "v",
                              "-show_entries", "stream=nb_read_frames", "-of", "csv=p=0", movie});
    EXPECT_EQ(counted.out, "500\n");
    EXPECT_EQ(SoundBetween(movie, 0.0, 30.0).size(), 20u * 44100u * 2u);
    const std::vector<float> sound = OpeningMovie::Sound();
    const double rms = zktest::Rms(std::span(sound).subspan(22050, 8 * 22050));
    EXPECT_GT(rms, 0.05);
    EXPECT_NEAR(zktest::Rms(SoundBetween(movie, 1.0, 9.0)), rms, rms * 0.05);
}

namespace {

std::array<double, 3> MeanColor(const std::string& bgra) {
    std::array<double, 3> sum{};
    for (std::size_t at = 0; at < bgra.size(); at += 4) {
        for (std::size_t c = 0; c < 3; ++c) sum[c] += static_cast<unsigned char>(bgra[at + c]);
    }
    for (double& channel : sum) channel /= static_cast<double>(bgra.size() / 4);
    return sum;
}

// How far apart two colours' hues lie: their shares of R, G and B compared, whatever
// their brightness.
double HueDistance(const std::array<double, 3>& bgr, std::uint32_t rgb) {
    std::array<double, 3> other{};
    for (std::size_t c = 0; c < 3; ++c) other[c] = static_cast<double>(rgb >> (8 * c) & 0xFF);
    const double total = bgr[0] + bgr[1] + bgr[2];
    const double otherTotal = other[0] + other[1] + other[2];
    double squares = 0;
    for (std::size_t c = 0; c < 3; ++c) {
        const double d = bgr[c] / total - other[c] / otherTotal;
        squares += d * d;
    }
    return squares;
}

// The first row holding a run of 40 near-white pixels (the moon's disc, wider than
// any star), 480 for none.
int MoonTop(const std::string& bgra) {
    for (int y = 0; y < 480; ++y) {
        int run = 0;
        for (int x = 0; x < 640 && run < 40; ++x) {
            const auto* p = reinterpret_cast<const unsigned char*>(bgra.data()) + (y * 640 + x) * 4;
            run = p[2] > 0xE0 && p[1] > 0xD0 && p[0] > 0xA0 ? run + 1 : 0;
        }
        if (run >= 40) return y;
    }
    return 480;
}

// Pixels within 12 of the lettering's ivory in every channel.
long InkPixels(const std::string& bgra) {
    long count = 0;
    for (std::size_t at = 0; at < bgra.size(); at += 4) {
        bool near = true;
        for (std::size_t c = 0; c < 3; ++c) {
            const int want = static_cast<int>(mkdemo::ArtStyle::kInk >> (8 * c) & 0xFF);
            near = near && std::abs(static_cast<unsigned char>(bgra[at + c]) - want) <= 12;
        }
        count += near;
    }
    return count;
}

}  // namespace

// What the scenes show: the town darkening as the moon climbs from behind its roofs,
// each heroine in her own colours, the game's name, the fade to black; under them the
// opening's own piece, looped and faded out with the pictures.
TEST(OpeningMovie, TheTownDarkensEachHeroineHasHerColoursAndTheNameFadesToBlack) {
    using mkdemo::OpeningMovie;
    const OpeningMovie opening;
    const std::string dusk = opening.picture(0);
    const std::string night = opening.picture(OpeningMovie::kHeroinesStart - 1);
    const auto brightness = [](const std::array<double, 3>& bgr) {
        return bgr[0] + bgr[1] + bgr[2];
    };
    EXPECT_LT(brightness(MeanColor(night)), 0.7 * brightness(MeanColor(dusk)));
    EXPECT_EQ(MoonTop(dusk), 480) << "the moon still behind the roofs";
    const int rising = MoonTop(opening.picture(70));
    EXPECT_LT(rising, 300);
    EXPECT_LT(MoonTop(night), rising - 100);

    // The town dissolves into the first heroine: halfway, the picture is neither.
    const double before = brightness(MeanColor(night));
    const double after = brightness(MeanColor(opening.picture(OpeningMovie::kHeroinesStart + 12)));
    EXPECT_NEAR(brightness(MeanColor(opening.picture(OpeningMovie::kHeroinesStart + 6))),
                (before + after) / 2, std::abs(after - before) / 4);

    const auto& heroines = mkdemo::CharacterSheets::Heroines();
    ASSERT_EQ(heroines.size(), 4u);
    for (std::size_t i = 0; i < heroines.size(); ++i) {
        const int n =
            OpeningMovie::kHeroinesStart + static_cast<int>(i) * OpeningMovie::kHeroineFrames + 32;
        const std::string picture = opening.picture(n);
        EXPECT_GT(InkPixels(picture), 300) << "her name, " << n;
        const std::array<double, 3> mean = MeanColor(picture);
        const auto nearest =
            std::min_element(heroines.begin(), heroines.end(), [&](const auto& a, const auto& b) {
                return HueDistance(mean, mkdemo::ArtStyle::HeroineLook(a.id).dress) <
                       HueDistance(mean, mkdemo::ArtStyle::HeroineLook(b.id).dress);
            });
        EXPECT_EQ(nearest->id, heroines[i].id) << n;
    }

    EXPECT_LT(InkPixels(dusk), 50);
    EXPECT_GT(InkPixels(opening.picture(440)), 1000) << "the game's name in its lettering";
    EXPECT_GT(brightness(MeanColor(opening.picture(OpeningMovie::kFadeStart - 1))), 60);
    const std::string last = opening.picture(OpeningMovie::kFrames - 1);
    EXPECT_EQ(brightness(MeanColor(last)), 0);

    const std::vector<float> piece = mkdemo::MusicSynth::Render(mkdemo::MusicComposer::Opening());
    const std::vector<float> sound = OpeningMovie::Sound();
    ASSERT_EQ(sound.size(), 20u * mkdemo::Waveform::kRate);
    const std::size_t fade =
        OpeningMovie::kFadeStart * mkdemo::Waveform::kRate / OpeningMovie::kRate;
    for (const std::size_t i : {std::size_t{0}, piece.size() + 5, fade - 1}) {
        EXPECT_EQ(sound[i], piece[i % piece.size()]) << i;
    }
    EXPECT_NEAR(sound[sound.size() - 20], 0, 0.01);
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
