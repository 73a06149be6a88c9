#include "windows/MSG_WINDOW_DATA.h"

#include <algorithm>

#include "game/GameContext.h"
#include "game/ResourceLoader.h"
#include "windows/WindowLog.h"

namespace {

constexpr std::uint32_t kWaitMarkFrames = 6;
constexpr std::uint32_t kWaitMarkFrameTime = 100;
constexpr std::uint32_t kLoop = 0;

}  // namespace

void MSG_WINDOW_DATA::Clear() {
    const SLIDE_ROW& row = SlideRow(SLIDE_WINDOW::Message);
    pContext = nullptr;
    nX = row.nResetX;
    nY = row.nResetY;
    nDispByte = 0;
    nInitFlg = 0;
    MsgData.Initialize();
    for (MSG_DATA& entry : BackLog) entry.Initialize();
    nBackLogNo = -1;
    nOpenFlg = 0;
    nSlideFlg = 0;
    fAngle = 0;
    nBarUseFlg = 0;
    dwAutoWaitTime = 0;
    dwMsgStartTime = 0;
    std::fill(std::begin(nButtonState), std::end(nButtonState), kButtonNormal);
    std::fill(std::begin(dwHoldStart), std::end(dwHoldStart), 0);
    std::fill(std::begin(dwLastStep), std::end(dwLastStep), 0);
    WaitMark.Clear();
    nHoverButton = 0;
}

std::uint32_t MSG_WINDOW_DATA::Initialize(const GameContext* pContextIn) {
    if (pContextIn == nullptr || !pContextIn->IsComplete()) {
        WindowLogError("MSG_WINDOW_DATA::Initialize", WINDOW_FAILURE::BadArgument);
        return 0;
    }
    Clear();
    pContext = pContextIn;
    if (SurfaceLoad(pContext->pSprite, pContext->pSystem, kSurface, 1, 0xFFFFFFFFu) == 0) {
        WindowLogError("MSG_WINDOW_DATA::Initialize", WINDOW_FAILURE::ImageLoad);
        return 0;
    }
    WaitMark.Set(kWaitMarkFrames, kLoop);
    for (std::uint32_t f = 0; f < kWaitMarkFrames; ++f) {
        WaitMark.AnimationSet(static_cast<std::int32_t>(f), kWaitMarkFrameTime,
                              ANIMATION_DATA::kKeepType);
    }
    nInitFlg = 1;
    return 1;
}

void MSG_WINDOW_DATA::Release() {
    if (pContext != nullptr) SurfaceUnload(pContext->pSprite, pContext->pSystem, kSurface);
    Clear();
}

SLIDE_FIELDS MSG_WINDOW_DATA::Slide() { return {nInitFlg, nOpenFlg, nSlideFlg, nX, nY, fAngle}; }

std::int32_t MSG_WINDOW_DATA::WindowOpen(std::uint32_t dwStep) {
    return SlideOpen(SlideRow(SLIDE_WINDOW::Message), dwStep, Slide());
}

std::int32_t MSG_WINDOW_DATA::WindowClose(std::uint32_t dwStep) {
    return SlideClose(SlideRow(SLIDE_WINDOW::Message), dwStep, Slide());
}

void MSG_WINDOW_DATA::SetBackLog(const char* szName, const char* szText, const char* szVoice) {
    if (szText == nullptr) return;
    MSG_DATA* entry = std::find_if(std::begin(BackLog), std::end(BackLog),
                                   [](const MSG_DATA& line) { return line.szText[0] == '\0'; });
    if (entry == std::end(BackLog)) {
        std::move(std::begin(BackLog) + 1, std::end(BackLog), std::begin(BackLog));
        entry = std::end(BackLog) - 1;
    }
    entry->Initialize();
    if (szName != nullptr) entry->SetName(szName);
    if (szVoice != nullptr) entry->SetVoice(szVoice);
    entry->SetText(szText);
}

void MSG_WINDOW_DATA::ButtonEnable(std::int32_t nMask) {
    for (int i = 0; i < MSG_BUTTON_COUNT; ++i) {
        if ((nMask & (1 << i)) != 0) nButtonState[i] = kButtonNormal;
    }
}

void MSG_WINDOW_DATA::ButtonDisable(std::int32_t nMask) {
    for (int i = 0; i < MSG_BUTTON_COUNT; ++i) {
        if ((nMask & (1 << i)) != 0) nButtonState[i] = kButtonDisable;
    }
}
