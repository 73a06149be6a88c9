#include <algorithm>
#include <cstring>

#include "game/CLT_SLC_DATA.h"
#include "game/CostumeCards.h"
#include "game/GameContext.h"
#include "graphics/ZKSPRITE.h"

namespace {

using platform::Rect;

constexpr const char* kTag = "CLT_SLC_DATA::Draw";
constexpr int kSurfaceBack = 14;
// Word-wrapped.
constexpr std::uint32_t kWordWrap = 16;
// COLORREF.
constexpr std::uint32_t kDescriptionShadow = 0x404040;

}  // namespace

std::int32_t CLT_SLC_DATA::Draw() {
    if (nInitFlg == 0) return 1;
    drawLatch_.Check(kTag, pContext->pSprite->DDBlt(kSurfaceBack, 0, 0, 0));
    const CostumeCards::CANVAS canvas{pContext->pSprite, &drawLatch_, kTag};
    for (std::int32_t place = 1; place <= kPlaceCount; ++place) {
        const std::int32_t clothes = PlacedClothes(place);
        const bool bUnlocked = Choosable(clothes);
        CostumeCards::DrawCard(
            canvas, {place, clothes, bUnlocked, bUnlocked && (pClothesFlg[clothes] & 2) != 0,
                     place == nCursorPos, CursorAnim.AnimData.nAnimNo});
    }
    const std::int32_t hovered = nCursorPos >= 1 ? PlacedClothes(nCursorPos) : -1;
    CostumeCards::DrawBody(canvas, hovered);
    if (hovered >= 0) CostumeCards::DrawNames(*pContext->pSprite, hovered);
    if (szDescription[0] != '\0') DrawDescription();
    return 1;
}

// The buffer keeps the tail of an earlier, longer text past the terminator: the
// typed count never reaches beyond it.
void CLT_SLC_DATA::DrawDescription() {
    const auto length = static_cast<std::int32_t>(::strnlen(szDescription, kDescriptionLimit));
    const std::int32_t count = nDescLength == -1 ? -1 : std::min(nDescLength, length);
    CostumeCards::DrawShadowedText(*pContext->pSprite, Rect{22, 465, 786, 540}, szDescription,
                                   kDescriptionShadow, 24, count, kWordWrap);
}
