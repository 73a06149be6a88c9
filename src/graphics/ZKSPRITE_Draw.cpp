#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/video/DisplayStatus.h"

using platform::LogError;

namespace {

constexpr platform::ColorRef kWhite = 0xFFFFFF;

}  // namespace

// 1 with the target's drawing context taken, 0 refused by the guard, -1 failed.
int ZKSPRITE::OpenContext(std::string_view szName, int nTarget, platform::Surface*& target,
                          EmptySlot emptySlot) {
    if (!CheckState(szName, kMaskInit)) return 0;
    if (nTarget < -2 || nTarget >= nSurfaceCount) {
        LogError(Tag(szName), u8"インデックス番号外を指定しています");
        return -1;
    }
    const char8_t* failure = nullptr;
    if (nTarget == -1) {
        if (!CheckState(szName, kMaskBack)) return 0;
        target = pBack;
        failure = u8"バックサーフェスからデバイスコンテキストの取得に失敗しました";
    } else if (nTarget == -2) {
        if (!CheckState(szName, kMaskPrimary)) return 0;
        target = pPrimary;
        failure = u8"プライマリサーフェスからデバイスコンテキストの取得に失敗しました";
    } else {
        target = pSurfaceTable[nTarget].GetSurface();
        if (target == nullptr && emptySlot == EmptySlot::Refused) {
            LogError(Tag(szName), u8"何らかの要因で出力先サーフェスポインタが消失しています");
            return -1;
        }
        failure = u8"指定サーフェスからデバイスコンテキストの取得に失敗しました";
    }
    if (target == nullptr || target->contextStatus() != platform::DD_OK) {
        LogError(Tag(szName), failure);
        return -1;
    }
    return 1;
}

int ZKSPRITE::DDRectangle(int nTarget, const platform::Rect* prcRect, platform::ColorRef dwColor) {
    platform::Surface* target = nullptr;
    const int opened = OpenContext("DDRectangle", nTarget, target, EmptySlot::Refused);
    if (opened != 1) return opened;
    if (prcRect != nullptr) {
        // A pen two pixels wide drawn inside the rectangle; the default brush is white.
        const platform::Rect& r = *prcRect;
        target->fill(r, dwColor);
        target->fill(platform::SaturatedRect(std::int64_t{r.left} + 2, std::int64_t{r.top} + 2,
                                             std::int64_t{r.right} - 2, std::int64_t{r.bottom} - 2),
                     kWhite);
    }
    return platform::DD_OK;
}

int ZKSPRITE::DDFillRect(int nTarget, const platform::Rect* prcRect, platform::ColorRef dwColor) {
    platform::Surface* target = nullptr;
    const int opened = OpenContext("DDFillRect", nTarget, target, EmptySlot::Refused);
    if (opened != 1) return opened;
    if (prcRect != nullptr) target->fill(*prcRect, dwColor);
    return platform::DD_OK;
}
