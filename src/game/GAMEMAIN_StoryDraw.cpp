#include <algorithm>

#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"

namespace {

// The mosaic's cells are filled into this work surface, which then covers the screen.
constexpr int kMosaicSurface = 0;
constexpr std::int32_t kGreyMax = 255;

// Grey level g in each of red, green and blue.
std::uint32_t Grey(std::int32_t g) { return static_cast<std::uint32_t>(g) * 0x010101u; }

// A frame outside the layer's table has no rectangle.
const platform::Rect* FrameRect(const GRAPHIC_DATA_EX& layer, std::uint32_t n) {
    return n < layer.nAnimNum && layer.prcAnim ? &layer.prcAnim[n] : nullptr;
}

void StoryDrawBackground(const GAMEMAIN& game, const GAMEMAIN::DRAW_REPORT& report) {
    const GRAPHIC_DATA& bg1 = game.BGGraphData1;
    const GRAPHIC_DATA& bg2 = game.BGGraphData2;
    if (bg2.nDispFlg != 0) {
        report.Check(game.pSprite->DDBlt(bg2.nIndex, bg2.nX, bg2.nY, static_cast<int>(bg2.dwFlag)) <
                     0);
    }
    if (bg1.nDispFlg == 0) return;
    const int key = static_cast<int>(bg1.dwFlag);
    if (game.ClippingData.nClipNum <= 0 || !game.ClippingData.prcClip) {
        report.Check(game.pSprite->DDBlt(bg1.nIndex, bg1.nX, bg1.nY, key) < 0);
        return;
    }
    // Each strip shows the part of the picture under its current rectangle, in place.
    for (std::int32_t i = 0; i < game.ClippingData.nClipNum; ++i) {
        const platform::Rect rc = game.BGStripRect(i);
        if (rc.empty()) continue;
        report.Check(game.pSprite->DDBltRange(bg1.nIndex, rc.left, rc.top, rc.left, rc.top,
                                              rc.right, rc.bottom, key) < 0,
                     i);
    }
}

// The cells are filled only when they changed; the fill of all cells counts as one
// call, so a lost work surface gives one line, not one per cell.
void StoryDrawMosaic(GAMEMAIN& game, const GAMEMAIN::DRAW_REPORT& report) {
    if (game.nMosaicChangeFlg != 0) {
        if (game.prcMosaic && game.pdwMosaicColor) {
            bool bFailed = false;
            for (std::uint32_t i = 0; i < game.nMosaicCellNum; ++i) {
                if (game.pSprite->DDFillRect(kMosaicSurface, &game.prcMosaic[i],
                                             game.pdwMosaicColor[i]) < 0) {
                    bFailed = true;
                }
            }
            report.Check(bFailed);
        }
        game.nMosaicChangeFlg = 0;
    }
    report.Check(game.pSprite->DDBlt(kMosaicSurface, 0, 0, 0) < 0);
}

// A layer without a slot, or a frame number outside its table, draws nothing there.
void StoryDrawPicture(ZKSPRITE& sprite, const GAMEMAIN::DRAW_REPORT& report,
                      const GRAPHIC_DATA_EX& layer, int nLayer) {
    if (layer.nDispFlg == 0 || layer.nIndex < 0) return;
    const int key = static_cast<int>(layer.dwFlag);
    const platform::Rect* current = FrameRect(layer, layer.AnimData.nAnimNo);
    if (layer.nGKind == 1) {
        if (current != nullptr) {
            report.Check(sprite.DDBltRange(layer.nIndex, layer.nX, layer.nY, current->left,
                                           current->top, current->right, current->bottom, key) < 0,
                         nLayer);
        }
        return;
    }
    if (layer.nCrossFadeFlg != 0) {
        // Added quads: the next frame's weight and the current one's sum to full. A
        // weight restored from a save is held to its range.
        const std::int32_t alpha = std::clamp(layer.nCrossAlpha, 0, kGreyMax);
        if (const platform::Rect* next = FrameRect(layer, layer.nNextAnim)) {
            report.Check(sprite.D3DXRGBDraw(layer.nIndex, layer.nX, layer.nY, key,
                                            Grey(kGreyMax - alpha), next, 0) == 0,
                         nLayer);
        }
        if (current != nullptr) {
            report.Check(sprite.D3DXRGBDraw(layer.nIndex, layer.nX, layer.nY, key, Grey(alpha),
                                            current, 0) == 0,
                         nLayer);
        }
        return;
    }
    if (current == nullptr) return;
    // No command sets a layer's scale, which stays 0.0 from its set-up: that is the
    // picture's own size.
    const float fScale = layer.fScaleX == 0.0f ? 1.0f : layer.fScaleX;
    report.Check(sprite.D3DXSpriteDrawTL(layer.nIndex, static_cast<float>(layer.nX),
                                         static_cast<float>(layer.nY), key, current, layer.fAlpha,
                                         fScale, 0.0f, 0) == 0,
                 nLayer);
}

}  // namespace

// A failing draw is logged once, and again only after that call has drawn in
// between: the same failure would otherwise be logged every frame.
void GAMEMAIN::DRAW_REPORT::Check(bool bFailed, int nItem, CallSite site) const {
    latch.Check(szTag, bFailed ? -1 : 0, nItem, site);
}

platform::Rect GAMEMAIN::BGStripRect(std::int32_t i) const {
    const std::int32_t nIndex = BGGraphData1.nIndex;
    const platform::Rect picture{0, 0, static_cast<std::int32_t>(pSprite->GetSurfaceWidth(nIndex)),
                                 static_cast<std::int32_t>(pSprite->GetSurfaceHeight(nIndex))};
    return platform::Intersect(ClippingData.prcClip[i], picture);
}

void GAMEMAIN::StoryDraw(const DRAW_REPORT& report) {
    StoryDrawBackground(*this, report);
    if (nMosaicDispFlg != 0) {
        StoryDrawMosaic(*this, report);
        return;
    }
    StoryDrawPicture(*pSprite, report, PRIM2, 2);
    StoryDrawPicture(*pSprite, report, PRIM1, 1);
    if (pCharData) {
        for (std::int32_t i = nCharNum - 1; i >= 0; --i) pCharData[i].Draw();
    }
}
