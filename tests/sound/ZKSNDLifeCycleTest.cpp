#include <functional>

#include "SoundFixture.h"
#include "platform/core/HResult.h"
#include "platform/media/MediaPump.h"
#include "platform/video/HeadlessDisplay.h"
#include "support/FakeCdDrives.h"
#include "support/FakeMixerDevices.h"
#include "support/MakeMovie.h"

using Strings = std::vector<std::string>;

namespace {

const std::string kNotInitialized = "ZKSND::Initializeの処理を終えずに呼び出されました";

}  // namespace

TEST_F(SoundFixture, SecondInitializeRefusesButKeepsTheNewValues) {
    auto* window = reinterpret_cast<platform::WindowHandle>(0x1234);
    const int module = 0;
    ASSERT_EQ(snd.Initialize(nullptr, nullptr, 0), 0);
    EXPECT_TRUE(audio.device.isOpen());
    EXPECT_EQ(snd.Initialize(window, &module, 0x10CF0000), -1);
    EXPECT_EQ(lines(), Strings{"Error: <ZKSND::Initialize> ZKSNDクラスは既に初期化済みです"});
    EXPECT_EQ(snd.GetHwnd(), window);
    EXPECT_EQ(snd.GetInstance(), &module);
    EXPECT_EQ(snd.GetWindowStyle(), 0x10CF0000u);
    EXPECT_EQ(snd.DAGetMasterVolume(), 0);  // still initialised
    EXPECT_EQ(snd.Release(), 0);
    EXPECT_FALSE(audio.device.isOpen());
}

TEST_F(SoundFixture, TheAudioEngineStartsWithOneAndFailsWithZero) {
    const struct {
        bool refused;
        int expected;
    } cases[] = {{false, 1}, {true, 0}};
    for (const auto& c : cases) {
        audio.device.refuseOpen(c.refused);
        EXPECT_EQ(snd.DAudioInit(), c.expected) << c.refused;
        EXPECT_EQ(audio.device.isOpen(), !c.refused);
        snd.Release();
    }
}

TEST_F(SoundFixture, WithoutADeviceStartUpFailsAndEverySoundOperationRefuses) {
    audio.device.refuseOpen(true);
    EXPECT_EQ(snd.Initialize(nullptr, nullptr, 0), -1);
    EXPECT_EQ(lines(), (Strings{
                           "Error: <ZKSND::DAudioInit> DMusicパフォーマンスの初期化に失敗しました",
                           "Error: <ZKSND::Initialize> "
                           "呼び出したZKSND::DAInitがエラーで終了しました",
                       }));

    // The table of names needs no device: the registry and Init.spt name sounds
    // while sound is off.
    char path[260];
    ASSERT_EQ(snd.DADATAReserve(44), 1);
    EXPECT_EQ(snd.DASetData(2, "a.sou"), 1);
    EXPECT_STREQ(snd.DAGetWAVEPath(2, path, sizeof path), "a.sou");
    EXPECT_EQ(snd.DAUnload(2), 0);

    std::int32_t position = 0;
    const struct {
        const char* name;
        std::function<std::int64_t()> call;
        std::int64_t expected;
        // Asked again and again (each frame, each logo): told once from one place.
        bool latched;
    } operations[] = {
        {"DALoad", [&] { return snd.DALoad(0, "a.sou", DA_PATH_VOICE); }, -1, false},
        {"DAPlay", [&] { return snd.DAPlay(0, 0, DA_PATH_VOICE); }, -1, false},
        {"DAStop", [&] { return snd.DAStop(0); }, -1, false},
        {"DAAllStop", [&] { return snd.DAAllStop(); }, -1, true},
        {"DAGetState", [&] { return snd.DAGetState(0); }, -1, true},
        {"DAGetNowPos", [&] { return snd.DAGetNowPos(0, &position); }, -1, false},
        {"DASetAllVolume", [&] { return snd.DASetAllVolume(0); }, -1, false},
        {"DASetPathVolume", [&] { return snd.DASetPathVolume(DA_PATH_BGM, 0); }, -1, false},
        {"DAGetLoadState", [&] { return snd.DAGetLoadState(0); }, 0, true},
    };
    for (const auto& op : operations) {
        kit.log.clear();
        EXPECT_EQ(op.call(), op.expected) << op.name;
        EXPECT_EQ(op.call(), op.expected) << op.name;
        const std::string line = "Error: <ZKSND::" + std::string(op.name) + "> " + kNotInitialized;
        EXPECT_EQ(lines(), op.latched ? Strings{line} : (Strings{line, line})) << op.name;
    }
    kit.log.clear();
    EXPECT_EQ(snd.DAGetMasterVolume(), -1);
    EXPECT_EQ(snd.DAGetPathVolume(DA_PATH_SE), -1);
    EXPECT_EQ(snd.Release(), 0);
    EXPECT_EQ(snd.Release(), 0);
    EXPECT_EQ(lines(), Strings{});
}

TEST_F(SoundFixture, AfterReleaseAndASecondStartTheFreedTableIsNeverIndexed) {
    Start();
    LoadLevel(3, "a.sou", 100, 0.5f);
    ASSERT_EQ(snd.DAPlay(3, -1, DA_PATH_SE), 0);
    EXPECT_EQ(snd.Release(), 0);
    EXPECT_FALSE(audio.device.isOpen());
    ASSERT_EQ(snd.Initialize(nullptr, nullptr, 0), 0);
    EXPECT_TRUE(zktest::AllFramesAt(audio.pull(64), 0.0f));
    kit.log.clear();

    const std::string outside = "インデックス番号外を指定しています";
    const std::string invalid = "インデックス番号が不正です";
    std::int32_t position = 0;
    char path[260];
    EXPECT_EQ(snd.DAPlay(3, 0, DA_PATH_SE), -1);
    EXPECT_EQ(snd.DAStop(3), -1);
    EXPECT_EQ(snd.DALoad(3, "a.sou", DA_PATH_SE), -1);
    EXPECT_EQ(snd.DAGetState(3), -1);
    EXPECT_EQ(snd.DAGetNowPos(3, &position), -1);
    EXPECT_EQ(snd.DAGetLoadState(3), 0);
    EXPECT_EQ(snd.DASetData(3, "b.sou"), 0);
    EXPECT_EQ(snd.DAGetWAVEPath(3, path, sizeof path), nullptr);
    EXPECT_EQ(snd.DAUnload(3), -1);
    EXPECT_EQ(snd.DADATAReserve(44), 1);
    EXPECT_EQ(snd.DAGetDataNum(), 44u);
    EXPECT_EQ(lines(), (Strings{
                           "Error: <ZKSND::DAPlay> " + outside,
                           "Error: <ZKSND::DAStop> " + outside,
                           "Error: <ZKSND::DALoad> " + outside,
                           "Error: <ZKSND::DAGetState> " + invalid,
                           "Error: <ZKSND::DAGetNowPos> " + invalid,
                           "Error: <ZKSND::DAGetLoadState> " + outside,
                           "Error: <ZKSND::DASetData> " + outside,
                           "Error: <ZKSND::DAGetWAVEPath> " + outside,
                           "Error: <ZKSND::DAUnload> " + outside,
                           "Error: <ZKSND::DADATAReserve> 既にセットされています",
                       }));
}

TEST_F(SoundFixture, ReleaseSilencesEveryFacilityAndClosesTheMixerWithoutRestoringIt) {
    zktest::FakeCdDrives drives;
    drives.drives = {{"/dev/sr0", {{{300, true}}}}};
    zktest::FakeMixerDevices card;
    card.destinations = {{.type = platform::MixerLineType::Speakers, .volume = 40000}};
    platform::HeadlessDisplay display;
    platform::ScopedService<platform::Display> displayScope(display);
    zktest::MakeMovie({.container = mkdemo::MovieContainer::Avi}, "movie.avi");
    auto* window = reinterpret_cast<platform::WindowHandle>(0x1000);
    ASSERT_EQ(snd.Initialize(window, nullptr, 0), 0);
    ASSERT_EQ(snd.MCIInit(nullptr), 1);
    ASSERT_EQ(snd.CDPlay(1, 1, 0, 0), 1);
    ASSERT_EQ(snd.MMDATAReserve(2), 1);
    for (const int record : {0, 1}) {
        ASSERT_EQ(snd.MMOpen(record, 0, "movie.avi"), 1);
        ASSERT_EQ(snd.MMPlay(record), 1);
    }
    ASSERT_EQ(snd.AVIInit(), 1);
    ASSERT_EQ(snd.AVIOpen("movie.avi", 0, 0, 160, 120), 1);
    ASSERT_EQ(snd.AVIPlay(), 1);
    ASSERT_EQ(snd.MixerOpen(0), 1);
    std::uint32_t volume = 1000;
    ASSERT_EQ(snd.MixerSetVolume(0, &volume), 1);
    platform::MediaPump::instance().pump();
    EXPECT_GT(zktest::Rms(audio.pull(4410)), 0.1);
    EXPECT_TRUE(display.externalLayers().anyShown());
    kit.log.clear();
    EXPECT_EQ(snd.Release(), 0);
    EXPECT_EQ(lines(), Strings{});
    EXPECT_FALSE(display.externalLayers().anyShown());
    EXPECT_TRUE(platform::MediaPump::instance().graphs().empty());
    EXPECT_EQ(card.opened, card.closed);
    EXPECT_EQ(card.destinations[0].volume, 1000u);
    ASSERT_EQ(snd.Initialize(window, nullptr, 0), 0);
    EXPECT_TRUE(zktest::AllFramesAt(audio.pull(441), 0.0f));
}
