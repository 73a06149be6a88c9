#include <cstring>
#include <string>

#include "game/GAMEMAIN.h"
#include "platform/core/Log.h"
#include "platform/text/Cp932.h"
#include "script/ScriptArgs.h"
#include "script/ScriptBlockScan.h"
#include "script/ScriptCommands.h"
#include "script/ScriptNumber.h"

namespace {

constexpr const char* kStartTag = "GAMEMAIN::SelectStartProc";
constexpr const char* kWaitTag = "GAMEMAIN::SelectWait";
constexpr std::uint32_t kStepTime = 100;
constexpr std::int32_t kLockMask = 1015;
// The first text is argument 2, after the count and the block number.
constexpr int kFirstText = 2;
// A backlog entry adds its 12-byte heading to the text and must fit the record's 255.
constexpr std::size_t kTextLimit = 243;

bool CountValid(std::int32_t count) {
    return count >= 1 && count <= SELECT_WINDOW_COLLECT_DATA::kMaxPlates;
}

// Every text the count announces is there and fits its backlog entry. A count out of
// range is left to its own check.
bool TextsFit(const ScriptArgs& args) {
    const std::int32_t count = args.Number(0);
    if (!CountValid(count)) return true;
    for (int i = kFirstText; i < kFirstText + count; ++i) {
        if (args.Word(i).empty()) {
            args.Invalid(i);
            return false;
        }
        if (!args.Fits(i, kTextLimit)) return false;
    }
    return true;
}

std::int32_t SelectSetUp(GAMEMAIN& game, SCR_FILE_DATA& scr, SCR_CMD_DATA& cmd) {
    const ScriptArgs args(cmd, kStartTag, "#SelectStart");
    if (!TextsFit(args)) return ScrRefuse(cmd);
    game.MsgWndStatusChange(kLockMask, 0);
    scr.nReadFlg = 0;
    const std::int32_t count = args.Number(0);
    if (!CountValid(count)) {
        platform::LogError(kStartTag, u8"[#SelectStart] 選択肢数が不正です");
        game.SelectWindowData.Release();
        return ScrRefuse(cmd);
    }
    if (game.SelectWindowData.Initialize(count, &game.Context) == 0) {
        platform::LogError(kStartTag, u8"[#SelectStart] 選択肢ウィンドウの初期化に失敗しました");
        return -1;
    }
    for (std::int32_t i = 1; i <= count; ++i) {
        game.SelectWindowData.SetSlcWndMsg(i, std::string(args.Word(i + 1)).c_str());
    }
    cmd.dwStartTime = game.GetTime();
    cmd.dwPhase = 1;
    return 0;
}

// The chosen text as the backlog keeps it, under its heading on a line of its own.
void BackLogChoice(GAMEMAIN& game, const SCR_CMD_DATA& cmd) {
    static const std::string heading = platform::utf8ToCp932(u8"【選択肢】\\n").value_or("");
    const ScriptArgs args(cmd, kWaitTag, "#SelectWait");
    std::string entry =
        heading + std::string(args.Word(game.SelectWindowData.nSelect + kFirstText));
    game.TextEscapeToLF(entry.c_str(), entry.data());
    game.MsgWindowData.SetBackLog(nullptr, entry.c_str(), nullptr);
}

// The choice is over: the window goes and the script reads on.
std::int32_t SelectDone(GAMEMAIN& game, SCR_FILE_DATA& scr, std::int32_t nSlot,
                        std::int32_t nResult) {
    scr.Cmd[nSlot].Clear();
    game.SelectWindowData.Release();
    scr.nSelectPhase = 0;
    return nResult;
}

// Reads on to the chosen branch, or to the block's end when the pick has none.
std::int32_t SelectScan(GAMEMAIN& game, SCR_FILE_DATA& scr, std::int32_t nSlot) {
    scr.nReadFlg = 1;
    scr.nNextReadFlg = 1;
    const std::int32_t id = ScriptNumber(scr.Cmd[nSlot].szArg[1]);
    const std::int32_t branch = game.SelectWindowData.nSelect + 1;
    const auto isTarget = [&](const ScriptLine& line) {
        return (ScanIsMarker(line, "#SelectBranch", 1, id) &&
                ScriptNumber(ScanWord(line, 1)) == branch) ||
               ScanIsMarker(line, "#SelectEnd", 0, id);
    };
    ScriptLine line;
    switch (ScrBlockScan(scr, kWaitTag, isTarget, line)) {
        case SCAN_RESULT::Found:
            if (ScanIsWord(line, "#SelectBranch")) return SelectDone(game, scr, nSlot, 0);
            platform::LogWarn(kWaitTag, u8"#SelectBranchが呼び出されませんでした");
            return SelectDone(game, scr, nSlot, 1);
        case SCAN_RESULT::EndOfFile:
            platform::LogWarn(kWaitTag, u8"#SelectEnd未検出のままファイルの終端に到達しました");
            return SelectDone(game, scr, nSlot, 1);
        case SCAN_RESULT::Failed:
            break;
    }
    return -1;
}

}  // namespace

std::int32_t SelectStartProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    if (cmd.dwPhase == 0) return SelectSetUp(game, *pScr, cmd);
    if (game.SelectWindowData.AppSelectWindowProc(game.GetTime(), kStepTime) != 1) return 0;
    std::strcpy(cmd.szCommand, "#SelectWait");
    game.MsgWndStatusChange(kLockMask, 1);
    cmd.dwPhase = 0;
    return 0;
}

// Only a choice that #SelectStart opened is waited for: a #SelectWait written in a
// script would hold its slot for a pick that never comes.
std::int32_t SelectWait(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    if (game.SelectWindowData.nInitFlg == 0) {
        platform::LogError(kWaitTag, u8"選択肢ウィンドウが開かれていません");
        return ScrRefuse(cmd);
    }
    switch (pScr->nSelectPhase) {
        case 0:
            if (game.SelectWindowData.nSelect != -1) pScr->nSelectPhase = 1;
            return 0;
        case 1:
            if (game.SelectWindowData.DisSelectWindowProc(game.GetTime(), kStepTime) != 1) {
                return 0;
            }
            BackLogChoice(game, cmd);
            cmd.dwStartTime = game.GetTime();
            pScr->nSelectPhase = 2;
            return 0;
        default:
            return SelectScan(game, *pScr, nSlot);
    }
}

std::int32_t SelectBranchProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    const std::int32_t id = ScriptNumber(pScr->Cmd[nSlot].szArg[1]);
    return ScrSkipToEnd(*pScr, nSlot, "GAMEMAIN::SelectBranchProc", "#SelectEnd", id,
                        u8"#SelectEnd未検出のままファイルの終端に到達しました", SCAN_CLOSE::Reset);
}

std::int32_t SelectEndProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return ScrBlockEnd(pScr, nSlot);
}
