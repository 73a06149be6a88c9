#include <cstdint>
#include <initializer_list>

#include "game/GAMEMAIN.h"
#include "game/REG_KIND.h"
#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "script/SCR_FILE_DATA.h"
#include "script/ScriptArgs.h"
#include "script/ScriptCommands.h"

namespace {

// The loader and unloader each picture or sound kind's failure lines name.
struct KIND_ENTRY {
    const char8_t* szLoadFailed;
    const char8_t* szUnloadFailed;
};

constexpr KIND_ENTRY kKinds[] = {
    {u8"呼び出したGAMEMAIN::TextureLoadが失敗しました",
     u8"呼び出したGAMEMAIN::TextureUnloadが失敗しました"},
    {u8"呼び出したGAMEMAIN::SurfaceLoadが失敗しました",
     u8"呼び出したGAMEMAIN::SurfaceUnloadが失敗しました"},
    {u8"呼び出したGAMEMAIN::SELoadが失敗しました", u8"呼び出したGAMEMAIN::SEUnloadが失敗しました"}};

// The colour key the loaders take from the picture's corner.
constexpr std::uint32_t kKeyFromCorner = 0xFFFFFFFFu;

struct DATA_COMMAND {
    const char* szTag;
    const char* szWord;
};

constexpr DATA_COMMAND kLoadData{"GAMEMAIN::LoadDataProc", "#LoadData"};
constexpr DATA_COMMAND kUnLoadData{"GAMEMAIN::UnLoadDataProc", "#UnLoadData"};

struct DATA_ROW {
    REG_KIND kind;
    const GRAPHIC_FILE_DATA* pRow;
};

// The registration row the line names by ID and kind word; false after its line.
bool FindRow(GAMEMAIN& game, const SCR_CMD_DATA& cmd, const DATA_COMMAND& command, DATA_ROW& out) {
    const ScriptArgs args(cmd, command.szTag, command.szWord);
    for (const REG_KIND kind : {REG_TEX, REG_SURF, REG_WAVE}) {
        if (!args.Is(1, kRegKindWords[kind])) continue;
        const GRAPHIC_FILE_DATA* row = game.FindFileRow(cmd.szArg[0], kind);
        if (row == nullptr) {
            platform::LogError(command.szTag, u8"[%s] 合致するIDが見つかりませんでした",
                               platform::Utf8Arg(command.szWord));
            return false;
        }
        out = DATA_ROW{kind, row};
        return true;
    }
    platform::LogError(command.szTag, u8"[%s] 不正な識別子です", platform::Utf8Arg(command.szWord));
    return false;
}

int Load(GAMEMAIN& game, const DATA_ROW& data) {
    const GRAPHIC_FILE_DATA& row = *data.pRow;
    const int key = static_cast<int>(row.dwFlag);
    if (data.kind == REG_TEX)
        return TextureLoad(game.pSprite, game.pSystem, row.nIndex, key, kKeyFromCorner);
    if (data.kind == REG_SURF)
        return SurfaceLoad(game.pSprite, game.pSystem, row.nIndex, key, kKeyFromCorner);
    return SELoad(game.pSnd, game.pSystem, row.nIndex, row.szFilePath, *game.pShell);
}

// A texture's or surface's slot holds its picture.
bool PictureLoaded(const GAMEMAIN& game, const DATA_ROW& data) {
    const std::int32_t slot = data.pRow->nIndex;
    return data.kind == REG_TEX ? game.pSprite->GetTexture(slot) != nullptr
                                : game.pSprite->GetSurface(slot) != nullptr;
}

int Unload(GAMEMAIN& game, const DATA_ROW& data) {
    const std::int32_t slot = data.pRow->nIndex;
    if (data.kind == REG_TEX) return TextureUnload(game.pSprite, game.pSystem, slot);
    if (data.kind == REG_SURF) return SurfaceUnload(game.pSprite, game.pSystem, slot);
    return SEUnload(game.pSnd, game.pSystem, slot, *game.pShell);
}

// A loader's or unloader's failure, named in the command's line.
void LogFailed(const DATA_COMMAND& command, const char8_t* szFailed) {
    platform::LogError(command.szTag, u8"[%s] %s", platform::Utf8Arg(command.szWord),
                       platform::Utf8Arg(platform::LogText(szFailed).view()));
}

}  // namespace

std::int32_t LoadDataProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    DATA_ROW data{};
    if (!FindRow(game, cmd, kLoadData, data)) return ScrRefuse(cmd);
    const bool bPicture = data.kind != REG_WAVE;
    const bool bWasLoaded = bPicture && PictureLoaded(game, data);
    if (Load(game, data) == 0) {
        LogFailed(kLoadData, kKinds[data.kind].szLoadFailed);
        return ScrRefuse(cmd);
    }
    // A layer's frame outside the picture would fail to draw in every frame: refused
    // here, where the picture's size may first be known, leaving the picture as it was.
    if (bPicture && !LayerFramesFitPicture(game, data.kind, data.pRow->nIndex)) {
        ScriptArgs(cmd, kLoadData.szTag, kLoadData.szWord).Invalid(0);
        if (!bWasLoaded) Unload(game, data);
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
        LogFailed(kUnLoadData, kKinds[data.kind].szUnloadFailed);
    }
    cmd.Clear();
    return 0;
}
