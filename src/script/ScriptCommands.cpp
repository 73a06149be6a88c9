#include "script/ScriptCommands.h"

#include "platform/text/SjisText.h"
#include "script/SCR_FILE_DATA.h"

namespace {

// One word of the command table whose handler is in this build.
struct SCR_CMD_ENTRY {
    const char* szWord;
    SCR_PROC pProc;
};

constexpr SCR_CMD_ENTRY ScrCmdTable[] = {
    // Choices.
    {"#SelectEnd", &SelectEndProc},

    // Conditions.
    {"#EndIf", &EndIfProc},
    {"#Love_Jadge_End", &Love_Jadge_EndProc},

    // Flow.
    {"#RandomEnd", &RandomEndProc},

    // Messages.

    // Fades.

    // Characters.
    {"#CharIn", &CharInProc},
    {"#CharOut", &CharOutProc},
    {"#CharMove", &CharMoveProc},
    {"#CharaBodyChange", &CharBodyChangeProc},
    {"#CharaFaceChange", &CharFaceChangeProc},
    {"#CharaFaceBodyChange", &CharFaceBodyChangeProc},
    {"#CtrlEyeAnimation", &CtrlEyeAnimationProc},

    // Windows.
    {"#MsgWndOpen", &MsgWndOpenProc},
    {"#MsgWndClose", &MsgWndCloseProc},
    {"#DayWndOpen", &DayWndOpenProc},
    {"#DayWndClose", &DayWndCloseProc},
};

}  // namespace

SCR_PROC FindScrProc(std::string_view word) {
    for (const SCR_CMD_ENTRY& entry : ScrCmdTable) {
        if (platform::SjisEqualsIgnoreCase(entry.szWord, word)) return entry.pProc;
    }
    return nullptr;
}

std::int32_t ScrBlockEnd(SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    pScr->Cmd[nSlot].Clear();
    return 0;
}
