#include "extras/CG_MODE_DATA.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "game/GameContext.h"
#include "game/ResourceLoader.h"
#include "graphics/ZKSPRITE.h"
#include "platform/core/Log.h"
#include "platform/text/SjisText.h"
#include "windows/WindowLog.h"

namespace {

using platform::Rect;

constexpr int kSurfaceBack = 30;
constexpr int kSurfaceMaterial = 31;
constexpr int kEffects[] = {4, 5, 6, 8};
// The colour of each picture's top-left pixel.
constexpr std::uint32_t kDefaultKey = 0xFFFFFFFFu;
constexpr std::int32_t kWordBits = 32;

// The animations' frames: five, ping-pong, 100 ms each, stepping down the material.
constexpr std::uint32_t kFrames = 5;
constexpr std::uint32_t kFrameMs = 100;
constexpr std::uint32_t kPingPong = 1;
constexpr std::uint32_t kSurfaceKind = 1;

struct ANIMATION_CELLS {
    GRAPHIC_DATA_EX CG_MODE_DATA::*pAnim;
    Rect rcFirst;
};
constexpr ANIMATION_CELLS kAnimations[] = {
    {&CG_MODE_DATA::NWndS, {175, 168, 349, 218}},
    {&CG_MODE_DATA::NWndE, {1, 168, 175, 218}},
    {&CG_MODE_DATA::TbCG, {477, 0, 633, 118}},
    {&CG_MODE_DATA::TbRP, {633, 0, 953, 118}},
};

template <std::size_t N>
void Fill(char (&field)[N], const std::string& text) {
    std::memset(field, 0, N);
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

}  // namespace

GALLERY_WORDS GALLERY_WORDS::From(std::uint32_t* pdwCGFlg, std::uint32_t* pdwReplayFlg) {
    GALLERY_WORDS words;
    for (std::int32_t chara = 0; chara < kGalleryHeroines; ++chara) {
        const auto c = static_cast<std::size_t>(chara);
        words.pdwCG[c] = pdwCGFlg + GalleryList(chara, kGalleryKindCG).nFirstWord;
        words.pdwReplay[c] = pdwReplayFlg + GalleryList(chara, kGalleryKindReplay).nFirstWord;
    }
    return words;
}

CG_MODE_DATA::CG_MODE_DATA() { Release(); }

std::int32_t CG_MODE_DATA::Initialize(const GameContext* pContextIn, const GALLERY_WORDS& words) {
    constexpr const char* kTag = "CG_MODE_DATA::Initialize";
    if (!Accept(kTag, pContextIn, words)) return 0;
    nSelectId = GALLERY_NONE;
    nPage = 1;
    nChara = 0;
    nKind = kGalleryKindCG;
    CountPages();
    return Load(kTag);
}

std::int32_t CG_MODE_DATA::InitializeFromRecuerdo(const GameContext* pContextIn,
                                                  const GALLERY_WORDS& words) {
    constexpr const char* kTag = "CG_MODE_DATA::InitializeFromRecuerdo";
    if (!Accept(kTag, pContextIn, words)) return 0;
    return Load(kTag);
}

bool CG_MODE_DATA::Accept(const char* szTag, const GameContext* pContextIn,
                          const GALLERY_WORDS& words) {
    bool bComplete = pContextIn != nullptr && pContextIn->IsComplete();
    for (std::int32_t chara = 0; chara < kGalleryHeroines; ++chara) {
        const auto c = static_cast<std::size_t>(chara);
        bComplete = bComplete && words.pdwCG[c] != nullptr && words.pdwReplay[c] != nullptr;
    }
    if (!bComplete) {
        WindowLogError(szTag, WINDOW_FAILURE::BadArgument);
        return false;
    }
    pContext = pContextIn;
    Words = words;
    nCGSurfNo = -1;
    nCursorId = GALLERY_NONE;
    SetAnimations();
    nCGDispFlg = 0;
    std::memset(szRecurdoFile, 0, sizeof szRecurdoFile);
    for (std::int32_t& state : nBtnState) state = 0;
    return true;
}

void CG_MODE_DATA::SetAnimations() {
    for (const ANIMATION_CELLS& cells : kAnimations) {
        GRAPHIC_DATA_EX& anim = this->*cells.pAnim;
        anim.Set(kSurfaceKind, kSurfaceMaterial, kFrames, kPingPong, 1, 0, 0);
        anim.nDispFlg = 1;
        const std::int32_t height = cells.rcFirst.bottom - cells.rcFirst.top;
        for (std::uint32_t f = 0; f < kFrames; ++f) {
            const std::int32_t down = height * static_cast<std::int32_t>(f);
            const Rect frame{cells.rcFirst.left, cells.rcFirst.top + down, cells.rcFirst.right,
                             cells.rcFirst.bottom + down};
            anim.AnimationSet(static_cast<std::int32_t>(f), kFrameMs, &frame,
                              ANIMATION_DATA::kKeepType);
        }
    }
}

// The page's thumbnails, then the background without its key and the material with it,
// then the effects.
std::int32_t CG_MODE_DATA::Load(const char* szTag) {
    if (!BuildPage()) {
        platform::LogError(szTag, u8"呼び出したSurfaceLoadが失敗しました");
        return 0;
    }
    ZKSPRITE* sprite = pContext->pSprite;
    ZKSYSTEM* system = pContext->pSystem;
    if (SurfaceLoad(sprite, system, kSurfaceBack, 0, kDefaultKey) == 0 ||
        SurfaceLoad(sprite, system, kSurfaceMaterial, 1, kDefaultKey) == 0) {
        WindowLogError(szTag, WINDOW_FAILURE::ImageLoad);
        return 0;
    }
    if (!WindowLoadEffects(*pContext, szTag, kEffects)) return 0;
    nInitFlg = 1;
    return 1;
}

bool CG_MODE_DATA::BuildPage() {
    for (std::int32_t slot = 1; slot <= kGallerySlots; ++slot) {
        CG_ITEM_DATA& item = Item[slot - 1];
        SetItemData(&item, nChara, nKind, nPage, slot);
        if (item.nOpen == 1 && SurfaceLoad(pContext->pSprite, pContext->pSystem, item.nTbSurfNo, 0,
                                           kDefaultKey) == 0) {
            return false;
        }
    }
    return true;
}

void CG_MODE_DATA::CountPages() {
    const GALLERY_LIST& list = GalleryList(nChara, nKind);
    nPageMax = GalleryPageCount(list);
    nPageItemNum = GalleryPageItems(list, nPage);
}

// A bit past the heroine's own words counts as locked.
bool CG_MODE_DATA::Unlocked(std::int32_t nCharaIn, std::int32_t nKindIn,
                            std::int32_t nIndex) const {
    const std::int32_t word = nIndex / kWordBits;
    if (word >= GalleryList(nCharaIn, nKindIn).nWords) return false;
    const auto c = static_cast<std::size_t>(nCharaIn);
    const std::uint32_t* pdwWords = nKindIn == kGalleryKindCG ? Words.pdwCG[c] : Words.pdwReplay[c];
    return pdwWords != nullptr && (pdwWords[word] >> (nIndex % kWordBits) & 1u) != 0;
}

// An empty name is no picture: it must not find a slot registered without a file.
std::int32_t CG_MODE_DATA::SetItemData(CG_ITEM_DATA* pItem, std::int32_t nCharaIn,
                                       std::int32_t nKindIn, std::int32_t nPageIn,
                                       std::int32_t nSlot) {
    CG_ITEM_DATA& item = *pItem;
    const GALLERY_LIST& list = GalleryList(nCharaIn, nKindIn);
    const std::int32_t index = (nPageIn - 1) * list.nPageSize + nSlot - 1;
    item.nOpen = Unlocked(nCharaIn, nKindIn, index) ? 1 : 0;
    item.nTbSurfNo = list.nThumbBase + index + 1;
    Fill(item.szFileName, GalleryItemFile(nCharaIn, nKindIn, index + 1));
    Fill(item.szTitle,
         nKindIn == kGalleryKindReplay ? GalleryItemTitle(nCharaIn, index + 1) : std::string());
    if (nKind != kGalleryKindCG || item.szFileName[0] == '\0') return 1;
    const ZKSPRITE& sprite = *pContext->pSprite;
    for (int surface = 0; surface < sprite.GetSurfaceCount(); ++surface) {
        const char* szPath = sprite.GetSurfacePath(surface);
        if (szPath != nullptr && platform::SjisEqualsIgnoreCase(szPath, item.szFileName)) {
            item.nCGSurfNo = surface;
            break;
        }
    }
    return 1;
}

// Only slots that hold a surface are unloaded: -1 is no slot.
void CG_MODE_DATA::Unload() {
    if (pContext != nullptr) {
        const GameContext& ctx = *pContext;
        for (const int effect : kEffects) SEUnload(ctx.pSnd, ctx.pSystem, effect, *ctx.pShell);
        std::vector<std::int32_t> surfaces = {kSurfaceBack, kSurfaceMaterial};
        for (const CG_ITEM_DATA& item : Item) surfaces.push_back(item.nTbSurfNo);
        surfaces.push_back(nCGSurfNo);
        for (const std::int32_t surface : surfaces) {
            if (surface >= 0) SurfaceUnload(ctx.pSprite, ctx.pSystem, surface);
        }
    }
    pContext = nullptr;
    Words = GALLERY_WORDS{};
    for (const ANIMATION_CELLS& cells : kAnimations) (this->*cells.pAnim).Reset();
    nCursorId = GALLERY_NONE;
    nCGDispFlg = 0;
    nCGSurfNo = -1;
    for (std::int32_t& state : nBtnState) state = 0;
    std::memset(szRecurdoFile, 0, sizeof szRecurdoFile);
}

void CG_MODE_DATA::Release() {
    Unload();
    nSelectId = GALLERY_NONE;
    nPageMax = 0;
    nPage = 0;
    nPageItemNum = 0;
    nChara = -1;
    nKind = kGalleryKindCG;
    for (CG_ITEM_DATA& item : Item) {
        item.nTbSurfNo = -1;
        item.nCGSurfNo = -1;
        item.nOpen = 0;
        std::memset(item.szFileName, 0, sizeof item.szFileName);
    }
    nInitFlg = 0;
}

void CG_MODE_DATA::ReleaseFromRecuerdo() {
    Unload();
    nInitFlg = 0;
}
