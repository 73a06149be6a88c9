#pragma once

#include <cstdint>

#include "game/GRAPHIC_FILE_DATA.h"

class ZKSPRITE;
class ZKSYSTEM;

// A drawable picture: which slot of the graphics object, where, at what scale and
// alpha, shown or not. The time word serves the fade functions as their phase.
class GRAPHIC_DATA : public GRAPHIC_FILE_DATA {
public:
    GRAPHIC_DATA() { Initialize(nullptr, nullptr); }
    GRAPHIC_DATA(const GRAPHIC_DATA&) = delete;
    GRAPHIC_DATA& operator=(const GRAPHIC_DATA&) = delete;

    void Initialize(ZKSPRITE* pSpriteIn, ZKSYSTEM* pSystemIn);
    // Unloads the slot the record holds, if any, and empties the record.
    void Release();
    // The whole record, pointers and flag word included; a null source changes nothing.
    void Copy(const GRAPHIC_DATA* pSource);

    ZKSPRITE* pSprite;
    ZKSYSTEM* pSystem;
    std::uint32_t nDispFlg;
    std::uint32_t nGKind;
    std::int32_t nX;
    std::int32_t nY;
    float fScaleX;
    float fScaleY;
    float fAlpha;
    std::uint32_t dwTime;

protected:
    // Empties the record for a picture of kind nKind in slot nSlot, shown nowhere yet;
    // the object pointers are left as they are.
    void ClearPicture(std::int32_t nSlot, std::uint32_t nKind);
};
