#include <cstddef>
#include <cstdint>

#include "game/GAMEMAIN.h"
#include "game/ResourcePlayer.h"
#include "game/ShellWords.h"
#include "platform/core/Log.h"
#include "script/ScriptArgs.h"
#include "script/ScriptCommands.h"
#include "sound/ZKSND.h"
#include "system/ClickState.h"
#include "system/DataName.h"
#include "system/ZKSYSTEM.h"

namespace {

constexpr const char* kMsgDispTag = "GAMEMAIN::MsgDispProc";

// #MsgDisp's phases.
constexpr std::uint32_t kPhaseSetUp = 0;
constexpr std::uint32_t kPhaseReveal = 1;
constexpr std::uint32_t kPhaseWait = 2;

// GAMEMAIN::nMsgVoiceFlg.
constexpr std::uint32_t kNoVoice = 0;
constexpr std::uint32_t kVoiceStarted = 1;

// The voice buffer and its states: sounding, stopped part-way, holding nothing.
constexpr int kVoiceBuffer = 0;
constexpr std::int32_t kVoiceSounding = 0;
constexpr std::int32_t kVoiceStopped = 1;
constexpr std::int32_t kVoiceEmpty = -2;
// A failed state query, also what a game without sound has to report.
constexpr std::int32_t kVoiceStateUnknown = -1;

constexpr std::uint32_t kVoicePollDelay = 500;
constexpr std::size_t kAutoWaitPerByte = 75;
constexpr std::size_t kAutoWaitBase = 500;

// An optional word that is there: neither missing nor "NULL".
bool Given(const ScriptArgs& args, int i) { return !args.Word(i).empty() && !args.Is(i, "NULL"); }

// Speaker, text and voice fit their records, the voice names a file and the wait is
// not negative; the wait defaults to the time the text takes to read. The wait only
// paces auto mode (a click moves on), so it holds nothing and has no upper limit.
bool MsgDispArgsFit(const ScriptArgs& args, std::uint32_t& dwWait) {
    if (!args.Fits(0, MSG_DATA::kNameSize - 1) || !args.Fits(1, MSG_DATA::kTextSize - 1)) {
        return false;
    }
    if (Given(args, 2) && !IsDataName(args.Word(2))) {
        args.Invalid(2);
        return false;
    }
    if (args.Word(3).empty()) {
        dwWait = static_cast<std::uint32_t>(args.Word(1).size() * kAutoWaitPerByte + kAutoWaitBase);
        return true;
    }
    return args.NonNegative(3, dwWait);
}

// Ctrl held, or skipping through read text; the open-screen test belongs to the wait.
bool SkipsText(const GAMEMAIN& game, bool bWaiting) {
    return game.pSystem->GetKey(SYSTEM_KEY_CONTROL) != 0 || game.ScrSkipAllowed(true, bWaiting);
}

// A click on a bar button belongs to the bar.
bool Clicked(const GAMEMAIN& game) {
    return game.MsgWindowData.nHoverButton == 0 && Clicked(*game.pSystem);
}

// Without sound there is no voice buffer to ask.
std::int32_t VoiceState(const GAMEMAIN& game) {
    if (game.pShell->soundAvailable == 0) return kVoiceStateUnknown;
    return game.pSnd->DAGetState(kVoiceBuffer);
}

// A failed query: neither a play state nor an empty buffer.
bool Unreadable(std::int32_t state) { return state < 0 && state != kVoiceEmpty; }

void StopSoundingVoice(GAMEMAIN& game) {
    const std::int32_t state = game.pSnd->DAGetState(kVoiceBuffer);
    if (game.MsgVoiceStateLatch.NewFailure(Unreadable(state))) {
        platform::LogError(kMsgDispTag, u8"呼び出したZKSND::DAGetPlayStateが失敗しました");
    }
    if (state != kVoiceSounding && state != kVoiceStopped) return;
    if (VoiceStop(game.pSnd, *game.pShell) == 0) {
        platform::LogError(kMsgDispTag, u8"呼び出したZKSND::DAStopが失敗しました");
    }
}

// The line's voice, after the previous line's; the line then waits for it to end.
void StartVoice(GAMEMAIN& game, const char* szVoice) {
    if (game.pShell->soundAvailable != 0) StopSoundingVoice(game);
    if (VoicePlay(szVoice, game.pSnd, game.pSystem, *game.pShell) == 0) {
        platform::LogError(kMsgDispTag, u8"音声再生に失敗しました");
    }
    game.nMsgVoiceFlg = kVoiceStarted;
}

std::int32_t MsgDispSetUp(GAMEMAIN& game, SCR_CMD_DATA& cmd, const ScriptArgs& args) {
    std::uint32_t dwWait = 0;
    if (!MsgDispArgsFit(args, dwWait)) return ScrRefuse(cmd);
    MSG_WINDOW_DATA& window = game.MsgWindowData;
    MSG_DATA& msg = window.MsgData;
    window.nDispByte = 0;
    for (std::uint32_t& word : game.dwMsgTextWork) word = 0;
    msg.Initialize();
    msg.SetScriptText(args.Word(1));
    if (Given(args, 0)) msg.SetName(args.Word(0));
    if (Given(args, 2)) msg.SetVoice(args.Word(2));
    window.dwAutoWaitTime = dwWait;
    game.MsgTextEscapeToLF(msg.szScriptText, msg.szText);
    window.SetBackLog(msg.szName, msg.szText, msg.szVoice);
    if (window.BackLog[1].szText[0] != '\0') window.ButtonEnable(1 << MSG_BUTTON_BACK);
    window.dwMsgStartTime = game.dwNowTime;
    game.nMsgVoiceFlg = kNoVoice;
    if (msg.szVoice[0] != '\0' && !SkipsText(game, false)) StartVoice(game, msg.szVoice);
    cmd.dwStartTime = game.dwNowTime;
    cmd.nWaitFlg = 1;
    cmd.dwPhase = kPhaseReveal;
    return 0;
}

std::int32_t MsgDispReveal(GAMEMAIN& game, SCR_CMD_DATA& cmd) {
    std::int32_t& shown = game.MsgWindowData.nDispByte;
    game.MsgRevealUpdate(cmd.dwStartTime);
    if (game.nMsgWndDispFlg != 0 && SkipsText(game, false)) shown = -1;
    if (Clicked(game)) shown = -1;
    if (shown != -1) return 0;
    cmd.dwStartTime = game.dwNowTime;
    cmd.dwPhase = kPhaseWait;
    return 0;
}

// The voice the line started has ended: asked no sooner than 500 ms after the text
// completed or the voice was last found sounding. Any state but sounding counts as
// ended, so a voice switched off, missing, stopped or unreadable never holds the line;
// an unreadable one is logged once, and again only after a state was read.
bool VoiceEnded(GAMEMAIN& game, SCR_CMD_DATA& cmd) {
    if (game.dwNowTime - cmd.dwStartTime < kVoicePollDelay) return false;
    const std::int32_t state = VoiceState(game);
    if (game.MsgVoiceStateLatch.NewFailure(Unreadable(state))) {
        platform::LogError(kMsgDispTag, u8"再生状態の取得に失敗しました");
    }
    if (state != kVoiceSounding) return true;
    cmd.dwStartTime = game.dwNowTime;
    return false;
}

bool AutoAdvanceReady(GAMEMAIN& game, SCR_CMD_DATA& cmd) {
    const MSG_WINDOW_DATA& window = game.MsgWindowData;
    if (window.nAutoFlg == 0) return false;
    if (game.dwNowTime - window.dwMsgStartTime < window.dwAutoWaitTime) return false;
    return game.nMsgVoiceFlg == kNoVoice || VoiceEnded(game, cmd);
}

std::int32_t MsgDispWait(GAMEMAIN& game, SCR_CMD_DATA& cmd) {
    MSG_WINDOW_DATA& window = game.MsgWindowData;
    const bool bAuto = AutoAdvanceReady(game, cmd);
    if (game.nMsgWndDispFlg == 0) return 0;
    if (!Clicked(game) && !SkipsText(game, true) && !(bAuto && window.nBarUseFlg == 0)) return 0;
    window.nBarUseFlg = 0;
    VoiceStop(game.pSnd, *game.pShell);
    cmd.Clear();
    return 0;
}

}  // namespace

std::int32_t MsgDispProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    if (cmd.dwPhase == kPhaseSetUp) {
        return MsgDispSetUp(game, cmd, ScriptArgs(cmd, kMsgDispTag, "#MsgDisp"));
    }
    // A browsed backlog holds the line where it stands.
    if (game.MsgWindowData.nBackLogNo >= 0) return 0;
    if (cmd.dwPhase == kPhaseReveal) return MsgDispReveal(game, cmd);
    return MsgDispWait(game, cmd);
}

std::int32_t MsgClearProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    game.MsgWindowData.nDispByte = 0;
    game.MsgWindowData.MsgData.Initialize();
    pScr->Cmd[nSlot].Clear();
    return 0;
}
