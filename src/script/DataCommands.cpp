#include <cstdint>

#include "game/GAMEMAIN.h"
#include "game/ResourceLoader.h"
#include "platform/core/Log.h"
#include "script/SCR_FILE_DATA.h"
#include "script/ScriptArgs.h"
#include "script/ScriptCommands.h"

namespace {

enum DATA_KIND : std::uint32_t { KIND_TEX = 0, KIND_SURF = 1, KIND_WAVE = 2 };

// A kind word, its table for IDSerch and the loader and unloader its failure lines name.
struct KIND_ENTRY {
    const char* szWord;
    const char8_t* szLoadFailed;
    const char8_t* szUnloadFailed;
};

constexpr KIND_ENTRY kKinds[] = {{"TEX", u8"呼び出したGAMEMAIN::TextureLoadが失敗しました",
                                  u8"呼び出したGAMEMAIN::TextureUnloadが失敗しました"},
                                 {"SURF", u8"呼び出したGAMEMAIN::SurfaceLoadが失敗しました",
                                  u8"呼び出したGAMEMAIN::SurfaceUnloadが失敗しました"},
                                 {"WAVE", u8"呼び出したGAMEMAIN::SELoadが失敗しました",
                                  u8"呼び出したGAMEMAIN::SEUnloadが失敗しました"}};

// The colour key the loaders take from the picture's corner.
constexpr std::uint32_t kKeyFromCorner = 0xFFFFFFFFu;

struct DATA_COMMAND {
    const char* szTag;
    const char* szWord;
};

constexpr DATA_COMMAND kLoadData{"GAMEMAIN::LoadDataProc", "#LoadData"};
constexpr DATA_COMMAND kUnLoadData{"GAMEMAIN::UnLoadDataProc", "#UnLoadData"};

struct DATA_ROW {
    DATA_KIND kind;
    const GRAPHIC_FILE_DATA* pRow;
};

const GRAPHIC_FILE_DATA* Table(const GAMEMAIN& game, DATA_KIND kind) {
    if (kind == KIND_TEX) return game.pTextureData.get();
    if (kind == KIND_SURF) return game.pSurfaceData.get();
    return game.pWaveData.get();
}

// The registration row the line names by ID and kind word; false after its line.
bool FindRow(GAMEMAIN& game, const SCR_CMD_DATA& cmd, const DATA_COMMAND& command, DATA_ROW& out) {
    const ScriptArgs args(cmd, command.szTag, command.szWord);
    for (std::uint32_t kind = KIND_TEX; kind <= KIND_WAVE; ++kind) {
        if (!args.Is(1, kKinds[kind].szWord)) continue;
        std::int32_t row = -1;
        if (game.IDSerch(cmd.szArg[0], kind, &row) == 0) {
            platform::LogError(command.szTag, u8"[%s] 合致するIDが見つかりませんでした",
                               platform::Utf8Arg(command.szWord));
            return false;
        }
        out =
            DATA_ROW{static_cast<DATA_KIND>(kind), &Table(game, static_cast<DATA_KIND>(kind))[row]};
        return true;
    }
    platform::LogError(command.szTag, u8"[%s] 不正な識別子です", platform::Utf8Arg(command.szWord));
    return false;
}

int Load(GAMEMAIN& game, const DATA_ROW& data) {
    const GRAPHIC_FILE_DATA& row = *data.pRow;
    const int key = static_cast<int>(row.dwFlag);
    if (data.kind == KIND_TEX)
        return TextureLoad(game.pSprite, game.pSystem, row.nIndex, key, kKeyFromCorner);
    if (data.kind == KIND_SURF)
        return SurfaceLoad(game.pSprite, game.pSystem, row.nIndex, key, kKeyFromCorner);
    return SELoad(game.pSnd, game.pSystem, row.nIndex, row.szFilePath, *game.pShell);
}

int Unload(GAMEMAIN& game, const DATA_ROW& data) {
    const std::int32_t slot = data.pRow->nIndex;
    if (data.kind == KIND_TEX) return TextureUnload(game.pSprite, game.pSystem, slot);
    if (data.kind == KIND_SURF) return SurfaceUnload(game.pSprite, game.pSystem, slot);
    return SEUnload(game.pSnd, game.pSystem, slot, *game.pShell);
}

}  // namespace

std::int32_t LoadDataProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    DATA_ROW data{};
    if (!FindRow(game, cmd, kLoadData, data)) return ScrRefuse(cmd);
    if (Load(game, data) == 0) {
        platform::LogError(
            kLoadData.szTag, u8"[#LoadData] %s",
            platform::Utf8Arg(platform::LogText(kKinds[data.kind].szLoadFailed).view()));
        return ScrRefuse(cmd);
    }
    cmd.Clear();
    return 0;
}

// A failed unload leaves nothing for the script to mend: it is only logged.
std::int32_t UnLoadDataProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    DATA_ROW data{};
    if (!FindRow(game, cmd, kUnLoadData, data)) return ScrRefuse(cmd);
    if (Unload(game, data) == 0) {
        platform::LogError(
            kUnLoadData.szTag, u8"[#UnLoadData] %s",
            platform::Utf8Arg(platform::LogText(kKinds[data.kind].szUnloadFailed).view()));
    }
    cmd.Clear();
    return 0;
}
