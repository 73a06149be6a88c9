#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"

namespace {

constexpr const char* kTag = "GAMEMAIN::MosaicDrawSurfaceComposition";
// The work surface the scene is composed into, and the source that fills it black.
constexpr int kWorkSurface = 1;
constexpr int kBlackFill = -1;
constexpr int kColorKey = 1;

// One opaque copy into the work surface at scale 1.0; false when it failed.
bool Compose(ZKSPRITE& sprite, int nSource, std::int32_t nX, std::int32_t nY,
             const platform::Rect* prcSrc, std::uint32_t dwColorKey) {
    return sprite.SurfaceComposition(kWorkSurface, nSource, nX, nY, prcSrc, 1.0f, 1.0f,
                                     static_cast<int>(dwColorKey)) != 0;
}

// A picture layer composes its current frame when it is shown, holds a surface and
// has that frame.
bool ComposeLayer(ZKSPRITE& sprite, const GRAPHIC_DATA_EX& layer) {
    const std::uint32_t frame = layer.AnimData.nAnimNo;
    if (layer.nDispFlg == 0 || layer.nGKind != 1 || layer.nIndex < 0 || !layer.prcAnim ||
        frame >= layer.nAnimNum) {
        return true;
    }
    return Compose(sprite, layer.nIndex, layer.nX, layer.nY, &layer.prcAnim[frame], layer.dwFlag);
}

bool ComposeCharacter(ZKSPRITE& sprite, const ZKCHAR& chara) {
    for (const CHAR_PLACEMENT& p : chara.Placements(ZKCHAR::PLACE::Composition)) {
        if (!Compose(sprite, p.nIndex, p.nX, p.nY, p.rcSrc ? &*p.rcSrc : nullptr, kColorKey)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::uint32_t GAMEMAIN::MosaicDrawSurfaceComposition() {
    ZKSPRITE& sprite = *pSprite;
    if (sprite.GetSurfaceLoadState(kWorkSurface) != 0) {
        platform::LogError(kTag, u8"モザイク合成用サーフェスがロードされていません");
        return 0;
    }
    bool composed = true;
    const GRAPHIC_DATA& bg2 = BGGraphData2;
    if (bg2.nDispFlg != 0)
        composed = Compose(sprite, bg2.nIndex, bg2.nX, bg2.nY, nullptr, bg2.dwFlag);
    // Layer 1 is composed whether shown or not. Its strips go in place at scale 1.0, as
    // the adventure draw blits them; without a picture it is one black fill.
    const GRAPHIC_DATA& bg1 = BGGraphData1;
    const bool strips =
        ClippingData.nClipNum > 0 && ClippingData.prcClip && bg1.nIndex != kBlackFill;
    if (!strips) {
        composed = composed && Compose(sprite, bg1.nIndex, bg1.nX, bg1.nY, nullptr, bg1.dwFlag);
    }
    for (std::int32_t i = 0; strips && composed && i < ClippingData.nClipNum; ++i) {
        const platform::Rect rc = BGStripRect(i);
        if (!rc.empty()) composed = Compose(sprite, bg1.nIndex, rc.left, rc.top, &rc, bg1.dwFlag);
    }
    composed = composed && ComposeLayer(sprite, PRIM2) && ComposeLayer(sprite, PRIM1);
    for (std::int32_t i = nCharNum - 1; composed && pCharData && i >= 0; --i) {
        composed = ComposeCharacter(sprite, pCharData[i]);
    }
    if (composed) return 1;
    platform::LogError(kTag, u8"サーフェスの合成に失敗しました");
    return 0;
}
