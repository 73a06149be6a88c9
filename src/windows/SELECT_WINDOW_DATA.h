#pragma once

#include <cstdint>

#include "platform/video/Rect.h"
#include "windows/SELECT_MSG_DATA.h"

// One plate of the choice window: where it stands, how large it is drawn, whether
// it takes clicks, and the zoom that grows or shrinks it.
class SELECT_WINDOW_DATA {
public:
    SELECT_WINDOW_DATA() { Clear(); }

    void Clear();
    // One frame of a zoom lasting dwTime ms from its first call; 1 once it has ended.
    std::uint32_t ZoomIn(std::uint32_t dwNow, std::uint32_t dwTime);
    std::uint32_t ZoomOut(std::uint32_t dwNow, std::uint32_t dwTime);

    std::int32_t nCenterX = 0;
    std::int32_t nCenterY = 0;
    float fScale = 0;
    platform::Rect rcHit{};
    std::uint32_t nDispFlg = 0;
    std::uint32_t nClickFlg = 0;
    std::uint32_t nZoomFlg = 0;
    std::uint32_t dwZoomStart = 0;
    SELECT_MSG_DATA MsgData;

private:
    // The part of the zoom done, 1.0 and over once it has run its time.
    float Progress(std::uint32_t dwNow, std::uint32_t dwTime);
};
