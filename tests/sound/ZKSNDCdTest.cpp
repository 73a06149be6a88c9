#include <cstring>
#include <functional>

#include "SoundFixture.h"
#include "platform/CdioDrives.h"
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
    const std::string id = DiscId();
    EXPECT_EQ(id.size(), 8u);
    EXPECT_EQ(id.find_first_not_of("0123456789abcdef"), std::string::npos) << id;
    EXPECT_EQ(DiscId(), id);
    const std::string other = CdImage::Write("other", {{300, true}, {150, true}});
    ASSERT_EQ(snd.MCIChangeDrive(other.c_str()), 1);
    EXPECT_NE(DiscId(), id);
    EXPECT_EQ(lines(), Strings{});
}

TEST_F(CdTest, FailuresTakeTheirPathsWithTheirLines) {
    const auto error = [](const std::string& op, const std::string& text) {
        return "Error: <ZKSND::" + op + "> " + text;
    };
    const std::string notOpen = "デバイスを開いてません";
    const std::string cannotPlay = error("CDPlay", "再生出来ません");
    const std::string search = "Message: <ZKSND::SearchCDDrive> CDドライブを検索します ……";
    std::uint32_t count = 0;
    std::uint8_t byte = 0;
    char buffer[4][16] = {};
    const auto sector = [](int n) { return platform::CdToc{1, {{0, true}, {n, true}}, 600}; };
    const struct {
        std::string label;
        bool open;
        std::function<void(Drive&)> setup;
        std::function<std::int64_t()> call;
        std::int64_t result;
        Strings lines;
    } cases[] = {
        {"closed play",
         false,
         {},
         [&] { return snd.CDPlay(1, 1, 0, 0); },
         0,
         {error("CDPlay", notOpen)}},
        {"closed replay",
         false,
         {},
         [&] { return snd.CDRePlay(); },
         0,
         {error("CDRePlay", notOpen)}},
        {"closed format",
         false,
         {},
         [&] { return snd.CDChangeTimeFormat(2); },
         0,
         {error("CDChangeTimeFormat", notOpen)}},
        {"closed count",
         false,
         {},
         [&] { return snd.CDGetAllTrackNum(&count); },
         0,
         {error("CDGetAllTrackNum", notOpen)}},
        {"closed length",
         false,
         {},
         [&] { return snd.CDGetTrackLength(&byte, &byte, &byte, 1); },
         0,
         {error("CDGetTrackLength", notOpen)}},
        {"closed position",
         false,
         {},
         [&] { return snd.CDGetNowPos(&byte, &byte, &byte, &byte); },
         0,
         {error("CDGetNowPos", notOpen)}},
        {"closed id",
         false,
         {},
         [&] { return snd.CDGetDiscID(buffer[0], 16); },
         0,
         {error("CDGetDiscID", notOpen)}},
        {"closed table",
         false,
         {},
         [&] { return snd.CDSetTrackData(); },
         0,
         {error("CDSetTrackData", notOpen)}},
        {"closed tray",
         false,
         {},
         [&] { return snd.TrayControl(); },
         0,
         {error("TrayControl", notOpen)}},
        {"closed type",
         false,
         {},
         [&] { return snd.CDGetTrackInfo(1); },
         -1,
         {error("CDGetTrackInfo", notOpen)}},
        {"closed stop", false, {}, [&] { return snd.CDStop(); }, 1, {error("CDStop", notOpen)}},
        {"closed pause", false, {}, [&] { return snd.CDPause(); }, 1, {error("CDPause", notOpen)}},
        {"closed state",
         false,
         {},
         [&] { return snd.CDPlayStatusCheck(); },
         2,
         {error("CDPlayStatusCheck", notOpen)}},
        {"closed media", false, {}, [&] { return snd.CDDriveStatus(); }, 1, {}},
        {"null count",
         true,
         {},
         [&] { return snd.CDGetAllTrackNum(nullptr); },
         0,
         {error("CDGetAllTrackNum", "不正な引数が渡されました")}},
        {"no drive",
         false,
         {},
         [&] { return snd.MCIInit("/dev/sr9"); },
         0,
         {error("MCIInit", "MCIの取得に失敗しました")}},
        {"no disc table",
         true,
         [](Drive& d) { d.status = CdStatus::NoDisc; },
         [&] { return snd.CDSetTrackData(); },
         0,
         {"Warn: <ZKSND::CDSetTrackData> メディアが挿入されていません"}},
        {"no disc play",
         true,
         [](Drive& d) { d.status = CdStatus::NoDisc; },
         [&] { return snd.CDPlay(1, 1, 0, 0); },
         0,
         {cannotPlay}},
        {"no disc state",
         true,
         [](Drive& d) { d.status = CdStatus::NotReady; },
         [&] { return snd.CDPlayStatusCheck(); },
         -1,
         {}},
        {"data track", true, {}, [&] { return snd.CDPlay(1, 3, 0, 0); }, 0, {cannotPlay}},
        {"past track end", true, {}, [&] { return snd.CDPlay(1, 1, 0, 4); }, 0, {cannotPlay}},
        {"no track",
         true,
         {},
         [&] { return snd.CDGetTrackInfo(4); },
         -1,
         {error("CDGetTrackInfo", "トラック情報取得に失敗しました")}},
        {"sound off",
         true,
         [&](Drive&) { snd.Release(); },
         [&] { return snd.CDPlay(1, 1, 0, 0); },
         0,
         {cannotPlay}},
        {"starts not rising",
         true,
         [&](Drive& d) { d.toc = sector(0); },
         [&] { return snd.CDGetAllTrackNum(&count); },
         0,
         {error("CDGetAllTrackNum", "総トラック数の検出に失敗しました")}},
        {"lead-out too early",
         true,
         [&](Drive& d) {
             d.toc = platform::CdToc{1, {{0, true}, {700, true}}, 600};
         },
         [&] { return snd.CDGetNowPos(&byte, &byte, &byte, nullptr); },
         0,
         {error("CDGetNowPos", "現在位置を取得出来ませんでした")}},
        {"100 tracks",
         true,
         [&](Drive& d) {
             d.toc = platform::CdToc{1, std::vector<platform::CdTrack>(100), 600};
         },
         [&] { return snd.CDPlay(1, 1, 0, 0); },
         0,
         {cannotPlay}},
        {"status unreadable",
         true,
         [](Drive& d) { d.failStatus = true; },
         [&] { return snd.CDSetTrackData(); },
         0,
         {error("CDDriveStatus", "メディア有無のチェックに失敗しました"),
          error("CDSetTrackData", "呼び出したZKSND::CDDriveStatusが失敗しました")}},
        {"tray refused",
         true,
         [](Drive& d) { d.failTray = true; },
         [&] { return snd.TrayControl(); },
         0,
         {error("TrayControl", "トレイ操作が出来ません")}},
        {"read fails",
         true,
         [](Drive& d) { d.failReadsFrom = 10; },
         [&] {
             EXPECT_EQ(snd.CDPlay(1, 1, 0, 0), 1);
             EXPECT_EQ(zktest::SoundingFrames(audio.pull(kSecond)), 9u * 588);
             EXPECT_EQ(NowPos(true), std::vector<int>({1, 0, 0, 10}));
             return snd.CDPlayStatusCheck();
         },
         2,
         {"Error: <CdReader> reading sector 10 failed"}},
        {"two drives",
         false,
         {},
         [&] { return snd.SearchCDDrive(buffer[0], 16, 4); },
         2,
         {search + " /dev/sr0  /dev/sr1 がCD-ROMドライブとして検出されました"}},
        {"small entries",
         false,
         {},
         [&] { return snd.SearchCDDrive(buffer[0], 8, 4); },
         0,
         {error("SearchCDDrive", "バッファサイズが足りません")}},
        {"null buffer",
         false,
         {},
         [&] { return snd.SearchCDDrive(nullptr, 16, 4); },
         0,
         {error("SearchCDDrive", "バッファサイズが足りません")}},
        {"few entries",
         false,
         {},
         [&] { return snd.SearchCDDrive(buffer[0], 16, 1); },
         0,
         {search + " /dev/sr0 ", error("SearchCDDrive", "バッファ数が足りません")}},
        {"listing fails",
         false,
         [&](Drive&) { fake.failList = true; },
         [&] { return snd.SearchCDDrive(buffer[0], 16, 4); },
         0,
         {error("SearchCDDrive", "ドライブ検索が失敗しました")}},
        {"none found",
         false,
         [&](Drive&) { fake.drives.clear(); },
         [&] { return snd.SearchCDDrive(buffer[0], 16, 4); },
         0,
         {search + "検出されませんでした"}},
        // A reopened device starts in its own format, whatever the last one was set to.
        {"changed drive",
         true,
         {},
         [&] {
             EXPECT_EQ(snd.MCIChangeDrive("/dev/sr1"), 1);
             EXPECT_EQ(snd.CDPlay(1, 2, 0, 1), 1);
             return Heard() == CdImage::Level(376);
         },
         1,
         {}},
    };
    for (const auto& c : cases) {
        snd.Release();
        Start();
        fake.failList = false;
        fake.drives = {{"/dev/sr0", {kDisc}}, {"/dev/sr1", {kDisc}}};
        if (c.setup) c.setup(fake.drives["/dev/sr0"]);
        if (c.open) {
            ASSERT_EQ(snd.MCIInit("/dev/sr0"), 1) << c.label;
        }
        kit.log.clear();
        EXPECT_EQ(c.call(), c.result) << c.label;
        EXPECT_EQ(lines(), c.lines) << c.label;
    }
    EXPECT_STREQ(buffer[1], "/dev/sr1");
}
