#include "script/SCR_FILE_DATA.h"

#include <cstring>
#include <string>

#include "platform/core/Services.h"
#include "platform/files/Files.h"
#include "system/DataName.h"

SCR_FILE_DATA::SCR_FILE_DATA() : fp(nullptr) {
    std::memset(szFileName, 0, sizeof szFileName);
    Release();
}

SCR_FILE_DATA::~SCR_FILE_DATA() {
    if (fp != nullptr) std::fclose(fp);
}

void SCR_FILE_DATA::Release() {
    CloseAndDelete();
    ResetWords();
    nNextReadFlg = 1;
    std::memset(szFileName, 0, sizeof szFileName);
}

void SCR_FILE_DATA::Reset() {
    ResetWords();
    CloseAndDelete();
}

void SCR_FILE_DATA::ResetWords() {
    dwWork = 0;
    nLine = 0;
    for (SCR_CMD_DATA& slot : Cmd) slot.Clear();
    nReadFlg = 1;
    nExeFlg = 1;
    nEndScriptFlg = 0;
    nGoToClothesFlg = 0;
    nSelectPhase = 0;
    nLastWord = -1;
    bEndReported = false;
    bTailReported = false;
}

// Only a name that stays inside tmp/ is ever deleted; an empty one names nothing.
void SCR_FILE_DATA::CloseAndDelete() {
    if (fp != nullptr) {
        std::fclose(fp);
        fp = nullptr;
    }
    if (!IsDataName(szFileName)) return;
    auto& files = platform::service<platform::Files>();
    const std::string path = std::string("tmp/") + szFileName;
    if (files.exists(path)) files.removeFile(path);
}
