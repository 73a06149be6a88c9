#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "game/GAMEMAIN.h"
#include "platform/core/Log.h"
#include "platform/text/SjisText.h"
#include "script/ScrCmdWords.h"
#include "script/ScriptCommands.h"
#include "script/ScriptLine.h"
#include "system/DataName.h"
#include "system/FileDiv.h"

namespace {

constexpr int kScriptWords = 9;
constexpr const char* kSelectStart = "#SelectStart";

bool SameWord(std::string_view a, std::string_view b) {
    return platform::SjisEqualsIgnoreCase(a, b);
}

// A report names the file the command came from, kept before its handler ran: a
// handler that closed or changed the script leaves the report right.
void ScrErrorInfo(const SCR_FILE_DATA& scr, const GAMEMAIN::SCR_REPORT* pReport) {
    if (pReport == nullptr) {
        platform::LogPlain(platform::LogChannel::Debug, "---Error Info--- File: %s Line: %d",
                           platform::GameArg(scr.szFileName), scr.nLine);
        return;
    }
    platform::LogPlain(platform::LogChannel::Debug,
                       "---Error Info--- File: %s Line: %d Command: %s",
                       platform::GameArg(pReport->szFileName), pReport->nLine,
                       platform::GameArg(pReport->szCommand));
}

// The report is the one the slot's run fills.
std::int32_t ScrRunSlot(GAMEMAIN& game, const GAMEMAIN::SCR_REPORT& report, std::int32_t nSlot) {
    if (game.ScrExe(nSlot) != -1) return 0;
    platform::LogError("GAMEMAIN::ScrMain", u8"呼び出したGAMEMAIN::ScrExeが失敗しました");
    ScrErrorInfo(game.ScrFileData, &report);
    return -1;
}

// Stores a command line in the lowest free slot; with none free, the line goes back
// to the file and is read again on a later frame.
std::int32_t ScrStore(SCR_FILE_DATA& scr, const ScriptLine& line) {
    SCR_CMD_DATA* free = nullptr;
    for (SCR_CMD_DATA& slot : scr.Cmd) {
        if (slot.IsFree()) {
            free = &slot;
            break;
        }
    }
    if (free == nullptr) {
        std::fseek(scr.fp, line.start, SEEK_SET);
        --scr.nLine;
        return 0;
    }
    const std::string_view word = line.words.words[0].text;
    if (SameWord(word, kSelectStart)) scr.nNextReadFlg = 0;
    char args[SCR_CMD_DATA::kArgCount][SCR_CMD_DATA::kWordSize] = {};
    for (std::size_t i = 1; i < line.words.words.size(); ++i) {
        platform::SjisCopyTruncated(args[i - 1], SCR_CMD_DATA::kWordSize, line.words.words[i].text);
    }
    free->Set(std::string(word).c_str(), args, SCR_CMD_DATA::kArgCount);
    free->nLine = scr.nLine;
    return 0;
}

}  // namespace

std::int32_t GAMEMAIN::ScrMain() {
    if (!IsInitialized("GAMEMAIN::ScrMain")) return -1;
    SCR_FILE_DATA& scr = ScrFileData;
    if (scr.fp == nullptr) {
        platform::LogError("GAMEMAIN::ScrMain", u8"ファイルポインタが失われています");
        return -1;
    }
    const std::int32_t read = ScrRead();
    if (read == -1) {
        platform::LogError("GAMEMAIN::ScrMain", u8"呼び出したGAMEMAIN::ScrReadが失敗しました");
        ScrErrorInfo(scr, nullptr);
        return -1;
    }
    // A waiting slot runs alone: the highest one, while every other slot holds.
    std::int32_t waiting = -1;
    for (std::int32_t i = SCR_FILE_DATA::kSlotCount - 1; i >= 0 && waiting < 0; --i) {
        if (scr.Cmd[i].nWaitFlg != 0) waiting = i;
    }
    if (waiting >= 0) {
        if (ScrRunSlot(*this, ScrReport, waiting) == -1) return -1;
    } else {
        for (std::int32_t i = 0; i < SCR_FILE_DATA::kSlotCount; ++i) {
            if (ScrRunSlot(*this, ScrReport, i) == -1) return -1;
        }
    }
    if (read != 2) return 0;
    // A standing end of script is reported once, not every frame.
    if (!scr.bEndReported) {
        platform::LogMessage("GAMEMAIN::ScrMain", u8"スクリプトファイルの終了です");
        scr.bEndReported = true;
    }
    return 2;
}

std::int32_t GAMEMAIN::ScrRead() {
    if (!IsInitialized("GAMEMAIN::ScrRead")) return -1;
    SCR_FILE_DATA& scr = ScrFileData;
    if (scr.fp == nullptr) {
        platform::LogError("GAMEMAIN::ScrRead", u8"ファイルポインタが失われています");
        return -1;
    }
    if (scr.nReadFlg == 0) return 0;
    for (const SCR_CMD_DATA& slot : scr.Cmd) {
        if (slot.nWaitFlg != 0) return 0;
    }
    ScriptLine line;
    while (scr.nNextReadFlg != 0) {
        ReadScriptLine(scr.fp, kScriptWords, line);
        switch (line.kind) {
            case SCRIPT_LINE_KIND::EndOfFile:
                if (line.unterminatedTail && !scr.bTailReported) {
                    platform::LogWarn("GAMEMAIN::ScrRead",
                                      u8"最終行に改行がないため実行されません");
                    scr.bTailReported = true;
                }
                return 2;
            case SCRIPT_LINE_KIND::ReadError:
                platform::LogError("GAMEMAIN::ScrRead",
                                   u8"CodeFileReadOneLineでエラーが発生しました");
                return -1;
            case SCRIPT_LINE_KIND::TooLong:
                ++scr.nLine;
                platform::LogError("GAMEMAIN::ScrRead", u8"行が510バイトを超えています");
                return -1;
            case SCRIPT_LINE_KIND::Header:
                ++scr.nLine;
                if (line.headerHidesCommand) {
                    platform::LogWarn("GAMEMAIN::ScrRead",
                                      u8"1行目はヘッダーと同じ行にあるため実行されません");
                }
                return 0;
            case SCRIPT_LINE_KIND::Words:
                ++scr.nLine;
                break;
        }
        if (line.IsSkipped()) continue;
        if (!line.words.words[0].text.starts_with('#')) {
            platform::LogError("GAMEMAIN::ScrRead", u8"命令文以外を検出しました");
            continue;
        }
        return ScrStore(scr, line);
    }
    return 0;
}

std::int32_t GAMEMAIN::ScrExe(std::int32_t nSlot) {
    if (!IsInitialized("GAMEMAIN::ScrExe")) return -1;
    SCR_FILE_DATA& scr = ScrFileData;
    if (nSlot < 0 || nSlot >= SCR_FILE_DATA::kSlotCount) return 0;
    SCR_CMD_DATA& slot = scr.Cmd[nSlot];
    if (slot.IsFree() || scr.nExeFlg == 0) return 0;
    std::memcpy(ScrReport.szFileName, scr.szFileName, sizeof ScrReport.szFileName);
    ScrReport.nLine = slot.nLine;
    std::memcpy(ScrReport.szCommand, slot.szCommand, sizeof ScrReport.szCommand);
    const char* szWord = FindScrCmdWord(slot.szCommand);
    const SCR_PROC pProc = szWord != nullptr ? FindScrProc(szWord) : nullptr;
    if (pProc == nullptr) {
        platform::LogError("GAMEMAIN::ScrExe", u8"定義されていない命令です");
        ScrErrorInfo(scr, &ScrReport);
        slot.Clear();
        return 0;
    }
    if (scrObserver_) scrObserver_(szWord);
    const std::int32_t result = pProc(*this, &scr, nSlot);
    if (result == 1) {
        platform::LogWarn("GAMEMAIN::ScrExe", u8"呼び出した命令内で警告が発生しました");
        ScrErrorInfo(scr, &ScrReport);
    } else if (result == -1) {
        platform::LogError("GAMEMAIN::ScrExe", u8"呼び出した命令が失敗しました");
    }
    return result;
}

GAMEMAIN::SCR_OPEN_RESULT GAMEMAIN::ScrFileOpen(const char* szName) {
    if (!IsInitialized("GAMEMAIN::ScrFileOpen")) return {};
    ScrFileData.Release();
    return ScrFileLoad(szName);
}

GAMEMAIN::SCR_OPEN_RESULT GAMEMAIN::ScrFileLoad(const char* szName) {
    SCR_OPEN_RESULT open;
    if (!IsInitialized("GAMEMAIN::ScrFileOpen")) return open;
    const char* name = szName != nullptr ? szName : "";
    if (!IsDataName(name)) {
        platform::LogError("GAMEMAIN::ScrFileOpen", u8"不正なファイル名です: %s",
                           platform::GameArg(name));
        return open;
    }
    open.bNameOk = true;
    SCR_FILE_DATA& scr = ScrFileData;
    platform::SjisCopyTruncated(scr.szFileName, SCR_FILE_DATA::kNameSize, name);
    open.nDivResult = FileDiv("dat/Scenario.dat", "tmp/", name);
    if (open.nDivResult != 1) return open;
    scr.fp = std::fopen((std::string("tmp/") + name).c_str(), "rb");
    open.bOpened = scr.fp != nullptr;
    return open;
}

std::int32_t GAMEMAIN::ScrOpenResult(const char* szTag, const SCR_OPEN_RESULT& open) const {
    if (open.bOpened) return 1;
    if (!open.bNameOk) return -1;
    switch (open.nDivResult) {
        case -2:
            platform::LogError(szTag, u8"指定ファイルは非結合ファイルです");
            break;
        case 0:
            platform::LogError(szTag, u8"取り出すファイルに該当ファイルが存在しません");
            break;
        case -1:
            platform::LogError(szTag, u8"呼び出したFileDivが失敗しました");
            break;
        default:
            platform::LogError(szTag, u8"スクリプトファイルのオープンに失敗しました");
            break;
    }
    return -1;
}

std::int32_t GAMEMAIN::ScrRandom() { return scrRandomSource_ ? scrRandomSource_() : std::rand(); }

void GAMEMAIN::SetScrRandomSource(std::function<std::int32_t()> source) {
    scrRandomSource_ = std::move(source);
}

bool GAMEMAIN::ScrSkipAllowed(bool bReadLimit, bool bNoScreen) const {
    if (nScrSkipEnableFlg == 0 || MsgWindowData.nSkipFlg == 0) return false;
    if (bReadLimit && nScrSkipLine != -1 && ScrFileData.nLine >= nScrSkipLine) return false;
    return !bNoScreen || MsgWindowData.nBarUseFlg == 0;
}

void GAMEMAIN::SetScrObserver(std::function<void(const char*)> observer) {
    scrObserver_ = std::move(observer);
}
