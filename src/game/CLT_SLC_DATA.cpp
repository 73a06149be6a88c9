#include "game/CLT_SLC_DATA.h"

#include <cstring>

#include "game/CostumeCards.h"
#include "game/GameContext.h"
#include "platform/core/Log.h"
#include "script/TextEscape.h"
#include "system/ZKSYSTEM.h"
#include "windows/WindowLog.h"

namespace {

constexpr int kSurfaceBack = 14;
constexpr int kColorKeyedSurfaces[] = {15, 16, 17, 18};
constexpr int kEffectHover = 4;
constexpr int kEffectDecide = 5;
constexpr int kEffects[] = {kEffectHover, kEffectDecide};

}  // namespace

CLT_SLC_DATA::CLT_SLC_DATA() {
    for (CLOTHES_DATA& clothes : ClothesData) clothes.Clear();
    for (std::int32_t& place : nSortNo) place = -1;
}

void CLT_SLC_DATA::ClearScreenState() {
    nCursorPos = 0;
    nMousePos = 0;
    dwDescStartTime = 0;
    nDescLength = 0;
    szDescription[0] = '\0';
}

std::uint32_t CLT_SLC_DATA::Initialize(const GameContext* pContextIn,
                                       const std::int32_t* pClothesFlgIn) {
    constexpr const char* kTag = "CLT_SLC_DATA::Initialize";
    if (pContextIn == nullptr || !pContextIn->IsComplete() || pClothesFlgIn == nullptr) {
        WindowLogError(kTag, WINDOW_FAILURE::BadArgument);
        return 0;
    }
    pContext = pContextIn;
    pClothesFlg = pClothesFlgIn;
    ClearScreenState();
    CostumeCards::SetCursor(CursorAnim);
    if (!LoadMaterial()) {
        WindowLogError(kTag, WINDOW_FAILURE::ImageLoad);
        return 0;
    }
    if (!WindowLoadEffects(*pContext, kTag, kEffects)) return 0;
    nInitFlg = 1;
    return 1;
}

bool CLT_SLC_DATA::LoadMaterial() {
    return WindowLoadSurfaces(*pContext, {&kSurfaceBack, 1}, 0) &&
           WindowLoadSurfaces(*pContext, kColorKeyedSurfaces, 1);
}

// Nothing is tested first: a screen never initialised has no context and unloads
// nothing.
void CLT_SLC_DATA::Release() {
    if (pContext != nullptr) {
        WindowUnloadEffects(*pContext, kEffects);
        WindowUnloadSurfaces(*pContext, kColorKeyedSurfaces);
        WindowUnloadSurfaces(*pContext, {&kSurfaceBack, 1});
    }
    pContext = nullptr;
    pClothesFlg = nullptr;
    CursorAnim.Reset();
    ClearScreenState();
    nInitFlg = 0;
}

// The order map comes back from save slots: an entry past the costumes is no costume.
std::int32_t CLT_SLC_DATA::PlacedClothes(std::int32_t nPlace) const {
    const std::int32_t clothes = nSortNo[nPlace - 1];
    return clothes >= 0 && clothes < kClothesCount ? clothes : -1;
}

bool CLT_SLC_DATA::Choosable(std::int32_t nClothes) const {
    return nClothes >= 0 && (ClothesData[nClothes].dwFlag & 1u) != 0;
}

std::int32_t CLT_SLC_DATA::ClothesSelectStandby(std::int32_t nMouseX, std::int32_t nMouseY,
                                                std::int32_t nLeft, std::uint32_t dwNow) {
    if (nInitFlg == 0) {
        WindowLogError("CLT_SLC_DATA::ClothesSelectStandby", WINDOW_FAILURE::NotInitialized);
        return -1;
    }
    KeyCursorMove();
    std::int32_t result = 0;
    std::int32_t hit = 0;
    for (std::int32_t place = 1; place <= kPlaceCount && hit == 0; ++place) {
        const platform::Rect rect = CostumeCards::PlaceRect(place);
        if (nMouseX >= rect.left && nMouseX < rect.right && nMouseY >= rect.top &&
            nMouseY < rect.bottom) {
            hit = place;
        }
    }
    if (hit != 0) {
        nMousePos = hit;
        const std::int32_t clothes = PlacedClothes(hit);
        if (Choosable(clothes)) {
            result = 1;
            if (nCursorPos != hit) {
                nCursorPos = hit;
                nDescLength = 0;
                dwDescStartTime = dwNow;
                SetDescription(ClothesData[clothes].szDescription, szDescription);
                pContext->Sound().Effect(kEffectHover);
            }
            if (nLeft == KEY_STATE_RELEASED) {
                pContext->Sound().Effect(kEffectDecide);
                result = 2;
            }
        }
    }
    if (result == 0) {
        szDescription[0] = '\0';
        nDescLength = 0;
        dwDescStartTime = 0;
        nCursorPos = 0;
        if (hit == 0) nMousePos = 0;
    }
    if (szDescription[0] != '\0') DescriptionProc(dwDescStartTime, dwNow, kDescriptionLimit);
    CursorAnim.AnimationProc(dwNow);
    return result;
}

// The escapes are turned in place, so the costume keeps the shown form; the slot
// writer escapes it again.
void CLT_SLC_DATA::SetDescription(char* szSource, char* szDest) {
    EscapesToLineBreaks(szSource);
    const std::size_t length = ::strnlen(szSource, CLOTHES_DATA::kDescriptionSize - 1);
    std::memcpy(szDest, szSource, length);
    szDest[length] = '\0';
}

void CLT_SLC_DATA::DescriptionProc(std::uint32_t dwStart, std::uint32_t dwNow,
                                   std::int32_t nLimit) {
    if (nDescLength == -1) return;
    const std::uint64_t shown = std::uint64_t{dwNow - dwStart} * 60 / 1000;
    nDescLength =
        shown >= static_cast<std::uint64_t>(nLimit) ? -1 : static_cast<std::int32_t>(shown);
}
