#include <cmath>
#include <functional>

#include "SoundFixture.h"
#include "platform/core/Clock.h"
#include "platform/core/HResult.h"
#include "platform/media/MediaPump.h"
#include "platform/media/RunningObjectTable.h"
#include "support/Bytes.h"
#include "support/MakeMovie.h"

using Strings = std::vector<std::string>;
using platform::MediaPump;
using zktest::MakeMovie;

namespace {

const std::string kOpen = "Error: <ZKDSHOWDATA::DShowOpen> ";
const std::string kOpenMsg = "Message: <ZKDSHOWDATA::DShowOpen> ";
const std::string kVideoKind = kOpenMsg + "ビデオタイプと判別しました";
const std::string kAudioKind = kOpenMsg + "オーディオタイプと判別しました";
const std::string kClosed = "Message: <ZKDSHOWDATA::DShowClose> 各種データのリリース終了";
// The test movies' tone: a sine at 1/8.
const double kToneRms = 0.125 / std::sqrt(2.0);

// The platform graph behind the one open record.
platform::MediaGraph& OnlyGraph() { return *MediaPump::instance().graphs().at(0); }

class GraphTest : public SoundFixture {
protected:
    ~GraphTest() override {
        MediaPump& pump = MediaPump::instance();
        pump.failingRuns = pump.failingSeeks = 0;
        pump.failingDuration = false;
        pump.poster = nullptr;
    }

    // Started on a window, where the graphs' ends are posted and recorded. With sound
    // off, as on a machine without a device, graphs time themselves on the manual clock.
    void StartWithWindow(bool sound) {
        audio.device.refuseOpen(!sound);
        ASSERT_EQ(snd.Initialize(kWindow, nullptr, 0), sound ? 0 : -1);
        MediaPump::instance().poster = [this](platform::WindowHandle window,
                                              std::uint32_t message) {
            EXPECT_EQ(window, kWindow);
            posts.push_back(message);
        };
        kit.log.clear();
    }
    // Pumps every 10 ms until a message is posted or limitMs have passed, pulling
    // each 10 ms of the mix into mix when given; the time taken.
    std::uint32_t PumpUntilPosted(std::uint32_t limitMs, std::vector<float>* mix = nullptr) {
        posts.clear();
        const std::uint32_t start = kit.clock.now();
        while (kit.clock.now() - start < limitMs) {
            MediaPump::instance().pump();
            if (!posts.empty()) break;
            if (mix != nullptr) {
                const std::vector<float> block = audio.pull(kFramesPer10Ms);
                mix->insert(mix->end(), block.begin(), block.end());
            }
            kit.clock.advance(10);
        }
        return kit.clock.now() - start;
    }

    void OpenMovie(int type = 2) {
        MakeMovie({}, "m.mkv");
        ASSERT_EQ(snd.DShowOpen(type, "m.mkv", 800, 600), 0);
        kit.log.clear();
    }
    // Queues the end of the play and lets the record handle it.
    std::int32_t End(int type = 2) {
        OnlyGraph().queueEvent(platform::EC_COMPLETE);
        return snd.DShowEventNotify(type);
    }
    std::uint32_t Status(int type = 2) {
        std::uint32_t status = 99;
        snd.DShowGetStatus(type, &status);
        return status;
    }
    // A posted end keeps the graph running until the record handles it; then closes it.
    void HandleEndAndClose(int type) {
        EXPECT_EQ(Status(type), 1u) << type;
        EXPECT_EQ(snd.DShowEventNotify(type), 1);
        EXPECT_EQ(Status(type), 2u) << type;
        EXPECT_EQ(snd.DShowClose(type), 0);
    }

    static constexpr std::size_t kFramesPer10Ms = 441;
    inline static const platform::WindowHandle kWindow =
        reinterpret_cast<platform::WindowHandle>(0x1000);
    std::vector<std::uint32_t> posts;
};

}  // namespace

TEST_F(GraphTest, ForwardersRefuseTypesOutsideTheThree) {
    // Every forwarder shares one guard that names its caller.
    std::int64_t position = 0;
    std::int32_t volume = 0;
    std::uint32_t status = 0;
    const std::vector<std::pair<std::string, std::function<std::int64_t(int)>>> calls = {
        {"DShowOpen", [&](int t) { return snd.DShowOpen(t, "m.mkv", 800, 600); }},
        {"DShowGetLength", [&](int t) { return snd.DShowGetLength(t, &position); }},
        {"DShowReleaseObjTbl", [&](int t) { return snd.DShowReleaseObjTbl(t); }},
        {"DShowClose", [&](int t) { return snd.DShowClose(t); }},
        {"DShowIsOpen", [&](int t) { return snd.DShowIsOpen(t); }},
        {"DShowPlay", [&](int t) { return snd.DShowPlay(t); }},
        {"DShowPlayEx", [&](int t) { return snd.DShowPlayEx(t, 1, 0, 0); }},
        {"DShowStop", [&](int t) { return snd.DShowStop(t); }},
        {"DShowPause", [&](int t) { return snd.DShowPause(t); }},
        {"DShowSetVolume", [&](int t) { return snd.DShowSetVolume(t, 0); }},
        {"DShowGetVolume", [&](int t) { return snd.DShowGetVolume(t, &volume); }},
        {"DShowGetStatus", [&](int t) { return snd.DShowGetStatus(t, &status); }},
        {"DShowChangeSize", [&](int t) { return snd.DShowChangeSize(t, 0, 800, 600); }},
        {"DShowGetSeekPointOperation",
         [&](int t) { return snd.DShowGetSeekPointOperation(t, &position); }},
        {"DShowGetSeekPoint", [&](int t) { return snd.DShowGetSeekPoint(t); }},
        {"DShowEventNotify", [&](int t) { return snd.DShowEventNotify(t); }},
        {"DShowGetRequestVolume", [&](int t) { return snd.DShowGetRequestVolume(t); }},
        {"DShowRegObjTbl", [&](int t) { return snd.DShowRegObjTbl(t); }},
    };
    for (const auto& [name, call] : calls) {
        for (const int type : {3, -1}) {
            kit.log.clear();
            EXPECT_EQ(call(type), -1) << name;
            EXPECT_EQ(lines(),
                      Strings{"Error: <ZKSND::" + name + "> オーディオタイプの指定が異常です"});
        }
    }
}

TEST_F(GraphTest, OpenReportsKindsAndRefusesWhatItCannotPlayLeavingNothingBehind) {
    MakeMovie({}, "av.mkv");
    MakeMovie({.sound = false}, "video.dat");
    MakeMovie({.picture = false}, "sound.mkv");
    zktest::WriteFileBytes("garbage.mkv", zktest::Hex("1A 45 DF A3 00 11 22 33"));
    const std::string tooLong(260, 'a');
    // One file the reader refuses per result; the media file test has the rest.
    const struct {
        const char* path;
        int width;
        std::int32_t result;
        Strings lines;
    } cases[] = {
        {"av.mkv", 800, 0, {kVideoKind, kAudioKind}},
        {"video.dat",
         9999,
         0,
         {kOpenMsg + "オーディオ操作オブジェクト作成に失敗しました", kVideoKind}},
        {"sound.mkv",
         800,
         0,
         {kOpenMsg + "ビデオウィンドウオブジェクト作成に失敗しました",
          kOpenMsg + "ビデオ操作オブジェクト作成に失敗しました", kAudioKind}},
        {"missing.mkv", 800, platform::E_FILE_NOT_FOUND, {kOpen + "データロードに失敗しました"}},
        {"garbage.mkv", 800, platform::E_FAIL, {kOpen + "データロードに失敗しました"}},
        {nullptr, 800, platform::E_INVALIDARG, {kOpen + "データロードに失敗しました"}},
        {tooLong.c_str(), 800, platform::E_INVALIDARG, {kOpen + "データロードに失敗しました"}},
        {"av.mkv",
         5000,
         platform::E_INVALIDARG,
         {kVideoKind, kAudioKind,
          "Error: <ZKDSHOWDATA::DShowChangeSize> クライアント領域指定に失敗しました",
          kOpen + "呼び出したZKDSHOWDATA::DShowChangeSizeが失敗しました"}},
    };
    for (const auto& c : cases) {
        const std::string label = c.path ? std::string(c.path).substr(0, 20) : "null";
        kit.log.clear();
        EXPECT_EQ(snd.DShowOpen(1, c.path, c.width, 600), c.result) << label;
        EXPECT_EQ(engineLines(), c.lines) << label;
        const bool opened = c.result == 0;
        EXPECT_EQ(snd.DShowIsOpen(1), opened ? 1 : 0) << label;
        // A failed open keeps no graph, so nothing is left to close.
        EXPECT_EQ(MediaPump::instance().graphs().size(), opened ? 1u : 0u) << label;
        EXPECT_EQ(snd.DShowClose(1), opened ? 0 : 1) << label;
    }
}

// Opening an open graph closes it first, so one graph plays; a closed graph opens
// without a close.
TEST_F(GraphTest, OpeningAnOpenGraphClosesItFirst) {
    MakeMovie({}, "av.mkv");
    ASSERT_EQ(snd.DShowOpen(1, "av.mkv", 800, 600), 0);
    EXPECT_EQ(engineLines(), (Strings{kVideoKind, kAudioKind}));
    kit.log.clear();
    ASSERT_EQ(snd.DShowOpen(1, "av.mkv", 800, 600), 0);
    EXPECT_EQ(engineLines(), (Strings{"Message: <ZKDSHOWDATA::DShowClose> 各種データのリリース終了",
                                      kVideoKind, kAudioKind}));
    EXPECT_EQ(MediaPump::instance().graphs().size(), 1u);
    EXPECT_EQ(snd.DShowClose(1), 0);
}

TEST_F(GraphTest, NullOutputsAndClosedGraphsAreRefusedWithTheirLines) {
    std::uint32_t status = 7;
    EXPECT_EQ(snd.DShowGetStatus(2, &status), 1);
    EXPECT_EQ(status, 7u);
    std::int64_t position = 5;
    EXPECT_EQ(snd.DShowGetSeekPointOperation(2, &position), -1);
    EXPECT_EQ(position, 5);
    EXPECT_EQ(lines(),
              Strings{"Error: <ZKDSHOWDATA::DShowGetSeekPointOperation> データが開けていません"});
    const std::string bad = "> 不正な引数が渡されました";
    // A null output is refused before anything else, on a closed graph as on an open one.
    for (const bool open : {false, true}) {
        if (open) OpenMovie();
        kit.log.clear();
        EXPECT_EQ(snd.DShowGetLength(2, nullptr), -1);
        EXPECT_EQ(snd.DShowGetVolume(2, nullptr), -1);
        EXPECT_EQ(snd.DShowGetStatus(2, nullptr), -1);
        EXPECT_EQ(snd.DShowGetSeekPointOperation(2, nullptr), -1);
        EXPECT_EQ(lines(), (Strings{
                               "Error: <ZKDSHOWDATA::DShowGetLength" + bad,
                               "Error: <ZKDSHOWDATA::DShowGetVolume" + bad,
                               "Error: <ZKDSHOWDATA::DShowGetStatus" + bad,
                               "Error: <ZKDSHOWDATA::DShowGetSeekPointOperation" + bad,
                           }))
            << open;
    }
}

TEST_F(GraphTest, PlaysEndAndRepeatByTheirCounts) {
    OpenMovie();
    EXPECT_EQ(snd.DShowStop(2), 1);
    EXPECT_EQ(lines(), Strings{"Warn: <ZKDSHOWDATA::DShowStop> 既に停止されています"});
    // Each repeat is one end handled while the graph runs on; the end after them stops it.
    // Endless repeats are played out to real ends below.
    for (const int repeats : {0, 2}) {
        ASSERT_EQ(snd.DShowPlayEx(2, repeats, 0, 0), 0);
        for (int pass = 0; pass <= repeats; ++pass) {
            EXPECT_EQ(Status(), 1u) << repeats;
            EXPECT_EQ(End(), 1);
        }
        EXPECT_EQ(Status(), 2u) << repeats;
        EXPECT_EQ(snd.DShowEventNotify(2), 1);
    }
    kit.log.clear();
    ASSERT_EQ(snd.DShowPause(2), 0);
    EXPECT_EQ(Status(), 1u);
    ASSERT_EQ(snd.DShowPause(2), 0);
    EXPECT_EQ(Status(), 3u);
    EXPECT_EQ(snd.DShowClose(2), 0);
    EXPECT_EQ(lines(), Strings{kClosed});
}

TEST_F(GraphTest, EachGraphPostsItsEndAndRunsUntilTheMessageIsHandled) {
    StartWithWindow(false);
    MakeMovie({}, "movie.mkv");
    const struct {
        int type;
        std::uint32_t message;
    } cases[] = {{0, 0x8002}, {1, 0x8003}, {2, 0x8004}};
    for (const auto& c : cases) {
        ASSERT_EQ(snd.DShowOpen(c.type, "movie.mkv", 800, 600), 0);
        ASSERT_EQ(snd.DShowPlay(c.type), 0);
        EXPECT_NEAR(PumpUntilPosted(3000), 1000.0, 20.0) << c.type;
        EXPECT_EQ(posts, std::vector<std::uint32_t>{c.message}) << c.type;
        HandleEndAndClose(c.type);
    }
}

TEST_F(GraphTest, EndlessRepeatsPlayTheWholeFileAgainUntilStopped) {
    StartWithWindow(false);
    OpenMovie();
    ASSERT_EQ(snd.DShowPlayEx(2, -2, 0, 0), 0);
    for (int pass = 0; pass < 3; ++pass) {
        // Each pass is the file's whole second, so each end rewound to the start.
        EXPECT_NEAR(PumpUntilPosted(3000), 1000.0, 20.0) << pass;
        ASSERT_EQ(posts.size(), 1u) << pass;
        EXPECT_EQ(snd.DShowEventNotify(2), 1);
        EXPECT_EQ(Status(), 1u) << pass;
    }
    EXPECT_EQ(snd.DShowStop(2), 0);
    EXPECT_EQ(Status(), 2u);
    PumpUntilPosted(2000);
    EXPECT_TRUE(posts.empty());
    EXPECT_EQ(lines(), Strings{});
}

TEST_F(GraphTest, RunIsTriedTenTimesAHundredMillisecondsApart) {
    OpenMovie();
    const std::string play = "Error: <ZKDSHOWDATA::DShowPlayEx> 再生に失敗しました";
    const std::string pause = "Error: <ZKDSHOWDATA::DShowPause> 再生に失敗しました";
    const struct {
        bool viaPause;
        int failures;
        std::int32_t result;
        std::string retry;
        std::string last;
    } cases[] = {
        {false, 3, 0, play + "……再試行します", play},
        {false, 10, platform::E_FAIL, play + "……再試行します", play},
        {true, 3, 0, pause + "再試行します", pause},
        {true, 10, platform::E_FAIL, pause + "再試行します", pause},
    };
    for (const auto& c : cases) {
        kit.log.clear();
        MediaPump::instance().failingRuns = c.failures;
        const std::uint32_t before = kit.clock.now();
        EXPECT_EQ(c.viaPause ? snd.DShowPause(2) : snd.DShowPlayEx(2, 0, 0, 0), c.result);
        const int retries = std::min(c.failures, 9);
        Strings expected(static_cast<std::size_t>(retries), c.retry);
        if (c.failures == 10) expected.push_back(c.last);
        EXPECT_EQ(lines(), expected) << c.failures;
        EXPECT_EQ(kit.clock.now() - before, 100u * static_cast<std::uint32_t>(retries));
        EXPECT_EQ(Status(), c.result == 0 ? 1u : 2u);
        if (c.result == 0) snd.DShowStop(2);
    }
}

TEST_F(GraphTest, SeekAndDurationFailuresTakeTheirPaths) {
    OpenMovie();
    // With repeats left, only the stop path ends the play at a failed rewind.
    ASSERT_EQ(snd.DShowPlayEx(2, 2, 0, 0), 0);
    MediaPump::instance().failingSeeks = 1;
    EXPECT_EQ(End(), 1);
    EXPECT_EQ(Status(), 2u);
    EXPECT_FALSE(OnlyGraph().visible());
    std::int64_t length = 0;
    EXPECT_EQ(snd.DShowGetLength(2, &length), 0);
    EXPECT_NEAR(static_cast<double>(length), 1e7, 1e6);
    MediaPump::instance().failingDuration = true;
    EXPECT_EQ(snd.DShowGetLength(2, &length), -1);
    MediaPump::instance().failingSeeks = 1;
    kit.log.clear();
    EXPECT_EQ(snd.DShowPlayEx(2, 0, 2000000, 0), platform::E_FAIL);
    EXPECT_EQ(lines(), Strings{"Error: <ZKDSHOWDATA::DShowPlayEx> 位置設定に失敗しました"});
}

TEST_F(GraphTest, StopPositionZeroMeansToTheEndAndIsNotKeptByLaterPlays) {
    OpenMovie();
    std::int64_t current = 0;
    const auto positions = [&] {
        std::int64_t stop = 0;
        OnlyGraph().getPositions(current, stop);
        return stop;
    };
    const std::int64_t end = positions();
    ASSERT_EQ(snd.DShowPlayEx(2, 0, 3000000, 0), 0);
    EXPECT_EQ(positions(), end);
    EXPECT_EQ(current, 3000000);
    ASSERT_EQ(snd.DShowPlayEx(2, 0, 2000000, 5000000), 0);
    EXPECT_EQ(positions(), 5000000);
    ASSERT_EQ(snd.DShowPlay(2), 0);
    EXPECT_EQ(positions(), end);
    EXPECT_EQ(current, 2000000);
}

TEST_F(GraphTest, VolumesAreStoredClampedAndRefusedWithoutSound) {
    EXPECT_EQ(snd.DShowSetVolume(2, -1234), 1);
    OpenMovie();
    ASSERT_EQ(snd.DShowPlay(2), 0);
    std::int32_t volume = 0;
    EXPECT_EQ(snd.DShowGetVolume(2, &volume), 0);
    EXPECT_EQ(volume, -1234);
    const std::string clamp =
        "Warn: <ZKDSHOWDATA::DShowSetVolume> "
        "ボリュームの設定範囲限界を超えています。最も近い設定可能な値に修正します";
    for (const auto& [asked, stored] : {std::pair{5, 0}, {-10001, -10000}}) {
        kit.log.clear();
        EXPECT_EQ(snd.DShowSetVolume(2, asked), 0);
        EXPECT_EQ(snd.DShowGetRequestVolume(2), stored);
        EXPECT_EQ(lines(), Strings{clamp});
    }
    MakeMovie({.sound = false}, "video.mkv");
    ASSERT_EQ(snd.DShowOpen(2, "video.mkv", 800, 600), 0);
    kit.log.clear();
    EXPECT_EQ(snd.DShowPlay(2), 1);
    EXPECT_EQ(snd.DShowGetVolume(2, &volume), -1);
    const std::string lost = "> オーディオ操作オブジェクトが失われています";
    EXPECT_EQ(lines(), (Strings{
                           "Error: <ZKDSHOWDATA::DShowSetVolume" + lost,
                           "Error: <ZKDSHOWDATA::DShowPlayEx> "
                           "呼び出したZKDSHOWDATA::DShowSetVolumeが失敗しました",
                           "Error: <ZKDSHOWDATA::DShowGetVolume" + lost,
                       }));
}

TEST_F(GraphTest, SizeChangesResolveNativeSizesAndToggleFullScreen) {
    OpenMovie();
    platform::MediaGraph& graph = OnlyGraph();
    const std::string tag = "Warn: <ZKDSHOWDATA::DShowChangeSize> ";
    EXPECT_EQ(snd.DShowChangeSize(2, 1, 9999, 9999), 0);
    EXPECT_EQ(graph.windowPosition().width, 160);
    EXPECT_EQ(graph.windowPosition().height, 120);
    EXPECT_EQ(snd.DShowChangeSize(2, 1, -1, 600), 0);
    EXPECT_TRUE(graph.fullScreen());
    EXPECT_EQ(snd.DShowChangeSize(2, 1, -1, -1), 1);
    EXPECT_EQ(lines(), Strings{tag + "既にフルスクリーンです"});
    EXPECT_EQ(snd.DShowChangeSize(2, 1, 320, 9999), 0);
    EXPECT_FALSE(graph.fullScreen());
    EXPECT_EQ(graph.windowPosition().width, 160);
    EXPECT_EQ(snd.DShowChangeSize(2, 1, 320, 9999), 0);
    EXPECT_EQ(graph.windowPosition().width, 320);
    EXPECT_EQ(graph.windowPosition().height, 120);
    snd.DShowClose(2);
    EXPECT_EQ(snd.DShowChangeSize(2, 1, 800, 600), -1);
}

TEST_F(GraphTest, MainLoopSetsPendingAndDriftedVolumes) {
    // A picture-only graph cannot take a volume, so each attempt shows in the log.
    MakeMovie({.sound = false}, "video.mkv");
    ASSERT_EQ(snd.DShowOpen(0, "video.mkv", 800, 600), 0);
    snd.DShowPlay(0);
    const std::uint32_t start = kit.clock.now();
    kit.log.clear();
    EXPECT_EQ(snd.MainLoop(start + 100), 1);
    EXPECT_EQ(lines(), Strings{});
    Start();
    const std::string lost = "> オーディオ操作オブジェクトが失われています";
    EXPECT_EQ(snd.MainLoop(start + 99), 1);
    EXPECT_EQ(lines(), Strings{"Error: <ZKDSHOWDATA::DShowGetVolume" + lost});
    kit.log.clear();
    EXPECT_EQ(snd.MainLoop(start + 100), 1);
    EXPECT_EQ(lines(), (Strings{"Error: <ZKDSHOWDATA::DShowSetVolume" + lost,
                                "Error: <ZKSND::MainLoop> ボリューム設定に失敗しました"}));
    snd.DShowClose(0);
    OpenMovie();
    snd.DShowSetVolume(2, -500);
    ASSERT_EQ(snd.DShowPlay(2), 0);
    ASSERT_EQ(snd.MainLoop(kit.clock.now() + 100), 1);
    OnlyGraph().putVolume(-800);
    EXPECT_EQ(snd.MainLoop(kit.clock.now() + 5000), 1);
    EXPECT_EQ(OnlyGraph().volume(), -500);
}

TEST_F(GraphTest, RunningObjectTableListsRegisteredGraphs) {
    OpenMovie();
    auto& table = platform::RunningObjectTable::instance();
    const std::size_t before = table.displayNames().size();
    EXPECT_EQ(snd.DShowRegObjTbl(2), 0);
    const Strings names = table.displayNames();
    ASSERT_EQ(names.size(), before + 1);
    char pid[16];
    std::snprintf(pid, sizeof pid, " pid %08x", platform::RunningObjectTable::processId());
    EXPECT_EQ(names.back().rfind("!FilterGraph ", 0), 0u);
    EXPECT_NE(names.back().find(pid), std::string::npos);
    EXPECT_EQ(snd.DShowReleaseObjTbl(2), 0);
    EXPECT_EQ(snd.DShowReleaseObjTbl(2), 0);
    EXPECT_EQ(table.displayNames().size(), before);
}

TEST_F(GraphTest, ReleaseSilencesAPlayingMovieAndClosesOpenGraphsOnly) {
    StartWithWindow(true);
    OpenMovie(2);
    ASSERT_EQ(snd.DShowPlay(2), 0);
    std::vector<float> mix;
    PumpUntilPosted(200, &mix);
    EXPECT_GT(zktest::Rms(mix), kToneRms / 2);
    kit.log.clear();
    EXPECT_GE(snd.Release(), 0);
    EXPECT_EQ(lines(), Strings{kClosed});
    EXPECT_TRUE(MediaPump::instance().graphs().empty());
    // Nothing of the movie reaches the device opened next.
    ASSERT_EQ(snd.Initialize(kWindow, nullptr, 0), 0);
    mix.clear();
    PumpUntilPosted(100, &mix);
    EXPECT_EQ(zktest::SoundingFrames(mix), 0u);
}
