#include "game/GAMEMAIN.h"
#include "platform/core/Log.h"
#include "script/ScriptArgs.h"
#include "script/ScriptCommands.h"

namespace {

// Save, load, settings and every bar button: nothing may act on a moving window.
constexpr std::int32_t kMoveMask = 1015;
constexpr std::int32_t kSkipButton = 1;
constexpr std::int32_t kBackLogButton = 8;

// A window command: how its window slides and what follows once it stands where the
// command puts it.
struct WINDOW_COMMAND {
    const char* szTag;
    const char* szWord;
    // Phase 0's own step after the masks went off; false when the window cannot be
    // shown, with its line logged.
    bool (*pSetUp)(GAMEMAIN&);
    // One frame of the slide: 1 in place, 0 still moving, -1 a window that cannot move.
    std::int32_t (*pSlide)(GAMEMAIN&, std::uint32_t);
    // The window stands in place, slid there (bSlid) or put there at once.
    void (*pInPlace)(GAMEMAIN&, bool bSlid);
    // What a wrong keyword still does before its line.
    void (*pBadWord)(GAMEMAIN&);
};

// The story goes on and the menus come back.
std::int32_t WindowDone(GAMEMAIN& game, SCR_CMD_DATA& cmd, std::int32_t nResult) {
    game.MsgWndStatusChange(kMoveMask, 1);
    cmd.Clear();
    return nResult;
}

std::int32_t RunWindowCommand(GAMEMAIN& game, SCR_CMD_DATA& cmd, const WINDOW_COMMAND& command) {
    const ScriptArgs args(cmd, command.szTag, command.szWord);
    const bool bSlide = args.Is(0, "SLIDE");
    std::uint32_t step = 0;
    if (bSlide && !args.NonNegative(1, step)) return ScrRefuse(cmd);
    // A window the player had hidden shows again.
    game.nMsgWndDispFlg = 1;
    if (cmd.dwPhase == 0) {
        game.MsgWndStatusChange(kMoveMask, 0);
        cmd.nWaitFlg = 1;
        cmd.dwPhase = 1;
        if (command.pSetUp != nullptr && !command.pSetUp(game)) return WindowDone(game, cmd, 1);
    }
    if (bSlide) {
        const std::int32_t result = command.pSlide(game, step);
        if (result == 0) return 0;
        if (result < 0) {
            platform::LogWarn(command.szTag,
                              u8"ウィンドウが初期化されていないため移動を打ち切りました");
            return WindowDone(game, cmd, 1);
        }
        command.pInPlace(game, true);
        return WindowDone(game, cmd, 0);
    }
    if (args.Is(0, "INSTANT")) {
        command.pInPlace(game, false);
        return WindowDone(game, cmd, 0);
    }
    game.MsgWndStatusChange(kMoveMask, 1);
    if (command.pBadWord != nullptr) command.pBadWord(game);
    platform::LogError(command.szTag, u8"第二引数が不正です");
    return ScrRefuse(cmd);
}

// An open slide has ended: skip, and backlog back when there is a backlog.
void OpenInPlace(GAMEMAIN& game, bool bSlid) {
    if (!bSlid) return;
    game.MsgWindowData.ButtonEnable(kSkipButton);
    if (game.MsgWindowData.BackLog[0].szText[0] != '\0') {
        game.MsgWindowData.ButtonEnable(kBackLogButton);
    }
}

std::int32_t MsgSlideOpen(GAMEMAIN& game, std::uint32_t dwStep) {
    return game.MsgWindowData.WindowOpen(dwStep);
}

// Any end of the close counts: a window never set up has nothing to slide.
std::int32_t MsgSlideClose(GAMEMAIN& game, std::uint32_t dwStep) {
    return game.MsgWindowData.WindowClose(dwStep) != 0 ? 1 : 0;
}

void MsgClosed(GAMEMAIN& game, bool) {
    game.MsgWindowData.nOpenFlg = 0;
    game.MsgWindowData.MsgData.Initialize();
}

// The story's day; day 0 when the start-up found no DAY variable.
std::int32_t StoryDay(const GAMEMAIN& game) {
    if (game.nDayVarIndex >= 0 && game.nDayVarIndex < game.nVarNum) {
        return game.pVarData[game.nDayVarIndex].nValue;
    }
    platform::LogWarn("GAMEMAIN::DayWndOpenProc",
                      u8"変数DAYが登録されていないため0日目を表示します");
    return 0;
}

bool DaySetUp(GAMEMAIN& game) {
    if (game.DayWindowData.Initialize(StoryDay(game), &game.Context) != 0) return true;
    platform::LogWarn("GAMEMAIN::DayWndOpenProc", u8"日付ウィンドウの初期化に失敗しました");
    return false;
}

std::int32_t DaySlideOpen(GAMEMAIN& game, std::uint32_t dwStep) {
    return game.DayWindowData.WindowOpen(dwStep);
}

std::int32_t DaySlideClose(GAMEMAIN& game, std::uint32_t dwStep) {
    return game.DayWindowData.WindowClose(dwStep);
}

void DayRelease(GAMEMAIN& game) { game.DayWindowData.Release(); }

void DayClosed(GAMEMAIN& game, bool) { DayRelease(game); }

constexpr WINDOW_COMMAND kMsgWndOpen{
    "GAMEMAIN::MsgWndOpenProc", "#MsgWndOpen", nullptr, MsgSlideOpen, OpenInPlace, nullptr};
constexpr WINDOW_COMMAND kMsgWndClose{
    "GAMEMAIN::MsgWndCloseProc", "#MsgWndClose", nullptr, MsgSlideClose, MsgClosed, nullptr};
constexpr WINDOW_COMMAND kDayWndOpen{
    "GAMEMAIN::DayWndOpenProc", "#DayWndOpen", DaySetUp, DaySlideOpen, OpenInPlace, nullptr};
constexpr WINDOW_COMMAND kDayWndClose{
    "GAMEMAIN::DayWndCloseProc", "#DayWndClose", nullptr, DaySlideClose, DayClosed, DayRelease};

}  // namespace

std::int32_t MsgWndOpenProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return RunWindowCommand(game, pScr->Cmd[nSlot], kMsgWndOpen);
}

std::int32_t MsgWndCloseProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return RunWindowCommand(game, pScr->Cmd[nSlot], kMsgWndClose);
}

std::int32_t DayWndOpenProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return RunWindowCommand(game, pScr->Cmd[nSlot], kDayWndOpen);
}

std::int32_t DayWndCloseProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return RunWindowCommand(game, pScr->Cmd[nSlot], kDayWndClose);
}
