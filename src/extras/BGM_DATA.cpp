#include "extras/BGM_DATA.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "extras/MusicTracks.h"
#include "game/GameContext.h"
#include "game/ResourceLoader.h"
#include "game/ResourcePlayer.h"
#include "platform/core/Log.h"
#include "windows/WindowLog.h"

namespace {

constexpr int kSurfaceBack = 23;
constexpr int kSurfaceMaterial = 24;
constexpr int kEffects[] = {4, 5, 6};
// The material's key is black.
constexpr std::uint32_t kKeyBlack = 0x000000;

// Zero-filled, then as much of text as fits with its terminator.
template <std::size_t N>
void Fill(char (&field)[N], std::string_view text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

}  // namespace

std::uint32_t BGM_DATA::Initialize(const GameContext* pContextIn) {
    constexpr const char* kTag = "BGM_DATA::Initialize";
    if (pContextIn == nullptr || !pContextIn->IsComplete()) {
        WindowLogError(kTag, WINDOW_FAILURE::BadArgument);
        return 0;
    }
    pContext = pContextIn;
    ResetRoom();
    for (std::int32_t track = 1; track <= kMusicTracks; ++track) {
        BGM_FILE_DATA& data = BgmData[track - 1];
        char name[sizeof data.szFileName] = {};
        std::snprintf(name, sizeof name, "bgm%02d.mus", track);
        Fill(data.szFileName, name);
        Fill(data.szTitle, MusicTrack(track).title);
        Fill(data.szComment, MusicTrack(track).comment);
    }
    if (!LoadMaterial()) {
        platform::LogError(kTag, u8"呼び出したSurfaceLoadが失敗しました");
        return 0;
    }
    if (!WindowLoadEffects(*pContext, kTag, kEffects)) return 0;
    nInitFlg = 1;
    return 1;
}

// The background whole, without key; the material keyed on black.
bool BGM_DATA::LoadMaterial() {
    ZKSPRITE* sprite = pContext->pSprite;
    ZKSYSTEM* system = pContext->pSystem;
    return SurfaceLoad(sprite, system, kSurfaceBack, 0, kKeyBlack) != 0 &&
           SurfaceLoad(sprite, system, kSurfaceMaterial, 1, kKeyBlack) != 0;
}

void BGM_DATA::Release() {
    constexpr const char* kTag = "BGM_DATA::Release";
    if (pContext != nullptr) {
        const GameContext& ctx = *pContext;
        if (BGMStop(1, ctx.pSnd, ctx.pSystem, *ctx.pShell) == 0) {
            platform::LogError(kTag, u8"BGMの停止に失敗しました");
        }
        for (const int surface : {kSurfaceBack, kSurfaceMaterial}) {
            if (SurfaceUnload(ctx.pSprite, ctx.pSystem, surface) == 0) {
                platform::LogError(kTag, u8"呼び出したSurfaceUnloadが失敗しました");
            }
        }
        for (const int effect : kEffects) {
            if (SEUnload(ctx.pSnd, ctx.pSystem, effect, *ctx.pShell) == 0) {
                platform::LogError(kTag, u8"SEのアンロードに失敗しました");
            }
        }
    }
    pContext = nullptr;
    ResetRoom();
    for (BGM_FILE_DATA& data : BgmData) data = BGM_FILE_DATA{};
    nInitFlg = 0;
}

// Track 1 selected, nothing under the pointer, nothing playing, the mark hidden.
void BGM_DATA::ResetRoom() {
    nSelectId = MUSIC_NONE;
    nCursorId = MUSIC_NONE;
    nSelectNo = 1;
    for (std::int32_t& state : nBtnState) state = MUSIC_LOOK_NORMAL;
    nPlayReqFlg = 0;
    nPlayingFlg = 0;
    SlideMark.Reset();
}
