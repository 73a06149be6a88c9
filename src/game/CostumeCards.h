#pragma once

#include <cstdint>
#include <string_view>

#include "platform/video/Rect.h"

class DrawFailureLatch;
class GRAPHIC_DATA_EX;
class ZKSPRITE;

// The costume cards as the costume select and the dress room both draw them: eight
// places in two rows of four, each a card face or a closed card with its place mark
// and the cursor frame, the hovered costume's whole figure and its names. Each caller
// decides from its own data what a card shows.
class CostumeCards {
public:
    // Where the pieces go, and the tag a failed blit is logged under.
    struct CANVAS {
        ZKSPRITE* pSprite;
        DrawFailureLatch* pLatch;
        std::string_view szTag;
    };
    // One place's card.
    struct CARD {
        // 1 to 8.
        std::int32_t nPlace;
        // 0 to 13; read only for an unlocked card.
        std::int32_t nClothes;
        bool bUnlocked;
        // An unlocked costume worn to the end: its card's second look.
        bool bComplete;
        bool bHovered;
        // The cursor frame's animation frame, 0 to 4.
        std::uint32_t nCursorFrame;
    };

    // The place p (1 to 8) on the 800 x 600 screen.
    static platform::Rect PlaceRect(std::int32_t nPlace);
    // The cursor frame's clock: five frames of a tenth of a second, back and forth.
    static void SetCursor(GRAPHIC_DATA_EX& cursor);
    static void DrawCard(const CANVAS& canvas, const CARD& card);
    // The figure of costume nClothes, or the picture of none for -1.
    static void DrawBody(const CANVAS& canvas, std::int32_t nClothes);
    // The katakana name with its shadow, and the English name under it.
    static void DrawNames(ZKSPRITE& sprite, std::int32_t nClothes);
    // White text in rcText over its shadow one pixel right and down; nCount bytes,
    // -1 all of it.
    static void DrawShadowedText(ZKSPRITE& sprite, const platform::Rect& rcText, const char* szText,
                                 std::uint32_t dwShadow, int nHeight, std::int32_t nCount,
                                 std::uint32_t dwFormat);
};
