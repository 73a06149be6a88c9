#include "windows/WindowStandby.h"

bool StandbyHit(const platform::Rect& rcItem, std::int32_t nX, std::int32_t nY) {
    return rcItem.left <= nX && nX < rcItem.right && rcItem.top <= nY && nY < rcItem.bottom;
}
