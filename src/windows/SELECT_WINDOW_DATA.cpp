#include "windows/SELECT_WINDOW_DATA.h"

void SELECT_WINDOW_DATA::Clear() {
    nCenterX = 0;
    nCenterY = 0;
    fScale = 0;
    rcHit = {};
    nDispFlg = 0;
    nClickFlg = 0;
    nZoomFlg = 0;
    dwZoomStart = 0;
    MsgData.Initialize();
}

// A zoom of no time is over at once, never 0 / 0.
float SELECT_WINDOW_DATA::Progress(std::uint32_t dwNow, std::uint32_t dwTime) {
    if (nZoomFlg == 0) {
        dwZoomStart = dwNow;
        nZoomFlg = 1;
    }
    if (dwTime == 0) return 1.0f;
    return static_cast<float>(dwNow - dwZoomStart) / static_cast<float>(dwTime);
}

std::uint32_t SELECT_WINDOW_DATA::ZoomIn(std::uint32_t dwNow, std::uint32_t dwTime) {
    fScale = Progress(dwNow, dwTime);
    if (fScale < 1.0f) return 0;
    fScale = 1.0f;
    nZoomFlg = 0;
    return 1;
}

std::uint32_t SELECT_WINDOW_DATA::ZoomOut(std::uint32_t dwNow, std::uint32_t dwTime) {
    fScale = 1.0f - Progress(dwNow, dwTime);
    if (fScale > 0.0f) return 0;
    fScale = 0.0f;
    nZoomFlg = 0;
    return 1;
}
