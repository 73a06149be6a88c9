#pragma once

#include <cstdint>

#include "platform/video/Rect.h"

// One timed picture of the staff roll: where it is drawn, the part of its picture
// cut out, and a fade value in 0.0 to 1.0 worked out anew from its fade kind each
// time it is set. What the value means on screen is its owner's affair.
class STAFFROLL_CREDIT_DATA {
public:
    enum FADE_KIND : std::int32_t {
        FADE_OFF = 0,
        FADE_FALLING = 1,
        FADE_RISING = 2,
        FADE_ZERO = 3,
        FADE_ONE = 4,
    };

    STAFFROLL_CREDIT_DATA() { Clear(); }

    void Clear();
    // Stores the first six values, then the fade value by the kind at dwNow.
    void Set(std::int32_t nXIn, std::int32_t nYIn, platform::Rect rcSrcIn,
             std::uint32_t dwStartTimeIn, std::uint32_t dwFadeTimeIn, std::int32_t nFadeKindIn,
             std::uint32_t dwNow);

    std::int32_t nX = 0;
    std::int32_t nY = 0;
    float fFadeValue = 0.0f;
    std::uint32_t dwStartTime = 0;
    std::uint32_t dwFadeTime = 0;
    // Empty: nothing is drawn.
    platform::Rect rcSrc;
    std::int32_t nFadeKind = FADE_OFF;

private:
    // The share of the fade's time gone by at dwNow.
    double Progress(std::uint32_t dwNow) const;
};
