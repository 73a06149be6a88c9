#include "extras/STAFFROLL_CREDIT_DATA.h"

void STAFFROLL_CREDIT_DATA::Clear() {
    nX = 0;
    nY = 0;
    fFadeValue = 0.0f;
    dwStartTime = 0;
    dwFadeTime = 0;
    rcSrc = {};
    nFadeKind = FADE_OFF;
}

// A fade of no length has ended at once: a public record never holds a value that is
// not a number.
double STAFFROLL_CREDIT_DATA::Progress(std::uint32_t dwNow) const {
    if (dwFadeTime == 0) return 1.0;
    return static_cast<double>(dwNow - dwStartTime) / static_cast<double>(dwFadeTime);
}

void STAFFROLL_CREDIT_DATA::Set(std::int32_t nXIn, std::int32_t nYIn, platform::Rect rcSrcIn,
                                std::uint32_t dwStartTimeIn, std::uint32_t dwFadeTimeIn,
                                std::int32_t nFadeKindIn, std::uint32_t dwNow) {
    nX = nXIn;
    nY = nYIn;
    rcSrc = rcSrcIn;
    dwStartTime = dwStartTimeIn;
    dwFadeTime = dwFadeTimeIn;
    nFadeKind = nFadeKindIn;
    switch (nFadeKind) {
        case FADE_OFF:
            rcSrc = {};
            nX = 0;
            nY = 0;
            break;
        case FADE_FALLING: {
            const auto fValue = static_cast<float>(1.0 - Progress(dwNow));
            fFadeValue = fValue < 0.0f ? 0.0f : fValue;
            break;
        }
        case FADE_RISING: {
            const auto fValue = static_cast<float>(Progress(dwNow));
            fFadeValue = fValue > 1.0f ? 1.0f : fValue;
            break;
        }
        case FADE_ZERO:
            fFadeValue = 0.0f;
            break;
        case FADE_ONE:
            fFadeValue = 1.0f;
            break;
        default:
            break;
    }
}
