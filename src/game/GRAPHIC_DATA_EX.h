#pragma once

#include <cstdint>
#include <memory>

#include "game/ANIMATION_DATA.h"
#include "game/GRAPHIC_DATA.h"
#include "platform/video/Rect.h"

// A picture cut into frames of one image, with their timing and an optional
// cross-fade from each frame into the next.
class GRAPHIC_DATA_EX : public GRAPHIC_DATA {
public:
    GRAPHIC_DATA_EX() { Reset(); }

    void Set(std::uint32_t nKind, std::int32_t nSlot, std::uint32_t nNum, std::uint32_t nAnimType,
             std::uint32_t dwFlagIn, std::uint32_t dwExtraIn, std::uint32_t nCrossFade);
    std::uint32_t AnimationSet(std::int32_t n, std::uint32_t dwFrameTime,
                               const platform::Rect* prcFrame, std::uint32_t nAnimType);
    std::uint32_t AnimationProc(std::uint32_t dwNow);
    void Reset() { Set(1, -1, 0, 0, 0, 0, 0); }

    std::uint32_t nAnimNum = 0;
    std::unique_ptr<platform::Rect[]> prcAnim;
    std::uint32_t dwExtra = 0;
    ANIMATION_DATA AnimData;
    std::uint32_t nCrossFadeFlg = 0;
    std::uint32_t nNextAnim = 0;
    std::int32_t nCrossAlpha = 255;

private:
    void NextFrame();
};
