#include "windows/WindowStandby.h"

#include "game/ResourcePlayer.h"

bool StandbyHit(const platform::Rect& rcItem, std::int32_t nX, std::int32_t nY) {
    return rcItem.left <= nX && nX < rcItem.right && rcItem.top <= nY && nY < rcItem.bottom;
}

void StandbySE(int nEffect, ZKSND* pSnd, ZKSYSTEM* pSystem, const ShellWords& shell) {
    SEPlay(nEffect, 0, pSnd, pSystem, shell);
}
