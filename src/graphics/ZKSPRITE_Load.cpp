#include <algorithm>

#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/text/SjisText.h"
#include "platform/video/DisplayStatus.h"

using platform::LogError;

namespace {

constexpr std::uint32_t kNoColor = 0xFFFFFFFFu;

bool EndsWithSeparator(std::string_view dir) {
    std::size_t last = 0;
    for (std::size_t i = 0; i < dir.size(); i += platform::SjisCharLength(dir, i)) last = i;
    return platform::SjisCharLength(dir, last) == 1 && (dir[last] == '\\' || dir[last] == '/');
}

// The texture reader takes only bitmaps; these two formats it cannot read.
bool UnsupportedTextureFile(std::string_view path) {
    const auto endsWith = [path](std::string_view suffix) {
        return path.size() >= suffix.size() &&
               platform::SjisEqualsIgnoreCase(path.substr(path.size() - suffix.size()), suffix);
    };
    return endsWith(".dds") || endsWith(".tga");
}

int ClampSide(std::uint32_t side) {
    return static_cast<int>(std::min<std::uint32_t>(side, platform::Surface::kMaxSide + 1));
}

}  // namespace

bool ZKSPRITE::SlotPath(const ZKIMAGEDATA& slot, std::string& path) {
    const std::string_view dir = slot.szDirPath;
    path.assign(dir);
    if (!dir.empty() && !EndsWithSeparator(dir)) path += '/';
    path += slot.szFileName;
    return path.size() < ZKIMAGEDATA::kPathSize;
}

std::optional<platform::BitmapFile> ZKSPRITE::LoadSlotPicture(const ZKIMAGEDATA& slot) {
    std::string path;
    if (!SlotPath(slot, path)) return std::nullopt;
    return platform::BitmapFile::Load(path);
}

std::optional<platform::BitmapFile> ZKSPRITE::LoadTexturePicture(const ZKIMAGEDATA& slot) {
    std::string path;
    if (!SlotPath(slot, path) || UnsupportedTextureFile(path)) return std::nullopt;
    return platform::BitmapFile::Load(path);
}

std::int32_t ZKSPRITE::MakeSlotSurface(std::string_view szName, ZKIMAGEDATA& slot, int nW, int nH,
                                       std::vector<std::uint32_t>* picture,
                                       std::shared_ptr<platform::Surface>& surface) {
    std::int32_t status = pDD->createSurface(nW, nH, slot.dwVideoMemory != 0, picture, surface);
    if (status < 0 && slot.dwVideoMemory != 0) {
        platform::LogMessage(Tag(szName), u8"VRAMで取得に失敗しました。メインメモリで再試行します");
        status = pDD->createSurface(nW, nH, false, picture, surface);
    }
    if (status < 0) LogError(Tag(szName), u8"オフスクリーン作成に失敗しました");
    return status;
}

std::int32_t ZKSPRITE::CreateSurface(int i, int bColorKey, std::uint32_t rgb) {
    if (!CheckState("CreateSurface", kMaskInit | kMaskSurfaceTable)) return 0;
    ZKIMAGEDATA* slot = SurfaceSlot(i);
    if (slot == nullptr) {
        LogError("ZKSPRITE::CreateSurface", u8"インデックス番号外を指定しています");
        return -1;
    }
    if (slot->IsLoaded()) return 0;
    auto picture = LoadSlotPicture(*slot);
    if (!picture) {
        LogError("ZKSPRITE::CreateSurface", u8"ビットマップハンドル取得に失敗しました");
        return -1;
    }
    return FillSurfaceSlot(*slot, std::move(*picture), bColorKey, rgb);
}

std::int32_t ZKSPRITE::FillSurfaceSlot(ZKIMAGEDATA& slot, platform::BitmapFile picture,
                                       int bColorKey, std::uint32_t rgb) {
    const int width = picture.width();
    const int height = picture.height();
    slot.dwWidth = static_cast<std::uint32_t>(width);
    slot.dwHeight = static_cast<std::uint32_t>(height);
    std::vector<std::uint32_t> pixels = std::move(picture).takePixels();
    std::shared_ptr<platform::Surface> surface;
    const std::int32_t status =
        MakeSlotSurface("CreateSurface", slot, width, height, &pixels, surface);
    if (status < 0) return status;
    // The surface is made showing the picture; one lost at once refuses it, as it
    // would refuse a copy.
    if (surface->contextStatus() != platform::DD_OK) {
        LogError("ZKSPRITE::CreateSurface", u8"BitBltに失敗しました");
        return -1;
    }
    slot.dwColorKeyFlg = static_cast<std::uint32_t>(bColorKey);
    if (bColorKey != 0) {
        const std::uint32_t key = GetColorKey(surface.get(), rgb);
        slot.ddck = DDCOLORKEY{key, key};
        surface->setColorKey(key);
    }
    slot.pSurface = std::move(surface);
    return platform::DD_OK;
}

std::int32_t ZKSPRITE::CreateEmptySurface(int i, std::uint32_t dwW, std::uint32_t dwH) {
    if (!CheckState("CreateEmptySurface", kMaskInit | kMaskSurfaceTable)) return 0;
    ZKIMAGEDATA* slot = SurfaceSlot(i);
    if (slot == nullptr) {
        LogError("ZKSPRITE::CreateEmptySurface", u8"インデックス番号外を指定しています");
        return -1;
    }
    if (slot->IsLoaded()) return 0;
    slot->dwWidth = dwW;
    slot->dwHeight = dwH;
    std::shared_ptr<platform::Surface> surface;
    const std::int32_t status = MakeSlotSurface("CreateEmptySurface", *slot, ClampSide(dwW),
                                                ClampSide(dwH), nullptr, surface);
    if (status < 0) return status;
    slot->pSurface = std::move(surface);
    return platform::DD_OK;
}

std::int32_t ZKSPRITE::CreateTexture(int i, int bColorKey, std::uint32_t rgb) {
    if (!CheckState("CreateTexture", kMaskInit | kMaskTextureTable)) return 0;
    ZKIMAGEDATA* slot = TextureSlot(i);
    if (slot == nullptr) {
        LogError("ZKSPRITE::CreateTexture", u8"インデックス番号外を指定しています");
        return -1;
    }
    if (slot->IsLoaded()) return 0;
    auto picture = LoadTexturePicture(*slot);
    if (!picture) {
        LogError("ZKSPRITE::CreateTexture", u8"D3DXCreateTextureFromFileに失敗しました");
        return platform::ZKERR_UNSUPPORTEDFORMAT;
    }
    FillTextureSlot(*slot, std::move(*picture), bColorKey, rgb);
    return platform::DD_OK;
}

void ZKSPRITE::FillTextureSlot(ZKIMAGEDATA& slot, platform::BitmapFile picture, int bColorKey,
                               std::uint32_t rgb) {
    auto texture = SlotTexture(slot, std::move(picture));
    slot.dwColorKeyFlg = static_cast<std::uint32_t>(bColorKey);
    if (bColorKey != 0) {
        const std::uint32_t key = GetColorKey(texture.get(), rgb);
        slot.ddck = DDCOLORKEY{key, key};
        texture->setColorKey(key);
    }
    slot.pTexture = std::move(texture);
}

std::unique_ptr<platform::Texture> ZKSPRITE::SlotTexture(ZKIMAGEDATA& slot,
                                                         platform::BitmapFile picture) {
    const int width = picture.width();
    const int height = picture.height();
    slot.dwWidth = static_cast<std::uint32_t>(width);
    slot.dwHeight = static_cast<std::uint32_t>(height);
    return std::make_unique<platform::Texture>(std::move(picture).takePixels(), width, height);
}

void ZKSPRITE::ReleaseSurface(int i) {
    ZKIMAGEDATA* slot = SurfaceSlot(i);
    if (slot == nullptr) {
        LogError("ZKSPRITE::ReleaseSurface", u8"インデックス番号外を指定しています");
        return;
    }
    slot->Release();
}

void ZKSPRITE::ReleaseTexture(int i) {
    ZKIMAGEDATA* slot = TextureSlot(i);
    if (slot == nullptr) {
        LogError("ZKSPRITE::ReleaseTexture", u8"インデックス番号外を指定しています");
        return;
    }
    slot->Release();
}

std::uint32_t ZKSPRITE::GetColorKey(const platform::Surface* pSurf, std::uint32_t rgb) {
    if (pSurf == nullptr) {
        LogError("ZKSPRITE::GetColorKey", u8"画像データがありません");
        return 0;
    }
    const platform::PixelFormat& format = pSurf->format();
    std::uint32_t pixel = 0;
    if (pSurf->rawPixel(0, 0, pixel) != platform::DD_OK) return kNoColor;
    if (rgb != kNoColor) pixel = format.fromColorRef(rgb);
    return pixel & format.colorBits();
}

std::uint32_t ZKSPRITE::GetColorKey(const platform::Texture* pTex, std::uint32_t rgb) {
    if (pTex == nullptr) {
        LogError("ZKSPRITE::GetColorKey", u8"画像データがありません");
        return 0;
    }
    if (rgb == kNoColor) return pTex->texel(0, 0) & 0xFFFFFF;
    return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
}

int ZKSPRITE::GetGraphicSize(GraphicSize* pSize, const char* szPath) {
    const auto picture = szPath != nullptr ? platform::BitmapFile::Load(szPath) : std::nullopt;
    if (!picture) {
        LogError("ZKSPRITE::GetGraphicSize", u8"ビットマップハンドル取得に失敗しました");
        return 0;
    }
    if (pSize != nullptr) *pSize = GraphicSize{picture->width(), picture->height()};
    return 1;
}

int ZKSPRITE::GetGraphicSize(const ZKIMAGEDATA* pImage, platform::Rect* prcRect) {
    const auto picture = pImage != nullptr ? LoadSlotPicture(*pImage) : std::nullopt;
    if (!picture) {
        LogError("ZKSPRITE::GetGraphicSize", u8"ビットマップハンドル取得に失敗しました");
        return 0;
    }
    if (prcRect != nullptr) *prcRect = platform::Rect{0, 0, picture->width(), picture->height()};
    return 1;
}

int ZKSPRITE::ReSizeWindow(std::uint32_t dwSizeWord) {
    if (nFullScreen != 0) return 1;
    const int width = static_cast<int>(dwSizeWord & 0xFFFF);
    const int height = static_cast<int>(dwSizeWord >> 16);
    if (pD3DXContext == nullptr || width == 0 || height == 0) return 1;
    if (display().resize(*pD3DXContext, width, height) < 0) {
        platform::LogWarn("ZKSPRITE::ReSizeWindow",
                          u8"Windowのサイズ変更に伴うD3DX処理に失敗しました");
        return 0;
    }
    return 1;
}
