#include "windows/DAY_WINDOW_DATA.h"

#include "game/GameContext.h"
#include "game/ResourceLoader.h"
#include "windows/WindowLog.h"

namespace {

using platform::Rect;

constexpr Rect kPanel{0, 0, 136, 107};
constexpr Rect kLabel{136, 90, 183, 108};
constexpr Rect kDayZero{0, 107, 79, 146};
constexpr Rect kDigitZero{220, 45, 241, 90};
// Digits 1 to 5 on the first row, 6 to 9 on the second.
constexpr std::int32_t kDigitLeft = 136;
constexpr std::int32_t kDigitWidth = 21;
constexpr std::int32_t kDigitHeight = 45;
constexpr std::int32_t kDigitsPerRow = 5;

constexpr std::int32_t kDigitY = 34;
constexpr std::int32_t kOneDigitX = 81;
constexpr std::int32_t kTensX = 71;
constexpr std::int32_t kUnitsX = 92;
constexpr std::int32_t kLabelX = 27;
constexpr std::int32_t kLabelY = 55;
constexpr std::int32_t kDayZeroX = 33;

}  // namespace

void DAY_WINDOW_DATA::Clear() {
    const SLIDE_ROW& row = SlideRow(SLIDE_WINDOW::Day);
    nInitFlg = 0;
    nDispFlg = 0;
    nSlideFlg = 0;
    nX = row.nResetX;
    nY = row.nResetY;
    fAngle = 0;
    nDay = 0;
    pContext = nullptr;
}

std::uint32_t DAY_WINDOW_DATA::Initialize(std::int32_t nDayIn, const GameContext* pContextIn) {
    if (nDayIn < 0 || pContextIn == nullptr || !pContextIn->IsComplete()) {
        WindowLogError("DAY_WINDOW_DATA::Initialize", WINDOW_FAILURE::BadArgument);
        return 0;
    }
    Clear();
    nDay = nDayIn;
    pContext = pContextIn;
    if (SurfaceLoad(pContext->pSprite, pContext->pSystem, kSurface, 1, 0xFFFFFFFFu) == 0) {
        WindowLogError("DAY_WINDOW_DATA::Initialize", WINDOW_FAILURE::ImageLoad);
        return 0;
    }
    nInitFlg = 1;
    return 1;
}

void DAY_WINDOW_DATA::Release() {
    if (nInitFlg == 0) return;
    SurfaceUnload(pContext->pSprite, pContext->pSystem, kSurface);
    Clear();
}

SLIDE_FIELDS DAY_WINDOW_DATA::Slide() { return {nInitFlg, nDispFlg, nSlideFlg, nX, nY, fAngle}; }

std::int32_t DAY_WINDOW_DATA::WindowOpen(std::uint32_t dwStep) {
    return SlideOpen(SlideRow(SLIDE_WINDOW::Day), dwStep, Slide());
}

std::int32_t DAY_WINDOW_DATA::WindowClose(std::uint32_t dwStep) {
    return SlideClose(SlideRow(SLIDE_WINDOW::Day), dwStep, Slide());
}

// Days of 100 and more show their last digit alone: no picture for the tens.
std::uint32_t DAY_WINDOW_DATA::Draw() {
    if (nInitFlg == 0 || nDispFlg == 0) return 1;
    Blt(kPanel, nX, nY);
    if (nDay == 0) {
        Blt(kDayZero, nX + kDayZeroX, nY + kDigitY);
        return 1;
    }
    if (nDay >= 10) {
        DrawDigit(nDay % 10, nX + kUnitsX);
        DrawDigit(nDay / 10, nX + kTensX);
    } else {
        DrawDigit(nDay, nX + kOneDigitX);
    }
    Blt(kLabel, nX + kLabelX, nY + kLabelY);
    return 1;
}

void DAY_WINDOW_DATA::DrawDigit(std::int32_t nDigit, std::int32_t nDestX, CallSite site) {
    if (nDigit < 0 || nDigit > 9) return;
    if (nDigit == 0) {
        Blt(kDigitZero, nDestX, nY + kDigitY, site);
        return;
    }
    const std::int32_t left = kDigitLeft + kDigitWidth * ((nDigit - 1) % kDigitsPerRow);
    const std::int32_t top = kDigitHeight * ((nDigit - 1) / kDigitsPerRow);
    Blt({left, top, left + kDigitWidth, top + kDigitHeight}, nDestX, nY + kDigitY, site);
}

void DAY_WINDOW_DATA::Blt(const Rect& rcCell, std::int32_t nDestX, std::int32_t nDestY,
                          CallSite site) {
    WindowBlt(drawLatch_, "DAY_WINDOW_DATA::Draw", pContext->pSprite, kSurface, rcCell, nDestX,
              nDestY, 0, site);
}
