#include <cstring>

#include "graphics/ZKSPRITE.h"
#include "platform/core/Clock.h"
#include "platform/core/Log.h"
#include "platform/core/Services.h"
#include "platform/files/Files.h"
#include "platform/video/DisplayStatus.h"
#include "system/FileDiv.h"

using platform::LogError;

namespace {

constexpr const char* kImageArchive = "dat/Img.dat";
constexpr std::uint32_t kCooperativeWait = 500;
constexpr int kCooperativeWaits = 12;

}  // namespace

int ZKSPRITE::TestCooperativeLevel() {
    std::int32_t answer = display().testCooperativeLevel();
    for (int waits = 0; answer == platform::DDERR_NOEXCLUSIVEMODE && waits < kCooperativeWaits;
         ++waits) {
        platform::service<platform::Clock>().sleep(kCooperativeWait);
        answer = display().testCooperativeLevel();
    }
    return answer;
}

int ZKSPRITE::ZKSpriteRestore() {
    // Only a real loss is worth reading every picture again.
    if (!display().anythingLost()) return 1;
    if (TestCooperativeLevel() < 0) {
        LogError("ZKSPRITE::ZKSpriteRestore", u8"リストアに失敗しました");
        return 0;
    }
    if (display().restoreAllSurfaces() < 0) return 1;
    if (ReLoadSurface() == 0) {
        LogError("ZKSPRITE::ZKSpriteRestore", u8"サーフェスのリロードに失敗しました");
    }
    if (ReLoadTexture() == 0) {
        LogError("ZKSPRITE::ZKSpriteRestore", u8"テクスチャのリロードに失敗しました");
    }
    return 1;
}

bool ZKSPRITE::ExtractSlotFile(const ZKIMAGEDATA& slot) {
    std::string path;
    if (!SlotPath(slot, path)) return false;
    const std::string folder = path.substr(0, path.size() - std::strlen(slot.szFileName));
    // -3: the output could not be opened, usually because a copy is already there.
    const int result = FileDiv(kImageArchive, folder.c_str(), slot.szFileName);
    return result == 1 || result == -3;
}

// Pictures are read once into memory; the file, found or extracted, is not kept.
void ZKSPRITE::DeleteSlotFile(const ZKIMAGEDATA& slot) {
    std::string path;
    if (SlotPath(slot, path)) platform::service<platform::Files>().removeFile(path);
}

std::optional<platform::BitmapFile> ZKSPRITE::ReloadPicture(const ZKIMAGEDATA& slot,
                                                            PictureLoader load, const char* szTag,
                                                            const char8_t* szLoadFailed) {
    auto picture = load(slot);
    if (!picture) {
        if (!ExtractSlotFile(slot)) {
            LogError(szTag, u8"画像を展開出来ませんでした");
            return std::nullopt;
        }
        picture = load(slot);
        if (!picture) {
            LogError(szTag, szLoadFailed);
            return std::nullopt;
        }
    }
    DeleteSlotFile(slot);
    return picture;
}

int ZKSPRITE::ReLoadSurface() {
    platform::LogPlain(platform::LogChannel::Debug, u8"Reload中 … サーフェス枚数: %d\n",
                       nSurfaceCount);
    if (pPrimary == nullptr || display().restoreSurface(*pPrimary) != platform::DD_OK) {
        LogError("ZKSPRITE::ReLoadSurface", u8"プライマリサーフェスのリストアに失敗");
        return 0;
    }
    if (pBack == nullptr || display().restoreSurface(*pBack) != platform::DD_OK) return 1;
    for (int i = 0; i < nSurfaceCount; ++i) {
        platform::LogPlain(platform::LogChannel::Debug, u8"%d 番目のリストア開始", i);
        if (pSurfaceTable[i].pSurface != nullptr) ReloadSurfaceSlot(i);
    }
    return 1;
}

void ZKSPRITE::ReloadSurfaceSlot(int i) {
    ZKIMAGEDATA& slot = pSurfaceTable[i];
    if (display().restoreSurface(*slot.pSurface) != platform::DD_OK) {
        LogError("ZKSPRITE::ReLoadSurface", u8"%d 番目のリストアに失敗しました", i);
        return;
    }
    // A work surface has no picture: restored black is all it can be.
    if (slot.szFileName[0] != '\0') {
        platform::LogMessage("ZKSPRITE::ReLoadSurface",
                             u8"リソースから画像を取得出来なかったのでファイルから取得します");
        const auto picture = ReloadPicture(slot, LoadSlotPicture, "ZKSPRITE::ReLoadSurface",
                                           u8"画像を取得出来ませんでした");
        if (!picture) return;
        if (DDCopyBitmap(slot.pSurface.get(), *picture, 0, 0, 0, 0) < 0) {
            LogError("ZKSPRITE::ReLoadSurface", u8"%d番目のサーフェスのリロードに失敗しました", i);
            return;
        }
        if (slot.dwColorKeyFlg != 0) slot.pSurface->setColorKey(slot.ddck.dwColorSpaceLowValue);
    }
    platform::LogMessage("ZKSPRITE::ReLoadSurface", u8"%d番目のサーフェスのリロード完了", i);
}

int ZKSPRITE::ReLoadTexture() {
    for (int i = 0; i < nTextureCount; ++i) {
        if (pTextureTable[i].pTexture != nullptr) ReloadTextureSlot(i);
    }
    return 1;
}

void ZKSPRITE::ReloadTextureSlot(int i) {
    ZKIMAGEDATA& slot = pTextureTable[i];
    slot.Release();
    auto picture = ReloadPicture(slot, LoadTexturePicture, "ZKSPRITE::ReLoadTexture",
                                 u8"画像のロードに失敗しました");
    if (!picture) return;
    slot.pTexture = SlotTexture(slot, std::move(*picture));
    if (slot.dwColorKeyFlg != 0) slot.pTexture->setColorKey(slot.ddck.dwColorSpaceLowValue);
    platform::LogMessage("ZKSPRITE::ReLoadTexture", u8"%d番目のテクスチャをリロードしました", i);
}

std::int32_t ZKSPRITE::DDCopyBitmap(platform::Surface* pSurf, const platform::BitmapFile& bitmap,
                                    int nX, int nY, int nW, int nH) {
    if (pSurf == nullptr) return platform::DDERR_INVALIDOBJECT;
    const int w = nW == 0 ? bitmap.width() : nW;
    const int h = nH == 0 ? bitmap.height() : nH;
    const std::int32_t status = pSurf->contextStatus();
    if (status != platform::DD_OK) return status;
    pSurf->drawPicture(bitmap.pixels(), bitmap.width(), bitmap.height(), platform::Rect{0, 0, w, h},
                       nX, nY);
    return status;
}
