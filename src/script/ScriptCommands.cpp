#include "script/ScriptCommands.h"

#include <iterator>

#include "platform/text/SjisText.h"
#include "script/SCR_FILE_DATA.h"
#include "script/ScrCmdWords.h"

namespace {

// One word of the command table and its handler.
struct SCR_CMD_ENTRY {
    const char* szWord;
    SCR_PROC pProc;
};

constexpr SCR_CMD_ENTRY ScrCmdTable[] = {
    // Choices.
    {"#SelectStart", &SelectStartProc},
    {"#SelectWait", &SelectWait},
    {"#SelectBranch", &SelectBranchProc},
    {"#SelectEnd", &SelectEndProc},

    // Conditions.
    {"#If", &IfProc},
    {"#ElseIf", &ElseIfProc},
    {"#If_C", &BrIf_CProc},
    {"#ElseIf_C", &ElseIf_CProc},
    {"#Else", &ElseProc},
    {"#EndIf", &EndIfProc},
    {"#Love_Jadge_Start", &Love_Jadge_StartProc},
    {"#Love_Jadge_End", &Love_Jadge_EndProc},

    // Flow.
    {"#RandomStart", &RandomStartProc},
    {"#RandomBranch", &RandomBranchProc},
    {"#RandomEnd", &RandomEndProc},
    {"#Jump", &JumpProc},
    {"#GoTo", &GoToProc},
    {"#FileChange", &FileChangeProc},
    {"#FileChangeSpecial", &FileChangeSpecialProc},
    {"#GoToClothesSelect", &GoToClothesSelectProc},
    {"#EndScript", &EndScriptProc},
    {"#KeyWait", &KeyWaitProc},
    {"#TimeWait", &TimeWaitProc},

    // Messages.
    {"#MsgDisp", &MsgDispProc},
    {"#MsgClear", &MsgClearProc},

    // Fades.
    {"#FadeIn", &FadeInProc},
    {"#FadeOut", &FadeOutProc},

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

    // Data.
    {"#LoadData", &LoadDataProc},
    {"#UnLoadData", &UnLoadDataProc},

    // Sound.
    {"#PlayBGM", &PlayBGMProc},
    {"#StopBGM", &StopBGMProc},
    {"#PlayWave", &PlayWaveProc},
    {"#StopWave", &StopWaveProc},
    {"#PlayVoice", &PlayVoiceProc},
    {"#StopVoice", &StopVoiceProc},

    // Costumes and endings.
    {"#ClothesDataChange", &ClothesDataChangeProc},
    {"#ClothesDataSort", &ClothesDataSortProc},
    {"#GameClearFlgON", &GameClearFlgONProc},

    // Variables and flags.
    {"#AddVar", &VarAddProc},
    {"#ChangeVar", &VarChangeProc},
    {"#FlgONVar", &VarFlgONProc},
    {"#FlgOFFVar", &VarFlgOFFProc},

    // Backgrounds.
    {"#BGDisp", &BGDispProc},
    {"#WipeOut", &WipeOutProc},
    {"#WipeIn", &WipeInProc},
    {"#WipeEnd", &WipeEndProc},
    {"#Wipe", &WipeProc},

    // Mosaic.
    {"#MosaicExpansion", &MosaicExpansionProc},
    {"#MosaicReduction", &MosaicReductionProc},
    {"#MosaicReload", &MosaicReloadProc},
    {"#MosaicEnd", &MosaicEndProc},

    // Picture layers.
    {"#PrimAniInit", &PrimAniInitProc},
    {"#PrimAniSet", &PrimAniSetProc},
    {"#PrimAniDisp", &PrimAniDispProc},
    {"#PrimAniUnDisp", &PrimAniUnDispProc},
    {"#PrimGraphicDisp", &PrimGraphicDispProc},
    {"#PrimGraphicUnDisp", &PrimGraphicUnDispProc},
};

// Every command word has its handler.
static_assert(std::size(ScrCmdTable) == ScrCmdWords.size());

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
