#include "extras/BGM_DATA.h"
#include "game/GameContext.h"
#include "game/ResourcePlayer.h"
#include "platform/core/Log.h"
#include "sound/ZKSND.h"
#include "system/ClickState.h"
#include "windows/WindowLog.h"

namespace {

constexpr const char* kTag = "BGM_DATA::BGMStandby";
constexpr int kMusicBuffer = 1;
constexpr int kEffectHover = 4;
constexpr int kEffectClick = 5;
constexpr int kEffectExit = 6;

constexpr std::int32_t kStateEnded = 2;
constexpr std::int32_t kStateEmpty = -2;

bool IsButton(std::int32_t nId) { return nId >= MUSIC_PLAY && nId <= MUSIC_EXIT; }

// The track after or before nTrack, round the list.
std::int32_t Wrapped(std::int32_t nTrack) {
    if (nTrack < 1) return kMusicTracks;
    if (nTrack > kMusicTracks) return 1;
    return nTrack;
}

}  // namespace

std::int32_t BGM_DATA::MusicState() const { return pContext->pSnd->DAGetState(kMusicBuffer); }

// Stopped part-way still counts as playing: only the end, or nothing loaded, does not.
bool BGM_DATA::MusicPlaying() const {
    const std::int32_t state = MusicState();
    return state == 0 || state == 1;
}

// Play only while nothing plays, Stop only while something does.
bool BGM_DATA::IsActive(std::int32_t nId) const {
    if (nId == MUSIC_PLAY) {
        const std::int32_t state = MusicState();
        return state == kStateEnded || state == kStateEmpty;
    }
    if (nId == MUSIC_STOP) return MusicPlaying();
    return true;
}

std::int32_t BGM_DATA::BGMStandby(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                                  std::uint32_t dwNow) {
    if (nInitFlg == 0) {
        WindowLogError(kTag, WINDOW_FAILURE::NotInitialized);
        return RESULT_FAILED;
    }
    KeyCursorMove();
    std::int32_t result = HitTests(nMouseX, nMouseY, nLeft, dwNow);
    if (result == RESULT_FAILED) return RESULT_FAILED;
    if (SlideMark.nSlideFlg != 0) SlideMark.SlideProc(dwNow);
    // Only a track seen playing in an earlier frame can have ended.
    if (nPlayingFlg == 1 && MusicState() == kStateEnded) {
        nSelectNo = Wrapped(nSelectNo + 1);
        result = TrackStart(nSelectNo, dwNow);
        if (result == RESULT_FAILED) return RESULT_FAILED;
    }
    if (nPlayReqFlg == 1) nPlayingFlg = MusicPlaying() ? 1 : 0;
    return result;
}

// The controls in order until the first active one under the pointer, which acts;
// every button after it goes back to normal.
std::int32_t BGM_DATA::HitTests(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                                std::uint32_t dwNow) {
    std::int32_t result = RESULT_NONE;
    bool bOnActive = false;
    bool bOnAny = false;
    for (const MUSIC_ROOM_CONTROL& control : MusicRoomControls()) {
        if (bOnActive || !control.Contains(nMouseX, nMouseY)) {
            if (IsButton(control.nId)) nBtnState[control.nId - 1] = MUSIC_LOOK_NORMAL;
            continue;
        }
        nCursorId = control.nId;
        bOnAny = true;
        if (!IsActive(control.nId)) continue;
        bOnActive = true;
        result = HitControl(control, nLeft, dwNow);
        if (result == RESULT_FAILED) return RESULT_FAILED;
    }
    if (!bOnActive) nSelectId = MUSIC_NONE;
    if (!bOnAny) nCursorId = MUSIC_NONE;
    return result;
}

// The pointer rests on an active control: its hover, its pressed look while the left
// event is down, its action on the release.
std::int32_t BGM_DATA::HitControl(const MUSIC_ROOM_CONTROL& control, std::int32_t nLeft,
                                  std::uint32_t dwNow) {
    const bool bButton = IsButton(control.nId);
    if (bButton) nBtnState[control.nId - 1] = MUSIC_LOOK_HOVER;
    if (nSelectId != control.nId) {
        nSelectId = control.nId;
        pContext->Sound().Effect(kEffectHover);
    }
    if (bButton && (nLeft == KEY_STATE_HELD || nLeft == KEY_STATE_PRESSED)) {
        nBtnState[control.nId - 1] = MUSIC_LOOK_PRESSED;
    }
    if (nLeft != KEY_STATE_RELEASED) return RESULT_HOVER;
    return Action(control.nId, dwNow);
}

std::int32_t BGM_DATA::Action(std::int32_t nId, std::uint32_t dwNow) {
    switch (nId) {
        case MUSIC_PLAY:
            return TrackStart(nSelectNo, dwNow);
        case MUSIC_STOP:
            return Stop();
        case MUSIC_PREV:
            return Step(-1, dwNow);
        case MUSIC_NEXT:
            return Step(1, dwNow);
        case MUSIC_EXIT:
            pContext->Sound().Effect(kEffectExit);
            return RESULT_EXIT;
        default:
            nSelectNo = nId - kMusicButtons;
            return TrackStart(nSelectNo, dwNow);
    }
}

std::int32_t BGM_DATA::Stop() {
    const GameContext& ctx = *pContext;
    SlideMark.Reset();
    ctx.Sound().Effect(kEffectClick);
    if (BGMStop(1, ctx.pSnd, ctx.pSystem, *ctx.pShell) == 0) {
        platform::LogError(kTag, u8"BGMの停止に失敗しました");
        return RESULT_FAILED;
    }
    nPlayReqFlg = 0;
    nPlayingFlg = 0;
    return RESULT_STOPPED;
}

// With nothing playing only the selection moves; while a track plays, the music
// follows it.
std::int32_t BGM_DATA::Step(std::int32_t nDelta, std::uint32_t dwNow) {
    nSelectNo = Wrapped(nSelectNo + nDelta);
    if (MusicPlaying()) return TrackStart(nSelectNo, dwNow);
    pContext->Sound().Effect(kEffectClick);
    return RESULT_MOVED;
}

// The track plays once; the mark starts on its row whether the music can start or not.
std::int32_t BGM_DATA::TrackStart(std::int32_t nTrack, std::uint32_t dwNow) {
    const GameContext& ctx = *pContext;
    SlideMark.SlideSet(MusicRoomControl(MusicRowId(nTrack)).rcHit, kSlideTime, dwNow);
    ctx.Sound().Effect(kEffectClick);
    if (BGMPlay(BgmData[nTrack - 1].szFileName, 0, ctx.pSnd, ctx.pSystem, *ctx.pShell) == 0) {
        platform::LogError(kTag, u8"BGMの再生に失敗しました");
        return RESULT_FAILED;
    }
    nPlayReqFlg = 1;
    nPlayingFlg = 0;
    return RESULT_STARTED;
}
