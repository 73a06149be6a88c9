#include "game/ModeLeaving.h"

#include "game/GRAPHIC_DATA.h"
#include "game/GRAPHIC_DATA_EX.h"
#include "game/GameContext.h"
#include "game/ModeHost.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "game/ShellWords.h"
#include "platform/core/Log.h"
#include "script/ZKCHAR.h"

bool LoadOverlayTexture(ModeHost& host, const char* szTag, const char8_t* szText, int nTexture) {
    const GameContext& context = host.Context();
    if (TextureLoad(context.pSprite, context.pSystem, nTexture, 0, 0) != 0) return true;
    platform::LogError(szTag, szText);
    return false;
}

void ReleaseStoryScene(ModeHost& host, bool bResetChars) {
    host.BGGraphData1().Release();
    host.BGGraphData2().Release();
    host.PRIM1().Reset();
    host.PRIM2().Reset();
    ZKCHAR* pCharData = host.CharData();
    for (std::int32_t i = 0; bResetChars && pCharData && i < host.CharNum(); ++i) {
        pCharData[i].Reset(1);
    }
    const GameContext& context = host.Context();
    BGMStop(1, context.pSnd, context.pSystem, *context.pShell);
    VoiceStop(context.pSnd, *context.pShell);
    host.UnloadModeResources();
}
