#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "script/SCR_CMD_DATA.h"

// The running script: its member name, the line reached, the open copy in tmp/,
// six command slots and the control words of the interpreter.
class SCR_FILE_DATA {
public:
    static constexpr std::size_t kNameSize = 260;
    static constexpr int kSlotCount = 6;

    SCR_FILE_DATA();
    ~SCR_FILE_DATA();
    SCR_FILE_DATA(const SCR_FILE_DATA&) = delete;
    SCR_FILE_DATA& operator=(const SCR_FILE_DATA&) = delete;

    // Closes the script, deletes its copy and forgets its name.
    void Release();
    // Closes the script and deletes its copy, keeping the name and may-read-next.
    void Reset();
    // Closes the script and deletes its copy, touching no other word: a file change
    // moves on to another script while the other slots run on.
    void CloseAndDelete();

    char szFileName[kNameSize];
    std::uint32_t dwWork;
    std::int32_t nLine;
    std::FILE* fp;
    SCR_CMD_DATA Cmd[kSlotCount];
    std::uint32_t nReadFlg;
    std::uint32_t nExeFlg;
    std::uint32_t nEndScriptFlg;
    std::uint32_t nGoToClothesFlg;
    std::uint32_t nNextReadFlg;
    std::uint32_t nSelectPhase;
    std::int32_t nLastWord;
    // Reports made once per opened script: its end, and a last line without CR LF.
    bool bEndReported;
    bool bTailReported;

private:
    void ResetWords();
};
