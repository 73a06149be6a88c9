#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "script/ScriptLine.h"

class SCR_FILE_DATA;

// What a forward scan of the running script met.
enum class SCAN_RESULT {
    Found,      // a target line; the script stands after it
    EndOfFile,  // no target before the end
    Failed,     // a read error or an overlong line, logged under the scanning command
};

// How a scan that ran off the end of the file leaves the script.
enum class SCAN_CLOSE { Reset, Release };

// Reads the script forward from where it stands, one raw line at a time and counting
// lines as the interpreter's reader does, until isTarget accepts a line (the codec
// header and every plain line are offered). Lines passed over never run. A read error
// or a line over the raw limit logs its line under szTag and gives Failed.
SCAN_RESULT ScrBlockScan(SCR_FILE_DATA& scr, const char* szTag,
                         const std::function<bool(const ScriptLine&)>& isTarget, ScriptLine& line);

// Word i of a plain line (0 the command word); empty when missing.
std::string_view ScanWord(const ScriptLine& line, int i);
// A plain line whose command word is word, in any letter case.
bool ScanIsWord(const ScriptLine& line, std::string_view word);
// A marker: command word word with block number id as its argument nIdArg (counted
// from 0 after the word); numbers compare as script numbers, so a missing one is 0.
bool ScanIsMarker(const ScriptLine& line, std::string_view word, int nIdArg, std::int32_t id);

// A scan that met the end of the file: logs szWarn under szTag, frees the slot and
// closes the script; gives nResult.
std::int32_t ScrScanRanOut(SCR_FILE_DATA& scr, std::int32_t nSlot, const char* szTag,
                           const char8_t* szWarn, SCAN_CLOSE close, std::int32_t nResult);

// Passes the rest of a block that has run: reads on to its end marker endWord with
// block number id (the marker's first argument) and frees the slot (0). Off the end
// of the file: szWarn, the script closed, 1. A failed read: -1, the slot kept.
std::int32_t ScrSkipToEnd(SCR_FILE_DATA& scr, std::int32_t nSlot, const char* szTag,
                          std::string_view endWord, std::int32_t id, const char8_t* szWarn,
                          SCAN_CLOSE close);
