#include <algorithm>
#include <cstdint>
#include <optional>

#include "game/GAMEMAIN.h"
#include "platform/core/Log.h"
#include "platform/text/SjisText.h"
#include "script/SCR_FILE_DATA.h"
#include "script/ScriptArgs.h"
#include "script/ScriptCommands.h"
#include "script/ScriptKeywords.h"
#include "system/DataName.h"

namespace {

constexpr const char* kChangeTag = "GAMEMAIN::ClothesDataChangeProc";
constexpr const char* kSortTag = "GAMEMAIN::ClothesDataSortProc";
constexpr const char* kClearTag = "GAMEMAIN::GameClearFlgONProc";

constexpr std::int32_t kMaxPart = 30;
constexpr std::int32_t kFaces = 3;
constexpr std::uint32_t kUnlocked = 1u << 0;
constexpr std::uint32_t kComplete = 1u << 1;
// Part bits start at bit 2 and parts run to 30: a larger count never completes.
constexpr std::uint32_t kPartBitsMax = 31;

// A #ClothesDataChange line checked whole; an absent field stays as it is.
struct COSTUME_CHANGE {
    std::int32_t nCostume = 0;
    std::optional<std::int32_t> part;
    std::optional<std::int32_t> face;
    bool bDescription = false;
    bool bScenario = false;
};

bool IsNull(const ScriptArgs& args, int i) { return args.Is(i, "NULL"); }

// Argument i is NULL or a number lo to hi.
bool ReadOptional(const ScriptArgs& args, int i, std::int32_t lo, std::int32_t hi,
                  std::optional<std::int32_t>& out) {
    if (IsNull(args, i)) return true;
    const std::int32_t value = args.Number(i);
    if (value < lo || value > hi) return false;
    out = value;
    return true;
}

// Every argument is checked before any is applied: the flags reach the system save.
bool ReadChange(const ScriptArgs& args, COSTUME_CHANGE& change) {
    change.nCostume = args.Number(0);
    if (change.nCostume < 1 || change.nCostume > CLT_SLC_DATA::kClothesCount) {
        platform::LogMessage(kChangeTag, u8"スクリプトの第一引数が不正です");
        return false;
    }
    if (!ReadOptional(args, 1, 0, kMaxPart, change.part)) {
        platform::LogMessage(kChangeTag, u8"スクリプトの第二引数が不正です");
        return false;
    }
    if (!ReadOptional(args, 2, 1, kFaces, change.face)) {
        platform::LogMessage(kChangeTag, u8"スクリプトの第三引数が不正です");
        return false;
    }
    change.bDescription = !IsNull(args, 3);
    change.bScenario = !IsNull(args, 4);
    if (change.bScenario && !IsDataName(args.Word(4))) {
        platform::LogMessage(kChangeTag, u8"スクリプトの第五引数が不正です");
        return false;
    }
    return true;
}

// Bits 2 to count + 1, the parts a costume of count parts has; wider than the flag
// word when the count is above 30.
std::uint64_t PartBits(std::uint32_t nParts) {
    return ((std::uint64_t{1} << std::min(nParts, kPartBitsMax)) - 1) << 2;
}

void CollectPart(CLOTHES_DATA& record, std::int32_t& summaryWord, std::int32_t part) {
    std::uint32_t summary = static_cast<std::uint32_t>(summaryWord);
    const std::uint32_t bits = (1u << (part + 1)) | kUnlocked;
    record.dwFlag |= bits;
    summary |= bits;
    const std::uint64_t parts = PartBits(record.nPartsNum);
    if ((summary & parts) == parts) {
        record.dwFlag |= kComplete;
        summary |= kComplete;
    }
    summaryWord = static_cast<std::int32_t>(summary);
}

}  // namespace

// A refused line keeps its slot, as the interpreter expects of this command.
std::int32_t ClothesDataChangeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kChangeTag, "#ClothesDataChange");
    COSTUME_CHANGE change;
    if (!ReadChange(args, change)) return -1;
    const std::size_t n = static_cast<std::size_t>(change.nCostume - 1);
    CLOTHES_DATA& record = game.ClothesSelectData.ClothesData[n];
    if (change.part == 0) {
        record.dwFlag = 0;
    } else if (change.part) {
        CollectPart(record, game.nClothesFlg[n], *change.part);
    }
    if (change.face) record.nFace = static_cast<std::uint32_t>(*change.face - 1);
    if (change.bDescription) {
        platform::SjisCopyTruncated(record.szDescription, sizeof record.szDescription,
                                    args.Word(3));
    }
    if (change.bScenario) {
        platform::SjisCopyTruncated(record.szScenario, sizeof record.szScenario, args.Word(4));
    }
    cmd.Clear();
    return 0;
}

std::int32_t ClothesDataSortProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kSortTag, "#ClothesDataSort");
    const std::int32_t place = args.Number(0);
    if (place < 1 || place > CLT_SLC_DATA::kPlaceCount) {
        platform::LogMessage(kSortTag, u8"スクリプトの第一引数が不正です");
        return ScrRefuse(cmd);
    }
    const COSTUME_KEYWORD* costume = ScriptKeywords::FindCostume(args.Word(1));
    game.ClothesSelectData.nSortNo[place - 1] = costume != nullptr ? costume->nNumber : -1;
    if (costume == nullptr) {
        platform::LogWarn(kSortTag, u8"[#ClothesDataSort] 定義されていない衣装名です: %s",
                          platform::GameArg(args.Word(1)));
        return ScrWarned(cmd);
    }
    cmd.Clear();
    return 0;
}

std::int32_t GameClearFlgONProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kClearTag, "#GameClearFlgON");
    const std::uint32_t bit = ScriptKeywords::EndingBit(args.Word(0));
    if (bit == 0) {
        platform::LogWarn(kClearTag, u8"[#GameClearFlgON] 定義されていない識別子です: %s",
                          platform::GameArg(args.Word(0)));
        return ScrWarned(cmd);
    }
    game.nGameClearFlg |= bit;
    cmd.Clear();
    return 0;
}
