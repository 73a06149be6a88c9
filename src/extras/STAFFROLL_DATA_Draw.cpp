#include "extras/STAFFROLL_DATA.h"
#include "game/GameContext.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"

namespace {

void CheckBackground(int nResult) {
    if (nResult == -1) platform::LogError("STAFFROLL_DATA::Draw", u8"描画に失敗しました");
}

}  // namespace

// The frame in which the story hands over to the roll draws it before its first
// step has initialised it: nothing is drawn then.
std::int32_t STAFFROLL_DATA::Draw() {
    if (nInitFlg == 0) return 1;
    CheckBackground(pContext->pSprite->DDBlt(kSurfaceBG1, nBG1X, nBG1Y, 0));
    CheckBackground(pContext->pSprite->DDBlt(kSurfaceBG2, nBG2X, nBG2Y, 1));
    if (nPhase == PHASE_CREDITS) {
        DrawCredit(CreditData[1]);
        DrawCredit(CreditData[0]);
    } else {
        DrawLogo(CreditData[0]);
    }
    return 1;
}

// The strip plain, then black over it as thick as the fade value; at 1.0 it is hidden.
void STAFFROLL_DATA::DrawCredit(const STAFFROLL_CREDIT_DATA& credit) {
    if (credit.rcSrc.empty() || credit.fFadeValue >= 1.0f) return;
    const platform::Rect& rc = credit.rcSrc;
    pContext->pSprite->DDBltRange(kSurfaceCredit, credit.nX, credit.nY, rc.left, rc.top, rc.right,
                                  rc.bottom, 0);
    if (credit.fFadeValue <= 0.0f) return;
    pContext->pSprite->D3DXSpriteDrawTL(kTextureBlack, static_cast<float>(credit.nX),
                                        static_cast<float>(credit.nY), 0, &rc, credit.fFadeValue,
                                        1.0f, 0.0f, 0);
}

// The texture while the logo fades in, the surface once it is whole.
void STAFFROLL_DATA::DrawLogo(const STAFFROLL_CREDIT_DATA& credit) {
    if (credit.rcSrc.empty() || credit.fFadeValue <= 0.0f) return;
    if (credit.fFadeValue < 1.0f) {
        pContext->pSprite->D3DXSpriteDrawTL(kTextureLogo, static_cast<float>(credit.nX),
                                            static_cast<float>(credit.nY), 0, nullptr,
                                            credit.fFadeValue, 1.0f, 0.0f, 0);
        return;
    }
    pContext->pSprite->DDBlt(kSurfaceLogo, credit.nX, credit.nY, 0);
}
