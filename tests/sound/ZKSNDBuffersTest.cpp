#include <cstring>

#include "SoundFixture.h"
#include "platform/core/HResult.h"
#include "support/Bytes.h"

using Strings = std::vector<std::string>;
using zktest::AllFramesAt;
using zktest::SoundingFrames;

TEST_F(SoundFixture, ReservationAndPlayOrStopWithoutASound) {
    ASSERT_EQ(snd.Initialize(nullptr, nullptr, 0), 0);
    EXPECT_EQ(snd.DAPlay(0, 0, DA_PATH_VOICE), -1);
    EXPECT_EQ(snd.DAStop(0), -1);
    EXPECT_EQ(snd.DADATAReserve(0), 0);
    ASSERT_EQ(snd.DADATAReserve(44), 1);
    LoadLevel(5, "a.sou", 100, 0.5f);
    EXPECT_EQ(snd.DADATAReserve(10), 1);
    EXPECT_EQ(snd.DAGetDataNum(), 44u);
    EXPECT_EQ(snd.DAGetLoadState(5), 1) << "the first table stays";
    EXPECT_EQ(snd.DAGetLoadState(44), 0);
    ASSERT_EQ(snd.DASetData(2, "se.sou"), 1);
    EXPECT_EQ(snd.DAPlay(2, 0, DA_PATH_SE), -1);
    EXPECT_EQ(snd.DAStop(2), -1);  // without a line
    EXPECT_EQ(lines(), (Strings{
                           "Error: <ZKSND::DAPlay> ZKDADATAバッファが作成されていません",
                           "Error: <ZKSND::DAStop> ZKDADATAバッファが作成されていません",
                           "Error: <ZKSND::DADATAReserve> 引数に0が渡されました",
                           "Error: <ZKSND::DADATAReserve> 既にセットされています",
                           "Error: <ZKSND::DAGetLoadState> インデックス番号外を指定しています",
                           "Error: <ZKSND::DAPlay> 指定インデックスのセグメントが消失しています",
                       }));
}

TEST_F(SoundFixture, StateFollowsPlayStopNaturalEndAndUnload) {
    Start();
    zktest::WriteLevelWav("se.sou", 100, 0.5f);
    ASSERT_EQ(snd.DASetData(2, "se.sou"), 1);
    ASSERT_EQ(snd.DALoad(2, nullptr, DA_PATH_SE), 0);  // the registered name
    std::int32_t position = -1;
    EXPECT_EQ(snd.DAGetNowPos(2, &position), -1);
    EXPECT_EQ(snd.DAGetState(2), 2);

    ASSERT_EQ(snd.DAPlay(2, 0, DA_PATH_SE), 0);
    EXPECT_EQ(snd.DAGetState(2), 0);
    EXPECT_EQ(snd.DAStop(2), 0);
    EXPECT_EQ(snd.DAGetState(2), 2) << "stopped at position 0 reads as ended";
    ASSERT_EQ(snd.DAPlay(2, 0, DA_PATH_SE), 0);
    audio.pull(30);
    EXPECT_EQ(snd.DAGetNowPos(2, &position), 0);
    EXPECT_EQ(position, 30);
    EXPECT_EQ(snd.DAStop(2), 0);
    EXPECT_EQ(SoundingFrames(audio.pull(10)), 0u);
    EXPECT_EQ(snd.DAGetState(2), 1);
    EXPECT_EQ(snd.DAGetNowPos(2, &position), 0);
    EXPECT_EQ(position, 30);

    ASSERT_EQ(snd.DAPlay(2, 1, DA_PATH_SE), 0);
    EXPECT_EQ(SoundingFrames(audio.pull(300)), 200u);
    EXPECT_EQ(snd.DAGetState(2), 2);
    EXPECT_EQ(snd.DAGetNowPos(2, &position), 0);
    EXPECT_EQ(position, 100);

    EXPECT_EQ(snd.DAUnload(2), 0);
    EXPECT_EQ(snd.DAGetState(2), -2);
    EXPECT_EQ(snd.DAGetLoadState(2), 0);
    EXPECT_EQ(snd.DAGetState(44), -1);
    EXPECT_EQ(snd.DAGetNowPos(2, nullptr), -1);
    EXPECT_EQ(lines(), (Strings{
                           "Error: <ZKSND::DAGetNowPos> セグメント状態が不正です",
                           "Error: <ZKSND::DAGetState> インデックス番号が不正です",
                           "Error: <ZKSND::DAGetNowPos> 不正な引数が渡されました",
                       }));
}

// Asked call after call from one place, as the music room asks each frame and a save
// asks of every buffer, a state query logs its refusal once; the place logs again
// only after an answer in between, and another place logs its own.
TEST_F(SoundFixture, AStateQueryRefusedAtOnePlaceIsLoggedOnceUntilAnswered) {
    Start();
    const std::string state = "Error: <ZKSND::DAGetState> インデックス番号が不正です";
    const std::string load = "Error: <ZKSND::DAGetLoadState> インデックス番号外を指定しています";
    const struct {
        int first;
        Strings lines;
        const char* what;
    } rounds[] = {
        {44, {state, load}, "a first refusal at each place"},
        {50, {}, "refused again at the same places"},
        {1, {}, "answered"},
        {44, {state, load}, "refused after an answer"},
    };
    for (const auto& r : rounds) {
        kit.log.clear();
        EXPECT_EQ(snd.DAGetState(r.first), r.first < 44 ? -2 : -1) << r.what;
        for (int i = r.first; i < r.first + 3; ++i) snd.DAGetLoadState(i);
        EXPECT_EQ(lines(), r.lines) << r.what;
    }
    kit.log.clear();
    EXPECT_EQ(snd.DAGetState(44), -1);
    EXPECT_EQ(lines(), Strings{state}) << "another place";
}

TEST_F(SoundFixture, PathTypesReachTheirBuses) {
    Start();
    LoadLevel(0, "v.sou", 1000, 0.5f);
    const std::function<void(int)> silencers[] = {
        [&](int v) { snd.DASetPathVolume(DA_PATH_VOICE, v); },
        [&](int v) { snd.DASetPathVolume(DA_PATH_BGM, v); },
        [&](int v) { snd.DASetPathVolume(DA_PATH_SE, v); },
        [&](int v) { snd.DASetAllVolume(v); },
    };
    const struct {
        int type;
        int bus;  // index into silencers
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {7, 3}, {-1, 3}};
    for (const auto& c : cases) {
        ASSERT_EQ(snd.DAPlay(0, -1, static_cast<DA_PATH>(c.type)), 0);
        for (int bus = 0; bus < 4; ++bus) {
            silencers[bus](-9600);
            EXPECT_TRUE(AllFramesAt(audio.pull(16), bus == c.bus ? 0.0f : 0.5f))
                << "type " << c.type << ", silenced bus " << bus;
            silencers[bus](0);
        }
    }
}

TEST_F(SoundFixture, ReloadWhilePlayingKeepsTheOldInstanceInTheBuffersHands) {
    Start();
    zktest::WriteLevelWav("long.sou", 1000, 0.25f);
    zktest::WriteLevelWav("short.sou", 1000, 0.125f);
    ASSERT_EQ(snd.DALoad(2, "long.sou", DA_PATH_SE), 0);
    ASSERT_EQ(snd.DAPlay(2, 0, DA_PATH_SE), 0);
    audio.pull(100);
    ASSERT_EQ(snd.DALoad(2, "short.sou", DA_PATH_SE), 0);
    EXPECT_TRUE(AllFramesAt(audio.pull(100), 0.25f)) << "the old sound plays on";
    EXPECT_EQ(snd.DAGetState(2), 0);
    EXPECT_EQ(snd.DAStop(2), 0);
    EXPECT_EQ(SoundingFrames(audio.pull(10)), 0u);

    ASSERT_EQ(snd.DALoad(2, "long.sou", DA_PATH_SE), 0);
    ASSERT_EQ(snd.DAPlay(2, -1, DA_PATH_SE), 0);
    ASSERT_EQ(snd.DALoad(2, "short.sou", DA_PATH_SE), 0);
    ASSERT_EQ(snd.DAPlay(2, -1, DA_PATH_SE), 0);
    EXPECT_TRUE(AllFramesAt(audio.pull(100), 0.125f)) << "the next play cuts the old sound";
    EXPECT_EQ(snd.DAUnload(2), 0);
    EXPECT_EQ(SoundingFrames(audio.pull(10)), 0u);

    // Two buffers loaded from one file are two buffers.
    ASSERT_EQ(snd.DALoad(3, "long.sou", DA_PATH_SE), 0);
    ASSERT_EQ(snd.DALoad(4, "long.sou", DA_PATH_SE), 0);
    ASSERT_EQ(snd.DAPlay(3, -1, DA_PATH_SE), 0);
    ASSERT_EQ(snd.DAPlay(4, -1, DA_PATH_SE), 0);
    EXPECT_TRUE(AllFramesAt(audio.pull(10), 0.5f)) << "two buffers on one path sound together";
    EXPECT_EQ(snd.DAStop(3), 0);
    EXPECT_TRUE(AllFramesAt(audio.pull(100), 0.25f));
    EXPECT_EQ(snd.DAGetState(3), 1);
    EXPECT_EQ(snd.DAGetState(4), 0);
    EXPECT_EQ(lines(), Strings{});
}

TEST_F(SoundFixture, NamesAreRefusedNeverCutAndCopiedOutWithinTheGivenSize) {
    Start();
    const std::string fits(259, 'a');
    const std::string tooLong(260, 'b');
    ASSERT_EQ(snd.DASetData(2, "effect.sou"), 1);
    EXPECT_EQ(snd.DASetData(2, tooLong.c_str()), 0);
    EXPECT_EQ(snd.DALoad(2, tooLong.c_str(), DA_PATH_SE), platform::E_INVALIDARG);
    EXPECT_EQ(snd.DAGetLoadState(2), 0);
    EXPECT_EQ(snd.DASetData(3, fits.c_str()), 1);
    char path[260];
    EXPECT_EQ(snd.DAGetWAVEPath(3, path, sizeof path), fits);

    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(snd.DAGetWAVEPath(2, buffer, 5), buffer);
    EXPECT_EQ(std::string(buffer, 6), std::string("effe\0#", 6));
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(snd.DAGetWAVEPath(2, buffer, 0), buffer);
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(snd.DAGetWAVEPath(2, nullptr, 16), nullptr);
    EXPECT_EQ(lines(), (Strings{
                           "Error: <ZKSND::DASetData> 不正な引数が渡されました",
                           "Error: <ZKSND::DALoad> ファイルのロードに失敗しました",
                           "Error: <ZKSND::DAGetWAVEPath> 不正な引数が渡されました",
                       }));
}

TEST_F(SoundFixture, DamagedFilesFailTheLoadAndLoseNothing) {
    Start();
    LoadLevel(2, "good.sou", 1000, 0.5f);
    zktest::WriteFileBytes("bad.sou", "RIFF\x10\0\0\0WAVEjunkjunkjunk");
    const struct {
        const char* name;
        std::int32_t expected;
    } cases[] = {{"bad.sou", platform::E_FAIL}, {"missing.mus", platform::E_FILE_NOT_FOUND}};
    for (const auto& c : cases) {
        kit.log.clear();
        EXPECT_EQ(snd.DALoad(2, c.name, DA_PATH_SE), c.expected) << c.name;
        const Strings logged = lines();
        ASSERT_FALSE(logged.empty());
        EXPECT_EQ(logged.back(), "Error: <ZKSND::DALoad> ファイルのロードに失敗しました");
        EXPECT_EQ(snd.DAGetLoadState(2), 1) << "the sound loaded before stays";
    }
    ASSERT_EQ(snd.DAPlay(2, 0, DA_PATH_SE), 0);
    EXPECT_TRUE(AllFramesAt(audio.pull(1000), 0.5f));
}
