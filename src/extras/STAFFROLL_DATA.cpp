#include "extras/STAFFROLL_DATA.h"

#include "extras/StaffrollTimeline.h"
#include "game/GameContext.h"
#include "game/ResourceLoader.h"
#include "platform/core/Log.h"

namespace {

// The colour of each picture's top-left pixel.
constexpr std::uint32_t kDefaultKey = 0xFFFFFFFFu;

constexpr std::int32_t kBG1Start = -1600;
constexpr std::int32_t kBG2Start = -2320;
constexpr std::int32_t kBG2Y = 389;

constexpr std::int32_t kLogoX = 324;
constexpr std::int32_t kLogoY = 268;
// Marks the logo's record as shown; the logo is always drawn whole.
constexpr platform::Rect kLogoShown{0, 0, 1, 1};
// Nothing shows between the credits' end and the logo's rise.
constexpr std::uint32_t kLogoWaitTime = 3000;
constexpr std::uint32_t kLogoIn = 133000;
constexpr std::uint32_t kLogoFadeTime = 500;
constexpr std::uint32_t kLogoHeld = 135500;
constexpr std::uint32_t kLogoHoldTime = 4500;
constexpr std::uint32_t kLogoSetUntil = 140000;

using K = STAFFROLL_CREDIT_DATA::FADE_KIND;

// The background's x at dwElapsed: from nStart to 0 over the credits, then 0.
std::int32_t PanX(std::uint32_t dwElapsed, std::int32_t nStart) {
    const double x = static_cast<double>(dwElapsed) * -nStart /
                         static_cast<double>(StaffrollTimeline::kCreditsEnd) +
                     nStart;
    return x > 0.0 ? 0 : static_cast<std::int32_t>(x);
}

}  // namespace

std::uint32_t STAFFROLL_DATA::Initialize(const GameContext* pContextIn, std::uint32_t dwNow) {
    constexpr const char* kTag = "STAFFROLL_DATA::Initialize";
    if (pContextIn == nullptr || pContextIn->pSprite == nullptr || pContextIn->pSnd == nullptr ||
        pContextIn->pSystem == nullptr) {
        platform::LogError(kTag, u8"引数が不正です");
        return 0;
    }
    pContext = pContextIn;
    nBG1X = kBG1Start;
    nBG1Y = 0;
    nBG2X = kBG2Start;
    nBG2Y = kBG2Y;
    dwStartTime = dwNow;
    for (STAFFROLL_CREDIT_DATA& credit : CreditData) credit.Clear();
    nPhase = PHASE_CREDITS;
    if (!LoadPictures()) {
        platform::LogError(kTag, u8"画像のロードに失敗しました");
        return 0;
    }
    nInitFlg = 1;
    return 1;
}

// The first background is drawn without its key; the second and the credits keep it.
bool STAFFROLL_DATA::LoadPictures() {
    ZKSPRITE* sprite = pContext->pSprite;
    ZKSYSTEM* system = pContext->pSystem;
    return SurfaceLoad(sprite, system, kSurfaceBG1, 0, kDefaultKey) != 0 &&
           SurfaceLoad(sprite, system, kSurfaceBG2, 1, kDefaultKey) != 0 &&
           SurfaceLoad(sprite, system, kSurfaceCredit, 1, kDefaultKey) != 0 &&
           TextureLoad(sprite, system, kTextureBlack, 0, kDefaultKey) != 0;
}

void STAFFROLL_DATA::Release() {
    if (pContext != nullptr) {
        ZKSPRITE* sprite = pContext->pSprite;
        ZKSYSTEM* system = pContext->pSystem;
        for (const int surface : {kSurfaceBG1, kSurfaceBG2, kSurfaceCredit, kSurfaceLogo}) {
            SurfaceUnload(sprite, system, surface);
        }
        TextureUnload(sprite, system, kTextureLogo);
        TextureUnload(sprite, system, kTextureBlack);
    }
    nBG1X = 0;
    nBG1Y = 0;
    nBG2X = 0;
    nBG2Y = 0;
    pContext = nullptr;
    dwStartTime = 0;
    for (STAFFROLL_CREDIT_DATA& credit : CreditData) credit.Clear();
    nPhase = PHASE_CREDITS;
    nInitFlg = 0;
}

std::int32_t STAFFROLL_DATA::StaffroolStandby(std::uint32_t dwNow) {
    const std::uint32_t dwElapsed = dwNow - dwStartTime;
    std::int32_t nResult = 0;
    if (nPhase == PHASE_LOGO) {
        nResult = LogoWindow(dwElapsed, dwNow);
    } else if (dwElapsed < StaffrollTimeline::kCreditsEnd) {
        CreditsWindow(dwElapsed, dwNow);
    } else if (LogoStart(dwNow) == -1) {
        return -1;
    }
    MoveBackgrounds(dwElapsed);
    return nResult;
}

void STAFFROLL_DATA::CreditsWindow(std::uint32_t dwElapsed, std::uint32_t dwNow) {
    const StaffrollTimeline::WINDOW* pWindow = StaffrollTimeline::Find(dwElapsed);
    for (int nRecord = 0; nRecord < StaffrollTimeline::kRecords; ++nRecord) {
        const StaffrollTimeline::SETTING& setting = pWindow->setting[nRecord];
        if (!setting.bSet) continue;
        if (setting.nKind == K::FADE_OFF) {
            CreditData[nRecord].Set(0, 0, {}, 0, 0, K::FADE_OFF, dwNow);
            continue;
        }
        CreditData[nRecord].Set(setting.nX, setting.nY, setting.rcSrc,
                                dwStartTime + pWindow->dwStart, pWindow->dwEnd - pWindow->dwStart,
                                setting.nKind, dwNow);
    }
}

std::int32_t STAFFROLL_DATA::LogoStart(std::uint32_t dwNow) {
    if (SurfaceLoad(pContext->pSprite, pContext->pSystem, kSurfaceLogo, 0, kDefaultKey) == 0 ||
        TextureLoad(pContext->pSprite, pContext->pSystem, kTextureLogo, 0, kDefaultKey) == 0) {
        platform::LogError("STAFFROLL_DATA::StaffroolStandby", u8"画像のロードに失敗しました");
        return -1;
    }
    CreditData[0].Set(kLogoX, kLogoY, {}, dwStartTime + StaffrollTimeline::kCreditsEnd,
                      kLogoWaitTime, K::FADE_ZERO, dwNow);
    nPhase = PHASE_LOGO;
    return 0;
}

// The end is reported for every call from kLogoHeld on, so that a roll whose frames
// stopped over the hold still ends; the record is set only until kLogoSetUntil.
std::int32_t STAFFROLL_DATA::LogoWindow(std::uint32_t dwElapsed, std::uint32_t dwNow) {
    STAFFROLL_CREDIT_DATA& logo = CreditData[0];
    if (dwElapsed < kLogoIn) {
        logo.Set(kLogoX, kLogoY, {}, dwStartTime + StaffrollTimeline::kCreditsEnd, kLogoFadeTime,
                 K::FADE_ZERO, dwNow);
    } else if (dwElapsed < kLogoHeld) {
        logo.Set(kLogoX, kLogoY, kLogoShown, dwStartTime + kLogoIn, kLogoFadeTime, K::FADE_RISING,
                 dwNow);
    } else if (dwElapsed < kLogoSetUntil) {
        logo.Set(kLogoX, kLogoY, kLogoShown, dwStartTime + kLogoHeld, kLogoHoldTime, K::FADE_ONE,
                 dwNow);
    }
    return dwElapsed >= kLogoHeld ? 1 : 0;
}

void STAFFROLL_DATA::MoveBackgrounds(std::uint32_t dwElapsed) {
    nBG1X = PanX(dwElapsed, kBG1Start);
    nBG2X = PanX(dwElapsed, kBG2Start);
}
