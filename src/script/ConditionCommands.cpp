#include "script/ScriptCommands.h"

std::int32_t EndIfProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return ScrBlockEnd(pScr, nSlot);
}

std::int32_t Love_Jadge_EndProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return ScrBlockEnd(pScr, nSlot);
}
