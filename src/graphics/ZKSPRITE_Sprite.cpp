#include <cmath>

#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/video/DisplayStatus.h"

using platform::Affine2D;
using platform::LogError;
using platform::Rect;
using platform::RenderSetting;

namespace {

Rect WholeTexture(const ZKIMAGEDATA& slot) {
    return platform::SaturatedRect(0, 0, slot.dwWidth, slot.dwHeight);
}

// The rectangle's edges moved in by half a texel, truncated toward zero.
Rect ShrunkByHalfTexel(const Rect& r) {
    const auto shrink = [](std::int32_t edge) {
        return static_cast<std::int32_t>(std::trunc(edge - 0.5));
    };
    return Rect{shrink(r.left), shrink(r.top), shrink(r.right), shrink(r.bottom)};
}

platform::ColorRef XrgbOf(platform::ColorRef color) {
    return (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
}

}  // namespace

bool ZKSPRITE::SetRenderSetting(RenderSetting setting) {
    return pD3DXContext != nullptr && display().applyRenderSetting(*pD3DXContext, setting) >= 0;
}

void ZKSPRITE::SpriteSetting(std::string_view szName, RenderSetting setting,
                             const char8_t* szFailed) {
    if (!SetRenderSetting(setting)) platform::LogWarn(Tag(szName), szFailed);
}

void ZKSPRITE::SpriteStatesOn(std::string_view szName, int bColorKey, int bAdditive) {
    if (bColorKey != 0) {
        SpriteSetting(szName, RenderSetting::ColorKeyOn, u8"カラーキー設定に失敗しました");
    }
    if (bAdditive != 0) {
        SpriteSetting(szName, RenderSetting::AlphaBlendOn,
                      u8"デバイスのアルファブレンディング有効化に失敗しました");
        SpriteSetting(szName, RenderSetting::SourceBlendOne,
                      u8"転送元画像のアルファブレンディング設定に失敗しました");
        SpriteSetting(szName, RenderSetting::DestBlendOne,
                      u8"転送先画像のアルファブレンディング設定に失敗しました");
    }
}

void ZKSPRITE::SpriteStatesOff(std::string_view szName, int bColorKey, int bAdditive) {
    if (bAdditive != 0) {
        SpriteSetting(szName, RenderSetting::AlphaBlendOff,
                      u8"デバイスのアルファブレンディング無効化に失敗しました");
        SpriteSetting(szName, RenderSetting::PrepareForSprite,
                      u8"D3DXPrepareDeviceForSpriteが失敗しました");
        SpriteSetting(szName, RenderSetting::ColorModulate,
                      u8"テクスチャ状態の初期設定に失敗しました");
    }
    if (bColorKey != 0) {
        SpriteSetting(szName, RenderSetting::ColorKeyOff, u8"カラーキー無効に失敗しました");
    }
}

// The slot of a texture draw, or null with result set. An empty slot is reloaded
// only when the display has really lost something; a slot simply never loaded
// must not set off a reload of every picture.
ZKIMAGEDATA* ZKSPRITE::DrawableTexture(std::string_view szName, int nIndex, bool bRestore,
                                       int& result, CallSite site) {
    result = 0;
    if (!CheckState(szName, kMaskInit | kMaskTextureTable)) return nullptr;
    ZKIMAGEDATA* slot = TextureSlot(nIndex);
    if (slot != nullptr && slot->pTexture == nullptr && bRestore && display().anythingLost()) {
        ZKSpriteRestore();
    }
    const char8_t* refusal = nullptr;
    if (slot == nullptr) {
        refusal = u8"インデックス番号外を指定しています";
    } else if (slot->pTexture == nullptr) {
        refusal = u8"何らかの要因で出力元テクスチャポインタが消失しています";
    }
    return SourceRefused(szName, nIndex, refusal, site) ? nullptr : slot;
}

std::int32_t ZKSPRITE::DrawTexture(const ZKIMAGEDATA& slot, const Rect& src, const Affine2D& map,
                                   const platform::SpritePaint& paint) {
    if (pBack == nullptr) return platform::DDERR_INVALIDOBJECT;
    platform::SpriteSource source;
    source.texture = slot.pTexture.get();
    source.left = src.left;
    source.top = src.top;
    source.width = static_cast<double>(src.width());
    source.height = static_cast<double>(src.height());
    source.keyed = pD3DDevice != nullptr && pD3DDevice->state.colorKey && slot.dwColorKeyFlg != 0;
    return platform::SpriteRasterizer::DrawTextured(*pBack, source, map, paint);
}

int ZKSPRITE::D3DXSpriteDrawCenter(int nIndex, float fX, float fY, int bColorKey,
                                   const Rect* prcSrc, float fAlpha, float fScale, float fRotation,
                                   int bAdditive, CallSite site) {
    int result = 0;
    const ZKIMAGEDATA* slot = DrawableTexture("D3DXSpriteDrawCenter", nIndex, false, result, site);
    if (slot == nullptr) return result;
    if (prcSrc != nullptr && prcSrc->empty()) return 1;
    const Rect src = prcSrc != nullptr ? *prcSrc : WholeTexture(*slot);
    // Sprite centres lie on pixel centres, half a pixel in from the pixel's corner.
    const Affine2D map =
        Affine2D::Scaling(src.width() * double{fScale}, src.height() * double{fScale})
            .then(Affine2D::Rotation(fRotation))
            .then(Affine2D::Translation(fX + 0.5, fY + 0.5));
    platform::SpritePaint paint;
    paint.alpha = platform::SpriteRasterizer::AlphaByte(fAlpha);

    SpriteStatesOn("D3DXSpriteDrawCenter", bColorKey, bAdditive);
    paint.blend = pD3DDevice->state.blend();
    bool drawn = DrawTexture(*slot, src, map, paint) >= 0;
    if (!drawn) drawn = ZKSpriteRestore() != 0 && DrawTexture(*slot, src, map, paint) >= 0;
    SpriteStatesOff("D3DXSpriteDrawCenter", bColorKey, bAdditive);
    if (!drawn) {
        LogError("ZKSPRITE::D3DXSpriteDrawCenter", u8"D3DXDrawSpriteSimpleでの描画に失敗しました");
        return 0;
    }
    return 1;
}

int ZKSPRITE::D3DXSpriteDrawTL(int nIndex, float fX, float fY, int bColorKey, const Rect* prcSrc,
                               float fAlpha, float fScale, float fRotation, int bAdditive,
                               CallSite site) {
    int result = 0;
    const ZKIMAGEDATA* slot = DrawableTexture("D3DXSpriteDrawTL", nIndex, true, result, site);
    if (slot == nullptr) return result;
    const Rect src = prcSrc != nullptr ? *prcSrc : WholeTexture(*slot);
    const auto cx = static_cast<float>(fX + src.width() * double{fScale} / 2.0 - 0.5);
    const auto cy = static_cast<float>(fY + src.height() * double{fScale} / 2.0 - 0.5);
    return D3DXSpriteDrawCenter(nIndex, cx, cy, bColorKey, prcSrc, fAlpha, fScale, fRotation,
                                bAdditive, site);
}

int ZKSPRITE::D3DXSpriteDrawEffectTL(int nIndex, float fX, float fY, int bColorKey,
                                     const Rect* prcSrc, float fAlpha, float fScaleX, float fScaleY,
                                     float fRotation, int bAdditive, CallSite site) {
    int result = 0;
    const ZKIMAGEDATA* slot = DrawableTexture("D3DXSpriteDrawEffectTL", nIndex, true, result, site);
    if (slot == nullptr) return result;
    const double w = slot->dwWidth, h = slot->dwHeight;
    const auto cx = static_cast<float>(fX + w * fScaleX / 2.0);
    const auto cy = static_cast<float>(fY + h * fScaleY / 2.0);
    // The half-texel shift works on a copy: the caller may draw through the same
    // rectangle every frame.
    const Rect src = prcSrc != nullptr ? ShrunkByHalfTexel(*prcSrc) : WholeTexture(*slot);
    if (src.empty()) return 1;
    const Affine2D map = Affine2D::Scaling(w, h)
                             .then(Affine2D::Rotation(fRotation))
                             .then(Affine2D::Scaling(fScaleX, fScaleY))
                             .then(Affine2D::Translation(cx, cy));
    platform::SpritePaint paint;
    paint.alpha = platform::SpriteRasterizer::AlphaByte(fAlpha);

    SpriteStatesOn("D3DXSpriteDrawEffectTL", bColorKey, bAdditive);
    paint.blend = pD3DDevice->state.blend();
    const bool drawn = DrawTexture(*slot, src, map, paint) >= 0;
    SpriteStatesOff("D3DXSpriteDrawEffectTL", bColorKey, bAdditive);
    if (!drawn) {
        LogError("ZKSPRITE::D3DXSpriteDrawEffectTL",
                 u8"D3DXDrawSpriteTransformでの描画に失敗しました");
        return 0;
    }
    return 1;
}

int ZKSPRITE::D3DXRGBDraw(int nIndex, int nX, int nY, int bColorKey, std::uint32_t dwColor,
                          const Rect* prcSrc, int /*nZ: the quads are flat*/, CallSite site) {
    int result = 0;
    const ZKIMAGEDATA* slot = DrawableTexture("D3DXRGBDraw", nIndex, true, result, site);
    if (slot == nullptr) return result;
    if (prcSrc != nullptr && prcSrc->empty()) return 1;
    const Rect src = prcSrc != nullptr ? *prcSrc : WholeTexture(*slot);
    SetRenderSetting(RenderSetting::AlphaBlendOn);
    SetRenderSetting(RenderSetting::SourceBlendOne);
    SetRenderSetting(RenderSetting::DestBlendOne);
    if (bColorKey != 0) SetRenderSetting(RenderSetting::ColorKeyOn);

    const double w = static_cast<double>(src.width()), h = static_cast<double>(src.height());
    const Affine2D map =
        Affine2D::Scaling(w, h).then(Affine2D::Translation(nX + w / 2, nY + h / 2));
    platform::SpritePaint paint;
    paint.modulate = dwColor & 0xFFFFFF;
    paint.blend = pD3DDevice->state.blend();
    DrawTexture(*slot, src, map, paint);

    if (bColorKey != 0) SetRenderSetting(RenderSetting::ColorKeyOff);
    SetRenderSetting(RenderSetting::AlphaBlendOff);
    SetRenderSetting(RenderSetting::PrepareForSprite);
    SetRenderSetting(RenderSetting::ColorModulate);
    return 1;
}

std::int32_t ZKSPRITE::D3DXFillRectDraw(const Rect* prcRects, const platform::ColorRef* pdwColors,
                                        int nCount) {
    if (nCount < 0) {
        LogError("ZKSPRITE::D3DXFillRectDraw", u8"短形数が不正です");
        return 0;
    }
    if (prcRects == nullptr || pdwColors == nullptr) {
        LogError("ZKSPRITE::D3DXFillRectDraw", u8"引数のポインタが不正です");
        return 0;
    }
    if (!CheckState("D3DXFillRectDraw", kMaskInit)) return 0;
    std::int32_t status = platform::DD_OK;
    for (int i = 0; i < nCount; ++i) {
        const Rect rect = prcRects[i].empty() ? Rect{} : prcRects[i];
        status = platform::SpriteRasterizer::DrawFlat(*pBack, rect, XrgbOf(pdwColors[i]),
                                                      pD3DDevice->state.blend());
        if (status < 0) LogError("ZKSPRITE::D3DXFillRectDraw", u8"描画に失敗しました");
    }
    return status;
}

int ZKSPRITE::D3DXSpriteEffectSet(int bColorKey, int bAdditive) {
    if (!CheckState("D3DXSpriteEffectSet", kMaskInit)) return 0;
    SpriteStatesOn("D3DXSpriteEffectSet", bColorKey, bAdditive);
    return 1;
}

int ZKSPRITE::D3DXSpriteEffectRelease(int bColorKey, int bAdditive) {
    if (!CheckState("D3DXSpriteEffectRelease", kMaskInit)) return 0;
    SpriteStatesOff("D3DXSpriteEffectRelease", bColorKey, bAdditive);
    return 1;
}

std::int32_t ZKSPRITE::GetSurfaceColor(int nTarget, int nX, int nY) {
    const platform::Surface* surface = nullptr;
    if (nTarget == -1) {
        surface = pBack;
        if (surface == nullptr) {
            LogError("ZKSPRITE::GetSurfaceColor",
                     u8"何らかの要因でバックサーフェスポインタが消失しています");
            return 0;
        }
    } else {
        const ZKIMAGEDATA* slot = SurfaceSlot(nTarget);
        if (slot == nullptr) {
            LogError("ZKSPRITE::GetSurfaceColor", u8"インデックス番号外を指定しています");
            return 0;
        }
        surface = slot->GetSurface();
        if (surface == nullptr) {
            LogError("ZKSPRITE::GetSurfaceColor",
                     u8"何らかの要因でサーフェスポインタが消失しています");
            return 0;
        }
    }
    platform::ColorRef color = 0;
    if (surface->getPixel(nX, nY, color) != platform::DD_OK) return -1;
    return static_cast<std::int32_t>(color);
}
