#include "extras/SLIDE_MARK_DATA.h"

#include <algorithm>
#include <limits>

namespace {

// Past this many wraps in one step the mark has been away too long to say where it
// stands, and starts the row again.
constexpr int kMaxWraps = 11;

// A huge elapsed time with a short slide time would not fit the position; beyond
// the range it wraps out anyway.
std::int32_t ToPosition(double x) {
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(x, kMin, kMax));
}

}  // namespace

void SLIDE_MARK_DATA::Clear() {
    nX = 0;
    nY = 0;
    rcSlide = {};
    rcSrc = {};
    dwSlideTime = 0;
    dwLastTime = 0;
    dwPauseTime = 0;
    nSlideFlg = 0;
}

void SLIDE_MARK_DATA::SlideSet(const platform::Rect& rcSlideIn, std::uint32_t dwSlideTimeIn,
                               std::uint32_t dwNow) {
    Clear();
    nX = rcSlideIn.left - kWidth;
    nY = rcSlideIn.top;
    rcSlide = rcSlideIn;
    dwSlideTime = dwSlideTimeIn;
    dwLastTime = dwNow;
    nSlideFlg = 1;
}

// The fraction of a pixel is dropped at every step, so the speed seen depends on the
// frame time. A slide time of 0 holds the mark where it is.
std::int32_t SLIDE_MARK_DATA::SlideProc(std::uint32_t dwNow) {
    const std::int32_t width = rcSlide.right - rcSlide.left;
    const std::int32_t span = kWidth + width;
    const std::uint32_t elapsed = dwNow - dwLastTime;
    if (dwSlideTime != 0) {
        nX = ToPosition(static_cast<double>(width) / dwSlideTime * elapsed + nX);
    }
    for (int wraps = 1; nX > rcSlide.right; ++wraps) {
        nX -= span;
        if (wraps == kMaxWraps) {
            nX = rcSlide.left - kWidth;
            break;
        }
    }
    const platform::Rect& cell = rcGrSize;
    if (nX + kWidth > rcSlide.right) {
        rcSrc = {cell.left, cell.top, cell.right - (nX + kWidth - rcSlide.right), cell.bottom};
    } else if (nX < rcSlide.left) {
        rcSrc = {cell.left + (rcSlide.left - nX), cell.top, cell.right, cell.bottom};
    } else {
        rcSrc = cell;
    }
    dwLastTime = dwNow;
    return 1;
}

std::int32_t SLIDE_MARK_DATA::SlidePause(std::uint32_t dwNow) {
    dwPauseTime = dwNow;
    return 1;
}

std::int32_t SLIDE_MARK_DATA::SlideRestart(std::uint32_t dwNow) {
    dwLastTime += dwNow - dwPauseTime;
    return 1;
}

std::int32_t SLIDE_MARK_DATA::DrawX() const {
    if (nX < rcSlide.left) return nX + (kWidth - (rcSrc.right - rcSrc.left));
    return nX;
}
