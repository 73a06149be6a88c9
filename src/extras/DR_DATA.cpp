#include "extras/DR_DATA.h"

#include <cstring>

#include "extras/DressRoomComments.h"
#include "game/CostumeCards.h"
#include "game/GameContext.h"
#include "game/ResourceLoader.h"
#include "script/TextEscape.h"
#include "windows/WindowLog.h"

namespace {

constexpr int kSurfaceBack = 21;
// Loaded in this order, the background first; unloaded the other way round.
constexpr int kSurfaces[] = {kSurfaceBack, 15, 16, 17, 18, 22};
constexpr int kEffects[] = {4, 5, 6};
// The colour of each picture's top-left pixel.
constexpr std::uint32_t kDefaultKey = 0xFFFFFFFFu;

}  // namespace

DR_DATA::DR_DATA() { ClearScreenState(); }

void DR_DATA::ClearScreenState() {
    nSelectId = kNoItem;
    nCursorId = kNoItem;
    nPage = 0;
    for (std::int32_t& state : nBtnState) state = 0;
    dwCommentStartTime = 0;
    nCommentCount = 0;
    szDispComment[0] = '\0';
}

std::uint32_t DR_DATA::Initialize(const GameContext* pContextIn,
                                  const std::int32_t* pnClothesFlgIn) {
    constexpr const char* kTag = "DR_DATA::Initialize";
    if (pContextIn == nullptr || !pContextIn->IsComplete() || pnClothesFlgIn == nullptr) {
        WindowLogError(kTag, WINDOW_FAILURE::BadArgument);
        return 0;
    }
    pContext = pContextIn;
    pnClothesFlg = pnClothesFlgIn;
    ClearScreenState();
    CostumeCards::SetCursor(Cursor);
    if (!LoadMaterial()) {
        WindowLogError(kTag, WINDOW_FAILURE::ImageLoad);
        return 0;
    }
    if (!WindowLoadEffects(*pContext, kTag, kEffects)) return 0;
    for (std::int32_t clothes = 1; clothes <= kClothesCount; ++clothes) {
        SetCommentData(clothes, &CommentData[clothes - 1]);
    }
    nInitFlg = 1;
    return 1;
}

// Only the background is drawn without its key.
bool DR_DATA::LoadMaterial() {
    for (const int surface : kSurfaces) {
        const int colorKey = surface == kSurfaceBack ? 0 : 1;
        if (SurfaceLoad(pContext->pSprite, pContext->pSystem, surface, colorKey, kDefaultKey) ==
            0) {
            return false;
        }
    }
    return true;
}

void DR_DATA::Release() {
    if (pContext != nullptr) {
        for (auto it = std::rbegin(kEffects); it != std::rend(kEffects); ++it) {
            SEUnload(pContext->pSnd, pContext->pSystem, *it, *pContext->pShell);
        }
        for (auto it = std::rbegin(kSurfaces); it != std::rend(kSurfaces); ++it) {
            SurfaceUnload(pContext->pSprite, pContext->pSystem, *it);
        }
    }
    pContext = nullptr;
    pnClothesFlg = nullptr;
    ClearScreenState();
    nInitFlg = 0;
    Cursor.Reset();
}

std::int32_t DR_DATA::SetCommentData(std::int32_t nClothes, DR_COMMENT_DATA* pComment) {
    const DRESS_ROOM_COMMENT* comment = DressRoomComment(nClothes);
    if (comment == nullptr || pComment == nullptr) return 0;
    pComment->Set(comment->nExpression, comment->text.c_str());
    return 1;
}

// The record is turned in place, so a comment shown again is already turned; the
// walk never takes the trail byte of a two-byte character for a backslash.
void DR_DATA::TextEscapeToLF(char* szSource, char* szDest) {
    EscapesToLineBreaks(szSource);
    const std::size_t length = ::strnlen(szSource, DR_COMMENT_DATA::kTextSize - 1);
    std::memcpy(szDest, szSource, length);
    szDest[length] = '\0';
}

// Halving and doubling in floating point leaves the count as it was, odd or even.
void DR_DATA::CommentReveal(std::uint32_t dwStart, std::uint32_t dwNow, std::int32_t nLimit) {
    if (nCommentCount == -1) return;
    const double shown = static_cast<double>(dwNow - dwStart) * 60 / 1000 / 2 * 2;
    nCommentCount = shown >= nLimit ? -1 : static_cast<std::int32_t>(shown);
}
