#include "game/CostumeCards.h"

#include "game/CostumeNames.h"
#include "game/GRAPHIC_DATA_EX.h"
#include "graphics/ZKSPRITE.h"
#include "windows/WindowLog.h"

namespace {

using platform::Rect;

constexpr int kBackBuffer = -1;
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
constexpr std::uint32_t kCursorFrames = 5;
constexpr std::uint32_t kCursorFrameMs = 100;
// Back and forth, drawn from a surface.
constexpr std::uint32_t kPingPong = 1;
constexpr std::uint32_t kSurfaceKind = 1;
constexpr int kCursorWidth = 131;
constexpr int kCursorHeight = 164;
constexpr int kWeight = 700;
// Centred both ways on a single line.
constexpr std::uint32_t kCentredLine = 37;
// COLORREF.
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kNameShadow = 0x1E1E1E;

}  // namespace

Rect CostumeCards::PlaceRect(std::int32_t nPlace) {
    const std::int32_t column = (nPlace - 1) % 4;
    const std::int32_t top = nPlace <= 4 ? 90 : 258;
    return {290 + 128 * column, top, 406 + 128 * column, top + kCardHeight};
}

void CostumeCards::SetCursor(GRAPHIC_DATA_EX& cursor) {
    cursor.Set(kSurfaceKind, kSurfaceMaterial, kCursorFrames, kPingPong, 1, 0, 0);
    for (std::uint32_t k = 0; k < kCursorFrames; ++k) {
        const int left = kCursorWidth * static_cast<int>(k);
        const Rect cell{left, 0, left + kCursorWidth, kCursorHeight};
        cursor.AnimationSet(static_cast<std::int32_t>(k), kCursorFrameMs, &cell,
                            ANIMATION_DATA::kKeepType);
    }
}

// A closed card is cut by its place, whatever costume the place would show.
void CostumeCards::DrawCard(const CANVAS& canvas, const CARD& card) {
    const Rect rect = PlaceRect(card.nPlace);
    if (card.bUnlocked) {
        const int top = card.bComplete ? kCardHeight : 0;
        const Rect face{kCardWidth * card.nClothes, top, kCardWidth * (card.nClothes + 1),
                        top + kCardHeight};
        WindowBlt(*canvas.pLatch, canvas.szTag, canvas.pSprite, kSurfaceFaces, face, rect.left,
                  rect.top, card.nPlace, CallSite::Here());
        const int left = 655 + 16 * (card.nPlace - 1);
        WindowBlt(*canvas.pLatch, canvas.szTag, canvas.pSprite, kSurfaceMaterial,
                  Rect{left, 146, left + 16, 162}, rect.left + 5, rect.top + 5, card.nPlace,
                  CallSite::Here());
    } else {
        const Rect back{kCardWidth * (card.nPlace - 1), 0, kCardWidth * card.nPlace, kCardHeight};
        WindowBlt(*canvas.pLatch, canvas.szTag, canvas.pSprite, kSurfaceBacks, back, rect.left,
                  rect.top, card.nPlace, CallSite::Here());
    }
    if (!card.bHovered) return;
    const int frame = static_cast<int>(card.nCursorFrame);
    const Rect cursor{kCursorWidth * frame, 0, kCursorWidth * frame + kCursorWidth, kCursorHeight};
    WindowBlt(*canvas.pLatch, canvas.szTag, canvas.pSprite, kSurfaceMaterial, cursor, rect.left - 7,
              rect.top - 7, 0, CallSite::Here());
}

void CostumeCards::DrawBody(const CANVAS& canvas, std::int32_t nClothes) {
    const std::int32_t body = nClothes >= 0 ? nClothes : kNoBody;
    const Rect cell{kBodyWidth * body, 0, kBodyWidth * (body + 1), kBodyHeight};
    WindowBlt(*canvas.pLatch, canvas.szTag, canvas.pSprite, kSurfaceBodies, cell, kBodyX, kBodyY, 0,
              CallSite::Here());
}

void CostumeCards::DrawNames(ZKSPRITE& sprite, std::int32_t nClothes) {
    const COSTUME_NAME& name = *CostumeName(nClothes);
    DrawShadowedText(sprite, Rect{8, 50, 280, 76}, name.japanese.c_str(), kNameShadow, 24, -1,
                     kCentredLine);
    const Rect english{8, 74, 280, 88};
    sprite.DDTextOutRange(kBackBuffer, &english, name.english.c_str(), kWhite, 12, -1, kWeight,
                          kCentredLine);
}

void CostumeCards::DrawShadowedText(ZKSPRITE& sprite, const Rect& rcText, const char* szText,
                                    std::uint32_t dwShadow, int nHeight, std::int32_t nCount,
                                    std::uint32_t dwFormat) {
    const Rect shadow{rcText.left + 1, rcText.top + 1, rcText.right + 1, rcText.bottom + 1};
    sprite.DDTextOutRange(kBackBuffer, &shadow, szText, dwShadow, nHeight, nCount, kWeight,
                          dwFormat);
    sprite.DDTextOutRange(kBackBuffer, &rcText, szText, kWhite, nHeight, nCount, kWeight, dwFormat);
}
