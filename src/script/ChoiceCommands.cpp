#include "script/ScriptCommands.h"

std::int32_t SelectEndProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return ScrBlockEnd(pScr, nSlot);
}
