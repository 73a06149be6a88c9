#pragma once

#include <cstdint>

#include "extras/BGM_FILE_DATA.h"
#include "extras/ExtrasSteps.h"
#include "extras/MusicRoomControls.h"
#include "extras/SLIDE_MARK_DATA.h"
#include "windows/DrawFailureLatch.h"

struct GameContext;
class ModeHost;

// The music room: the game's tracks in two columns of rows, five buttons (Play, Stop,
// Prev, Next, Exit) and the selected track's comment. Every track plays once; at its
// end the next starts by itself, and a mark slides along the row of the track
// started last.
class BGM_DATA {
public:
    // What a frame of the standby did.
    enum RESULT : std::int32_t {
        RESULT_FAILED = -1,
        RESULT_NONE = 0,
        RESULT_HOVER = 1,
        RESULT_MOVED = 2,
        RESULT_STARTED = 3,
        RESULT_STOPPED = 4,
        RESULT_EXIT = 5,
    };
    // The mark crosses a row in this time.
    static constexpr std::uint32_t kSlideTime = 2000;

    BGM_DATA() { Release(); }
    BGM_DATA(const BGM_DATA&) = delete;
    BGM_DATA& operator=(const BGM_DATA&) = delete;

    // Over a complete context: the tracks filled, the pictures and effects loaded.
    // 1 success, 0 failure; what loaded before a failure stays.
    std::uint32_t Initialize(const GameContext* pContextIn);
    // Stops and unloads the room's music, pictures and effects, then clears every
    // field; a room that holds no context has nothing to stop and logs nothing.
    void Release();
    // One frame, a RESULT.
    std::int32_t BGMStandby(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                            std::uint32_t dwNow);
    // The arrow keys warp the pointer to a neighbour of the control under it in the
    // last frame. Returns 1.
    std::int32_t KeyCursorMove();
    // Returns 1; nothing is drawn before Initialize.
    std::int32_t Draw();
    // Mode 8 for one frame, its steps and its draw: 1 to go on, -1 failed.
    std::int32_t Proc(ModeHost& host);
    std::uint32_t DrawProc(ModeHost& host);

    std::uint32_t nInitFlg = 0;
    const GameContext* pContext = nullptr;
    // The active control under the pointer; 0 none.
    std::int32_t nSelectId = MUSIC_NONE;
    // The control under the pointer, active or not; 0 none.
    std::int32_t nCursorId = MUSIC_NONE;
    // The selected track, 1 to 18.
    std::int32_t nSelectNo = 1;
    // By button id - 1: a MUSIC_BUTTON_LOOK of normal, hover or pressed.
    std::int32_t nBtnState[kMusicButtons] = {};
    SLIDE_MARK_DATA SlideMark;
    // By track - 1.
    BGM_FILE_DATA BgmData[kMusicTracks];
    // 1 from a track's start by the room until Stop.
    std::int32_t nPlayReqFlg = 0;
    // 1 when the last frame saw the requested track playing.
    std::int32_t nPlayingFlg = 0;

private:
    DrawFailureLatch drawLatch_;

    // The music buffer's state, and whether it counts as playing (0 or 1).
    std::int32_t MusicState() const;
    bool MusicPlaying() const;
    bool LoadMaterial();
    void ResetRoom();
    bool IsActive(std::int32_t nId) const;
    std::int32_t HitTests(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                          std::uint32_t dwNow);
    std::int32_t HitControl(const MUSIC_ROOM_CONTROL& control, std::int32_t nLeft,
                            std::uint32_t dwNow);
    std::int32_t Action(std::int32_t nId, std::uint32_t dwNow);
    std::int32_t Stop();
    std::int32_t Step(std::int32_t nDelta, std::uint32_t dwNow);
    std::int32_t TrackStart(std::int32_t nTrack, std::uint32_t dwNow);
    void DrawButtons();
    void DrawRows();
    void DrawComment();
    ExtrasSteps::MODE Mode();
    std::int32_t Start(ModeHost& host, ExtrasSteps& steps);
    std::int32_t Standby(ModeHost& host, ExtrasSteps& steps);
    std::int32_t CloseFade(ModeHost& host, ExtrasSteps& steps);
};
