#include <cstdint>

#include "game/GAMEMAIN.h"
#include "game/ResourceLoader.h"
#include "platform/core/Log.h"
#include "script/ScriptArgs.h"
#include "script/ScriptCommands.h"

namespace {

constexpr const char* kFadeInTag = "GAMEMAIN::FadeInProc";
// Save, load and settings: off while the screen is covered.
constexpr std::int32_t kSaveLoadConfig = 7;

// The overlay colours and their fixed texture slots.
struct OVERLAY_COLOR {
    const char* szWord;
    std::int32_t nSlot;
};
constexpr OVERLAY_COLOR kOverlayColors[] = {{"BLACK", 0}, {"WHITE", 1}, {"RED", 2}};

std::int32_t OverlaySlot(const ScriptArgs& args, int i) {
    for (const OVERLAY_COLOR& color : kOverlayColors) {
        if (args.Is(i, color.szWord)) return color.nSlot;
    }
    return -1;
}

// Loads the colour's texture and gives back the one the overlay held before; a
// colour that follows itself keeps the texture it has just loaded.
void LoadOverlay(GAMEMAIN& game, std::int32_t nSlot) {
    TextureLoad(game.pSprite, game.pSystem, nSlot, 0, 0xFFFFFFFFu);
    const std::int32_t nOld = game.FadeGraphData.nIndex;
    if (nOld >= 0 && nOld != nSlot) TextureUnload(game.pSprite, game.pSystem, nOld);
}

bool FadeInSetUp(GAMEMAIN& game, SCR_CMD_DATA& cmd, const ScriptArgs& args) {
    game.MsgWndStatusChange(kSaveLoadConfig, 0);
    const std::int32_t nSlot = OverlaySlot(args, 1);
    if (nSlot < 0) {
        platform::LogError(kFadeInTag, u8"定義されていない画像名です");
        return false;
    }
    if (!args.Is(2, "FALSE")) LoadOverlay(game, nSlot);
    GRAPHIC_DATA& overlay = game.FadeGraphData;
    overlay.nIndex = nSlot;
    overlay.nX = 0;
    overlay.nY = 0;
    overlay.fScaleX = 1.0f;
    overlay.fScaleY = 1.0f;
    overlay.nDispFlg = 1;
    cmd.nWaitFlg = 1;
    return true;
}

// One frame of the overlay's fade from its start value to the target; true once
// the target is reached.
bool OverlayFaded(GAMEMAIN& game, SCR_CMD_DATA& cmd, std::uint32_t dwTime, bool bFadeIn) {
    const float fTarget = bFadeIn ? 1.0f : 0.0f;
    return game.FadeTexFunc(&cmd, &game.FadeGraphData.fAlpha, fTarget, dwTime, bFadeIn ? 1 : 0,
                            1) == 0;
}

}  // namespace

std::int32_t FadeInProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kFadeInTag, "#FadeIn");
    std::uint32_t dwTime = 0;
    if (!args.Duration(0, dwTime)) return ScrRefuse(cmd);
    if (cmd.dwPhase == 0 && !FadeInSetUp(game, cmd, args)) return ScrRefuse(cmd);
    if (!OverlayFaded(game, cmd, dwTime, true)) return 0;
    cmd.Clear();
    return 0;
}

std::int32_t FadeOutProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, "GAMEMAIN::FadeOutProc", "#FadeOut");
    std::uint32_t dwTime = 0;
    if (!args.Duration(0, dwTime)) return ScrRefuse(cmd);
    GRAPHIC_DATA& overlay = game.FadeGraphData;
    if (cmd.dwPhase == 0) {
        overlay.nDispFlg = 1;
        cmd.nWaitFlg = 1;
    }
    if (!OverlayFaded(game, cmd, dwTime, false)) return 0;
    game.MsgWndStatusChange(kSaveLoadConfig, 1);
    if (!args.Is(1, "FALSE") && overlay.nIndex >= 0) {
        TextureUnload(game.pSprite, game.pSystem, overlay.nIndex);
    }
    overlay.Initialize(game.pSprite, game.pSystem);
    cmd.Clear();
    return 0;
}
