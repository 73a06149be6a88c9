#include "game/GRAPHIC_DATA.h"

#include "game/ResourceLoader.h"

void GRAPHIC_DATA::Initialize(ZKSPRITE* pSpriteIn, ZKSYSTEM* pSystemIn) {
    ClearPicture(-1, 1);
    pSprite = pSpriteIn;
    pSystem = pSystemIn;
}

void GRAPHIC_DATA::ClearPicture(std::int32_t nSlot, std::uint32_t nKind) {
    Clear();
    nIndex = nSlot;
    nDispFlg = 0;
    nGKind = nKind;
    nX = 0;
    nY = 0;
    fScaleX = 0.0f;
    fScaleY = 0.0f;
    fAlpha = 1.0f;
    dwTime = 0;
}

void GRAPHIC_DATA::Copy(const GRAPHIC_DATA* pSource) {
    if (pSource == nullptr || pSource == this) return;
    Initialize(nullptr, nullptr);
    GRAPHIC_FILE_DATA::operator=(*pSource);
    dwFlag = pSource->dwFlag;
    pSprite = pSource->pSprite;
    pSystem = pSource->pSystem;
    nDispFlg = pSource->nDispFlg;
    nGKind = pSource->nGKind;
    nX = pSource->nX;
    nY = pSource->nY;
    fScaleX = pSource->fScaleX;
    fScaleY = pSource->fScaleY;
    fAlpha = pSource->fAlpha;
    dwTime = pSource->dwTime;
}

void GRAPHIC_DATA::Release() {
    if (pSprite != nullptr && nIndex >= 0) {
        if (nGKind == 1) {
            SurfaceUnload(pSprite, pSystem, nIndex);
        } else {
            TextureUnload(pSprite, pSystem, nIndex);
        }
    }
    Initialize(nullptr, nullptr);
}
