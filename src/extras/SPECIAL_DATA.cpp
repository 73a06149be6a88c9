#include "extras/SPECIAL_DATA.h"

#include "extras/ExtrasKeys.h"
#include "game/GameContext.h"
#include "platform/core/Log.h"
#include "system/ZKSYSTEM.h"
#include "windows/WindowLog.h"

namespace {

struct BUTTON_LAYOUT {
    std::int32_t nX;
    std::int32_t nY;
    platform::Rect rcHit;
};

// By id - 1: where the glow is centred, and the hit rectangle.
constexpr BUTTON_LAYOUT kLayout[SPECIAL_DATA::kButtonCount] = {
    {400, 546, {335, 423, 472, 600}},
    {636, 452, {581, 343, 681, 452}},
    {400, 251, {261, 26, 539, 245}},
    {152, 491, {100, 360, 200, 485}},
};
constexpr std::uint32_t kFadeMs = 100;
constexpr std::uint32_t kBlinkFrames = 2;
constexpr std::uint32_t kBlinkFrameMs = 50;

constexpr int kSurfaces[] = {19, 20};
constexpr int kEffectHover = 4;
// Loaded with the others, though the menu never plays it.
constexpr int kEffectClick = 5;
constexpr int kEffectChosen = 6;
constexpr int kEffects[] = {kEffectHover, kEffectClick, kEffectChosen};

// A target that is the dress room while it is offered, else the fallback.
struct KEY_TARGET {
    std::int32_t nId;
    std::int32_t nFallbackId;
};
constexpr KEY_TARGET To(std::int32_t nId) { return {nId, nId}; }
constexpr KEY_TARGET DressElse(std::int32_t nId) { return {SPECIAL_DATA::kDressRoom, nId}; }

// By the button under the pointer (0 none): left, right, up, down.
using S = SPECIAL_DATA;
constexpr KEY_TARGET kKeyTable[S::kButtonCount + 1][4] = {
    {To(S::kTitle), To(S::kTitle), To(S::kTitle), To(S::kTitle)},
    {DressElse(S::kMusicRoom), To(S::kMusicRoom), To(S::kTitle), To(S::kTitle)},
    {DressElse(S::kGallery), DressElse(S::kGallery), To(S::kTitle), To(S::kGallery)},
    {DressElse(S::kMusicRoom), To(S::kMusicRoom), To(S::kGallery), To(S::kGallery)},
    {To(S::kMusicRoom), To(S::kMusicRoom), To(S::kTitle), To(S::kGallery)},
};

}  // namespace

std::uint32_t SPECIAL_DATA::Initialize(const GameContext* pContextIn,
                                       const std::uint32_t* pGameClearFlgIn) {
    constexpr const char* kTag = "SPECIAL_DATA::Initialize";
    if (pContextIn == nullptr || !pContextIn->IsComplete() || pGameClearFlgIn == nullptr) {
        WindowLogError(kTag, WINDOW_FAILURE::BadArgument);
        return 0;
    }
    pContext = pContextIn;
    pGameClearFlg = pGameClearFlgIn;
    nCursorId = kNoButton;
    for (std::int32_t& flag : nPictureFlg) flag = 0;
    for (int k = 0; k < kButtonCount; ++k) {
        const BUTTON_LAYOUT& layout = kLayout[k];
        Button[k].Set(layout.nX, layout.nY, &layout.rcHit, kFadeMs, kBlinkFrames);
        for (std::uint32_t frame = 0; frame < kBlinkFrames; ++frame) {
            Button[k].AnimData.AnimationSet(static_cast<std::int32_t>(frame), kBlinkFrameMs,
                                            ANIMATION_DATA::kKeepType);
        }
    }
    if (!LoadMaterial()) {
        WindowLogError(kTag, WINDOW_FAILURE::ImageLoad);
        return 0;
    }
    if (!WindowLoadEffects(*pContext, kTag, kEffects)) return 0;
    nInitFlg = 1;
    return 1;
}

// Keyed with the colour of each picture's top-left pixel.
bool SPECIAL_DATA::LoadMaterial() { return WindowLoadSurfaces(*pContext, kSurfaces, 1); }

void SPECIAL_DATA::Release() {
    if (pContext != nullptr) {
        WindowUnloadEffects(*pContext, kEffects);
        WindowUnloadSurfaces(*pContext, kSurfaces);
    }
    pContext = nullptr;
    pGameClearFlg = nullptr;
    for (SPECIAL_BUTTON_DATA& button : Button) button.Release();
    for (std::int32_t& flag : nPictureFlg) flag = 0;
    nCursorId = kNoButton;
    nInitFlg = 0;
}

// The hidden dress room is never tested, so its picture flag stays as it was.
std::int32_t SPECIAL_DATA::SpecialStandby(std::int32_t nMouseX, std::int32_t nMouseY,
                                          std::int32_t nLeft, std::uint32_t dwNow) {
    if (nInitFlg == 0) {
        WindowLogError("SPECIAL_DATA::SpecialStandby", WINDOW_FAILURE::NotInitialized);
        return -1;
    }
    KeyCursorMove();
    std::int32_t result = 0;
    const int buttons = ButtonsInPlay();
    for (int k = 0; k < buttons; ++k) {
        if (result != 0 || !Button[k].Contains(nMouseX, nMouseY)) {
            nPictureFlg[k] = 0;
            continue;
        }
        nPictureFlg[k] = 1;
        result = 1;
        if (nCursorId != k + 1) {
            nCursorId = k + 1;
            pContext->Sound().Effect(kEffectHover);
        }
        if (nLeft == KEY_STATE_RELEASED) {
            Button[k].nClickFlg = 1;
            pContext->Sound().Effect(kEffectChosen);
            result = 2;
        }
    }
    if (result == 0) nCursorId = kNoButton;
    for (int k = 0; k < buttons; ++k) Button[k].Proc(nMouseX, nMouseY, dwNow);
    return result;
}

// A cursor id outside the table, or the dress room's while it is not offered, has no
// row.
std::int32_t SPECIAL_DATA::KeyCursorMove() {
    if (nCursorId < kNoButton || nCursorId > ButtonsInPlay()) return 1;
    ARROW_TARGETS targets{};
    for (std::size_t key = 0; key < targets.size(); ++key) {
        const KEY_TARGET& target = kKeyTable[nCursorId][key];
        const std::int32_t id = DressRoomOffered() ? target.nId : target.nFallbackId;
        targets[key] = &Button[id - 1].rcHit;
    }
    ExtrasKeyCursorMove(*pContext->pSystem, targets);
    return 1;
}
