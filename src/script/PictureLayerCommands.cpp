#include <cstdint>
#include <functional>

#include "game/ANIMATION_DATA.h"
#include "game/GAMEMAIN.h"
#include "game/REG_KIND.h"
#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/video/Rect.h"
#include "script/ScriptArgs.h"
#include "script/ScriptCommands.h"

namespace {

constexpr const char* kAniInitTag = "GAMEMAIN::PrimAniInitProc";
constexpr const char* kAniSetTag = "GAMEMAIN::PrimAniSetProc";
constexpr const char* kAniDispTag = "GAMEMAIN::PrimAniDispProc";
constexpr const char* kAniUnDispTag = "GAMEMAIN::PrimAniUnDispProc";
constexpr const char* kGraphicDispTag = "GAMEMAIN::PrimGraphicDispProc";
constexpr const char* kGraphicUnDispTag = "GAMEMAIN::PrimGraphicUnDispProc";

constexpr std::uint32_t kNoColor = 0xFFFFFFFFu;
// A still picture's one frame never ends.
constexpr std::uint32_t kStillFrameTime = 0xFFFFFFFFu;

// What #PrimAniInit sets a layer up with. A layer numbers its picture kind as the
// registration tables do: REG_TEX or REG_SURF.
struct LAYER_SETUP {
    std::uint32_t nKind = REG_SURF;
    std::int32_t nSlot = -1;
    std::int32_t nFrames = 0;
    std::uint32_t nType = 0;
    std::uint32_t dwKey = 0;
    std::uint32_t dwExtra = 0;
    std::uint32_t nCrossFade = 0;
};

// Layer 1 or 2 named by argument 0; null after the refusal line for any other number.
GRAPHIC_DATA_EX* FindLayer(GAMEMAIN& game, const ScriptArgs& args, const char* szTag,
                           const char8_t* szRefusal) {
    switch (args.Number(0)) {
        case 1:
            return &game.PRIM1;
        case 2:
            return &game.PRIM2;
        default:
            platform::LogError(szTag, szRefusal);
            return nullptr;
    }
}

// Argument i as one of two keywords: 1 for the first, 0 for the second; false for
// any other word.
bool ReadChoice(const ScriptArgs& args, int i, const char* szOne, const char* szZero,
                std::uint32_t& out) {
    if (args.Is(i, szOne)) {
        out = 1;
    } else if (args.Is(i, szZero)) {
        out = 0;
    } else {
        return false;
    }
    return true;
}

// The image slot registered under the ID in the texture or surface table; false when
// no row has the ID.
bool FindSlot(GAMEMAIN& game, const char* szID, REG_KIND nKind, std::int32_t& nSlot) {
    const GRAPHIC_FILE_DATA* row = game.FindFileRow(szID, nKind);
    if (row == nullptr) return false;
    nSlot = row->nIndex;
    return true;
}

// The picture kind and the image slot of the ID; false after the refusal line.
bool ReadPicture(GAMEMAIN& game, const SCR_CMD_DATA& cmd, const ScriptArgs& args,
                 LAYER_SETUP& setup) {
    if (!ReadChoice(args, 2, "SURF", "TEX", setup.nKind)) {
        platform::LogError(kAniInitTag, u8"[#PrimAniInit] 画像指定が規定外です");
        return false;
    }
    if (!FindSlot(game, cmd.szArg[1], static_cast<REG_KIND>(setup.nKind), setup.nSlot)) {
        platform::LogError(kAniInitTag, u8"[#PrimAniInit] IDが見つかりませんでした");
        return false;
    }
    return true;
}

// The pattern, colour-key, extra and cross-fade words; false after the refusal line.
bool ReadAnimationWords(const ScriptArgs& args, LAYER_SETUP& setup) {
    if (!ReadChoice(args, 4, "REPETITION", "LOOP", setup.nType)) {
        platform::LogError(kAniInitTag, u8"[#PrimAniInit] アニメーションパターン指定が規定外です");
        return false;
    }
    if (!ReadChoice(args, 5, "TRUE", "FALSE", setup.dwKey) ||
        !ReadChoice(args, 6, "TRUE", "FALSE", setup.dwExtra)) {
        platform::LogError(kAniInitTag, u8"[#PrimAniInit] カラーキーフラグ指定が規定外です");
        return false;
    }
    if (!ReadChoice(args, 7, "TRUE", "FALSE", setup.nCrossFade)) {
        platform::LogError(kAniInitTag,
                           u8"[#PrimAniInit] アニメーションフェードフラグ指定が規定外です");
        return false;
    }
    return true;
}

// Frame n: its duration and the source rectangle of arguments first to first + 3.
void SetFrame(GRAPHIC_DATA_EX& layer, std::int32_t n, std::uint32_t dwTime, const ScriptArgs& args,
              int first) {
    const platform::Rect frame{args.Number(first), args.Number(first + 1), args.Number(first + 2),
                               args.Number(first + 3)};
    layer.AnimationSet(n, dwTime, &frame, ANIMATION_DATA::kKeepType);
}

// Shows the layer at the position of arguments first and first + 1.
void Show(GRAPHIC_DATA_EX& layer, const ScriptArgs& args, int first) {
    layer.nDispFlg = 1;
    layer.nX = args.Number(first);
    layer.nY = args.Number(first + 1);
}

void LoadPicture(GAMEMAIN& game, std::uint32_t nKind, std::int32_t nSlot, std::uint32_t dwKey) {
    const int bColorKey = static_cast<int>(dwKey);
    if (nKind == REG_SURF) {
        SurfaceLoad(game.pSprite, game.pSystem, nSlot, bColorKey, kNoColor);
    } else {
        TextureLoad(game.pSprite, game.pSystem, nSlot, bColorKey, kNoColor);
    }
}

void UnloadPicture(GAMEMAIN& game, std::uint32_t nKind, std::int32_t nSlot) {
    if (nKind == REG_SURF) {
        SurfaceUnload(game.pSprite, game.pSystem, nSlot);
    } else {
        TextureUnload(game.pSprite, game.pSystem, nSlot);
    }
}

// Loads the picture when fits() holds before, for a size already known, and after, for
// a size this first load learns; a picture refused then is unloaded as it was. False
// after fits() refused.
bool LoadFitting(GAMEMAIN& game, std::uint32_t nKind, std::int32_t nSlot, std::uint32_t dwKey,
                 const std::function<bool()>& fits) {
    if (!fits()) return false;
    LoadPicture(game, nKind, nSlot, dwKey);
    if (fits()) return true;
    UnloadPicture(game, nKind, nSlot);
    return false;
}

// Unless argument i is FALSE, the layer's picture is unloaded; a layer holding no
// slot has nothing to unload.
void UnloadLayerPicture(GAMEMAIN& game, const GRAPHIC_DATA_EX& layer, const ScriptArgs& args,
                        int i) {
    if (args.Is(i, "FALSE") || layer.nIndex < 0) return;
    UnloadPicture(game, layer.nGKind, layer.nIndex);
}

// The first edge of frame (0 left, 1 top, 2 right, 3 bottom) outside its picture,
// or -1. A picture's size is known from its first load on (an unloaded picture
// keeps it); before that, any frame passes here.
int EdgeOutside(const GAMEMAIN& game, std::uint32_t nKind, std::int32_t nSlot,
                const platform::Rect& frame) {
    if (nSlot < 0) return -1;
    const ZKSPRITE& sprite = *game.pSprite;
    const bool bSurface = nKind == REG_SURF;
    const std::int64_t width =
        bSurface ? sprite.GetSurfaceWidth(nSlot) : sprite.GetTextureWidth(nSlot);
    const std::int64_t height =
        bSurface ? sprite.GetSurfaceHeight(nSlot) : sprite.GetTextureHeight(nSlot);
    if (width == 0 || height == 0) return -1;
    const std::int64_t edges[] = {frame.left, frame.top, frame.right, frame.bottom};
    const std::int64_t limits[] = {0, 0, width, height};
    for (int edge = 0; edge < 4; ++edge) {
        if (edge < 2 ? edges[edge] < limits[edge] : edges[edge] > limits[edge]) return edge;
    }
    return -1;
}

// The frame of arguments first to first + 3 lies inside its picture; false after the
// refusal line of its first edge outside.
bool FrameFits(const GAMEMAIN& game, std::uint32_t nKind, std::int32_t nSlot,
               const ScriptArgs& args, int first) {
    const platform::Rect frame{args.Number(first), args.Number(first + 1), args.Number(first + 2),
                               args.Number(first + 3)};
    const int edge = EdgeOutside(game, nKind, nSlot, frame);
    if (edge < 0) return true;
    args.Invalid(first + edge);
    return false;
}

// Every frame the layer was given lies inside its picture, as far as its size is known.
bool LayerFramesInside(const GAMEMAIN& game, const GRAPHIC_DATA_EX& layer) {
    for (std::uint32_t n = 0; n < layer.nAnimNum && layer.prcAnim; ++n) {
        if (EdgeOutside(game, layer.nGKind, layer.nIndex, layer.prcAnim[n]) >= 0) return false;
    }
    return true;
}

// LayerFramesInside, else false after the refusal of argument 0, the layer. Frames
// set before the picture's size was known are checked here, before the layer shows them.
bool LayerFramesFit(const GAMEMAIN& game, const GRAPHIC_DATA_EX& layer, const ScriptArgs& args) {
    if (LayerFramesInside(game, layer)) return true;
    args.Invalid(0);
    return false;
}

}  // namespace

bool LayerFramesFitPicture(const GAMEMAIN& game, std::uint32_t nKind, std::int32_t nSlot) {
    for (const GRAPHIC_DATA_EX* layer : {&game.PRIM1, &game.PRIM2}) {
        if (layer->nGKind == nKind && layer->nIndex == nSlot && !LayerFramesInside(game, *layer)) {
            return false;
        }
    }
    return true;
}

std::int32_t PrimAniInitProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kAniInitTag, "#PrimAniInit");
    GRAPHIC_DATA_EX* layer =
        FindLayer(game, args, kAniInitTag, u8"[#PrimAniInit] 指定ナンバー外です");
    if (layer == nullptr) return ScrRefuse(cmd);
    LAYER_SETUP setup;
    const bool bReset = args.Is(1, "NULL");
    if (bReset) {
        layer->Reset();
    } else if (!ReadPicture(game, cmd, args, setup) ||
               !args.InRange(3, 1, ANIMATION_DATA::kMaxFrames, setup.nFrames)) {
        return ScrRefuse(cmd);
    }
    if (!ReadAnimationWords(args, setup)) return ScrRefuse(cmd);
    if (!bReset) {
        layer->Set(setup.nKind, setup.nSlot, static_cast<std::uint32_t>(setup.nFrames), setup.nType,
                   setup.dwKey, setup.dwExtra, setup.nCrossFade);
    }
    cmd.Clear();
    return 0;
}

std::int32_t PrimAniSetProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kAniSetTag, "#PrimAniSet");
    GRAPHIC_DATA_EX* layer =
        FindLayer(game, args, kAniSetTag, u8"[#PrimAniSet] 指定ナンバー外です");
    if (layer == nullptr) return ScrRefuse(cmd);
    // Checked before the 1 is taken off, so no number wraps into the table.
    const std::int32_t nNumber = args.Number(1);
    if (nNumber < 1 || static_cast<std::uint32_t>(nNumber) > layer->nAnimNum) {
        platform::LogError(kAniSetTag,
                           u8"[#PrimAniSet] 指定アニメーションナンバーが最大値を超えています");
        return ScrRefuse(cmd);
    }
    if (!FrameFits(game, layer->nGKind, layer->nIndex, args, 3)) return ScrRefuse(cmd);
    // A frame's time holds no story line up: -1 keeps the frame for good.
    SetFrame(*layer, nNumber - 1, static_cast<std::uint32_t>(args.Number(2)), args, 3);
    cmd.Clear();
    return 0;
}

std::int32_t PrimAniDispProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kAniDispTag, "#PrimAniDisp");
    GRAPHIC_DATA_EX* layer =
        FindLayer(game, args, kAniDispTag, u8"[#PrimAniDisp] 指定ナンバー外です");
    if (layer == nullptr) return ScrRefuse(cmd);
    // A layer without frames or picture has nothing to show.
    if (layer->nAnimNum == 0 || layer->nIndex < 0) {
        platform::LogError(kAniDispTag, u8"[#PrimAniDisp] 表示する画像が設定されていません");
        return ScrRefuse(cmd);
    }
    const auto fits = [&] { return LayerFramesFit(game, *layer, args); };
    const bool bShown = args.Is(3, "FALSE")
                            ? fits()
                            : LoadFitting(game, layer->nGKind, layer->nIndex, layer->dwFlag, fits);
    if (!bShown) return ScrRefuse(cmd);
    Show(*layer, args, 1);
    cmd.Clear();
    return 0;
}

std::int32_t PrimAniUnDispProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kAniUnDispTag, "#PrimAniUnDisp");
    GRAPHIC_DATA_EX* layer =
        FindLayer(game, args, kAniUnDispTag, u8"[#PrimAniUnDisp] 指定ナンバー外です");
    if (layer == nullptr) return ScrRefuse(cmd);
    UnloadLayerPicture(game, *layer, args, 1);
    // Frames, timing and position stay for the next #PrimAniDisp.
    layer->nDispFlg = 0;
    cmd.Clear();
    return 0;
}

std::int32_t PrimGraphicDispProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kGraphicDispTag, "#PrimGraphicDisp");
    GRAPHIC_DATA_EX* layer = FindLayer(game, args, kGraphicDispTag, u8"指定ナンバー外です");
    if (layer == nullptr) return ScrRefuse(cmd);
    std::int32_t nPicture = -1;
    if (!FindSlot(game, cmd.szArg[1], REG_SURF, nPicture)) {
        platform::LogError(kGraphicDispTag, u8"IDが見つかりませんでした");
        return ScrRefuse(cmd);
    }
    // A script line ends before a ninth argument could say FALSE: the picture always
    // loads.
    if (!LoadFitting(game, REG_SURF, nPicture, 0,
                     [&] { return FrameFits(game, REG_SURF, nPicture, args, 4); })) {
        return ScrRefuse(cmd);
    }
    layer->Set(REG_SURF, nPicture, 1, 0, 0, 0, 0);
    Show(*layer, args, 2);
    SetFrame(*layer, 0, kStillFrameTime, args, 4);
    cmd.Clear();
    return 0;
}

std::int32_t PrimGraphicUnDispProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    const ScriptArgs args(cmd, kGraphicUnDispTag, "#PrimGraphicUnDisp");
    GRAPHIC_DATA_EX* layer = FindLayer(game, args, kGraphicUnDispTag, u8"指定ナンバー外です");
    if (layer == nullptr) return ScrRefuse(cmd);
    UnloadLayerPicture(game, *layer, args, 1);
    layer->Reset();
    cmd.Clear();
    return 0;
}
