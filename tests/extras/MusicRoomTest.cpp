#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "MusicRoomFixture.h"
#include "extras/MusicTracks.h"
#include "graphics/ZKSPRITE.h"
#include "sound/ZKSND.h"

using zktest::MusicRoom;
using zktest::RoomPoint;
using zktest::WindowTestBench;
using Lines = std::vector<std::string>;
using Members = std::vector<std::pair<std::string, std::string>>;

namespace {

constexpr int kTrackTop[] = {88, 128, 168, 208, 248, 288, 328, 368, 408};
int Row(int track) { return track + 5; }
int RowTop(int track) { return kTrackTop[(track - 1) % 9]; }

// The members but the one of that stem.
Members Without(Members members, const std::string& stem) {
    std::erase_if(members,
                  [&](const auto& member) { return member.first.starts_with(stem + "."); });
    return members;
}

// A row click selects its track and plays it once, with the click's sound, the mark
// on its row; each end starts the next, 18 going on to 1, and never in the frame
// right after a start.
TEST_F(MusicRoom, EachTrackIsFollowedByTheNextRoundTheList) {
    Start();
    EXPECT_EQ(Click(Centre(Row(17))), 3);
    EXPECT_EQ(room.nSelectNo, 17);
    EXPECT_EQ(room.SlideMark.dwSlideTime, 2000u);
    EXPECT_EQ(TrackPlays(17), 1);
    EXPECT_EQ(bench.effects(5), 1u);
    EXPECT_EQ(std::pair(room.SlideMark.nSlideFlg, room.SlideMark.nY), std::pair(1, RowTop(17)));
    EXPECT_EQ(std::pair(room.nPlayReqFlg, room.nPlayingFlg), std::pair(1, 1));
    const struct {
        int track;
        int clicks;
    } ends[] = {{18, 2}, {1, 3}, {2, 4}};
    for (const auto& end : ends) {
        const int startFrame = frame;
        ASSERT_TRUE(StandbyUntil(
            kOff, [&] { return room.nSelectNo == end.track; }, 40));
        EXPECT_GE((frame - startFrame) * 16, WindowTestBench::kTrackMs) << end.track;
        EXPECT_EQ(last, BGM_DATA::RESULT_STARTED);
        EXPECT_EQ(TrackPlays(end.track), 1) << end.track;
        EXPECT_EQ(bench.effects(5), static_cast<std::uint32_t>(end.clicks));
        EXPECT_EQ(room.SlideMark.nY, RowTop(end.track));
        EXPECT_EQ(room.SlideMark.nX, room.SlideMark.rcSlide.left - 33);
    }
    EXPECT_EQ(TrackPlays(17), 1);
    EXPECT_EQ(bench.lines(), Lines{});
}

// Stop sounds the click, unloads the music and hides the mark; nothing follows.
TEST_F(MusicRoom, StopEndsThePlayingForGood) {
    Start();
    ASSERT_EQ(Click(Centre(Row(3))), BGM_DATA::RESULT_STARTED);
    EXPECT_EQ(Click(Centre(MUSIC_STOP)), 4);
    EXPECT_EQ(bench.effects(5), 2u);
    EXPECT_EQ(MusicState(), -2);
    EXPECT_EQ(bench.sounds.stops(platform::AudioBus::Music), 1);
    EXPECT_EQ(room.SlideMark.nSlideFlg, 0);
    EXPECT_EQ(std::pair(room.nPlayReqFlg, room.nPlayingFlg), std::pair(0, 0));
    for (int k = 0; k < 40; ++k) Standby(kOff);
    EXPECT_EQ(room.nSelectNo, 3);
    EXPECT_EQ(TrackPlays(4), 0);
    EXPECT_EQ(bench.effects(5), 2u);
}

// With nothing playing, Prev and Next only move the selection, round the list; while
// a track plays, the music follows the selection.
TEST_F(MusicRoom, PrevAndNextMoveTheSelectionAndTheMusicOnlyWhilePlaying) {
    Start();
    const struct {
        int id;
        int result;
        int selected;
    } idle[] = {{MUSIC_PREV, 2, 18}, {MUSIC_NEXT, 2, 1}, {MUSIC_NEXT, 2, 2}, {MUSIC_PREV, 2, 1}};
    for (const auto& c : idle) {
        EXPECT_EQ(Click(Centre(c.id)), c.result);
        EXPECT_EQ(room.nSelectNo, c.selected);
    }
    EXPECT_EQ(bench.sounds.plays("tmp/" + WindowTestBench::Track(18), platform::AudioBus::Music),
              0);
    EXPECT_EQ(bench.effects(5), 4u);
    EXPECT_EQ(room.SlideMark.nSlideFlg, 0);
    ASSERT_EQ(Click(Centre(Row(1))), BGM_DATA::RESULT_STARTED);
    EXPECT_EQ(Click(Centre(MUSIC_PREV)), BGM_DATA::RESULT_STARTED);
    EXPECT_EQ(std::pair(room.nSelectNo, TrackPlays(18)), std::pair(18, 1));
    EXPECT_EQ(room.SlideMark.nY, RowTop(18));
    EXPECT_EQ(Click(Centre(MUSIC_NEXT)), BGM_DATA::RESULT_STARTED);
    EXPECT_EQ(std::pair(room.nSelectNo, TrackPlays(1)), std::pair(1, 2));
    EXPECT_EQ(bench.effects(5), 7u);
}

// With the music switched off a track loads without playing: the room never
// advances, Play stays active, the mark runs, and Next only moves the selection.
TEST_F(MusicRoom, WithTheMusicOffTheRoomDoesNotAdvance) {
    bench.kit.shell.settings.bgmOn = 0;
    Start();
    ASSERT_EQ(Click(Centre(Row(5))), BGM_DATA::RESULT_STARTED);
    EXPECT_EQ(MusicState(), 2);
    const std::int32_t startX = room.SlideMark.nX;
    for (int k = 0; k < 40; ++k) Standby(kOff);
    EXPECT_EQ(std::pair(room.nSelectNo, room.nPlayingFlg), std::pair(5, 0));
    EXPECT_GT(room.SlideMark.nX, startX);
    EXPECT_EQ(Standby(Centre(MUSIC_PLAY)), BGM_DATA::RESULT_HOVER);
    EXPECT_EQ(room.nSelectId, MUSIC_PLAY);
    EXPECT_EQ(Click(Centre(MUSIC_NEXT)), BGM_DATA::RESULT_MOVED);
    EXPECT_EQ(std::pair(room.nSelectNo, room.SlideMark.nY), std::pair(6, RowTop(5)));
    EXPECT_EQ(Click(Centre(MUSIC_PLAY)), BGM_DATA::RESULT_STARTED);
    EXPECT_EQ(room.SlideMark.nY, RowTop(6));
    EXPECT_EQ(bench.lines(), Lines{});
}

// A track that cannot play fails the frame at once, the selection and the mark
// already on it, the flags as they were; so does the automatic start of one.
TEST_F(MusicRoom, ATrackThatCannotPlayFailsTheFrame) {
    std::vector<std::pair<std::string, std::string>> music;
    for (int track = 1; track <= 18; ++track) {
        if (track != 4 && track != 7) music.emplace_back(WindowTestBench::Track(track), "");
    }
    for (auto& [name, bytes] : music) bytes = WindowTestBench::Voice(WindowTestBench::kTrackMs);
    zktest::ScriptKit::WriteArchive("dat/AU.dat", music);
    Start();
    ASSERT_EQ(Click(Centre(Row(3))), BGM_DATA::RESULT_STARTED);
    Standby(Centre(MUSIC_NEXT));
    EXPECT_EQ(Standby(Centre(MUSIC_NEXT), KEY_STATE_RELEASED), -1);
    EXPECT_EQ(room.nSelectNo, 4);
    EXPECT_EQ(std::pair(room.SlideMark.nSlideFlg, room.SlideMark.nY), std::pair(1, RowTop(4)));
    EXPECT_EQ(room.nPlayReqFlg, 1);
    const Lines lines = bench.lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Error: <BGM_DATA::BGMStandby> BGMの再生に失敗しました");

    ASSERT_EQ(Click(Centre(Row(6))), BGM_DATA::RESULT_STARTED);
    bench.kit.clearLog();
    ASSERT_TRUE(StandbyUntil(
        kOff, [&] { return last != BGM_DATA::RESULT_NONE; }, 40));
    EXPECT_EQ(last, BGM_DATA::RESULT_FAILED);
    EXPECT_EQ(room.nSelectNo, 7);
    EXPECT_EQ(bench.lines().back(), "Error: <BGM_DATA::BGMStandby> BGMの再生に失敗しました");
}

// Each control holds the pointer from its left and top edges up to, not onto, its
// right and bottom ones.
TEST_F(MusicRoom, EachControlIsHitInsideItsEdgesOnly) {
    Start();
    const struct {
        int x, y;
        int id;
    } points[] = {
        {664, 479, 1},  {783, 510, 1}, {663, 479, 0},  {664, 478, 0},  {784, 479, 0},
        {664, 510, 1},  {664, 511, 3}, {704, 542, 3},  {663, 511, 0},  {705, 542, 2},
        {705, 511, 2},  {742, 542, 2}, {743, 511, 4},  {705, 543, 5},  {783, 542, 4},
        {784, 520, 0},  {783, 543, 5}, {783, 574, 5},  {664, 575, 0},  {784, 574, 0},
        {8, 88, 6},     {375, 113, 6}, {376, 100, 0},  {8, 114, 0},    {7, 88, 0},
        {8, 87, 0},     {8, 408, 14},  {375, 433, 14}, {8, 434, 0},    {424, 88, 15},
        {791, 113, 15}, {792, 100, 0}, {423, 100, 0},  {424, 408, 23}, {791, 433, 23},
        {424, 434, 0},  {200, 128, 7}, {200, 127, 0},  {600, 368, 22}, {600, 367, 0},
    };
    for (const auto& p : points) {
        Standby({p.x, p.y});
        EXPECT_EQ(room.nCursorId, p.id) << p.x << "," << p.y;
    }
}

// The hover sound plays once each time the pointer reaches another active control.
TEST_F(MusicRoom, TheHoverSoundPlaysOncePerActiveControlReached) {
    Start();
    const struct {
        RoomPoint at;
        int result;
        std::uint32_t hovers;
    } frames[] = {
        {Centre(MUSIC_PREV), 1, 1}, {Centre(MUSIC_PREV), 1, 1},
        {Centre(MUSIC_NEXT), 1, 2}, {kOff, 0, 2},
        {Centre(MUSIC_NEXT), 1, 3}, {Centre(Row(1)), 1, 4},
        {Centre(Row(1)), 1, 4},     {Centre(MUSIC_STOP), 0, 4},
        {Centre(MUSIC_PLAY), 1, 5},
    };
    for (const auto& f : frames) {
        EXPECT_EQ(Standby(f.at), f.result) << f.hovers;
        EXPECT_EQ(bench.effects(4), f.hovers);
    }
}

// While a track plays, Play under the pointer is inactive: no sound, no selection,
// no click; the keys still start from it.
TEST_F(MusicRoom, PlayIsInactiveWhileATrackPlays) {
    Start();
    ASSERT_EQ(Click(Centre(Row(1))), BGM_DATA::RESULT_STARTED);
    const std::uint32_t hovers = bench.effects(4);
    EXPECT_EQ(Standby(Centre(MUSIC_PLAY)), BGM_DATA::RESULT_NONE);
    EXPECT_EQ(std::pair(room.nSelectId, room.nCursorId), std::pair(0, 1));
    EXPECT_EQ(Click(Centre(MUSIC_PLAY)), BGM_DATA::RESULT_NONE);
    EXPECT_EQ(bench.effects(4), hovers);
    EXPECT_EQ(TrackPlays(1), 1);
    EXPECT_EQ(room.nBtnState[0], 0);
    Standby(kOff);
    EXPECT_EQ(std::pair(room.nSelectId, room.nCursorId), std::pair(0, 0));
}

// Clicking the row of the playing track restarts only the mark and the click sound.
TEST_F(MusicRoom, TheRowOfThePlayingTrackRestartsOnlyTheMark) {
    Start();
    ASSERT_EQ(Click(Centre(Row(2))), BGM_DATA::RESULT_STARTED);
    for (int k = 0; k < 5; ++k) Standby(Centre(Row(2)));
    ASSERT_GT(room.SlideMark.nX, room.SlideMark.rcSlide.left - 33);
    EXPECT_EQ(Click(Centre(Row(2))), BGM_DATA::RESULT_STARTED);
    EXPECT_EQ(room.SlideMark.nX, room.SlideMark.rcSlide.left - 33);
    EXPECT_EQ(TrackPlays(2), 1);
    EXPECT_EQ(bench.effects(5), 2u);
}

// After Stop the button is inactive and keeps its hover look under the pointer; it
// goes back to normal once the pointer leaves.
TEST_F(MusicRoom, AStoppedStopKeepsItsHoverUntilThePointerLeaves) {
    Start();
    ASSERT_EQ(Click(Centre(Row(1))), BGM_DATA::RESULT_STARTED);
    ASSERT_EQ(Click(Centre(MUSIC_STOP)), BGM_DATA::RESULT_STOPPED);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(Standby(Centre(MUSIC_STOP)), BGM_DATA::RESULT_NONE);
        EXPECT_EQ(room.nBtnState[1], MUSIC_LOOK_HOVER);
        EXPECT_EQ(std::pair(room.nSelectId, room.nCursorId), std::pair(0, 2));
    }
    Standby(kOff);
    EXPECT_EQ(room.nBtnState[1], MUSIC_LOOK_NORMAL);
}

// A held or pressed left event shows the button pressed; only the release acts; a
// button left behind goes back to normal.
TEST_F(MusicRoom, ButtonsPressWhileDownAndActOnTheRelease) {
    Start();
    const struct {
        RoomPoint at;
        std::int32_t left;
        int result;
        int state[5];
        int selected;
    } frames[] = {
        {Centre(MUSIC_NEXT), KEY_STATE_HELD, 1, {0, 0, 0, 2, 0}, 1},
        {Centre(MUSIC_NEXT), KEY_STATE_PRESSED, 1, {0, 0, 0, 2, 0}, 1},
        {Centre(MUSIC_NEXT), KEY_STATE_RELEASED, 2, {0, 0, 0, 1, 0}, 2},
        {Centre(MUSIC_EXIT), KEY_STATE_HELD, 1, {0, 0, 0, 0, 2}, 2},
        {Centre(Row(4)), KEY_STATE_HELD, 1, {0, 0, 0, 0, 0}, 2},
        {Centre(MUSIC_PLAY), KEY_STATE_UP, 1, {1, 0, 0, 0, 0}, 2},
    };
    for (const auto& f : frames) {
        EXPECT_EQ(Standby(f.at, f.left), f.result);
        for (int k = 0; k < 5; ++k) EXPECT_EQ(room.nBtnState[k], f.state[k]) << k;
        EXPECT_EQ(room.nSelectNo, f.selected);
    }
    EXPECT_EQ(Click(Centre(MUSIC_EXIT)), 5);
    EXPECT_EQ(bench.effects(6), 1u);
    EXPECT_EQ(bench.sounds.plays("tmp/" + WindowTestBench::Track(1), platform::AudioBus::Music), 0);
}

// A room never initialised holds nothing to stop and logs nothing, at construction or
// release; an initialised one stops and unloads everything it loaded.
TEST_F(MusicRoom, ReleaseStopsOnlyWhatTheRoomHolds) {
    BGM_DATA fresh;
    fresh.Release();
    EXPECT_EQ(bench.lines(), Lines{});
    EXPECT_EQ(fresh.BGMStandby(0, 0, 0, 0), BGM_DATA::RESULT_FAILED);
    EXPECT_EQ(bench.lines(), Lines{"Error: <BGM_DATA::BGMStandby> 初期化されていません"});
    bench.kit.clearLog();

    Start();
    ASSERT_EQ(Click(Centre(Row(9))), BGM_DATA::RESULT_STARTED);
    room.Release();
    EXPECT_EQ(MusicState(), -2);
    for (const int surface : {23, 24})
        EXPECT_EQ(bench.sprite->GetSurface(surface), nullptr) << surface;
    for (const int effect : {4, 5, 6}) EXPECT_LT(bench.snd->DAGetState(effect), 0) << effect;
    EXPECT_EQ(std::pair(room.nInitFlg, room.nSelectNo), std::pair(0u, 1));
    EXPECT_EQ(room.SlideMark.nSlideFlg, 0);
    EXPECT_EQ(room.BgmData[8].szFileName[0], '\0');
    EXPECT_EQ(bench.lines(), Lines{});
}

// The game's clearing releases its room with the rest of its state.
TEST_F(MusicRoom, TheGamesClearingReleasesItsRoom) {
    BGM_DATA& gameRoom = bench.game().BGMData;
    ASSERT_EQ(gameRoom.Initialize(bench.context), 1u);
    bench.game().Clear();
    EXPECT_EQ(gameRoom.nInitFlg, 0u);
    EXPECT_EQ(bench.sprite->GetSurface(24), nullptr);
}

// What cannot be set up is told under the room's tag, and the room stays uninitialised.
TEST_F(MusicRoom, SetUpFailuresAreToldAndLeaveTheRoomUnready) {
    Members effects;
    for (int record = 3; record <= 7; ++record)
        effects.emplace_back(zktest::ScriptKit::EffectName(record), zktest::ScriptKit::Tone());
    const std::string loadFailed =
        "Error: <BGM_DATA::Initialize> 呼び出したSurfaceLoadが失敗しました";
    const struct {
        const char* archive;
        Members members;
        std::string line;
    } cases[] = {
        {nullptr, {}, "Error: <BGM_DATA::Initialize> 引数が不正です"},
        {"dat/Img.dat", Without(WindowTestBench::Materials(), "BGMModeBack"), loadFailed},
        {"dat/Img.dat", Without(WindowTestBench::Materials(), "BGMModeMaterial"), loadFailed},
        {"dat/SE.dat", Without(effects, "ModeSelect"),
         "Error: <BGM_DATA::Initialize> SEのロードに失敗しました"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        zktest::ScriptKit::WriteArchive("dat/Img.dat", WindowTestBench::Materials());
        if (c.archive != nullptr) zktest::ScriptKit::WriteArchive(c.archive, c.members);
        bench.kit.clearLog();
        EXPECT_EQ(room.Initialize(c.archive == nullptr ? nullptr : bench.context), 0u);
        EXPECT_EQ(room.nInitFlg, 0u);
        const Lines lines = bench.lines();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), c.line);
        room.Release();
    }
}

// The titles and comments fit where the room draws them, and each track names its
// own music file.
TEST_F(MusicRoom, TracksKeepTheirFormAndFiles) {
    Start();
    const std::string blank = "\x81\x40";
    for (int track = 1; track <= 18; ++track) {
        SCOPED_TRACE(track);
        const MUSIC_TRACK_TEXT& text = MusicTrack(track);
        EXPECT_FALSE(text.title.empty());
        EXPECT_LE(text.title.size(), 24u);
        EXPECT_LE(text.comment.size(), 152u);
        std::vector<std::string> lines;
        std::size_t from = 0;
        for (std::size_t at; (at = text.comment.find('\n', from)) != std::string::npos;
             from = at + 1) {
            lines.push_back(text.comment.substr(from, at - from));
        }
        lines.push_back(text.comment.substr(from));
        EXPECT_LE(lines.size(), 3u);
        for (const std::string& line : lines) {
            EXPECT_TRUE(line.starts_with(blank)) << line;
            EXPECT_LE(line.size(), 52u);
        }
        const BGM_FILE_DATA& data = room.BgmData[track - 1];
        EXPECT_EQ(std::string(data.szFileName), WindowTestBench::Track(track));
        EXPECT_EQ(std::string(data.szTitle), text.title);
        EXPECT_EQ(std::string(data.szComment), text.comment);
    }
}

}  // namespace
