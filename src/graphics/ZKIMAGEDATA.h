#pragma once

#include <cstdint>
#include <memory>

#include "platform/video/Surface.h"
#include "platform/video/Texture.h"

// A source colour key; both values always hold the same raw pixel.
struct DDCOLORKEY {
    std::uint32_t dwColorSpaceLowValue = 0;
    std::uint32_t dwColorSpaceHighValue = 0;
};

// One image slot of the graphics object: the registered file and, while loaded,
// the picture made from it. A surface slot owns a Surface, a texture slot a
// Texture; the slot is loaded exactly when it holds one.
class ZKIMAGEDATA {
public:
    static constexpr std::size_t kPathSize = 260;

    ZKIMAGEDATA() { Init(); }

    void Init();
    // A null name leaves that field as it was.
    void SetData(const char* szDir, const char* szFile, std::uint32_t dwVideo);
    void ClearState() { dwState = 0; }
    // Drops the picture; the registration, size and key stay for a reload.
    void Release();

    std::uint32_t GetWidth() const { return dwWidth; }
    std::uint32_t GetHeight() const { return dwHeight; }
    const char* GetFileName() const { return szFileName; }
    const char* GetDirPath() const { return szDirPath; }
    std::uint32_t GetVideoMemory() const { return dwVideoMemory; }
    platform::Surface* GetSurface() const { return pSurface.get(); }
    platform::Texture* GetTexture() const { return pTexture.get(); }
    bool IsLoaded() const { return pSurface != nullptr || pTexture != nullptr; }

    std::uint32_t dwWidth;
    std::uint32_t dwHeight;
    char szFileName[kPathSize];
    char szDirPath[kPathSize];
    std::uint32_t dwVideoMemory;
    std::uint32_t dwState;
    std::uint32_t dwColorKeyFlg;
    std::shared_ptr<platform::Surface> pSurface;
    std::unique_ptr<platform::Texture> pTexture;
    DDCOLORKEY ddck;
};
