#pragma once

#include <cstdint>

#include "game/ANIMATION_DATA.h"
#include "platform/video/Rect.h"

// A menu object that glows while the pointer rests on it: an invisible hit rectangle
// and a strength that rises from 0.0 to 1.0 over the fade time while the pointer is
// inside and falls back as long when it leaves, always from the value reached. Once
// the owner marks it chosen, the strength freezes and a two-frame blink runs. The
// owner decides what strength and blink look like.
class SPECIAL_BUTTON_DATA {
public:
    SPECIAL_BUTTON_DATA() { Release(); }
    SPECIAL_BUTTON_DATA(const SPECIAL_BUTTON_DATA&) = delete;
    SPECIAL_BUTTON_DATA& operator=(const SPECIAL_BUTTON_DATA&) = delete;

    // A null rectangle keeps the one set before. The owner then gives each of the
    // nFrames blink frames its time through AnimData.
    void Set(std::int32_t nX, std::int32_t nY, const platform::Rect* prcHit,
             std::uint32_t dwFadeTime, std::uint32_t nFrames);
    // One frame with the pointer at (nMouseX, nMouseY); returns 1.
    std::int32_t Proc(std::int32_t nMouseX, std::int32_t nMouseY, std::uint32_t dwNow);
    void Release();
    // Left and top edges inside, right and bottom outside.
    bool Contains(std::int32_t nMouseX, std::int32_t nMouseY) const;

    // The point the glow and the label are centred on.
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    float fHighlight = 0.0f;
    // A full rise or fall; 0 freezes the strength.
    std::uint32_t dwFadeTime = 0;
    // Placed back in time so that the strength continues from its present value.
    std::uint32_t dwFadeStart = 0;
    platform::Rect rcHit;
    ANIMATION_DATA AnimData;
    // The pointer was inside at the last update.
    std::int32_t nHoverFlg = 0;
    // Written by the owner when the object is chosen.
    std::int32_t nClickFlg = 0;

private:
    void StartFadeFrom(std::uint32_t dwNow, float fDone);
    // The share of the fade time run since the start.
    float FadeDone(std::uint32_t dwNow) const;
};
