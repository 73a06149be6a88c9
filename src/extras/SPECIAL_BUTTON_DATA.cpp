#include "extras/SPECIAL_BUTTON_DATA.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kLoop = 0;

}  // namespace

void SPECIAL_BUTTON_DATA::Set(std::int32_t nXIn, std::int32_t nYIn, const platform::Rect* prcHit,
                              std::uint32_t dwFadeTimeIn, std::uint32_t nFrames) {
    nX = nXIn;
    nY = nYIn;
    fHighlight = 0.0f;
    dwFadeTime = dwFadeTimeIn;
    dwFadeStart = 0;
    AnimData.Set(nFrames, kLoop);
    nClickFlg = 0;
    if (prcHit != nullptr) rcHit = *prcHit;
}

void SPECIAL_BUTTON_DATA::Release() {
    nX = 0;
    nY = 0;
    fHighlight = 0.0f;
    dwFadeTime = 0;
    dwFadeStart = 0;
    rcHit = {};
    AnimData.Clear();
    // A button released under the pointer would otherwise skip its next rise.
    nHoverFlg = 0;
    nClickFlg = 0;
}

bool SPECIAL_BUTTON_DATA::Contains(std::int32_t nMouseX, std::int32_t nMouseY) const {
    return nMouseX >= rcHit.left && nMouseX < rcHit.right && nMouseY >= rcHit.top &&
           nMouseY < rcHit.bottom;
}

// The fade restarts fDone of the way through. The time already run may exceed the
// clock (near its start or after its wrap), so the start is kept modulo 2^32 and
// only ever read back as a difference.
void SPECIAL_BUTTON_DATA::StartFadeFrom(std::uint32_t dwNow, float fDone) {
    const auto run = static_cast<std::int64_t>(double{fDone} * dwFadeTime);
    dwFadeStart = dwNow - static_cast<std::uint32_t>(run);
}

float SPECIAL_BUTTON_DATA::FadeDone(std::uint32_t dwNow) const {
    return static_cast<float>(static_cast<double>(dwNow - dwFadeStart) / dwFadeTime);
}

std::int32_t SPECIAL_BUTTON_DATA::Proc(std::int32_t nMouseX, std::int32_t nMouseY,
                                       std::uint32_t dwNow) {
    if (nClickFlg != 0) {
        AnimData.AnimationProc(dwNow);
        return 1;
    }
    if (Contains(nMouseX, nMouseY)) {
        if (nHoverFlg != 1) {
            nHoverFlg = 1;
            StartFadeFrom(dwNow, fHighlight);
        }
        if (fHighlight >= 1.0f) {
            fHighlight = 1.0f;
        } else if (dwFadeTime != 0) {
            fHighlight = std::min(FadeDone(dwNow), 1.0f);
        }
        return 1;
    }
    if (nHoverFlg != 0) {
        nHoverFlg = 0;
        StartFadeFrom(dwNow, 1.0f - fHighlight);
    }
    if (fHighlight <= 0.0f) {
        fHighlight = 0.0f;
    } else if (dwFadeTime != 0) {
        fHighlight = std::max(1.0f - FadeDone(dwNow), 0.0f);
    }
    return 1;
}
