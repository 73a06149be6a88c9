#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>

#include "game/GAMEMAIN.h"
#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "script/MosaicGrid.h"
#include "script/ScriptArgs.h"
#include "script/ScriptCommands.h"

namespace {

// Save, load and settings: off while the mosaic stands.
constexpr std::int32_t kSaveLoadConfig = 7;
// The cells are filled into work surface 0; the scene is composed into surface 1.
constexpr int kWorkSurfaces[] = {0, 1};
constexpr int kCompositionSurface = 1;
constexpr std::uint32_t kNoColorKey = 0xFFFFFFFFu;

// A mosaic command's log tag and word; a moving one's direction.
struct MOSAIC_COMMAND {
    const char* szTag;
    const char* szWord;
    bool bExpand;
};

constexpr MOSAIC_COMMAND kExpansion{"GAMEMAIN::MosaicExpansionProc", "#MosaicExpansion", true};
constexpr MOSAIC_COMMAND kReduction{"GAMEMAIN::MosaicReductionProc", "#MosaicReduction", false};
constexpr const char* kReloadTag = "GAMEMAIN::MosaicReloadProc";

void FreeCells(GAMEMAIN& game) {
    game.prcMosaic.reset();
    game.pdwMosaicColor.reset();
    game.nMosaicCellNum = 0;
}

// The grid at the present cell size, held to its range; none after the cell-count line.
std::optional<MosaicGrid> GridOf(GAMEMAIN& game, const char* szTag) {
    const MosaicGrid grid(game.dwMosaicSize, game.pSprite->GetWidth(), game.pSprite->GetHeight());
    game.dwMosaicSize = grid.dwSize;
    if (grid.nCols < 1 || grid.nRows < 1) {
        platform::LogError(szTag, u8"モザイク数が0以下で不正です");
        return std::nullopt;
    }
    return grid;
}

// Each cell takes the colour of the composition at its top-left corner.
void FillCells(GAMEMAIN& game, const MosaicGrid& grid) {
    const std::uint32_t n = grid.Cells();
    game.prcMosaic = std::make_unique<platform::Rect[]>(n);
    game.pdwMosaicColor = std::make_unique<platform::ColorRef[]>(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        const platform::Rect cell = grid.Cell(i);
        game.prcMosaic[i] = cell;
        game.pdwMosaicColor[i] = static_cast<platform::ColorRef>(
            game.pSprite->GetSurfaceColor(kCompositionSurface, cell.left, cell.top));
    }
    game.nMosaicCellNum = n;
    game.nMosaicChangeFlg = 1;
}

// The cells again at the present size, sampling the composition that stands.
bool RebuildCells(GAMEMAIN& game, const char* szTag) {
    FreeCells(game);
    const std::optional<MosaicGrid> grid = GridOf(game, szTag);
    if (!grid) return false;
    FillCells(game, *grid);
    return true;
}

// Two fresh work surfaces with the scene composed into surface 1.
bool ComposeScene(GAMEMAIN& game, const char* szTag) {
    for (const int slot : kWorkSurfaces) SurfaceUnload(game.pSprite, game.pSystem, slot);
    for (const int slot : kWorkSurfaces) {
        SurfaceLoad(game.pSprite, game.pSystem, slot, 0, kNoColorKey);
    }
    if (game.MosaicDrawSurfaceComposition() != 0) return true;
    platform::LogError(szTag, u8"モザイクサーフェスへの合成に失敗しました");
    return false;
}

// Phase 0: the mosaic at its start size, composed afresh unless NULL keeps the one
// standing. The start is written back into argument 0, so that every later call reads
// the size the mosaic started from.
bool MosaicSetUp(GAMEMAIN& game, SCR_CMD_DATA& cmd, const ScriptArgs& args,
                 const MOSAIC_COMMAND& command) {
    const bool keep = args.Is(0, "NULL");
    if (keep && game.dwMosaicSize < MosaicGrid::kMinSize) {
        args.Invalid(0);
        return false;
    }
    game.MsgWndStatusChange(kSaveLoadConfig, 0);
    if (keep) {
        if (!GridOf(game, command.szTag)) return false;
    } else {
        game.dwMosaicSize = MosaicGrid::ClampWord(args.Number(0));
        if (!ComposeScene(game, command.szTag) || !RebuildCells(game, command.szTag)) return false;
    }
    std::snprintf(cmd.szArg[0], sizeof cmd.szArg[0], "%u", game.dwMosaicSize);
    game.nMosaicDispFlg = 1;
    return true;
}

std::int32_t MosaicMoveProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot,
                            const MOSAIC_COMMAND& command) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, command.szTag, command.szWord);
    std::uint32_t dwDuration = 0;
    if (!args.Duration(2, dwDuration)) return ScrRefuse(cmd);
    const std::uint32_t dwEnd = MosaicGrid::ClampWord(args.Number(1));
    if (cmd.dwPhase == 0) {
        if (!MosaicSetUp(game, cmd, args, command)) return ScrRefuse(cmd);
        if (MosaicGrid::Arrived(game.dwMosaicSize, dwEnd, command.bExpand)) {
            cmd.Clear();
            return 0;
        }
        cmd.nWaitFlg = 1;
        cmd.dwStartTime = game.GetTime();
        cmd.dwPhase = 1;
    }
    const std::uint32_t dwSize =
        MosaicGrid::SizeAt(MosaicGrid::ClampWord(args.Number(0)), dwEnd, dwDuration,
                           game.GetTime() - cmd.dwStartTime, command.bExpand);
    if (dwSize != game.dwMosaicSize) {
        game.dwMosaicSize = dwSize;
        if (!RebuildCells(game, command.szTag)) return ScrRefuse(cmd);
    }
    if (MosaicGrid::Arrived(game.dwMosaicSize, dwEnd, command.bExpand)) cmd.Clear();
    return 0;
}

}  // namespace

std::int32_t MosaicExpansionProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return MosaicMoveProc(game, pScr, nSlot, kExpansion);
}

std::int32_t MosaicReductionProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return MosaicMoveProc(game, pScr, nSlot, kReduction);
}

std::int32_t MosaicReloadProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    if (game.nMosaicDispFlg != 0) {
        FreeCells(game);
        const std::optional<MosaicGrid> grid = GridOf(game, kReloadTag);
        if (!grid || !ComposeScene(game, kReloadTag)) return ScrRefuse(cmd);
        FillCells(game, *grid);
    }
    cmd.Clear();
    return 0;
}

std::int32_t MosaicEndProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    FreeCells(game);
    game.dwMosaicSize = 0;
    game.nMosaicDispFlg = 0;
    game.nMosaicChangeFlg = 0;
    game.MsgWndStatusChange(kSaveLoadConfig, 1);
    pScr->Cmd[nSlot].Clear();
    return 0;
}
