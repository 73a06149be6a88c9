#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"

using platform::LogError;

namespace {

// A reload takes the key from the picture's top-left pixel.
constexpr std::uint32_t kKeyFromCorner = 0xFFFFFFFFu;

}  // namespace

void ZKSPRITE::ReleaseSlots() {
    for (int i = 0; i < nSurfaceCount; ++i) pSurfaceTable[i].Release();
    for (int i = 0; i < nTextureCount; ++i) pTextureTable[i].Release();
    pSurfaceTable.reset();
    pTextureTable.reset();
    nSurfaceCount = 0;
    nTextureCount = 0;
    nSurfaceBufferFlg = 0;
    nTextureBufferFlg = 0;
}

void ZKSPRITE::Release() {
    const bool wasSetUp = nInitFlg != 0;
    ReleaseSlots();
    ReleaseDeviceObjects();
    nMMXFlg = 0;
    ddsdPrimary = platform::PixelFormat{};
    nFullScreen = 0;
    dwWidth = 640;
    dwHeight = 480;
    dwBitCount = 16;
    dwRMask = dwGMask = dwBMask = 0;
    dwRShift = dwGShift = dwBShift = 0;
    dwRBits = dwGBits = dwBBits = 0;
    nSceneFlg = 0;
    nClipFlg = 0;
    dwFrameStartTime = 0;
    dwFPS = 0;
    dwDeviceIndex = 0;
    // Set-up switched smoothing on only when it was off; give the system back its own.
    if (wasSetUp && nFontSmoothing == 0 && !display().switchFontSmoothing(false)) {
        platform::LogWarn("ZKSPRITE::Release", u8"スクリーンフォントの非滑らか設定に失敗しました");
    }
    nFontSmoothing = 0;
}

void ZKSPRITE::DeleteD3DX() {
    if (display().endLibrary() < 0) {
        LogError("ZKSPRITE::DeleteD3DX", u8"D3DXUninitializeが失敗しました");
    }
}

std::vector<ZKSPRITE::SlotRecord> ZKSPRITE::RecordSlots(const ZKIMAGEDATA* table, int count) {
    std::vector<SlotRecord> records;
    for (int i = 0; i < count; ++i) {
        const ZKIMAGEDATA& slot = table[i];
        records.push_back({slot.dwWidth, slot.dwHeight, slot.szFileName, slot.szDirPath,
                           slot.dwVideoMemory, slot.dwState, slot.dwColorKeyFlg, slot.ddck,
                           slot.IsLoaded()});
    }
    return records;
}

int ZKSPRITE::ChangeScreenMode(std::uint32_t nFull, std::uint32_t dwBits) {
    const std::vector<SlotRecord> surfaces = RecordSlots(pSurfaceTable.get(), nSurfaceCount);
    const std::vector<SlotRecord> textures = RecordSlots(pTextureTable.get(), nTextureCount);
    const std::uint32_t oldFull = nFullScreen;
    const std::uint32_t oldBits = dwBitCount;
    // Smoothing as the system had it before the first set-up, not as that set-up left it.
    const std::uint32_t systemSmoothing = nFontSmoothing;
    // Tables that were never made stay unmade, so that the caller can still make them.
    const bool hadSurfaceTable = nSurfaceBufferFlg != 0;
    const bool hadTextureTable = nTextureBufferFlg != 0;
    ReleaseSlots();
    ReleaseDeviceObjects();
    dwRMask = dwGMask = dwBMask = 0;
    dwRShift = dwGShift = dwBShift = 0;
    dwRBits = dwGBits = dwBBits = 0;

    int result = 1;
    if (Initialize(hWnd, hInstance, dwWidth, dwHeight, dwBits, nFull) != 1) {
        LogError("ZKSPRITE::ChangeScreenMode", u8"初期化が失敗しました");
        // A game without graphics for the rest of the run is worse than the old mode.
        platform::LogMessage("ZKSPRITE::ChangeScreenMode", u8"元の画面モードに戻します");
        result = 0;
        if (Initialize(hWnd, hInstance, dwWidth, dwHeight, oldBits, oldFull) != 1) {
            LogError("ZKSPRITE::ChangeScreenMode", u8"初期化が失敗しました");
            return 0;
        }
    }
    nFontSmoothing = systemSmoothing;
    if (hadSurfaceTable) CreateSurfaceBuffer(static_cast<int>(surfaces.size()));
    if (hadTextureTable) CreateTextureBuffer(static_cast<int>(textures.size()));
    RebuildSlots(surfaces, true);
    RebuildSlots(textures, false);
    return result;
}

void ZKSPRITE::RebuildSlots(const std::vector<SlotRecord>& saved, bool bSurfaces) {
    ZKIMAGEDATA* table = bSurfaces ? pSurfaceTable.get() : pTextureTable.get();
    const int count = bSurfaces ? nSurfaceCount : nTextureCount;
    for (int i = 0; i < count; ++i) {
        const SlotRecord& record = saved[static_cast<std::size_t>(i)];
        ZKIMAGEDATA& slot = table[i];
        slot.dwColorKeyFlg = record.dwColorKeyFlg;
        slot.dwState = record.dwState;
        slot.ddck = record.ddck;
        const char* dir = record.szDirPath.c_str();
        const char* file = record.szFileName.c_str();
        if (bSurfaces) {
            SetSurface(i, dir, file, record.dwVideoMemory);
        } else {
            SetTexture(i, dir, file, record.dwVideoMemory);
        }
        if (!record.loaded) continue;
        if (bSurfaces && record.szFileName.empty()) {
            CreateEmptySurface(i, record.dwWidth, record.dwHeight);
            continue;
        }
        ReloadRebuiltSlot(slot, bSurfaces);
    }
}

// The loaders delete a picture's file once it is read, so the archive is the usual
// source here: the picture is looked for quietly, as a restore does, and only a
// picture that cannot be had at all is logged.
void ZKSPRITE::ReloadRebuiltSlot(ZKIMAGEDATA& slot, bool bSurfaces) {
    const char8_t* szFailed =
        bSurfaces ? u8"サーフェスの作成に失敗しました" : u8"テクスチャの作成に失敗しました";
    auto picture = ReloadPicture(slot, bSurfaces ? LoadSlotPicture : LoadTexturePicture,
                                 "ZKSPRITE::ChangeScreenMode", szFailed);
    if (!picture) return;
    const int key = static_cast<int>(slot.dwColorKeyFlg);
    if (!bSurfaces) {
        FillTextureSlot(slot, std::move(*picture), key, kKeyFromCorner);
    } else if (FillSurfaceSlot(slot, std::move(*picture), key, kKeyFromCorner) < 0) {
        LogError("ZKSPRITE::ChangeScreenMode", szFailed);
    }
}
