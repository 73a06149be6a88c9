#include <type_traits>

#include "game/GAMEMAIN.h"
#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"

namespace {

enum class FadeWay { Down, Up };

// The warnings of one fade function when its target lies outside the range.
struct FadeTexts {
    const char* tag;
    const char8_t* below;
    const char8_t* above;
};

template <class Value>
constexpr Value kFullRange = std::is_integral_v<Value> ? Value(255) : Value(1);

template <class Value>
Value ClampedTarget(Value target, const FadeTexts& texts) {
    if (target < Value(0)) {
        platform::LogWarn(texts.tag, texts.below);
        return Value(0);
    }
    if (target > kFullRange<Value>) {
        platform::LogWarn(texts.tag, texts.above);
        return kFullRange<Value>;
    }
    return target;
}

// The value the full-range curve has reached after elapsed of duration ms. Integers
// are held to just beyond their range before truncation, so a long-elapsed fade
// never converts an unrepresentable value.
template <class Value>
Value CurveValue(std::uint32_t elapsed, std::uint32_t duration, FadeWay way) {
    const double full = kFullRange<Value>;
    const double ratio = static_cast<double>(elapsed) / duration * full;
    double v = way == FadeWay::Up ? ratio : full - ratio;
    if constexpr (std::is_integral_v<Value>) {
        if (v < -1.0) v = -1.0;
        if (v > 256.0) v = 256.0;
    }
    return static_cast<Value>(v);
}

// One call of a fade: the first call only stamps the start; later calls move the
// value along the curve, never backwards, and end it on the target. A duration of
// 0 ends the fade as soon as any time has passed.
template <class Value>
std::uint32_t RunFade(std::uint32_t now, std::uint32_t* pdwStartTime, std::uint32_t* pdwPhase,
                      Value* pValue, Value target, std::uint32_t duration, FadeWay way,
                      const FadeTexts& texts) {
    const Value previous = *pValue;
    target = ClampedTarget(target, texts);
    if (*pdwPhase == 0) {
        *pdwStartTime = now;
        *pdwPhase = 1;
        return 2;
    }
    if (*pdwPhase != 1) return 2;
    const std::uint32_t elapsed = now - *pdwStartTime;
    bool reached = false;
    if (duration == 0) {
        reached = elapsed > 0;
    } else {
        Value v = CurveValue<Value>(elapsed, duration, way);
        if (way == FadeWay::Down && v > previous) v = previous;
        if (way == FadeWay::Up && v < previous) v = previous;
        *pValue = v;
        reached = way == FadeWay::Down ? *pValue <= target : *pValue >= target;
    }
    if (!reached) return 2;
    *pValue = target;
    *pdwPhase = 0;
    return 0;
}

}  // namespace

std::uint32_t GAMEMAIN::FadeOutTexFunc(std::uint32_t* pdwStartTime, std::uint32_t* pdwPhase,
                                       float* pfValue, float fTarget, std::uint32_t dwFadeTime) {
    static constexpr FadeTexts texts{"GAMEMAIN::FadeOutTexFunc",
                                     u8"目的フェード値が0.0f未満です。0.0fに修正します",
                                     u8"目的フェード値が1.0fより大きいです。1.0fに修正します"};
    return RunFade(dwNowTime, pdwStartTime, pdwPhase, pfValue, fTarget, dwFadeTime, FadeWay::Down,
                   texts);
}

std::uint32_t GAMEMAIN::FadeInTexFunc(std::uint32_t* pdwStartTime, std::uint32_t* pdwPhase,
                                      float* pfValue, float fTarget, std::uint32_t dwFadeTime) {
    static constexpr FadeTexts texts{"GAMEMAIN::FadeInTexFunc",
                                     u8"目的フェード値が0.0f未満です。0.0fに修正します",
                                     u8"目的フェード値が1.0fより大きいです。1.0fに修正します"};
    return RunFade(dwNowTime, pdwStartTime, pdwPhase, pfValue, fTarget, dwFadeTime, FadeWay::Up,
                   texts);
}

std::uint32_t GAMEMAIN::FadeOutFunc(std::uint32_t* pdwStartTime, std::uint32_t* pdwPhase,
                                    std::int32_t* pnValue, std::int32_t nTarget,
                                    std::uint32_t dwFadeTime) {
    static constexpr FadeTexts texts{"GAMEMAIN::FadeOutFunc",
                                     u8"目的フェード値が0未満です。0に修正します",
                                     u8"目的フェード値が255より大きいです。255に修正します"};
    return RunFade(dwNowTime, pdwStartTime, pdwPhase, pnValue, nTarget, dwFadeTime, FadeWay::Down,
                   texts);
}

std::uint32_t GAMEMAIN::FadeInFunc(std::uint32_t* pdwStartTime, std::uint32_t* pdwPhase,
                                   std::int32_t* pnValue, std::int32_t nTarget,
                                   std::uint32_t dwFadeTime) {
    static constexpr FadeTexts texts{"GAMEMAIN::FadeInFunc",
                                     u8"目的フェード値が0未満です。0に修正します",
                                     u8"目的フェード値が255より大きいので255に修正します"};
    return RunFade(dwNowTime, pdwStartTime, pdwPhase, pnValue, nTarget, dwFadeTime, FadeWay::Up,
                   texts);
}

namespace {

// A fade on a command slot: the first call stamps the slot and, when asked, puts
// the value at the start of its range; later calls run the plain fade.
template <class Value>
std::uint32_t RunSlotFade(std::uint32_t now, SCR_CMD_DATA* pCmd, Value* pValue, Value target,
                          std::uint32_t duration, std::uint32_t bFadeIn, std::uint32_t bReset,
                          const FadeTexts& texts) {
    target = ClampedTarget(target, texts);
    const FadeWay way = bFadeIn != 0 ? FadeWay::Up : FadeWay::Down;
    if (pCmd->dwPhase == 0) {
        pCmd->dwStartTime = now;
        if (bReset != 0) *pValue = way == FadeWay::Up ? Value(0) : kFullRange<Value>;
        pCmd->dwPhase = 1;
        return 2;
    }
    if (pCmd->dwPhase != 1) return 2;
    std::uint32_t phase = 1;
    return RunFade(now, &pCmd->dwStartTime, &phase, pValue, target, duration, way, texts);
}

}  // namespace

std::uint32_t GAMEMAIN::FadeTexFunc(SCR_CMD_DATA* pCmd, float* pfValue, float fTarget,
                                    std::uint32_t dwFadeTime, std::uint32_t bFadeIn,
                                    std::uint32_t bResetValue) {
    static constexpr FadeTexts texts{"GAMEMAIN::FadeTexFunc",
                                     u8"目的フェード値が0.0f未満です。0.0fに修正します",
                                     u8"目的フェード値が1.0fより大きいので1.0fに修正します"};
    return RunSlotFade(dwNowTime, pCmd, pfValue, fTarget, dwFadeTime, bFadeIn, bResetValue, texts);
}

std::uint32_t GAMEMAIN::FadeFunc(SCR_CMD_DATA* pCmd, std::int32_t* pnValue, std::int32_t nTarget,
                                 std::uint32_t dwFadeTime, std::uint32_t bFadeIn,
                                 std::uint32_t bResetValue) {
    static constexpr FadeTexts texts{"GAMEMAIN::FadeFunc",
                                     u8"目的フェード値が0未満です。0に修正します",
                                     u8"目的フェード値が255より大きいです。255に修正します"};
    return RunSlotFade(dwNowTime, pCmd, pnValue, nTarget, dwFadeTime, bFadeIn, bResetValue, texts);
}

void GAMEMAIN::ShowOverlay(float fAlpha, int nTexture) {
    FadeGraphData.Initialize(pSprite, pSystem);
    FadeGraphData.nIndex = nTexture;
    FadeGraphData.nGKind = 0;
    FadeGraphData.dwFlag = 0;
    FadeGraphData.nDispFlg = 1;
    FadeGraphData.fScaleX = 1.0f;
    FadeGraphData.fScaleY = 1.0f;
    FadeGraphData.fAlpha = fAlpha;
}

void GAMEMAIN::DrawOverlay() {
    const GRAPHIC_DATA& fade = FadeGraphData;
    if (fade.nDispFlg == 0 || fade.fAlpha <= 0.0f) return;
    pSprite->D3DXSpriteDrawEffectTL(fade.nIndex, static_cast<float>(fade.nX),
                                    static_cast<float>(fade.nY), static_cast<int>(fade.dwFlag),
                                    nullptr, fade.fAlpha, fade.fScaleX, fade.fScaleY, 0.0f, 0);
}

std::int32_t GAMEMAIN::OverlayFadeAway(const char* szTag, std::uint32_t dwFadeTime) {
    if (FadeOutTexFunc(&dwProcStartTime, &FadeGraphData.dwTime, &FadeGraphData.fAlpha, 0.0f,
                       dwFadeTime) != 0) {
        return 0;
    }
    if (TextureUnload(pSprite, pSystem, FadeGraphData.nIndex) == 0) {
        platform::LogError(szTag, u8"呼び出したTextureUnloadが失敗しました");
        return -1;
    }
    FadeGraphData.Initialize(pSprite, pSystem);
    return 1;
}
