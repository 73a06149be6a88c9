#include <cstring>
#include <string>

#include "game/GAMEMAIN.h"
#include "game/REG_KIND.h"
#include "platform/core/Log.h"
#include "platform/text/SjisText.h"
#include "script/ScriptArgs.h"
#include "script/ScriptBlockScan.h"
#include "script/ScriptCommands.h"
#include "script/ScriptNumber.h"

namespace {

constexpr const char* kIfTag = "GAMEMAIN::IfProc";
constexpr const char* kIfCTag = "GAMEMAIN::BrIf_CProc";
constexpr const char* kLoveTag = "GAMEMAIN::Love_Jadge_StartProc";
constexpr const char8_t* kNoEndIf = u8"#EndIf未検出のままファイルの終端に到達しました";
constexpr std::int32_t kAllButtons = 65535;
constexpr std::int32_t kBits = 32;
constexpr int kCostumeWords = 8;

bool Same(std::string_view a, std::string_view b) { return platform::SjisEqualsIgnoreCase(a, b); }

// The row of a character ID; -1 when none is registered under it.
std::int32_t CharacterRow(GAMEMAIN& game, std::string_view id) {
    std::int32_t index = -1;
    game.IDSerch(std::string(id).c_str(), REG_CHAR, &index);
    return index;
}

// An operand: a variable's value, else a character's love value, else the number
// written.
std::int32_t Operand(GAMEMAIN& game, std::string_view word) {
    std::int32_t index = -1;
    if (game.IDSerch(std::string(word).c_str(), REG_VAR, &index) != 0) {
        return game.pVarData[index].nValue;
    }
    platform::LogMessage(kIfTag, u8"合致する変数IDが見つかりませんでした");
    index = CharacterRow(game, word);
    return index >= 0 ? game.pCharData[index].nLoveValue : ScriptNumber(word);
}

struct COMPARISON {
    const char* szOp;
    bool (*holds)(std::int32_t, std::int32_t);
};

constexpr COMPARISON kComparisons[] = {
    {">", [](std::int32_t a, std::int32_t b) { return a > b; }},
    {"<", [](std::int32_t a, std::int32_t b) { return a < b; }},
    {"=", [](std::int32_t a, std::int32_t b) { return a == b; }},
    {">=", [](std::int32_t a, std::int32_t b) { return a >= b; }},
    {"<=", [](std::int32_t a, std::int32_t b) { return a <= b; }},
    {"!=", [](std::int32_t a, std::int32_t b) { return a != b; }},
};

// Bit n (counted from 1) of value.
bool BitSet(std::int32_t value, std::int32_t n) {
    return ((static_cast<std::uint32_t>(value) >> (n - 1)) & 1u) != 0;
}

enum class CONDITION { True, False, BadBit, BadOperator };

CONDITION Evaluate(GAMEMAIN& game, const ScriptArgs& args) {
    const std::int32_t lhs = Operand(game, args.Word(0));
    const std::int32_t rhs = Operand(game, args.Word(2));
    const auto result = [](bool holds) { return holds ? CONDITION::True : CONDITION::False; };
    if (args.Is(1, "&") || args.Is(1, "!")) {
        if (rhs < 1 || rhs > kBits) return CONDITION::BadBit;
        return result(BitSet(lhs, rhs) == args.Is(1, "&"));
    }
    for (const COMPARISON& comparison : kComparisons) {
        if (args.Is(1, comparison.szOp)) return result(comparison.holds(lhs, rhs));
    }
    return CONDITION::BadOperator;
}

// A branch of the block runs: the bar comes back and the lines below go on.
std::int32_t BranchChosen(GAMEMAIN& game, SCR_CMD_DATA& cmd) {
    game.MsgWindowData.ButtonEnable(kAllButtons);
    cmd.Clear();
    return 0;
}

enum class SUBJECT { Found, Unknown, CharacterKind, CostumeKind };

// Costume 1 to 8 for its word CLOTHES01 to CLOTHES08; 0 for any other word.
int CostumeNumber(std::string_view word) {
    for (int n = 1; n <= kCostumeWords; ++n) {
        if (Same(word, "CLOTHES0" + std::to_string(n))) return n;
    }
    return 0;
}

// The value a character condition tests: a character's love value or event flags, or
// the flag word a costume's unlocks keep in the system save.
SUBJECT SubjectValue(GAMEMAIN& game, std::string_view subject, std::string_view kind,
                     std::int32_t& value) {
    const std::int32_t row = CharacterRow(game, subject);
    if (row >= 0) {
        const ZKCHAR& chara = game.pCharData[row];
        if (Same(kind, "LOVE")) {
            value = chara.nLoveValue;
        } else if (Same(kind, "EVENTFLG")) {
            // Signed, so that the number read back keeps the top flag.
            value = static_cast<std::int32_t>(chara.dwEventFlg);
        } else {
            return SUBJECT::CharacterKind;
        }
        return SUBJECT::Found;
    }
    const int costume = CostumeNumber(subject);
    if (costume == 0) return SUBJECT::Unknown;
    if (!Same(kind, "EVENTFLG")) return SUBJECT::CostumeKind;
    value = game.nClothesFlg[costume - 1];
    return SUBJECT::Found;
}

void SetArg(SCR_CMD_DATA& cmd, int i, std::string_view word) {
    platform::SjisCopyTruncated(cmd.szArg[i], SCR_CMD_DATA::kWordSize, word);
}

// The slot takes the condition of a later branch, evaluated on the next frame.
std::int32_t TakeCondition(SCR_CMD_DATA& cmd, std::string_view lhs, std::string_view op,
                           std::string_view rhs, std::string_view id) {
    SetArg(cmd, 0, lhs);
    SetArg(cmd, 1, op);
    SetArg(cmd, 2, rhs);
    SetArg(cmd, 3, id);
    return 0;
}

std::int32_t TakeCharacterCondition(GAMEMAIN& game, SCR_CMD_DATA& cmd, const ScriptLine& line) {
    std::int32_t value = 0;
    switch (SubjectValue(game, ScanWord(line, 1), ScanWord(line, 4), value)) {
        case SUBJECT::Found:
            return TakeCondition(cmd, std::to_string(value), ScanWord(line, 2), ScanWord(line, 3),
                                 ScanWord(line, 5));
        case SUBJECT::Unknown:
            platform::LogError(kIfTag, u8"合致するキャラIDが見つかりませんでした");
            break;
        case SUBJECT::CharacterKind:
            platform::LogError(kIfTag, u8"#ElseIf_Cの第四引数は定義されていない値です");
            break;
        case SUBJECT::CostumeKind:
            platform::LogError(kIfTag, u8"不正な比較対象を指定しています");
            break;
    }
    return ScrRefuse(cmd);
}

// A false condition: reads on to the block's next branch or its end.
std::int32_t IfScan(GAMEMAIN& game, SCR_FILE_DATA& scr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = scr.Cmd[nSlot];
    const std::int32_t id = ScriptNumber(cmd.szArg[3]);
    const auto isTarget = [id](const ScriptLine& line) {
        return ScanIsMarker(line, "#ElseIf", 3, id) || ScanIsMarker(line, "#ElseIf_C", 4, id) ||
               ScanIsMarker(line, "#Else", 0, id) || ScanIsMarker(line, "#EndIf", 0, id);
    };
    ScriptLine line;
    switch (ScrBlockScan(scr, kIfTag, isTarget, line)) {
        case SCAN_RESULT::Found:
            if (ScanIsWord(line, "#ElseIf")) {
                return TakeCondition(cmd, ScanWord(line, 1), ScanWord(line, 2), ScanWord(line, 3),
                                     ScanWord(line, 4));
            }
            if (ScanIsWord(line, "#ElseIf_C")) return TakeCharacterCondition(game, cmd, line);
            return BranchChosen(game, cmd);
        case SCAN_RESULT::EndOfFile:
            game.MsgWindowData.ButtonEnable(kAllButtons);
            return ScrScanRanOut(scr, nSlot, kIfTag,
                                 u8"[#If] #EndIf未検出のままファイルの終端に到達しました",
                                 SCAN_CLOSE::Reset, 1);
        case SCAN_RESULT::Failed:
            break;
    }
    return -1;
}

// A branch that ran has ended at a later branch of its block: the rest is passed.
std::int32_t SkipToEndIf(SCR_FILE_DATA* pScr, std::int32_t nSlot, const char* szTag, int nIdArg) {
    const std::int32_t id = ScriptNumber(pScr->Cmd[nSlot].szArg[nIdArg]);
    return ScrSkipToEnd(*pScr, nSlot, szTag, "#EndIf", id, kNoEndIf, SCAN_CLOSE::Reset);
}

}  // namespace

// The slot waits while the block's branches are tried, one condition per frame.
std::int32_t IfProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    cmd.nWaitFlg = 1;
    game.MsgWindowData.ButtonDisable(kAllButtons);
    switch (Evaluate(game, ScriptArgs(cmd, kIfTag, "#If"))) {
        case CONDITION::True:
            return BranchChosen(game, cmd);
        case CONDITION::False:
            return IfScan(game, *pScr, nSlot);
        case CONDITION::BadBit:
            platform::LogError(kIfTag, u8"[#If] bit値が不正です");
            break;
        case CONDITION::BadOperator:
            platform::LogError(kIfTag, u8"[#If] 定義されていない比較演算子です");
            break;
    }
    return ScrRefuse(cmd);
}

std::int32_t ElseIfProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return SkipToEndIf(pScr, nSlot, "GAMEMAIN::ElseIfProc", 3);
}

// Rewritten as the #If of the value it tests, which then runs on the same call.
std::int32_t BrIf_CProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    game.MsgWindowData.ButtonDisable(kAllButtons);
    std::int32_t value = 0;
    switch (SubjectValue(game, cmd.szArg[0], cmd.szArg[3], value)) {
        case SUBJECT::Found:
            break;
        case SUBJECT::Unknown:
            platform::LogError(kIfCTag, u8"合致するキャラIDが見つかりませんでした");
            return ScrRefuse(cmd);
        case SUBJECT::CharacterKind:
        case SUBJECT::CostumeKind:
            platform::LogError(kIfCTag, u8"不正な比較対象を指定しています");
            return ScrRefuse(cmd);
    }
    SetArg(cmd, 0, std::to_string(value));
    std::memcpy(cmd.szArg[3], cmd.szArg[4], SCR_CMD_DATA::kWordSize);
    cmd.szArg[4][0] = '\0';
    std::strcpy(cmd.szCommand, "#If");
    return IfProc(game, pScr, nSlot);
}

std::int32_t ElseIf_CProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return SkipToEndIf(pScr, nSlot, "GAMEMAIN::ElseIf_CProc", 4);
}

std::int32_t ElseProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return SkipToEndIf(pScr, nSlot, "GAMEMAIN::ElseProc", 0);
}

std::int32_t EndIfProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return ScrBlockEnd(pScr, nSlot);
}

// The block is for the character whose love is the highest (or with FALSE the
// lowest); a tie counts for each.
std::int32_t Love_Jadge_StartProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kLoveTag, "#Love_Jadge_Start");
    const std::int32_t row = CharacterRow(game, args.Word(0));
    if (row < 0) {
        platform::LogError(kLoveTag, u8"合致するキャラIDが見つかりませんでした");
        return ScrRefuse(cmd);
    }
    const bool lowest = args.Is(1, "FALSE");
    const std::int32_t love = game.pCharData[row].nLoveValue;
    bool entered = true;
    for (std::int32_t i = 0; i < game.nCharNum; ++i) {
        const std::int32_t other = game.pCharData[i].nLoveValue;
        if (lowest ? love > other : love < other) entered = false;
    }
    if (entered) {
        cmd.Clear();
        return 0;
    }
    return ScrSkipToEnd(*pScr, nSlot, kLoveTag, "#Love_Jadge_End", args.Number(2), kNoEndIf,
                        SCAN_CLOSE::Reset);
}

std::int32_t Love_Jadge_EndProc(GAMEMAIN&, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return ScrBlockEnd(pScr, nSlot);
}
