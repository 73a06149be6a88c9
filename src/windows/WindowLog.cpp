#include "windows/WindowLog.h"

#include "game/GameContext.h"
#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"

void WindowLogError(std::string_view szTag, WINDOW_FAILURE failure) {
    constexpr const char8_t* kTexts[] = {u8"初期化されていません", u8"画像のロードに失敗しました",
                                         u8"引数が不正です", u8"描画に失敗しました"};
    platform::LogError(szTag, kTexts[static_cast<int>(failure)]);
}

void WindowBlt(DrawFailureLatch& latch, std::string_view szTag, ZKSPRITE* pSprite, int nSurface,
               const platform::Rect& rcCell, std::int32_t nX, std::int32_t nY, int nItem,
               CallSite site) {
    latch.Check(szTag,
                pSprite->DDBltRange(nSurface, nX, nY, rcCell.left, rcCell.top, rcCell.right,
                                    rcCell.bottom, 1),
                nItem, site);
}

bool WindowLoadEffects(const GameContext& context, std::string_view szTag,
                       std::span<const int> effects) {
    for (const int effect : effects) {
        if (SELoad(context.pSnd, context.pSystem, effect, nullptr, *context.pShell) == 0) {
            platform::LogError(szTag, u8"SEのロードに失敗しました");
            return false;
        }
    }
    return true;
}

void WindowUnloadEffects(const GameContext& context, std::span<const int> effects) {
    for (auto it = effects.rbegin(); it != effects.rend(); ++it) {
        SEUnload(context.pSnd, context.pSystem, *it, *context.pShell);
    }
}

bool WindowLoadSurfaces(const GameContext& context, std::span<const int> surfaces, int bColorKey) {
    constexpr std::uint32_t kKeyFromCorner = 0xFFFFFFFFu;
    for (const int surface : surfaces) {
        if (SurfaceLoad(context.pSprite, context.pSystem, surface, bColorKey, kKeyFromCorner) ==
            0) {
            return false;
        }
    }
    return true;
}

void WindowUnloadSurfaces(const GameContext& context, std::span<const int> surfaces) {
    for (auto it = surfaces.rbegin(); it != surfaces.rend(); ++it) {
        SurfaceUnload(context.pSprite, context.pSystem, *it);
    }
}
