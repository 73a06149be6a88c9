#include <cstring>
#include <iterator>
#include <string_view>

#include "extras/DR_DATA.h"
#include "game/CostumeCards.h"
#include "game/GameContext.h"
#include "graphics/ZKSPRITE.h"
#include "platform/text/SjisText.h"

namespace {

using platform::Rect;

constexpr const char* kTag = "DR_DATA::Draw";
constexpr int kSurfaceBack = 21;
constexpr int kSurfaceMaterial = 15;
constexpr int kSurfaceFaces = 22;

// A button's three looks one under the other, by state: resting, pointed at (drawn a
// pixel higher) and held down.
struct BUTTON_LOOK {
    int nState;
    std::int32_t nX;
    std::int32_t nY;
    std::int32_t nLeft;
    std::int32_t nWidth;
    // The page it is on; -1 both.
    std::int32_t nPage;
};
constexpr BUTTON_LOOK kButtonLooks[] = {
    {DR_DATA::kPrevButton, 304, 412, 775, 32, 1},
    {DR_DATA::kNextButton, 744, 412, 807, 32, 0},
    {DR_DATA::kExitButton, 656, 564, 665, 110, -1},
};
constexpr std::int32_t kButtonHeight = 32;

// By expression: where its face lies on the sheet.
constexpr std::int32_t kFaceLeft[] = {0, 232, 116};
constexpr std::int32_t kFaceWidth = 116;
constexpr std::int32_t kFaceHeight = 92;

// Word-wrapped.
constexpr std::uint32_t kWordWrap = 16;
// COLORREF.
constexpr std::uint32_t kCommentShadow = 0x404040;

}  // namespace

std::int32_t DR_DATA::Draw() {
    if (nInitFlg == 0) return 1;
    drawLatch_.Check(kTag, pContext->pSprite->DDBlt(kSurfaceBack, 0, 0, 0));
    const CostumeCards::CANVAS canvas{pContext->pSprite, &drawLatch_, kTag};
    for (std::int32_t place = 1; place <= PlaceCount(); ++place) {
        const std::int32_t flag = PlacedFlag(place);
        CostumeCards::DrawCard(canvas,
                               {place, place + 8 * nPage - 1, (flag & 1) != 0, (flag & 2) != 0,
                                nSelectId == place, Cursor.AnimData.nAnimNo});
    }
    const bool bCostume = nSelectId >= 1 && nSelectId <= 8;
    const std::int32_t shown = bCostume ? nSelectId + 8 * nPage - 1 : -1;
    CostumeCards::DrawBody(canvas, shown);
    DrawButtons();
    if (bCostume) DrawShownCostume(shown);
    if (szDispComment[0] != '\0') DrawComment();
    return 1;
}

// Drawn without the key.
void DR_DATA::DrawButtons() {
    ZKSPRITE& sprite = *pContext->pSprite;
    for (const BUTTON_LOOK& look : kButtonLooks) {
        if (look.nPage != -1 && look.nPage != nPage) continue;
        const std::int32_t state = nBtnState[look.nState];
        const std::int32_t top = kButtonHeight * state;
        const std::int32_t y = state == 1 ? look.nY - 1 : look.nY;
        drawLatch_.Check(kTag,
                         sprite.DDBltRange(kSurfaceMaterial, look.nX, y, look.nLeft, top,
                                           look.nLeft + look.nWidth, top + kButtonHeight, 0),
                         look.nState);
    }
}

// The names and the heroine's face; what they return is not looked at.
void DR_DATA::DrawShownCostume(std::int32_t nClothes) {
    ZKSPRITE& sprite = *pContext->pSprite;
    CostumeCards::DrawNames(sprite, nClothes);
    const std::uint32_t expression = CommentData[nClothes].nExpression;
    if (expression >= std::size(kFaceLeft)) return;
    const std::int32_t left = kFaceLeft[expression];
    sprite.DDBltRange(kSurfaceFaces, 18, 456, left, 0, left + kFaceWidth, kFaceHeight, 1);
}

// A count that would end inside a two-byte character shows the whole characters
// before it; a count past the text, or -1, shows all of it.
void DR_DATA::DrawComment() {
    const std::string_view text(szDispComment, ::strnlen(szDispComment, kCommentLimit));
    CostumeCards::DrawShadowedText(*pContext->pSprite, Rect{145, 465, 780, 540}, szDispComment,
                                   kCommentShadow, 24,
                                   platform::SjisTypedCount(text, nCommentCount), kWordWrap);
}
