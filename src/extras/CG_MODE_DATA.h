#pragma once

#include <array>
#include <cstdint>

#include "extras/CG_ITEM_DATA.h"
#include "extras/ExtrasSteps.h"
#include "extras/GalleryControls.h"
#include "extras/GalleryItems.h"
#include "game/GRAPHIC_DATA_EX.h"
#include "windows/DrawFailureLatch.h"

struct GameContext;
class ModeHost;

// The heroines' own unlock words, in tab order: the CG words, then the REPLAY words.
struct GALLERY_WORDS {
    std::array<std::uint32_t*, kGalleryHeroines> pdwCG{};
    std::array<std::uint32_t*, kGalleryHeroines> pdwReplay{};

    // Pointers into the system save's two unlock arrays.
    static GALLERY_WORDS From(std::uint32_t* pdwCGFlg, std::uint32_t* pdwReplayFlg);
};

// The CG gallery: per heroine and kind, pages of cells showing the unlocked pictures
// or scenes by their thumbnails and the locked ones as plates; a picture opens full
// screen, a scene is handed to the recollection.
class CG_MODE_DATA {
public:
    CG_MODE_DATA();
    CG_MODE_DATA(const CG_MODE_DATA&) = delete;
    CG_MODE_DATA& operator=(const CG_MODE_DATA&) = delete;

    // Over a complete context and the eight unlock words: QUIRA's first CG page with
    // its thumbnails, the material and the effects loaded. 1 ready, 0 failed; what
    // loaded before a failure stays.
    std::int32_t Initialize(const GameContext* pContextIn, const GALLERY_WORDS& words);
    // The same, back on the heroine, kind and page ReleaseFromRecuerdo kept.
    std::int32_t InitializeFromRecuerdo(const GameContext* pContextIn, const GALLERY_WORDS& words);
    // Unloads and clears everything.
    void Release();
    // Unloads, keeping the place in the gallery and the cell last chosen.
    void ReleaseFromRecuerdo();
    // Fills the record of a slot (1 to 12) of a page. Returns 1.
    std::int32_t SetItemData(CG_ITEM_DATA* pItem, std::int32_t nCharaIn, std::int32_t nKindIn,
                             std::int32_t nPageIn, std::int32_t nSlot);
    // nPageMax and nPageItemNum of the current heroine, kind and page.
    void CountPages();
    // The current page's 12 records, the unlocked thumbnails loaded: false when one
    // could not be.
    bool BuildPage();
    // One frame of the page: a GALLERY_RESULT, nSelectId naming the control.
    std::int32_t CGModeThumbnailSelectStandby(std::int32_t nMouseX, std::int32_t nMouseY,
                                              std::int32_t nLeft, std::uint32_t dwNow);
    // One frame of the full picture: 2 when the left event is released, else 0; -1
    // not initialised.
    std::int32_t CGModeStandby(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                               std::uint32_t dwNow);
    // The arrow keys warp the pointer to a neighbour of the control under it. Returns 1.
    std::int32_t KeyCursorMove();
    // Returns 1; nothing is drawn before an initialisation.
    std::int32_t Draw();
    // Mode 5 for one frame, its steps and its draw: 1 to go on, -1 failed.
    std::int32_t Proc(ModeHost& host);
    std::uint32_t DrawProc(ModeHost& host);

    std::int32_t nInitFlg = 0;
    const GameContext* pContext = nullptr;
    // The active control under the pointer; 0 none.
    std::int32_t nSelectId = GALLERY_NONE;
    // The control under the pointer, active or not; 0 none.
    std::int32_t nCursorId = GALLERY_NONE;
    // 1 while the full picture is on view.
    std::int32_t nCGDispFlg = 0;
    std::int32_t nPageMax = 0;
    // From 1.
    std::int32_t nPage = 0;
    std::int32_t nPageItemNum = 0;
    // 0 to 3; -1 released.
    std::int32_t nChara = -1;
    std::int32_t nKind = kGalleryKindCG;
    // The full picture's surface; -1 none.
    std::int32_t nCGSurfNo = -1;
    // The scene handed to the recollection.
    char szRecurdoFile[260] = {};
    // By GALLERY_BUTTON: 0 normal, 1 hover, 2 pressed.
    std::int32_t nBtnState[kGalleryButtons] = {};
    CG_ITEM_DATA Item[kGallerySlots];
    // The hovered tab, the current tab, the CG cursor and the REPLAY cursor.
    GRAPHIC_DATA_EX NWndS;
    GRAPHIC_DATA_EX NWndE;
    GRAPHIC_DATA_EX TbCG;
    GRAPHIC_DATA_EX TbRP;
    GALLERY_WORDS Words;

private:
    DrawFailureLatch drawLatch_;

    bool Accept(const char* szTag, const GameContext* pContextIn, const GALLERY_WORDS& words);
    std::int32_t Load(const char* szTag);
    bool Unlocked(std::int32_t nCharaIn, std::int32_t nKindIn, std::int32_t nIndex) const;
    void SetAnimations();
    void Unload();
    bool IsActive(std::int32_t nId) const;
    std::int32_t Take(std::int32_t nId, std::int32_t nButton, std::int32_t nClickResult,
                      int nClickEffect, std::int32_t nLeft);
    std::int32_t HitCells(std::int32_t nMouseX, std::int32_t nMouseY, std::int32_t nLeft,
                          std::int32_t* pnTaken);
    void DrawCells();
    void DrawTitles();
    void DrawPageText();
    void DrawTabs();
    void DrawTabNames();
    void DrawButtons();
    ExtrasSteps::MODE Mode();
    std::int32_t Start(ModeHost& host, ExtrasSteps& steps);
    std::int32_t Standby(ModeHost& host, ExtrasSteps& steps);
    std::int32_t StandbyResult(ModeHost& host, ExtrasSteps& steps, std::int32_t nResult);
    std::int32_t LeaveFade(ModeHost& host, ExtrasSteps& steps);
    std::int32_t WhiteCovered(ModeHost& host, ExtrasSteps& steps);
    std::int32_t PictureShown(ModeHost& host);
    std::int32_t PictureView(ModeHost& host);
    std::int32_t PictureClose(ModeHost& host, ExtrasSteps& steps);
    std::int32_t PageBack(ModeHost& host, ExtrasSteps& steps, std::uint32_t dwFadeTime,
                          bool bMusic);
};
