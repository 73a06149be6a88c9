#include <algorithm>
#include <cstring>

#include "game/CLT_SLC_DATA.h"
#include "game/CostumeNames.h"
#include "game/GameContext.h"
#include "graphics/ZKSPRITE.h"
#include "windows/WindowLog.h"

namespace {

using platform::Rect;

constexpr const char* kTag = "CLT_SLC_DATA::Draw";
constexpr int kBackBuffer = -1;
constexpr int kSurfaceBack = 14;
constexpr int kSurfaceMaterial = 15;
constexpr int kSurfaceFaces = 16;
constexpr int kSurfaceBacks = 17;
constexpr int kSurfaceBodies = 18;
constexpr int kCardWidth = 116;
constexpr int kCardHeight = 150;
constexpr int kBodyWidth = 260;
constexpr int kBodyHeight = 348;
constexpr int kBodyX = 14;
constexpr int kBodyY = 94;
// The body cell after the 14 costumes: nothing hovered.
constexpr std::int32_t kNoBody = 14;
constexpr int kWeight = 700;
// Centred both ways on a single line; word-wrapped.
constexpr std::uint32_t kCentredLine = 37;
constexpr std::uint32_t kWordWrap = 16;
// COLORREF.
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kNameShadow = 0x1E1E1E;
constexpr std::uint32_t kDescriptionShadow = 0x404040;

}  // namespace

std::int32_t CLT_SLC_DATA::Draw() {
    if (nInitFlg == 0) return 1;
    drawLatch_.Check(kTag, pContext->pSprite->DDBlt(kSurfaceBack, 0, 0, 0));
    for (std::int32_t place = 1; place <= kPlaceCount; ++place) DrawPlace(place);
    const std::int32_t hovered = nCursorPos >= 1 ? PlacedClothes(nCursorPos) : -1;
    const std::int32_t body = hovered >= 0 ? hovered : kNoBody;
    const Rect bodyCell{kBodyWidth * body, 0, kBodyWidth * (body + 1), kBodyHeight};
    WindowBlt(drawLatch_, kTag, pContext->pSprite, kSurfaceBodies, bodyCell, kBodyX, kBodyY, 0,
              CallSite::Here());
    if (hovered >= 0) DrawNames(hovered);
    if (szDescription[0] != '\0') DrawDescription();
    return 1;
}

void CLT_SLC_DATA::DrawPlace(std::int32_t nPlace) {
    const Rect rect = PlaceRect(nPlace);
    const std::int32_t clothes = PlacedClothes(nPlace);
    if (Choosable(clothes)) {
        const int top = (pClothesFlg[clothes] & 2) != 0 ? kCardHeight : 0;
        const Rect face{kCardWidth * clothes, top, kCardWidth * (clothes + 1), top + kCardHeight};
        WindowBlt(drawLatch_, kTag, pContext->pSprite, kSurfaceFaces, face, rect.left, rect.top,
                  nPlace, CallSite::Here());
        const int left = 655 + 16 * (nPlace - 1);
        WindowBlt(drawLatch_, kTag, pContext->pSprite, kSurfaceMaterial,
                  Rect{left, 146, left + 16, 162}, rect.left + 5, rect.top + 5, nPlace,
                  CallSite::Here());
    } else {
        const Rect back{kCardWidth * (nPlace - 1), 0, kCardWidth * nPlace, kCardHeight};
        WindowBlt(drawLatch_, kTag, pContext->pSprite, kSurfaceBacks, back, rect.left, rect.top,
                  nPlace, CallSite::Here());
    }
    if (nPlace != nCursorPos) return;
    const int frame = static_cast<int>(CursorAnim.AnimData.nAnimNo);
    const Rect cursor{131 * frame, 0, 131 * frame + 131, 164};
    WindowBlt(drawLatch_, kTag, pContext->pSprite, kSurfaceMaterial, cursor, rect.left - 7,
              rect.top - 7, 0, CallSite::Here());
}

void CLT_SLC_DATA::DrawNames(std::int32_t nClothes) {
    const COSTUME_NAME& name = *CostumeName(nClothes);
    ZKSPRITE& sprite = *pContext->pSprite;
    const Rect shadow{9, 51, 281, 77};
    const Rect japanese{8, 50, 280, 76};
    const Rect english{8, 74, 280, 88};
    sprite.DDTextOutRange(kBackBuffer, &shadow, name.japanese.c_str(), kNameShadow, 24, -1, kWeight,
                          kCentredLine);
    sprite.DDTextOutRange(kBackBuffer, &japanese, name.japanese.c_str(), kWhite, 24, -1, kWeight,
                          kCentredLine);
    sprite.DDTextOutRange(kBackBuffer, &english, name.english.c_str(), kWhite, 12, -1, kWeight,
                          kCentredLine);
}

// The buffer keeps the tail of an earlier, longer text past the terminator: the
// typed count never reaches beyond it.
void CLT_SLC_DATA::DrawDescription() {
    const auto length = static_cast<std::int32_t>(::strnlen(szDescription, kDescriptionLimit));
    const std::int32_t count = nDescLength == -1 ? -1 : std::min(nDescLength, length);
    ZKSPRITE& sprite = *pContext->pSprite;
    const Rect shadow{23, 466, 787, 541};
    const Rect text{22, 465, 786, 540};
    sprite.DDTextOutRange(kBackBuffer, &shadow, szDescription, kDescriptionShadow, 24, count,
                          kWeight, kWordWrap);
    sprite.DDTextOutRange(kBackBuffer, &text, szDescription, kWhite, 24, count, kWeight, kWordWrap);
}
