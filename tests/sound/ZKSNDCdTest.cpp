#include <cstring>
#include <functional>
#include <numeric>
#include <tuple>

#include "SoundFixture.h"
#include "platform/linux/CdioDrives.h"
#include "support/FakeCdDrives.h"

using platform::CdStatus;
using Strings = std::vector<std::string>;
using zktest::CdImage;
using Drive = zktest::FakeCdDrives::Drive;

namespace {

// The game's disc: audio 4 s, audio 3 s, data 1 s.
const std::vector<zktest::CdImageTrack> kDisc = {{300, true}, {225, true}, {75, false}};
constexpr std::size_t kSecond = 44100;

class CdTest : public SoundFixture {
protected:
    // The device, and a play's reader, go before the drives.
    ~CdTest() override { snd.Release(); }

    // TMSF as track, minute, second, frame, or MSF as minute, second, frame.
    std::vector<int> NowPos(bool tmsf) {
        std::uint8_t a = 0xEE, b = 0xEE, c = 0xEE, track = 0xEE;
        EXPECT_EQ(snd.CDGetNowPos(&a, &b, &c, tmsf ? &track : nullptr), 1);
        if (tmsf) return {track, a, b, c};
        return {a, b, c};
    }
    // The level of the next frame of the mix.
    float Heard() { return audio.pull(1).at(0); }
    std::vector<int> Length(std::int32_t track) {
        std::uint8_t m = 0, s = 0, f = 0;
        EXPECT_EQ(snd.CDGetTrackLength(&m, &s, &f, track), 1);
        return {m, s, f};
    }
    std::string DiscId() {
        char id[9] = {};
        EXPECT_EQ(snd.CDGetDiscID(id, sizeof id), 1);
        return id;
    }

    zktest::FakeCdDrives fake;
};

}  // namespace

TEST_F(CdTest, ADiscImagePlaysPausesAndEndsThroughLibcdio) {
    platform::CdioDrives cdio;
    platform::ScopedService<platform::CdDrives> scope(cdio);
    const std::string cue = CdImage::Write("disc", kDisc);
    Start();
    ASSERT_EQ(snd.MCIInit(cue.c_str()), 1);
    ASSERT_EQ(snd.CDSetTrackData(), 1);
    const struct {
        std::uint32_t type;
        int seconds;
    } tracks[] = {{0, 4}, {0, 3}, {1, 1}};
    for (std::uint32_t i = 0; i < 3; ++i) {
        CD_TRACK_DATA track;
        ASSERT_EQ(snd.CDGetTrackData(i, &track), 1);
        EXPECT_EQ(track.dwType, tracks[i].type) << i;
        EXPECT_EQ(std::vector<int>({track.bMinute, track.bSecond, track.bFrame}),
                  std::vector<int>({0, tracks[i].seconds, 0}))
            << i;
    }
    EXPECT_EQ(Length(9999), std::vector<int>({0, 8, 0}));

    // Track 2 (sector 300 on) from 0:01, frame 1.
    ASSERT_EQ(snd.CDPlay(1, 2, 0, 1), 1);
    EXPECT_EQ(snd.CDPlayStatusCheck(), 0);
    EXPECT_FLOAT_EQ(Heard(), CdImage::Level(376));
    audio.pull(kSecond - 1);
    EXPECT_EQ(NowPos(true), std::vector<int>({2, 0, 2, 1}));
    EXPECT_EQ(NowPos(false), std::vector<int>({0, 8, 1}));  // sector 451 + 150
    EXPECT_EQ(snd.CDPause(), 1);
    EXPECT_EQ(snd.CDPlayStatusCheck(), 1);
    EXPECT_TRUE(zktest::AllFramesAt(audio.pull(4410), 0.0f));
    EXPECT_EQ(NowPos(true), std::vector<int>({2, 0, 2, 1}));
    EXPECT_EQ(snd.CDRePlay(), 1);
    EXPECT_FLOAT_EQ(Heard(), CdImage::Level(451));
    // On to the end of track 2: the data track is never played.
    const std::vector<float> rest = audio.pull(kSecond * 2);
    EXPECT_EQ(zktest::SoundingFrames(rest), 74u * 588 - 1);
    EXPECT_EQ(snd.CDPlayStatusCheck(), 2);
    EXPECT_EQ(NowPos(true), std::vector<int>({3, 0, 0, 0}));

    EXPECT_EQ(snd.TrayControl(), 1);
    EXPECT_EQ(snd.CDDriveStatus(), 1);
    EXPECT_EQ(snd.TrayControl(), 1);
    EXPECT_EQ(snd.CDDriveStatus(), 0);
    // Digit sums 2 + 6 + 9 of the starts' seconds, 8 s long, 3 tracks.
    EXPECT_EQ(DiscId(), "11000803");
    const std::string other = CdImage::Write("other", {{300, true}, {150, true}});
    ASSERT_EQ(snd.MCIChangeDrive(other.c_str()), 1);
    EXPECT_NE(DiscId(), "11000803");
    EXPECT_EQ(lines(), Strings{});
}

TEST_F(CdTest, FailuresTakeTheirPathsWithTheirLines) {
    const auto error = [](const std::string& op, const std::string& text) {
        return "Error: <ZKSND::" + op + "> " + text;
    };
    std::uint32_t count = 0;
    std::uint8_t byte = 0;
    char buffer[4][16] = {};
    char narrow[4 * 9] = {};
    // A closed device logs its line; only a stop or pause counts as done.
    const std::tuple<std::string, std::int64_t, std::function<std::int64_t()>> closed[] = {
        {"CDPlay", 0, [&] { return snd.CDPlay(1, 1, 0, 0); }},
        {"CDRePlay", 0, [&] { return snd.CDRePlay(); }},
        {"CDChangeTimeFormat", 0, [&] { return snd.CDChangeTimeFormat(2); }},
        {"CDGetAllTrackNum", 0, [&] { return snd.CDGetAllTrackNum(&count); }},
        {"CDGetFirstTrack", 0, [&] { return snd.CDGetFirstTrack(&count); }},
        {"CDGetTrackLength", 0, [&] { return snd.CDGetTrackLength(&byte, &byte, &byte, 1); }},
        {"CDGetNowPos", 0, [&] { return snd.CDGetNowPos(&byte, &byte, &byte, &byte); }},
        {"CDGetDiscID", 0, [&] { return snd.CDGetDiscID(buffer[0], 16); }},
        {"CDSetTrackData", 0, [&] { return snd.CDSetTrackData(); }},
        {"TrayControl", 0, [&] { return snd.TrayControl(); }},
        {"CDGetTrackInfo", -1, [&] { return snd.CDGetTrackInfo(1); }},
        {"CDStop", 1, [&] { return snd.CDStop(); }},
        {"CDPause", 1, [&] { return snd.CDPause(); }},
        {"CDPlayStatusCheck", 2, [&] { return snd.CDPlayStatusCheck(); }},
    };
    for (const auto& [name, result, call] : closed) {
        kit.log.clear();
        EXPECT_EQ(call(), result) << name;
        EXPECT_EQ(lines(), Strings{error(name, "デバイスを開いてません")});
    }
    EXPECT_EQ(snd.CDDriveStatus(), 1);

    const Strings cannotPlay = {error("CDPlay", "再生出来ません")};
    const std::string search = "Message: <ZKSND::SearchCDDrive> CDドライブを検索します ……";
    const Strings tooSmall = {error("SearchCDDrive", "バッファサイズが足りません")};
    using Setup = std::function<void(Drive&)>;
    const Setup noDisc = [](Drive& d) { d.status = CdStatus::NoDisc; };
    // Track 1 two seconds long, then one-sector tracks up to the count.
    const auto tracks = [](int count) {
        std::vector<int> starts(static_cast<std::size_t>(count));
        std::iota(starts.begin() + 1, starts.end(), 150);
        return starts;
    };
    const auto table = [](std::vector<int> starts, int leadOut, int first = 1) {
        return [=](Drive& d) {
            d.toc = platform::CdToc{first, {}, leadOut};
            for (const int start : starts) d.toc->tracks.push_back({start, true});
        };
    };
    // Starts at 2, 99, 199 ... 1199 s: digit sums of 266, which % 255 is 0x0b, with
    // 1297 s (0x511) to the lead-out, 13 tracks.
    std::vector<int> digitHeavy = {0};
    for (int seconds = 99; seconds <= 1199; seconds += 100)
        digitHeavy.push_back(seconds * 75 - 150);
    const struct {
        bool open;
        Setup setup;
        std::function<std::int64_t()> call;
        std::int64_t result;
        Strings lines;
    } cases[] = {
        {true,
         nullptr,
         [&] { return snd.CDGetAllTrackNum(nullptr); },
         0,
         {error("CDGetAllTrackNum", "不正な引数が渡されました")}},
        {false,
         nullptr,
         [&] { return snd.MCIInit("/dev/sr9"); },
         0,
         {error("MCIInit", "MCIの取得に失敗しました")}},
        {true,
         noDisc,
         [&] { return snd.CDSetTrackData(); },
         0,
         {"Warn: <ZKSND::CDSetTrackData> メディアが挿入されていません"}},
        {true, noDisc, [&] { return snd.CDPlay(1, 1, 0, 0); }, 0, cannotPlay},
        {true,
         [](Drive& d) { d.status = CdStatus::NotReady; },
         [&] { return snd.CDPlayStatusCheck(); },
         -1,
         {}},
        {true,
         [](Drive& d) { d.status = CdStatus::TrayOpen; },
         [&] { return snd.CDStop(); },
         0,
         {error("CDStop", "呼び出したZKSND::PlayStatusCheckが失敗しました")}},
        // A data track, a position past the track's end, sound off.
        {true, nullptr, [&] { return snd.CDPlay(1, 3, 0, 0); }, 0, cannotPlay},
        {true, nullptr, [&] { return snd.CDPlay(1, 1, 0, 4); }, 0, cannotPlay},
        {true,
         nullptr,
         [&] { return snd.CDGetTrackInfo(4); },
         -1,
         {error("CDGetTrackInfo", "トラック情報取得に失敗しました")}},
        {true, [&](Drive&) { snd.Release(); }, [&] { return snd.CDPlay(1, 1, 0, 0); }, 0,
         cannotPlay},
        // Implausible tables: starts not rising, the lead-out too early, 100 tracks.
        {true,
         table({0, 0}, 600),
         [&] { return snd.CDGetAllTrackNum(&count); },
         0,
         {error("CDGetAllTrackNum", "総トラック数の検出に失敗しました")}},
        {true,
         table({0, 700}, 600),
         [&] { return snd.CDGetNowPos(&byte, &byte, &byte, nullptr); },
         0,
         {error("CDGetNowPos", "現在位置を取得出来ませんでした")}},
        {true, table(tracks(100), 600), [&] { return snd.CDPlay(1, 1, 0, 0); }, 0, cannotPlay},
        {true, table(tracks(99), 600, 2), [&] { return snd.CDPlay(1, 2, 0, 0); }, 0, cannotPlay},
        {true, table(tracks(99), 600), [&] { return snd.CDPlay(1, 1, 0, 0); }, 1, {}},
        // The whole disc runs from its first track's start.
        {true,
         table({150, 300}, 750),
         [&] {
             return Length(9999) == std::vector<int>({0, 8, 0});
         },
         1,
         {}},
        {true, table(digitHeavy, 1299 * 75 - 150), [&] { return DiscId() == "0b05110d"; }, 1, {}},
        {true,
         nullptr,
         [&] { return snd.CDGetDiscID(buffer[0], 8); },
         0,
         {error("CDGetDiscID", "ID取得に失敗")}},
        {true,
         nullptr,
         [&] { return snd.CDGetFirstTrack(nullptr); },
         0,
         {error("CDGetFirstTrack", "不正な引数が渡されました")}},
        {true,
         [](Drive& d) { d.failStatus = true; },
         [&] { return snd.CDSetTrackData(); },
         0,
         {error("CDDriveStatus", "メディア有無のチェックに失敗しました"),
          error("CDSetTrackData", "呼び出したZKSND::CDDriveStatusが失敗しました")}},
        // A position past the end of a track that is not the first.
        {true, table({0, 300, 525}, 600), [&] { return snd.CDPlay(1, 2, 0, 3); }, 0, cannotPlay},
        // Moving the tray stops a paused play for good.
        {true,
         nullptr,
         [&] {
             EXPECT_EQ(snd.CDPlay(1, 1, 0, 0) + snd.CDPause(), 2);
             EXPECT_EQ(snd.TrayControl() + snd.TrayControl(), 2);
             return snd.CDPlayStatusCheck();
         },
         2,
         {}},
        // A paused play that cannot be stopped keeps the tray where it is.
        {true,
         nullptr,
         [&] {
             EXPECT_EQ(snd.CDPlay(1, 1, 0, 0) + snd.CDPause(), 2);
             fake.drives["/dev/sr0"].statusReads = 1;
             const int result = snd.TrayControl();
             fake.drives["/dev/sr0"].statusReads = -1;
             EXPECT_EQ(snd.CDDriveStatus(), 0);
             return result;
         },
         0,
         {error("CDPlayStatusCheck", "再生状態取得に失敗しました"),
          error("CDStop", "呼び出したZKSND::PlayStatusCheckが失敗しました"),
          error("TrayControl", "呼び出したZKSND::Stopメソッドが失敗しました")}},
        // A format the device does not take fails even right after the device opened.
        {true,
         nullptr,
         [&] { return snd.CDChangeTimeFormat(0); },
         0,
         {error("CDChangeTimeFormat", "時間フォーマットの再設定に失敗しました")}},
        {true,
         [](Drive& d) { d.failTray = true; },
         [&] { return snd.TrayControl(); },
         0,
         {error("TrayControl", "トレイ操作が出来ません")}},
        {true,
         [](Drive& d) { d.failReadsFrom = 10; },
         [&] {
             EXPECT_EQ(snd.CDPlay(1, 1, 0, 0), 1);
             EXPECT_EQ(zktest::SoundingFrames(audio.pull(kSecond)), 9u * 588);
             EXPECT_EQ(NowPos(true), std::vector<int>({1, 0, 0, 10}));
             return snd.CDPlayStatusCheck();
         },
         2,
         {"Error: <CdReader> reading sector 10 failed"}},
        {false,
         nullptr,
         [&] { return snd.SearchCDDrive(buffer[0], 16, 4); },
         2,
         {search + " /dev/sr0  /dev/sr1 がCD-ROMドライブとして検出されました"}},
        {false, nullptr, [&] { return snd.SearchCDDrive(buffer[0], 8, 4); }, 0, tooSmall},
        {false,
         nullptr,
         [&] { return snd.SearchCDDrive(narrow, 9, 4); },
         2,
         {search + " /dev/sr0  /dev/sr1 がCD-ROMドライブとして検出されました"}},
        // Every name is measured, not only the first.
        {false, [&](Drive&) { fake.drives["/dev/sr10"] = {kDisc}; },
         [&] { return snd.SearchCDDrive(narrow, 9, 4); }, 0, tooSmall},
        {false, nullptr, [&] { return snd.SearchCDDrive(nullptr, 16, 4); }, 0, tooSmall},
        {false,
         nullptr,
         [&] { return snd.SearchCDDrive(buffer[0], 16, 1); },
         0,
         {search + " /dev/sr0 ", error("SearchCDDrive", "バッファ数が足りません")}},
        {false,
         [&](Drive&) { fake.failList = true; },
         [&] { return snd.SearchCDDrive(buffer[0], 16, 4); },
         0,
         {error("SearchCDDrive", "ドライブ検索が失敗しました")}},
        {false,
         [&](Drive&) { fake.drives.clear(); },
         [&] { return snd.SearchCDDrive(buffer[0], 16, 4); },
         0,
         {search + "検出されませんでした"}},
        // A reopened device starts in its own format, whatever the last one was set to.
        {true,
         nullptr,
         [&] {
             EXPECT_EQ(snd.MCIChangeDrive("/dev/sr1"), 1);
             EXPECT_EQ(snd.CDPlay(1, 2, 0, 1), 1);
             return Heard() == CdImage::Level(376);
         },
         1,
         {}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        snd.Release();
        Start();
        fake.failList = false;
        fake.drives = {{"/dev/sr0", {kDisc}}, {"/dev/sr1", {kDisc}}};
        if (c.setup) c.setup(fake.drives["/dev/sr0"]);
        if (c.open) {
            ASSERT_EQ(snd.MCIInit("/dev/sr0"), 1) << i;
        }
        kit.log.clear();
        EXPECT_EQ(c.call(), c.result) << i;
        EXPECT_EQ(lines(), c.lines) << i;
    }
    EXPECT_STREQ(buffer[1], "/dev/sr1");
    EXPECT_STREQ(narrow + 9, "/dev/sr1");
}

TEST_F(CdTest, TracksAreNumberedAsTheDiscNumbersThemFromItsFirstTrack) {
    fake.drives = {{"/dev/sr0", {kDisc, 5}}};
    Start();
    ASSERT_EQ(snd.MCIInit("/dev/sr0"), 1);
    ASSERT_EQ(snd.CDSetTrackData(), 1);
    std::uint32_t first = 0;
    ASSERT_EQ(snd.CDGetFirstTrack(&first), 1);
    EXPECT_EQ(first, 5u);
    const struct {
        std::uint32_t type;
        int seconds;
    } tracks[] = {{0, 4}, {0, 3}, {1, 1}};
    for (std::uint32_t i = 0; i < 3; ++i) {
        CD_TRACK_DATA track;
        ASSERT_EQ(snd.CDGetTrackData(i, &track), 1);
        EXPECT_EQ(std::vector<int>({static_cast<int>(track.dwType), track.bSecond}),
                  std::vector<int>({static_cast<int>(tracks[i].type), tracks[i].seconds}))
            << i;
        EXPECT_EQ(snd.CDGetTrackInfo(static_cast<std::uint8_t>(5 + i)),
                  static_cast<int>(tracks[i].type));
    }
    EXPECT_EQ(lines(), Strings{});
    ASSERT_EQ(snd.CDPlay(1, 6, 0, 1), 1);
    EXPECT_FLOAT_EQ(Heard(), CdImage::Level(376));
    EXPECT_EQ(NowPos(true)[0], 6);
    EXPECT_EQ(snd.CDGetTrackInfo(1), -1);
    EXPECT_EQ(snd.CDPlay(1, 1, 0, 0), 0);
}

TEST_F(CdTest, TrackTableKeepsTheTracksThatReadAndFailsWhenNoneDid) {
    const auto error = [](const std::string& op, const std::string& text) {
        return "Error: <ZKSND::" + op + "> " + text;
    };
    const Strings trackFailed = {
        error("CDGetTrackInfo", "トラック情報取得に失敗しました"),
        error("CDSetTrackData", "呼び出したZKSND::CDGetTrackInfoが失敗しました"),
        error("CDGetTrackLength", "トラックの長さ取得に失敗しました"),
        error("CDSetTrackData", "呼び出したZKSND::CDGetTrackLengthが失敗しました"),
    };
    const auto times = [](const Strings& block, int n) {
        Strings all;
        for (int i = 0; i < n; ++i) all.insert(all.end(), block.begin(), block.end());
        return all;
    };
    // The table reads before the tracks: the count, then the first track.
    struct {
        int tocReads;
        int result;
        int typeOfTrack1;
        int secondsOfTrack1;
        Strings lines;
    } cases[] = {
        {1,
         0,
         0,
         0,
         {error("CDGetFirstTrack", "先頭トラック番号の検出に失敗しました"),
          "Warn: <ZKSND::CDSetTrackData> 呼び出したZKSND::CDGetFirstTrackが失敗しました"}},
        {2, 0, 0, 0, times(trackFailed, 3)},
        // Track 1 keeps the type it read, but a track without its length is not read.
        {3, 0, 1, 0, times(trackFailed, 2)},
        {4, 1, 1, 4, times(trackFailed, 2)},
    };
    cases[2].lines.insert(cases[2].lines.begin(), trackFailed.begin() + 2, trackFailed.end());
    for (const auto& c : cases) {
        snd.Release();
        Start();
        fake.drives = {{"/dev/sr0", {{{300, false}, {225, true}, {75, true}}}}};
        ASSERT_EQ(snd.MCIInit("/dev/sr0"), 1);
        fake.drives["/dev/sr0"].tocReads = c.tocReads;
        kit.log.clear();
        EXPECT_EQ(snd.CDSetTrackData(), c.result) << c.tocReads;
        EXPECT_EQ(lines(), c.lines) << c.tocReads;
        CD_TRACK_DATA track{};
        ASSERT_EQ(snd.CDGetTrackData(0, &track), c.tocReads > 1 ? 1 : 0);
        EXPECT_EQ(track.dwType, static_cast<std::uint32_t>(c.typeOfTrack1)) << c.tocReads;
        EXPECT_EQ(std::vector<int>({track.bMinute, track.bSecond, track.bFrame}),
                  std::vector<int>({0, c.secondsOfTrack1, 0}))
            << c.tocReads;
    }
}
