#include <algorithm>
#include <cmath>

#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/video/DisplayStatus.h"

using platform::LogError;
using platform::Rect;

namespace {

// Far beyond any screen, yet safe to add and subtract in 64 bits.
constexpr double kTruncLimit = 4.0e18;

// Toward zero, held inside the 64-bit range so that no factor overflows.
std::int64_t Trunc(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<std::int64_t>(std::clamp(value, -kTruncLimit, kTruncLimit));
}

// A factor of zero, below zero or not finite scales the picture to nothing.
bool DrawableFactors(float fScaleX, float fScaleY) {
    return std::isfinite(fScaleX) && std::isfinite(fScaleY) && fScaleX > 0 && fScaleY > 0;
}

bool Contains(const Rect& outer, const Rect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

Rect WholeSlot(const ZKIMAGEDATA& slot) {
    return platform::SaturatedRect(0, 0, slot.dwWidth, slot.dwHeight);
}

}  // namespace

const ZKIMAGEDATA* ZKSPRITE::BltSource(std::string_view szName, int nIndex, const Rect* prcRange,
                                       CallSite site) {
    const ZKIMAGEDATA* slot = SurfaceSlot(nIndex);
    const char8_t* refusal = nullptr;
    if (slot == nullptr) {
        refusal = u8"出力元のインデックス番号外を指定しています";
    } else if (slot->pSurface == nullptr) {
        refusal = u8"何らかの要因で出力元サーフェスポインタが消失しています";
    } else if (prcRange != nullptr && !RangeInsidePicture(*slot, *prcRange)) {
        refusal = u8"転送元の矩形が画像の外にあります";
    }
    return SourceRefused(szName, nIndex, refusal, site) ? nullptr : slot;
}

// A draw refused once is refused again every frame until the script or screen
// changes its picture: told once per place and picture.
bool ZKSPRITE::SourceRefused(std::string_view szName, int nIndex, const char8_t* szRefusal,
                             CallSite site) {
    if (sourceLatch_.NewFailure(szRefusal != nullptr, nIndex, site)) {
        LogError(Tag(szName), szRefusal);
    }
    return szRefusal != nullptr;
}

bool ZKSPRITE::RangeInsidePicture(const ZKIMAGEDATA& slot, const Rect& range) const {
    return Contains(slot.pSurface->bounds(), range);
}

int ZKSPRITE::BltToBack(std::string_view szName, int nIndex, int nX, int nY, const Rect* prcRange,
                        int bColorKey, CallSite site) {
    if (!CheckState(szName, kMaskInit | kMaskSurfaceTable | kMaskBack)) return 0;
    const ZKIMAGEDATA* slot = BltSource(szName, nIndex, prcRange, site);
    if (slot == nullptr) return -1;
    const Rect src = prcRange != nullptr ? *prcRange : WholeSlot(*slot);
    const std::int64_t screenW = dwWidth, screenH = dwHeight;
    std::int64_t x = nX, y = nY, left = src.left, top = src.top;
    std::int64_t w = src.width(), h = src.height();
    if (x > screenW || x + w < 0 || y > screenH || y + h < 0) return 0;
    if (x < 0) {
        left -= x;
        w += x;
        x = 0;
    }
    if (x + w > screenW) w -= x + w - screenW;
    if (y < 0) {
        top -= y;
        h += y;
        y = 0;
    }
    if (y + h > screenH) h -= y + h - screenH;
    // Any failure but a lost surface goes unreported, as the blitter's always did.
    const std::int32_t status =
        pBack->blt(platform::SaturatedRect(x, y, x + w, y + h), *slot->pSurface,
                   platform::SaturatedRect(left, top, left + w, top + h), bColorKey != 0);
    if (status == platform::DDERR_SURFACELOST) return RestoreAfterLostBlit(szName);
    return 1;
}

// The picture shows again from the next frame; this blit is not repeated.
int ZKSPRITE::RestoreAfterLostBlit(std::string_view szName) {
    platform::LogMessage(Tag(szName),
                         u8"サーフェスを失っています。サーフェスのリロードを開始します");
    if (ZKSpriteRestore() != 0) return 1;
    platform::LogWarn(Tag(szName), u8"リストア処理に失敗");
    return -1;
}

int ZKSPRITE::DDBlt(int nIndex, int nX, int nY, int bColorKey, CallSite site) {
    return BltToBack("DDBlt", nIndex, nX, nY, nullptr, bColorKey, site);
}

int ZKSPRITE::DDBltRange(int nIndex, int nX, int nY, int nLeft, int nTop, int nRight, int nBottom,
                         int bColorKey, CallSite site) {
    const Rect range{nLeft, nTop, nRight, nBottom};
    if (range.empty()) return 1;
    return BltToBack("DDBltRange", nIndex, nX, nY, &range, bColorKey, site);
}

int ZKSPRITE::DDBltCenter(int nIndex, int nX, int nY, int bColorKey, CallSite site) {
    const ZKIMAGEDATA* slot = SurfaceSlot(nIndex);
    std::int64_t x = nX, y = nY;
    if (slot != nullptr) {
        x -= slot->dwWidth / 2;
        y -= slot->dwHeight / 2;
    }
    const Rect at = platform::SaturatedRect(x, y, 0, 0);
    return DDBlt(nIndex, at.left, at.top, bColorKey, site);
}

bool ZKSPRITE::ClipScaled(std::int64_t nX, std::int64_t nY, Rect src, double fScaleX,
                          double fScaleY, RightEdgeTest rightEdge, ScaledBlit& out) const {
    struct Axis {
        std::int64_t pos;
        std::int64_t start;
        std::int64_t length;
        double scale;
        std::int64_t screen;
    };
    Axis axes[2] = {{nX, src.left, src.width(), fScaleX, dwWidth},
                    {nY, src.top, src.height(), fScaleY, dwHeight}};
    for (const Axis& a : axes) {
        if (a.pos > a.screen || a.pos + Trunc(a.length * a.scale) < 0) return false;
    }
    for (Axis& a : axes) {
        if (a.pos < 0) {
            const std::int64_t d = Trunc(a.pos / a.scale);
            a.start -= d;
            a.length += d;
            a.pos = 0;
        }
        const double end = a.pos + a.length * a.scale;
        // The far-edge test reads the truncated end as an unsigned 32-bit number.
        const std::int64_t truncatedEnd = Trunc(end);
        const bool passes = rightEdge == RightEdgeTest::Exact
                                ? end > a.screen
                                : (truncatedEnd < 0 || truncatedEnd > a.screen);
        if (passes) a.length -= Trunc((end - a.screen) / a.scale);
    }
    const Axis& h = axes[0];
    const Axis& v = axes[1];
    out.src = platform::SaturatedRect(h.start, v.start, h.start + h.length, v.start + v.length);
    out.dst = platform::SaturatedRect(h.pos, v.pos, Trunc(h.pos + h.length * h.scale),
                                      Trunc(v.pos + v.length * v.scale));
    return true;
}

int ZKSPRITE::DDBltScaleWhole(int nIndex, int nX, int nY, float fScaleX, float fScaleY,
                              int bColorKey, bool bCenter, CallSite site) {
    if (!CheckState("DDBltScale", kMaskInit | kMaskSurfaceTable | kMaskBack)) return 0;
    const ZKIMAGEDATA* slot = BltSource("DDBltScale", nIndex, nullptr, site);
    if (slot == nullptr) return -1;
    if (!DrawableFactors(fScaleX, fScaleY)) return 1;
    const Rect src = WholeSlot(*slot);
    std::int64_t x = nX, y = nY;
    if (bCenter) {
        x -= Trunc(src.width() * double{fScaleX} / 2);
        y -= Trunc(src.height() * double{fScaleY} / 2);
    }
    ScaledBlit blit;
    const RightEdgeTest edge = bCenter ? RightEdgeTest::Truncated : RightEdgeTest::Exact;
    if (!ClipScaled(x, y, src, fScaleX, fScaleY, edge, blit)) return 0;
    const std::int32_t status = pBack->blt(blit.dst, *slot->pSurface, blit.src, bColorKey != 0);
    if (status == platform::DDERR_SURFACELOST) return RestoreAfterLostBlit("DDBltScale");
    return 1;
}

int ZKSPRITE::DDBltScale(int nIndex, int nX, int nY, float fScaleX, float fScaleY, int bColorKey,
                         CallSite site) {
    return DDBltScaleWhole(nIndex, nX, nY, fScaleX, fScaleY, bColorKey, false, site);
}

int ZKSPRITE::DDBltScale(int nIndex, int nX, int nY, float fScaleX, float fScaleY, int bColorKey,
                         CenterAnchor, CallSite site) {
    return DDBltScaleWhole(nIndex, nX, nY, fScaleX, fScaleY, bColorKey, true, site);
}

std::int32_t ZKSPRITE::DDBltScale(int nIndex, int nX, int nY, int nLeft, int nTop, int nRight,
                                  int nBottom, float fScaleX, float fScaleY, int bColorKey,
                                  CallSite site) {
    const Rect range{nLeft, nTop, nRight, nBottom};
    if (range.empty()) return 1;
    if (!CheckState("DDBltScale", kMaskInit | kMaskSurfaceTable | kMaskBack)) return 0;
    const ZKIMAGEDATA* slot = BltSource("DDBltScale", nIndex, &range, site);
    if (slot == nullptr) return -1;
    if (!DrawableFactors(fScaleX, fScaleY)) return platform::DD_OK;
    const std::int64_t x = nX - Trunc(range.width() * double{fScaleX} / 2);
    const std::int64_t y = nY - Trunc(range.height() * double{fScaleY} / 2);
    ScaledBlit blit;
    if (!ClipScaled(x, y, range, fScaleX, fScaleY, RightEdgeTest::Truncated, blit)) return 0;
    const std::int32_t status = pBack->blt(blit.dst, *slot->pSurface, blit.src, bColorKey != 0);
    if (status == platform::DDERR_SURFACELOST && RestoreAfterLostBlit("DDBltScale") < 0) return -1;
    return status;
}

int ZKSPRITE::SurfaceComposition(int nDest, int nSrc, int nX, int nY, const Rect* prcSrc,
                                 float fScaleX, float fScaleY, int bColorKey) {
    bool valid = true;
    if (nDest < 0 || nDest >= nSurfaceCount) {
        LogError("ZKSPRITE::SurfaceComposition", u8"引数が不正です");
        valid = false;
    }
    if (nSrc < -1 || nSrc >= nSurfaceCount) {
        LogError("ZKSPRITE::SurfaceComposition", u8"引数が不正です");
        valid = false;
    }
    if (!valid) return 0;
    const ZKIMAGEDATA& dest = pSurfaceTable[nDest];
    if (dest.pSurface == nullptr) {
        LogError("ZKSPRITE::SurfaceComposition", u8"出力先サーフェスポインタが失われています");
        return 0;
    }
    if (nSrc == -1) {
        const Rect screen = platform::SaturatedRect(0, 0, dwWidth, dwHeight);
        if (DDFillRect(nDest, &screen, 0) >= 0) return 1;
        LogError("ZKSPRITE::SurfaceComposition", u8"塗りつぶしに失敗しました");
        return 0;
    }
    const ZKIMAGEDATA& source = pSurfaceTable[nSrc];
    if (source.pSurface == nullptr) {
        LogError("ZKSPRITE::SurfaceComposition", u8"合成元サーフェスポインタが失われています");
        return 0;
    }
    const Rect src = prcSrc != nullptr ? *prcSrc : WholeSlot(source);
    if (src.empty()) return 1;
    std::int32_t status = platform::DDERR_INVALIDRECT;
    if (RangeInsidePicture(source, src)) {
        ScaledBlit blit;
        if (!DrawableFactors(fScaleX, fScaleY) ||
            !ClipScaled(nX, nY, src, fScaleX, fScaleY, RightEdgeTest::Truncated, blit)) {
            return 1;
        }
        status = dest.pSurface->blt(blit.dst, *source.pSurface, blit.src, bColorKey != 0);
    }
    if (status >= 0) return 1;
    LogError("ZKSPRITE::SurfaceComposition", u8"合成に失敗しました");
    return 0;
}
