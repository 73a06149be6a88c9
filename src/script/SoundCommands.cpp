#include <cstdint>
#include <string_view>

#include "game/GAMEMAIN.h"
#include "game/REG_KIND.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "game/ShellWords.h"
#include "platform/core/Log.h"
#include "platform/text/SjisText.h"
#include "script/SCR_FILE_DATA.h"
#include "script/ScriptArgs.h"
#include "script/ScriptCommands.h"
#include "system/DataName.h"
#include "system/ZKSYSTEM.h"

namespace {

constexpr const char* kPlayBGMTag = "GAMEMAIN::PlayBGMProc";
constexpr const char* kPlayWaveTag = "GAMEMAIN::PlayWaveProc";
constexpr const char* kStopWaveTag = "GAMEMAIN::StopWaveProc";
constexpr const char* kPlayVoiceTag = "GAMEMAIN::PlayVoiceProc";

// The sound row a line names by ID; null after the handler's not-found line.
const GRAPHIC_FILE_DATA* FindWave(GAMEMAIN& game, const SCR_CMD_DATA& cmd, const char* szTag,
                                  const char* szWord) {
    const GRAPHIC_FILE_DATA* row = game.FindFileRow(cmd.szArg[0], REG_WAVE);
    if (row == nullptr) {
        platform::LogError(szTag, u8"[%s] 合致するIDが見つかりませんでした",
                           platform::Utf8Arg(szWord));
    }
    return row;
}

void StopWave(GAMEMAIN& game, const GRAPHIC_FILE_DATA& row, bool bUnload) {
    SEStop(row.nIndex, game.pSnd, game.pSystem, *game.pShell);
    if (bUnload) SEUnload(game.pSnd, game.pSystem, row.nIndex, *game.pShell);
}

}  // namespace

// The name is checked before it is kept: the music name reaches save slots.
std::int32_t PlayBGMProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kPlayBGMTag, "#PlayBGM");
    if (args.Word(0).empty()) {
        platform::LogError(kPlayBGMTag, u8"[#PlayBGM] 再生パスが不正です");
        return ScrRefuse(cmd);
    }
    if (!IsDataName(args.Word(0))) {
        args.Invalid(0);
        return ScrRefuse(cmd);
    }
    platform::SjisCopyTruncated(game.szBGMName, sizeof game.szBGMName, args.Word(0));
    BGMPlay(game.szBGMName, game.pSnd, game.pSystem, *game.pShell);
    cmd.Clear();
    return 0;
}

std::int32_t StopBGMProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    BGMStop(1, game.pSnd, game.pSystem, *game.pShell);
    pScr->Cmd[nSlot].Clear();
    return 0;
}

std::int32_t PlayWaveProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kPlayWaveTag, "#PlayWave");
    const GRAPHIC_FILE_DATA* row = FindWave(game, cmd, kPlayWaveTag, "#PlayWave");
    if (row == nullptr) return ScrWarned(cmd);
    if (!args.Is(2, "FALSE")) SELoad(game.pSnd, game.pSystem, row->nIndex, nullptr, *game.pShell);
    const int loop = args.Number(1) < 0 ? 1 : 0;
    if (SEPlay(row->nIndex, loop, game.pSnd, game.pSystem, *game.pShell) == 0) {
        platform::LogError(kPlayWaveTag, u8"[#PlayWave] WAVE再生に失敗しました");
        return ScrWarned(cmd);
    }
    cmd.Clear();
    return 0;
}

// FALSE as the first word is an ID like any other, so stopping every sound always
// unloads them.
std::int32_t StopWaveProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kStopWaveTag, "#StopWave");
    const bool bUnload = !args.Is(1, "FALSE");
    if (!args.Word(0).empty()) {
        const GRAPHIC_FILE_DATA* row = FindWave(game, cmd, kStopWaveTag, "#StopWave");
        if (row == nullptr) return ScrRefuse(cmd);
        StopWave(game, *row, bUnload);
        cmd.Clear();
        return 0;
    }
    for (std::int32_t i = 0; i < game.nWaveNum; ++i) {
        if (game.pWaveData[i].szName[0] != '\0') StopWave(game, game.pWaveData[i], bUnload);
    }
    cmd.Clear();
    return 0;
}

// A voice is not started while Ctrl passes lines or read text is skipped; unlike a
// message, the read limit does not matter here.
std::int32_t PlayVoiceProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const std::string_view name = ScriptArgs(cmd, kPlayVoiceTag, "#PlayVoice").Word(0);
    if (!name.empty() && !IsDataName(name)) {
        platform::LogWarn(kPlayVoiceTag, u8"[#PlayVoice] 第1引数が不正です: %s",
                          platform::GameArg(name));
        return ScrWarned(cmd);
    }
    VoiceStop(game.pSnd, *game.pShell);
    const bool bSkipping =
        game.pSystem->GetKey(SYSTEM_KEY_CONTROL) != 0 || game.ScrSkipAllowed(false, false);
    if (!bSkipping) VoicePlay(cmd.szArg[0], game.pSnd, game.pSystem, *game.pShell);
    cmd.Clear();
    return 0;
}

std::int32_t StopVoiceProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    VoiceStop(game.pSnd, *game.pShell);
    pScr->Cmd[nSlot].Clear();
    return 0;
}
