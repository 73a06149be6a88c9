#include "windows/SELECT_WINDOW_COLLECT_DATA.h"

#include <algorithm>

#include "game/GameContext.h"
#include "game/ResourceLoader.h"
#include "windows/WindowLog.h"
#include "windows/WindowStandby.h"

namespace {

constexpr std::uint32_t kHighLightFrames = 5;
constexpr std::uint32_t kPingPong = 1;
constexpr std::uint32_t kHighLightTime = 100;
// While the chosen plate blinks, its first and last glow frames show alone.
constexpr std::uint32_t kBlinkTime = 25;
constexpr std::uint32_t kHoldTime = 1000;
constexpr std::int32_t kCenterX = 400;
// Plate centres by count.
constexpr std::int32_t kCenterY[3][3] = {{288}, {252, 324}, {224, 288, 352}};

// Steps of the disappearing: 1 to 3 the other plates, then the hold and the chosen one.
constexpr std::uint32_t kStepHold = 4;
constexpr std::uint32_t kStepChosen = 5;

}  // namespace

void SELECT_WINDOW_COLLECT_DATA::Clear() {
    nInitFlg = 0;
    nStep = 0;
    nHover = -1;
    nOldHover = -1;
    nSelect = -1;
    nNum = 0;
    HighLight.Clear();
    for (SELECT_WINDOW_DATA& plate : SlcWnd) plate.Clear();
    dwDisStart = 0;
    pContext = nullptr;
}

bool SELECT_WINDOW_COLLECT_DATA::Initialized(const char* szTag) const {
    if (nInitFlg != 0) return true;
    WindowLogError(szTag, WINDOW_FAILURE::NotInitialized);
    return false;
}

int SELECT_WINDOW_COLLECT_DATA::Plates() const { return std::clamp(nNum, 0, kMaxPlates); }

void SELECT_WINDOW_COLLECT_DATA::Layout(int nPlate) {
    SELECT_WINDOW_DATA& plate = SlcWnd[nPlate];
    plate.nCenterX = kCenterX;
    plate.nCenterY = kCenterY[Plates() - 1][nPlate];
    plate.rcHit = {plate.nCenterX - kPlateWidth / 2, plate.nCenterY - kPlateHeight / 2,
                   plate.nCenterX + kPlateWidth / 2, plate.nCenterY + kPlateHeight / 2};
}

// Plates beyond the count keep what they held; a release before clears them.
std::uint32_t SELECT_WINDOW_COLLECT_DATA::Initialize(std::int32_t nNumIn,
                                                     const GameContext* pContextIn) {
    if (nNumIn < 1 || nNumIn > kMaxPlates || pContextIn == nullptr || !pContextIn->IsComplete()) {
        WindowLogError("SELECT_WINDOW_COLLECT_DATA::Initialize", WINDOW_FAILURE::BadArgument);
        return 0;
    }
    nStep = 0;
    nHover = -1;
    nOldHover = -1;
    nSelect = -1;
    nNum = nNumIn;
    HighLight.Set(kHighLightFrames, kPingPong);
    for (int i = 0; i < nNum; ++i) {
        SlcWnd[i].Clear();
        Layout(i);
    }
    pContext = pContextIn;
    if (SurfaceLoad(pContext->pSprite, pContext->pSystem, kSurface, 1, 0xFFFFFFFFu) == 0) {
        WindowLogError("SELECT_WINDOW_COLLECT_DATA::Initialize", WINDOW_FAILURE::ImageLoad);
        return 0;
    }
    nInitFlg = 1;
    return 1;
}

void SELECT_WINDOW_COLLECT_DATA::Release() {
    if (nInitFlg == 0) return;
    SurfaceUnload(pContext->pSprite, pContext->pSystem, kSurface);
    Clear();
}

std::uint32_t SELECT_WINDOW_COLLECT_DATA::SetSlcWndMsg(std::int32_t nNo, const char* szText) {
    if (!Initialized("SELECT_WINDOW_COLLECT_DATA::SetSlcWndMsg")) return 0;
    if (nNo < 1 || nNo > nNum || szText == nullptr) {
        WindowLogError("SELECT_WINDOW_COLLECT_DATA::SetSlcWndMsg", WINDOW_FAILURE::BadArgument);
        return 0;
    }
    SELECT_MSG_DATA& text = SlcWnd[nNo - 1].MsgData;
    text.Initialize();
    text.SetText(szText);
    return 1;
}

void SELECT_WINDOW_COLLECT_DATA::SetHighLightTimes(std::uint32_t dwEnds, std::uint32_t dwMiddle) {
    for (std::uint32_t f = 0; f < kHighLightFrames; ++f) {
        const bool bEnd = f == 0 || f == kHighLightFrames - 1;
        HighLight.AnimationSet(static_cast<std::int32_t>(f), bEnd ? dwEnds : dwMiddle,
                               ANIMATION_DATA::kKeepType);
    }
}

std::int32_t SELECT_WINDOW_COLLECT_DATA::AppSelectWindowProc(std::uint32_t dwNow,
                                                             std::uint32_t dwTime) {
    if (!Initialized("SELECT_WINDOW_COLLECT_DATA::AppSelectWindowProc")) return -1;
    if (nStep == 0) {
        for (int i = 0; i < Plates(); ++i) {
            SlcWnd[i].nDispFlg = 1;
            Layout(i);
        }
        SetHighLightTimes(kHighLightTime, kHighLightTime);
        nStep = 1;
        return 0;
    }
    if (nStep > kMaxPlates || SlcWnd[nStep - 1].ZoomIn(dwNow, dwTime) == 0) return 0;
    ++nStep;
    if (nStep <= static_cast<std::uint32_t>(Plates())) return 0;
    nStep = 0;
    for (int i = 0; i < Plates(); ++i) SlcWnd[i].nClickFlg = 1;
    return 1;
}

// Steps 1 to 3 zoom the other plates away in order, passing over the chosen one.
void SELECT_WINDOW_COLLECT_DATA::DisappearOthers(std::uint32_t dwNow, std::uint32_t dwTime) {
    const auto chosen = [this](std::uint32_t step) {
        return static_cast<std::int32_t>(step) - 1 == nSelect;
    };
    if (chosen(nStep)) ++nStep;
    if (nStep <= static_cast<std::uint32_t>(Plates())) {
        SELECT_WINDOW_DATA& plate = SlcWnd[nStep - 1];
        if (plate.ZoomOut(dwNow, dwTime) == 0) return;
        plate.Clear();
        ++nStep;
        if (chosen(nStep)) ++nStep;
    }
    if (nStep > static_cast<std::uint32_t>(Plates())) nStep = kStepHold;
}

std::int32_t SELECT_WINDOW_COLLECT_DATA::DisSelectWindowProc(std::uint32_t dwNow,
                                                             std::uint32_t dwTime) {
    if (!Initialized("SELECT_WINDOW_COLLECT_DATA::DisSelectWindowProc")) return -1;
    switch (nStep) {
        case 0:
            SetHighLightTimes(kBlinkTime, 0);
            dwDisStart = dwNow;
            nStep = nSelect == 0 ? 2 : 1;
            return 0;
        case 1:
        case 2:
        case 3:
            DisappearOthers(dwNow, dwTime);
            return 0;
        case kStepHold:
            if (dwNow - dwDisStart >= kHoldTime) nStep = kStepChosen;
            return 0;
        case kStepChosen:
            // A choice restored without its plate has nothing left to zoom.
            if (!SelectValid()) return 1;
            if (SlcWnd[nSelect].ZoomOut(dwNow, dwTime) == 0) return 0;
            SlcWnd[nSelect].Clear();
            return 1;
        default:
            return 0;
    }
}

std::int32_t SELECT_WINDOW_COLLECT_DATA::WindowStandby(std::int32_t nMouseX, std::int32_t nMouseY,
                                                       KEY_STATE key, std::uint32_t dwNow,
                                                       std::uint32_t nEnable) {
    bool bShown = false;
    for (const SELECT_WINDOW_DATA& plate : SlcWnd) bShown = bShown || plate.nDispFlg != 0;
    if (!bShown) return STANDBY_NOTHING;
    if (!Initialized("SELECT_WINDOW_COLLECT_DATA::WindowStandby")) return STANDBY_NOT_INITIALIZED;
    std::int32_t nResult = STANDBY_NOTHING;
    nHover = -1;
    for (int i = 0; nEnable != 0 && i < Plates() && nHover == -1; ++i) {
        if (SlcWnd[i].nClickFlg != 1 || !StandbyHit(SlcWnd[i].rcHit, nMouseX, nMouseY)) continue;
        nHover = i;
        if (nOldHover != i) {
            nResult = STANDBY_MOVED;
            pContext->Sound().Effect(kSECursorMove);
        }
        if (key == KEY_STATE_RELEASED) {
            for (SELECT_WINDOW_DATA& plate : SlcWnd) plate.nClickFlg = 0;
            nSelect = i;
            pContext->Sound().Effect(kSEEnter);
            nResult = STANDBY_ACTED;
        }
    }
    HighLight.AnimationProc(dwNow);
    nOldHover = nHover;
    return nResult;
}
