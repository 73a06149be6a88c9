#include <algorithm>
#include <functional>
#include <optional>
#include <span>

#include "game/GAMEMAIN.h"
#include "game/REG_KIND.h"
#include "game/ResourceLoader.h"
#include "platform/core/Log.h"
#include "script/ScriptArgs.h"
#include "script/ScriptCommands.h"

namespace {

// The loaders take the colour key from the picture's corner.
constexpr int kColorKey = 1;
constexpr std::uint32_t kKeyFromCorner = 0xFFFFFFFFu;

// A character command's log tag, its word for argument refusals and the word its
// not-found line names.
struct CHARA_COMMAND {
    const char* szTag;
    const char* szWord;
    const char* szLabel;
};

constexpr CHARA_COMMAND kCharIn{"GAMEMAIN::CharInProc", "#CharIn", "#CharIn"};
constexpr CHARA_COMMAND kCharOut{"GAMEMAIN::CharOutProc", "#CharOut", "#CharOut"};
constexpr CHARA_COMMAND kCharMove{"GAMEMAIN::CharMoveProc", "#CharMove", "#CharMove"};
constexpr CHARA_COMMAND kEyeAnimation{"GAMEMAIN::CtrlEyeAnimationProc", "#CtrlEyeAnimation",
                                      "#CtrlEyeAnimation"};

ZKCHAR* FindChara(GAMEMAIN& game, const SCR_CMD_DATA& cmd, const CHARA_COMMAND& command) {
    std::int32_t index = -1;
    if (game.IDSerch(cmd.szArg[0], REG_CHAR, &index) == 0) {
        platform::LogError(command.szTag, u8"[%s] 合致するIDが見つかりませんでした",
                           platform::Utf8Arg(command.szLabel));
        return nullptr;
    }
    return &game.pCharData[index];
}

std::int32_t PositionX(const ScriptArgs& args, int i) {
    if (args.Is(i, "RIGHT")) return 590;
    if (args.Is(i, "LEFT")) return 190;
    if (args.Is(i, "CENTER")) return 400;
    return args.Number(i);
}

std::int32_t PositionY(const ScriptArgs& args, int i) {
    return args.Is(i, "DEFAULT") ? 0 : args.Number(i);
}

// FALSE: the script has loaded the pictures itself.
bool LoadsPictures(const ScriptArgs& args, int i) { return !args.Is(i, "FALSE"); }

enum class PART { Body, Face };

struct PICTURE {
    std::int32_t nSurface;
    std::int32_t nTexture;
};

// The slots of picture n of one part; none outside the part's table.
std::optional<PICTURE> PictureOf(const ZKCHAR& chara, PART part, std::int32_t n) {
    if (part == PART::Body) {
        if (n < 0 || n >= chara.nBodyNum) return std::nullopt;
        return PICTURE{chara.pBodyData[n].nSurfaceIndex, chara.pBodyData[n].nTextureIndex};
    }
    if (n < 0 || n >= chara.nFaceNum) return std::nullopt;
    return PICTURE{chara.pFaceData[n].nSurfaceIndex, chara.pFaceData[n].nTextureIndex};
}

// The body and face a character shows as a call begins.
struct SHOWN {
    std::int32_t nBody;
    std::int32_t nFace;

    explicit SHOWN(const ZKCHAR& chara) : nBody(chara.nBody), nFace(chara.nFace) {}
    std::int32_t At(PART part) const { return part == PART::Body ? nBody : nFace; }
};

void LoadTexture(GAMEMAIN& game, const PICTURE& picture) {
    TextureLoad(game.pSprite, game.pSystem, picture.nTexture, kColorKey, kKeyFromCorner);
}

void UnloadTexture(GAMEMAIN& game, const PICTURE& picture) {
    TextureUnload(game.pSprite, game.pSystem, picture.nTexture);
}

// A picture that takes part in a fade is drawn from its texture; one at rest from its
// surface.
void ToTexture(GAMEMAIN& game, const PICTURE& picture) {
    LoadTexture(game, picture);
    SurfaceUnload(game.pSprite, game.pSystem, picture.nSurface);
}

void ToSurface(GAMEMAIN& game, const PICTURE& picture) {
    SurfaceLoad(game.pSprite, game.pSystem, picture.nSurface, kColorKey, kKeyFromCorner);
    UnloadTexture(game, picture);
}

// Picture n of one part, when it exists, handed to step.
void WithPicture(GAMEMAIN& game, const ZKCHAR& chara, PART part, std::int32_t n,
                 void (*step)(GAMEMAIN&, const PICTURE&)) {
    if (const std::optional<PICTURE> picture = PictureOf(chara, part, n)) step(game, *picture);
}

// One incoming picture of a fade: its part and its index (-1 none).
struct INCOMING {
    PART part;
    std::int32_t n;
};

// One call of a fade that brings pictures on. transition: 1 running, 0 done, -1
// refused. Phase 0 readies the textures unless the script loaded the pictures; the
// end settles the incoming pictures and frees the textures of those shown as the
// call began, whoever loaded them.
std::int32_t RunChange(GAMEMAIN& game, SCR_CMD_DATA& cmd, const ZKCHAR& chara,
                       std::span<const INCOMING> incoming, bool bLoad,
                       const std::function<int()>& transition) {
    const SHOWN shown(chara);
    if (cmd.dwPhase == 0) {
        if (bLoad) {
            for (const INCOMING& in : incoming) {
                WithPicture(game, chara, in.part, in.n, LoadTexture);
            }
            for (const INCOMING& in : incoming) {
                WithPicture(game, chara, in.part, shown.At(in.part), ToTexture);
            }
        }
        cmd.nWaitFlg = 1;
        cmd.dwPhase = 1;
    }
    const int result = transition();
    if (result == 1) return 0;
    // A refused transition would refuse on every later call too.
    if (result != 0) return ScrRefuse(cmd);
    for (const INCOMING& in : incoming) {
        WithPicture(game, chara, in.part, in.n, ToSurface);
        WithPicture(game, chara, in.part, shown.At(in.part), UnloadTexture);
    }
    cmd.Clear();
    return 0;
}

// One argument of a change command: the part it numbers and its lowest number.
struct PART_ARGUMENT {
    PART part;
    std::int32_t nLowest;
};

// A command that changes a character's face, body or both: the part arguments in the
// script's order, then the duration and the load switch; change runs the character's
// transition with the new face and body (-1 for a part the command leaves).
struct CHANGE_COMMAND {
    CHARA_COMMAND command;
    std::span<const PART_ARGUMENT> arguments;
    int (*change)(ZKCHAR& chara, std::int32_t nFace, std::int32_t nBody, std::uint32_t dwNow,
                  std::uint32_t dwDuration);
};

constexpr PART_ARGUMENT kBodyArgument[] = {{PART::Body, 1}};
constexpr PART_ARGUMENT kFaceArgument[] = {{PART::Face, 0}};
constexpr PART_ARGUMENT kFaceBodyArguments[] = {{PART::Face, 1}, {PART::Body, 1}};

constexpr CHANGE_COMMAND kBodyChange{
    {"GAMEMAIN::CharBodyChangeProc", "#CharaBodyChange", "#CharBodyChange"},
    kBodyArgument,
    [](ZKCHAR& chara, std::int32_t, std::int32_t nBody, std::uint32_t dwNow,
       std::uint32_t dwDuration) { return chara.BodyChange(nBody, dwNow, dwDuration); }};
constexpr CHANGE_COMMAND kFaceChange{
    {"GAMEMAIN::CharFaceChangeProc", "#CharaFaceChange", "#CharFaceChange"},
    kFaceArgument,
    [](ZKCHAR& chara, std::int32_t nFace, std::int32_t, std::uint32_t dwNow,
       std::uint32_t dwDuration) { return chara.FaceChange(nFace, dwNow, dwDuration); }};
constexpr CHANGE_COMMAND kFaceBodyChange{
    {"GAMEMAIN::CharFaceBodyChangeProc", "#CharaFaceBodyChange", "#CharFaceBodyChange"},
    kFaceBodyArguments,
    [](ZKCHAR& chara, std::int32_t nFace, std::int32_t nBody, std::uint32_t dwNow,
       std::uint32_t dwDuration) { return chara.FaceBodyChange(nFace, nBody, dwNow, dwDuration); }};

// The handlers of the change commands: the arguments read and refused in order, then
// the incoming body before the incoming face.
std::int32_t RunPartChange(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot,
                           const CHANGE_COMMAND& change) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    ZKCHAR* chara = FindChara(game, cmd, change.command);
    if (chara == nullptr) return ScrRefuse(cmd);
    const ScriptArgs args(cmd, change.command.szTag, change.command.szWord);
    // By part, whether the command names it and the number the script gave.
    bool named[2] = {};
    std::int32_t number[2] = {};
    int next = 1;
    for (const PART_ARGUMENT& argument : change.arguments) {
        const int part = static_cast<int>(argument.part);
        const std::int32_t count = argument.part == PART::Body ? chara->nBodyNum : chara->nFaceNum;
        if (!args.InRange(next++, argument.nLowest, count, number[part])) return ScrRefuse(cmd);
        named[part] = true;
    }
    std::uint32_t duration = 0;
    if (!args.Duration(next, duration)) return ScrRefuse(cmd);
    INCOMING incoming[2] = {};
    std::size_t count = 0;
    for (const PART part : {PART::Body, PART::Face}) {
        if (named[static_cast<int>(part)]) {
            incoming[count++] = {part, number[static_cast<int>(part)] - 1};
        }
    }
    const std::int32_t face = number[static_cast<int>(PART::Face)] - 1;
    const std::int32_t body = number[static_cast<int>(PART::Body)] - 1;
    return RunChange(game, cmd, *chara, std::span(incoming, count), LoadsPictures(args, next + 1),
                     [&] { return change.change(*chara, face, body, game.GetTime(), duration); });
}

}  // namespace

std::int32_t CharInProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    ZKCHAR* chara = FindChara(game, cmd, kCharIn);
    if (chara == nullptr) return ScrRefuse(cmd);
    const ScriptArgs args(cmd, kCharIn.szTag, kCharIn.szWord);
    std::int32_t body = 0;
    std::int32_t face = 0;
    std::uint32_t duration = 0;
    if (!args.InRange(3, 0, chara->nBodyNum, body) || !args.InRange(4, 0, chara->nFaceNum, face) ||
        !args.Duration(5, duration)) {
        return ScrRefuse(cmd);
    }
    const std::int32_t x = PositionX(args, 1);
    const std::int32_t y = PositionY(args, 2);
    const INCOMING incoming[] = {{PART::Body, body - 1}, {PART::Face, face - 1}};
    return RunChange(game, cmd, *chara, incoming, LoadsPictures(args, 6), [&] {
        return chara->FadeIn(x, y, face - 1, body - 1, game.GetTime(), duration);
    });
}

std::int32_t CharOutProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    ZKCHAR* chara = FindChara(game, cmd, kCharOut);
    if (chara == nullptr) return ScrRefuse(cmd);
    const ScriptArgs args(cmd, kCharOut.szTag, kCharOut.szWord);
    std::uint32_t duration = 0;
    if (!args.Duration(1, duration)) return ScrRefuse(cmd);
    const bool bLoad = LoadsPictures(args, 2);
    const SHOWN shown(*chara);
    if (cmd.dwPhase == 0) {
        cmd.nWaitFlg = 1;
        if (bLoad) {
            WithPicture(game, *chara, PART::Body, shown.nBody, ToTexture);
            WithPicture(game, *chara, PART::Face, shown.nFace, ToTexture);
        }
        cmd.dwPhase = 1;
    }
    if (chara->FadeOut(game.GetTime(), duration) != 0) return 0;
    if (bLoad) {
        WithPicture(game, *chara, PART::Body, shown.nBody, UnloadTexture);
        WithPicture(game, *chara, PART::Face, shown.nFace, UnloadTexture);
    }
    cmd.Clear();
    return 0;
}

std::int32_t CharMoveProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    ZKCHAR* chara = FindChara(game, cmd, kCharMove);
    if (chara == nullptr) return ScrRefuse(cmd);
    const ScriptArgs args(cmd, kCharMove.szTag, kCharMove.szWord);
    chara->nX = PositionX(args, 1);
    chara->nY = PositionY(args, 2);
    cmd.Clear();
    return 0;
}

std::int32_t CharBodyChangeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return RunPartChange(game, pScr, nSlot, kBodyChange);
}

std::int32_t CharFaceChangeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return RunPartChange(game, pScr, nSlot, kFaceChange);
}

std::int32_t CharFaceBodyChangeProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    return RunPartChange(game, pScr, nSlot, kFaceBodyChange);
}

std::int32_t CtrlEyeAnimationProc(GAMEMAIN& game, SCR_FILE_DATA* pScr, std::int32_t nSlot) {
    SCR_CMD_DATA& cmd = pScr->Cmd[nSlot];
    ZKCHAR* chara = FindChara(game, cmd, kEyeAnimation);
    if (chara == nullptr) return ScrRefuse(cmd);
    const ScriptArgs args(cmd, kEyeAnimation.szTag, kEyeAnimation.szWord);
    std::int32_t face = 0;
    std::uint32_t time = 0;
    // A blink period holds no story line up, so it has no upper limit.
    if (!args.InRange(1, 1, chara->nFaceNum, face) || !args.NonNegative(3, time)) {
        return ScrRefuse(cmd);
    }
    // Every eye number below 1 names no frame; SetEyeData refuses it with its own line.
    const std::int32_t eye = std::max(args.Number(2), 0) - 1;
    if (chara->SetEyeData(face - 1, eye, time) == 0) return ScrRefuse(cmd);
    cmd.Clear();
    return 0;
}
