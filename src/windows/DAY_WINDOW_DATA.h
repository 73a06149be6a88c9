#pragma once

#include <cstdint>

#include "platform/video/Rect.h"
#include "windows/DrawFailureLatch.h"
#include "windows/WindowSlide.h"

struct GameContext;

// The day panel in the top-left corner of the story screen: the story's day in
// digit pictures, sliding in from the left.
class DAY_WINDOW_DATA {
public:
    static constexpr int kSurface = 7;

    DAY_WINDOW_DATA() { Clear(); }

    void Clear();
    std::uint32_t Initialize(std::int32_t nDayIn, const GameContext* pContextIn);
    void Release();
    std::int32_t WindowOpen(std::uint32_t dwStep);
    std::int32_t WindowClose(std::uint32_t dwStep);
    std::uint32_t Draw();

    std::uint32_t nInitFlg = 0;
    std::uint32_t nDispFlg = 0;
    std::uint32_t nSlideFlg = 0;
    std::int32_t nX = 0;
    std::int32_t nY = 0;
    float fAngle = 0;
    std::int32_t nDay = 0;
    const GameContext* pContext = nullptr;

private:
    DrawFailureLatch drawLatch_;

    SLIDE_FIELDS Slide();
    void Blt(const platform::Rect& rcCell, std::int32_t nDestX, std::int32_t nDestY,
             CallSite site = CallSite::Here());
    // The tens and the units are separate calls: each keeps its own failure line.
    void DrawDigit(std::int32_t nDigit, std::int32_t nDestX, CallSite site = CallSite::Here());
};
