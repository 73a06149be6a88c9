#include "script/ScriptBlockScan.h"

#include "platform/core/Log.h"
#include "platform/text/SjisText.h"
#include "script/SCR_FILE_DATA.h"
#include "script/ScriptNumber.h"

namespace {

// As many words as the interpreter splits: a marker's id never lies beyond them.
constexpr std::size_t kScanWords = 9;

}  // namespace

SCAN_RESULT ScrBlockScan(SCR_FILE_DATA& scr, const char* szTag,
                         const std::function<bool(const ScriptLine&)>& isTarget, ScriptLine& line) {
    if (scr.fp == nullptr) {
        platform::LogError(szTag, u8"ファイルポインタが失われています");
        return SCAN_RESULT::Failed;
    }
    for (;;) {
        ReadScriptLine(scr.fp, kScanWords, line);
        switch (line.kind) {
            case SCRIPT_LINE_KIND::EndOfFile:
                return SCAN_RESULT::EndOfFile;
            case SCRIPT_LINE_KIND::ReadError:
                platform::LogError(szTag, u8"CodeFileReadOneLineでエラーが発生しました");
                return SCAN_RESULT::Failed;
            case SCRIPT_LINE_KIND::TooLong:
                ++scr.nLine;
                platform::LogError(szTag, u8"行が510バイトを超えています");
                return SCAN_RESULT::Failed;
            case SCRIPT_LINE_KIND::Header:
            case SCRIPT_LINE_KIND::Words:
                ++scr.nLine;
                break;
        }
        if (isTarget(line)) return SCAN_RESULT::Found;
    }
}

std::string_view ScanWord(const ScriptLine& line, int i) {
    if (line.kind != SCRIPT_LINE_KIND::Words || i < 0) return {};
    const auto index = static_cast<std::size_t>(i);
    return index < line.words.words.size() ? line.words.words[index].text : std::string_view{};
}

bool ScanIsWord(const ScriptLine& line, std::string_view word) {
    const std::string_view first = ScanWord(line, 0);
    return !first.empty() && platform::SjisEqualsIgnoreCase(first, word);
}

bool ScanIsMarker(const ScriptLine& line, std::string_view word, int nIdArg, std::int32_t id) {
    return ScanIsWord(line, word) && ScriptNumber(ScanWord(line, nIdArg + 1)) == id;
}

std::int32_t ScrScanRanOut(SCR_FILE_DATA& scr, std::int32_t nSlot, const char* szTag,
                           const char8_t* szWarn, SCAN_CLOSE close, std::int32_t nResult) {
    platform::LogWarn(szTag, szWarn);
    scr.Cmd[nSlot].Clear();
    if (close == SCAN_CLOSE::Reset) {
        scr.Reset();
    } else {
        scr.Release();
    }
    return nResult;
}

std::int32_t ScrSkipToEnd(SCR_FILE_DATA& scr, std::int32_t nSlot, const char* szTag,
                          std::string_view endWord, std::int32_t id, const char8_t* szWarn,
                          SCAN_CLOSE close) {
    ScriptLine line;
    const auto isEnd = [&](const ScriptLine& l) { return ScanIsMarker(l, endWord, 0, id); };
    switch (ScrBlockScan(scr, szTag, isEnd, line)) {
        case SCAN_RESULT::Found:
            scr.Cmd[nSlot].Clear();
            return 0;
        case SCAN_RESULT::EndOfFile:
            return ScrScanRanOut(scr, nSlot, szTag, szWarn, close, 1);
        case SCAN_RESULT::Failed:
            break;
    }
    return -1;
}
