#include <algorithm>
#include <optional>
#include <span>

#include "game/GAMEMAIN.h"
#include "game/REG_KIND.h"
#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/text/SjisText.h"
#include "script/ScriptArgs.h"
#include "script/ScriptCommands.h"
#include "script/WipeStrips.h"

namespace {

// Save, load and settings: off while strips stand.
constexpr std::int32_t kSaveLoadConfig = 7;
constexpr std::int32_t kAllBarButtons = 65535;
constexpr std::uint32_t kNoKeyColor = 0xFFFFFFFFu;

// A background command's log tag, its word for argument refusals, the word its
// kind and wipe-out lines name and the word its not-found line names.
struct BG_COMMAND {
    const char* szTag;
    const char* szWord;
    const char* szLabel;
    const char* szIdLabel;
};

constexpr BG_COMMAND kBGDisp{"GAMEMAIN::BGDispProc", "#BGDisp", "#BGDisp", "#BGDisp"};
constexpr BG_COMMAND kWipeOut{"GAMEMAIN::WipeOutProc", "#WipeOut", "#WipeOutProc", "#WipeOutProc"};
constexpr BG_COMMAND kWipe{"GAMEMAIN::WipeProc", "#Wipe", "#WipeProc", "#WipeProc"};
constexpr BG_COMMAND kWipeIn{"GAMEMAIN::WipeInProc", "#WipeIn", "#WipeInProc", "#WipeIn"};
constexpr BG_COMMAND kWipeEnd{"GAMEMAIN::WipeEndProc", "#WipeEnd", "#WipeEnd", "#WipeEnd"};

struct WIPE_KIND {
    const char* szWord;
    WIPE_SCHEDULE schedule;
};

constexpr WIPE_KIND kCoverKinds[] = {{"BLIND_WAVE1", WIPE_SCHEDULE::Staggered},
                                     {"BLIND_WAVE2", WIPE_SCHEDULE::PerStrip}};
constexpr WIPE_KIND kUncoverKinds[] = {{"BLIND_WAVE1", WIPE_SCHEDULE::Staggered},
                                       {"BLIND_WAVE", WIPE_SCHEDULE::PerStrip}};

// Argument positions of #WipeOut and #Wipe, and of #WipeIn, which has no strip count.
constexpr int kCoverCount = 2;
constexpr int kCoverDuration = 3;
constexpr int kCoverNoLoad = 4;
constexpr int kUncoverDuration = 2;
constexpr int kUncoverNoLoad = 3;

// FALSE: the script loads and unloads the pictures itself.
bool Loads(const ScriptArgs& args, int i) { return !args.Is(i, "FALSE"); }

std::optional<WIPE_SCHEDULE> ScheduleOf(const ScriptArgs& args, std::span<const WIPE_KIND> kinds,
                                        const BG_COMMAND& command) {
    for (const WIPE_KIND& kind : kinds) {
        if (args.Is(1, kind.szWord)) return kind.schedule;
    }
    platform::LogError(command.szTag, u8"[%s] 定義されていない効果です",
                       platform::Utf8Arg(command.szLabel));
    return std::nullopt;
}

// The registration row of argument 0's surface; null after the command's line.
const GRAPHIC_FILE_DATA* FindSurface(GAMEMAIN& game, const SCR_CMD_DATA& cmd,
                                     const BG_COMMAND& command) {
    const GRAPHIC_FILE_DATA* row = game.FindFileRow(cmd.szArg[0], REG_SURF);
    if (row == nullptr) {
        platform::LogError(command.szTag, u8"[%s] 合致するIDが見つかりませんでした",
                           platform::Utf8Arg(command.szIdLabel));
    }
    return row;
}

void UnloadLayer(GAMEMAIN& game, const GRAPHIC_DATA& layer) {
    if (layer.nIndex >= 0) SurfaceUnload(game.pSprite, game.pSystem, layer.nIndex);
}

// A layer leaving the screen gives its picture back, unless the other layer shows
// the same one; true when it gave it back.
bool UnloadUnlessShown(GAMEMAIN& game, const GRAPHIC_DATA& leaving, const GRAPHIC_DATA& staying) {
    if (leaving.nIndex == staying.nIndex) return false;
    UnloadLayer(game, leaving);
    return true;
}

void LoadLayer(GAMEMAIN& game, const GRAPHIC_DATA& layer) {
    if (layer.nIndex >= 0) {
        SurfaceLoad(game.pSprite, game.pSystem, layer.nIndex, static_cast<int>(layer.dwFlag),
                    kNoKeyColor);
    }
}

// Sets a background layer to the picture of a registration row, named by the ID as
// the script wrote it.
void ShowPicture(GAMEMAIN& game, GRAPHIC_DATA& layer, const SCR_CMD_DATA& cmd,
                 const GRAPHIC_FILE_DATA& row, bool bLoad) {
    layer.Initialize(game.pSprite, game.pSystem);
    layer.nDispFlg = 1;
    layer.nIndex = row.nIndex;
    platform::SjisCopyTruncated(layer.szName, GRAPHIC_FILE_DATA::kNameSize, cmd.szArg[0]);
    platform::SjisCopyTruncated(layer.szFilePath, GRAPHIC_FILE_DATA::kPathSize, row.szFilePath);
    if (bLoad) LoadLayer(game, layer);
}

WipeStrips Geometry(const GAMEMAIN& game, WIPE_EDGE edge, WIPE_SCHEDULE schedule) {
    return WipeStrips(static_cast<std::int32_t>(game.pSprite->GetWidth()),
                      static_cast<std::int32_t>(game.pSprite->GetHeight()), edge, schedule);
}

// A wipe-out has left its strips standing.
bool StripsStand(const CLIPPING_DATA& clip) { return clip.prcClip && clip.nClipNum > 0; }

// The strips are always walked by the count they were made for.
std::size_t StripCount(const CLIPPING_DATA& clip) {
    return StripsStand(clip) ? static_cast<std::size_t>(clip.nClipNum) : 0;
}

void MakeStrips(CLIPPING_DATA& clip, std::int32_t nCount) {
    clip.Free();
    const auto n = static_cast<std::size_t>(nCount);
    clip.prcClip = std::make_unique<platform::Rect[]>(n);
    clip.prcStartClip = std::make_unique<platform::Rect[]>(n);
    clip.pdwClipTime = std::make_unique<std::uint32_t[]>(n);
    clip.nClipNum = nCount;
}

void StartStrips(GAMEMAIN& game, const WipeStrips& strips, std::uint32_t dwDuration) {
    CLIPPING_DATA& clip = game.ClippingData;
    const std::size_t n = StripCount(clip);
    strips.Start(std::span(clip.prcStartClip.get(), n), std::span(clip.pdwClipTime.get(), n),
                 dwDuration, [&game] { return game.ScrRandom(); });
    std::copy_n(clip.prcStartClip.get(), n, clip.prcClip.get());
}

// A duration read again on a later frame divides, so it counts as at least 1.
std::uint32_t DurationOf(const ScriptArgs& args, int i) {
    return static_cast<std::uint32_t>(std::max(args.Number(i), 1));
}

// One frame of the strips' movement; true once they have arrived.
bool GrowStrips(GAMEMAIN& game, const WipeStrips& strips, const SCR_CMD_DATA& cmd,
                std::uint32_t dwDuration) {
    CLIPPING_DATA& clip = game.ClippingData;
    const std::size_t n = StripCount(clip);
    return strips.Grow(std::span(clip.prcStartClip.get(), n), std::span(clip.pdwClipTime.get(), n),
                       dwDuration, game.GetTime() - cmd.dwStartTime,
                       std::span(clip.prcClip.get(), n));
}

void StartWaiting(GAMEMAIN& game, SCR_CMD_DATA& cmd) {
    cmd.nWaitFlg = 1;
    cmd.dwStartTime = game.GetTime();
    cmd.dwPhase = 1;
}

// The strips go and the new background stands alone in layer 1.
void EndWipe(GAMEMAIN& game) {
    game.BGGraphData2.Initialize(game.pSprite, game.pSystem);
    game.ClippingData.Free();
    game.MsgWndStatusChange(kSaveLoadConfig, 1);
}

// Phase 0 of #WipeOut and #Wipe: the old background moves to layer 2, the new
// picture to layer 1, and its strips are set at their start; false after a line.
bool CoverSetUp(GAMEMAIN& game, SCR_CMD_DATA& cmd, const ScriptArgs& args,
                const BG_COMMAND& command, const WipeStrips& strips) {
    std::int32_t count = 0;
    std::int32_t duration = 0;
    const auto height = static_cast<std::int32_t>(game.pSprite->GetHeight());
    if (!args.InRange(kCoverCount, 1, height, count) ||
        !args.InRange(kCoverDuration, 1, ScriptArgs::kLongestDuration, duration)) {
        return false;
    }
    game.MsgWndStatusChange(kSaveLoadConfig, 0);
    const GRAPHIC_FILE_DATA* row = FindSurface(game, cmd, command);
    if (row == nullptr) return false;
    game.BGGraphData2.Copy(&game.BGGraphData1);
    ShowPicture(game, game.BGGraphData1, cmd, *row, Loads(args, kCoverNoLoad));
    MakeStrips(game.ClippingData, count);
    StartStrips(game, strips, static_cast<std::uint32_t>(duration));
    StartWaiting(game, cmd);
    return true;
}

// #WipeOut and #Wipe: the new picture covers the screen strip by strip. #WipeOut
// leaves the strips standing for a #WipeIn or #WipeEnd.
std::int32_t Cover(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot,
                   const BG_COMMAND& command, bool bStripsStay) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, command.szTag, command.szWord);
    const std::optional<WIPE_SCHEDULE> schedule = ScheduleOf(args, kCoverKinds, command);
    if (!schedule) return ScrRefuse(cmd);
    const WipeStrips strips = Geometry(game, WIPE_EDGE::Right, *schedule);
    if (cmd.dwPhase == 0) {
        return CoverSetUp(game, cmd, args, command, strips) ? 0 : ScrRefuse(cmd);
    }
    if (!GrowStrips(game, strips, cmd, DurationOf(args, kCoverDuration))) return 0;
    // The old background, covered now, is not drawn once its picture is given back;
    // #WipeEnd shows it again.
    if (Loads(args, kCoverNoLoad) &&
        UnloadUnlessShown(game, game.BGGraphData2, game.BGGraphData1)) {
        game.BGGraphData2.nDispFlg = 0;
    }
    if (!bStripsStay) EndWipe(game);
    cmd.Clear();
    return 0;
}

// Phase 0 of #WipeIn: the new background goes to layer 2, behind the strips of the
// covering picture; false after a line.
bool UncoverSetUp(GAMEMAIN& game, SCR_CMD_DATA& cmd, const ScriptArgs& args, WIPE_SCHEDULE schedule,
                  const WipeStrips& strips) {
    std::int32_t duration = 0;
    if (!args.InRange(kUncoverDuration, 1, ScriptArgs::kLongestDuration, duration)) return false;
    if (schedule == WIPE_SCHEDULE::PerStrip) game.MsgWindowData.ButtonDisable(kAllBarButtons);
    const GRAPHIC_FILE_DATA* row = FindSurface(game, cmd, kWipeIn);
    if (row == nullptr) return false;
    StartStrips(game, strips, static_cast<std::uint32_t>(duration));
    ShowPicture(game, game.BGGraphData2, cmd, *row, Loads(args, kUncoverNoLoad));
    StartWaiting(game, cmd);
    return true;
}

}  // namespace

std::int32_t BGDispProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kBGDisp.szTag, kBGDisp.szWord);
    const bool bLoad = Loads(args, 1);
    GRAPHIC_DATA& layer = game.BGGraphData1;
    if (args.Is(0, "NULL")) {
        if (bLoad) UnloadLayer(game, layer);
        layer.Initialize(game.pSprite, game.pSystem);
    } else {
        const GRAPHIC_FILE_DATA* row = FindSurface(game, cmd, kBGDisp);
        if (row == nullptr) return ScrRefuse(cmd);
        if (bLoad) UnloadLayer(game, layer);
        ShowPicture(game, layer, cmd, *row, bLoad);
    }
    cmd.Clear();
    return 0;
}

std::int32_t WipeOutProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return Cover(game, pScr, nSlot, kWipeOut, true);
}

std::int32_t WipeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return Cover(game, pScr, nSlot, kWipe, false);
}

std::int32_t WipeInProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kWipeIn.szTag, kWipeIn.szWord);
    const std::optional<WIPE_SCHEDULE> schedule = ScheduleOf(args, kUncoverKinds, kWipeIn);
    if (!schedule) return ScrRefuse(cmd);
    if (!StripsStand(game.ClippingData)) {
        platform::LogError(kWipeIn.szTag, u8"[%s] ワイプアウトが呼び出されていません",
                           platform::Utf8Arg(kWipeIn.szLabel));
        return ScrRefuse(cmd);
    }
    const WipeStrips strips = Geometry(game, WIPE_EDGE::Left, *schedule);
    if (cmd.dwPhase == 0) {
        return UncoverSetUp(game, cmd, args, *schedule, strips) ? 0 : ScrRefuse(cmd);
    }
    if (!GrowStrips(game, strips, cmd, DurationOf(args, kUncoverDuration))) return 0;
    if (Loads(args, kUncoverNoLoad)) {
        UnloadUnlessShown(game, game.BGGraphData1, game.BGGraphData2);
    }
    game.BGGraphData1.Copy(&game.BGGraphData2);
    EndWipe(game);
    cmd.Clear();
    return 0;
}

// Without a wipe-out there is nothing to dismantle: layer 2 is empty and copying it
// would blank the background.
std::int32_t WipeEndProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    if (!StripsStand(game.ClippingData)) {
        platform::LogWarn(kWipeEnd.szTag, u8"[%s] ワイプアウトが呼び出されていません",
                          platform::Utf8Arg(kWipeEnd.szLabel));
        cmd.Clear();
        return 1;
    }
    const ScriptArgs args(cmd, kWipeEnd.szTag, kWipeEnd.szWord);
    const bool bLoad = Loads(args, 0);
    if (bLoad) UnloadLayer(game, game.BGGraphData1);
    // The wipe-out's arrival gave the old background's picture back.
    game.BGGraphData1.Copy(&game.BGGraphData2);
    if (bLoad) LoadLayer(game, game.BGGraphData1);
    if (game.BGGraphData1.nIndex >= 0) game.BGGraphData1.nDispFlg = 1;
    EndWipe(game);
    cmd.Clear();
    return 0;
}
