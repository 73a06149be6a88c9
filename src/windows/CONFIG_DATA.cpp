#include "windows/CONFIG_DATA.h"

#include <algorithm>

#include "game/GameContext.h"
#include "game/GameHost.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "windows/WindowLog.h"
#include "windows/WindowStandby.h"

namespace {

constexpr std::uint32_t kSpeedSlow = 2000;
constexpr std::uint32_t kSpeedNormal = 1000;
constexpr std::uint32_t kSpeedFast = 500;
constexpr std::int32_t kChoiceSlow = 0;
constexpr std::int32_t kChoiceNormal = 1;
constexpr std::int32_t kChoiceFast = 2;
constexpr std::int32_t kChoice16 = 0;
constexpr std::int32_t kChoice24 = 1;
constexpr std::int32_t kChoice32 = 2;
constexpr std::int32_t kApplyFailed = -1;

std::int32_t Flag(std::uint32_t dwValue) { return dwValue != 0 ? 1 : 0; }

std::int32_t SpeedChoice(std::uint32_t dwSpeed) {
    if (dwSpeed <= kSpeedFast) return kChoiceFast;
    return dwSpeed <= kSpeedNormal ? kChoiceNormal : kChoiceSlow;
}

std::uint32_t SpeedOf(std::int32_t nChoice) {
    if (nChoice == kChoiceSlow) return kSpeedSlow;
    return nChoice == kChoiceNormal ? kSpeedNormal : kSpeedFast;
}

std::int32_t ColourChoice(std::uint32_t dwDepth) {
    if (dwDepth == 16) return kChoice16;
    return dwDepth == 24 ? kChoice24 : kChoice32;
}

// The depth each colour choice gives from the live depth. Every cell gives the depth
// its button names: high colour is never 16 bit, whatever the live depth.
std::uint32_t NewDepth(std::uint32_t dwLive, std::int32_t nChoice, std::int32_t nDisplayBits) {
    if (nChoice == kChoice16) return 16;
    if (dwLive == 16) return static_cast<std::uint32_t>(nDisplayBits);
    return nChoice == kChoice24 ? 24 : 32;
}

// Live 16 with 16 bit, 24 with 24 bit and any other with 32 bit stand as they are.
bool SameDepth(std::uint32_t dwLive, std::int32_t nChoice) {
    return ColourChoice(dwLive) == nChoice;
}

}  // namespace

void CONFIG_DATA::Clear() {
    nInitFlg = 0;
    nDispFlg = 0;
    nSlideFlg = 0;
    const SLIDE_ROW& row = SlideRow(SLIDE_WINDOW::Config);
    nX = row.nResetX;
    nY = row.nResetY;
    fAngle = 1.0f;
    dwConfirmStart = 0;
    nCursorId = 0;
    std::fill(std::begin(nValue), std::end(nValue), -1);
    nOkBtnState = 0;
    nTitleBtnState = 0;
    nYesState = 0;
    nNoState = 0;
    fConfirmScale = 0;
    Live = {};
    pContext = nullptr;
}

std::int32_t CONFIG_DATA::Initialize(const CONFIG_LIVE& live, std::int32_t nDisplayBitsIn,
                                     const GameContext* pContextIn) {
    const std::uint32_t* const needed[] = {live.pMsgSpeed,    live.pAutoFlg,    live.pSkipFlg,
                                           live.pBgmOn,       live.pBgmVolume,  live.pVoiceOn,
                                           live.pVoiceVolume, live.pSeOn,       live.pSeVolume,
                                           live.pFullScreen,  live.pColourDepth};
    if (std::find(std::begin(needed), std::end(needed), nullptr) != std::end(needed)) return 0;
    if (*live.pColourDepth == 0) return 0;
    if (pContextIn == nullptr || !pContextIn->IsComplete() || pContextIn->pHost == nullptr) {
        return 0;
    }
    Clear();
    pContext = pContextIn;
    Live = live;
    nValue[CONFIG_SPEED] = SpeedChoice(*live.pMsgSpeed);
    nValue[CONFIG_AUTO] = Flag(*live.pAutoFlg);
    nValue[CONFIG_SKIP] = Flag(*live.pSkipFlg);
    nValue[CONFIG_BGM_ON] = Flag(*live.pBgmOn);
    nValue[CONFIG_BGM_LEVEL] = static_cast<std::int32_t>(*live.pBgmVolume);
    nValue[CONFIG_VOICE_ON] = Flag(*live.pVoiceOn);
    nValue[CONFIG_VOICE_LEVEL] = static_cast<std::int32_t>(*live.pVoiceVolume);
    nValue[CONFIG_SE_ON] = Flag(*live.pSeOn);
    nValue[CONFIG_SE_LEVEL] = static_cast<std::int32_t>(*live.pSeVolume);
    nValue[CONFIG_FULL_SCREEN] = Flag(*live.pFullScreen);
    nValue[CONFIG_COLOUR] = ColourChoice(*live.pColourDepth);
    nDisplayBits = nDisplayBitsIn;
    if (SurfaceLoad(pContext->pSprite, pContext->pSystem, kSurface, 1, 0xFFFFFFFFu) == 0) {
        WindowLogError("CONFIG_DATA::Initialize", WINDOW_FAILURE::ImageLoad);
        return 0;
    }
    nInitFlg = 1;
    return 1;
}

// A cleared screen has no context and so nothing to unload.
void CONFIG_DATA::Release() {
    if (pContext != nullptr) SurfaceUnload(pContext->pSprite, pContext->pSystem, kSurface);
    Clear();
}

std::int32_t CONFIG_DATA::Apply() {
    nOkBtnState = 0;
    *Live.pMsgSpeed = SpeedOf(nValue[CONFIG_SPEED]);
    *Live.pAutoFlg = nValue[CONFIG_AUTO] != 0 ? 1 : 0;
    *Live.pSkipFlg = nValue[CONFIG_SKIP] != 0 ? 1 : 0;
    if (ApplySound() == 0) return kApplyFailed;
    return ApplyScreenMode();
}

// The music restarts only when it was off: BGMPlay without a name plays the piece
// last loaded, and only once the switch is already on.
std::int32_t CONFIG_DATA::ApplySound() {
    const GameContext& c = *pContext;
    const ShellWords& shell = *c.pShell;
    if (nValue[CONFIG_BGM_ON] != 0) {
        const bool wasOff = *Live.pBgmOn == 0;
        *Live.pBgmOn = 1;
        if (wasOff) BGMPlay(nullptr, c.pSnd, c.pSystem, shell);
    } else {
        if (*Live.pBgmOn != 0) BGMStop(0, c.pSnd, c.pSystem, shell);
        *Live.pBgmOn = 0;
    }
    if (nValue[CONFIG_VOICE_ON] == 0 && *Live.pVoiceOn != 0) VoiceStop(c.pSnd, shell);
    *Live.pVoiceOn = nValue[CONFIG_VOICE_ON] != 0 ? 1 : 0;
    *Live.pSeOn = nValue[CONFIG_SE_ON] != 0 ? 1 : 0;
    // Level 0 is outside 1 to 10 and so silences the effects.
    if (SetSEVolume(*Live.pSeOn != 0 ? nValue[CONFIG_SE_LEVEL] : 0, c.pSnd, shell) == 0) return 0;
    if (SetBGMVolume(nValue[CONFIG_BGM_LEVEL], c.pSnd, shell) == 0) return 0;
    *Live.pBgmVolume = static_cast<std::uint32_t>(nValue[CONFIG_BGM_LEVEL]);
    if (SetVoiceVolume(nValue[CONFIG_VOICE_LEVEL], c.pSnd, shell) == 0) return 0;
    *Live.pVoiceVolume = static_cast<std::uint32_t>(nValue[CONFIG_VOICE_LEVEL]);
    // With effects off the stored level stays what it was.
    if (*Live.pSeOn == 1) {
        if (SetSEVolume(nValue[CONFIG_SE_LEVEL], c.pSnd, shell) == 0) return 0;
        *Live.pSeVolume = static_cast<std::uint32_t>(nValue[CONFIG_SE_LEVEL]);
    }
    return 1;
}

// In a window the depth is only stored, for the next switch to full screen. The
// shell sets fullScreen itself when it switches; a switch that failed with the old
// mode kept leaves the depth as it was, and the game goes on.
std::int32_t CONFIG_DATA::ApplyScreenMode() {
    const std::uint32_t dwLiveDepth = *Live.pColourDepth;
    const auto dwFull = static_cast<std::uint32_t>(nValue[CONFIG_FULL_SCREEN]);
    const std::uint32_t dwDepth = NewDepth(dwLiveDepth, nValue[CONFIG_COLOUR], nDisplayBits);
    const bool change = dwFull != static_cast<std::uint32_t>(Flag(*Live.pFullScreen)) ||
                        (dwFull != 0 && !SameDepth(dwLiveDepth, nValue[CONFIG_COLOUR]));
    if (change) {
        const std::int32_t switched = pContext->pHost->ChangeScreenMode(dwFull, dwDepth);
        if (switched == 0) return kApplyFailed;
        if (switched == -1) return STANDBY_CLOSE;
    }
    *Live.pColourDepth = dwDepth;
    return STANDBY_CLOSE;
}
