#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "platform/core/HResult.h"
#include "platform/core/ProcessRunner.h"
#include "platform/media/MediaFile.h"
#include "platform/media/PictureConverter.h"
#include "support/Bytes.h"
#include "support/MakeMovie.h"
#include "support/ManualAudio.h"
#include "support/TestKit.h"

using platform::MediaFile;
using platform::MediaFrame;
using platform::MediaPacket;
using platform::MediaPicture;
using platform::MediaPictureSize;
using platform::PictureConverter;

namespace {

struct Decoded {
    std::vector<MediaPicture> pictures;
    std::vector<float> sound;
};

// Everything left in the file, pictures converted to size.
Decoded DecodeRest(MediaFile& file, const MediaPictureSize& size = {80, 60, 80, 60}) {
    Decoded decoded;
    std::vector<MediaFrame> frames;
    MediaPacket packet;
    while (file.readPacket(packet)) {
        file.decodePictures(&packet, frames);
        file.decodeSound(&packet, decoded.sound);
    }
    file.decodePictures(nullptr, frames);
    file.decodeSound(nullptr, decoded.sound);
    PictureConverter converter;
    for (const MediaFrame& frame : frames) {
        decoded.pictures.emplace_back();
        EXPECT_TRUE(converter.convert(frame, size, decoded.pictures.back()));
    }
    return decoded;
}

// The file's pictures one after another as the ffmpeg program scales them
// (bilinear) and cuts them, with the spare byte cleared.
std::vector<std::uint32_t> ScaledByFfmpeg(const std::string& path, const MediaPictureSize& size) {
    const std::string filter = "scale=" + std::to_string(size.width) + ":" +
                               std::to_string(size.height) +
                               ":flags=bilinear,crop=" + std::to_string(size.keptWidth) + ":" +
                               std::to_string(size.keptHeight) + ":0:0";
    const platform::ProcessResult result =
        platform::RunProcess({"ffmpeg", "-nostdin", "-loglevel", "error", "-i", path, "-vf", filter,
                              "-pix_fmt", "bgr0", "-f", "rawvideo", "-"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    std::vector<std::uint32_t> words(result.out.size() / 4);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto byte = [&](std::size_t k) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(result.out[4 * i + k]));
        };
        words[i] = byte(0) | byte(1) << 8 | byte(2) << 16;
    }
    return words;
}

}  // namespace

TEST(MediaFile, OpensByContentAndRefusesWhatHasNoPlayableStream) {
    zktest::TestKit kit;
    zktest::MakeMovie({}, "both.txt");
    zktest::MakeMovie({.sound = false}, "picture.mkv");
    zktest::MakeMovie({.picture = false}, "sound.mkv");
    zktest::MakeMovie({.width = 4100, .height = 16, .frames = 1, .sound = false}, "wide.mkv");
    // Leading bytes that claim a container the body is not: probing finds the body's.
    zktest::MakeMovie({.picture = false, .container = mkdemo::MovieContainer::MpegProgram},
                      "claims.mkv");
    std::string claims = zktest::ReadFileBytes("claims.mkv");
    claims.replace(0, 4, zktest::Hex("1A 45 DF A3"));
    zktest::WriteFileBytes("claims.mkv", claims);
    zktest::WriteFileBytes("garbage.mkv", zktest::Hex("00 11 22 33 44 55 66 77 88 99"));
    zktest::WriteFileBytes("empty.mkv", {});
    zktest::WriteFileBytes("text.mkv", std::string(200, 'a'));
    zktest::WriteFileBytes("sub.srt", "1\n00:00:00,000 --> 00:00:01,000\nhello\n");
    ASSERT_EQ(platform::RunProcess({"ffmpeg", "-nostdin", "-loglevel", "error", "-i", "sub.srt",
                                    "-f", "matroska", "subs.mkv"})
                  .exitStatus,
              0);
    // lines: what FFmpeg logs while opening; a demuxer's refusal that probing
    // overrules logs nothing.
    const struct {
        const char* path;
        std::int32_t result;
        bool video;
        bool audio;
        std::size_t lines;
    } cases[] = {
        {"both.txt", platform::S_OK, true, true, 0},
        {"picture.mkv", platform::S_OK, true, false, 0},
        {"sound.mkv", platform::S_OK, false, true, 0},
        {"claims.mkv", platform::S_OK, false, true, 0},
        {"missing.mkv", platform::E_FILE_NOT_FOUND, false, false, 0},
        {"http://x", platform::E_FILE_NOT_FOUND, false, false, 0},
        {"garbage.mkv", platform::E_FAIL, false, false, 2},
        {"empty.mkv", platform::E_FAIL, false, false, 1},
        {"text.mkv", platform::E_FAIL, false, false, 2},
        {"wide.mkv", platform::E_FAIL, false, false, 0},
        {"subs.mkv", platform::E_FAIL, false, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        kit.log.clear();
        MediaFile file;
        EXPECT_EQ(file.open(c.path), c.result);
        EXPECT_EQ(kit.debugLines().size(), c.lines) << testing::PrintToString(kit.debugLines());
        EXPECT_EQ(
            std::tuple(file.hasVideo(), file.hasAudio(), file.videoWidth(), file.videoHeight()),
            std::tuple(c.video, c.audio, c.video ? 160 : 0, c.video ? 120 : 0));
        if (c.result != platform::S_OK) continue;
        ASSERT_TRUE(file.duration().has_value());
        EXPECT_NEAR(static_cast<double>(*file.duration()), 1e7, 1e6);
    }
}

TEST(MediaFile, DecodesEveryPictureAndTheSoundAtTheMixRate) {
    zktest::TestKit kit;
    zktest::MakeMovie({}, "stereo.mkv");
    zktest::MakeMovie({.soundRate = 48000, .channels = 1}, "mono.mkv");
    for (const char* name : {"stereo.mkv", "mono.mkv"}) {
        MediaFile file;
        ASSERT_EQ(file.open(name), platform::S_OK);
        EXPECT_EQ(file.frameInterval(), 1000000);
        const Decoded decoded = DecodeRest(file, {800, 600, 400, 300});
        ASSERT_EQ(decoded.pictures.size(), 10u) << name;
        for (std::size_t i = 0; i < decoded.pictures.size(); ++i) {
            EXPECT_EQ(decoded.pictures[i].time, static_cast<std::int64_t>(i) * 1000000) << name;
            EXPECT_EQ(decoded.pictures[i].width, 400);
            EXPECT_EQ(decoded.pictures[i].pixels.size(), 400u * 300u);
        }
        const std::size_t frames = decoded.sound.size() / 2;
        EXPECT_NEAR(static_cast<double>(frames), 44100.0, 441.0) << name;
        // The 1/8 tone on both sides: RMS 0.125 / sqrt(2).
        EXPECT_NEAR(zktest::Rms(std::span(decoded.sound).subspan(4410, 2 * 40000 - 4410)), 0.0884,
                    0.0884 * 0.02)
            << name;
    }
}

TEST(MediaFile, SeeksAndSurvivesACutOffFile) {
    zktest::TestKit kit;
    zktest::MakeMovie({}, "m.mkv");
    MediaFile file;
    ASSERT_EQ(file.open("m.mkv"), platform::S_OK);
    ASSERT_TRUE(file.seek(5000000));
    const Decoded after = DecodeRest(file);
    ASSERT_FALSE(after.pictures.empty());
    EXPECT_EQ(after.pictures.front().time, 5000000);
    EXPECT_NEAR(static_cast<double>(after.sound.size()) / 2, 22050.0, 2048.0);
    ASSERT_TRUE(file.seek(0));
    EXPECT_EQ(DecodeRest(file).pictures.size(), 10u);
    // Sound resampled before a seek leaves nothing behind to sound after it.
    zktest::MakeMovie({.soundRate = 32000}, "r.mkv");
    MediaFile resampled;
    ASSERT_EQ(resampled.open("r.mkv"), platform::S_OK);
    ASSERT_TRUE(resampled.seek(5000000));
    const std::vector<float> fresh = DecodeRest(resampled).sound;
    ASSERT_TRUE(resampled.seek(0));
    MediaPacket packet;
    std::vector<float> before;
    for (int i = 0; i < 20 && resampled.readPacket(packet); ++i) {
        resampled.decodeSound(&packet, before);
    }
    ASSERT_FALSE(before.empty());
    ASSERT_TRUE(resampled.seek(5000000));
    EXPECT_EQ(DecodeRest(resampled).sound, fresh);
    // A program stream's times start about half a second in; positions count from
    // its start. Its seeks land a few packets late.
    zktest::MakeMovie({.picture = false, .container = mkdemo::MovieContainer::MpegProgram},
                      "m.mpg");
    MediaFile mpeg;
    ASSERT_EQ(mpeg.open("m.mpg"), platform::S_OK);
    ASSERT_TRUE(mpeg.seek(5000000));
    EXPECT_NEAR(static_cast<double>(DecodeRest(mpeg).sound.size()) / 2, 19000.0, 4000.0);

    std::string bytes = zktest::ReadFileBytes("m.mkv");
    bytes.resize(bytes.size() * 4 / 10);
    zktest::WriteFileBytes("cut.mkv", bytes);
    MediaFile cut;
    ASSERT_EQ(cut.open("cut.mkv"), platform::S_OK);
    const Decoded part = DecodeRest(cut);
    // The demuxer's complaint reaches the log as one line without its line end.
    const std::vector<std::string> lines = kit.debugLines();
    EXPECT_TRUE(std::ranges::any_of(lines, [](const std::string& line) {
        return line.starts_with("Error: <FFmpeg> [matroska,webm @ ") &&
               line.ends_with("] File ended prematurely");
    })) << testing::PrintToString(lines);
    ASSERT_FALSE(part.pictures.empty());
    EXPECT_LT(part.pictures.size(), 10u);
    for (std::size_t i = 0; i < part.pictures.size(); ++i) {
        EXPECT_EQ(part.pictures[i].time, static_cast<std::int64_t>(i) * 1000000);
    }
}

// A Matroska file read as its header describes it counts its times from its first
// packets' time, wherever that lies, as a file looked through does: its pictures,
// sound and seeks are those of the same movie starting at nought.
TEST(MediaFile, AMatroskaFileStartingLateCountsFromItsFirstTime) {
    zktest::TestKit kit;
    zktest::MakeMovie({.rate = 4, .frames = 8, .soundSeconds = 2.5}, "m.mkv");
    for (const char* offset : {"3", "0.3"}) {
        SCOPED_TRACE(offset);
        const platform::ProcessResult remuxed =
            platform::RunProcess({"ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-i", "m.mkv",
                                  "-c", "copy", "-output_ts_offset", offset, "late.mkv"});
        ASSERT_EQ(remuxed.exitStatus, 0) << remuxed.err;
        MediaFile early, late;
        ASSERT_EQ(early.open("m.mkv"), platform::S_OK);
        ASSERT_EQ(late.open("late.mkv"), platform::S_OK);
        const auto times = [](const Decoded& decoded) {
            std::vector<std::int64_t> out;
            for (const MediaPicture& picture : decoded.pictures) out.push_back(picture.time);
            return out;
        };
        const Decoded want = DecodeRest(early);
        const Decoded got = DecodeRest(late);
        ASSERT_EQ(times(got), times(want));
        EXPECT_EQ(got.sound, want.sound);
        ASSERT_TRUE(late.seek(12500000));
        ASSERT_TRUE(early.seek(12500000));
        EXPECT_EQ(times(DecodeRest(late)), times(DecodeRest(early)));
    }
}

// A picture is converted when asked, to the size of the moment, straight from the
// decoder's frame: as FFmpeg's own scaler gives it, cut to the kept part, with the
// spare byte clear, whichever size the buffer last held.
TEST(MediaFile, PicturesConvertAsFfmpegScalesThemCutToTheKeptPart) {
    zktest::TestKit kit;
    zktest::MakeMovie({.frames = 3, .sound = false}, "m.mkv");
    MediaFile file;
    ASSERT_EQ(file.open("m.mkv"), platform::S_OK);
    std::vector<MediaFrame> frames;
    MediaPacket packet;
    while (file.readPacket(packet)) file.decodePictures(&packet, frames);
    file.decodePictures(nullptr, frames);
    ASSERT_EQ(frames.size(), 3u);
    const MediaPictureSize sizes[] = {
        {160, 120, 160, 120}, {800, 600, 400, 300}, {90, 70, 90, 70},
        {161, 121, 100, 121}, {160, 120, 160, 90},  {160, 120, 1, 1},
    };
    PictureConverter converter;
    MediaPicture picture;
    for (const MediaPictureSize& size : sizes) {
        SCOPED_TRACE(testing::PrintToString(
            std::tuple(size.width, size.height, size.keptWidth, size.keptHeight)));
        const std::vector<std::uint32_t> want = ScaledByFfmpeg("m.mkv", size);
        const std::size_t words = static_cast<std::size_t>(size.keptWidth) * size.keptHeight;
        ASSERT_EQ(want.size(), 3 * words);
        for (std::size_t i = 0; i < frames.size(); ++i) {
            ASSERT_TRUE(converter.convert(frames[i], size, picture));
            EXPECT_EQ(std::tuple(picture.time, picture.width, picture.height),
                      std::tuple(static_cast<std::int64_t>(i) * 1000000, size.keptWidth,
                                 size.keptHeight));
            EXPECT_TRUE(
                std::ranges::equal(picture.pixels, std::span(want).subspan(i * words, words)))
                << i;
        }
    }
    const MediaPictureSize refused[] = {
        {0, 120, 0, 120},     {160, 0, 160, 0},     {4097, 16, 800, 16}, {16, 4097, 16, 600},
        {160, 120, 161, 120}, {160, 120, 160, 121}, {160, 120, 0, 120},  {160, 120, 160, 0},
    };
    // A refused picture leaves the one converted before as it was.
    const auto kept = [&picture] {
        return std::tuple(picture.time, picture.width, picture.height, picture.pixels);
    };
    const auto before = kept();
    for (const MediaPictureSize& size : refused) {
        EXPECT_FALSE(converter.convert(frames[0], size, picture))
            << size.width << "x" << size.height;
        EXPECT_EQ(kept(), before) << size.width << "x" << size.height;
    }
    EXPECT_FALSE(converter.convert(MediaFrame(), sizes[0], picture));
    EXPECT_EQ(kept(), before);
}
