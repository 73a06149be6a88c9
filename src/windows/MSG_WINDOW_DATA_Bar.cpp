#include "game/GameContext.h"
#include "game/ShellWords.h"
#include "sound/ZKSND.h"
#include "windows/MSG_WINDOW_DATA.h"
#include "windows/WindowStandby.h"

namespace {

constexpr int kVoiceBuffer = 0;
constexpr std::int32_t kStateBusy = 0;
// The bar's first button and the distance from one button to the next.
constexpr std::int32_t kBarLeft = 553;
constexpr std::int32_t kBarTop = 9;
constexpr std::int32_t kButtonPitch = 39;
constexpr std::int32_t kButtonWidth = 32;
constexpr std::int32_t kButtonHeight = 24;
// Hold-to-repeat: a first step after 500 ms, then one every 100 ms from 1000 ms; a
// release steps only for a click shorter than 500 ms.
constexpr std::uint32_t kFirstRepeat = 500;
constexpr std::uint32_t kFastAfter = 1000;
constexpr std::uint32_t kFastRepeat = 100;
constexpr std::uint32_t kClickLimit = 500;

bool IsPaging(int nButton) { return nButton == MSG_BUTTON_BACK || nButton == MSG_BUTTON_FORWARD; }

int HoldOf(int nButton) { return nButton - MSG_BUTTON_BACK; }

std::int32_t MaskOf(int nButton) { return 1 << nButton; }

}  // namespace

platform::Rect MSG_WINDOW_DATA::ButtonRect(int nButton) const {
    const std::int32_t left = nX + kBarLeft + kButtonPitch * nButton;
    const std::int32_t top = nY + kBarTop;
    return {left, top, left + kButtonWidth, top + kButtonHeight};
}

// A window that never initialised has no engine objects to work through.
std::int32_t MSG_WINDOW_DATA::WindowStandby(std::int32_t nMouseX, std::int32_t nMouseY,
                                            KEY_STATE key, std::uint32_t dwNow) {
    if (nInitFlg == 0 || nOpenFlg == 0) return STANDBY_NOTHING;
    std::int32_t nResult = STANDBY_NOTHING;
    bool bHit = false;
    const auto test = [&](int nButton) {
        if (bHit) {
            LeaveButton(nButton);
        } else {
            bHit = TestButton(nButton, nMouseX, nMouseY, key, dwNow, nResult);
        }
    };
    test(MSG_BUTTON_SKIP);
    test(MSG_BUTTON_AUTO);
    ReplayRule();
    for (const int nButton :
         {MSG_BUTTON_VOICE, MSG_BUTTON_BACK, MSG_BUTTON_FORWARD, MSG_BUTTON_HIDE}) {
        test(nButton);
    }
    if (!bHit) nHoverButton = 0;
    if (nDispByte == -1) WaitMark.AnimationProc(dwNow);
    return nResult;
}

void MSG_WINDOW_DATA::LeaveButton(int nButton) {
    if (nButtonState[nButton] != kButtonDisable) nButtonState[nButton] = kButtonNormal;
    if (IsPaging(nButton)) dwHoldStart[HoldOf(nButton)] = 0;
}

bool MSG_WINDOW_DATA::TestButton(int nButton, std::int32_t nMouseX, std::int32_t nMouseY,
                                 KEY_STATE key, std::uint32_t dwNow, std::int32_t& nResult) {
    if (!StandbyHit(ButtonRect(nButton), nMouseX, nMouseY)) {
        LeaveButton(nButton);
        return false;
    }
    std::uint32_t& state = nButtonState[nButton];
    const bool bPaging = IsPaging(nButton);
    const auto id = static_cast<std::uint32_t>(nButton + 1);
    if (nHoverButton != id) {
        nHoverButton = id;
        nResult = STANDBY_MOVED;
        // Only the panel at rest plays the voice button's hover sound.
        const bool bAtRest = nY == SlideRow(SLIDE_WINDOW::Message).nOpen;
        if (state != kButtonDisable && (nButton != MSG_BUTTON_VOICE || bAtRest)) {
            pContext->Sound().Effect(kSECursorMove);
        }
        if (bPaging) dwHoldStart[HoldOf(nButton)] = 0;
    }
    if (state == kButtonDisable) {
        if (bPaging) dwHoldStart[HoldOf(nButton)] = 0;
        return true;
    }
    state = kButtonHover;
    if (key == KEY_STATE_HELD || key == KEY_STATE_PRESSED) {
        state = kButtonPress;
        if (!bPaging) return true;
        const std::int32_t nBefore = nBackLogNo;
        if (nButton == MSG_BUTTON_BACK) {
            BackLogBack(dwNow, key);
        } else {
            BackLogForward(dwNow, key);
        }
        if (nBackLogNo != nBefore) {
            PageStepped();
            nResult = STANDBY_ACTED;
        }
    } else if (key == KEY_STATE_RELEASED) {
        ReleaseButton(nButton, dwNow, nResult);
    } else if (bPaging) {
        dwHoldStart[HoldOf(nButton)] = 0;
    }
    return true;
}

void MSG_WINDOW_DATA::PageStepped() {
    pContext->Sound().Effect(kSEEnter);
    pContext->Sound().StopVoice();
}

void MSG_WINDOW_DATA::ReleaseButton(int nButton, std::uint32_t dwNow, std::int32_t& nResult) {
    nButtonState[nButton] = kButtonNormal;
    switch (nButton) {
        case MSG_BUTTON_SKIP:
            pContext->Sound().Effect(kSEEnter);
            nSkipFlg = nSkipFlg == 0 ? 1 : 0;
            nResult = STANDBY_ACTED;
            break;
        case MSG_BUTTON_AUTO:
            pContext->Sound().Effect(kSEEnter);
            nBarUseFlg = 1;
            nAutoFlg = nAutoFlg == 0 ? 1 : 0;
            nResult = STANDBY_ACTED;
            break;
        case MSG_BUTTON_VOICE: {
            const MSG_DATA& line = nBackLogNo == -1 ? MsgData : BackLog[nBackLogNo];
            if (line.szVoice[0] != '\0') pContext->Sound().Voice(line.szVoice);
            nResult = STANDBY_CLOSE;
            break;
        }
        case MSG_BUTTON_BACK:
            BackLogBack(dwNow, KEY_STATE_RELEASED);
            PageStepped();
            nResult = STANDBY_ACTED;
            break;
        case MSG_BUTTON_FORWARD:
            BackLogForward(dwNow, KEY_STATE_RELEASED);
            PageStepped();
            nResult = STANDBY_ACTED;
            break;
        default:
            pContext->Sound().Effect(kSEEnter);
            nResult = STANDBY_SPECIAL;
            break;
    }
}

// Only a voice that is playing blocks the replay: one halted part-way, ended or
// never loaded can be played again.
bool MSG_WINDOW_DATA::VoiceBusy() const {
    return pContext->pShell->soundAvailable != 0 &&
           pContext->pSnd->DAGetState(kVoiceBuffer) == kStateBusy;
}

void MSG_WINDOW_DATA::ReplayRule() {
    bool bReplay = nBackLogNo != -1 || MsgData.szVoice[0] != '\0';
    if (nBackLogNo >= 0) bReplay = bReplay && BackLog[nBackLogNo].szVoice[0] != '\0';
    bReplay = bReplay && !VoiceBusy();
    nButtonState[MSG_BUTTON_VOICE] = bReplay ? kButtonNormal : kButtonDisable;
}

bool MSG_WINDOW_DATA::HoldSteps(int nHold, std::uint32_t dwNow, KEY_STATE key) {
    if (dwHoldStart[nHold] == 0) {
        nBarUseFlg = 1;
        dwLastStep[nHold] = dwNow;
        dwHoldStart[nHold] = dwNow;
    }
    if (key == KEY_STATE_RELEASED) return dwNow - dwHoldStart[nHold] < kClickLimit;
    if (key != KEY_STATE_HELD && key != KEY_STATE_PRESSED) return false;
    const std::uint32_t dwRepeat =
        dwNow - dwHoldStart[nHold] < kFastAfter ? kFirstRepeat : kFastRepeat;
    if (dwNow - dwLastStep[nHold] < dwRepeat) return false;
    dwLastStep[nHold] = dwNow;
    return true;
}

std::uint32_t MSG_WINDOW_DATA::BackLogBack(std::uint32_t dwNow, KEY_STATE key) {
    nDispByte = -1;
    std::int32_t nTarget = -1;
    if (nBackLogNo == -1) {
        for (std::int32_t i = kBackLogSize - 1; i >= 1 && nTarget == -1; --i) {
            if (BackLog[i].szText[0] != '\0') nTarget = i;
        }
        if (nTarget == -1) {
            ButtonDisable(MaskOf(MSG_BUTTON_BACK));
            return 1;
        }
    }
    const int nHold = HoldOf(MSG_BUTTON_BACK);
    if (key == KEY_STATE_RELEASED) ButtonEnable(MaskOf(MSG_BUTTON_FORWARD));
    if (!HoldSteps(nHold, dwNow, key)) return 1;
    ButtonEnable(MaskOf(MSG_BUTTON_FORWARD));
    nBackLogNo = nBackLogNo == -1 ? nTarget : nBackLogNo - 1;
    if (nBackLogNo <= 0) {
        nBackLogNo = 0;
        ButtonDisable(MaskOf(MSG_BUTTON_BACK));
    }
    return 1;
}

std::uint32_t MSG_WINDOW_DATA::BackLogForward(std::uint32_t dwNow, KEY_STATE key) {
    nDispByte = -1;
    if (!HoldSteps(HoldOf(MSG_BUTTON_FORWARD), dwNow, key)) return 1;
    ButtonEnable(MaskOf(MSG_BUTTON_BACK));
    ++nBackLogNo;
    if (nBackLogNo >= kBackLogSize || BackLog[nBackLogNo].szText[0] == '\0') {
        nBackLogNo = -1;
        ButtonDisable(MaskOf(MSG_BUTTON_FORWARD));
    }
    return 1;
}
