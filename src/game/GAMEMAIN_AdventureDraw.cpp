#include "game/GAMEMAIN.h"
#include "graphics/ZKSPRITE.h"

std::uint32_t GAMEMAIN::ADVDrawProc() {
    const DRAW_REPORT report{"GAMEMAIN::ADVDrawProc", advDrawLatch_};
    StoryDraw(report);
    if (nMsgWndDispFlg != 0) {
        report.Check(MsgWindowData.Draw() == 0);
        report.Check(DayWindowData.Draw() == 0);
        report.Check(SelectWindowData.Draw() == 0);
    }
    ConfigData.Draw(1);
    SaveLoadWindowData.Draw();
    const GRAPHIC_DATA& fade = FadeGraphData;
    if (fade.nDispFlg != 0) {
        report.Check(pSprite->D3DXSpriteDrawEffectTL(
                         fade.nIndex, static_cast<float>(fade.nX), static_cast<float>(fade.nY),
                         static_cast<int>(fade.dwFlag), nullptr, fade.fAlpha, fade.fScaleX,
                         fade.fScaleY, 0.0f, 0) == 0);
    }
    return 1;
}
