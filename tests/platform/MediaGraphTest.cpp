#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <set>
#include <span>
#include <thread>
#include <tuple>

#include "platform/audio/AudioEngine.h"
#include "platform/core/HResult.h"
#include "platform/media/MediaGraph.h"
#include "platform/media/MediaPump.h"
#include "platform/media/PictureConverter.h"
#include "platform/video/HeadlessDisplay.h"
#include "support/MakeMovie.h"
#include "support/ManualAudio.h"
#include "support/TestKit.h"

using namespace platform;

namespace {

constexpr std::uint32_t kMovieMessage = 0x8004;

// A graph of type 2 over a movie, on the manual clock and the headless display,
// with the pump deterministic and its posts recorded.
class MediaGraphTest : public ::testing::Test {
protected:
    MediaGraphTest() {
        MediaPump::instance().poster = [this](WindowHandle window, std::uint32_t message) {
            EXPECT_EQ(window, kWindow);
            posts.push_back(message);
        };
        display.onCompose = [this](const std::vector<std::uint32_t>& frame, int) {
            composed.push_back(frame);
            if (const std::uint32_t* words = display.externalLayers().layer(2).pixels.data()) {
                buffers.insert(words);
            }
        };
    }
    ~MediaGraphTest() override { MediaPump::instance().poster = nullptr; }
    // A decoder too slow for a pump or a pull logs an error rather than hang.
    void TearDown() override { EXPECT_EQ(kit.debugLines(), std::vector<std::string>{}); }

    void Open(const mkdemo::MovieRecipe& movie = {}) { OpenIn(graph, movie); }
    static void OpenIn(MediaGraph& target, const mkdemo::MovieRecipe& movie) {
        zktest::MakeMovie(movie, "m.mkv");
        ASSERT_EQ(target.renderFile("m.mkv"), S_OK);
        target.setOwner(kWindow);
        target.setVisible(true);
        ASSERT_EQ(target.setWindowPosition(0, 0, 800, 600), S_OK);
        target.setNotifyWindow(kWindow, kMovieMessage);
    }
    // Pumps every 10 ms until the end is posted or limitMs have passed, pulling the
    // mix's 10 ms after each pump while the engine is open.
    void PlayFor(std::uint32_t limitMs) {
        for (std::uint32_t t = 0; t < limitMs && posts.empty(); t += 10) {
            MediaPump::instance().pump();
            const std::vector<float> block = audio.pull(441);
            mix.insert(mix.end(), block.begin(), block.end());
            kit.clock.advance(10);
        }
    }
    static std::pair<std::int64_t, std::int64_t> Positions(MediaGraph& target) {
        std::int64_t current = 0, stop = 0;
        target.getPositions(current, stop);
        return {current, stop};
    }
    // One EC_COMPLETE waits, then nothing, and the graph is still running.
    static void ExpectEndedOnce(MediaGraph& target) {
        std::int32_t code = 0;
        EXPECT_EQ(target.getEvent(code), S_OK);
        EXPECT_EQ(code, EC_COMPLETE);
        EXPECT_EQ(target.getEvent(code), E_ABORT);
        EXPECT_EQ(target.state(), MediaState::Running);
    }
    void ClearRecords() {
        posts.clear();
        composed.clear();
        mix.clear();
    }
    // The movie's own pictures, at the game-area size unless told.
    static std::vector<std::vector<std::uint32_t>> Reference(const MediaPictureSize& size = {
                                                                 800, 600, 800, 600}) {
        MediaFile file;
        EXPECT_EQ(file.open("m.mkv"), S_OK);
        std::vector<MediaFrame> decoded;
        MediaPacket packet;
        while (file.readPacket(packet)) file.decodePictures(&packet, decoded);
        file.decodePictures(nullptr, decoded);
        PictureConverter converter;
        std::vector<std::vector<std::uint32_t>> frames;
        for (const MediaFrame& frame : decoded) {
            MediaPicture picture;
            EXPECT_TRUE(converter.convert(frame, size, picture));
            frames.push_back(std::move(picture.pixels));
        }
        return frames;
    }

    // A picture of width x height at the game area's corner, black around it.
    static std::vector<std::uint32_t> InTheCorner(const std::vector<std::uint32_t>& picture,
                                                  int width, int height) {
        std::vector<std::uint32_t> frame(800 * 600, 0u);
        for (int y = 0; y < height; ++y) {
            std::copy_n(picture.begin() + y * width, width, frame.begin() + y * 800);
        }
        return frame;
    }

    inline static const WindowHandle kWindow = reinterpret_cast<WindowHandle>(0x1000);
    zktest::TestKit kit;
    HeadlessDisplay display;
    ScopedService<Display> displayScope{display};
    std::vector<std::uint32_t> posts;
    std::vector<std::vector<std::uint32_t>> composed;
    std::set<const std::uint32_t*> buffers;
    zktest::ManualAudio audio;
    std::shared_ptr<AudioEngine> engine = std::make_shared<AudioEngine>();
    std::vector<float> mix;
    MediaGraph graph{2, nullptr};
};

}  // namespace

TEST_F(MediaGraphTest, PlaysEveryPictureOnceInOrderOnThePlatformClockAndEndsOnce) {
    Open();
    const auto reference = Reference();
    ASSERT_EQ(reference.size(), 10u);
    ASSERT_EQ(graph.run(), S_OK);
    const std::uint32_t start = kit.clock.now();
    PlayFor(3000);
    ASSERT_EQ(posts, std::vector<std::uint32_t>{kMovieMessage});
    EXPECT_NEAR(static_cast<double>(kit.clock.now() - start), 1000.0, 20.0);
    ASSERT_EQ(composed.size(), 10u);
    for (std::size_t i = 0; i < reference.size(); ++i) EXPECT_EQ(composed[i], reference[i]) << i;
    // Each picture is converted over the one before, black included: one buffer.
    EXPECT_EQ(buffers.size(), 1u);
    ExpectEndedOnce(graph);
    PlayFor(500);
    EXPECT_EQ(posts.size(), 1u);
}

// The clock and the sound wait for the decoder's first picture, which so comes at
// its own time however slow the decoder's start; without pictures they start at the
// first pump. Pumped without waiting for the decoder, as the game does.
TEST_F(MediaGraphTest, OutputStartsWithTheFirstDecodedPictureOrAtOnceWithoutPictures) {
    MediaPump::instance().deterministic = false;
    ASSERT_TRUE(engine->open());
    const struct {
        const char* name;
        bool picture, sound, mixed;
    } cases[] = {{"pictures and sound", true, true, true},
                 {"pictures only", true, false, true},
                 {"sound only, on the platform clock", false, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClearRecords();
        MediaGraph played{2, c.mixed ? engine : nullptr};
        OpenIn(played, {.picture = c.picture, .sound = c.sound});
        ASSERT_EQ(played.run(), S_OK);
        // The shown output may be black first, until its first picture; whether it is
        // depends on how soon the decoder has that picture.
        const auto pictured = [&] {
            return std::any_of(composed.begin(), composed.end(), [](const auto& frame) {
                return std::any_of(frame.begin(), frame.end(),
                                   [](std::uint32_t p) { return p != 0; });
            });
        };
        for (int pass = 0; pass < 1000 && !pictured(); ++pass) {
            MediaPump::instance().pump();
            if (!c.picture) break;
            if (!pictured()) {
                EXPECT_EQ(zktest::SoundingFrames(mix), 0u);
            }
            const std::vector<float> block = audio.pull(441);
            mix.insert(mix.end(), block.begin(), block.end());
            kit.clock.advance(10);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        EXPECT_EQ(pictured(), c.picture);
        if (!c.picture) {
            EXPECT_TRUE(composed.empty());
        }
        EXPECT_EQ(Positions(played).first, 0);
        if (c.picture) continue;
        kit.clock.advance(100);
        MediaPump::instance().pump();
        EXPECT_EQ(Positions(played).first, 1000000);
    }
}

TEST_F(MediaGraphTest, SeeksPausesStopsAndStopPositions) {
    Open();
    const auto reference = Reference();
    const std::int64_t half = 5000000;
    ASSERT_EQ(graph.setPositions(&half, MediaStop::At, 8000000), S_OK);
    ASSERT_EQ(graph.run(), S_OK);
    MediaPump::instance().pump();
    ASSERT_EQ(composed.size(), 1u);
    EXPECT_EQ(composed[0], reference[5]);
    kit.clock.advance(150);
    MediaPump::instance().pump();
    graph.pause();
    EXPECT_EQ(Positions(graph), (std::pair<std::int64_t, std::int64_t>(6500000, 8000000)));
    kit.clock.advance(1000);
    MediaPump::instance().pump();
    EXPECT_EQ(composed.back(), reference[6]);
    EXPECT_EQ(Positions(graph).first, 6500000);
    ASSERT_EQ(graph.run(), S_OK);
    const std::uint32_t resumed = kit.clock.now();
    PlayFor(3000);
    EXPECT_EQ(posts.size(), 1u);
    EXPECT_NEAR(static_cast<double>(kit.clock.now() - resumed), 150.0, 20.0);
    EXPECT_EQ(composed.back(), reference[8]);
    graph.stop();
    EXPECT_GE(Positions(graph).first, 8000000);
}

TEST_F(MediaGraphTest, AShownOutputIsBlackUntilItsFirstPictureAndARunStoppedUnpumpedShowsNone) {
    Open();
    MediaPump::instance().pump();
    ASSERT_EQ(composed.size(), 1u);
    EXPECT_EQ(composed[0], std::vector<std::uint32_t>(800 * 600, 0u));
    // The layer's own black picture, not the frame under it.
    const ExternalLayers::Layer& layer = display.externalLayers().layer(2);
    EXPECT_EQ(std::tuple(layer.width, layer.height, layer.pixels),
              std::tuple(800, 600, std::vector<std::uint32_t>(800 * 600, 0u)));
    ASSERT_EQ(graph.run(), S_OK);
    graph.stop();
    PlayFor(300);
    EXPECT_EQ(composed.size(), 1u);
    EXPECT_TRUE(posts.empty());
    graph.setVisible(false);
    MediaPump::instance().pump();
    ASSERT_EQ(composed.size(), 2u);
    EXPECT_EQ(display.layerPresents(), 2);
}

TEST_F(MediaGraphTest, ClosingWhileTheWorkerWaitsOnAFullQueueReturnsPromptly) {
    Open({.frames = 50});
    ASSERT_EQ(graph.run(), S_OK);
    MediaPump::instance().pump();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    {
        MediaGraph other{1, nullptr};
        ASSERT_EQ(other.renderFile("m.mkv"), S_OK);
        ASSERT_EQ(other.run(), S_OK);
    }
    EXPECT_EQ(display.layerPresents(), 1);
}

TEST_F(MediaGraphTest, PlaysOnTheMixesClockWithTheToneAtTheGraphsGain) {
    const struct {
        const char* name;
        int soundRate, channels;
        std::int32_t volume;
        double gain;
    } cases[] = {{"stereo 44100 at -600", 44100, 2, -600, 0.501},
                 {"mono 48000 at 0", 48000, 1, 0, 1.0}};
    ASSERT_TRUE(engine->open());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClearRecords();
        MediaGraph played{2, engine};
        played.putVolume(c.volume);
        OpenIn(played, {.soundRate = c.soundRate, .channels = c.channels});
        const auto reference = Reference();
        ASSERT_EQ(played.run(), S_OK);
        PlayFor(3000);
        ASSERT_EQ(posts, std::vector<std::uint32_t>{kMovieMessage});
        EXPECT_EQ(composed, reference);
        // The clock is the mix: the end comes when a second of sound has been taken.
        EXPECT_NEAR(static_cast<double>(zktest::FrameCount(mix)), 44100.0, 441.0);
        const std::span<const float> steady = std::span(mix).subspan(2 * 4410, 2 * 35280);
        EXPECT_NEAR(zktest::Rms(steady), 0.0884 * c.gain, 0.0884 * c.gain * 0.02);
        ExpectEndedOnce(played);
    }
}

// Sound that ends early hands the clock to the platform's up to the last picture;
// a sound track with no packet at all does so from the start.
TEST_F(MediaGraphTest, UnequalStreamsEndWithTheLongerOne) {
    const struct {
        const char* name;
        int frames;
        double soundSeconds;
    } cases[] = {{"sound to a half", 10, 0.5},
                 {"sound to a fifth", 10, 0.2},
                 {"one second of sound in five of pictures", 50, 1.0},
                 {"one second of sound in eight of pictures", 80, 1.0},
                 {"a sound track without packets", 10, 1e-9},
                 {"pictures end first", 10, 1.5}};
    ASSERT_TRUE(engine->open());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClearRecords();
        MediaGraph played{2, engine};
        OpenIn(played, {.frames = c.frames, .soundSeconds = c.soundSeconds});
        const auto reference = Reference();
        ASSERT_TRUE(played.hasAudio());
        ASSERT_EQ(played.run(), S_OK);
        const std::uint32_t start = kit.clock.now();
        PlayFor(10000);
        ASSERT_EQ(posts.size(), 1u);
        EXPECT_NEAR(static_cast<double>(kit.clock.now() - start),
                    std::max(c.frames * 100.0, 1000.0 * c.soundSeconds), 30.0);
        EXPECT_EQ(composed, reference);
        ExpectEndedOnce(played);
    }
}

// A rewind drops what was read ahead, pictures waiting for the sound included, and
// reads the file again from its start, even once it was read to its end.
TEST_F(MediaGraphTest, ARewindPlaysTheWholeMovieAgain) {
    const struct {
        const char* name;
        int frames;
        double soundSeconds;
        std::uint32_t rewindAtMs;  // 0: after the end
    } cases[] = {{"after the end", 10, 0, 0}, {"while pictures wait for the sound", 80, 1.0, 2000}};
    ASSERT_TRUE(engine->open());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClearRecords();
        MediaGraph played{2, engine};
        OpenIn(played, {.frames = c.frames, .soundSeconds = c.soundSeconds});
        const auto reference = Reference();
        ASSERT_EQ(played.run(), S_OK);
        PlayFor(c.rewindAtMs == 0 ? 10000 : c.rewindAtMs);
        ASSERT_EQ(posts.size(), c.rewindAtMs == 0 ? 1u : 0u);
        ClearRecords();
        const std::int64_t start = 0;
        ASSERT_EQ(played.setPositions(&start, MediaStop::Keep), S_OK);
        PlayFor(10000);
        EXPECT_EQ(posts.size(), 1u);
        EXPECT_EQ(composed, reference);
    }
}

TEST_F(MediaGraphTest, ARunStoppedBeforeAnyPumpAddsNothingToTheMixAndAStopSilencesIt) {
    ASSERT_TRUE(engine->open());
    MediaGraph played{2, engine};
    OpenIn(played, {});
    ASSERT_EQ(played.run(), S_OK);
    played.stop();
    PlayFor(200);
    EXPECT_EQ(zktest::SoundingFrames(mix), 0u);
    ASSERT_EQ(played.run(), S_OK);
    PlayFor(200);
    EXPECT_GT(zktest::Rms(mix), 0.01);
    played.pause();
    EXPECT_EQ(zktest::SoundingFrames(audio.pull(441)), 0u);
}

// Graphs open, play, seek, pause, stop and close on the game thread while the mix is
// pulled without pause on another, as the sound card's thread does.
TEST_F(MediaGraphTest, SurvivesControlFromTheGameThreadWhileAnotherThreadPullsTheMix) {
    MediaPump::instance().deterministic = false;
    ASSERT_TRUE(engine->open());
    zktest::MakeMovie({}, "m.mkv");
    std::atomic<bool> done{false};
    std::thread puller([&] {
        while (!done) audio.pull(256);
    });
    for (int round = 0; round < 200; ++round) {
        MediaGraph played{round % 3, engine};
        ASSERT_EQ(played.renderFile("m.mkv"), S_OK);
        played.setOwner(kWindow);
        played.setVisible(true);
        ASSERT_EQ(played.setWindowPosition(0, 0, 160, 120), S_OK);
        ASSERT_EQ(played.run(), S_OK);
        MediaPump::instance().pump();
        const std::int64_t target = (round % 10) * 1000000;
        ASSERT_EQ(played.setPositions(&target, MediaStop::Keep), S_OK);
        MediaPump::instance().pump();
        played.pause();
        MediaPump::instance().pump();
        ASSERT_EQ(played.run(), S_OK);
        kit.clock.advance(30);
        MediaPump::instance().pump();
        if (round % 2 == 0) played.stop();
    }
    done = true;
    puller.join();
}

// A graph gone leaves no picture in its layer, shown or not; one that never showed
// a picture leaves the layer to the graph that shows there.
TEST_F(MediaGraphTest, AGraphGoneLeavesNoPictureInItsLayer) {
    for (const bool shown : {true, false}) {
        SCOPED_TRACE(shown ? "shown" : "hidden");
        {
            MediaGraph other(3, nullptr);
            OpenIn(other, {});
            ASSERT_EQ(other.run(), S_OK);
            MediaPump::instance().pump();
            EXPECT_FALSE(display.externalLayers().layer(3).pixels.empty());
            other.setVisible(shown);
            MediaPump::instance().pump();
        }
        EXPECT_TRUE(display.externalLayers().layer(3).pixels.empty());
        EXPECT_EQ(display.externalLayers().layer(3).width, 0);
    }
    Open();
    ASSERT_EQ(graph.run(), S_OK);
    MediaPump::instance().pump();
    { MediaGraph unused(2, nullptr); }
    EXPECT_FALSE(display.externalLayers().layer(2).pixels.empty());
}

TEST_F(MediaGraphTest, PlacesThePictureAtItsRectangleOrOverTheWholeAreaAndHidingClearsIt) {
    Open();
    ASSERT_EQ(graph.setWindowPosition(0, 0, 160, 120), S_OK);
    const auto native = Reference({160, 120, 160, 120});
    const auto whole = Reference();
    ASSERT_EQ(graph.run(), S_OK);
    MediaPump::instance().pump();
    EXPECT_EQ(display.frame(), InTheCorner(native[0], 160, 120));
    // Pictures decoded ahead of a size change come at the new size when due, even
    // when only one side changes.
    const struct {
        int width, height;
        bool fullScreen;
    } changes[] = {{160, 90, false}, {160, 120, true}, {100, 150, false}};
    std::size_t due = 0;
    for (const auto& c : changes) {
        SCOPED_TRACE(testing::PrintToString(std::tuple(c.width, c.height, c.fullScreen)));
        ASSERT_EQ(graph.setWindowPosition(0, 0, c.width, c.height), S_OK);
        graph.setFullScreen(c.fullScreen);
        kit.clock.advance(100);
        MediaPump::instance().pump();
        ++due;
        const auto pictures =
            c.fullScreen ? whole : Reference({c.width, c.height, c.width, c.height});
        EXPECT_EQ(display.frame(),
                  c.fullScreen ? pictures[due] : InTheCorner(pictures[due], c.width, c.height));
    }
    const std::vector<std::uint32_t> last = display.frame();
    graph.setVisible(false);
    MediaPump::instance().pump();
    EXPECT_EQ(display.frame(), std::vector<std::uint32_t>(800 * 600, 0u));
    // A picture due while hidden is not shown when the output shows again.
    kit.clock.advance(100);
    MediaPump::instance().pump();
    graph.setVisible(true);
    MediaPump::instance().pump();
    EXPECT_EQ(display.frame(), last);
}
