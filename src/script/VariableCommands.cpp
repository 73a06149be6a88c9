#include <cstdint>
#include <span>

#include "game/GAMEMAIN.h"
#include "game/REG_KIND.h"
#include "platform/core/Log.h"
#include "script/SCR_FILE_DATA.h"
#include "script/ScriptArgs.h"
#include "script/ScriptCommands.h"
#include "script/ScriptKeywords.h"
#include "script/ScriptNumber.h"

namespace {

constexpr std::int32_t kVariableBits = 16;
constexpr std::int32_t kEventFlagBits = 32;
constexpr std::int32_t kWordBits = 32;

enum class OPERATION { Set, Add };

struct VAR_COMMAND {
    const char* szTag;
    const char* szWord;
    OPERATION operation;
};

constexpr VAR_COMMAND kChangeVar{"GAMEMAIN::VarChangeProc", "#ChangeVar", OPERATION::Set};
constexpr VAR_COMMAND kAddVar{"GAMEMAIN::VarAddProc", "#AddVar", OPERATION::Add};

// nOperation is ZKCHAR::FlgControl's: 0 sets, 1 clears.
struct FLAG_COMMAND {
    const char* szTag;
    const char* szWord;
    const char8_t* szNoVariable;
    std::int32_t nOperation;
};

constexpr FLAG_COMMAND kFlgON{"GAMEMAIN::VarFlgONProc", "#FlgONVar",
                              u8"[#FlgONVar] 合致する変数IDが見つからないのでキャラIDで検索します",
                              0};
constexpr FLAG_COMMAND kFlgOFF{"GAMEMAIN::VarFlgOFFProc", "#FlgOFFVar",
                               u8"[#FlgOFFVar] 合致する変数IDが見つかりませんでした", 1};

VAR_DATA* FindVariable(GAMEMAIN& game, const SCR_CMD_DATA& cmd) {
    std::int32_t row = -1;
    if (game.IDSerch(cmd.szArg[0], REG_VAR, &row) == 0) return nullptr;
    return &game.pVarData[row];
}

ZKCHAR* FindChara(GAMEMAIN& game, const SCR_CMD_DATA& cmd) {
    std::int32_t row = -1;
    if (game.IDSerch(cmd.szArg[0], REG_CHAR, &row) == 0) return nullptr;
    return &game.pCharData[row];
}

std::int32_t VarProc(GAMEMAIN& game, SCR_CMD_DATA& cmd, const VAR_COMMAND& command) {
    const ScriptArgs args(cmd, command.szTag, command.szWord);
    const std::int32_t value = args.Number(1);
    const bool bAdd = command.operation == OPERATION::Add;
    if (VAR_DATA* variable = FindVariable(game, cmd)) {
        variable->nValue = bAdd ? ScriptSum(variable->nValue, value) : value;
        cmd.Clear();
        return 0;
    }
    const auto word = platform::Utf8Arg(command.szWord);
    platform::LogMessage(command.szTag, u8"[%s] 合致する変数IDが見つかりませんでした", word);
    if (ZKCHAR* chara = FindChara(game, cmd)) {
        if (bAdd) {
            chara->AddLoveValue(value);
        } else {
            chara->SetLoveValue(value);
        }
        cmd.Clear();
        return 0;
    }
    platform::LogMessage(command.szTag, u8"[%s] 合致するキャラIDが見つかりませんでした", word);
    platform::LogError(command.szTag, u8"[%s] 合致するIDが見つかりませんでした", word);
    return ScrRefuse(cmd);
}

// Sets or clears bit b - 1 of word, b counted from 1.
void ApplyBit(std::uint32_t& word, std::int32_t b, std::int32_t nOperation) {
    const std::uint32_t bit = 1u << static_cast<std::uint32_t>(b - 1);
    word = nOperation == 0 ? (word | bit) : (word & ~bit);
}

std::int32_t BitRefused(SCR_CMD_DATA& cmd, const FLAG_COMMAND& command, const char8_t* szWhich) {
    platform::LogError(command.szTag, u8"[%s] %sビット値が不正です",
                       platform::Utf8Arg(command.szWord),
                       platform::Utf8Arg(platform::LogText(szWhich).view()));
    return ScrRefuse(cmd);
}

// Item b of a heroine's gallery (CG) or scene (REPLAY) unlock words.
std::int32_t HeroineFlag(GAMEMAIN& game, SCR_CMD_DATA& cmd, const FLAG_COMMAND& command,
                         std::int32_t b, bool bGallery) {
    const HEROINE_KEYWORD* heroine = ScriptKeywords::FindHeroine(cmd.szArg[0]);
    if (heroine == nullptr) {
        platform::LogWarn(command.szTag,
                          u8"[%s] ヒロイン以外のキャラにはCGと回想のフラグがありません: %s",
                          platform::Utf8Arg(command.szWord), platform::GameArg(cmd.szArg[0]));
        return ScrWarned(cmd);
    }
    const std::int32_t items = bGallery ? heroine->nCGItems : heroine->nReplayItems;
    if (b < 1 || b > items) {
        platform::LogError(
            command.szTag, u8"[%s] [%s/%s] ビット値が不正です", platform::Utf8Arg(command.szWord),
            platform::Utf8Arg(platform::LogText(heroine->szName).view()),
            platform::Utf8Arg(platform::LogText(bGallery ? u8"CG" : u8"回想").view()));
        return ScrRefuse(cmd);
    }
    const std::span<std::uint32_t> words = bGallery ? std::span<std::uint32_t>(game.dwCGFlg)
                                                    : std::span<std::uint32_t>(game.dwReplayFlg);
    const std::int32_t first = bGallery ? heroine->nFirstCGWord : heroine->nFirstReplayWord;
    const std::size_t index = static_cast<std::size_t>(first + (b - 1) / kWordBits);
    ApplyBit(words[index], (b - 1) % kWordBits + 1, command.nOperation);
    cmd.Clear();
    return 0;
}

std::int32_t CharaFlag(GAMEMAIN& game, SCR_CMD_DATA& cmd, const FLAG_COMMAND& command,
                       ZKCHAR& chara, std::int32_t b) {
    const ScriptArgs args(cmd, command.szTag, command.szWord);
    if (args.Is(2, "FLG")) {
        if (b < 1 || b > kEventFlagBits) return BitRefused(cmd, command, u8"[フラグ] ");
        chara.FlgControl(0, b, command.nOperation);
        cmd.Clear();
        return 0;
    }
    if (args.Is(2, "CG")) return HeroineFlag(game, cmd, command, b, true);
    if (args.Is(2, "REPLAY")) return HeroineFlag(game, cmd, command, b, false);
    platform::LogError(command.szTag, u8"定義されていない識別子です");
    return ScrRefuse(cmd);
}

std::int32_t FlagProc(GAMEMAIN& game, SCR_CMD_DATA& cmd, const FLAG_COMMAND& command) {
    const std::int32_t b = ScriptArgs(cmd, command.szTag, command.szWord).Number(1);
    if (VAR_DATA* variable = FindVariable(game, cmd)) {
        if (b < 1 || b > kVariableBits) return BitRefused(cmd, command, u8"");
        std::uint32_t value = static_cast<std::uint32_t>(variable->nValue);
        ApplyBit(value, b, command.nOperation);
        variable->nValue = static_cast<std::int32_t>(value);
        cmd.Clear();
        return 0;
    }
    platform::LogMessage(command.szTag, command.szNoVariable);
    ZKCHAR* chara = FindChara(game, cmd);
    if (chara == nullptr) {
        platform::LogError(command.szTag, u8"[%s] 合致するキャラIDが見つかりませんでした",
                           platform::Utf8Arg(command.szWord));
        return ScrRefuse(cmd);
    }
    return CharaFlag(game, cmd, command, *chara, b);
}

}  // namespace

std::int32_t VarAddProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return VarProc(game, pScr->Cmd[nSlot], kAddVar);
}

std::int32_t VarChangeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return VarProc(game, pScr->Cmd[nSlot], kChangeVar);
}

std::int32_t VarFlgONProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return FlagProc(game, pScr->Cmd[nSlot], kFlgON);
}

std::int32_t VarFlgOFFProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return FlagProc(game, pScr->Cmd[nSlot], kFlgOFF);
}
