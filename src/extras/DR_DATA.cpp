#include "extras/DR_DATA.h"

#include <cstring>

#include "extras/DressRoomComments.h"
#include "game/CostumeCards.h"
#include "game/GameContext.h"
#include "script/TextEscape.h"
#include "windows/WindowLog.h"

namespace {

constexpr int kSurfaceBack = 21;
// Loaded after the background, in this order; unloaded the other way round.
constexpr int kKeyedSurfaces[] = {15, 16, 17, 18, 22};
constexpr int kEffects[] = {4, 5, 6};

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
    return WindowLoadSurfaces(*pContext, {&kSurfaceBack, 1}, 0) &&
           WindowLoadSurfaces(*pContext, kKeyedSurfaces, 1);
}

void DR_DATA::Release() {
    if (pContext != nullptr) {
        WindowUnloadEffects(*pContext, kEffects);
        WindowUnloadSurfaces(*pContext, kKeyedSurfaces);
        WindowUnloadSurfaces(*pContext, {&kSurfaceBack, 1});
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
