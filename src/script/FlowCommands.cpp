#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>

#include "game/GAMEMAIN.h"
#include "script/SCR_FILE_DATA.h"
#include "script/ScriptArgs.h"
#include "script/ScriptBlockScan.h"
#include "script/ScriptCommands.h"
#include "script/ScriptNumber.h"
#include "system/ClickState.h"

namespace {

constexpr const char* kRandomStartTag = "GAMEMAIN::RandomStartProc";
constexpr const char* kRandomBranchTag = "GAMEMAIN::RandomBranchProc";
constexpr const char* kJumpTag = "GAMEMAIN::JumpProc";
constexpr const char* kGoToTag = "GAMEMAIN::GoToProc";
constexpr const char* kFileChangeTag = "GAMEMAIN::FileChangeProc";
constexpr const char* kFileChangeSpecialTag = "GAMEMAIN::FileChangeSpecialProc";
constexpr const char* kTimeWaitTag = "GAMEMAIN::TimeWaitProc";
constexpr const char8_t* kNoRandomEnd = u8"#RandomEnd未検出のままファイルの終端に到達しました";

// Save, load and settings: held off while a timed wait runs.
constexpr std::int32_t kMenuMask = 7;
// #KeyWait moves on by itself this long after the last message began.
constexpr std::uint32_t kKeyWaitAutoTime = 1000;

// Which already-read rule the script moved to takes.
enum class READ_RULE {
    FromList,     // the list's entry for it, after marking the script left as read
    SkipToTheEnd  // an optional scene: skippable to its end, nothing marked
};

std::int32_t FileChange(GAMEMAIN& game, SCR_FILE_DATA& scr, std::int32_t nSlot, const char* szTag,
                        READ_RULE rule) {
    SCR_CMD_DATA& cmd = scr.Cmd[nSlot];
    const std::uint32_t dwLeftWork = scr.dwWork;
    const std::int32_t nLeftLine = scr.nLine;
    // The new script counts its own lines: a slot saved there resumes by them.
    scr.dwWork = 0;
    scr.nLine = 0;
    char szLeft[SCR_FILE_DATA::kNameSize];
    std::memcpy(szLeft, scr.szFileName, sizeof szLeft);
    scr.CloseAndDelete();
    if (game.ScrOpenResult(szTag, game.ScrFileLoad(cmd.szArg[0])) != 1) {
        // The script left stays the one the exit save records, where it stood.
        std::memcpy(scr.szFileName, szLeft, sizeof szLeft);
        scr.dwWork = dwLeftWork;
        scr.nLine = nLeftLine;
        return ScrRefuse(cmd);
    }
    if (rule == READ_RULE::FromList) {
        // Only a script really left counts as read: a refused change marks nothing.
        game.AddAutoSkipFileList(szLeft, -1);
        game.nScrSkipEnableFlg =
            game.CheckAutoSkipFileList(scr.szFileName, &game.nScrSkipLine) == 1 ? 1 : 0;
    } else {
        game.nScrSkipLine = -1;
        game.nScrSkipEnableFlg = 1;
    }
    cmd.Clear();
    return 0;
}

bool CtrlHeld(const ZKSYSTEM& sys) { return sys.GetKey(SYSTEM_KEY_CONTROL) != 0; }

bool SkipAllowed(const GAMEMAIN& game) { return game.ScrSkipAllowed(true, true); }

bool KeyWaitEnds(const GAMEMAIN& game) {
    const MSG_WINDOW_DATA& msg = game.MsgWindowData;
    if (msg.nBackLogNo >= 0 || game.nMsgWndDispFlg == 0) return false;
    const ZKSYSTEM& sys = *game.pSystem;
    if ((Clicked(sys) && msg.nHoverButton == 0) || CtrlHeld(sys) || SkipAllowed(game)) return true;
    return msg.nAutoFlg != 0 && msg.nBarUseFlg == 0 &&
           game.dwNowTime - msg.dwMsgStartTime >= kKeyWaitAutoTime;
}

// With the message window up a click alone does not cut a timed pause short: the
// player is reading.
bool TimeWaitEndsEarly(const GAMEMAIN& game) {
    const ZKSYSTEM& sys = *game.pSystem;
    if (game.MsgWindowData.nOpenFlg == 0) return CtrlHeld(sys) || Clicked(sys) || SkipAllowed(game);
    if (game.nMsgWndDispFlg == 0) return false;
    return SkipAllowed(game) || (Clicked(sys) && CtrlHeld(sys));
}

std::int32_t TimeWaitEnd(GAMEMAIN& game, SCR_CMD_DATA& cmd) {
    game.MsgWndStatusChange(kMenuMask, 1);
    cmd.Clear();
    return 0;
}

}  // namespace

std::int32_t RandomStartProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kRandomStartTag, "#RandomStart");
    std::int32_t count = 0;
    if (!args.InRange(0, 1, std::numeric_limits<std::int32_t>::max(), count)) {
        return ScrRefuse(cmd);
    }
    const std::int32_t id = args.Number(1);
    const std::int32_t branch = game.ScrRandom() % count + 1;
    const auto isTarget = [id, branch](const ScriptLine& line) {
        return ScanIsMarker(line, "#RandomEnd", 0, id) ||
               (ScanIsMarker(line, "#RandomBranch", 1, id) &&
                ScriptNumber(ScanWord(line, 1)) == branch);
    };
    return ScrScanTo(*pScr, nSlot, kRandomStartTag, isTarget, kNoRandomEnd, SCAN_CLOSE::Release);
}

std::int32_t RandomBranchProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    const std::int32_t id =
        ScriptArgs(pScr->Cmd[nSlot], kRandomBranchTag, "#RandomBranch").Number(1);
    return ScrSkipToEnd(*pScr, nSlot, kRandomBranchTag, "#RandomEnd", id, kNoRandomEnd,
                        SCAN_CLOSE::Release);
}

std::int32_t RandomEndProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return ScrBlockEnd(pScr, nSlot);
}

std::int32_t JumpProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const std::int32_t lines = ScriptArgs(cmd, kJumpTag, "#Jump").Number(0);
    if (lines <= 0) return ScrBlockEnd(pScr, nSlot);
    std::int32_t passed = 0;
    return ScrScanTo(
        *pScr, nSlot, kJumpTag, [&passed, lines](const ScriptLine&) { return ++passed == lines; },
        u8"[#Jump] ジャンプ行数がファイルの終端を超えています", SCAN_CLOSE::Reset);
}

std::int32_t GoToProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kGoToTag, "#GoTo");
    const std::string_view label = args.Word(0);
    // The empty word would match the first empty line below.
    if (label.empty()) {
        args.Invalid(0);
        return ScrRefuse(cmd);
    }
    return ScrScanTo(
        *pScr, nSlot, kGoToTag, [label](const ScriptLine& line) { return ScanIsWord(line, label); },
        u8"[#GoToProc] ラベルが検出されずにファイル終端を超えました", SCAN_CLOSE::Reset);
}

std::int32_t FileChangeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return FileChange(game, *pScr, nSlot, kFileChangeTag, READ_RULE::FromList);
}

std::int32_t FileChangeSpecialProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return FileChange(game, *pScr, nSlot, kFileChangeSpecialTag, READ_RULE::SkipToTheEnd);
}

std::int32_t GoToClothesSelectProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    pScr->nGoToClothesFlg = 1;
    return ScrBlockEnd(pScr, nSlot);
}

std::int32_t EndScriptProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    pScr->nEndScriptFlg = 1;
    return ScrBlockEnd(pScr, nSlot);
}

std::int32_t KeyWaitProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    if (cmd.dwPhase == 0) {
        cmd.dwStartTime = game.dwNowTime;
        cmd.nWaitFlg = 1;
        cmd.dwPhase = 1;
    }
    if (KeyWaitEnds(game)) cmd.Clear();
    return 0;
}

std::int32_t TimeWaitProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    std::uint32_t duration = 0;
    if (!ScriptArgs(cmd, kTimeWaitTag, "#TimeWait").Duration(0, duration)) {
        return ScrRefuse(cmd);
    }
    if (TimeWaitEndsEarly(game)) return TimeWaitEnd(game, cmd);
    if (cmd.dwPhase == 0) {
        game.MsgWndStatusChange(kMenuMask, 0);
        cmd.nWaitFlg = 1;
        cmd.dwStartTime = game.dwNowTime;
        cmd.dwPhase = 1;
    }
    if (game.dwNowTime - cmd.dwStartTime > duration) return TimeWaitEnd(game, cmd);
    return 0;
}
