#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/ZKIMAGEDATA.h"
#include "platform/text/TextLayout.h"
#include "platform/video/BitmapFile.h"
#include "platform/video/ClipRegion.h"
#include "platform/video/Display.h"
#include "platform/video/PixelFormat.h"
#include "platform/video/Rect.h"
#include "platform/video/SpriteRasterizer.h"
#include "platform/video/YuvSurface.h"
#include "system/FailureLatch.h"

// Width and height of a picture file.
struct GraphicSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

// The graphics object: the display's context and surfaces, the screen's size and
// depth, and the two tables of image slots that callers address by index.
class ZKSPRITE {
public:
    // Works on the display installed in the services when Initialize runs.
    ZKSPRITE();
    // Works on the given display for its whole life.
    explicit ZKSPRITE(platform::Display& display);
    ~ZKSPRITE();
    ZKSPRITE(const ZKSPRITE&) = delete;
    ZKSPRITE& operator=(const ZKSPRITE&) = delete;

    // Slots, guard and accessors.
    int CheckState(std::string_view szName, std::uint32_t dwMask);
    int CreateSurfaceBuffer(int nCount);
    int CreateTextureBuffer(int nCount);
    int SetSurface(int i, const char* szDir, const char* szFile, std::uint32_t dwVideo);
    int SetTexture(int i, const char* szDir, const char* szFile, std::uint32_t dwVideo);
    int SetBlending(int i);
    int SearchSurface(const char* szName) const;
    int SearchTexture(const char* szName) const;

    std::uint32_t GetWidth() const { return dwWidth; }
    std::uint32_t GetHeight() const { return dwHeight; }
    std::uint32_t GetRequestBits() const { return dwBitCount; }
    std::uint32_t GetDisplayBits() const { return dwDisplayBits; }
    std::uint32_t GetFullScreen() const { return nFullScreen; }
    int GetTextureCount() const { return nTextureCount; }
    int GetSurfaceCount() const { return nSurfaceCount; }
    std::uint32_t GetClipState() const { return nClipFlg; }
    platform::Surface* GetSurface(int i) const;
    platform::Texture* GetTexture(int i) const;
    const char* GetSurfacePath(int i) const;
    const char* GetSurfaceDirPath(int i) const;
    const char* GetTextureFileName(int i) const;
    const char* GetTextureDirPath(int i) const;
    std::uint32_t GetSurfaceWidth(int i) const;
    std::uint32_t GetSurfaceHeight(int i) const;
    std::uint32_t GetTextureWidth(int i) const;
    std::uint32_t GetTextureHeight(int i) const;
    int GetSurfaceLoadState(int i) const;
    int GetTextureLoadState(int i) const;
    int GetSurfaceColorKey(int i) const;
    int GetTextureColorKey(int i) const;

    // Display set-up.
    void InitD3DX();
    int Initialize(void* hWndIn, void* hInstanceIn, std::uint32_t dwW, std::uint32_t dwH,
                   std::uint32_t dwBits, std::uint32_t nFull);
    int CreateD3DXContext(std::int32_t nLevel);
    int SearchVideoMode(std::uint32_t dwW, std::uint32_t dwH, std::uint32_t dwBits);
    int CheckPixelFormat();
    int CheckMMX() const;
    int GetDeviceList();

    // Loading.
    std::int32_t CreateSurface(int i, int bColorKey, std::uint32_t rgb);
    std::int32_t CreateEmptySurface(int i, std::uint32_t dwW, std::uint32_t dwH);
    std::int32_t CreateTexture(int i, int bColorKey, std::uint32_t rgb);
    void ReleaseSurface(int i);
    void ReleaseTexture(int i);
    std::uint32_t GetColorKey(const platform::Surface* pSurf, std::uint32_t rgb);
    std::uint32_t GetColorKey(const platform::Texture* pTex, std::uint32_t rgb);
    int GetGraphicSize(GraphicSize* pSize, const char* szPath);
    int GetGraphicSize(const ZKIMAGEDATA* pImage, platform::Rect* prcRect);
    int ReSizeWindow(std::uint32_t dwSizeWord);

    // Frame.
    int D3DXDrawStart();
    int D3DXDrawEnd();
    std::int32_t DDFlipToGDI();
    int SetClipper(const platform::ClipRegion* pRegion);

    // Blits and shapes.
    int DDRectangle(int nTarget, const platform::Rect* prcRect, platform::ColorRef dwColor);
    int DDFillRect(int nTarget, const platform::Rect* prcRect, platform::ColorRef dwColor);
    // A blit or sprite whose source is refused (no picture, a range outside it) is
    // drawn each frame: its line is logged once for the caller's place and picture,
    // and again only after that place has drawn it in between.
    int DDBlt(int nIndex, int nX, int nY, int bColorKey, CallSite site = CallSite::Here());
    int DDBltRange(int nIndex, int nX, int nY, int nLeft, int nTop, int nRight, int nBottom,
                   int bColorKey, CallSite site = CallSite::Here());
    int DDBltCenter(int nIndex, int nX, int nY, int bColorKey, CallSite site = CallSite::Here());
    int DDBltScale(int nIndex, int nX, int nY, float fScaleX, float fScaleY, int bColorKey,
                   CallSite site = CallSite::Here());
    // The centred overload shares the top-left one's arguments; a tag tells them apart.
    struct CenterAnchor {};
    static constexpr CenterAnchor kCenter{};
    int DDBltScale(int nIndex, int nX, int nY, float fScaleX, float fScaleY, int bColorKey,
                   CenterAnchor, CallSite site = CallSite::Here());
    std::int32_t DDBltScale(int nIndex, int nX, int nY, int nLeft, int nTop, int nRight,
                            int nBottom, float fScaleX, float fScaleY, int bColorKey,
                            CallSite site = CallSite::Here());
    int SurfaceComposition(int nDest, int nSrc, int nX, int nY, const platform::Rect* prcSrc,
                           float fScaleX, float fScaleY, int bColorKey);

    // Text.
    int DDTextOut(int nTarget, int nX, int nY, const char* szText, platform::ColorRef dwColor,
                  int nHeight, int nWeight);
    int DDTextOutRange(int nTarget, const platform::Rect* prcRange, const char* szText,
                       platform::ColorRef dwColor, int nHeight, int nLength, int nWeight,
                       std::uint32_t dwFormat);
    int DDTextOutLock(int nX, int nY, const char* szText, platform::ColorRef dwColor, int nHeight,
                      int nWeight);
    int DDTextOutUnlock();

    // Sprites and quads.
    int D3DXSpriteDrawCenter(int nIndex, float fX, float fY, int bColorKey,
                             const platform::Rect* prcSrc, float fAlpha, float fScale,
                             float fRotation, int bAdditive, CallSite site = CallSite::Here());
    int D3DXSpriteDrawTL(int nIndex, float fX, float fY, int bColorKey,
                         const platform::Rect* prcSrc, float fAlpha, float fScale, float fRotation,
                         int bAdditive, CallSite site = CallSite::Here());
    int D3DXSpriteDrawEffectTL(int nIndex, float fX, float fY, int bColorKey,
                               const platform::Rect* prcSrc, float fAlpha, float fScaleX,
                               float fScaleY, float fRotation, int bAdditive,
                               CallSite site = CallSite::Here());
    int D3DXRGBDraw(int nIndex, int nX, int nY, int bColorKey, std::uint32_t dwColor,
                    const platform::Rect* prcSrc, int nZ, CallSite site = CallSite::Here());
    std::int32_t D3DXFillRectDraw(const platform::Rect* prcRects,
                                  const platform::ColorRef* pdwColors, int nCount);
    int D3DXSpriteEffectSet(int bColorKey, int bAdditive);
    int D3DXSpriteEffectRelease(int bColorKey, int bAdditive);
    std::int32_t GetSurfaceColor(int nTarget, int nX, int nY);

    // Frame timing.
    int FrameWait(std::uint16_t wMilliseconds, int bShow);
    int DrawFrameRate(int nX, int nY, platform::ColorRef dwColor, int nHeight);
    int CheckFrameRate(std::uint32_t dwTargetFps, int bMeasure);
    void SetFrameStartTime();
    void ErrorNumber(std::int32_t hr);

    // Restore after a loss, release and screen-mode change.
    int ZKSpriteRestore();
    int ReLoadSurface();
    int ReLoadTexture();
    std::int32_t DDCopyBitmap(platform::Surface* pSurf, const platform::BitmapFile& bitmap, int nX,
                              int nY, int nW, int nH);
    int DDCopyBitmapYUV(platform::YuvSurface* pSurf, const platform::BitmapFile& bitmap);
    void Release();
    void DeleteD3DX();
    int ChangeScreenMode(std::uint32_t nFull, std::uint32_t dwBits);

    void* hWnd = nullptr;
    void* hInstance = nullptr;
    std::uint32_t nInitFlg = 0;
    std::uint32_t nMMXFlg = 0;
    platform::Display* pDD = nullptr;
    platform::Surface* pPrimary = nullptr;
    platform::Surface* pBack = nullptr;
    std::shared_ptr<platform::Clipper> pClipper;
    platform::PixelFormat ddsdPrimary{};
    std::unique_ptr<platform::DisplayContext> pD3DXContext;
    platform::RenderDevice* pD3DDevice = nullptr;
    std::uint32_t nFullScreen = 0;
    std::uint32_t dwWidth = 640;
    std::uint32_t dwHeight = 480;
    std::uint32_t dwBitCount = 16;
    std::uint32_t dwDisplayBits = 0;
    std::uint32_t dwRMask = 0, dwGMask = 0, dwBMask = 0;
    std::uint32_t dwRShift = 0, dwGShift = 0, dwBShift = 0;
    std::uint32_t dwRBits = 0, dwGBits = 0, dwBBits = 0;
    std::uint32_t nSceneFlg = 0;
    std::uint32_t nClipFlg = 0;
    std::uint32_t nFontSmoothing = 0;
    // The open text run: the back buffer it draws on and the font of its first call.
    struct TextFont {
        int nHeight = 0;
        int nWeight = 0;
    };
    platform::Surface* hTextDC = nullptr;
    std::optional<TextFont> hTextFont;
    std::uint32_t dwFrameStartTime = 0;
    std::uint32_t dwFPS = 0;
    std::unique_ptr<ZKIMAGEDATA[]> pTextureTable;
    std::unique_ptr<ZKIMAGEDATA[]> pSurfaceTable;
    int nTextureCount = 0;
    int nSurfaceCount = 0;
    std::uint32_t nSurfaceBufferFlg = 0;
    std::uint32_t nTextureBufferFlg = 0;
    std::uint32_t nDeviceCount = 0;
    std::int32_t dwDeviceIndex = 0;
    std::vector<platform::DeviceDescription> pDeviceTable;
    std::uint32_t nModeCount = 0;
    std::vector<platform::VideoMode> pModeTable;

    // Bits of the guard's mask: what must exist for an operation.
    static constexpr std::uint32_t kMaskInit = 1;
    static constexpr std::uint32_t kMaskSurfaceTable = 2;
    static constexpr std::uint32_t kMaskTextureTable = 4;
    static constexpr std::uint32_t kMaskPrimary = 8;
    static constexpr std::uint32_t kMaskBack = 16;

private:
    // Where a scaled blit lands after clipping to the screen.
    struct ScaledBlit {
        platform::Rect src;
        platform::Rect dst;
    };
    enum class RightEdgeTest { Truncated, Exact };

    // The fields of one slot table, for the code both tables share.
    struct SlotTable {
        std::unique_ptr<ZKIMAGEDATA[]>& slots;
        int& count;
        std::uint32_t& flag;
    };

    static std::string Tag(std::string_view szName);
    int CreateTable(std::string_view szName, int nCount, SlotTable table, const char8_t* szAlready,
                    const char8_t* szFailed);
    platform::Display& display();
    void ReleaseDeviceObjects();
    void SetFontSmoothing();

    // The slot's file path: false when it does not fit the path buffer.
    static bool SlotPath(const ZKIMAGEDATA& slot, std::string& path);
    static std::optional<platform::BitmapFile> LoadSlotPicture(const ZKIMAGEDATA& slot);
    ZKIMAGEDATA* SurfaceSlot(int i) const;
    ZKIMAGEDATA* TextureSlot(int i) const;
    // A black surface, or one showing picture (nW x nH words), which it may take.
    std::int32_t MakeSlotSurface(std::string_view szName, ZKIMAGEDATA& slot, int nW, int nH,
                                 std::vector<std::uint32_t>* picture,
                                 std::shared_ptr<platform::Surface>& surface);
    // The loaded picture into an empty slot, as CreateSurface and CreateTexture finish.
    std::int32_t FillSurfaceSlot(ZKIMAGEDATA& slot, platform::BitmapFile picture, int bColorKey,
                                 std::uint32_t rgb);
    void FillTextureSlot(ZKIMAGEDATA& slot, platform::BitmapFile picture, int bColorKey,
                         std::uint32_t rgb);
    // A texture taking the picture's words, its size noted in the slot.
    static std::unique_ptr<platform::Texture> SlotTexture(ZKIMAGEDATA& slot,
                                                          platform::BitmapFile picture);

    // Whether an empty target slot is refused as such or counts as a context failure.
    enum class EmptySlot { Refused, NoContext };
    int OpenContext(std::string_view szName, int nTarget, platform::Surface*& target,
                    EmptySlot emptySlot);
    bool DrawTextCells(platform::Surface& target, std::string_view text,
                       const std::vector<platform::TextCell>& cells, platform::ColorRef dwColor,
                       int nHeight, int nWeight, const platform::Rect& clip);
    void CloseTextRun();

    // Render states a sprite draw switches on and off for itself.
    void SpriteStatesOn(std::string_view szName, int bColorKey, int bAdditive);
    void SpriteStatesOff(std::string_view szName, int bColorKey, int bAdditive);
    bool SetRenderSetting(platform::RenderSetting setting);
    // One setting of a sprite draw; a refusal is a warning under szName, the draw goes on.
    void SpriteSetting(std::string_view szName, platform::RenderSetting setting,
                       const char8_t* szFailed);
    ZKIMAGEDATA* DrawableTexture(std::string_view szName, int nIndex, bool bRestore, int& result,
                                 CallSite site);
    std::int32_t DrawTexture(const ZKIMAGEDATA& slot, const platform::Rect& src,
                             const platform::Affine2D& map, const platform::SpritePaint& paint);

    int TestCooperativeLevel();
    void DeleteSlotFile(const ZKIMAGEDATA& slot);
    // Extracts the slot's file from the image archive: true when the file is there.
    bool ExtractSlotFile(const ZKIMAGEDATA& slot);
    using PictureLoader = std::optional<platform::BitmapFile> (*)(const ZKIMAGEDATA&);
    // The slot's picture read again, from the image archive when its file is gone; the
    // extracted copy is deleted once read. A failure is logged under szTag.
    std::optional<platform::BitmapFile> ReloadPicture(const ZKIMAGEDATA& slot, PictureLoader load,
                                                      const char* szTag,
                                                      const char8_t* szLoadFailed);
    void ReloadSurfaceSlot(int i);
    void ReloadTextureSlot(int i);
    void ReleaseSlots();
    // What a screen-mode change keeps of a slot while the tables are rebuilt.
    struct SlotRecord {
        std::uint32_t dwWidth = 0;
        std::uint32_t dwHeight = 0;
        std::string szFileName;
        std::string szDirPath;
        std::uint32_t dwVideoMemory = 0;
        std::uint32_t dwState = 0;
        std::uint32_t dwColorKeyFlg = 0;
        DDCOLORKEY ddck;
        bool loaded = false;
    };
    static std::vector<SlotRecord> RecordSlots(const ZKIMAGEDATA* table, int count);
    void RebuildSlots(const std::vector<SlotRecord>& saved, bool bSurfaces);
    void ReloadRebuiltSlot(ZKIMAGEDATA& slot, bool bSurfaces);
    static std::optional<platform::BitmapFile> LoadTexturePicture(const ZKIMAGEDATA& slot);
    // The picture at nIndex, holding prcRange when given; null after the refusal line.
    const ZKIMAGEDATA* BltSource(std::string_view szName, int nIndex,
                                 const platform::Rect* prcRange, CallSite site);
    bool RangeInsidePicture(const ZKIMAGEDATA& slot, const platform::Rect& range) const;
    // True when szRefusal is given; its line is logged unless the place still fails.
    bool SourceRefused(std::string_view szName, int nIndex, const char8_t* szRefusal,
                       CallSite site);
    int RestoreAfterLostBlit(std::string_view szName);
    int BltToBack(std::string_view szName, int nIndex, int nX, int nY,
                  const platform::Rect* prcRange, int bColorKey, CallSite site);
    bool ClipScaled(std::int64_t nX, std::int64_t nY, platform::Rect src, double fScaleX,
                    double fScaleY, RightEdgeTest rightEdge, ScaledBlit& out) const;
    int DDBltScaleWhole(int nIndex, int nX, int nY, float fScaleX, float fScaleY, int bColorKey,
                        bool bCenter, CallSite site);

    platform::Display* display_ = nullptr;
    bool ownDisplay_ = false;
    // Frame pacing lives with the object, so every object starts fresh.
    bool frameWaitStarted_ = false;
    std::uint32_t frameWaitTime_ = 0;
    std::uint32_t lastMeasureTime_ = 0;
    FailureLatch sourceLatch_;
};
