#include "game/GameContext.h"
#include "system/ZKSYSTEM.h"
#include "windows/CONFIG_DATA.h"
#include "windows/WindowLog.h"
#include "windows/WindowStandby.h"

namespace {

constexpr float kBoxMs = 150.0f;
constexpr int kQuickApplyKey = 'C';

constexpr std::int32_t kButtonNormal = 0;
constexpr std::int32_t kButtonHover = 1;
constexpr std::int32_t kButtonPressed = 2;

bool Released(std::int32_t nState) { return nState == KEY_STATE_RELEASED; }
bool Down(std::int32_t nState) { return nState == KEY_STATE_HELD || nState == KEY_STATE_PRESSED; }

// The time since the box began to grow or shrink, over the box's 150 ms.
float BoxTime(std::uint32_t dwNow, std::uint32_t dwStart) {
    return static_cast<float>(dwNow - dwStart) / kBoxMs;
}

}  // namespace

// The keys move the pointer for the next frame; this one goes on with the position
// the owner read.
std::int32_t CONFIG_DATA::WindowStandby(std::int32_t nMouseX, std::int32_t nMouseY,
                                        std::int32_t nLeft, std::int32_t nRight,
                                        std::uint32_t dwNow, std::uint32_t nInGame) {
    if (nInitFlg == 0) {
        WindowLogError("CONFIG_DATA::WindowStandby", WINDOW_FAILURE::NotInitialized);
        return STANDBY_NOT_INITIALIZED;
    }
    KeyCursorMove(nInGame);
    switch (nSlideFlg) {
        case kBoxGrowing:
            return Grow(dwNow);
        case kBoxShrinking:
            return Shrink(dwNow);
        case kBoxUp:
            return Box(nMouseX, nMouseY, nLeft, dwNow);
        default:
            break;
    }
    if (Released(nRight) ||
        pContext->pSystem->GetVKeyStatus(kQuickApplyKey) == KEY_STATE_RELEASED) {
        return Apply();
    }
    return Controls(nMouseX, nMouseY, nLeft, dwNow, nInGame);
}

std::int32_t CONFIG_DATA::Grow(std::uint32_t dwNow) {
    fConfirmScale = BoxTime(dwNow, dwConfirmStart);
    if (fConfirmScale >= 1.0f) {
        fConfirmScale = 1.0f;
        nSlideFlg = kBoxUp;
    }
    return STANDBY_NOTHING;
}

// After yes the box stays shrunk and every call answers 4 until the owner closes the
// panel.
std::int32_t CONFIG_DATA::Shrink(std::uint32_t dwNow) {
    fConfirmScale = 1.0f - BoxTime(dwNow, dwConfirmStart);
    if (fConfirmScale > 0.0f) return STANDBY_NOTHING;
    fConfirmScale = 0.0f;
    if (nCursorId == kConfigYes) return STANDBY_SPECIAL;
    nCursorId = 0;
    nSlideFlg = kNoBox;
    return STANDBY_NOTHING;
}

platform::Rect CONFIG_DATA::HitRect(const CONFIG_CONTROL& control) const {
    const platform::Rect& rc = control.rcHit;
    if (control.kind == CONFIG_KIND::Yes || control.kind == CONFIG_KIND::No) return rc;
    return {nX + rc.left, nY + rc.top, nX + rc.right, nY + rc.bottom};
}

// High colour only where the display has more than 16 bits, the return to the title
// only in game; the box's items only while it stands.
bool CONFIG_DATA::Offered(const CONFIG_CONTROL& control, std::uint32_t nInGame) const {
    switch (control.kind) {
        case CONFIG_KIND::HighColour:
            return nDisplayBits >= 17;
        case CONFIG_KIND::Title:
            return nInGame != 0;
        case CONFIG_KIND::Yes:
        case CONFIG_KIND::No:
            return false;
        default:
            return true;
    }
}

// A level of a row switched off takes the pointer without a sound.
bool CONFIG_DATA::Silent(const CONFIG_CONTROL& control) const {
    return control.kind == CONFIG_KIND::Level && nValue[control.gate] == 0;
}

bool CONFIG_DATA::Acts(const CONFIG_CONTROL& control) const {
    switch (control.kind) {
        case CONFIG_KIND::Level:
            return nValue[control.gate] == 1;
        case CONFIG_KIND::EffectSwitch:
            return nValue[control.setting] != control.nValue;
        case CONFIG_KIND::Option:
        case CONFIG_KIND::HighColour:
            return true;
        default:
            return false;
    }
}

std::int32_t CONFIG_DATA::ClickValue(const CONFIG_CONTROL& control) const {
    if (control.kind == CONFIG_KIND::HighColour) return nDisplayBits == 24 ? 1 : 2;
    return control.nValue;
}

void CONFIG_DATA::Hover(const CONFIG_CONTROL& control, std::int32_t& nResult) {
    if (control.nId == nCursorId) return;
    nCursorId = control.nId;
    if (Silent(control)) return;
    pContext->Sound().Effect(kSECursorMove);
    nResult = STANDBY_MOVED;
}

std::int32_t CONFIG_DATA::Controls(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                                   std::uint32_t dwNow, std::uint32_t nInGame) {
    std::int32_t nResult = STANDBY_NOTHING;
    const CONFIG_CONTROL* hit = nullptr;
    for (const CONFIG_CONTROL& control : ConfigControls()) {
        if (Offered(control, nInGame) && StandbyHit(HitRect(control), nMouseX, nMouseY)) {
            hit = &control;
            break;
        }
    }
    nOkBtnState = kButtonNormal;
    if (nInGame != 0) nTitleBtnState = kButtonNormal;
    if (hit == nullptr) {
        nCursorId = 0;
        return nResult;
    }
    Hover(*hit, nResult);
    if (hit->kind == CONFIG_KIND::Ok || hit->kind == CONFIG_KIND::Title) {
        return Press(*hit, nLeft, dwNow, nResult);
    }
    if (Released(nLeft) && Acts(*hit)) {
        pContext->Sound().Effect(kSEEnter);
        nValue[hit->setting] = ClickValue(*hit);
        nResult = STANDBY_ACTED;
    }
    return nResult;
}

// OK applies on its release; the return to the title grows the confirmation box and
// reports no change.
std::int32_t CONFIG_DATA::Press(const CONFIG_CONTROL& button, std::int32_t nLeft,
                                std::uint32_t dwNow, std::int32_t nResult) {
    std::int32_t& state = button.kind == CONFIG_KIND::Ok ? nOkBtnState : nTitleBtnState;
    state = Down(nLeft) ? kButtonPressed : kButtonHover;
    if (!Released(nLeft)) return nResult;
    state = kButtonNormal;
    pContext->Sound().Effect(kSEEnter);
    if (button.kind == CONFIG_KIND::Ok) return Apply();
    fConfirmScale = 0.0f;
    dwConfirmStart = dwNow;
    nSlideFlg = kBoxGrowing;
    return nResult;
}

// While the box stands only yes and no count; the right button and 'C' do nothing.
std::int32_t CONFIG_DATA::Box(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                              std::uint32_t dwNow) {
    std::int32_t nResult = STANDBY_NOTHING;
    bool any = false;
    for (const std::int32_t id : {kConfigYes, kConfigNo}) {
        const CONFIG_CONTROL& item = *FindConfigControl(id);
        std::int32_t& state = id == kConfigYes ? nYesState : nNoState;
        if (any || !StandbyHit(HitRect(item), nMouseX, nMouseY)) {
            state = kButtonNormal;
            continue;
        }
        any = true;
        state = kButtonHover;
        Hover(item, nResult);
        if (Down(nLeft)) state = kButtonPressed;
        if (Released(nLeft)) {
            pContext->Sound().Effect(kSEEnter);
            dwConfirmStart = dwNow;
            nSlideFlg = kBoxShrinking;
            nResult = STANDBY_ACTED;
        }
    }
    if (!any) nCursorId = 0;
    return nResult;
}
